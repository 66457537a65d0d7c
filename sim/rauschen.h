#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace qzl::sim {

// Gaussian noise on the readings, in converter steps. The same seed gives
// the same draws with every standard library: the engine's output is fixed
// by the standard, std::normal_distribution's is not.
class Rauschen {
public:
    Rauschen(double stufen, std::uint64_t saat);
    // One draw; always 0 without noise.
    double ziehen();

private:
    double stufen_;
    std::mt19937_64 zufall_;
    std::optional<double> zweiter_;  // Box-Muller makes them in pairs
};

}  // namespace qzl::sim
