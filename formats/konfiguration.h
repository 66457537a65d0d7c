#pragma once
// The configuration files: "qzl7.cfg" and any file the user saves and loads
// (43 positional lines "key=value"), and the marker file "frequenz.cfg".
#include <cstdint>
#include <string>
#include <string_view>

#include "state/instrument_state.h"
#include "formats/textzeilen.h"

namespace qzl {

enum class Richtung { lesen, schreiben };

// The opened file of a transfer: its lines when reading, its text when writing.
struct KonfigDatei {
    TextLeser leser{std::string()};
    std::string text;
};

// One line: writing appends key and value; reading takes the next line,
// drops everything up to the first "=", and stores the value by the integer
// entry rule, or the default when it does not parse. The key is not checked.
void konfigZeile(Richtung r, KonfigDatei& datei, std::string_view schluessel, AtomInt& feld,
                 std::int32_t vorgabe);
// All 43 lines in file order, in either direction; stores unchecked.
void konfiguration(InstrumentState& st, Richtung r, KonfigDatei& datei);

// Brings values that arrived from a file into the ranges the rest of the
// program relies on: 1..300 points, COM 1..4, an 8- or 10-bit converter, a
// supported line speed and a positive reference clock.
void einstellungenBegrenzen(InstrumentState& st);

// Whether the bytes are a configuration at all: at least one of the first
// 43 lines carries its own key before the "=" (blanks aside).
bool konfigurationErkannt(std::string daten);
// Reading a configuration from bytes, limits included; false, and nothing
// changed, for bytes that are no configuration. And its text.
bool konfigurationLesen(InstrumentState& st, std::string daten);
std::string konfigurationText(const InstrumentState& st);
// Markers 1..20 from the lines of a marker file; missing lines leave a slot as it is.
void freqMarkenLesen(InstrumentState& st, std::string daten);

// The folder the menu's program keeps its settings in: $XDG_CONFIG_HOME/qzl7,
// else ~/.config/qzl7 (a relative or empty value is invalid); "" if neither.
std::string benutzerEinstellungsOrdner(const char* xdgConfigHome, const char* home);

}  // namespace qzl
