#include "handlers/start.h"

#include "engine/api.h"
#include "engine/messarten.h"
#include "handlers/ablesung.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/verbindung.h"
#include "state/hz_text.h"

namespace qzl {

bool kontinuierlichGewuenscht(const std::vector<std::string>& argumente) {
    return !argumente.empty() && (argumente[0] == "-c" || argumente[0] == "-C");
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

    if (api::generatorAbstimmen(p.geraet) == Antwort::stumm) st.demoModus = true;

    st.messzeit = p.uhr.datumText() + "  " + p.uhr.zeitText();
    f.textSetzen(Element::Label5, messartUeberschrift(1) + st.messzeit);
    clear_messwerte(p);
    // The display bitmap exists from the start with the state.
    dm_diagramm(p);
}

void einstellungenAnzeigen(Programm& p) {
    api::cursorZurMitte(p.geraet);
    panelZeigen(p);
}

void panelZeigen(Programm& p) {
    auto& st = p.st;
    Fenster& f = p.fenster;
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
    if (p.geraet.sweepThread.joinable()) p.geraet.sweepThread.join();
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
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
    api::diagrammNeu(p.geraet);
}

}  // namespace qzl
