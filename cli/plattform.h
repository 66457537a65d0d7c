#pragma once
// What qzl7-cli needs from the operating system, behind small functions so
// that a port to another system replaces only the files that define them
// (plattform_posix.cpp, png_posix.cpp) and nothing else.
#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "raster/anzeige_bitmap.h"
#include "serial/port_namen.h"
#include "serial/serieller_port.h"

namespace qzl::cli {

// From now on a request to end (Ctrl+C, kill, a hangup, a closed pipe on
// standard output) only sets the flag; a second such request while the flag
// is set ends the program at once, unless it is the pipe again.
void abbruchAbfangen(std::atomic<bool>& flagge);
// 128 + the number of the signal that set the flag (130 for Ctrl+C).
int abbruchStatus();

// The arguments after the program's name, in UTF-8 whatever the system's
// code page.
std::vector<std::string> befehlszeile(int argc, char** argv);
// Bytes to standard output, text to standard error: on a console its
// characters, elsewhere the bytes unchanged. False if they could not be written.
bool ausgabeSchreiben(std::string_view daten);
void fehlerSchreiben(std::string_view text);

// Whether standard error goes to a terminal (a person watching), and
// whether standard output does.
bool fehlerAusgabeIstTerminal();
bool ausgabeIstTerminal();
// Standard output takes bytes unchanged (no line-end translation).
void ausgabeBinaer();


}  // namespace qzl::cli
