#pragma once
// A measurement series as a file holds it, and the reflection scale's
// reference lines it carries.
#include <array>
#include <cstdint>
#include <string>

#include "state/instrument_state.h"

namespace qzl {

// Reference lines of the reflection scale, 1-based: heights in display units,
// labels in tenths.
struct Bezugslinien {
    std::array<std::int32_t, anzahlLinien + 1> hoehe{};
    std::array<std::int32_t, anzahlLinien + 1> zehntel{};
};
Bezugslinien bezugslinienVon(const InstrumentState& st);

struct Messreihe {
    std::int32_t art = 1;  // 1 transmission, 2 reflection, 3 spectrum
    std::string ueberschrift;  // UTF-8, whatever the file's character set
    Bezugslinien linien;  // reflection only
    bool lin = false;
    std::int32_t korrfaktor1 = 0, korrfaktor2 = 0;  // for the reader of the file only
    std::int32_t f1 = 0;  // frequency of the first point
    std::int32_t s = 0;   // step, from the first two points
    std::int32_t n = 2;   // points, 2..maxMesspunkte when read
    std::array<std::int32_t, maxMesspunkte + 1> werte{};  // 1-based
};

}  // namespace qzl
