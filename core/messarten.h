#pragma once
// What choosing a measurement kind sets besides messart: the usable controls
// and calibration items, the IF switch and the heading. The mode buttons
// choose through it, and so does the return from demonstration mode once the
// instrument answers again.
#include <cstdint>

#include "core/programm.h"

namespace qzl {

// The heading's text before messzeit for art 1, 2, 3 or 5; "" for any other.
const char* messartUeberschrift(std::int32_t art);
// art 1, 2, 3 (the sweep kinds) or 5 (VFO); no redraw. False for any other
// kind, which then changes nothing.
bool messartEinstellen(Programm& p, std::int32_t art);
// The redraw of the kind now set, which discards the curve; the VFO dial
// also gets its baseline.
void messartZeichnen(Programm& p);
// While a time-out's demonstration (messart 4) stands in for the kind the
// user had chosen, that kind comes back, redrawn; otherwise nothing happens.
void messartNachAusfall(Programm& p);

}  // namespace qzl
