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
    // Reference lines, all other start values, IF and detector flags; the
    // window's place and size are set by the window itself.
    api::startwerteSetzen(p.geraet, kontinuierlichGewuenscht(argumente));
    markenDateiLesen(p);
    konfigDateiStart(p);
    messmarkenStart(p);

    PortSetzen(p);
    p.port.eingangVerwerfen();

    einstellungenAnzeigen(p);
    api::demoModusSetzen(p.geraet, false);

    if (api::generatorAbstimmen(p.geraet) == Antwort::stumm) api::demoModusSetzen(p.geraet, true);

    api::ueberschriftSetzen(p.geraet, p.uhr.datumText() + "  " + p.uhr.zeitText());
    f.textSetzen(Element::Label5, messartUeberschrift(Messart::durchgang) + st.messzeit);
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
    api::stoppAnfordern(p.geraet);
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

void neuZeichnenZeigen(Programm& p) {
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
}

void dm_diagramm(Programm& p) {
    neuZeichnenZeigen(p);
    api::diagrammNeu(p.geraet);
}

}  // namespace qzl
