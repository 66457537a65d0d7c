#pragma once
// Evaluation of the finished curve, the cursor and the normalisation to the
// maximum. Works on the readings the last pass left; never touches the port.
#include <cstdint>
#include <string>

#include "core/programm.h"

namespace qzl {

// The level of a reading: log "-3 dB"; lin the ratio to 400 with three
// decimals after rounding to three significant digits ("0,750").
std::string pegelText(std::int32_t wert, bool lin, char dezimalzeichen);

// Frequency shown for the cursor point: one step above the one it was measured at.
std::int64_t cursorFrequenz(const InstrumentState& st);
// Label12 := the cursor frequency.
void cursorZeigen(Programm& p);

// Maximum, minimum, cursor read-out and, in transmission, the bandwidth.
void maxminwert(Programm& p);

void Button12Click(Programm& p);  // "&-"
void Button13Click(Programm& p);  // "&+"
void Button14Click(Programm& p);  // "&Cursor"
void Button19Click(Programm& p);  // "max"

}  // namespace qzl
