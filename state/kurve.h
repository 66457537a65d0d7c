#pragma once
// The curve as the readings and settings hold it: how many points, each
// point's reading, frequency and level. Every front-end reads it so.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/instrument_state.h"

namespace qzl {

// Points of the sweep; readings beyond the array are never read, whatever
// messpunkte says.
inline std::int32_t punktAnzahl(const InstrumentState& st) {
    return std::min<std::int32_t>(st.messpunkte, maxMesspunkte);
}
inline std::int32_t wertBei(const InstrumentState& st, std::int32_t i) {
    return st.messwerte[static_cast<std::size_t>(i)];
}
// Frequency of sweep point i (1-based) as the sweep tunes it.
inline std::int64_t punktFrequenz(const InstrumentState& st, std::int32_t i) {
    return std::int64_t{st.startfrequenz} + std::int64_t{i - 1} * st.schrittweite;
}

// The level of a reading in the read-out's unit, unrounded: log in dB (400 is
// 0 dB; in the spectrum, whose scale runs to +10, 400 is +10 dB), lin the
// ratio to 400.
double pegel(std::int32_t wert, Messart messart, bool lin);
// The reading that stands at a level: pegel's inverse, unrounded.
double wertFuerPegel(double pegel, Messart messart, bool lin);
inline double pegelBei(const InstrumentState& st, std::int32_t i) {
    return pegel(wertBei(st, i), st.messart, st.linModus);
}

// A curve apart from the state: the readings of points 1..n (point 1
// first) with the settings they were measured with.
struct Kurvenbild {
    std::int32_t start = 0, schritt = 0;
    Messart art = Messart::durchgang;
    bool lin = false;
    std::vector<std::int32_t> werte;
    // Some reading was not the instrument's (demonstration, or a point it
    // left unanswered): for the eye only, never handed out as measured.
    bool synthetisch = false;
};
Kurvenbild kurvenbild(const InstrumentState& st);
struct Messreihe;
// A series' points at its own frequencies.
Kurvenbild reiheKurve(const Messreihe& reihe);

// Whether every point of a sweep from start in steps of schritt, over
// messpunkte points, is a 32-bit frequency. Settings that break this are
// refused, so that no sweep, axis or label ever shows a wrapped frequency.
bool sweepImBereich(std::int64_t start, std::int64_t schritt, std::int32_t messpunkte);
// The cursor's home: round(messpunkte / 2), halves to even.
std::int32_t cursorMitte(std::int32_t messpunkte);

}  // namespace qzl
