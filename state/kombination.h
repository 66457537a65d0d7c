#pragma once
// How the passes of one sweep make its readings: the last pass, the rounded
// mean, the highest or the lowest reading per point.
namespace qzl {

enum class Kombination { letzte, mittel, max, min };

}  // namespace qzl
