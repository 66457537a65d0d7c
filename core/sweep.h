#pragma once
// The sweep engine on its worker thread, and the display refresh.
#include <cstdint>

#include "core/programm.h"

namespace qzl {

// (rohwert - k1) * k2 / 100, rounded to nearest, halves to even.
std::int32_t umrechnen(std::uint16_t rohwert, std::int32_t k1, std::int32_t k2);
// Rounded mean of messwerte[1..messpunkte].
std::int32_t mittelwert(const InstrumentState& st);

void Button5Click(Programm& p);
void Button6Click(Programm& p);
void startmessung(Programm& p);
void stopmessung(Programm& p);
bool sweepLaeuft(const Programm& p);

// The worker's loop; public for tests that run a pass on their own thread.
void messschleife(Programm& p);
// One point: measure, convert, store, draw.
void messpunkt(Programm& p, std::int32_t i, std::int32_t frequenz);
// The drawing of point i from the readings as they stand: the marker wipes
// the columns ahead, then the lines from point i - 1 and on to point i + 1.
void punktZeichnen(InstrumentState& st, std::int32_t i);

void Timer1Timer(Programm& p);
void Timer2Timer(Programm& p);

}  // namespace qzl
