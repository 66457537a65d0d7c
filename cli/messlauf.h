#pragma once
// One sweep as the window's Start runs it, on the calling thread: the
// diagram drawn afresh, then whole passes of the engine (tuning word,
// command byte, settle delay, 4-second limit).
#include <cstdint>
#include <string>

#include "cli/konsole.h"
#include "cli/optionen.h"
#include "engine/api.h"
#include "serial/port_namen.h"
#include "serial/serieller_port.h"

namespace qzl::cli {

// The device of QZL7_PORT as --port, unless an option names one; whether it was.
bool portAusUmgebung(Auftrag& auftrag);
// The port opened and set up as the window does it; the reason on failure.
// A device given by its path is named by it alone, and by where it came
// from when that was the environment.
std::string portBereiten(Geraet& g, const PortNamen& namen, bool nachPfad, bool ausUmgebung);
// A run that ended at a silent point: said, the port closed, and the exit
// status, portfehler when the device went away, else stumm.
int stilleMelden(Konsole& k, SeriellerPort& port, const std::string& portName, const api::MessErgebnis& lauf);

// The progress line of passes on the caller's thread, at most every 200 ms:
// points done, the rate and the time left, after vorsatz ("sweep 3/10"). A
// count that starts again (the next range) starts the rate again.
api::Fortschritt fortschrittsZeile(Geraet& g, Konsole& anzeige, std::string vorsatz);

// durchgaenge passes; afterwards messwerte holds the readings combined per
// point by the rule (the last, the mean with halves to even, the highest or
// the lowest), and the curve layer shows them. A progress line goes to
// anzeige, if given, after vorsatz ("sweep 3/10"). Ends early, with the
// readings incomplete, when the instrument falls silent or g.beenden is set.
api::MessErgebnis sweepMessen(Geraet& g, int durchgaenge, api::Kombination regel, Konsole* anzeige,
                              const std::string& vorsatz = {});

}  // namespace qzl::cli
