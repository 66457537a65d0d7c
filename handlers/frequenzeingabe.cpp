#include "handlers/frequenzeingabe.h"

#include <string>

#include "engine/api.h"
#include "handlers/ablesung.h"
#include "handlers/start.h"
#include "state/frequenz_text.h"
#include "state/hz_text.h"

namespace qzl {

namespace {

void cursorMittig(Programm& p) {
    api::cursorZurMitte(p.geraet);
    cursorZeigen(p);
}

std::int32_t abfragen(Programm& p, const char* titel, const char* frage, std::int32_t wert, std::int32_t vorgabe) {
    return frequenzLesen(p.fenster.eingabe(titel, frage, std::to_string(wert))).value_or(vorgabe);
}

// The IF toggles decide by the check mark, not by the bit.
void zfUmschalten(Programm& p, Element punkt, api::Ergebnis (*setzen)(Geraet&, bool)) {
    const bool an = !p.fenster.abgehakt(punkt);
    p.fenster.abhaken(punkt, an);
    setzen(p.geraet, an);
    api::generatorAbstimmen(p.geraet);
    dm_diagramm(p);
}

}  // namespace

void startfrequenzGeaendert(Programm& p, bool cursorZurMitte) {
    p.fenster.textSetzen(Element::Label1, hzText(p.st.startfrequenz));
    api::generatorAbstimmen(p.geraet);
    if (cursorZurMitte) cursorMittig(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void schrittweiteGeaendert(Programm& p) {
    p.fenster.textSetzen(Element::Label2, hzText(p.st.schrittweite));
    cursorMittig(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void Button2Click(Programm& p) {
    api::startfrequenzSchritt(p.geraet, true);
    startfrequenzGeaendert(p, false);
}

void Button3Click(Programm& p) {
    api::startfrequenzSchritt(p.geraet, false);
    startfrequenzGeaendert(p, false);
}

void Button1Click(Programm& p) {
    // The prompt takes any whole number, as it always has.
    api::startfrequenzSetzen(p.geraet, abfragen(p, "Frequenz", "Frequenz in Hz eingeben!", p.st.startfrequenz, 10000000),
                             Erlaubnis::fenster);
    startfrequenzGeaendert(p, true);
}

void Button4Click(Programm& p) {
    api::schrittweiteSetzen(p.geraet, abfragen(p, "Schrittweite", "Schrittweite in Hz eingeben!", p.st.schrittweite, 50000),
                            Erlaubnis::fenster);
    schrittweiteGeaendert(p);
}

void ZFEingabe1Click(Programm& p) {
    api::zwischenfrequenzSetzen(
        p.geraet, abfragen(p, "Zwischenfrequenz", "Frequenz in Hz eingeben!", p.st.zwischenfrequenz, 10000000));
    dm_diagramm(p);
}

void Zwischenfrequenz1Click(Programm& p) { zfUmschalten(p, Element::Zwischenfrequenz1, api::zfAnwenden); }
void AdditionvsSubtraktion1Click(Programm& p) { zfUmschalten(p, Element::AdditionvsSubtraktion1, api::zfAddieren); }

}  // namespace qzl
