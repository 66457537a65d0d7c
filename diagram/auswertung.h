#pragma once
// Evaluation of the finished curve, the cursor and the normalisation to the
// maximum. Works on the readings the last pass left; never touches the port.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/programm.h"

namespace qzl {

// Margin of the logarithmic bandwidth below the maximum, in display units:
// 30 is 6 dB at 5 units per dB, as the read-out's "(6 dB)" says.
inline constexpr std::int32_t bandRandLog = 30;

// The level of a reading in the read-out's unit, unrounded: log in dB (400 is
// 0 dB; in the spectrum, whose scale runs to +10, 400 is +10 dB), lin the
// ratio to 400.
double pegel(std::int32_t wert, std::int32_t messart, bool lin);
// Its text: log rounded to whole dB, "-3 dB"; lin with three decimals after
// rounding to three significant digits ("0,750").
std::string pegelText(std::int32_t wert, std::int32_t messart, bool lin, char dezimalzeichen);

struct Kurvenpunkt {
    std::int32_t index = 1;
    std::int64_t frequenz = 0;
    std::int32_t wert = 0;
};
struct Band {
    std::int64_t fl = 0, fr = 0;  // the edge points' frequencies
};
struct Auswertung {
    Kurvenpunkt maximum, minimum;
    std::optional<Band> band;  // transmission, both edges inside the sweep
};

// The edges of the band around the maximum at maxIndex of points 1..n: the
// first points outwards that are not inside; points 1 and n are never
// tested. Nothing unless both edges lie strictly inside. Returns (j, k).
std::optional<std::pair<std::int32_t, std::int32_t>> bandkanten(std::int32_t n, std::int32_t maxIndex,
                                                                 const std::function<bool(std::int32_t)>& imBand);

// Maximum and minimum of readings 1..messpunkte at their point frequencies
// and, in transmission, the band: lin above 0.7 x max, log above max - randLog.
Auswertung kurveAuswerten(const InstrumentState& st, std::int32_t randLog = bandRandLog);

// Frequency shown for the cursor point: one step above the one it was measured at.
std::int64_t cursorFrequenz(const InstrumentState& st);
// Label12 := the cursor frequency.
void cursorZeigen(Programm& p);

// Maximum, minimum, cursor read-out and, in transmission, the bandwidth.
void maxminwert(Programm& p);

void Button12Click(Programm& p);  // "&-"
void Button13Click(Programm& p);  // "&+"
void Button14Click(Programm& p);  // "&Cursor"
void Button19Click(Programm& p);  // "max"

}  // namespace qzl
