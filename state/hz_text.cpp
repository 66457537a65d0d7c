#include "state/hz_text.h"

#include <charconv>

namespace qzl {

std::string hzText(std::int64_t wert) {
    // Unsigned, so that the most negative value has a magnitude.
    const std::uint64_t betrag = wert < 0 ? 0 - static_cast<std::uint64_t>(wert) : static_cast<std::uint64_t>(wert);
    std::string ziffern = std::to_string(betrag);
    if (ziffern.size() > 3) ziffern.insert(ziffern.size() - 3, ".");
    if (ziffern.size() > 7) ziffern.insert(ziffern.size() - 7, ".");
    return (wert < 0 ? "-" : "") + ziffern + " Hz";
}

std::string zahlText(double wert) {
    char text[32];
    const auto [ende, ec] = std::to_chars(text, text + sizeof text, wert);
    return ec == std::errc{} ? std::string(text, ende) : std::string("0");
}

}  // namespace qzl
