#pragma once
#include <array>
#include <cstdint>

#include "state/instrument_state.h"
#include "state/messreihe_daten.h"

namespace qzl {

// The level scale of a sweep kind (1 transmission, 2 reflection with the
// given lines, 3 spectrum; lin or log) and its frequency axis, `punkte`
// points wide from `start` in steps of `schritt`, into r. Origin, colour and
// decimal separator come from st; no markers.
void skalaZeichnen(const InstrumentState& st, Raster& r, Messart art, bool lin, std::int32_t punkte,
                   std::int32_t start, std::int32_t schritt, const Bezugslinien& linien);

// Redraws the static picture: every reading of the sweep becomes 1, both
// layers are cleared, and gitterRaster receives the markers and the scale,
// axis, VFO dial or Smith figure of the current messart. Main thread only.
void diagrammZeichnen(InstrumentState& st);

}  // namespace qzl
