#include "cli/referenz.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

#include "cli/ausgabe.h"
#include "cli/reihe_lesen.h"
#include "evaluation/messmarken.h"
#include "formats/messreihe.h"
#include "platform/datei.h"

namespace qzl::cli {

namespace {

const char* const differenzGrund =
    "holds differences (written with --math diff), not a measurement to subtract";

std::string_view ohneRaender(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\r')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

std::optional<std::int64_t> ganz(std::string_view t) {
    t = ohneRaender(t);
    std::int64_t wert = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), wert);
    if (t.empty() || ec != std::errc{} || p != t.data() + t.size()) return std::nullopt;
    return wert;
}

// The points in the file's order, each where the step of the first two puts
// it, as a series file holds them: a reference is compared point by point.
std::string punktDazu(Kurvenbild& k, std::optional<std::int64_t> hz, std::optional<std::int64_t> wert) {
    constexpr std::int64_t groesste = std::numeric_limits<std::int32_t>::max();
    if (!hz) return "the frequency is not a whole number of hertz";
    if (*hz < 0 || *hz > groesste) return "the frequency " + std::to_string(*hz) + " Hz lies outside 0 to 2147483647 Hz";
    if (!wert || *wert < -groesste || *wert > groesste) return "the reading is not a whole number of 32 bits";
    if (k.werte.size() >= static_cast<std::size_t>(maxMesspunkte))
        return "more than " + std::to_string(maxMesspunkte) + " points, more than a sweep has";
    if (k.werte.empty()) k.start = static_cast<std::int32_t>(*hz);
    if (k.werte.size() == 1) k.schritt = static_cast<std::int32_t>(*hz - k.start);
    const std::int64_t soll = std::int64_t{k.start} + static_cast<std::int64_t>(k.werte.size()) * k.schritt;
    if (*hz != soll)
        return std::to_string(*hz) + " Hz where " + std::to_string(soll) + " Hz belongs: every point lies a step (" +
               std::to_string(k.schritt) + " Hz, from the first two points) above the one before";
    k.werte.push_back(static_cast<std::int32_t>(*wert));
    return {};
}

// csv or tsv as tabelleText writes them.
std::string tabelleLesen(std::string_view d, char trenner, Kurvenbild& k) {
    std::size_t zeile = 0;
    for (std::size_t a = 0; a < d.size();) {
        const auto b = std::min(d.find('\n', a), d.size());
        const std::string_view text = ohneRaender(d.substr(a, b - a));
        a = b + 1;
        const std::string wo = "line " + std::to_string(++zeile) + ": ";
        if (zeile == 1) {
            const std::string t(1, trenner);
            const std::string kopf = "frequency_hz" + t + "reading" + t + "level_";
            if (text.find("_diff") != std::string_view::npos) return wo + differenzGrund;
            if (text != kopf + "db" && text != kopf + "lin")
                return wo + "not the header of a table qzl7-cli writes (" + kopf + "db or " + kopf + "lin)";
            k.lin = text.ends_with("lin");
            continue;
        }
        // Empty lines may end the file, as an editor leaves them.
        if (text.empty() && (a >= d.size() || d.find_first_not_of(" \r\n", a) == std::string_view::npos)) break;
        const auto erster = text.find(trenner);
        const auto zweiter = erster == std::string_view::npos ? erster : text.find(trenner, erster + 1);
        if (zweiter == std::string_view::npos || text.find(trenner, zweiter + 1) != std::string_view::npos)
            return wo + "not FREQUENCY" + std::string(1, trenner) + "READING" + std::string(1, trenner) + "LEVEL";
        if (auto f = punktDazu(k, ganz(text.substr(0, erster)), ganz(text.substr(erster + 1, zweiter - erster - 1)));
            !f.empty())
            return wo + f;
    }
    return k.werte.empty() ? "line 2: no points" : "";
}

// The number after key in text, up to the next comma or brace.
std::optional<std::int64_t> zahlNach(std::string_view text, std::string_view schluessel) {
    const auto p = text.find(schluessel);
    if (p == std::string_view::npos) return std::nullopt;
    const auto anfang = p + schluessel.size();
    return ganz(text.substr(anfang, text.find_first_of(",}", anfang) - anfang));
}

// The layout jsonText writes: the detector among the settings, then the
// points, each an object with frequency_hz and reading.
std::string jsonLesen(std::string_view d, Kurvenbild& k) {
    if (d.find("\"math\": \"diff\"") != std::string_view::npos) return differenzGrund;
    const auto detektor = d.find("\"detector\": \"");
    const auto liste = d.find("\"points\": [");
    if (detektor == std::string_view::npos || liste == std::string_view::npos)
        return "not a JSON qzl7-cli wrote: no \"detector\" among the settings, or no \"points\" list";
    k.lin = d.substr(detektor + 13, 4) == "lin\"";
    std::size_t p = liste + 11;
    for (int n = 1;; ++n) {
        p = d.find_first_not_of(" \r\n\t", p);
        if (p != std::string_view::npos && d[p] == ']') break;
        const auto ende = p == std::string_view::npos ? p : d.find('}', p);
        if (ende == std::string_view::npos || d[p] != '{')
            return "point " + std::to_string(n) + ": not {\"frequency_hz\": F, \"reading\": R, ...}";
        const std::string_view punkt = d.substr(p, ende - p + 1);
        if (auto f = punktDazu(k, zahlNach(punkt, "\"frequency_hz\":"), zahlNach(punkt, "\"reading\":")); !f.empty())
            return "point " + std::to_string(n) + ": " + f;
        p = d.find_first_not_of(" \r\n\t", ende + 1);
        if (p != std::string_view::npos && d[p] == ',') ++p;
    }
    return k.werte.empty() ? "no points" : "";
}

}  // namespace

std::string referenzLesen(const std::string& daten, Kurvenbild& k) {
    k = Kurvenbild{};
    for (std::int32_t art = 1; art <= 3; ++art)
        if (daten.starts_with(messreiheKopf(art))) {
            Messreihe reihe;
            if (auto f = reiheStrengLesen(daten, reihe); !f.empty()) return f;
            k = reiheKurve(reihe);
            return {};
        }
    const std::string_view d = daten;
    const auto anfang = d.find_first_not_of(" \r\n\t");
    if (anfang != std::string_view::npos && d[anfang] == '{') return jsonLesen(d, k);
    if (d.starts_with("frequency_hz,")) return tabelleLesen(d, ',', k);
    if (d.starts_with("frequency_hz\t")) return tabelleLesen(d, '\t', k);
    return "line 1: neither a series file of qzl7 nor a csv, tsv or json that qzl7-cli wrote";
}

std::string referenzLaden(const std::string& pfad, const Kurvenbild& gemessen, std::optional<Kurvenbild>& referenz) {
    IoFehler io;
    const auto daten = gewaehlteDateiLesen(pfad, io, textdateiGrenze + 1);
    if (!daten) return "--reference " + pfad + ": cannot be read: " + englisch(io);
    if (daten->size() > textdateiGrenze) return "--reference " + pfad + ": more than 1 MiB, no sweep of qzl7";
    Kurvenbild k;
    if (auto f = referenzLesen(*daten, k); !f.empty()) return "--reference " + pfad + ", " + f;
    if (auto f = gitterEinwand(gemessen, k); !f.empty())
        return "--reference " + pfad + ": " + f + "; the sweep has " + std::to_string(gemessen.werte.size()) +
               " points from " + std::to_string(gemessen.start) + " Hz in steps of " + std::to_string(gemessen.schritt) +
               " Hz, with the " + (gemessen.lin ? "linear" : "logarithmic") + " detector";
    referenz = std::move(k);
    return {};
}

}  // namespace qzl::cli
