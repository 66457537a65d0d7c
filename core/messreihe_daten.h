#pragma once
// A measurement series as a file holds it. It lives here, apart from the
// file code, because the program keeps the series last loaded (Programm).
#include <array>
#include <cstdint>
#include <string>

#include "diagram/diagramm.h"

namespace qzl {

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
