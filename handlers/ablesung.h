#pragma once
// The read-outs of the panel: maximum, minimum, bandwidth and cursor, the
// cursor buttons and the normalisation to the maximum ("max").
#include "handlers/programm.h"

namespace qzl {

// Label12 := the cursor frequency.
void cursorZeigen(Programm& p);

// Maximum, minimum, cursor read-out and, in transmission, the bandwidth.
void maxminwert(Programm& p);

void Button12Click(Programm& p);  // "&-"
void Button13Click(Programm& p);  // "&+"
void Button14Click(Programm& p);  // "&Cursor"
void Button19Click(Programm& p);  // "max"

}  // namespace qzl
