#pragma once
// The settings of a sweep from the command line: the window's configuration
// file read with the window's reader and limits (or the start values without
// one), then the options on top, for this run only.
#include <string>

#include "cli/optionen.h"
#include "core/instrument_state.h"
#include "serial/port_namen.h"

namespace qzl::cli {

// The refusal naming the option (or the file) at fault, or "".
std::string einstellungenVorbereiten(const Auftrag& auftrag, InstrumentState& st, PortNamen& namen);

// Frequency of sweep point i (1-based) as the sweep tunes it.
std::int64_t punktFrequenz(const InstrumentState& st, std::int32_t i);

}  // namespace qzl::cli
