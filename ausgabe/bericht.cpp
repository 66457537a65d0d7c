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

namespace {

std::vector<Grenzpunkt> grenzpunkte(const InstrumentState& st, const Kurvenbild* differenz) {
    std::vector<Grenzpunkt> punkte;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i)
        punkte.push_back({punktFrequenz(st, i), ausgabePegel(st, differenz, i)});
    return punkte;
}

}  // namespace

std::vector<Verstoss> grenzenPruefen(const InstrumentState& st, const std::vector<Grenze>& grenzen,
                                     const Kurvenbild* differenz) {
    return grenzenPruefen(grenzpunkte(st, differenz), grenzen);
}

std::string grenzenEinwand(const InstrumentState& st, const std::vector<Grenze>& grenzen, bool differenz) {
    return grenzenEinwand(grenzpunkte(st, nullptr), grenzen, st.linModus, differenz);
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
