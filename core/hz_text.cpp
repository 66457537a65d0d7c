#include "core/hz_text.h"

namespace qzl {

std::string hzText(std::int32_t hz) {
    // Widened so that the most negative value has a magnitude.
    const std::int64_t wert = hz;
    std::string ziffern = std::to_string(wert < 0 ? -wert : wert);
    if (ziffern.size() > 3) ziffern.insert(ziffern.size() - 3, ".");
    if (ziffern.size() > 7) ziffern.insert(ziffern.size() - 7, ".");
    return (wert < 0 ? "-" : "") + ziffern + " Hz";
}

}  // namespace qzl
