#pragma once
// The "&Kalibrieren" menu: the conversion pairs of the three sweep kinds,
// the seven reference lines of the reflection diagram and the DDS clock.
#include <cstdint>
#include <string>

#include "handlers/programm.h"

namespace qzl {

// One set-up: the sweep runs behind the prompt until the user closes it and
// ends with a complete pass, whose readings are then in messwerte.
void kalibrierSchritt(Programm& p, const std::string& aufforderung);


void Durchgangsmessung2Click(Programm& p);
void Reflexionsmessung2Click(Programm& p);
void Spektralmessung2Click(Programm& p);

// Reference line n (1..7) at the mean of a pass; then a redraw.
void linieKalibrieren(Programm& p, int n);
void Linie11Click(Programm& p);
void Linie21Click(Programm& p);
void Linie31Click(Programm& p);
void Linie41Click(Programm& p);
void Linie51Click(Programm& p);
void Linie61Click(Programm& p);
void Linie71Click(Programm& p);

// The measured output of a nominal 10 MHz gives one tenth of the real clock.
void Taktgenerator1Click(Programm& p);

}  // namespace qzl
