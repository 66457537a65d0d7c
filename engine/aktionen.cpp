// The API's settings, the picture and the sweep's start and end.
#include <cmath>
#include <limits>

#include "diagram/diagramm.h"
#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/zustand.h"
#include "engine/einwaende.h"
#include "engine/durchlauf.h"
#include "engine/messarten.h"
#include "state/ganzzahl.h"
#include "state/kurve.h"

namespace qzl::api {

namespace {

bool passt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

std::optional<Ergebnis> bereichAbgelehnt(std::int64_t start, std::int64_t schritt, std::int32_t punkte,
                                         Erlaubnis erlaubnis) {
    if (auto text = bereichEinwand(start, schritt, punkte, erlaubnis)) return abgelehnt(Grund::ausserhalb, *text);
    return std::nullopt;
}

Ergebnis startNehmen(Geraet& g, std::int64_t s, Erlaubnis erlaubnis) {
    auto& st = zustand(g);
    if (auto e = bereichAbgelehnt(s, st.schrittweite, st.messpunkte, erlaubnis)) return *e;
    st.startfrequenz = static_cast<std::int32_t>(s);
    return {};
}

}  // namespace

Ergebnis startfrequenzSetzen(Geraet& g, std::int64_t hz, Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return *e;
    return startNehmen(g, hz, erlaubnis);
}

Ergebnis startfrequenzSchritt(Geraet& g, bool aufwaerts) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = zustand(g);
    const std::int64_t s = std::int64_t{st.startfrequenz} + (aufwaerts ? 1 : -1) * std::int64_t{st.schrittweite};
    if (aufwaerts && s >= st.endfrequenz)
        return abgelehnt(Grund::ausserhalb, std::to_string(s) + " Hz is not below the end frequency");
    if (!aufwaerts && s <= 0) return abgelehnt(Grund::ausserhalb, std::to_string(s) + " Hz is not above 0 Hz");
    return startNehmen(g, s, Erlaubnis::fenster);
}

Ergebnis schrittweiteSetzen(Geraet& g, std::int64_t hz, Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = zustand(g);
    if (auto e = bereichAbgelehnt(st.startfrequenz, hz, st.messpunkte, erlaubnis)) return *e;
    st.schrittweite = static_cast<std::int32_t>(hz);
    return {};
}

namespace {
std::optional<Ergebnis> punkteEinwand(std::int64_t anzahl) {
    if (!punkteErlaubt(anzahl)) return abgelehnt(Grund::ausserhalb, punkteText());
    return std::nullopt;
}
}  // namespace

Ergebnis messpunkteSetzen(Geraet& g, std::int64_t anzahl, Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return *e;
    if (auto e = punkteEinwand(anzahl)) return *e;
    auto& st = zustand(g);
    const auto n = static_cast<std::int32_t>(anzahl);
    if (auto e = bereichAbgelehnt(st.startfrequenz, st.schrittweite, n, erlaubnis)) return *e;
    st.messpunkte = n;
    return {};
}

Ergebnis bereichSetzen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte,
                       Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return *e;
    return bereichUebernehmen(g, start, schritt, punkte, erlaubnis);
}

Ergebnis bereichUebernehmen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte,
                            Erlaubnis erlaubnis) {
    if (auto e = punkteEinwand(punkte)) return *e;
    const auto n = static_cast<std::int32_t>(punkte);
    if (auto e = bereichAbgelehnt(start, schritt, n, erlaubnis)) return *e;
    auto& st = zustand(g);
    st.startfrequenz = static_cast<std::int32_t>(start);
    st.schrittweite = static_cast<std::int32_t>(schritt);
    st.messpunkte = n;
    return {};
}

Ergebnis zwischenfrequenzSetzen(Geraet& g, std::int64_t hz) {
    if (auto e = laeuftSchon(g)) return *e;
    if (!passt32(hz)) return abgelehnt(Grund::ausserhalb, "the IF lies beyond 32 bits");
    zustand(g).zwischenfrequenz = static_cast<std::int32_t>(hz);
    return {};
}

namespace {
Ergebnis zfBit(Geraet& g, std::int32_t bit, bool an) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = zustand(g);
    st.zfBerechnung = an ? (st.zfBerechnung | bit) : (st.zfBerechnung & (3 & ~bit));
    return {};
}
}  // namespace

Ergebnis zfAnwenden(Geraet& g, bool an) { return zfBit(g, 1, an); }
Ergebnis zfAddieren(Geraet& g, bool addieren) { return zfBit(g, 2, addieren); }

Ergebnis messartWaehlen(Geraet& g, Messart art) {
    const MessartDaten* m = messartDaten(art);
    // The Smith figure keeps reflection's controls and IF.
    if (!m && art != Messart::smith) return abgelehnt(Grund::unbekannt, "no measurement kind " + std::to_string(zahl(art)));
    if (auto e = laeuftSchon(g)) return *e;
    if (m) zustand(g).zfAktiv = m->zf;
    zustand(g).messart = art;
    diagrammNeu(g);
    if (art == Messart::vfo) vfoGrundlinie(zustand(g));
    return {};
}

Ergebnis detektorWaehlen(Geraet& g, bool lin) {
    if (auto e = laeuftSchon(g)) return *e;
    zustand(g).linModus = lin;
    // Leaving the Smith figure returns to reflection.
    if (zustand(g).messart == Messart::smith) zustand(g).messart = Messart::reflexion;
    diagrammNeu(g);
    return {};
}

Ergebnis ueberschriftSetzen(Geraet& g, const std::string& text) {
    if (auto e = laeuftSchon(g)) return *e;
    zustand(g).messzeit = text;
    if (g.geladeneReihe) g.geladeneReihe->ueberschrift = text;
    return {};
}

Ergebnis cursorSetzen(Geraet& g, std::int64_t hz) {
    auto& st = zustand(g);
    const double index = std::nearbyint((hz - st.startfrequenz) / static_cast<double>(st.schrittweite));
    // A step of 0 or an index beyond 32 bits leaves the cursor where it was.
    if (!std::isfinite(index) || index < INT32_MIN || index > INT32_MAX)
        return abgelehnt(Grund::ausserhalb, "no sweep point near " + std::to_string(hz) + " Hz");
    st.cursorIndex = static_cast<std::int32_t>(index);
    return {};
}

Ergebnis cursorSchieben(Geraet& g, bool rechts) {
    auto& st = zustand(g);
    st.cursorIndex = rechts ? static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{st.cursorIndex} + 1, st.messpunkte))
                            : std::max<std::int32_t>(st.cursorIndex - 1, 1);
    return {};
}

void cursorZurMitte(Geraet& g) { zustand(g).cursorIndex = cursorMitte(zustand(g).messpunkte); }

Antwort generatorAbstimmen(Geraet& g) { return einzelmessung(g, 1, zustand(g).startfrequenz); }

void diagrammNeu(Geraet& g) {
    // The picture of a loaded series goes, and with it what saving would write.
    g.geladeneReihe.reset();
    diagrammZeichnen(zustand(g));
    spurenNeu(g);
}

Ergebnis normieren(Geraet& g) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = zustand(g);
    const std::int32_t n = punktAnzahl(st);
    std::int32_t m = 0;
    for (std::int32_t i = 1; i <= n; ++i) m = std::max(m, wertBei(st, i));
    for (std::int32_t i = 1; i <= n; ++i)
        st.messwerte[static_cast<std::size_t>(i)] = wrap32(std::int64_t{wertBei(st, i)} + 400 - m);
    kurveUeberzeichnen(st);
    spurenNormiert(g, wrap32(std::int64_t{400} - m));
    return {};
}

Aenderung anzeigeAuffrischen(Geraet& g) {
    auto& st = zustand(g);
    Aenderung teil;
    {
        std::lock_guard lk(st.kurvenSperre);
        teil = st.kurvenRaster.aenderungenNehmen();
        spaltenKopieren(st.kurvenKopie, st.kurvenRaster, teil.spalten);
    }
    const Aenderung gitter = st.gitterRaster.aenderungenNehmen();
    teil.dazu(gitter);
    teil.dazu(spurRasterAuffrischen(g, !gitter.leer()));
    rasterKombinieren(st.anzeigeBitmap, st.gitterRaster, st.kurvenKopie, teil, g.spurRasterAn ? &g.spurRaster : nullptr);
    return teil;
}

AnzeigeBitmap anzeigeBild(Geraet& g) {
    auto& st = zustand(g);
    AnzeigeBitmap bild;
    const auto spuren = spurRasterBild(g);
    std::lock_guard sperre(st.kurvenSperre);
    rasterKombinieren(bild, st.gitterRaster, st.kurvenRaster, spuren.get());
    return bild;
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

void stoppAnfordern(Geraet& g) { zustand(g).stopAnforderung = true; }

void sweepAbschliessen(Geraet& g, const std::function<void()>& inzwischen) {
    if (!sweepLaeuft(g)) return;
    while (!zustand(g).sweepFertig) inzwischen();
    // Quitting from within the wait (a signal, the window closed) has
    // joined the thread already.
    if (g.sweepThread.joinable()) g.sweepThread.join();
}

}  // namespace qzl::api
