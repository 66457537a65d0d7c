#pragma once
// Helpers for the diagram tests: a fresh state, the pixels of one colour in
// a row or column, and whether a text stands at a place in the grid layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "state/instrument_state.h"
#include "raster/raster.h"
#include "schrift.h"

namespace qzl::test {

inline std::unique_ptr<InstrumentState> neuerZustand() { return std::make_unique<InstrumentState>(); }

// Columns von..bis of row y that hold the index.
inline std::vector<int> spaltenInZeile(const Raster& r, int y, std::uint8_t index, int von = 1, int bis = rasterBreite) {
    std::vector<int> s;
    for (int x = von; x <= bis; ++x)
        if (r.at(x, y) == index) s.push_back(x);
    return s;
}

inline std::vector<int> zeilenInSpalte(const Raster& r, int x, std::uint8_t index) {
    std::vector<int> z;
    for (int y = 1; y <= rasterHoehe; ++y)
        if (r.at(x, y) == index) z.push_back(y);
    return z;
}

inline std::vector<int> folge(int von, int bis, int schritt = 1) {
    std::vector<int> v;
    for (int i = von; schritt > 0 ? i <= bis : i >= bis; i += schritt) v.push_back(i);
    return v;
}

// The text's cells (as far as they lie on the raster) hold exactly the glyph
// pixels of the text in the index, taken from the tests' own copy of the font.
inline ::testing::AssertionResult textBei(const Raster& r, int x, int y, std::string_view text, std::uint8_t index) {
    for (std::size_t k = 0; k < text.size(); ++k)
        for (int i = 1; i <= 8; ++i)
            for (int j = 1; j <= 8; ++j) {
                const int px = x + 8 * static_cast<int>(k) + i, py = y + j;
                if (px < 1 || px > rasterBreite || py < 1 || py > rasterHoehe) continue;
                if (sollPunkt(text[k], i, j) != (r.at(px, py) == index))
                    return ::testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y
                                                         << ") differs at (" << px << ", " << py << ")";
            }
    return ::testing::AssertionSuccess();
}

// Nothing but background in the rectangle.
inline bool leer(const Raster& r, int x1, int y1, int x2, int y2, std::uint8_t hintergrund = 255) {
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            if (r.at(x, y) != hintergrund) return false;
    return true;
}

}  // namespace qzl::test
