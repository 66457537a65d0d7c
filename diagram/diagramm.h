#pragma once
#include "core/instrument_state.h"

namespace qzl {

// Redraws the static picture: every reading of the sweep becomes 1, both
// layers are cleared, and gitterRaster receives the markers and the scale,
// axis, VFO dial or Smith figure of the current messart. Main thread only.
void diagrammZeichnen(InstrumentState& st);

}  // namespace qzl
