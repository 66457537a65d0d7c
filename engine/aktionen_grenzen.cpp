// The API's limits: loaded from a file, judging every pass.
#include <mutex>

#include "engine/api.h"
#include "engine/einwaende.h"
#include "engine/spuren.h"
#include "formats/grenzdatei.h"
#include "platform/datei.h"

namespace qzl::api {

Ergebnis grenzenLaden(Geraet& g, const std::string& pfad) {
    IoFehler fehler;
    auto daten = gewaehlteDateiLesen(pfad, fehler, textdateiGrenze + 1);
    if (!daten) return {Grund::dateifehler, fehler.text, fehler};
    if (daten->size() > textdateiGrenze) return abgelehnt(Grund::falscheDatei, pfad + ": more than 1 MiB, no limit file");
    return grenzenUebernehmen(g, *daten, pfad);
}

Ergebnis grenzenUebernehmen(Geraet& g, const std::string& daten, const std::string& name) {
    std::string grund;
    auto grenzen = grenzdateiLesen(daten, name, &grund);
    if (!grenzen) return abgelehnt(Grund::falscheDatei, grund);
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    s.grenzen = std::move(*grenzen);
    s.grenzDatei = name;
    s.grenzenAn = true;
    urteilFaellen(g.st, s);
    ++s.version;
    return {};
}

void grenzenVerwerfen(Geraet& g) {
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    s.grenzen.clear();
    s.grenzDatei.clear();
    s.urteil.reset();
    ++s.version;
}

void grenzenPruefenSetzen(Geraet& g, bool an) {
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    s.grenzenAn = an;
    urteilFaellen(g.st, s);
    ++s.version;
}

}  // namespace qzl::api
