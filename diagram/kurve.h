#pragma once
// The curve layer: a sweep point as it is drawn, the picture of a loaded
// series, the normalised curve and the VFO's baseline.
#include <cstdint>

#include "state/instrument_state.h"
#include "state/messreihe_daten.h"

namespace qzl {

// The drawing of point i from the readings as they stand: the marker wipes
// the columns ahead, then the lines from point i - 1 and on to point i + 1.
void punktZeichnen(InstrumentState& st, std::int32_t i);
// Both layers redrawn with the series' scale and curve; the readings 1..n
// replaced. No setting changes.
void reiheZeichnen(InstrumentState& st, const Messreihe& reihe);
// The curve of points 1..messpunkte - 1 over the old one, two columns left
// of where a sweep puts its points (the normalised curve).
void kurveUeberzeichnen(InstrumentState& st);
// The VFO's picture: an empty curve layer and the dial's baseline.
void vfoGrundlinie(InstrumentState& st);

}  // namespace qzl
