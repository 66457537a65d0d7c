#pragma once
// Measurement series files: the readings of a sweep with their frequencies,
// saved as text and loaded back as a picture of their own.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "state/instrument_state.h"
#include "state/messreihe_daten.h"

namespace qzl {

// The file of the current kind; empty for the kinds without a series.
std::string messreiheText(const InstrumentState& st);
// The file of a series; empty for a kind outside 1..3. The heading goes out
// in Windows-1252 where it fits, so the older program reads it.
std::string messreiheText(const Messreihe& reihe);
// The series of the last sweep with the current settings.
Messreihe messreiheAusEinstellungen(const InstrumentState& st);
// Its reverse without the readings: the kind, heading, detector, reference
// lines, correction factors, start, step and points a series was made with.
void messreiheEinstellen(InstrumentState& st, const Messreihe& reihe);
// Nothing when the first line is none of the three headers. A heading that
// is no valid UTF-8 is taken as Windows-1252.
std::optional<Messreihe> messreiheLesen(std::string daten);
// The first line of a series file of kind 1..3 (transmission, reflection,
// spectrum); empty for another.
std::string_view messreiheKopf(std::int32_t art);
// A field's number: blanks, a sign, then digits up to the first other
// character; empty gives 0. Wraps to 32 bits.
std::int32_t feldZahl(std::string_view feld);

}  // namespace qzl
