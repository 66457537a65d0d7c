#pragma once
// The limits every front-end keeps: how many points a sweep has, and which
// frequencies a sweep may reach. Written once here; the engine refuses by
// them, and the command line, the socket and the series reader word their
// messages around them.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "state/instrument_state.h"

namespace qzl {

inline constexpr std::int64_t hoechsteFrequenz = std::numeric_limits<std::int32_t>::max();

// Who asks for a setting. The window's prompts take any whole number their
// dialogs always took (a start below 0 Hz, for instance); a script's front-end
// takes only sweeps whose every point lies from 0 Hz to hoechsteFrequenz.
enum class Erlaubnis { streng, fenster };

inline bool punkteErlaubt(std::int64_t anzahl) { return anzahl >= 1 && anzahl <= maxMesspunkte; }
inline bool frequenzErlaubt(std::int64_t hz) { return hz >= 0 && hz <= hoechsteFrequenz; }

// "the points are 1 to 300"
std::string punkteText();

// Why a sweep from start in steps of schritt over punkte points is not
// taken, in words; nothing when it is. punkte must be allowed already.
std::optional<std::string> bereichEinwand(std::int64_t start, std::int64_t schritt, std::int32_t punkte,
                                          Erlaubnis erlaubnis);

}  // namespace qzl
