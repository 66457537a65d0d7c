#pragma once
// A series file read strictly, for convert: the window's layout line by
// line with every number checked, so that nothing is converted that the
// file does not say. The window's own reader stays lenient.
#include <string>

#include "state/messreihe_daten.h"

namespace qzl::cli {

// The series in daten into reihe; "" or why it is refused, "line N: ...".
std::string reiheStrengLesen(const std::string& daten, Messreihe& reihe);

}  // namespace qzl::cli
