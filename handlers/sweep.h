#pragma once
// The sweep as the window runs it: "&Start" and "Sto&p", the controls the
// sweep takes away, and the display refresh.
#include <cstdint>

#include "handlers/programm.h"

namespace qzl {

void Button5Click(Programm& p);
void Button6Click(Programm& p);
// The controls away, then the worker; nothing when one runs already. Back
// with stopmessung, which waits for the pass under way. With nurEinDurchlauf
// the sweep stops by itself after one pass, as Sto&p would.
void startmessung(Programm& p, bool nurEinDurchlauf = false);
// One pass on a fresh diagram, then the read-outs (the command socket's INITiate).
void einDurchlauf(Programm& p);
void stopmessung(Programm& p);
bool sweepLaeuft(const Programm& p);

void Timer1Timer(Programm& p);
void Timer2Timer(Programm& p);

}  // namespace qzl
