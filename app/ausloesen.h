#pragma once
#include "handlers/fenster.h"
#include "handlers/programm.h"

namespace qzl {

// Runs the handler of a clicked control, a chosen menu item or a timer tick.
// A menu item and its button share one handler.
void ausloesen(Programm& p, Element e);

}  // namespace qzl
