#pragma once
// What choosing a measurement kind shows besides the kind itself: the usable
// controls and calibration items and the heading. The mode buttons choose
// through it, and so does the return from demonstration mode once the
// instrument answers again.
#include <cstdint>

#include "handlers/programm.h"
#include "state/messart.h"

namespace qzl {

// Transmission, reflection, spectrum or VFO, with its picture drawn afresh.
// The engine's refusal of any other kind (or under a running sweep), which
// then changes nothing.
bool messartEinstellen(Programm& p, Messart art);
// The controls and heading of a kind the engine has taken, and the picture
// it drew shown.
void messartZeigen(Programm& p, Messart art);
// While a time-out's demonstration stands in for the kind the
// user had chosen, that kind comes back, redrawn; otherwise nothing happens.
void messartNachAusfall(Programm& p);

}  // namespace qzl
