#include "raster/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "raster/glyphen.h"

namespace qzl {

namespace {

// Coordinates are formed in 64 bits so that callers near the int32 limits
// cannot overflow; anything off the raster is dropped here.
inline void setzen(Raster& r, std::int64_t x, std::int64_t y, std::uint8_t index) {
    if (x >= 1 && x <= rasterBreite && y >= 1 && y <= rasterHoehe) {
        r.px[static_cast<std::size_t>((x - 1) * rasterHoehe + (y - 1))] = index;
        r.geaendert.dazu(static_cast<int>(x));
    }
}

inline int vorzeichen(std::int64_t v) { return (v > 0) - (v < 0); }

// Round half to even under the default rounding mode; unlike nearbyint,
// rint is expanded inline, which matters at one call per pixel.
inline std::int64_t runden(double v) { return static_cast<std::int64_t>(std::rint(v)); }

}  // namespace

void punktSetzen(Raster& r, int x, int y, std::uint8_t index) { setzen(r, x, y, index); }

void rasterFuellen(Raster& r, std::uint8_t index) {
    std::memset(r.px.data(), index, r.px.size());
    r.geaendert = Spalten::alle();
}

void linieZeichnen(Raster& r, int x1, int y1, int x2, int y2, std::uint8_t index) {
    const std::int64_t dx = std::abs(std::int64_t{x1} - x2);
    const std::int64_t dy = std::abs(std::int64_t{y1} - y2);

    // Every loop below only visits the part that can land on the raster: each
    // step sets exactly one pixel in its own column (or row), so the skipped
    // steps would all be clipped anyway. This keeps absurd coordinates cheap.
    if (y1 == y2) {
        if (x1 == x2) return;
        if (y1 < 1 || y1 > rasterHoehe) return;
        const std::int64_t von = std::max<std::int64_t>(std::min(x1, x2), 1);
        const std::int64_t bis = std::min<std::int64_t>(std::max(x1, x2), rasterBreite);
        for (std::int64_t x = von; x <= bis; ++x) setzen(r, x, y1, index);
        return;
    }
    if (x1 == x2) {
        if (x1 < 1 || x1 > rasterBreite) return;
        const std::int64_t von = std::max<std::int64_t>(std::min(y1, y2), 1);
        const std::int64_t bis = std::min<std::int64_t>(std::max(y1, y2), rasterHoehe);
        for (std::int64_t y = von; y <= bis; ++y) setzen(r, x1, y, index);
        return;
    }
    if (dy < dx) {
        const double steigung = static_cast<double>(dy) / static_cast<double>(dx);
        const bool erstesLinks = x1 < x2;
        const std::int64_t xa = erstesLinks ? x1 : x2, ya = erstesLinks ? y1 : y2;
        const std::int64_t xb = erstesLinks ? x2 : x1, yb = erstesLinks ? y2 : y1;
        const int s = vorzeichen(yb - ya);
        const std::int64_t bis = std::min<std::int64_t>(xb, rasterBreite);
        for (std::int64_t x = std::max<std::int64_t>(xa, 1); x <= bis; ++x)
            setzen(r, x, ya + s * runden(static_cast<double>(x - xa) * steigung), index);
        return;
    }
    const double steigung = static_cast<double>(dx) / static_cast<double>(dy);
    const bool erstesOben = y1 < y2;
    const std::int64_t xa = erstesOben ? x1 : x2, ya = erstesOben ? y1 : y2;
    const std::int64_t xb = erstesOben ? x2 : x1, yb = erstesOben ? y2 : y1;
    const int s = vorzeichen(xb - xa);
    const std::int64_t bis = std::min<std::int64_t>(yb, rasterHoehe);
    for (std::int64_t y = std::max<std::int64_t>(ya, 1); y <= bis; ++y)
        setzen(r, xa + s * runden(static_cast<double>(y - ya) * steigung), y, index);
}

void glyphZeichnen(Raster& r, int x, int y, char zeichen, std::uint8_t index) {
    const auto& glyph = glyphTabelle[static_cast<unsigned char>(zeichen)];
    for (int j = 1; j <= 8; ++j) {
        const unsigned zeile = glyph[static_cast<std::size_t>(j - 1)];
        if (zeile == 0) continue;
        for (int i = 1; i <= 8; ++i)
            if (zeile & (0x80u >> (i - 1))) setzen(r, std::int64_t{x} + i, std::int64_t{y} + j, index);
    }
}

void textZeichnen(Raster& r, int x, int y, std::string_view text, std::uint8_t index) {
    std::int64_t zelle = x;
    for (char c : text) {
        // Once a cell starts right of the raster, no later cell can show.
        if (zelle >= rasterBreite) break;
        if (zelle > -8) glyphZeichnen(r, static_cast<int>(zelle), y, c, index);
        zelle += 8;
    }
}

void messpunktMarke(Raster& r, int xUrsprung, int yBasis, int punkt, int cursorPunkt, int wert,
                    std::uint8_t wischIndex, std::uint8_t pfeilIndex) {
    const std::int64_t mitte = 2 * std::int64_t{punkt} + xUrsprung;
    for (std::int64_t x = mitte - 1; x <= mitte + 3; ++x)
        if (x >= 1 && x <= rasterBreite) {
            std::memset(&r.px[static_cast<std::size_t>((x - 1) * rasterHoehe)], wischIndex, rasterHoehe);
            r.geaendert.dazu(static_cast<int>(x));
        }

    if (punkt != cursorPunkt) return;
    // The arguments of linieZeichnen are 32-bit; wrap like the rest of the
    // program's integer arithmetic instead of overflowing.
    const auto xc = static_cast<std::int32_t>(mitte);
    const auto yc = static_cast<std::int32_t>(std::int64_t{yBasis} - wert);
    const auto yOben = static_cast<std::int32_t>(std::int64_t{yc} - 10);
    static constexpr int abstand[5][2] = {{0, 1}, {1, 2}, {2, 4}, {3, 6}, {4, 8}};
    for (const auto& [links, hoehe] : abstand)
        linieZeichnen(r, static_cast<std::int32_t>(std::int64_t{xc} - links),
                      static_cast<std::int32_t>(std::int64_t{yc} - hoehe),
                      static_cast<std::int32_t>(std::int64_t{xc} - links), yOben, pfeilIndex);
}

}  // namespace qzl
