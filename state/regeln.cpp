#include "state/regeln.h"

#include "state/kurve.h"

namespace qzl {

std::string punkteText() { return "the points are 1 to " + std::to_string(maxMesspunkte); }

std::optional<std::string> bereichEinwand(std::int64_t start, std::int64_t schritt, std::int32_t punkte,
                                          Erlaubnis erlaubnis) {
    const std::string sweep = "a sweep from " + std::to_string(start) + " Hz in steps of " + std::to_string(schritt) +
                              " Hz over " + std::to_string(punkte) + " points";
    if (!sweepImBereich(start, schritt, punkte))
        return sweep + " leaves 32 bits (-2147483648 to 2147483647 Hz)";
    if (erlaubnis == Erlaubnis::fenster) return std::nullopt;
    const std::int64_t letzte = start + std::int64_t{punkte - 1} * schritt;
    if (start < 0 || letzte < 0) return sweep + " reaches below 0 Hz";
    return std::nullopt;
}

}  // namespace qzl
