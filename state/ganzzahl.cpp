#include "state/ganzzahl.h"

namespace qzl {
namespace {

int hexZiffer(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> hexLesen(std::string_view ziffern) {
    if (ziffern.empty()) return std::nullopt;
    std::uint64_t wert = 0;
    for (char c : ziffern) {
        const int z = hexZiffer(c);
        if (z < 0) return std::nullopt;
        wert = wert * 16 + static_cast<std::uint64_t>(z);
        if (wert > 0xFFFFFFFFull) return std::nullopt;
    }
    // The digits are a bit pattern: $FFFFFFFF is -1.
    return wrap32(static_cast<std::int64_t>(wert));
}

}  // namespace

std::optional<std::int32_t> ganzzahlLesen(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    text.remove_prefix(i);
    if (text.empty()) return std::nullopt;

    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return hexLesen(text.substr(1));
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return hexLesen(text.substr(2));

    bool negativ = false;
    if (text[0] == '+' || text[0] == '-') {
        negativ = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t betrag = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        betrag = betrag * 10 + (c - '0');
        if (betrag > 2147483648LL) return std::nullopt;
    }
    const std::int64_t wert = negativ ? -betrag : betrag;
    if (wert > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(wert);
}

}  // namespace qzl
