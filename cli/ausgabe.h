#pragma once
// Where a result goes: a file written whole or not at all (the window's safe
// save), or standard output; and the few texts of time the files carry.
#include <ctime>
#include <optional>
#include <string>

#include "cli/konsole.h"
#include "ausgabe/formate.h"
#include "cli/optionen.h"
#include "platform/datei.h"

namespace qzl::cli {

// The format asked for with --format, else the output file's extension, else
// csv (standard output, a device, a name without an extension); the refusal
// of an extension no format has, or "".
std::string formatBestimmen(const Auftrag& auftrag, const Ausgabeformat*& format);
bool aufStandardausgabe(const Auftrag& auftrag);
// --report with neither --output nor --format: the report is all that is wanted.
bool nurBericht(const Auftrag& auftrag);
// An output that is there and no file or folder (/dev/null, a pipe): it takes
// every repetition as it is, where a file gets a new name for each.
bool aufGeraet(const Auftrag& auftrag);

// A file failure in the system's English words ("No such file or directory").
std::string englisch(const IoFehler& fehler);

// "2026-12-07T19:45:26+01:00"
std::string isoZeit(std::time_t t);
// NAME-YYYYmmdd-HHMMSS.EXT from NAME.EXT and the local time t; from nummer
// 2 on with "-2", "-3" ... before the extension.
std::string zeitName(const std::string& pfad, std::time_t t, int nummer = 1);

// Whether the output can take the data, asked before anything is measured:
// its folder there and taking files (with neueDateien, new ones beside it),
// and no picture for a terminal. The failure is reported and its exit
// status returned; erledigt when it looks writable.
int ausgabePruefen(Konsole& k, const std::string& befehl, const Auftrag& auftrag, const Ausgabeformat& format,
                   bool neueDateien);

// Writes the data to the file (in place of it, or appended to it), or to
// standard output for "" and "-". On failure the message is reported and
// false returned.
bool ergebnisSchreiben(Konsole& k, const std::string& pfad, const std::string& daten, bool anhaengen = false);

// What sweep and convert do with a finished sweep: the limits checked, the
// data written to ziel, the report and the verdict said beside it. With
// zeit, the data goes to a new file named for that time beside ziel (the
// first of its numbers that is free), whose name is said first. The exit
// status.
int ergebnisAbliefern(Konsole& k, const Auftrag& auftrag, const Ausgabeformat& format, const InstrumentState& st,
                      Kopf kopf, const std::string& ziel, std::optional<std::time_t> zeit);

}  // namespace qzl::cli
