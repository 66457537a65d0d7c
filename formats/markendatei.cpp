#include "formats/markendatei.h"

#include <array>
#include <charconv>
#include <sstream>
#include <string_view>
#include <vector>

#include "formats/textzeilen.h"

namespace qzl {

namespace {

constexpr std::string_view kopf = "qzl7 markers 1";
constexpr std::array<std::string_view, 3> suchen{"none", "max", "min"};
constexpr std::array<std::string_view, 4> halten{"off", "max", "min", "average"};

// The shortest text that reads back as the same number.
std::string zahl(double d) {
    char text[32];
    const auto [ende, fehler] = std::to_chars(text, text + sizeof text, d);
    return fehler == std::errc{} ? std::string(text, ende) : "none";
}


template <std::size_t N>
bool waehlen(const std::array<std::string_view, N>& namen, const std::string& s, std::size_t& i) {
    for (i = 0; i < N; ++i)
        if (namen[i] == s) return true;
    return false;
}


// marker N on|off FREQ search S track on|off range LO HI|none delta M band DB|none
bool markeLesen(const std::vector<std::string>& w, Spureinstellungen& e) {
    std::size_t i = 0;
    int n = 0;
    if (w.size() < 3 || !zahlLesen(w[1], n) || n < 1 || n > anzahlMessmarken) return false;
    Messmarke m;
    if (!schalterLesen(w[2], m.an) || w.size() < 4 || !zahlLesen(w[3], m.frequenz)) return false;
    for (std::size_t k = 4; k < w.size(); k += 2) {
        if (k + 1 >= w.size()) return false;
        const std::string& schluessel = w[k];
        const std::string& wert = w[k + 1];
        if (schluessel == "search") {
            if (!waehlen(suchen, wert, i)) return false;
            m.suche = static_cast<Suche>(i);
        } else if (schluessel == "track") {
            if (!schalterLesen(wert, m.verfolgen)) return false;
        } else if (schluessel == "range") {
            if (wert == "none") continue;
            std::pair<std::int64_t, std::int64_t> b;
            if (k + 2 >= w.size() || !zahlLesen(wert, b.first) || !zahlLesen(w[k + 2], b.second)) return false;
            m.bereich = b;
            ++k;
        } else if (schluessel == "delta") {
            if (!zahlLesen(wert, m.bezug)) return false;
        } else if (schluessel == "band") {
            if (wert == "none") continue;
            double db = 0;
            if (!zahlLesen(wert, db)) return false;
            m.bandDb = db;
        } else {
            return false;
        }
    }
    e.marken[static_cast<std::size_t>(n - 1)] = m;
    return true;
}

bool zeileLesen(const std::vector<std::string>& w, Spureinstellungen& e) {
    std::size_t i = 0;
    if (w[0] == "marker") return markeLesen(w, e);
    if (w[0] == "active") return w.size() == 2 && zahlLesen(w[1], e.aktiv);
    if (w[0] == "hold") {
        if (w.size() < 2 || w.size() > 3 || !waehlen(halten, w[1], i)) return false;
        e.halten = static_cast<Halten>(i);
        return w.size() == 2 || zahlLesen(w[2], e.mittelAnzahl);
    }
    if (w[0] == "math") {
        if (w.size() != 2 || (w[1] != "none" && w[1] != "diff")) return false;
        e.differenz = w[1] == "diff";
        return true;
    }
    if (w[0] == "crystal-fixture") return w.size() == 2 && zahlLesen(w[1], e.quarzFassung);
    return false;
}

}  // namespace

std::vector<std::string> markendateiZeilen(const Spureinstellungen& e) {
    std::vector<std::string> zeilen;
    for (std::size_t n = 0; n < e.marken.size(); ++n) {
        const Messmarke& m = e.marken[n];
        std::string z = "marker " + std::to_string(n + 1) + (m.an ? " on " : " off ") + std::to_string(m.frequenz) +
                        " search " + std::string(suchen[static_cast<std::size_t>(m.suche)]) + " track " +
                        (m.verfolgen ? "on" : "off") + " range ";
        z += m.bereich ? std::to_string(m.bereich->first) + ' ' + std::to_string(m.bereich->second) : "none";
        z += " delta " + std::to_string(m.bezug) + " band " + (m.bandDb ? zahl(*m.bandDb) : "none");
        zeilen.push_back(z);
    }
    zeilen.push_back("active " + std::to_string(e.aktiv));
    zeilen.push_back("hold " + std::string(halten[static_cast<std::size_t>(e.halten)]) + ' ' +
                     std::to_string(e.mittelAnzahl));
    zeilen.push_back(std::string("math ") + (e.differenz ? "diff" : "none"));
    // Only a fixture other than the usual one is written, so that files
    // of users who never analyse crystals stay as they were.
    if (e.quarzFassung != Spureinstellungen{}.quarzFassung) zeilen.push_back("crystal-fixture " + zahl(e.quarzFassung));
    return zeilen;
}

std::string markendateiText(const Spureinstellungen& e) {
    std::vector<std::string> zeilen{std::string(kopf)};
    for (auto& z : markendateiZeilen(e)) zeilen.push_back(std::move(z));
    return textZeilen(zeilen);
}

bool markendateiZeile(const std::string& zeile, Spureinstellungen& e) {
    const auto w = woerter(zeile);
    return !w.empty() && zeileLesen(w, e);
}

Markendatei markendateiLesen(const std::string& daten) {
    TextLeser leser(daten);
    if (leser.zeile() != kopf) return {std::nullopt, "line 1 is not \"" + std::string(kopf) + "\""};
    Spureinstellungen e;
    for (int nummer = 2; !leser.ende(); ++nummer) {
        const std::string zeile = leser.zeile();
        const auto w = woerter(zeile);
        if (w.empty() || w[0].starts_with('#')) continue;
        if (!zeileLesen(w, e)) return {std::nullopt, "line " + std::to_string(nummer) + ": " + zeile};
    }
    return {e, {}};
}

}  // namespace qzl
