#pragma once
// The device link as the window shows it: the port's caption, and the
// message and demonstration that follow a time-out.
#include <string>

#include "handlers/programm.h"

namespace qzl {

std::string portTitel(const InstrumentState& st);
std::string demoTitel(const InstrumentState& st);

// Opens the port as set, with the caption naming it; why it failed goes to
// the diagnosis line, since the window says nothing until a reply is missing.
void PortSetzen(Programm& p);
// The instrument fell silent: the message (the measuring thread waits until
// it is closed), the caption, then demonstration readings. In a script's
// sweep (BeiStille::beenden) the readings and the caption change at once
// and the message is shown without holding the sweep up.
void zeitueberschreitungZeigen(Programm& p);

}  // namespace qzl
