#include "handlers/betriebsarten.h"

#include "engine/api.h"
#include "handlers/messartwahl.h"
#include "handlers/start.h"

namespace qzl {

namespace {

void detektorWaehlen(Programm& p, bool lin) {
    neuZeichnenZeigen(p);
    api::detektorWaehlen(p.geraet, lin);
}

}  // namespace

void Button8Click(Programm& p) { messartEinstellen(p, Messart::durchgang); }
void Button9Click(Programm& p) { messartEinstellen(p, Messart::reflexion); }
void Button10Click(Programm& p) { messartEinstellen(p, Messart::spektrum); }

void Button15Click(Programm& p) {
    messartEinstellen(p, Messart::vfo);
    api::generatorAbstimmen(p.geraet);
}

void Button11Click(Programm& p) {
    auto& st = p.st;
    api::ueberschriftSetzen(p.geraet, p.fenster.eingabe("Label", "Diagrammüberschrift ändern", st.messzeit));
    // The heading is a label above the diagram: the curve, its readings and
    // the read-outs stay, so a measurement can be named and then saved.
    p.fenster.textSetzen(Element::Label5, st.messzeit);
}

void Button16Click(Programm& p) { detektorWaehlen(p, false); }
void Button17Click(Programm& p) { detektorWaehlen(p, true); }

void Button18Click(Programm& p) {
    p.fenster.meldung("Diese Funktion ist leider noch nicht verfügbar !");
    neuZeichnenZeigen(p);
    api::messartWaehlen(p.geraet, Messart::smith);
}

}  // namespace qzl
