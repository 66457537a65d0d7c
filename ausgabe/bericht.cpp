#include "ausgabe/bericht.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "evaluation/auswertung.h"
#include "evaluation/messmarken.h"
#include "state/kurve.h"

namespace qzl {

namespace {

double pegelVon(const InstrumentState& st, std::int32_t wert) { return pegel(wert, st.messart, st.linModus); }

void bandDazu(std::vector<std::pair<std::string, std::string>>& z, const InstrumentState& st, const std::string& name,
              std::int32_t rand) {
    const auto band = kurveAuswerten(st, rand).band;
    z.emplace_back("bandwidth_" + name + "_hz", band ? std::to_string(band->fr - band->fl) : "none");
    z.emplace_back("lower_edge_" + name + "_hz", band ? std::to_string(band->fl) : "none");
    z.emplace_back("upper_edge_" + name + "_hz", band ? std::to_string(band->fr) : "none");
    z.emplace_back("centre_" + name + "_hz", band ? zahlText((band->fl + band->fr) / 2.0) : "none");
}

// To whole hertz, halves to even (the default rounding mode).
std::string hertzGerundet(double hz) { return std::to_string(static_cast<std::int64_t>(std::nearbyint(hz))); }

// The band ndb below the maximum's own level, its edges interpolated; the
// window's bandwidth above keeps whole points and its own rule.
void interpoliertesBandDazu(std::vector<std::pair<std::string, std::string>>& z, const InstrumentState& st,
                            double ndb) {
    const Kurvenbild k = kurvenbild(st);
    const auto spitze = extremum(k, Suche::maximum, {});
    const auto band = spitze ? bandUm(k, *spitze, ndb) : std::nullopt;
    const auto hz = [&](double BandWerte::*feld) { return band ? hertzGerundet((*band).*feld) : "none"; };
    z.emplace_back("band_db", zahlText(ndb));
    z.emplace_back("band_low_hz", hz(&BandWerte::unten));
    z.emplace_back("band_high_hz", hz(&BandWerte::oben));
    z.emplace_back("band_width_hz", hz(&BandWerte::breite));
    z.emplace_back("band_centre_hz", hz(&BandWerte::mitte));
    z.emplace_back("band_q", band ? zahlText(std::nearbyint(band->q * 100) / 100) : "none");
}

}  // namespace

const char* pegelEinheit(const InstrumentState& st) { return st.linModus ? "lin" : "db"; }

std::int32_t ausgabeWert(const InstrumentState& st, const Kurvenbild* differenz, std::int32_t i) {
    return differenz ? differenz->werte[static_cast<std::size_t>(i - 1)] : wertBei(st, i);
}

double ausgabePegel(const InstrumentState& st, const Kurvenbild* differenz, std::int32_t i) {
    return differenz ? differenzPegel(ausgabeWert(st, differenz, i), st.linModus) : pegelBei(st, i);
}

std::string wertSchluessel(const Kurvenbild* differenz) { return differenz ? "reading_diff" : "reading"; }

std::string pegelSchluessel(const InstrumentState& st, const Kurvenbild* differenz) {
    return std::string(differenz ? "level_diff_" : "level_") + pegelEinheit(st);
}

std::vector<std::pair<std::string, std::string>> kennwerte(const InstrumentState& st, std::optional<double> bandDb) {
    const Auswertung a = kurveAuswerten(st);
    const std::string einheit = pegelEinheit(st);
    std::vector<std::pair<std::string, std::string>> z{
        {"maximum_hz", std::to_string(a.maximum.frequenz)},
        {"maximum_" + einheit, zahlText(pegelVon(st, a.maximum.wert))},
        {"minimum_hz", std::to_string(a.minimum.frequenz)},
        {"minimum_" + einheit, zahlText(pegelVon(st, a.minimum.wert))},
    };
    if (st.messart == Messart::durchgang && st.linModus) {
        bandDazu(z, st, "3db", bandRandLog);  // lin: 0.7 x max, whatever the margin
    } else if (st.messart == Messart::durchgang) {
        bandDazu(z, st, "6db", bandRandLog);
        bandDazu(z, st, "3db", bandRandLog / 2);
    }
    if (bandDb) interpoliertesBandDazu(z, st, *bandDb);
    return z;
}

std::string berichtText(const InstrumentState& st, std::optional<double> bandDb) {
    std::string text;
    for (const auto& [schluessel, wert] : kennwerte(st, bandDb)) text += schluessel + ": " + wert + "\n";
    return text;
}

std::vector<Verstoss> grenzenPruefen(const InstrumentState& st, const std::vector<Grenze>& grenzen,
                                     const Kurvenbild* differenz) {
    std::vector<Verstoss> verstoesse;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::int64_t f = punktFrequenz(st, i);
        const double p = ausgabePegel(st, differenz, i);
        for (const auto& g : grenzen) {
            if (f < g.f1 || f > g.f2) continue;
            if (g.oben ? p < g.pegel : p > g.pegel) verstoesse.push_back({i, f, p, &g});
        }
    }
    return verstoesse;
}

std::string grenzenEinwand(const InstrumentState& st, const std::vector<Grenze>& grenzen, bool differenz) {
    const std::int64_t erste = punktFrequenz(st, 1);
    const std::int64_t letzte = punktFrequenz(st, punktAnzahl(st));
    for (const auto& g : grenzen) {
        if (st.linModus && g.pegel < 0 && !differenz)
            return g.text + ": a ratio of the linear detector is never below 0; give the ratio to the top line "
                            "(e.g. 0.5), or sweep with --detector log for a level in dB";
        bool getroffen = false;
        for (std::int32_t i = 1; i <= punktAnzahl(st) && !getroffen; ++i) {
            const std::int64_t f = punktFrequenz(st, i);
            getroffen = f >= g.f1 && f <= g.f2;
        }
        if (!getroffen)
            return g.text + ": no sweep point lies between " + std::to_string(g.f1) + " and " + std::to_string(g.f2) +
                   " Hz (the sweep runs from " + std::to_string(erste) + " to " + std::to_string(letzte) + " Hz)";
    }
    return {};
}

std::string grenzenText(const InstrumentState& st, const std::vector<Verstoss>& verstoesse) {
    if (verstoesse.empty()) return "PASS\n";
    const std::string einheit = st.linModus ? "" : " dB";
    std::string text = "FAIL\n";
    for (const auto& v : verstoesse)
        text += std::to_string(v.frequenz) + " Hz: " + zahlText(v.pegel) + einheit + (v.grenze->oben ? " below " : " above ") +
                "the limit " + zahlText(v.grenze->pegel) + einheit + " (" + v.grenze->text + ")\n";
    return text;
}

}  // namespace qzl
