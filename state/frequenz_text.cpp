#include "state/frequenz_text.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "state/ganzzahl.h"

namespace qzl {
namespace {

constexpr std::uint64_t ueberGrenze = 2147483649ull;  // any magnitude from here on fails

bool ziffer(char c) { return c >= '0' && c <= '9'; }
bool leer(char c) { return c == ' ' || c == '\t'; }

// Appends decimal digits to wert; false if one is not a digit. The value
// stops growing once it is out of range, so long texts cannot overflow.
bool ziffernAnhaengen(std::string_view ziffern, std::uint64_t& wert) {
    for (char c : ziffern) {
        if (!ziffer(c)) return false;
        wert = wert < ueberGrenze ? wert * 10 + static_cast<std::uint64_t>(c - '0') : ueberGrenze;
    }
    return true;
}

// "7.100.000" or "7100000": groups of three behind the lead group.
std::optional<std::uint64_t> gruppiertLesen(std::string_view text) {
    std::vector<std::string_view> gruppen;
    for (std::size_t punkt; (punkt = text.find('.')) != std::string_view::npos; text.remove_prefix(punkt + 1))
        gruppen.push_back(text.substr(0, punkt));
    gruppen.push_back(text);
    const std::size_t kopf = gruppen.front().size();
    if (gruppen.size() > 1 && (kopf < 1 || kopf > (gruppen.size() == 3 ? 4u : 3u))) return std::nullopt;
    std::uint64_t wert = 0;
    for (std::size_t i = 0; i < gruppen.size(); ++i) {
        if ((i > 0 && gruppen[i].size() != 3) || gruppen[i].empty()) return std::nullopt;
        if (!ziffernAnhaengen(gruppen[i], wert)) return std::nullopt;
    }
    return wert;
}

// "7.1" or "455" times 10^stellen, rounded to whole units, halves to even.
std::optional<std::uint64_t> dezimalLesen(std::string_view text, std::size_t stellen) {
    const std::size_t trenner = text.find_first_of(".,");
    const std::string_view ganz = text.substr(0, trenner);
    const std::string_view bruch = trenner == std::string_view::npos ? std::string_view{} : text.substr(trenner + 1);
    if (ganz.empty() || (trenner != std::string_view::npos && bruch.empty())) return std::nullopt;
    std::uint64_t wert = 0;
    if (!ziffernAnhaengen(ganz, wert)) return std::nullopt;
    for (std::size_t i = 0; i < stellen; ++i) {
        const char c = i < bruch.size() ? bruch[i] : '0';
        if (!ziffernAnhaengen({&c, 1}, wert)) return std::nullopt;
    }
    // What lies beyond the last whole unit decides the rounding.
    const std::string_view rest = bruch.size() > stellen ? bruch.substr(stellen) : std::string_view{};
    std::uint64_t restWert = 0;
    if (!ziffernAnhaengen(rest, restWert)) return std::nullopt;
    if (!rest.empty()) {
        const bool halb = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string_view::npos;
        if (rest[0] > '5' || (rest[0] == '5' && !halb) || (halb && wert % 2 == 1)) ++wert;
    }
    return wert;
}

}  // namespace

std::optional<std::int32_t> frequenzLesen(std::string_view text) {
    if (const auto wert = ganzzahlLesen(text)) return wert;

    while (!text.empty() && leer(text.front())) text.remove_prefix(1);
    while (!text.empty() && leer(text.back())) text.remove_suffix(1);
    bool negativ = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negativ = text.front() == '-';
        text.remove_prefix(1);
    }

    bool einheit = false;
    if (text.ends_with("Hz")) {
        text.remove_suffix(2);
        einheit = true;
    }
    std::size_t stellen = 0;
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K' || text.back() == 'M')) {
        stellen = text.back() == 'M' ? 6 : 3;
        text.remove_suffix(1);
        einheit = true;
    }
    if (einheit && !text.empty() && text.back() == ' ') text.remove_suffix(1);

    const auto betrag = stellen > 0 ? dezimalLesen(text, stellen) : gruppiertLesen(text);
    if (!betrag || *betrag > (negativ ? 2147483648ull : 2147483647ull)) return std::nullopt;
    return static_cast<std::int32_t>(negativ ? -static_cast<std::int64_t>(*betrag) : static_cast<std::int64_t>(*betrag));
}

std::optional<std::int64_t> hertzLesen(std::string_view text) {
    // Exact decimal arithmetic: 10.7M must be 10700000, not a float's neighbour.
    std::string ziffern;
    std::size_t i = 0;
    int nachkomma = 0;
    while (i < text.size() && ziffer(text[i])) ziffern += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && ziffer(text[i])) {
            ziffern += text[i++];
            ++nachkomma;
        }
    }
    if (ziffern.empty()) return std::nullopt;
    long exponent = -nachkomma;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativ = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativ = text[i++] == '-';
        const std::size_t anfang = i;
        long e = 0;
        while (i < text.size() && ziffer(text[i]) && e < 1000) e = e * 10 + (text[i++] - '0');
        if (i == anfang || (i < text.size() && ziffer(text[i]))) return std::nullopt;
        exponent += negativ ? -e : e;
    }
    if (i < text.size()) {
        switch (text[i]) {
            case 'k': exponent += 3; ++i; break;
            case 'M': exponent += 6; ++i; break;
            case 'G': exponent += 9; ++i; break;
            default: break;
        }
    }
    if (text.substr(i) == "Hz") i += 2;
    if (i != text.size()) return std::nullopt;

    ziffern.erase(0, std::min(ziffern.find_first_not_of('0'), ziffern.size()));
    if (ziffern.empty()) return 0;
    // Digits below the hertz must all be zeros.
    while (exponent < 0) {
        if (ziffern.back() != '0') return std::nullopt;
        ziffern.pop_back();
        ++exponent;
    }
    if (static_cast<long>(ziffern.size()) + exponent > 18) return std::numeric_limits<std::int64_t>::max();
    std::int64_t wert = 0;
    for (char c : ziffern) wert = wert * 10 + (c - '0');
    for (long e = 0; e < exponent; ++e) wert *= 10;
    return wert;
}

}  // namespace qzl
