#include "sim/rauschen.h"

#include <cmath>
#include <numbers>

namespace qzl::sim {

Rauschen::Rauschen(double stufen, std::uint64_t saat) : stufen_(stufen), zufall_(saat) {}

double Rauschen::ziehen() {
    if (stufen_ <= 0.0) return 0.0;
    if (zweiter_) {
        const double z = *zweiter_;
        zweiter_.reset();
        return stufen_ * z;
    }
    // 53 random bits each; u1 in (0, 1] keeps the logarithm finite.
    const double u1 = (static_cast<double>(zufall_() >> 11) + 1.0) * 0x1p-53;
    const double u2 = static_cast<double>(zufall_() >> 11) * 0x1p-53;
    const double r = std::sqrt(-2.0 * std::log(u1));
    const double winkel = 2.0 * std::numbers::pi * u2;
    zweiter_ = r * std::sin(winkel);
    return stufen_ * r * std::cos(winkel);
}

}  // namespace qzl::sim
