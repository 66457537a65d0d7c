#include "evaluation/grenzen.h"

#include <algorithm>

#include "evaluation/messmarken.h"

namespace qzl {

bool grenzeVerletzt(const Grenze& g, const Grenzpunkt& p) {
    if (p.frequenz < g.f1 || p.frequenz > g.f2) return false;
    return g.oben ? p.pegel < g.pegel : p.pegel > g.pegel;
}

std::vector<Verstoss> grenzenPruefen(const std::vector<Grenzpunkt>& punkte, const std::vector<Grenze>& grenzen) {
    std::vector<Verstoss> verstoesse;
    for (const auto& p : punkte)
        for (const auto& g : grenzen)
            if (grenzeVerletzt(g, p)) verstoesse.push_back({p.frequenz, p.pegel, &g});
    return verstoesse;
}

std::string grenzenEinwand(const std::vector<Grenzpunkt>& punkte, const std::vector<Grenze>& grenzen, bool lin,
                           bool differenz) {
    for (const auto& g : grenzen) {
        if (lin && g.pegel < 0 && !differenz)
            return g.text + ": a ratio of the linear detector is never below 0; give the ratio to the top line "
                            "(e.g. 0.5), or sweep with the logarithmic detector for a level in dB";
        const bool getroffen = std::any_of(punkte.begin(), punkte.end(), [&](const Grenzpunkt& p) {
            return p.frequenz >= g.f1 && p.frequenz <= g.f2;
        });
        if (!getroffen) {
            std::string text = g.text + ": no sweep point lies between " + std::to_string(g.f1) + " and " +
                               std::to_string(g.f2) + " Hz";
            if (!punkte.empty())
                text += " (the sweep runs from " + std::to_string(punkte.front().frequenz) + " to " +
                        std::to_string(punkte.back().frequenz) + " Hz)";
            return text;
        }
    }
    return {};
}

Grenzurteil grenzurteil(const Kurvenbild& k, const std::vector<Grenze>& grenzen) {
    std::vector<Grenzpunkt> punkte;
    for (std::int32_t i = 1; i <= static_cast<std::int32_t>(k.werte.size()); ++i)
        punkte.push_back({frequenzBei(k, i), pegelBei(k, i)});
    Grenzurteil u;
    u.synthetisch = k.synthetisch;
    u.einwand = grenzenEinwand(punkte, grenzen, k.lin);
    if (!u.einwand.empty()) return u;
    for (const auto& v : grenzenPruefen(punkte, grenzen))
        if (u.fehler.empty() || u.fehler.back() != v.frequenz) u.fehler.push_back(v.frequenz);
    return u;
}

}  // namespace qzl
