#pragma once
// Presets in the window: "&Voreinstellungen…" with its dialog, and
// qzl7 --preset NAME at start.
#include <memory>
#include <string>

#include "engine/api.h"
#include "handlers/programm.h"
#include "handlers/voreinstellungsbedienung.h"

namespace qzl {

void Voreinstellungen1Click(Programm& p);

// The preset NAME of ordner taken after the configuration at start; a
// refusal is shown, and the program goes on with the configuration.
void voreinstellungAmStart(Programm& p, const std::string& ordner, const std::string& name);

std::unique_ptr<VoreinstellungsBedienung> voreinstellungsBedienung(Programm& p, std::string ordner);

// For a script: the preset taken and shown as the dialog's "Laden" shows it,
// without a box; what it refused or could not load is returned.
api::Voreinstellungsladung voreinstellungFernLaden(Programm& p, const std::string& ordner, const std::string& name);

}  // namespace qzl
