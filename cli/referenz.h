#pragma once
// The reference of --math diff: a series file, or a table or JSON this
// program wrote, read strictly into a curve, and held to the sweep's grid
// before anything is measured.
#include <optional>
#include <string>

#include "state/kurve.h"

namespace qzl::cli {

// The curve in daten, by its content (a series' first line, a table's
// header, JSON's brace); "" or why not, with the line or point.
std::string referenzLesen(const std::string& daten, Kurvenbild& k);

// The file read and matched point by point to gemessen (its grid and
// detector, the readings aside) into referenz; the refusal naming the file, or "".
std::string referenzLaden(const std::string& pfad, const Kurvenbild& gemessen, std::optional<Kurvenbild>& referenz);

}  // namespace qzl::cli
