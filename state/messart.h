#pragma once
// The measurement kinds by name. The numbers are those the stored files and
// the window's command line hold; nothing above them counts in bare numbers.
#include <cstdint>

namespace qzl {

enum class Messart : std::int32_t {
    durchgang = 1,  // transmission
    reflexion = 2,
    spektrum = 3,
    demo = 4,  // readings synthesised after the instrument fell silent
    vfo = 5,
    smith = 6,  // reflection shown as the Smith figure
};

constexpr std::int32_t zahl(Messart m) { return static_cast<std::int32_t>(m); }
// The kind of a stored number; nothing for a number no kind has.
constexpr bool messartZahl(std::int32_t n) { return n >= 1 && n <= 6; }

}  // namespace qzl
