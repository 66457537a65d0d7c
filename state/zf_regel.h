#pragma once
#include <cstdint>

namespace qzl {

// The intermediate-frequency rule: f plus (bit 1 set) or minus the IF when
// bit 0 of zfBerechnung is set. Formed in 64 bits, so that an extreme sum is
// tuned and shown as what it is instead of a wrapped 32-bit number.
inline std::int64_t mitZwischenfrequenz(std::int32_t f, std::int32_t zwischenfrequenz, std::int32_t zfBerechnung) {
    if ((zfBerechnung & 1) == 0) return f;
    return (zfBerechnung & 2) ? std::int64_t{f} + zwischenfrequenz : std::int64_t{f} - zwischenfrequenz;
}

}  // namespace qzl
