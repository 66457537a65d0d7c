#pragma once
#include <cstdint>
#include <string>

namespace qzl {

// "10.000.000 Hz": points before the last three and, once longer than seven
// characters, before the last seven digits. A minus sign is not counted as a
// digit, so -1000 reads "-1.000 Hz" rather than "-.1000 Hz". Sums of 32-bit
// frequencies come in wide, so they are shown as they are, never wrapped.
std::string hzText(std::int64_t hz);

// A number for other programs: the shortest text that reads back as the
// same double, "." as the decimal mark whatever the locale: -2.8, 0.9975, 10.
std::string zahlText(double wert);

}  // namespace qzl
