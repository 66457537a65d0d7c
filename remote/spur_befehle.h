#pragma once
// The commands of markers and traces: CALCulate:MARKer<n>:..., the hold,
// the difference to the reference and the reference itself.
#include <span>

#include "remote/befehle.h"

namespace qzl::fern {

std::span<const Eintrag> spurTafel();

}  // namespace qzl::fern
