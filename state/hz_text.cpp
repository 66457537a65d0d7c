#include "state/hz_text.h"

namespace qzl {

std::string hzText(std::int64_t wert) {
    // Unsigned, so that the most negative value has a magnitude.
    const std::uint64_t betrag = wert < 0 ? 0 - static_cast<std::uint64_t>(wert) : static_cast<std::uint64_t>(wert);
    std::string ziffern = std::to_string(betrag);
    if (ziffern.size() > 3) ziffern.insert(ziffern.size() - 3, ".");
    if (ziffern.size() > 7) ziffern.insert(ziffern.size() - 7, ".");
    return (wert < 0 ? "-" : "") + ziffern + " Hz";
}

}  // namespace qzl
