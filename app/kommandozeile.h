#pragma once
// The program's command line beside the port options: the usage text, the
// version, warnings about what it does not know, and where the settings live.
#include <optional>
#include <string>
#include <vector>

#include "server/lauschadresse.h"

namespace qzl {

extern const char* const benutzungText;
// "qzl7 7.3".
std::string versionZeile();

// One line for standard error per argument the program ignores. argumente is
// the whole command line; uebrig is what Qt left of it after taking its own
// options (-platform, -style, ...), in the same order. Port options are
// judged by the port mapping.
std::vector<std::string> unbekannteOptionen(const std::vector<std::string>& argumente,
                                            const std::vector<std::string>& uebrig);

// With --user-config the settings live in $XDG_CONFIG_HOME/qzl7, by default
// ~/.config/qzl7, so that a program started from the menu does not scatter
// them in the home folder. Empty: the working folder.
std::string einstellungsOrdner(const std::vector<std::string>& argumente, const char* xdgConfigHome,
                               const char* home);

// The preset of --preset NAME or --preset=NAME (the last one given counts);
// nothing without the option.
std::optional<std::string> voreinstellungsName(const std::vector<std::string>& argumente);

// --listen, --listen=PORT or --listen=unix:PATH (the last one given counts);
// nothing without the option, or when its value is unusable, which fehler
// then says.
std::optional<Lauschadresse> lauschAdresse(const std::vector<std::string>& argumente, std::string& fehler);

}  // namespace qzl
