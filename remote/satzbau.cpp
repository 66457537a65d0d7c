#include "remote/satzbau.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "state/zeichensatz.h"

namespace qzl::fern {

std::string_view ohneRand(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

namespace {

// A header has a few nodes; any longer one matches nothing anyway.
constexpr std::size_t knotenGrenze = 8;

char gross(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool gleich(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (gross(a[i]) != gross(b[i])) return false;
    return true;
}

// The nodes of a header, without taking memory: it is split once per entry
// of the command table.
struct Knoten {
    std::array<std::string_view, knotenGrenze> namen;
    std::size_t anzahl = 0;

    // False when there are more than knotenGrenze nodes.
    bool trennen(std::string_view text) {
        while (anzahl < knotenGrenze) {
            const std::size_t p = text.find(':');
            namen.at(anzahl++) = text.substr(0, p);
            if (p == std::string_view::npos) return true;
            text.remove_prefix(p + 1);
        }
        return false;
    }
    std::span<const std::string_view> alle() const { return {namen.data(), anzahl}; }
};

// Whether wort is the node name, and the suffix it carries: 1 without one;
// none at all unless the name ends in '#'.
std::optional<int> knotenWort(std::string_view name, std::string_view wort) {
    if (!name.ends_with('#')) return wortPasst(name, wort) ? std::optional<int>(1) : std::nullopt;
    name.remove_suffix(1);
    const std::size_t ziffern = wort.size() - std::min(wort.find_last_not_of("0123456789") + 1, wort.size());
    if (!wortPasst(name, wort.substr(0, wort.size() - ziffern))) return std::nullopt;
    if (ziffern == 0) return 1;
    if (ziffern > 9) return INT_MAX;
    int n = 0;
    for (const char c : wort.substr(wort.size() - ziffern)) n = n * 10 + (c - '0');
    return n;
}

// The suffix of the pattern's '#' node along the path that matches.
bool knotenPassen(std::span<const std::string_view> muster, std::span<const std::string_view> woerter, int& suffix) {
    if (muster.empty()) return woerter.empty();
    std::string_view name = muster.front();
    const bool wahlweise = name.starts_with('[');
    if (wahlweise) name = name.substr(1, name.size() - 2);
    if (!woerter.empty())
        if (const auto s = knotenWort(name, woerter.front());
            s && knotenPassen(muster.subspan(1), woerter.subspan(1), suffix)) {
            if (name.ends_with('#')) suffix = *s;
            return true;
        }
    return wahlweise && knotenPassen(muster.subspan(1), woerter, suffix);
}

}  // namespace

bool webAnfrage(std::string_view zeile) {
    static constexpr std::string_view methoden[] = {"GET", "POST", "PUT", "HEAD", "OPTIONS", "DELETE", "PATCH", "CONNECT"};
    for (const std::string_view m : methoden)
        if (zeile.size() > m.size() + 1 && gleich(zeile.substr(0, m.size()), m) && zeile.substr(m.size(), 2) == " /")
            return true;
    return zeile.size() >= 5 && gleich(zeile.substr(0, 5), "Host:");
}

std::vector<std::string_view> teileTrennen(std::string_view zeile) {
    std::vector<std::string_view> teile;
    const auto dazu = [&](std::string_view teil) {
        if (!(teil = ohneRand(teil)).empty()) teile.push_back(teil);
    };
    char quote = 0;
    std::size_t anfang = 0;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (quote) {
            if (c == quote) quote = 0;  // a doubled quote closes and opens again
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            dazu(zeile.substr(anfang, i - anfang));
            anfang = i + 1;
        }
    }
    dazu(zeile.substr(anfang));
    return teile;
}

bool zeichenErlaubt(std::string_view teil) {
    char quote = 0;
    for (const char c : teil) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || (b >= 0x80 && !quote)) return false;
        if (quote ? c == quote : c == '"' || c == '\'') quote = quote ? 0 : c;
    }
    return true;
}

bool wortPasst(std::string_view muster, std::string_view wort) {
    // The short form is the pattern's capitals up to its first small letter.
    const std::size_t kurz = std::min(muster.find_first_of("abcdefghijklmnopqrstuvwxyz"), muster.size());
    return gleich(muster, wort) || gleich(muster.substr(0, kurz), wort);
}

std::optional<int> kopfSuffix(std::string_view muster, std::string_view kopf) {
    if (kopf.starts_with(':')) kopf.remove_prefix(1);
    Knoten knoten, woerter;
    knoten.trennen(muster);
    int suffix = 1;
    if (!woerter.trennen(kopf) || !knotenPassen(knoten.alle(), woerter.alle(), suffix)) return std::nullopt;
    return suffix;
}

bool kopfPasst(std::string_view muster, std::string_view kopf) { return kopfSuffix(muster, kopf).has_value(); }

std::optional<std::string> zeichenketteLesen(std::string_view parameter) {
    if (parameter.empty() || (parameter.front() != '"' && parameter.front() != '\'')) return std::nullopt;
    const char quote = parameter.front();
    std::string text;
    for (std::size_t i = 1; i < parameter.size(); ++i) {
        if (parameter[i] != quote) {
            text += parameter[i];
        } else if (i + 1 < parameter.size() && parameter[i + 1] == quote) {
            text += quote;
            ++i;
        } else {
            if (i + 1 != parameter.size() || !gueltigesUtf8(text)) return std::nullopt;
            return text;
        }
    }
    return std::nullopt;  // not closed
}

std::string zeichenketteText(std::string_view text) {
    std::string feld = "\"";
    for (const char c : text) {
        if (c == '"') feld += '"';
        feld += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    return feld + '"';
}

}  // namespace qzl::fern
