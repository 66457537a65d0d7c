#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "pixel.h"
#include "raster/anzeige_bitmap.h"
#include "raster/raster.h"

namespace qzl::test {
namespace {

// Every operation records exactly the columns it wrote: the span of the
// pixels that differ from the background afterwards.
TEST(Aenderungen, JedeOperationMeldetIhreSpalten) {
    const std::function<void(Raster&)> operationen[] = {
        [](Raster& r) { punktSetzen(r, 17, 3, 1); },
        [](Raster& r) { punktSetzen(r, 0, 3, 1); },
        [](Raster& r) { punktSetzen(r, 641, 3, 1); },
        [](Raster& r) { linieZeichnen(r, 5, 3, 1, 1, 1); },
        [](Raster& r) { linieZeichnen(r, -50, 7, 20, 7, 1); },
        [](Raster& r) { linieZeichnen(r, 600, 0, 700, 0, 1); },
        [](Raster& r) { linieZeichnen(r, 300, -100, 340, 100, 1); },
        [](Raster& r) { linieZeichnen(r, 620, 470, 660, 1000, 1); },
        [](Raster& r) { linieZeichnen(r, 9, 9, 9, 9, 1); },
        [](Raster& r) { textZeichnen(r, 630, 100, "-1,5 Hz", 1); },
        [](Raster& r) { textZeichnen(r, 100, 100, "  7", 1); },
        [](Raster& r) { glyphZeichnen(r, -7, 50, '1', 1); },
        [](Raster& r) { messpunktMarke(r, 30, 410, 1, 1, 100, 1, 2); },
        [](Raster& r) { messpunktMarke(r, 30, 410, 305, 0, 100, 1, 2); },
        [](Raster& r) { messpunktMarke(r, INT_MAX, 410, 5, 0, 100, 1, 2); },
    };
    int fall = 0;
    for (const auto& op : operationen) {
        auto r = leeresRaster();
        r->aenderungenNehmen();
        op(*r);
        Spalten erwartet;
        for (const auto& [x, y] : gesetzt(*r)) erwartet.dazu(x);
        EXPECT_EQ(r->geaendert, erwartet) << "case " << fall;
        EXPECT_EQ(r->aenderungenNehmen(), erwartet) << "case " << fall;
        EXPECT_TRUE(r->geaendert.leer()) << "case " << fall;
        ++fall;
    }
}

TEST(Aenderungen, FuellenSchreibenUndNeuesRaster) {
    auto r = std::make_unique<Raster>();
    EXPECT_EQ(r->aenderungenNehmen(), Spalten::alle());
    r->at(12, 400) = 3;
    r->at(9, 1) = 3;
    Spalten erwartet;
    erwartet.dazu(9);
    erwartet.dazu(12);
    EXPECT_EQ(r->aenderungenNehmen(), erwartet);
    rasterFuellen(*r, 255);
    EXPECT_EQ(r->geaendert, Spalten::alle());
    const Raster& lesend = *r;
    r->aenderungenNehmen();
    EXPECT_EQ(lesend.at(5, 5), 255);
    EXPECT_TRUE(r->geaendert.leer());
}

// Sets of columns given as runs von..bis: single columns, runs across the
// 32-column strips and the 64-column words, both raster edges, several runs.
const std::vector<std::vector<std::pair<int, int>>> spaltenFaelle = {
    {{1, 1}}, {{31, 33}}, {{63, 66}}, {{100, 140}}, {{600, 640}}, {{640, 640}}, {{1, 640}},
    {{2, 2}, {4, 5}, {128, 200}, {639, 640}}, {},
};

Spalten aus(const std::vector<std::pair<int, int>>& laeufe) {
    Spalten s;
    for (auto [von, bis] : laeufe) s.dazu(Spalten::bereich(von, bis));
    return s;
}

bool drin(const std::vector<std::pair<int, int>>& laeufe, int x) {
    for (auto [von, bis] : laeufe)
        if (x >= von && x <= bis) return true;
    return false;
}

TEST(Spalten, LaeufeUndBereiche) {
    for (const auto& fall : spaltenFaelle) {
        std::vector<std::pair<int, int>> laeufe;
        aus(fall).laeufe([&](int von, int bis) { laeufe.emplace_back(von, bis); });
        EXPECT_EQ(laeufe, fall);
        EXPECT_EQ(aus(fall).leer(), fall.empty());
    }
    EXPECT_EQ(Spalten::bereich(-5, 3), Spalten::bereich(1, 3));
    EXPECT_EQ(Spalten::bereich(638, 700), Spalten::bereich(638, 640));
    EXPECT_TRUE(Spalten::bereich(50, 40).leer());
    EXPECT_EQ(Spalten::bereich(1, 640), Spalten::alle());
    EXPECT_FALSE(Spalten::alle().enthaelt(0));
    EXPECT_FALSE(Spalten::alle().enthaelt(641));
}

// Only the given columns change.
TEST(RasterKombinieren, NurDieGenanntenSpalten) {
    auto gitter = leeresRaster(0xF0), kurve = leeresRaster(0x3C);
    for (const auto& fall : spaltenFaelle) {
        auto bitmap = std::make_unique<AnzeigeBitmap>();
        rasterKombinieren(*bitmap, *gitter, *kurve, aus(fall));
        for (int c = 0; c < bitmapBreite; ++c)
            for (int r : {0, 1, 240, 480}) {
                const std::uint8_t erwartet = drin(fall, c) && r >= 1 ? 0x30 : 255;
                ASSERT_EQ(bitmap->index(c, r), erwartet) << c << "," << r;
                ASSERT_EQ(bitmap->rgb[static_cast<std::size_t>(r * bitmapBreite + c)], farbtabelle()[erwartet]);
            }
    }
}

TEST(SpaltenKopieren, NurDieGenanntenSpalten) {
    auto quelle = leeresRaster(7);
    for (const auto& fall : spaltenFaelle) {
        auto ziel = leeresRaster(255);
        spaltenKopieren(*ziel, *quelle, aus(fall));
        for (int x = 1; x <= rasterBreite; ++x)
            for (int y : {1, 480}) ASSERT_EQ(ziel->at(x, y), drin(fall, x) ? 7 : 255) << x;
    }
}

}  // namespace
}  // namespace qzl::test
