#pragma once
// One sweep as the window's Start runs it, on the calling thread: the
// diagram drawn afresh, then whole passes of the engine (tuning word,
// command byte, settle delay, 4-second limit).
#include <cstdint>
#include <string>

#include "cli/konsole.h"
#include "cli/optionen.h"
#include "engine/api.h"

namespace qzl::cli {

// durchgaenge passes; afterwards messwerte holds the readings combined per
// point by the rule (the last, the mean with halves to even, the highest or
// the lowest), and the curve layer shows them. A progress line goes to
// anzeige, if given, after vorsatz ("sweep 3/10"). Ends early, with the
// readings incomplete, when the instrument falls silent or g.beenden is set.
api::MessErgebnis sweepMessen(Geraet& g, int durchgaenge, api::Kombination regel, Konsole* anzeige,
                              const std::string& vorsatz = {});

}  // namespace qzl::cli
