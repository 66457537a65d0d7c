#include "handlers/ablesung.h"

#include "engine/api.h"
#include "evaluation/auswertung.h"
#include "state/frequenz_text.h"
#include "state/hz_text.h"
#include "state/kurve.h"

namespace qzl {

namespace {

std::string ablesung(std::int64_t hz, std::int32_t wert, const InstrumentState& st) {
    return hzText(hz) + " " + pegelText(wert, st.messart, st.linModus, st.dezimalzeichen);
}

}  // namespace

void cursorZeigen(Programm& p) { p.fenster.textSetzen(Element::Label12, hzText(cursorFrequenz(p.st))); }

void maxminwert(Programm& p) {
    const auto& st = p.st;
    Fenster& f = p.fenster;
    const Auswertung a = kurveAuswerten(st);
    f.textSetzen(Element::Label7, ablesung(a.maximum.frequenz, a.maximum.wert, st));
    f.textSetzen(Element::Label8, ablesung(a.minimum.frequenz, a.minimum.wert, st));
    // A cursor off the curve has no reading to show.
    const std::int32_t c = st.cursorIndex;
    f.textSetzen(Element::Label14, c >= 1 && c <= punktAnzahl(st) ? ablesung(cursorFrequenz(st), wertBei(st, c), st) : "");
    if (a.band) {
        f.textSetzen(Element::Label9, hzText(a.band->fl));
        f.textSetzen(Element::Label10, hzText(a.band->fr));
        f.textSetzen(Element::Label11, hzText(a.band->fr - a.band->fl) + (st.linModus ? " (3 dB)" : " (6 dB)"));
    }
}

void Button12Click(Programm& p) {
    api::cursorSchieben(p.geraet, false);
    cursorZeigen(p);
}

void Button13Click(Programm& p) {
    api::cursorSchieben(p.geraet, true);
    cursorZeigen(p);
}

void Button14Click(Programm& p) {
    const std::string antwort =
        p.fenster.eingabe("Frequenzmarke", "Frequenz in Hz eingeben!", std::to_string(cursorFrequenz(p.st)));
    api::cursorSetzen(p.geraet, frequenzLesen(antwort).value_or(10000000));
    cursorZeigen(p);
}

void Button19Click(Programm& p) {
    api::normieren(p.geraet);
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
}

}  // namespace qzl
