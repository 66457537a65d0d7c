#include "remote/zahlen.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "state/frequenz_text.h"
#include "state/ganzzahl.h"

namespace qzl::fern {

namespace {

constexpr int ausserhalb = -222;
constexpr int ungueltig = -224;

bool endetMitHz(std::string_view text) {
    return text.size() >= 2 && (text[text.size() - 2] | 0x20) == 'h' && (text.back() | 0x20) == 'z';
}

}  // namespace

std::optional<double> kommazahlArgument(std::string_view text) {
    double wert = 0.0;
    const auto [ende, ec] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (text.empty() || ec != std::errc{} || ende != text.data() + text.size() || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

Zahl frequenzArgument(std::string_view text) {
    // "10.7 mhz": the unit, in whatever case, becomes the letter both rules take.
    std::string_view zahl = text;
    std::string vorsatz;
    if (endetMitHz(zahl)) {
        zahl.remove_suffix(2);
        const char c = zahl.empty() ? '\0' : static_cast<char>(zahl.back() & ~0x20);
        if (c == 'K' || c == 'M' || c == 'G') {
            vorsatz = c == 'K' ? "k" : std::string(1, c);
            zahl.remove_suffix(1);
        }
        if (zahl.ends_with(' ')) zahl.remove_suffix(1);
    }
    const std::string mitVorsatz = std::string(zahl) + vorsatz;
    std::optional<std::int64_t> hz;
    for (const std::string_view form : {text, std::string_view(mitVorsatz)}) {
        if (!hz) hz = hertzLesen(form);
        if (!hz)
            if (const auto f = frequenzLesen(form)) hz = *f;
    }
    if (hz) return *hz == std::numeric_limits<std::int64_t>::max() ? Zahl{0, ausserhalb} : Zahl{*hz, 0};
    // Still a number, only not whole hertz (1.5, 1e-3k): out of range.
    if (vorsatz.empty() && !zahl.empty() && (zahl.back() == 'k' || zahl.back() == 'M' || zahl.back() == 'G'))
        zahl.remove_suffix(1);
    return {0, kommazahlArgument(zahl) ? ausserhalb : ungueltig};
}

Zahl ganzzahlArgument(std::string_view text) {
    if (const auto n = ganzzahlLesen(text)) return {*n, 0};
    const auto d = kommazahlArgument(text);
    if (!d) return {0, ungueltig};
    if (*d != std::floor(*d) || std::fabs(*d) > std::numeric_limits<std::int32_t>::max()) return {0, ausserhalb};
    return {static_cast<std::int64_t>(*d), 0};
}

}  // namespace qzl::fern
