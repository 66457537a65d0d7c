// The API's files: configurations and series, by path.
#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/zustand.h"
#include "engine/durchlauf.h"
#include "formats/konfiguration.h"
#include "formats/messreihe.h"

namespace qzl::api {

namespace {

Ergebnis dateiFehler(const IoFehler& f) { return {Grund::dateifehler, f.text, f}; }

std::optional<std::string> lesen(const std::string& pfad, Ergebnis& e) {
    IoFehler fehler;
    auto daten = gewaehlteDateiLesen(pfad, fehler, textdateiGrenze);
    if (!daten) e = dateiFehler(fehler);
    return daten;
}

Ergebnis schreiben(const std::string& pfad, const std::string& daten) {
    if (auto fehler = dateiSchreiben(pfad, daten)) return dateiFehler(*fehler);
    return {};
}

}  // namespace

Ergebnis konfigurationLaden(Geraet& g, const std::string& pfad) {
    if (sweepLaeuft(g)) return {Grund::sweepLaeuft, "a sweep is running", std::nullopt};
    Ergebnis e;
    auto daten = lesen(pfad, e);
    if (!daten) return e;
    if (!konfigurationLesen(zustand(g), std::move(*daten)))
        return {Grund::falscheDatei, pfad + " is no configuration file", std::nullopt};
    cursorZurMitte(g);
    diagrammNeu(g);
    return {};
}

Ergebnis konfigurationSpeichern(Geraet& g, const std::string& pfad) {
    return schreiben(pfad, konfigurationText(zustand(g)));
}

Ergebnis messreiheLaden(Geraet& g, const std::string& pfad) {
    if (sweepLaeuft(g)) return {Grund::sweepLaeuft, "a sweep is running", std::nullopt};
    Ergebnis e;
    auto daten = lesen(pfad, e);
    if (!daten) return e;
    auto reihe = messreiheLesen(std::move(*daten));
    if (!reihe) return {Grund::falscheDatei, pfad + " is no series file", std::nullopt};
    reiheZeichnen(zustand(g), *reihe);
    spurenNeu(g, reiheKurve(*reihe), true);
    g.geladeneReihe = std::move(reihe);
    g.geladenerPfad = pfad;
    return {};
}

Ergebnis messreiheSpeichern(Geraet& g, const std::string& pfad) {
    const auto& geladen = g.geladeneReihe;
    Messreihe reihe = geladen ? *geladen : messreiheAusEinstellungen(zustand(g));
    // What the diagram shows: the loaded series with the readings as they
    // are now (the "max" button may have moved them).
    if (geladen)
        for (std::int32_t k = 1; k <= reihe.n; ++k)
            reihe.werte[static_cast<std::size_t>(k)] = zustand(g).messwerte[static_cast<std::size_t>(k)];
    return schreiben(pfad, messreiheText(reihe));
}

}  // namespace qzl::api
