#pragma once
// The settings of a sweep from the command line: the window's configuration
// file read with the window's reader and limits (or the start values without
// one), then the options on top, for this run only.
#include <string>

#include "cli/optionen.h"
#include "engine/geraet.h"
#include "serial/port_namen.h"

namespace qzl::cli {

// The refusal naming the option (or the file) at fault, or "".
std::string einstellungenVorbereiten(const Auftrag& auftrag, Geraet& g, PortNamen& namen);

}  // namespace qzl::cli
