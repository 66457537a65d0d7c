#pragma once
// The printed page of the diagram: the heading, the display bitmap stretched
// into a rectangle, and the read-out lines. Everything is placed from one
// number, the printable width in printer pixels, so the page scales with the
// printer's resolution.
#include "handlers/fenster.h"
#include "handlers/programm.h"

namespace qzl {

struct DruckLayout {
    int rand;  // left margin L; the heading stands at (L, L)
    int bildLinks, bildOben, bildRechts, bildUnten;
    int y0;             // first read-out line
    int zeilenabstand;  // line pitch d
};

// Halves round to even.
DruckLayout druckLayout(int breite);

// The page for the printable width, with the texts the window's labels show now.
DruckSeite druckSeite(int breite, const Fenster& f);

// "&Diagramm drucken": the print dialog, then one page.
void Diagrammdrucken1Click(Programm& p);

}  // namespace qzl
