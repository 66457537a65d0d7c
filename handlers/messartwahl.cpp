#include "handlers/messartwahl.h"

#include <array>

#include "engine/api.h"
#include "engine/messarten.h"
#include "handlers/start.h"

namespace qzl {

namespace {

constexpr std::array zfPunkte = {Element::ZFEingabe1, Element::Zwischenfrequenz1, Element::AdditionvsSubtraktion1};
constexpr std::array linienPunkte = {Element::Linie11, Element::Linie21, Element::Linie31, Element::Linie41,
                                     Element::Linie51, Element::Linie61, Element::Linie71};

// The controls and heading of kind m.
void steuerungFuer(Programm& p, const MessartDaten& m) {
    Fenster& f = p.fenster;
    f.aktivieren(Element::Button18, m.smith);
    for (Element e : zfPunkte) f.aktivieren(e, m.zf);
    f.aktivieren(Element::Button5, m.start);
    f.aktivieren(Element::Durchgangsmessung2, m.durchgangEichen);
    f.aktivieren(Element::Reflexionsmessung2, m.reflexionEichen);
    for (Element e : linienPunkte) f.aktivieren(e, m.reflexionEichen);
    f.aktivieren(Element::Spektralmessung2, m.spektrumEichen);
    f.textSetzen(Element::Label5, m.ueberschrift + p.st.messzeit);
}

}  // namespace

void messartZeigen(Programm& p, Messart art) {
    if (const MessartDaten* m = messartDaten(art)) steuerungFuer(p, *m);
    neuZeichnenZeigen(p);
}

bool messartEinstellen(Programm& p, Messart art) {
    if (!api::messartWaehlen(p.geraet, art)) return false;
    messartZeigen(p, art);
    return true;
}

void messartNachAusfall(Programm& p) {
    const Messart vorher = p.geraet.messartVorAusfall;
    if (p.st.messart != Messart::demo) return;
    // The Smith figure is shown on reflection's controls and heading, and
    // its own picture.
    if (!messartEinstellen(p, vorher == Messart::smith ? Messart::reflexion : vorher)) return;
    if (vorher == Messart::smith) api::messartWaehlen(p.geraet, Messart::smith);
}

}  // namespace qzl
