#pragma once
// The 641 x 481 display bitmap: one palette index per pixel (kept for printing)
// and the same picture as 32-bit RGB through the colour table, ready to paint.
#include <array>
#include <cstdint>

#include "raster/raster.h"

namespace qzl {

inline constexpr int bitmapBreite = 641;
inline constexpr int bitmapHoehe = 481;

// Entry n is 0xFFRRGGBB of palette index n.
const std::array<std::uint32_t, 256>& farbtabelle();

struct AnzeigeBitmap {
    AnzeigeBitmap();  // all white (index 255), like a freshly created bitmap
    std::array<std::uint8_t, bitmapBreite * bitmapHoehe> indizes;   // row-major, row 0 on top
    std::array<std::uint32_t, bitmapBreite * bitmapHoehe> rgb;      // row-major, same layout

    std::uint8_t index(int spalte, int zeile) const { return indizes[static_cast<std::size_t>(zeile * bitmapBreite + spalte)]; }
};

// Bitmap pixel (c, r) := erstes(c, r) AND zweites(c, r) for c = 1..640, r = 1..480,
// and AND drittes(c, r) when given; row 0 and column 0 are left alone. Fills
// both the indices and the RGB picture.
void rasterKombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites,
                       const Raster* drittes = nullptr);
// The same for the columns of teil and, in them, its band of rows only.
void rasterKombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites, const Aenderung& teil,
                       const Raster* drittes = nullptr);
// Copies the pixels of the given columns; leaves the target's change record alone.
void spaltenKopieren(Raster& ziel, const Raster& quelle, const Spalten& spalten);

}  // namespace qzl
