#include "formats/grenzdatei.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "state/frequenz_text.h"

namespace qzl {

namespace {

std::optional<double> pegelLesen(std::string_view w) {
    if (w.size() > 2 && (w.ends_with("dB") || w.ends_with("db"))) w.remove_suffix(2);
    double d = 0;
    const auto [ende, fehler] = std::from_chars(w.data(), w.data() + w.size(), d);
    if (w.empty() || fehler != std::errc{} || ende != w.data() + w.size() || !std::isfinite(d)) return std::nullopt;
    return d;
}

// The segment of one line without its comment; its reason when it is none.
std::optional<Grenze> segmentLesen(const std::string& zeile, std::string& grund) {
    std::istringstream ein(zeile);
    std::vector<std::string> w;
    for (std::string s; ein >> s;) w.push_back(s);
    if (w.size() != 4 || (w[0] != "above" && w[0] != "below")) {
        grund = "not \"above START STOP LEVEL\" or \"below START STOP LEVEL\"";
        return std::nullopt;
    }
    Grenze g;
    g.oben = w[0] == "above";
    const auto f1 = hertzLesen(w[1]), f2 = hertzLesen(w[2]);
    const auto pegel = pegelLesen(w[3]);
    for (const auto& [f, text] : {std::pair{f1, w[1]}, std::pair{f2, w[2]}})
        if (!f || *f < 0) {
            grund = "'" + text + "' is not a frequency of 0 Hz or more (e.g. 10700000, 10.7M, 455k)";
            return std::nullopt;
        }
    if (!pegel) {
        grund = "'" + w[3] + "' is not a level (e.g. -3, -40dB, 0.5)";
        return std::nullopt;
    }
    if (*f1 > *f2) {
        grund = "the segment runs downward: give the lower frequency first";
        return std::nullopt;
    }
    g.f1 = *f1;
    g.f2 = *f2;
    g.pegel = *pegel;
    return g;
}

}  // namespace

std::optional<std::vector<Grenze>> grenzdateiLesen(std::string_view daten, const std::string& name,
                                                   std::string* fehler) {
    std::vector<Grenze> grenzen;
    int nummer = 0;
    std::size_t pos = 0;
    while (pos < daten.size()) {
        auto ende = daten.find('\n', pos);
        if (ende == std::string_view::npos) ende = daten.size();
        std::string zeile(daten.substr(pos, ende - pos));
        pos = ende + 1;
        ++nummer;
        if (const auto kommentar = zeile.find('#'); kommentar != std::string::npos) zeile.resize(kommentar);
        if (zeile.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string grund;
        auto g = segmentLesen(zeile, grund);
        if (!g) {
            if (fehler) *fehler = name + ", line " + std::to_string(nummer) + ": " + grund;
            return std::nullopt;
        }
        g->text = name + " line " + std::to_string(nummer);
        grenzen.push_back(std::move(*g));
    }
    if (grenzen.empty()) {
        if (fehler) *fehler = name + ": holds no limit (lines \"above START STOP LEVEL\" or \"below START STOP LEVEL\")";
        return std::nullopt;
    }
    return grenzen;
}

}  // namespace qzl
