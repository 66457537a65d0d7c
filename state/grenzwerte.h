#pragma once
// Pass/fail limits: segments of a mask over the sweep, and the verdict on a
// pass. The same limits judge for every front-end.
#include <cstdint>
#include <string>
#include <vector>

namespace qzl {

// Every point from f1 to f2 (inclusive) must lie at or above (oben) or at
// or below the level, in the read-out's unit (dB, or the linear ratio).
struct Grenze {
    bool oben = true;
    std::int64_t f1 = 0, f2 = 0;
    double pegel = 0.0;
    std::string text;  // where it came from: "--above 10.9M:11.9M:-8", "mask.lim line 3"
};

// The verdict on one pass. Each failing frequency once, ascending; einwand
// says why the pass could not be judged (a segment with no point of it, a
// negative ratio for the linear detector).
struct Grenzurteil {
    std::vector<std::int64_t> fehler;
    std::string einwand;
    bool synthetisch = false;  // the pass was not all the instrument's
    bool bestanden() const { return einwand.empty() && fehler.empty(); }
};

}  // namespace qzl
