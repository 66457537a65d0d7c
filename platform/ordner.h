#pragma once
// Folders and the files in them, as the presets keep them.
#include <optional>
#include <string>
#include <vector>

#include "platform/datei.h"

namespace qzl {

// Makes the folder and any missing folder above it; each one made is the
// user's alone (0700), as the desktop's rules ask of settings.
std::optional<IoFehler> ordnerAnlegen(const std::string& pfad);
// The names of the files in the folder, in no order; none for a folder
// that does not exist, nothing (with fehler) for one that cannot be read.
std::optional<std::vector<std::string>> dateienIm(const std::string& ordner, IoFehler& fehler);
// Removes the file; the failure, if any.
std::optional<IoFehler> dateiLoeschen(const std::string& pfad);

}  // namespace qzl
