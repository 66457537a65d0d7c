#include "diagram/zahlentext.h"

#include <algorithm>
#include <charconv>

namespace qzl {

std::string ganzzahlText(std::int32_t wert) {
    char puffer[16];
    const auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert).ptr;
    return std::string(puffer, ende);
}

std::string bruchText(double wert, char dezimalzeichen) {
    char puffer[40];
    const auto ende = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 15).ptr;
    std::string text(puffer, ende);
    std::replace(text.begin(), text.end(), '.', dezimalzeichen);
    return text;
}

}  // namespace qzl
