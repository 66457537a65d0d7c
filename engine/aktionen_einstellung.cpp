// The API's settings beyond the sweep's range: the start values, the
// settings dialog's set, the port, the IF of a script's sweep, calibration.
#include <cmath>

#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/zustand.h"
#include "engine/einwaende.h"
#include "formats/konfiguration.h"
#include "formats/messreihe.h"
#include "state/kurve.h"
#include "state/zf_regel.h"

namespace qzl::api {

namespace {

Ergebnis abgelehnt(std::string text) { return api::abgelehnt(Grund::ausserhalb, std::move(text)); }

bool baudErlaubt(std::int32_t b) {
    for (const std::int32_t r : baudraten)
        if (r == b) return true;
    return false;
}

std::optional<Ergebnis> schnittstelleEinwand(std::optional<std::int32_t> com, std::optional<std::int32_t> baud,
                                             std::optional<std::int32_t> bits) {
    if (com && (*com < 1 || *com > 4)) return abgelehnt("the port is COM 1 to 4");
    if (baud && !baudErlaubt(*baud)) return abgelehnt("the speed is 9600, 19200, 38400 or 57600 baud");
    if (bits && *bits != 8 && *bits != 10) return abgelehnt("the converter has 8 or 10 bits");
    return std::nullopt;
}

// The calibration slot of art for the present detector; nothing for a kind
// that has none.
std::optional<std::size_t> slot(const Geraet& g, Messart art) { return korrSlot(art, g.st.linModus); }

std::optional<Ergebnis> ohneSlot(const Geraet& g, Messart art) {
    if (auto e = laeuftSchon(g)) return e;
    if (!slot(g, art)) return Ergebnis{Grund::unbekannt, "no calibration for the kind " + std::to_string(zahl(art)), {}};
    return std::nullopt;
}

// The highest reading of the last pass; 0 when every reading is below it.
std::int32_t hoechsterWert(const InstrumentState& st) {
    std::int32_t hoechster = 0;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) hoechster = std::max(hoechster, wertBei(st, i));
    return hoechster;
}

constexpr std::int32_t nennTakt = 100000000;

}  // namespace

void startwerteSetzen(Geraet& g, bool kontinuierlich) {
    auto& st = zustand(g);
    st.startwerteSetzen();
    st.contBildaufbau = kontinuierlich;
    for (auto& m : st.freqMarken) m = 0;
    // Transmission until a kind is chosen; its picture is drawn once the
    // settings are read, not here as well.
    st.messart = Messart::durchgang;
}

Ergebnis einstellungenSetzen(Geraet& g, const Einstellungen& e) {
    if (auto f = laeuftSchon(g)) return *f;
    if (!punkteErlaubt(e.messpunkte)) return abgelehnt(punkteText());
    if (auto f = schnittstelleEinwand(e.comport, e.baudrate, e.messgenauigkeit)) return *f;
    auto& st = zustand(g);
    st.contBildaufbau = e.contBildaufbau;
    for (std::size_t j = 0; j < anzahlLinien; ++j) {
        st.linieText[j + 1] = e.linieText[j];
        st.linie[j + 1] = e.linie[j];
    }
    st.taktfrequenz = e.taktfrequenz;
    st.eichfrequenz = e.eichfrequenz;
    st.endfrequenz = e.endfrequenz;
    st.delay = e.delay;
    st.messpunkte = e.messpunkte;
    if (e.comport) st.comport = *e.comport;
    if (e.baudrate) st.baudrate = *e.baudrate;
    if (e.messgenauigkeit) st.messgenauigkeit = *e.messgenauigkeit;
    return {};
}

Ergebnis schnittstelleSetzen(Geraet& g, std::optional<std::int32_t> com, std::optional<std::int32_t> baud,
                             std::optional<std::int32_t> bits) {
    if (auto e = laeuftSchon(g)) return *e;
    if (auto e = schnittstelleEinwand(com, baud, bits)) return *e;
    auto& st = zustand(g);
    if (com) st.comport = *com;
    if (baud) st.baudrate = *baud;
    if (bits) st.messgenauigkeit = *bits;
    return {};
}

void demoModusSetzen(Geraet& g, bool an) { zustand(g).demoModus = an; }

void dezimalzeichenSetzen(Geraet& g, char zeichen) { zustand(g).dezimalzeichen = zeichen; }

std::optional<ZfEinwand> zfEinwand(const InstrumentState& st) {
    if (!st.zfAktiv) return std::nullopt;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::int64_t f = punktFrequenz(st, i);
        const std::int64_t t = mitZwischenfrequenz(static_cast<std::int32_t>(f), st.zwischenfrequenz, st.zfBerechnung);
        if (!frequenzErlaubt(t)) return ZfEinwand{i, f, t};
    }
    return std::nullopt;
}

Ergebnis zfEinschalten(Geraet& g, std::optional<std::int64_t> hz, std::optional<bool> addieren) {
    if (auto e = laeuftSchon(g)) return *e;
    if (hz && !frequenzErlaubt(*hz)) return abgelehnt(std::to_string(*hz) + " Hz lies beyond 32 bits (2147483647 Hz at most)");
    auto& st = zustand(g);
    if (hz) st.zwischenfrequenz = static_cast<std::int32_t>(*hz);
    const std::int32_t richtung = addieren ? (*addieren ? 2 : 0) : (st.zfBerechnung & 2);
    st.zfBerechnung = (st.zfBerechnung & ~3) | 1 | richtung;
    st.zfAktiv = true;
    return {};
}

std::optional<std::int32_t> kalibrierteBits(const InstrumentState& st, std::int32_t dateiBits) {
    const auto k = korrSlot(st.messart, st.linModus);
    if (!k) return std::nullopt;
    const bool startwerte = st.korrfaktor1[*k] == 50 && st.korrfaktor2[*k] == 250;
    return startwerte ? 8 : dateiBits;
}

Ergebnis kalibrierungBeginnen(Geraet& g, Messart art) {
    if (auto e = ohneSlot(g, art)) return *e;
    const std::size_t k = *slot(g, art);
    zustand(g).korrfaktor1[k] = 0;
    zustand(g).korrfaktor2[k] = 100;
    return {};
}

Ergebnis nullpunktUebernehmen(Geraet& g, Messart art) {
    if (auto e = ohneSlot(g, art)) return *e;
    zustand(g).korrfaktor1[*slot(g, art)] = mittelwert(g.st);
    return {};
}

std::int32_t spanneFuer(std::int32_t a) { return static_cast<std::int32_t>(std::nearbyint(400.0 / a * 100.0)); }

Ergebnis spanneUebernehmen(Geraet& g, Messart art) {
    if (auto e = ohneSlot(g, art)) return *e;
    // A spectrum is calibrated on its peak, and a span below 100 would need
    // a reading above the top of the scale.
    const bool spektrum = art == Messart::spektrum;
    const std::int32_t a = spektrum ? hoechsterWert(g.st) : mittelwert(g.st);
    if (a <= 0 || (spektrum && a > 400))
        return abgelehnt("the pass read " + std::to_string(a) + (spektrum ? ", not 1 to 400" : ", not above 0"));
    zustand(g).korrfaktor2[*slot(g, art)] = spanneFuer(a);
    return {};
}

Ergebnis linieKalibrieren(Geraet& g, int n) {
    if (auto e = laeuftSchon(g)) return *e;
    // There are seven lines; any other number would write beside them.
    if (n < 1 || n > anzahlLinien) return abgelehnt("the lines are 1 to " + std::to_string(anzahlLinien));
    zustand(g).linie[static_cast<std::size_t>(n)] = mittelwert(g.st);
    return {};
}

void taktKalibrierungBeginnen(Geraet& g) {
    zustand(g).startfrequenz = 10000000;
    zustand(g).taktfrequenz = nennTakt;
}

Ergebnis taktfrequenzSetzen(Geraet& g, std::int64_t hz) {
    if (auto e = laeuftSchon(g)) return *e;
    // The clock divides every tuning.
    if (hz <= 0 || hz > hoechsteFrequenz) return abgelehnt(std::to_string(hz) + " Hz is no clock (1 to 2147483647 Hz)");
    zustand(g).taktfrequenz = static_cast<std::int32_t>(hz);
    return {};
}

Ergebnis konfigurationUebernehmen(Geraet& g, std::string daten) {
    if (auto e = laeuftSchon(g)) return *e;
    if (!konfigurationLesen(zustand(g), std::move(daten)))
        return {Grund::falscheDatei, "not a settings file of qzl7", std::nullopt};
    return {};
}

void freqMarkenUebernehmen(Geraet& g, std::string daten) { freqMarkenLesen(zustand(g), std::move(daten)); }

std::unique_ptr<const InstrumentState> reiheZustand(const Messreihe& reihe,
                                                    const std::optional<std::string>& ueberschrift) {
    auto st = std::make_unique<InstrumentState>();
    messreiheEinstellen(*st, reihe);
    if (ueberschrift) st->messzeit = *ueberschrift;
    reiheZeichnen(*st, reihe);
    return st;
}

}  // namespace qzl::api
