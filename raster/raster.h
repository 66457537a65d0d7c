#pragma once
// The program's own drawing layer: 640 x 480 bytes of palette indices,
// column-major, 1-based coordinates. Plain memory, no allocation while drawing.
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "raster/aenderung.h"

namespace qzl {

inline constexpr int rasterGroesse = rasterBreite * rasterHoehe;  // 307200

struct Raster {
    std::array<std::uint8_t, rasterGroesse> px{};
    // What changed since the display refresh last took it: every drawing
    // operation records its columns and rows here, so the refresh composites
    // and paints only those. Whatever guards the pixels guards this too. A
    // new raster counts as changed all over.
    Aenderung geaendert = Aenderung::alles();

    // Byte of pixel (x, y); the caller guarantees 1 <= x <= 640, 1 <= y <= 480.
    // Writing through it counts as a change of that pixel.
    std::uint8_t& at(int x, int y) {
        geaendert.spalten.dazu(x);
        geaendert.zeilen(y, y);
        return px[static_cast<std::size_t>((x - 1) * rasterHoehe + (y - 1))];
    }
    std::uint8_t at(int x, int y) const { return px[static_cast<std::size_t>((x - 1) * rasterHoehe + (y - 1))]; }

    // The changes, which from now on count as seen.
    Aenderung aenderungenNehmen() { return std::exchange(geaendert, Aenderung{}); }
};

void punktSetzen(Raster& r, int x, int y, std::uint8_t index);
void rasterFuellen(Raster& r, std::uint8_t index);
void linieZeichnen(Raster& r, int x1, int y1, int x2, int y2, std::uint8_t index);
void glyphZeichnen(Raster& r, int x, int y, char zeichen, std::uint8_t index);
void textZeichnen(Raster& r, int x, int y, std::string_view text, std::uint8_t index);
void messpunktMarke(Raster& r, int xUrsprung, int yBasis, int punkt, int cursorPunkt, int wert,
                    std::uint8_t wischIndex, std::uint8_t pfeilIndex);

}  // namespace qzl
