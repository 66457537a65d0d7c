#pragma once
// "Messreihe S&peichern" and "Messreihe &Laden", and the read-outs of a
// loaded series.
#include "handlers/programm.h"

namespace qzl {

// The heading and read-outs of a series the engine has drawn: its maximum,
// minimum and, for transmission, its band.
void messreiheZeigen(Programm& p, const Messreihe& reihe);

void MessreiheSpeichern1Click(Programm& p);
void Messreiheladen1Click(Programm& p);

}  // namespace qzl
