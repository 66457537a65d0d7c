#include "cli/reihe_lesen.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/durchlauf.h"
#include "formats/messreihe.h"
#include "formats/textzeilen.h"
#include "state/regeln.h"
#include "state/zeichensatz.h"

namespace qzl::cli {

namespace {

constexpr std::int64_t groesste32 = std::numeric_limits<std::int32_t>::max();
// The widest converter's readings, 10 bits.
constexpr std::int32_t hoechsterRohwert = 1023;

// The lines as the window reads them, and whether the last one lacks its
// end: a file cut off.
struct Zeilen {
    std::vector<std::string> zeilen;
    bool offen = false;
};

Zeilen zerlegen(const std::string& daten) {
    TextLeser leser(daten);
    Zeilen z;
    while (!leser.ende()) z.zeilen.push_back(leser.zeile());
    z.offen = leser.abgeschnitten();
    return z;
}

// Digits with a minus at most, as the window writes numbers; blanks around pass.
std::optional<std::int64_t> ganz(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    std::int64_t wert = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), wert);
    if (t.empty() || ec != std::errc{} || p != t.data() + t.size()) return std::nullopt;
    return wert;
}

// Why t is no whole number: digits too many for any number are out of range.
std::string keineZahl(const char* was, std::string_view t, const char* einheit = "") {
    std::string_view z = t;
    while (!z.empty() && z.front() == ' ') z.remove_prefix(1);
    while (!z.empty() && z.back() == ' ') z.remove_suffix(1);
    std::int64_t wert = 0;
    const auto [p, ec] = std::from_chars(z.data(), z.data() + z.size(), wert);
    const bool zuGross = ec == std::errc::result_out_of_range && p == z.data() + z.size();
    return "the " + std::string(was) + " '" + std::string(t) + "' " +
           (zuGross ? "is out of range" : "is not a whole number" + std::string(einheit));
}

std::optional<std::int32_t> ganz32(std::string_view t) {
    const auto w = ganz(t);
    if (!w || *w < std::numeric_limits<std::int32_t>::min() || *w > groesste32) return std::nullopt;
    return static_cast<std::int32_t>(*w);
}

std::vector<std::string_view> felder(std::string_view zeile) {
    std::vector<std::string_view> f;
    for (std::size_t a = 0;;) {
        const auto b = zeile.find(';', a);
        f.push_back(zeile.substr(a, b == std::string_view::npos ? b : b - a));
        if (b == std::string_view::npos) return f;
        a = b + 1;
    }
}

// The readings a pass can store with the factors, from every converter
// value (at least 1, as the pass keeps them), and what "Normieren" makes of
// them (the highest moved to 400).
std::pair<std::int64_t, std::int64_t> lesbar(std::int32_t k1, std::int32_t k2) {
    std::int64_t lo = std::numeric_limits<std::int64_t>::max(), hi = 1;
    for (std::int32_t roh = 0; roh <= hoechsterRohwert; ++roh) {
        const std::int64_t v = std::max(umrechnen(static_cast<std::uint16_t>(roh), k1, k2), 1);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    return {std::min(lo, lo + 400 - hi), std::max<std::int64_t>(hi, 400)};
}

// One point line, k (1-based) of the series; "" or what is wrong with it.
std::string punktLesen(std::string_view zeile, std::int32_t k, Messreihe& r,
                       std::pair<std::int64_t, std::int64_t> lesbar) {
    const auto f = felder(zeile);
    if (f.size() != 3) return "not FREQUENCY;READING;LEVEL";
    const auto hz = ganz(f[0]);
    if (!hz) return keineZahl("frequency", f[0], " of hertz");
    // What a sweep may reach: a sweep from 0 Hz is read back as it was written.
    if (*hz < 0) return "the frequency " + std::to_string(*hz) + " Hz lies below 0 Hz";
    if (!frequenzErlaubt(*hz))
        return "the frequency " + std::to_string(*hz) + " Hz lies beyond 32 bits (2147483647 Hz at most)";
    const auto wert = ganz(f[1]);
    if (!wert) return keineZahl("reading", f[1]);
    if (*wert < lesbar.first || *wert > lesbar.second)
        return "the reading " + std::to_string(*wert) + " lies outside " + std::to_string(lesbar.first) + " to " +
               std::to_string(lesbar.second) + ", what a converter reading (0 to 1023) gives with the file's factors";
    if (const auto pegel = ganz(f[2]); !pegel)
        return keineZahl("level", f[2]);
    else if (!ganz32(f[2]))
        return "the level " + std::to_string(*pegel) + " is out of range (-2147483648 to 2147483647)";
    if (k == 1) r.f1 = static_cast<std::int32_t>(*hz);
    if (k == 2) r.s = static_cast<std::int32_t>(*hz - r.f1);
    const std::int64_t soll = std::int64_t{r.f1} + std::int64_t{k - 1} * r.s;
    if (*hz != soll)
        return std::to_string(*hz) + " Hz where " + std::to_string(soll) + " Hz belongs: every point lies a step (" +
               std::to_string(r.s) + " Hz, from the first two points) above the one before";
    r.werte[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(*wert);
    return {};
}

}  // namespace

std::string reiheStrengLesen(const std::string& daten, Messreihe& r) {
    const Zeilen z = zerlegen(daten);
    const auto& zeilen = z.zeilen;
    const auto zeileText = [](std::size_t i, const std::string& was) {
        return "line " + std::to_string(i + 1) + ": " + was;
    };
    std::int32_t art = 1;
    while (art <= 3 && (zeilen.empty() || zeilen[0] != messreiheKopf(art))) ++art;
    if (art > 3)
        return zeileText(0, "not a series file of qzl7 (it begins with none of \"" + std::string(messreiheKopf(1)) +
                                "\", \"" + std::string(messreiheKopf(2)) + "\", \"" +
                                std::string(messreiheKopf(3)) + "\")");
    r = Messreihe{};
    r.art = art;
    std::size_t i = 1;
    // Line i whole, or why not: the file ends before it, or inside it.
    const auto fehlt = [&](const std::string& was) -> std::string {
        if (i >= zeilen.size()) return zeileText(i, "the file ends where " + was + " belongs");
        return z.offen && i + 1 == zeilen.size() ? zeileText(i, "cut off (the file ends inside the line)") : "";
    };
    if (auto f = fehlt("the heading"); !f.empty()) return f;
    r.ueberschrift = textAusDatei(zeilen[i++]);
    for (std::size_t j = 1; r.art == 2 && j <= anzahlLinien; ++j, ++i) {
        if (auto f = fehlt("a reference line"); !f.empty()) return f;
        const auto f = felder(zeilen[i]);
        const auto hoehe = ganz32(f[0]);
        const auto zehntel = f.size() == 2 ? ganz32(f[1]) : std::nullopt;
        if (!hoehe || !zehntel) return zeileText(i, "not HEIGHT;TENTHS of reference line " + std::to_string(j));
        r.linien.hoehe[j] = *hoehe;
        r.linien.zehntel[j] = *zehntel;
    }
    if (auto f = fehlt("lin or log"); !f.empty()) return f;
    if (zeilen[i] != "lin" && zeilen[i] != "log") return zeileText(i, "'" + zeilen[i] + "' is neither lin nor log");
    r.lin = zeilen[i++] == "lin";
    for (std::int32_t* faktor : {&r.korrfaktor1, &r.korrfaktor2}) {
        const std::string name = faktor == &r.korrfaktor1 ? "Korrekturfaktor1" : "Korrekturfaktor2";
        if (auto f = fehlt(name); !f.empty()) return f;
        const std::string_view zeile = zeilen[i];
        const auto gleich = zeile.find('=');
        const auto wert = gleich == std::string_view::npos ? std::nullopt : ganz32(zeile.substr(gleich + 1));
        if (!wert || zeile.substr(0, std::min(gleich, zeile.find(' '))) != name)
            return zeileText(i, "not " + name + " =NUMBER");
        *faktor = *wert;
        ++i;
    }
    const auto bereich = lesbar(r.korrfaktor1, r.korrfaktor2);
    // Empty lines may end the file, as an editor leaves them; not inside the points.
    std::size_t ende = zeilen.size();
    while (ende > i && zeilen[ende - 1].empty()) --ende;
    if (ende == i) return zeileText(i, "no points");
    if (ende - i > maxMesspunkte)
        return zeileText(i + maxMesspunkte, "more than " + std::to_string(maxMesspunkte) + " points; a series of qzl7 holds " +
                                                std::to_string(maxMesspunkte) + " at most");
    r.n = static_cast<std::int32_t>(ende - i);
    for (std::int32_t k = 1; i < ende; ++i, ++k) {
        if (auto f = fehlt("a point"); !f.empty()) return f;
        if (auto f = punktLesen(zeilen[i], k, r, bereich); !f.empty()) return zeileText(i, f);
    }
    return {};
}

}  // namespace qzl::cli
