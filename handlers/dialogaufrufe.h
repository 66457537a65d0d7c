#pragma once
// The menu items that open a dialog or the help: "&Optionen", "Über", "Hilfe".
#include "handlers/programm.h"

namespace qzl {

// The settings dialog between closing and re-opening the port; the device is
// probed afterwards however the dialog was closed, so an instrument plugged
// in late is found, and the kind that a time-out replaced comes back.
void Bandbreite1Click(Programm& p);
void ber1Click(Programm& p);
void Hilfe1Click(Programm& p);

}  // namespace qzl
