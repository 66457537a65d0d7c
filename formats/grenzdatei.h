#pragma once
// The limit file: one segment a line, "above START STOP LEVEL" or "below
// START STOP LEVEL", frequencies as scripts write them (10.7M, 455k,
// 10700000), the level in dB (an optional "dB" after it) or as the linear
// ratio; "#" starts a comment, blank lines are skipped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/grenzwerte.h"

namespace qzl {

// The segments of a limit file, each named "NAME line N"; nothing, with
// the reason "NAME, line N: ..." in fehler, for a file with a line that is
// no segment, or with no segment at all.
std::optional<std::vector<Grenze>> grenzdateiLesen(std::string_view daten, const std::string& name,
                                                   std::string* fehler = nullptr);

}  // namespace qzl
