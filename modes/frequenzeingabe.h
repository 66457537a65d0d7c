#pragma once
// Start frequency and step, typed or stepped, and the intermediate-frequency
// offset of the VFO. Outside a sweep the generator follows the start frequency.
#include <cstdint>

#include "core/programm.h"

namespace qzl {

// Whether every point of a sweep from start in steps of schritt, over
// messpunkte points, is a 32-bit frequency. Entries that break this are
// refused, so that no sweep, axis or label ever shows a wrapped frequency.
bool sweepImBereich(std::int64_t start, std::int64_t schritt, std::int32_t messpunkte);

void Button2Click(Programm& p);  // Plus
void Button3Click(Programm& p);  // Minus
void Button1Click(Programm& p);  // Frequenz
void Button4Click(Programm& p);  // Schrittweite
void ZFEingabe1Click(Programm& p);
void Zwischenfrequenz1Click(Programm& p);
void AdditionvsSubtraktion1Click(Programm& p);

}  // namespace qzl
