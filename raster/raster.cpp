#include "raster/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "raster/glyphen.h"

namespace qzl {

namespace {

// Coordinates are formed in 64 bits so that callers near the int32 limits
// cannot overflow; anything off the raster is dropped here. Records the
// column; returns whether the pixel landed, for the caller's row record.
inline bool setzen(Raster& r, std::int64_t x, std::int64_t y, std::uint8_t index) {
    if (x < 1 || x > rasterBreite || y < 1 || y > rasterHoehe) return false;
    r.px[static_cast<std::size_t>((x - 1) * rasterHoehe + (y - 1))] = index;
    r.geaendert.spalten.dazu(static_cast<int>(x));
    return true;
}

// First and one past the last byte in [anfang, ende) that is not wert. A
// wiped column is nearly all background and the sweep wipes five per
// point: eight bytes at a time, where byte by byte took a microsecond a
// point, as long as the whole exchange with the instrument.
std::uint8_t* ersteAndere(std::uint8_t* anfang, std::uint8_t* ende, std::uint8_t wert) {
    const std::uint64_t muster = 0x0101010101010101u * wert;
    for (std::uint64_t w; ende - anfang >= 8; anfang += 8) {
        std::memcpy(&w, anfang, 8);
        if (w != muster) break;
    }
    while (anfang < ende && *anfang == wert) ++anfang;
    return anfang;
}

std::uint8_t* hinterLetzterAndere(std::uint8_t* anfang, std::uint8_t* ende, std::uint8_t wert) {
    const std::uint64_t muster = 0x0101010101010101u * wert;
    for (std::uint64_t w; ende - anfang >= 8; ende -= 8) {
        std::memcpy(&w, ende - 8, 8);
        if (w != muster) break;
    }
    while (ende > anfang && ende[-1] == wert) --ende;
    return ende;
}

// The rows one operation wrote, handed to the raster's record when the
// operation ends; kept apart so that the drawing loops hold it in registers.
class Zeilen {
public:
    explicit Zeilen(Raster& r) : r_(r) {}
    ~Zeilen() { r_.geaendert.zeilen(static_cast<int>(oben_), static_cast<int>(unten_)); }
    Zeilen(const Zeilen&) = delete;
    Zeilen& operator=(const Zeilen&) = delete;
    void dazu(std::int64_t y) {
        oben_ = std::min(oben_, y);
        unten_ = std::max(unten_, y);
    }

private:
    Raster& r_;
    std::int64_t oben_ = rasterHoehe + 1;
    std::int64_t unten_ = 0;
};

inline int vorzeichen(std::int64_t v) { return (v > 0) - (v < 0); }

// Round half to even under the default rounding mode; unlike nearbyint,
// rint is expanded inline, which matters at one call per pixel.
inline std::int64_t runden(double v) { return static_cast<std::int64_t>(std::rint(v)); }

}  // namespace

void punktSetzen(Raster& r, int x, int y, std::uint8_t index) {
    if (setzen(r, x, y, index)) r.geaendert.zeilen(y, y);
}

void rasterFuellen(Raster& r, std::uint8_t index) {
    std::memset(r.px.data(), index, r.px.size());
    r.geaendert = Aenderung::alles();
}

void linieZeichnen(Raster& r, int x1, int y1, int x2, int y2, std::uint8_t index) {
    const std::int64_t dx = std::abs(std::int64_t{x1} - x2);
    const std::int64_t dy = std::abs(std::int64_t{y1} - y2);
    Zeilen zeilen(r);

    // Every loop below only visits the part that can land on the raster: each
    // step sets exactly one pixel in its own column (or row), so the skipped
    // steps would all be clipped anyway. This keeps absurd coordinates cheap.
    if (y1 == y2) {
        if (x1 == x2) return;
        if (y1 < 1 || y1 > rasterHoehe) return;
        const std::int64_t von = std::max<std::int64_t>(std::min(x1, x2), 1);
        const std::int64_t bis = std::min<std::int64_t>(std::max(x1, x2), rasterBreite);
        for (std::int64_t x = von; x <= bis; ++x) setzen(r, x, y1, index);
        if (von <= bis) zeilen.dazu(y1);
        return;
    }
    if (x1 == x2) {
        if (x1 < 1 || x1 > rasterBreite) return;
        const std::int64_t von = std::max<std::int64_t>(std::min(y1, y2), 1);
        const std::int64_t bis = std::min<std::int64_t>(std::max(y1, y2), rasterHoehe);
        for (std::int64_t y = von; y <= bis; ++y) setzen(r, x1, y, index);
        if (von <= bis) {
            zeilen.dazu(von);
            zeilen.dazu(bis);
        }
        return;
    }
    if (dy < dx) {
        const double steigung = static_cast<double>(dy) / static_cast<double>(dx);
        const bool erstesLinks = x1 < x2;
        const std::int64_t xa = erstesLinks ? x1 : x2, ya = erstesLinks ? y1 : y2;
        const std::int64_t xb = erstesLinks ? x2 : x1, yb = erstesLinks ? y2 : y1;
        const int s = vorzeichen(yb - ya);
        const std::int64_t bis = std::min<std::int64_t>(xb, rasterBreite);
        for (std::int64_t x = std::max<std::int64_t>(xa, 1); x <= bis; ++x) {
            const std::int64_t y = ya + s * runden(static_cast<double>(x - xa) * steigung);
            if (setzen(r, x, y, index)) zeilen.dazu(y);
        }
        return;
    }
    const double steigung = static_cast<double>(dx) / static_cast<double>(dy);
    const bool erstesOben = y1 < y2;
    const std::int64_t xa = erstesOben ? x1 : x2, ya = erstesOben ? y1 : y2;
    const std::int64_t xb = erstesOben ? x2 : x1, yb = erstesOben ? y2 : y1;
    const int s = vorzeichen(xb - xa);
    const std::int64_t bis = std::min<std::int64_t>(yb, rasterHoehe);
    for (std::int64_t y = std::max<std::int64_t>(ya, 1); y <= bis; ++y)
        if (setzen(r, xa + s * runden(static_cast<double>(y - ya) * steigung), y, index)) zeilen.dazu(y);
}

void glyphZeichnen(Raster& r, int x, int y, char zeichen, std::uint8_t index) {
    const auto& glyph = glyphTabelle[static_cast<unsigned char>(zeichen)];
    Zeilen zeilen(r);
    for (int j = 1; j <= 8; ++j) {
        const unsigned zeile = glyph[static_cast<std::size_t>(j - 1)];
        if (zeile == 0) continue;
        for (int i = 1; i <= 8; ++i)
            if ((zeile & (0x80u >> (i - 1))) && setzen(r, std::int64_t{x} + i, std::int64_t{y} + j, index))
                zeilen.dazu(std::int64_t{y} + j);
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
    {
        // Most of a wiped column is background already; only the span that
        // really changes counts, so that the refresh composites a few rows.
        Zeilen zeilen(r);
        for (std::int64_t x = std::max<std::int64_t>(mitte - 1, 1); x <= std::min<std::int64_t>(mitte + 3, rasterBreite);
             ++x) {
            std::uint8_t* spalte = &r.px[static_cast<std::size_t>((x - 1) * rasterHoehe)];
            std::uint8_t* erstes = ersteAndere(spalte, spalte + rasterHoehe, wischIndex);
            if (erstes == spalte + rasterHoehe) continue;
            std::uint8_t* letztes = hinterLetzterAndere(erstes, spalte + rasterHoehe, wischIndex) - 1;
            std::memset(erstes, wischIndex, static_cast<std::size_t>(letztes - erstes + 1));
            r.geaendert.spalten.dazu(static_cast<int>(x));
            zeilen.dazu(erstes - spalte + 1);
            zeilen.dazu(letztes - spalte + 1);
        }
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
