#pragma once
// Measurement series files: the readings of a sweep with their frequencies,
// saved as text and loaded back as a picture of their own.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/programm.h"
#include "diagram/diagramm.h"

namespace qzl {

// A series as read from a file.
struct Messreihe {
    std::int32_t art = 1;  // 1 transmission, 2 reflection, 3 spectrum
    std::string ueberschrift;
    Bezugslinien linien;  // reflection only
    bool lin = false;
    std::int32_t f1 = 0;  // frequency of the first point
    std::int32_t s = 0;   // step, from the first two points
    std::int32_t n = 2;   // points read, 2..maxMesspunkte
    std::array<std::int32_t, maxMesspunkte + 1> werte{};  // 1-based
};

// The file of the current kind; empty for the kinds without a series.
std::string messreiheText(const InstrumentState& st);
// Nothing when the first line is none of the three headers.
std::optional<Messreihe> messreiheLesen(std::string daten);
// A field's number: blanks, a sign, then digits up to the first other
// character; empty gives 0. Wraps to 32 bits.
std::int32_t feldZahl(std::string_view feld);

// Both layers redrawn with the series' scale and curve, the read-outs filled
// with its evaluation; the readings 1..n replaced. No setting changes.
void messreiheZeigen(Programm& p, const Messreihe& reihe);

// "Messreihe S&peichern" and "Messreihe &Laden".
void MessreiheSpeichern1Click(Programm& p);
void Messreiheladen1Click(Programm& p);

}  // namespace qzl
