#include "modes/betriebsarten.h"

#include "core/geraet.h"
#include "core/messarten.h"
#include "core/start.h"

namespace qzl {

namespace {

void messartWaehlen(Programm& p, std::int32_t art) {
    messartEinstellen(p, art);
    messartZeichnen(p);
}

void detektorWaehlen(Programm& p, bool lin) {
    p.st.linModus = lin;
    // Leaving the Smith figure returns to reflection.
    if (p.st.messart == 6) p.st.messart = 2;
    dm_diagramm(p);
}

}  // namespace

void Button8Click(Programm& p) { messartWaehlen(p, 1); }
void Button9Click(Programm& p) { messartWaehlen(p, 2); }
void Button10Click(Programm& p) { messartWaehlen(p, 3); }

void Button15Click(Programm& p) {
    messartWaehlen(p, 5);
    einzelmessung(p, 1, p.st.startfrequenz);
}

void Button11Click(Programm& p) {
    auto& st = p.st;
    st.messzeit = p.fenster.eingabe("Label", "Diagrammüberschrift ändern", st.messzeit);
    // The heading is a label above the diagram: the curve, its readings and
    // the read-outs stay, so a measurement can be named and then saved.
    p.fenster.textSetzen(Element::Label5, st.messzeit);
}

void Button16Click(Programm& p) { detektorWaehlen(p, false); }
void Button17Click(Programm& p) { detektorWaehlen(p, true); }

void Button18Click(Programm& p) {
    p.fenster.meldung("Diese Funktion ist leider noch nicht verfügbar !");
    p.st.messart = 6;
    dm_diagramm(p);
}

}  // namespace qzl
