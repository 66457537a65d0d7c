#pragma once
// What a sweep says beyond its points: the window's evaluation as key/value
// pairs (--report), and the pass/fail mask (--above, --below).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "state/hz_text.h"
#include "state/instrument_state.h"

namespace qzl {

// A pass/fail limit: every point from f1 to f2 (inclusive) at or above
// (oben) or at or below the level, in the read-out's unit.
struct Grenze {
    bool oben = true;
    std::int64_t f1 = 0, f2 = 0;
    double pegel = 0.0;
    std::string text;  // as given, "--above 10.9M:11.9M:-8"
};


// "db" or "lin": the unit of the read-out's level in keys and headers.
const char* pegelEinheit(const InstrumentState& st);

// maximum_hz, maximum_db ... and, for transmission, the bandwidth the window
// shows with its edges and centre, in log also the 3 dB one. A value "none"
// stands for an edge not found.
std::vector<std::pair<std::string, std::string>> kennwerte(const InstrumentState& st);
// "key: value" lines.
std::string berichtText(const InstrumentState& st);

struct Verstoss {
    std::int32_t punkt = 0;
    std::int64_t frequenz = 0;
    double pegel = 0.0;
    const Grenze* grenze = nullptr;
};
// Every point of the sweep inside a limit's range that lies on the wrong
// side of it; a point exactly on the limit passes.
std::vector<Verstoss> grenzenPruefen(const InstrumentState& st, const std::vector<Grenze>& grenzen);
// A limit whose range holds no point of the sweep would pass unseen; its refusal, or "".
std::string grenzenEinwand(const InstrumentState& st, const std::vector<Grenze>& grenzen);
// "PASS", or "FAIL" and one line per failing point.
std::string grenzenText(const InstrumentState& st, const std::vector<Verstoss>& verstoesse);

}  // namespace qzl
