#include "formats/konfiguration.h"

#include <algorithm>
#include <array>

#include "state/ganzzahl.h"
#include "state/einstellwerte.h"

namespace qzl {

namespace {

using Zugriff = AtomInt& (*)(InstrumentState&);

template <AtomInt InstrumentState::*F>
AtomInt& feld(InstrumentState& st) {
    return st.*F;
}
template <auto F, std::size_t I>
AtomInt& element(InstrumentState& st) {
    return (st.*F)[I];
}

struct Eintrag {
    const char* schluessel;
    Zugriff zugriff;
    std::int32_t vorgabe;
};

using S = InstrumentState;

// Reader and writer walk this one list, so they cannot disagree on the order.
constexpr std::array<Eintrag, 43> tabelle{{
    {"Startfrequenz    =", feld<&S::startfrequenz>, 10000000},
    {"Endfrequenz      =", feld<&S::endfrequenz>, 35000000},
    {"Schrittweite     =", feld<&S::schrittweite>, 1000},
    {"Taktfrequenz     =", feld<&S::taktfrequenz>, 100000000},
    {"Eichfrequenz     =", feld<&S::eichfrequenz>, 10000000},
    {"Zwischenfrequenz =", feld<&S::zwischenfrequenz>, 9000000},
    {"ZF-Berechnung    =", feld<&S::zfBerechnung>, 0},
    {"Comport          =", feld<&S::comport>, 2},
    {"Korrfaktor1Dlog  =", element<&S::korrfaktor1, Dlog>, 50},
    {"Korrfaktor2Dlog  =", element<&S::korrfaktor2, Dlog>, 250},
    {"Korrfaktor1Rlog  =", element<&S::korrfaktor1, Rlog>, 50},
    {"Korrfaktor2Rlog  =", element<&S::korrfaktor2, Rlog>, 250},
    {"Korrfaktor1Slog  =", element<&S::korrfaktor1, Slog>, 50},
    {"Korrfaktor2Slog  =", element<&S::korrfaktor2, Slog>, 250},
    {"Korrfaktor1Dlin  =", element<&S::korrfaktor1, Dlin>, 50},
    {"Korrfaktor2Dlin  =", element<&S::korrfaktor2, Dlin>, 250},
    {"Korrfaktor1Rlin  =", element<&S::korrfaktor1, Rlin>, 50},
    {"Korrfaktor2Rlin  =", element<&S::korrfaktor2, Rlin>, 250},
    {"Korrfaktor1Slin  =", element<&S::korrfaktor1, Slin>, 50},
    {"Korrfaktor2Slin  =", element<&S::korrfaktor2, Slin>, 250},
    {"Delay            =", feld<&S::delay>, 1},
    {"Line1            =", element<&S::linie, 1>, 50},
    {"Line2            =", element<&S::linie, 2>, 100},
    {"Line3            =", element<&S::linie, 3>, 150},
    {"Line4            =", element<&S::linie, 4>, 200},
    {"Line5            =", element<&S::linie, 5>, 250},
    {"Line6            =", element<&S::linie, 6>, 300},
    {"Line7            =", element<&S::linie, 7>, 350},
    {"Line1 Text       =", element<&S::linieText, 1>, 12},
    {"Line2 Text       =", element<&S::linieText, 2>, 15},
    {"Line3 Text       =", element<&S::linieText, 3>, 18},
    {"Line4 Text       =", element<&S::linieText, 4>, 20},
    {"Line5 Text       =", element<&S::linieText, 5>, 25},
    {"Line6 Text       =", element<&S::linieText, 6>, 30},
    {"Line7 Text       =", element<&S::linieText, 7>, 40},
    {"Messpunkte       =", feld<&S::messpunkte>, 280},
    {"Hintergrundfarbe =", feld<&S::hintergrundfarbe>, 255},
    {"Diagrammfarbe    =", feld<&S::diagrammfarbe>, 0},
    {"Kurvenfarbe      =", feld<&S::kurvenfarbe>, 230},
    {"Freq. Markenfarbe=", feld<&S::markenfarbe>, 150},
    {"Cursor           =", feld<&S::cursorfarbe>, 24},
    {"Baudrate         =", feld<&S::baudrate>, 9600},
    {"Messgenauigkeit  =", feld<&S::messgenauigkeit>, 8},
}};

}  // namespace

void konfigZeile(Richtung r, KonfigDatei& datei, std::string_view schluessel, AtomInt& feld,
                 std::int32_t vorgabe) {
    if (r == Richtung::schreiben) {
        datei.text += schluessel;
        datei.text += std::to_string(feld.load());
        datei.text += "\r\n";
        return;
    }
    std::string zeile = datei.leser.zeile();
    const auto gleich = zeile.find('=');
    if (gleich != std::string::npos) zeile.erase(0, gleich + 1);
    feld = ganzzahlLesen(zeile).value_or(vorgabe);
}

void konfiguration(InstrumentState& st, Richtung r, KonfigDatei& datei) {
    for (const auto& e : tabelle) konfigZeile(r, datei, e.schluessel, e.zugriff(st), e.vorgabe);
}

void einstellungenBegrenzen(InstrumentState& st) {
    st.messpunkte = std::clamp<std::int32_t>(st.messpunkte, 1, maxMesspunkte);
    st.comport = std::clamp<std::int32_t>(st.comport, 1, 4);
    // The device link already treats anything above 8 as the 10-bit protocol.
    st.messgenauigkeit = st.messgenauigkeit > 8 ? 10 : 8;
    st.baudrate = leitungsGeschwindigkeit(st.baudrate);
    if (st.taktfrequenz <= 0) st.taktfrequenz = 100000000;
}

bool konfigurationErkannt(std::string daten) {
    // Blanks do not count, so a key tidied up by hand is still its key.
    const auto ohneBlanks = [](std::string_view t) {
        const auto a = t.find_first_not_of(' ');
        return a == std::string_view::npos ? std::string_view() : t.substr(a, t.find_last_not_of(' ') - a + 1);
    };
    TextLeser leser(std::move(daten));
    for (const auto& e : tabelle) {
        const std::string zeile = leser.zeile();
        const auto gleich = zeile.find('=');
        const std::string_view schluessel(e.schluessel);
        if (gleich != std::string::npos &&
            ohneBlanks(std::string_view(zeile).substr(0, gleich)) == ohneBlanks(schluessel.substr(0, schluessel.size() - 1)))
            return true;
    }
    return false;
}

bool konfigurationLesen(InstrumentState& st, std::string daten) {
    if (!konfigurationErkannt(daten)) return false;
    KonfigDatei datei{TextLeser(std::move(daten)), {}};
    konfiguration(st, Richtung::lesen, datei);
    einstellungenBegrenzen(st);
    return true;
}

std::string konfigurationText(const InstrumentState& st) {
    KonfigDatei datei;
    // One table serves both directions; writing only reads the fields.
    konfiguration(const_cast<InstrumentState&>(st), Richtung::schreiben, datei);
    return std::move(datei.text);
}

void freqMarkenLesen(InstrumentState& st, std::string daten) {
    TextLeser leser(std::move(daten));
    for (std::size_t k = 1; k <= anzahlFreqMarken && !leser.ende(); ++k)
        st.freqMarken[k] = ganzzahlLesen(leser.zeile()).value_or(0);
}

std::string benutzerEinstellungsOrdner(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/qzl7";
    if (home && home[0] == '/') return std::string(home) + "/.config/qzl7";
    return {};
}

}  // namespace qzl
