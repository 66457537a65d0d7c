#include "core/messarten.h"

#include <array>
#include <mutex>

#include "core/start.h"

namespace qzl {

namespace {

constexpr std::array zfPunkte = {Element::ZFEingabe1, Element::Zwischenfrequenz1, Element::AdditionvsSubtraktion1};
constexpr std::array linienPunkte = {Element::Linie11, Element::Linie21, Element::Linie31, Element::Linie41,
                                     Element::Linie51, Element::Linie61, Element::Linie71};

struct Messart {
    std::int32_t messart;
    const char* ueberschrift;  // the heading puts messzeit right behind it
    bool smith, zf, start;
    bool durchgangEichen, reflexionEichen, spektrumEichen;
};

constexpr Messart messarten[] = {
    {1, "Durchgangsmessung   ", false, false, true, true, false, false},
    {2, "Reflexionsmessung   ", true, false, true, false, true, false},
    {3, "Spektralmessung   ", false, false, true, false, false, true},
    {5, "VFO   ", false, true, false, false, false, false},
};

const Messart* messartDaten(std::int32_t art) {
    for (const Messart& m : messarten)
        if (m.messart == art) return &m;
    return nullptr;
}

}  // namespace

const char* messartUeberschrift(std::int32_t art) {
    const Messart* m = messartDaten(art);
    return m ? m->ueberschrift : "";
}

bool messartEinstellen(Programm& p, std::int32_t art) {
    const Messart* m = messartDaten(art);
    if (!m) return false;
    Fenster& f = p.fenster;
    f.aktivieren(Element::Button18, m->smith);
    p.st.zfAktiv = m->zf;
    for (Element e : zfPunkte) f.aktivieren(e, m->zf);
    f.aktivieren(Element::Button5, m->start);
    f.aktivieren(Element::Durchgangsmessung2, m->durchgangEichen);
    f.aktivieren(Element::Reflexionsmessung2, m->reflexionEichen);
    for (Element e : linienPunkte) f.aktivieren(e, m->reflexionEichen);
    f.aktivieren(Element::Spektralmessung2, m->spektrumEichen);
    f.textSetzen(Element::Label5, m->ueberschrift + p.st.messzeit);
    p.st.messart = art;
    return true;
}

void messartZeichnen(Programm& p) {
    auto& st = p.st;
    dm_diagramm(p);
    if (st.messart != 5) return;
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, static_cast<std::uint8_t>(st.hintergrundfarbe));
    }
    const std::int32_t xU = st.xUrsprung;
    const std::int32_t yB = st.yBasis;
    linieZeichnen(st.gitterRaster, xU, yB, xU + 560, yB, static_cast<std::uint8_t>(st.diagrammfarbe));
}

void messartNachAusfall(Programm& p) {
    const std::int32_t vorher = p.messartVorAusfall;
    if (p.st.messart != 4) return;
    // The Smith figure is shown on reflection's controls and heading.
    if (!messartEinstellen(p, vorher == 6 ? 2 : vorher)) return;
    p.st.messart = vorher;
    messartZeichnen(p);
}

}  // namespace qzl
