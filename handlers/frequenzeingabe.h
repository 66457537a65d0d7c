#pragma once
// Start frequency and step, typed or stepped, and the intermediate-frequency
// offset of the VFO. Outside a sweep the generator follows the start frequency.
#include "handlers/programm.h"

namespace qzl {

void Button2Click(Programm& p);  // Plus
void Button3Click(Programm& p);  // Minus
void Button1Click(Programm& p);  // Frequenz
void Button4Click(Programm& p);  // Schrittweite
void ZFEingabe1Click(Programm& p);
void Zwischenfrequenz1Click(Programm& p);
void AdditionvsSubtraktion1Click(Programm& p);

// What follows a new start frequency (also an entry refused, which retunes
// and redraws all the same): the label, the generator, the picture; a typed
// one also brings the cursor back to the middle.
void startfrequenzGeaendert(Programm& p, bool cursorZurMitte);
// What follows a new step: the label, the cursor in the middle, the picture.
void schrittweiteGeaendert(Programm& p);

}  // namespace qzl
