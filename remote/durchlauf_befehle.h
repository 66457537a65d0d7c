#pragma once
// The sweep's commands: INITiate, INITiate:CONTinuous, ABORt and *OPC?, and
// what a session owes after them: its commands held behind ABORt, and the
// -241 of a sweep that ended on a silent instrument.
#include <optional>
#include <string>
#include <string_view>

#include "remote/befehle.h"

namespace qzl::fern {

// INITiate: one pass, which *OPC? then waits for.
void starten(Lage& l);
// INITiate:CONTinuous ON|OFF (also 1|0).
void dauerlaufSchalten(Lage& l, std::string_view parameter);
// ABORt: the sweep ends after the pass under way; the session's commands
// wait for that end, its queries do not.
void abbrechen(Lage& l);
// *OPC?: "1" once the sweep the session waits for is over; until then
// nothing, with l.warten set.
std::optional<std::string> fertig(Lage& l);

// Before each part: the -241 of the session's last sweep, once it is known.
void ausgangMelden(Lage& l);
// Whether a command has to wait for the sweep an ABORt is ending.
bool befehlWartet(Lage& l);

}  // namespace qzl::fern
