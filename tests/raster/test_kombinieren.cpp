#include <gtest/gtest.h>

#include <memory>

#include "pixel.h"
#include "raster/anzeige_bitmap.h"
#include "raster/raster.h"

namespace qzl::test {
namespace {

struct Ebenen {
    std::unique_ptr<Raster> gitter = leeresRaster();
    std::unique_ptr<Raster> kurve = leeresRaster();
    std::unique_ptr<AnzeigeBitmap> bitmap = std::make_unique<AnzeigeBitmap>();
    void kombinieren() { rasterKombinieren(*bitmap, *gitter, *kurve); }
};

TEST(Farbtabelle, EintraegeDerHalbtonpalette) {
    const auto& t = farbtabelle();
    EXPECT_EQ(t[0], 0xFF000000u);
    EXPECT_EQ(t[255], 0xFFFFFFFFu);
    EXPECT_EQ(t[24], 0xFF006000u);
    EXPECT_EQ(t[150], 0xFFC04080u);
    EXPECT_EQ(t[230], 0xFFC080C0u);
    EXPECT_EQ(t[9], 0xFFA6CAF0u);
    EXPECT_EQ(t[246], 0xFFFFFBF0u);
}

TEST(RasterKombinieren, UndVerknuepfungDerBeidenEbenen) {
    struct Fall { std::uint8_t gitter, kurve, bild; };
    const Fall faelle[] = {
        {0, 230, 0}, {150, 230, 134}, {0, 24, 0}, {150, 24, 16},
        {255, 230, 230}, {150, 255, 150}, {255, 255, 255},
    };
    for (const auto& f : faelle) {
        Ebenen e;
        e.gitter->at(640, 480) = f.gitter;
        e.kurve->at(640, 480) = f.kurve;
        e.kombinieren();
        EXPECT_EQ(e.bitmap->index(640, 480), f.bild) << int{f.gitter} << " & " << int{f.kurve};
        EXPECT_EQ(e.bitmap->rgb[480 * bitmapBreite + 640], farbtabelle()[f.bild]);
    }
}

TEST(RasterKombinieren, SpalteUndZeileVorDemBildBleibenUnberuehrt) {
    Ebenen e;
    // 641 x 481, created all white
    EXPECT_EQ(e.bitmap->indizes.size(), 641u * 481u);
    EXPECT_EQ(e.bitmap->index(0, 0), 255);
    EXPECT_EQ(e.bitmap->index(640, 480), 255);
    EXPECT_EQ(e.bitmap->rgb[641 * 481 - 1], 0xFFFFFFFFu);
    for (int c = 0; c < bitmapBreite; ++c) e.bitmap->indizes[static_cast<std::size_t>(c)] = 42;
    for (int r = 0; r < bitmapHoehe; ++r) e.bitmap->indizes[static_cast<std::size_t>(r * bitmapBreite)] = 42;
    rasterFuellen(*e.gitter, 0);
    e.kombinieren();
    for (int c = 0; c < bitmapBreite; ++c) {
        EXPECT_EQ(e.bitmap->index(c, 0), 42) << c;
        EXPECT_EQ(e.bitmap->rgb[static_cast<std::size_t>(c)], 0xFFFFFFFFu) << c;
    }
    for (int r = 0; r < bitmapHoehe; ++r) EXPECT_EQ(e.bitmap->index(0, r), 42) << r;
    EXPECT_EQ(e.bitmap->index(1, 1), 0);
}

// A different value at every position catches any mix-up of rows, columns
// or strips in the transpose, and the colours must follow the indices.
TEST(RasterKombinieren, JedesPixelLandetAnSeinerStelle) {
    Ebenen e;
    for (int x = 1; x <= rasterBreite; ++x)
        for (int y = 1; y <= rasterHoehe; ++y) {
            e.gitter->at(x, y) = static_cast<std::uint8_t>(x * 7 + y * 13);
            e.kurve->at(x, y) = static_cast<std::uint8_t>(0xF0 | (x + y));
        }
    e.kombinieren();
    for (int r = 1; r <= rasterHoehe; ++r)
        for (int c = 1; c <= rasterBreite; ++c) {
            const auto erwartet = static_cast<std::uint8_t>((c * 7 + r * 13) & (0xF0 | (c + r)));
            ASSERT_EQ(e.bitmap->index(c, r), erwartet) << c << "," << r;
            ASSERT_EQ(e.bitmap->rgb[static_cast<std::size_t>(r * bitmapBreite + c)], farbtabelle()[erwartet]);
        }
}

}  // namespace
}  // namespace qzl::test
