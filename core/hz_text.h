#pragma once
#include <cstdint>
#include <string>

namespace qzl {

// "10.000.000 Hz": points before the last three and, once longer than seven
// characters, before the last seven digits. A minus sign is not counted as a
// digit, so -1000 reads "-1.000 Hz" rather than "-.1000 Hz".
std::string hzText(std::int32_t hz);

}  // namespace qzl
