#pragma once
// Helpers for the raster tests: a background-filled raster on the heap and
// the set of pixels that differ from the background.
#include <memory>
#include <set>
#include <utility>

#include "raster/raster.h"

namespace qzl::test {

using Pixel = std::pair<int, int>;  // (x, y), 1-based
using Pixelmenge = std::set<Pixel>;

inline std::unique_ptr<Raster> leeresRaster(std::uint8_t hintergrund = 255) {
    auto r = std::make_unique<Raster>();
    rasterFuellen(*r, hintergrund);
    return r;
}

inline Pixelmenge gesetzt(const Raster& r, std::uint8_t hintergrund = 255) {
    Pixelmenge m;
    for (int x = 1; x <= rasterBreite; ++x)
        for (int y = 1; y <= rasterHoehe; ++y)
            if (r.at(x, y) != hintergrund) m.insert({x, y});
    return m;
}

}  // namespace qzl::test
