#pragma once
// The commands of limits, files and presets: CALCulate:LIMit:..., and
// MMEMory:... with the rule that keeps TCP clients inside their folder.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "remote/befehle.h"

namespace qzl::fern {

std::span<const Eintrag> dateiTafel();

// The folder file names refer to by default: $XDG_DATA_HOME/qzl7, else
// $HOME/.local/share/qzl7; "" when neither is set.
std::string standardOrdner(const char* xdgDataHome, const char* home);
// A name that stays inside its folder: not empty or ".", at most 255 bytes,
// no '/' or '\\', no "..", no control characters.
bool blosserName(std::string_view name);

}  // namespace qzl::fern
