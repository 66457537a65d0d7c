#pragma once
// Start-up, quitting and the small helpers every feature uses.
#include <string>
#include <vector>

#include "handlers/programm.h"

namespace qzl {

// True when the first argument is exactly "-c" or "-C".
bool kontinuierlichGewuenscht(const std::vector<std::string>& argumente);

// argumente: the command line without the program name.
void FormCreate(Programm& p, const std::vector<std::string>& argumente);
// Ends a running sweep promptly, closes the port, closes the window.
void Beenden1Click(Programm& p);
// The orderly end without closing the window; safe to call twice.
void programmBeenden(Programm& p);

// Start and step, the cursor back in the middle, and the IF check marks, as
// the settings now say.
void einstellungenAnzeigen(Programm& p);
// The same without moving the cursor: the panel shows the settings.
void panelZeigen(Programm& p);

void clear_messwerte(Programm& p);
void dm_diagramm(Programm& p);
// The refresh timers on, so that a picture the engine drew afresh is shown.
void neuZeichnenZeigen(Programm& p);

}  // namespace qzl
