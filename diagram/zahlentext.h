#pragma once
// Number labels of the diagram.
#include <cstdint>
#include <string>

namespace qzl {

// Plain decimal with a leading minus for negatives.
std::string ganzzahlText(std::int32_t wert);

// General format: up to 15 significant digits, no trailing zeros, with the
// given decimal separator. Independent of the C locale, which the GUI
// toolkit may change behind our back.
std::string bruchText(double wert, char dezimalzeichen);

}  // namespace qzl
