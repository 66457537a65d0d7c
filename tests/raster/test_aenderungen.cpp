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

// Every operation records exactly the columns of the pixels it changed and
// the band of rows they lie in.
TEST(Aenderungen, JedeOperationMeldetWasSieAendert) {
    using Op = std::function<void(Raster&)>;
    const Op nichts = [](Raster&) {};
    // A curve piece through columns 30..40 that a wipe must report.
    const Op kurve = [](Raster& r) { linieZeichnen(r, 30, 200, 40, 260, 7); };
    const std::pair<Op, Op> faelle[] = {
        {nichts, [](Raster& r) { punktSetzen(r, 17, 3, 1); }},
        {nichts, [](Raster& r) { punktSetzen(r, 0, 3, 1); }},
        {nichts, [](Raster& r) { punktSetzen(r, 641, 3, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 5, 3, 1, 1, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, -50, 7, 20, 7, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 600, 0, 700, 0, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 300, -100, 340, 100, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 620, 470, 660, 1000, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, -100, 10, 100, 50, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 7, 500, 7, 470, 1); }},
        {nichts, [](Raster& r) { linieZeichnen(r, 9, 9, 9, 9, 1); }},
        {nichts, [](Raster& r) { textZeichnen(r, 630, 100, "-1,5 Hz", 1); }},
        {nichts, [](Raster& r) { textZeichnen(r, 100, 475, "  7", 1); }},
        {nichts, [](Raster& r) { glyphZeichnen(r, -7, 50, '1', 1); }},
        {nichts, [](Raster& r) { messpunktMarke(r, 30, 410, 1, 1, 100, 1, 2); }},
        {nichts, [](Raster& r) { messpunktMarke(r, 30, 410, 305, 0, 100, 1, 2); }},
        {nichts, [](Raster& r) { messpunktMarke(r, INT_MAX, 410, 5, 0, 100, 1, 2); }},
        {nichts, [](Raster& r) { messpunktMarke(r, 30, 410, 3, 0, 100, 255, 2); }},
        {kurve, [](Raster& r) { messpunktMarke(r, 30, 410, 2, 0, 100, 255, 2); }},
        {kurve, [](Raster& r) { messpunktMarke(r, 30, 410, 5, 5, 300, 255, 2); }},
    };
    int fall = 0;
    for (const auto& [vorher, op] : faelle) {
        auto r = leeresRaster();
        vorher(*r);
        r->aenderungenNehmen();
        const auto alt = r->px;
        op(*r);
        Aenderung erwartet;
        for (int x = 1; x <= rasterBreite; ++x)
            for (int y = 1; y <= rasterHoehe; ++y)
                if (r->px[static_cast<std::size_t>((x - 1) * rasterHoehe + y - 1)] !=
                    alt[static_cast<std::size_t>((x - 1) * rasterHoehe + y - 1)]) {
                    erwartet.spalten.dazu(x);
                    erwartet.zeilen(y, y);
                }
        EXPECT_EQ(r->geaendert, erwartet) << "case " << fall << ": rows " << r->geaendert.oben << ".."
                                          << r->geaendert.unten << ", expected " << erwartet.oben << ".."
                                          << erwartet.unten;
        EXPECT_EQ(r->aenderungenNehmen(), erwartet) << "case " << fall;
        EXPECT_TRUE(r->geaendert.leer()) << "case " << fall;
        ++fall;
    }
}

TEST(Aenderungen, FuellenSchreibenUndNeuesRaster) {
    auto r = std::make_unique<Raster>();
    EXPECT_EQ(r->aenderungenNehmen(), Aenderung::alles());
    r->at(12, 400) = 3;
    r->at(9, 7) = 3;
    Aenderung erwartet{{}, 7, 400};
    erwartet.spalten.dazu(9);
    erwartet.spalten.dazu(12);
    EXPECT_EQ(r->aenderungenNehmen(), erwartet);
    rasterFuellen(*r, 255);
    EXPECT_EQ(r->geaendert, Aenderung::alles());
    const Raster& lesend = *r;
    r->aenderungenNehmen();
    EXPECT_EQ(lesend.at(5, 5), 255);
    EXPECT_TRUE(r->geaendert.leer());
    // Rows are clipped to the raster, and an empty change adds nothing.
    Aenderung a;
    a.zeilen(-3, 2);
    a.dazu(Aenderung{});
    a.zeilen(470, 600);
    EXPECT_EQ(a.oben, 1);
    EXPECT_EQ(a.unten, 480);
    a.zeilen(9, 8);
    EXPECT_EQ(a.oben, 1);
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

// Only the given columns change, and in them only the given rows.
TEST(RasterKombinieren, NurDieGenanntenSpaltenUndZeilen) {
    auto gitter = leeresRaster(0xF0), kurve = leeresRaster(0x3C);
    const std::pair<int, int> zeilen[] = {{1, 480}, {100, 101}, {480, 480}, {5, 4}};
    for (const auto& fall : spaltenFaelle)
        for (auto [oben, unten] : zeilen) {
            auto bitmap = std::make_unique<AnzeigeBitmap>();
            rasterKombinieren(*bitmap, *gitter, *kurve, Aenderung{aus(fall), oben, unten});
            for (int c = 0; c < bitmapBreite; ++c)
                for (int r : {0, 1, 99, 100, 101, 240, 479, 480}) {
                    const std::uint8_t erwartet = drin(fall, c) && r >= oben && r <= unten ? 0x30 : 255;
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
