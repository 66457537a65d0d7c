#include "modes/frequenzeingabe.h"

#include <algorithm>
#include <limits>
#include <string>

#include "core/frequenz_text.h"
#include "core/geraet.h"
#include "core/hz_text.h"
#include "core/start.h"
#include "diagram/auswertung.h"

namespace qzl {

namespace {

bool passt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Takes s as the new start frequency when the sweep from it stays in range.
void startSetzenWennMoeglich(InstrumentState& st, std::int64_t s) {
    if (sweepImBereich(s, st.schrittweite, st.messpunkte)) st.startfrequenz = static_cast<std::int32_t>(s);
}

// Label1, retune, redraw: what every change of the start frequency ends with.
void startfrequenzZeigen(Programm& p) {
    p.fenster.textSetzen(Element::Label1, hzText(p.st.startfrequenz));
    einzelmessung(p, 1, p.st.startfrequenz);
}

void cursorZurMitte(Programm& p) {
    p.st.cursorIndex = cursorMitte(p.st.messpunkte);
    cursorZeigen(p);
}

std::int32_t abfragen(Programm& p, const char* titel, const char* frage, std::int32_t wert, std::int32_t vorgabe) {
    return frequenzLesen(p.fenster.eingabe(titel, frage, std::to_string(wert))).value_or(vorgabe);
}

// The IF toggles decide by the check mark, not by the bit.
void zfBitUmschalten(Programm& p, Element punkt, std::int32_t bit) {
    auto& st = p.st;
    if (p.fenster.abgehakt(punkt)) {
        p.fenster.abhaken(punkt, false);
        st.zfBerechnung = st.zfBerechnung & (3 & ~bit);
    } else {
        p.fenster.abhaken(punkt, true);
        st.zfBerechnung = st.zfBerechnung | bit;
    }
    einzelmessung(p, 1, st.startfrequenz);
    dm_diagramm(p);
}

}  // namespace

bool sweepImBereich(std::int64_t start, std::int64_t schritt, std::int32_t messpunkte) {
    const std::int64_t n = std::clamp<std::int32_t>(messpunkte, 1, maxMesspunkte);
    return passt32(start) && passt32(schritt) && passt32(start + (n - 1) * schritt);
}

void Button2Click(Programm& p) {
    auto& st = p.st;
    const std::int64_t s = std::int64_t{st.startfrequenz} + st.schrittweite;
    if (s < st.endfrequenz) startSetzenWennMoeglich(st, s);
    startfrequenzZeigen(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void Button3Click(Programm& p) {
    auto& st = p.st;
    const std::int64_t s = std::int64_t{st.startfrequenz} - st.schrittweite;
    if (s > 0) startSetzenWennMoeglich(st, s);
    startfrequenzZeigen(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void Button1Click(Programm& p) {
    auto& st = p.st;
    startSetzenWennMoeglich(
        st, abfragen(p, "Frequenz", "Frequenz in Hz eingeben!", st.startfrequenz, 10000000));
    startfrequenzZeigen(p);
    cursorZurMitte(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void Button4Click(Programm& p) {
    auto& st = p.st;
    const std::int32_t schritt = abfragen(p, "Schrittweite", "Schrittweite in Hz eingeben!", st.schrittweite, 50000);
    if (sweepImBereich(st.startfrequenz, schritt, st.messpunkte)) st.schrittweite = schritt;
    p.fenster.textSetzen(Element::Label2, hzText(st.schrittweite));
    cursorZurMitte(p);
    dm_diagramm(p);
    clear_messwerte(p);
}

void ZFEingabe1Click(Programm& p) {
    auto& st = p.st;
    st.zwischenfrequenz = abfragen(p, "Zwischenfrequenz", "Frequenz in Hz eingeben!", st.zwischenfrequenz, 10000000);
    dm_diagramm(p);
}

void Zwischenfrequenz1Click(Programm& p) { zfBitUmschalten(p, Element::Zwischenfrequenz1, 1); }
void AdditionvsSubtraktion1Click(Programm& p) { zfBitUmschalten(p, Element::AdditionvsSubtraktion1, 2); }

}  // namespace qzl
