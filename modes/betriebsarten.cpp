#include "modes/betriebsarten.h"

#include <array>
#include <mutex>

#include "core/geraet.h"
#include "core/start.h"

namespace qzl {

namespace {

constexpr std::array zfPunkte = {Element::ZFEingabe1, Element::Zwischenfrequenz1, Element::AdditionvsSubtraktion1};
constexpr std::array linienPunkte = {Element::Linie11, Element::Linie21, Element::Linie31, Element::Linie41,
                                     Element::Linie51, Element::Linie61, Element::Linie71};

struct Messart {
    std::int32_t messart;
    const char* ueberschrift;  // the heading puts messzeit right behind it
    bool smith;
    bool durchgangEichen, reflexionEichen, spektrumEichen;
};

constexpr Messart durchgang{1, "Durchgangsmessung   ", false, true, false, false};
constexpr Messart reflexion{2, "Reflexionsmessung   ", true, false, true, false};
constexpr Messart spektrum{3, "Spektralmessung   ", false, false, false, true};

void messartWaehlen(Programm& p, const Messart& m) {
    Fenster& f = p.fenster;
    f.aktivieren(Element::Button18, m.smith);
    p.st.zfAktiv = false;
    for (Element e : zfPunkte) f.aktivieren(e, false);
    f.aktivieren(Element::Button5, true);
    f.aktivieren(Element::Durchgangsmessung2, m.durchgangEichen);
    f.aktivieren(Element::Reflexionsmessung2, m.reflexionEichen);
    for (Element e : linienPunkte) f.aktivieren(e, m.reflexionEichen);
    f.aktivieren(Element::Spektralmessung2, m.spektrumEichen);
    f.textSetzen(Element::Label5, m.ueberschrift + p.st.messzeit);
    p.st.messart = m.messart;
    dm_diagramm(p);
}

void detektorWaehlen(Programm& p, bool lin) {
    p.st.linModus = lin;
    // Leaving the Smith figure returns to reflection.
    if (p.st.messart == 6) p.st.messart = 2;
    dm_diagramm(p);
}

}  // namespace

void Button8Click(Programm& p) { messartWaehlen(p, durchgang); }
void Button9Click(Programm& p) { messartWaehlen(p, reflexion); }
void Button10Click(Programm& p) { messartWaehlen(p, spektrum); }

void Button15Click(Programm& p) {
    auto& st = p.st;
    Fenster& f = p.fenster;
    f.aktivieren(Element::Button18, false);
    st.zfAktiv = true;
    for (Element e : zfPunkte) f.aktivieren(e, true);
    f.aktivieren(Element::Durchgangsmessung2, false);
    f.aktivieren(Element::Reflexionsmessung2, false);
    f.aktivieren(Element::Spektralmessung2, false);
    for (Element e : linienPunkte) f.aktivieren(e, false);
    f.aktivieren(Element::Button5, false);
    f.textSetzen(Element::Label5, "VFO   " + st.messzeit);
    st.messart = 5;
    dm_diagramm(p);
    const auto hintergrund = static_cast<std::uint8_t>(st.hintergrundfarbe);
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, hintergrund);
    }
    const std::int32_t xU = st.xUrsprung;
    const std::int32_t yB = st.yBasis;
    linieZeichnen(st.gitterRaster, xU, yB, xU + 560, yB, static_cast<std::uint8_t>(st.diagrammfarbe));
    einzelmessung(p, 1, st.startfrequenz);
}

void Button11Click(Programm& p) {
    auto& st = p.st;
    st.messzeit = p.fenster.eingabe("Label", "Diagrammüberschrift ändern", st.messzeit);
    p.fenster.textSetzen(Element::Label5, st.messzeit);
    dm_diagramm(p);
}

void Button16Click(Programm& p) { detektorWaehlen(p, false); }
void Button17Click(Programm& p) { detektorWaehlen(p, true); }

void Button18Click(Programm& p) {
    p.fenster.meldung("Diese Funktion ist leider noch nicht verfügbar !");
    p.st.messart = 6;
    dm_diagramm(p);
}

}  // namespace qzl
