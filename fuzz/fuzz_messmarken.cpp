// Damaged markers' files: taken as a whole or refused, then read off a
// curve made of the same bytes (bands, peaks, tracking) and drawn.
#include <mutex>
#include <string>

#include "engine/api.h"
#include "formats/markendatei.h"
#include "umgebung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using namespace qzl;
    auto& u = fuzz::Umgebung::frisch();
    Geraet& g = u.p.geraet;
    api::spurEinstellungenSetzen(g, {});
    api::referenzVerwerfen(g);
    spurenNeu(g);
    const std::string daten(reinterpret_cast<const char*>(d), n);
    const auto gelesen = markendateiLesen(daten);
    if (api::markenUebernehmen(g, daten)) {
        fuzz::pruefen(gelesen.einstellungen.has_value());
        // What is written reads back the same.
        fuzz::pruefen(markendateiLesen(markendateiText(*gelesen.einstellungen)).einstellungen == gelesen.einstellungen);
    } else {
        fuzz::pruefen(api::spurAnsicht(g).e == Spureinstellungen{});
    }

    Kurvenbild k = kurvenbild(u.st);
    for (std::size_t i = 0; i < k.werte.size(); ++i) k.werte[i] = n ? d[i % n] * 4 : 1;
    spurenNachDurchlauf(g, k);
    {
        std::lock_guard sperre(g.durchlaufSperre);
        g.letzterDurchlauf = k;
    }
    api::referenzUebernehmen(g);
    const auto a = api::spurAnsicht(g);
    for (const auto& ab : a.ablesungen)
        if (ab.band) fuzz::pruefen(ab.band->unten < ab.band->oben && ab.band->q > 0);
    api::anzeigeAuffrischen(g);
    return 0;
}
