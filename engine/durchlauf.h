#pragma once
// The sweep without a window: one pass point by point, and the worker
// thread that runs passes until it is asked to stop.
#include <cstdint>
#include <functional>

#include "engine/geraet.h"

namespace qzl {

// (rohwert - k1) * k2 / 100, rounded to nearest, halves to even.
std::int32_t umrechnen(std::uint16_t rohwert, std::int32_t k1, std::int32_t k2);
// Rounded mean of messwerte[1..messpunkte].
std::int32_t mittelwert(const InstrumentState& st);

// Told after the reply of point i (1-based) was taken; false ends the pass
// there, with point i neither stored nor drawn.
using JePunkt = std::function<bool(std::int32_t i, Antwort antwort)>;
enum class DurchlaufEnde { fertig, abgebrochen, beendet };

// One pass from startfrequenz over messpunkte points: each reading is
// converted, stored and drawn into the curve layer while the instrument
// measures the next point. Ends early when jePunkt says so or the program
// is quitting; a pass cut short leaves its last point unstored.
DurchlaufEnde durchlauf(Geraet& g, const JePunkt& jePunkt = {});

// One point alone, as a pass makes it: measure, convert, store, draw.
Antwort messpunkt(Geraet& g, std::int32_t i, std::int32_t frequenz);

// The worker's loop: passes until stopAnforderung (checked after each pass,
// so a request set before the start gives exactly one), quitting, or with
// BeiStille::beenden a point left unanswered; then sweepFertig, and amEnde
// on the worker's thread. Each complete pass, and one a silent point ended,
// becomes letzterDurchlauf, marked synthetisch when any reading was not the
// instrument's.
void dauerlauf(Geraet& g, const std::function<void()>& amEnde = {});
// Starts dauerlauf on the worker thread under the next sweepNummer; false,
// with nothing started, when one runs already or no thread is to be had.
bool sweepStarten(Geraet& g, bool nurEinDurchlauf, std::function<void()> amEnde,
                  BeiStille beiStille = BeiStille::weiter);
bool sweepLaeuft(const Geraet& g);


}  // namespace qzl
