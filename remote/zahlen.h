#pragma once
// Numbers in the command language: parameters read, answers written.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/hz_text.h"

namespace qzl::fern {

// A parameter's value, or in fehler -222 (a number, but not one the
// parameter can take) or -224 (no number).
struct Zahl {
    std::int64_t wert = 0;
    int fehler = 0;
};

// A frequency in Hz as the command line takes it (10700000, 10.7M, 455k,
// 1.5e6, 2G) and as the window's prompt does (7.100.000, 455 kHz, 7,1 MHz),
// also with HZ, KHZ, MHZ or GHZ in any case, one blank before allowed.
Zahl frequenzArgument(std::string_view text);
// A 32-bit integer by the program's entry rule, or written as a whole
// number in any other way (1e3, 300.0).
Zahl ganzzahlArgument(std::string_view text);
// A finite number written with '.' (3, 3.5, 1e1); nothing for anything else.
std::optional<double> kommazahlArgument(std::string_view text);

}  // namespace qzl::fern
