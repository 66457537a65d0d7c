#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace qzl {

// The one rule for integers typed by the user or read from a configuration:
// leading blanks, then an optional sign and decimal digits, or a "$", "x", "X"
// or "0x" prefix and hexadecimal digits taken as the 32-bit pattern. Nothing
// may follow. Empty text, stray characters or a decimal value outside 32 bits
// give nothing; the caller then uses its own default.
std::optional<std::int32_t> ganzzahlLesen(std::string_view text);

// All integers of the program are 32-bit and wrap: sums and products are
// formed in 64 bits and brought back here, never left to overflow.
inline std::int32_t wrap32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

}  // namespace qzl
