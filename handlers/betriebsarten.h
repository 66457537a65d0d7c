#pragma once
// Switching the measurement kind and the detection, the heading, the Smith
// chart placeholder and the fixed-frequency generator (VFO).
#include "handlers/programm.h"

namespace qzl {

void Button8Click(Programm& p);   // transmission
void Button9Click(Programm& p);   // reflection
void Button10Click(Programm& p);  // spectrum
void Button15Click(Programm& p);  // VFO
void Button11Click(Programm& p);  // heading
void Button16Click(Programm& p);  // logarithmic detection
void Button17Click(Programm& p);  // linear detection
void Button18Click(Programm& p);  // Smith chart

}  // namespace qzl
