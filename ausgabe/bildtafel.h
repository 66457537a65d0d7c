#pragma once
// What a picture file says beside the diagram: that its readings were
// synthesised, and each marker's frequency and level with its delta and
// band, in a framed box in the diagram's emptiest corner.
#include <string>
#include <vector>

#include "evaluation/messmarken.h"
#include "raster/anzeige_bitmap.h"
#include "state/instrument_state.h"

namespace qzl {

// The box's lines, in the window's words and decimal separator; none
// without markers on and without synthesised readings.
std::vector<std::string> bildtafelZeilen(const MarkenAblesungen& ablesungen, const Spureinstellungen& e, bool lin,
                                         bool synthetisch, char dezimalzeichen);
// The lines over the picture, at the corner of st's diagram where the box
// hides the fewest pixels of curves, traces and marks; nothing for none.
void bildtafelZeichnen(AnzeigeBitmap& bild, const InstrumentState& st, const std::vector<std::string>& zeilen);

}  // namespace qzl
