#pragma once

#include <cstdint>

namespace qzl::sim {

// Converter reading for a level: 8-bit 0..255, 10-bit 0..1023.
// Logarithmic detector 2 steps per dB, 50 at -80 dB; linear detector 50 plus
// 160 per unit of amplitude ratio. rauschen (in steps of the converter read)
// is added before the reading is rounded to a step.
std::uint16_t rohwertBerechnen(double pegelDb, bool linear, bool zehnBit, double rauschen = 0.0);

}  // namespace qzl::sim
