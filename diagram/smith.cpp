// The reflection chart of radius 200 pixels: outer boundary, the circle of
// magnitude one half, resistance circles 1 and 1/3 and reactance arcs +-1 and
// +-1/2, each traced with short line segments.
#include <cmath>

#include "diagram/diagramm_teile.h"

namespace qzl::diagramm {

namespace {

// Height of the circle of radius r at horizontal distance s from its centre,
// rounded half to even. Extended precision keeps near-halves on the right side.
std::int64_t hoehe(std::int64_t radius, std::int64_t s) {
    const long double q = static_cast<long double>(radius * radius - s * s);
    return static_cast<std::int64_t>(std::rint(std::sqrt(q)));
}

void segment(Raster& r, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::uint8_t f) {
    linieZeichnen(r, wrap32(x1), wrap32(y1), wrap32(x2), wrap32(y2), f);
}

void kreis(Raster& r, std::int64_t cx, std::int64_t cy, std::int64_t radius, std::uint8_t f) {
    // Each step's end height is the next step's start height.
    for (std::int64_t s = 1, a = radius; s <= radius; ++s) {
        const std::int64_t b = hoehe(radius, s);
        segment(r, cx + s - 1, cy + a, cx + s, cy + b, f);
        segment(r, cx + s - 1, cy - a, cx + s, cy - b, f);
        segment(r, cx - s + 1, cy + a, cx - s, cy + b, f);
        segment(r, cx - s + 1, cy - a, cx - s, cy - b, f);
        a = b;
    }
}

// Two mirrored arcs about (cx, cy -+ radius), running leftwards from (cx, cy).
void bogenpaar(Raster& r, std::int64_t cx, std::int64_t cy, std::int64_t radius, std::int64_t schritte,
               std::uint8_t f) {
    for (std::int64_t s = 1, a = radius; s <= schritte; ++s) {
        const std::int64_t b = hoehe(radius, s);
        segment(r, cx - s + 1, cy - radius + a, cx - s, cy - radius + b, f);
        segment(r, cx - s + 1, cy + radius - a, cx - s, cy + radius - b, f);
        a = b;
    }
}

}  // namespace

void smithDiagrammZeichnen(const InstrumentState& st, Raster& r) {
    const std::int64_t xm = st.xMitte;
    const std::int64_t ym = st.yMitte;
    const std::uint8_t linie = farbe(st.diagrammfarbe);
    segment(r, xm - 200, ym, xm + 200, ym, linie);
    kreis(r, xm, ym, 200, linie);
    kreis(r, xm, ym, 100, farbe(st.markenfarbe));
    kreis(r, xm + 100, ym, 100, linie);
    kreis(r, xm + 50, ym, 150, linie);
    bogenpaar(r, xm + 200, ym, 200, 200, linie);
    bogenpaar(r, xm + 200, ym, 400, 320, linie);
}

}  // namespace qzl::diagramm
