#include "core/start.h"

#include <cmath>

#include "core/ganzzahl.h"
#include "core/geraet.h"
#include "core/hz_text.h"
#include "core/konfiguration.h"
#include "core/messarten.h"
#include "diagram/auswertung.h"
#include "diagram/diagramm.h"

namespace qzl {

bool kontinuierlichGewuenscht(const std::vector<std::string>& argumente) {
    return !argumente.empty() && (argumente[0] == "-c" || argumente[0] == "-C");
}

std::int32_t cursorMitte(std::int32_t messpunkte) {
    return static_cast<std::int32_t>(std::nearbyint(messpunkte / 2.0));
}

void FormCreate(Programm& p, const std::vector<std::string>& argumente) {
    auto& st = p.st;
    Fenster& f = p.fenster;
    st.versionText = " V7.3 ";
    st.contBildaufbau = kontinuierlichGewuenscht(argumente);
    // Reference lines, all other start values, IF and detector flags; the
    // window's place and size are set by the window itself.
    st.startwerteSetzen();
    for (auto& m : st.freqMarken) m = 0;
    markenDateiLesen(p);
    konfigDateiStart(p);

    PortSetzen(p);
    p.port.eingangVerwerfen();

    einstellungenAnzeigen(p);
    st.demoModus = false;
    st.messart = 1;

    einzelmessung(p, 1, st.startfrequenz);
    if (st.uebertragungsfehler) st.demoModus = true;

    st.messzeit = p.uhr.datumText() + "  " + p.uhr.zeitText();
    f.textSetzen(Element::Label5, messartUeberschrift(1) + st.messzeit);
    clear_messwerte(p);
    // The display bitmap exists from the start with the state.
    dm_diagramm(p);
}

void einstellungenAnzeigen(Programm& p) {
    auto& st = p.st;
    Fenster& f = p.fenster;
    st.cursorIndex = cursorMitte(st.messpunkte);
    cursorZeigen(p);
    f.textSetzen(Element::Label1, hzText(st.startfrequenz));
    f.textSetzen(Element::Label2, hzText(st.schrittweite));
    f.abhaken(Element::Zwischenfrequenz1, (st.zfBerechnung & 1) != 0);
    f.abhaken(Element::AdditionvsSubtraktion1, (st.zfBerechnung & 2) != 0);
}

void programmBeenden(Programm& p) {
    p.beenden = true;
    p.st.stopAnforderung = true;
    p.post.abbrechen();
    if (p.sweepThread.joinable()) p.sweepThread.join();
    p.port.schliessen();
}

void Beenden1Click(Programm& p) {
    programmBeenden(p);
    p.fenster.schliessen();
}

void clear_messwerte(Programm& p) {
    for (Element e : {Element::Label7, Element::Label8, Element::Label9, Element::Label10, Element::Label11,
                      Element::Label14})
        p.fenster.textSetzen(e, "");
}

void dm_diagramm(Programm& p) {
    // The picture of a loaded series goes, and with it what saving would write.
    p.geladeneReihe.reset();
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
    diagrammZeichnen(p.st);
}

}  // namespace qzl

namespace qzl {

Programm::~Programm() {
    if (sweepThread.joinable()) {
        beenden = true;
        st.stopAnforderung = true;
        post.abbrechen();
        sweepThread.join();
    }
}

}  // namespace qzl
