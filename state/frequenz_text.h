#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace qzl {

// A frequency typed into a prompt, in Hz. Whatever the integer entry rule
// takes (ganzzahlLesen, hexadecimal included) means what it meant there.
// Besides, the way the program writes frequencies and the way a radio
// amateur says them:
//   "7.100.000 Hz", "7.100.000", "7100000Hz": points group thousands, in
//       threes ("7.100" is 7100; "7.1" is refused, since it has no group of
//       three and no unit that would make the point a decimal point). The
//       lead group has 1 to 3 digits, or 4 ahead of two groups, as the
//       display writes a billion and more ("2147.483.647 Hz").
//   "7.1M", "7,1 MHz", "455k", "455 kHz", "10.7M": k (or K) and M take a
//       decimal point or comma; the result is rounded to whole Hz, halves
//       to even. "m" is refused: milli, not mega.
// Blanks may lead and trail, a sign may lead, one blank may separate the
// unit. A value beyond 32 bits gives nothing, as does anything else; the
// caller then uses its default.
std::optional<std::int32_t> frequenzLesen(std::string_view text);

// The frequencies of a command line or a script, in Hz: from "10700000", "10.7M", "455k", "1.5e6", "2G" (optionally followed
// by "Hz"); nothing unless it is a whole number of hertz. Values beyond 64
// bits come back as INT64_MAX, which every range check refuses.
std::optional<std::int64_t> hertzLesen(std::string_view text);

}  // namespace qzl
