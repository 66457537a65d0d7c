#include "ausgabe/bericht.h"

#include <algorithm>
#include <charconv>

#include "evaluation/auswertung.h"
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

}  // namespace

const char* pegelEinheit(const InstrumentState& st) { return st.linModus ? "lin" : "db"; }

std::vector<std::pair<std::string, std::string>> kennwerte(const InstrumentState& st) {
    const Auswertung a = kurveAuswerten(st);
    const std::string einheit = pegelEinheit(st);
    std::vector<std::pair<std::string, std::string>> z{
        {"maximum_hz", std::to_string(a.maximum.frequenz)},
        {"maximum_" + einheit, zahlText(pegelVon(st, a.maximum.wert))},
        {"minimum_hz", std::to_string(a.minimum.frequenz)},
        {"minimum_" + einheit, zahlText(pegelVon(st, a.minimum.wert))},
    };
    if (st.messart != Messart::durchgang) return z;
    if (st.linModus) {
        bandDazu(z, st, "3db", bandRandLog);  // lin: 0.7 x max, whatever the margin
    } else {
        bandDazu(z, st, "6db", bandRandLog);
        bandDazu(z, st, "3db", bandRandLog / 2);
    }
    return z;
}

std::string berichtText(const InstrumentState& st) {
    std::string text;
    for (const auto& [schluessel, wert] : kennwerte(st)) text += schluessel + ": " + wert + "\n";
    return text;
}

std::vector<Verstoss> grenzenPruefen(const InstrumentState& st, const std::vector<Grenze>& grenzen) {
    std::vector<Verstoss> verstoesse;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::int64_t f = punktFrequenz(st, i);
        const double p = pegelBei(st, i);
        for (const auto& g : grenzen) {
            if (f < g.f1 || f > g.f2) continue;
            if (g.oben ? p < g.pegel : p > g.pegel) verstoesse.push_back({i, f, p, &g});
        }
    }
    return verstoesse;
}

std::string grenzenEinwand(const InstrumentState& st, const std::vector<Grenze>& grenzen) {
    const std::int64_t erste = punktFrequenz(st, 1);
    const std::int64_t letzte = punktFrequenz(st, punktAnzahl(st));
    for (const auto& g : grenzen) {
        if (st.linModus && g.pegel < 0)
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
