#pragma once
// What a sweep says beyond its points: the window's evaluation as key/value
// pairs (--report), and the pass/fail mask (--above, --below).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/grenzen.h"
#include "state/hz_text.h"
#include "state/instrument_state.h"
#include "state/kurve.h"

namespace qzl {

// "db" or "lin": the unit of the read-out's level in keys and headers.
const char* pegelEinheit(const InstrumentState& st);

// The reading and level of point i as the outputs write them: the sweep's,
// or with a difference (--math diff) the measured minus the reference's, the
// level in dB or as the difference of linear ratios.
std::int32_t ausgabeWert(const InstrumentState& st, const Kurvenbild* differenz, std::int32_t i);
double ausgabePegel(const InstrumentState& st, const Kurvenbild* differenz, std::int32_t i);
// The keys of those two columns: "reading" and "level_db", or with a
// difference "reading_diff" and "level_diff_db"; lin for db with the linear detector.
std::string wertSchluessel(const Kurvenbild* differenz);
std::string pegelSchluessel(const InstrumentState& st, const Kurvenbild* differenz);

// maximum_hz, maximum_db ... and, for transmission, the bandwidth the window
// shows with its edges and centre, in log also the 3 dB one; with bandDb
// also that band around the maximum, interpolated, with its Q (band_db,
// band_low_hz ...). A value "none" stands for an edge not found.
std::vector<std::pair<std::string, std::string>> kennwerte(const InstrumentState& st,
                                                           std::optional<double> bandDb = std::nullopt);
// "key: value" lines.
std::string berichtText(const InstrumentState& st, std::optional<double> bandDb = std::nullopt);

// Every point of the sweep inside a limit's range that lies on the wrong
// side of it. With a difference the limits judge it, as it is what is written.
std::vector<Verstoss> grenzenPruefen(const InstrumentState& st, const std::vector<Grenze>& grenzen,
                                     const Kurvenbild* differenz = nullptr);
// The refusal of limits that cannot judge the sweep (evaluation/grenzen.h), or "".
std::string grenzenEinwand(const InstrumentState& st, const std::vector<Grenze>& grenzen, bool differenz = false);
// "PASS", or "FAIL" and one line per failing point.
std::string grenzenText(const InstrumentState& st, const std::vector<Verstoss>& verstoesse);

}  // namespace qzl
