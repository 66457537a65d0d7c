#pragma once
// The crystal's commands (protocol 4): CALCulate:CRYStal? on the last
// complete pass, CALCulate:CRYStal:MEASure? with passes of its own, the
// fixture's resistance and the figures' warning.
#include <span>

#include "remote/befehle.h"

namespace qzl::fern {

std::span<const Eintrag> quarzTafel();

}  // namespace qzl::fern
