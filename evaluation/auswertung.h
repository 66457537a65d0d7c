#pragma once
// Evaluation of the finished curve: maximum, minimum, band, the cursor's
// frequency and the levels' texts. Works on the readings the last pass left.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "state/instrument_state.h"
#include "state/kurve.h"
#include "state/messreihe_daten.h"

namespace qzl {

// Margin of the logarithmic bandwidth below the maximum, in display units:
// 30 is 6 dB at 5 units per dB, as the read-out's "(6 dB)" says.
inline constexpr std::int32_t bandRandLog = 30;

// The text of a reading's level: log rounded to whole dB, "-3 dB"; lin with three decimals after
// rounding to three significant digits ("0,750").
std::string pegelText(std::int32_t wert, Messart messart, bool lin, char dezimalzeichen);

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
Auswertung kurveAuswerten(const Kurvenbild& kurve, std::int32_t randLog = bandRandLog);

// A loaded series' read-outs: the frequencies of its maximum and minimum
// (below 320, the lowest reading a file brings), and for transmission the
// band's edge frequencies; frequencies wrap in 32 bits as the file's do.
struct ReihenAuswertung {
    std::int32_t maximumF = 0, minimumF = 0;
    std::optional<std::pair<std::int32_t, std::int32_t>> band;
};
ReihenAuswertung reiheAuswerten(const Messreihe& reihe);

// Frequency shown for the cursor point: one step above the one it was measured at.
std::int64_t cursorFrequenz(const InstrumentState& st);
}  // namespace qzl
