#pragma once
// The sweep as the window runs it: "&Start" and "Sto&p", the controls the
// sweep takes away, and the display refresh.
#include <cstdint>
#include <functional>

#include "engine/api.h"
#include "handlers/programm.h"

namespace qzl {

void Button5Click(Programm& p);
void Button6Click(Programm& p);
// The controls away, then the worker; nothing when one runs already. Back
// with stopmessung, which waits for the pass under way. A sweep that ends
// without it (after one pass with nurEinDurchlauf, after stoppVerlangen,
// at a silent point with BeiStille::beenden) is finished as Sto&p does.
void startmessung(Programm& p, bool nurEinDurchlauf = false, BeiStille beiStille = BeiStille::weiter);
// The same for any measurement on the sweep's worker: starten starts it
// with the end's hand-over; its refusal gives the controls back.
using Starter = std::function<api::Ergebnis(std::function<void()> amEnde)>;
api::Ergebnis messungStarten(Programm& p, const Starter& starten);
// A fresh diagram, then a sweep, as "&Start" does (the command socket's
// INITiate and INITiate:CONTinuous ON).
void sweepNeu(Programm& p, bool nurEinDurchlauf, BeiStille beiStille);
void stopmessung(Programm& p);
// Asks the sweep to end after the pass under way and returns at once; the
// window finishes it as Sto&p does once it has (the command socket's ABORt,
// which must not hold up the socket for the rest of the pass).
void stoppVerlangen(Programm& p);
bool sweepLaeuft(const Programm& p);

void Timer1Timer(Programm& p);
void Timer2Timer(Programm& p);

}  // namespace qzl
