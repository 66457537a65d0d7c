// The API's settings, the picture and the sweep's start and end.
#include <cmath>
#include <limits>

#include "diagram/diagramm.h"
#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/messarten.h"
#include "state/ganzzahl.h"
#include "state/kurve.h"

namespace qzl::api {

namespace {

Ergebnis abgelehnt(Grund grund, std::string text) { return {grund, std::move(text), std::nullopt}; }

// Settings do not change under a running sweep, which reads them.
std::optional<Ergebnis> laeuftSchon(const Geraet& g) {
    if (sweepLaeuft(g)) return abgelehnt(Grund::sweepLaeuft, "a sweep is running");
    return std::nullopt;
}

bool passt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

std::string ausserhalb32(std::int64_t start, std::int64_t schritt, std::int32_t punkte) {
    return "a sweep from " + std::to_string(start) + " Hz in steps of " + std::to_string(schritt) + " Hz over " +
           std::to_string(punkte) + " points leaves 32 bits (-2147483648 to 2147483647 Hz)";
}

Ergebnis startNehmen(Geraet& g, std::int64_t s) {
    auto& st = g.st;
    if (!sweepImBereich(s, st.schrittweite, st.messpunkte))
        return abgelehnt(Grund::ausserhalb, ausserhalb32(s, st.schrittweite, st.messpunkte));
    st.startfrequenz = static_cast<std::int32_t>(s);
    return {};
}

}  // namespace

Ergebnis startfrequenzSetzen(Geraet& g, std::int64_t hz) {
    if (auto e = laeuftSchon(g)) return *e;
    return startNehmen(g, hz);
}

Ergebnis startfrequenzSchritt(Geraet& g, bool aufwaerts) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = g.st;
    const std::int64_t s = std::int64_t{st.startfrequenz} + (aufwaerts ? 1 : -1) * std::int64_t{st.schrittweite};
    if (aufwaerts && s >= st.endfrequenz)
        return abgelehnt(Grund::ausserhalb, std::to_string(s) + " Hz is not below the end frequency");
    if (!aufwaerts && s <= 0) return abgelehnt(Grund::ausserhalb, std::to_string(s) + " Hz is not above 0 Hz");
    return startNehmen(g, s);
}

Ergebnis schrittweiteSetzen(Geraet& g, std::int64_t hz) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = g.st;
    if (!sweepImBereich(st.startfrequenz, hz, st.messpunkte))
        return abgelehnt(Grund::ausserhalb, ausserhalb32(st.startfrequenz, hz, st.messpunkte));
    st.schrittweite = static_cast<std::int32_t>(hz);
    return {};
}

namespace {
std::optional<Ergebnis> punkteEinwand(std::int64_t anzahl) {
    if (anzahl < 1 || anzahl > maxMesspunkte)
        return abgelehnt(Grund::ausserhalb, "the points are 1 to " + std::to_string(maxMesspunkte));
    return std::nullopt;
}
}  // namespace

Ergebnis messpunkteSetzen(Geraet& g, std::int64_t anzahl) {
    if (auto e = laeuftSchon(g)) return *e;
    if (auto e = punkteEinwand(anzahl)) return *e;
    auto& st = g.st;
    const auto n = static_cast<std::int32_t>(anzahl);
    if (!sweepImBereich(st.startfrequenz, st.schrittweite, n))
        return abgelehnt(Grund::ausserhalb, ausserhalb32(st.startfrequenz, st.schrittweite, n));
    st.messpunkte = n;
    return {};
}

Ergebnis bereichSetzen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte) {
    if (auto e = laeuftSchon(g)) return *e;
    if (auto e = punkteEinwand(punkte)) return *e;
    const auto n = static_cast<std::int32_t>(punkte);
    if (!sweepImBereich(start, schritt, n)) return abgelehnt(Grund::ausserhalb, ausserhalb32(start, schritt, n));
    auto& st = g.st;
    st.startfrequenz = static_cast<std::int32_t>(start);
    st.schrittweite = static_cast<std::int32_t>(schritt);
    st.messpunkte = n;
    return {};
}

Ergebnis zwischenfrequenzSetzen(Geraet& g, std::int64_t hz) {
    if (auto e = laeuftSchon(g)) return *e;
    if (!passt32(hz)) return abgelehnt(Grund::ausserhalb, "the IF lies beyond 32 bits");
    g.st.zwischenfrequenz = static_cast<std::int32_t>(hz);
    return {};
}

namespace {
Ergebnis zfBit(Geraet& g, std::int32_t bit, bool an) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = g.st;
    st.zfBerechnung = an ? (st.zfBerechnung | bit) : (st.zfBerechnung & (3 & ~bit));
    return {};
}
}  // namespace

Ergebnis zfAnwenden(Geraet& g, bool an) { return zfBit(g, 1, an); }
Ergebnis zfAddieren(Geraet& g, bool addieren) { return zfBit(g, 2, addieren); }

Ergebnis messartWaehlen(Geraet& g, std::int32_t art) {
    const Messart* m = messartDaten(art);
    if (!m) return abgelehnt(Grund::unbekannt, "no measurement kind " + std::to_string(art));
    if (auto e = laeuftSchon(g)) return *e;
    g.st.zfAktiv = m->zf;
    g.st.messart = art;
    diagrammNeu(g);
    if (art == 5) vfoGrundlinie(g.st);
    return {};
}

Ergebnis detektorWaehlen(Geraet& g, bool lin) {
    if (auto e = laeuftSchon(g)) return *e;
    g.st.linModus = lin;
    // Leaving the Smith figure returns to reflection.
    if (g.st.messart == 6) g.st.messart = 2;
    diagrammNeu(g);
    return {};
}

Ergebnis ueberschriftSetzen(Geraet& g, const std::string& text) {
    if (auto e = laeuftSchon(g)) return *e;
    g.st.messzeit = text;
    if (g.geladeneReihe) g.geladeneReihe->ueberschrift = text;
    return {};
}

Ergebnis cursorSetzen(Geraet& g, std::int64_t hz) {
    auto& st = g.st;
    const double index = std::nearbyint((hz - st.startfrequenz) / static_cast<double>(st.schrittweite));
    // A step of 0 or an index beyond 32 bits leaves the cursor where it was.
    if (!std::isfinite(index) || index < INT32_MIN || index > INT32_MAX)
        return abgelehnt(Grund::ausserhalb, "no sweep point near " + std::to_string(hz) + " Hz");
    st.cursorIndex = static_cast<std::int32_t>(index);
    return {};
}

Ergebnis cursorSchieben(Geraet& g, bool rechts) {
    auto& st = g.st;
    st.cursorIndex = rechts ? static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{st.cursorIndex} + 1, st.messpunkte))
                            : std::max<std::int32_t>(st.cursorIndex - 1, 1);
    return {};
}

void cursorZurMitte(Geraet& g) { g.st.cursorIndex = cursorMitte(g.st.messpunkte); }

Antwort generatorAbstimmen(Geraet& g) { return einzelmessung(g, 1, g.st.startfrequenz); }

void diagrammNeu(Geraet& g) {
    // The picture of a loaded series goes, and with it what saving would write.
    g.geladeneReihe.reset();
    diagrammZeichnen(g.st);
}

Ergebnis normieren(Geraet& g) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = g.st;
    const std::int32_t n = punktAnzahl(st);
    std::int32_t m = 0;
    for (std::int32_t i = 1; i <= n; ++i) m = std::max(m, wertBei(st, i));
    for (std::int32_t i = 1; i <= n; ++i)
        st.messwerte[static_cast<std::size_t>(i)] = wrap32(std::int64_t{wertBei(st, i)} + 400 - m);
    kurveUeberzeichnen(st);
    return {};
}

namespace {
Ergebnis starten(Geraet& g, bool einmal, std::function<void()> amEnde, BeiStille beiStille) {
    if (auto e = laeuftSchon(g)) return *e;
    if (!sweepStarten(g, einmal, std::move(amEnde), beiStille))
        return abgelehnt(Grund::sweepLaeuft, "no thread for the sweep");
    return {};
}
}  // namespace

Ergebnis dauerlaufStarten(Geraet& g, std::function<void()> amEnde, BeiStille beiStille) {
    return starten(g, false, std::move(amEnde), beiStille);
}
Ergebnis einDurchlaufStarten(Geraet& g, std::function<void()> amEnde, BeiStille beiStille) {
    return starten(g, true, std::move(amEnde), beiStille);
}

std::optional<Kurvenbild> letzterDurchlauf(Geraet& g) {
    std::lock_guard sperre(g.durchlaufSperre);
    return g.letzterDurchlauf;
}

void stoppAnfordern(Geraet& g) { g.st.stopAnforderung = true; }

void sweepAbschliessen(Geraet& g, const std::function<void()>& inzwischen) {
    if (!sweepLaeuft(g)) return;
    while (!g.st.sweepFertig) inzwischen();
    // Quitting from within the wait (a signal, the window closed) has
    // joined the thread already.
    if (g.sweepThread.joinable()) g.sweepThread.join();
}

}  // namespace qzl::api
