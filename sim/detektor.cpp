#include "sim/detektor.h"

#include <algorithm>
#include <cmath>

namespace qzl::sim {

std::uint16_t rohwertBerechnen(double pegelDb, bool linear, bool zehnBit, double rauschen) {
    double wert = linear ? 50.0 + 160.0 * std::pow(10.0, pegelDb / 20.0)
                         : 50.0 + 2.0 * (pegelDb + 80.0);
    // The 10-bit converter resolves quarter steps of the 8-bit scale rather
    // than just shifting the 8-bit reading.
    const double grenze = zehnBit ? 1023.0 : 255.0;
    if (zehnBit) wert *= 4.0;
    wert += rauschen;
    if (!std::isfinite(wert)) wert = wert > 0 ? grenze : 0.0;
    return static_cast<std::uint16_t>(std::clamp(std::round(wert), 0.0, grenze));
}

}  // namespace qzl::sim
