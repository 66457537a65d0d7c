#pragma once
// qzl7-cli: sweeps, conversions and the port list from the command line,
// on the window's engine without a window.
#include <string>
#include <vector>

#include "cli/konsole.h"
#include "platform/uhr.h"

namespace qzl::cli {

// Exit status.
enum Ende : int {
    erledigt = 0,        // done (and every limit passed)
    bedienfehler = 1,    // bad usage: an option, a value, a file to read
    portfehler = 2,      // the port cannot be opened or set up
    grenzeVerletzt = 3,  // a limit failed
    stumm = 4,           // the instrument fell silent
    schreibfehler = 5,   // the output cannot be written
};

// argumente without the program's name.
int cliAusfuehren(const std::vector<std::string>& argumente, Konsole& konsole, Uhr& uhr);

int sweepBefehl(const std::vector<std::string>& argumente, Konsole& konsole, Uhr& uhr);
int convertBefehl(const std::vector<std::string>& argumente, Konsole& konsole);
int quarzBefehl(const std::vector<std::string>& argumente, Konsole& konsole, Uhr& uhr);

// "qzl7-cli sweep: TEXT" and the hint to --help; returns bedienfehler.
int bedienfehlerMelden(Konsole& k, const std::string& befehl, const std::string& text);

// What the run says besides its data: to standard output, or to standard
// error when the data goes to standard output.
void nebenbeiSagen(Konsole& k, bool datenAufStandardausgabe, const std::string& text);

}  // namespace qzl::cli
