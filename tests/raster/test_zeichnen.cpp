#include <gtest/gtest.h>

#include <climits>
#include <string_view>
#include <vector>

#include "pixel.h"
#include "schrift.h"
#include "raster/raster.h"

namespace qzl::test {
namespace {

TEST(PunktSetzen, TrifftDasRichtigeByteUndKlipptAusserhalb) {
    struct Fall { int x, y; int byte; };  // byte -1: nothing may change
    const Fall faelle[] = {
        {1, 1, 0},      {2, 1, 480},    {1, 2, 1},       {640, 480, 307199},
        {0, 1, -1},     {641, 1, -1},   {1, 0, -1},      {1, 481, -1},
        {INT_MIN, 1, -1}, {1, INT_MAX, -1},
    };
    for (const auto& f : faelle) {
        auto r = leeresRaster();
        punktSetzen(*r, f.x, f.y, 7);
        std::vector<int> geaendert;
        for (int i = 0; i < rasterGroesse; ++i)
            if (r->px[static_cast<std::size_t>(i)] != 255) geaendert.push_back(i);
        const std::vector<int> erwartet = f.byte < 0 ? std::vector<int>{} : std::vector<int>{f.byte};
        EXPECT_EQ(geaendert, erwartet) << "(" << f.x << ", " << f.y << ")";
    }
}

struct LinienFall {
    const char* name;
    int x1, y1, x2, y2;
    Pixelmenge erwartet;
};

TEST(LinieZeichnen, SetztGenauDiePixelDerRegelInBeidenRichtungen) {
    const LinienFall faelle[] = {
        {"gleicher Punkt", 7, 7, 7, 7, {}},
        {"waagrecht", 3, 7, 1, 7, {{1, 7}, {2, 7}, {3, 7}}},
        {"senkrecht", 10, 20, 10, 11,
         {{10, 11}, {10, 12}, {10, 13}, {10, 14}, {10, 15}, {10, 16}, {10, 17}, {10, 18}, {10, 19}, {10, 20}}},
        // Offsets 0.5 and 1.5 round to the even neighbours 0 and 2.
        {"flach, Halbe zur geraden Zahl", 1, 1, 5, 3, {{1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 3}}},
        {"flach aufwaerts", 1, 5, 5, 3, {{1, 5}, {2, 5}, {3, 4}, {4, 3}, {5, 3}}},
        // Offsets k * 0.3: 0 0.3 0.6 0.9 1.2 1.5 1.8 2.1 2.4 2.7 3.
        {"flach, zehn Schritte", 1, 1, 11, 4,
         {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 2}, {6, 3}, {7, 3}, {8, 3}, {9, 3}, {10, 4}, {11, 4}}},
        {"genaue Diagonale ist steil", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        {"steil nach links", 5, 1, 3, 5, {{5, 1}, {5, 2}, {4, 3}, {3, 4}, {3, 5}}},
        {"links abgeschnitten", -5, 1, 3, 1, {{1, 1}, {2, 1}, {3, 1}}},
        {"steil unten abgeschnitten", 2, 478, 2, 1000, {{2, 478}, {2, 479}, {2, 480}}},
        {"senkrecht in der ersten Spalte", 1, 5, 1, 3, {{1, 3}, {1, 4}, {1, 5}}},
        {"senkrecht in der letzten Spalte", 640, 480, 640, 478, {{640, 478}, {640, 479}, {640, 480}}},
        {"waagrecht in der letzten Zeile", 638, 480, 700, 480, {{638, 480}, {639, 480}, {640, 480}}},
        // Offsets (x + 5) * 0.2 from x = 1 on: 1.2 1.4 1.6 1.8 2.
        {"flach links abgeschnitten", -5, 1, 5, 3, {{1, 2}, {2, 2}, {3, 3}, {4, 3}, {5, 3}}},
        {"steil oben abgeschnitten", 1, -5, 3, 5, {{2, 1}, {2, 2}, {3, 3}, {3, 4}, {3, 5}}},
    };
    for (const auto& f : faelle) {
        for (bool umgekehrt : {false, true}) {
            auto r = leeresRaster();
            if (umgekehrt)
                linieZeichnen(*r, f.x2, f.y2, f.x1, f.y1, 9);
            else
                linieZeichnen(*r, f.x1, f.y1, f.x2, f.y2, 9);
            EXPECT_EQ(gesetzt(*r), f.erwartet) << f.name << (umgekehrt ? " (umgekehrt)" : "");
        }
    }
}

TEST(LinieZeichnen, ExtremeKoordinatenLaufenUeberDasGanzeRaster) {
    auto r = leeresRaster();
    linieZeichnen(*r, INT_MIN, 1, INT_MAX, 1, 4);
    // dx = 2^32 - 1, dy = 1: every visible column lies just past the middle,
    // so its offset rounds up to 1.
    linieZeichnen(*r, INT_MIN, 3, INT_MAX, 4, 5);
    for (int x = 1; x <= rasterBreite; ++x) {
        ASSERT_EQ(r->at(x, 1), 4) << x;
        ASSERT_EQ(r->at(x, 4), 5) << x;
        ASSERT_EQ(r->at(x, 3), 255) << x;
    }
    EXPECT_EQ(gesetzt(*r).size(), 2u * rasterBreite);
}

TEST(GlyphZeichnen, BitSiebenIstDieLinkeSpalte) {
    auto r = leeresRaster();
    glyphZeichnen(*r, 0, 0, '1', 6);
    const Pixelmenge eins = {{6, 1}, {5, 2}, {6, 2}, {4, 3}, {6, 3}, {6, 4},
                             {6, 5}, {6, 6}, {5, 7}, {6, 7}, {7, 7}};
    EXPECT_EQ(gesetzt(*r), eins);
}

TEST(GlyphZeichnen, StreupunkteVonFuenfUndSiebenBleiben) {
    auto fuenf = leeresRaster();
    glyphZeichnen(*fuenf, 0, 0, '5', 6);
    EXPECT_EQ(fuenf->at(1, 6), 6);  // 0x84: leftmost column
    EXPECT_EQ(fuenf->at(6, 6), 6);

    auto sieben = leeresRaster();
    glyphZeichnen(*sieben, 0, 0, '7', 6);
    EXPECT_EQ(sieben->at(2, 2), 6);  // 0x41: columns 2 and 8
    EXPECT_EQ(sieben->at(8, 2), 6);
    EXPECT_EQ(sieben->at(7, 2), 255);
}

TEST(GlyphZeichnen, UnbekannteZeichenSindLeerUndGlyphenDurchsichtig) {
    auto r = leeresRaster(77);
    for (char c : std::string_view("H z/:\xB0"))
        glyphZeichnen(*r, 10, 10, c, 0);
    EXPECT_TRUE(gesetzt(*r, 77).empty());

    glyphZeichnen(*r, 10, 10, '-', 0);  // row 4 only: 0x7E
    const Pixelmenge minus = {{12, 14}, {13, 14}, {14, 14}, {15, 14}, {16, 14}, {17, 14}};
    EXPECT_EQ(gesetzt(*r, 77), minus);
}

TEST(TextZeichnen, JedesZeichenBelegtEineAchterZelle) {
    auto r = leeresRaster();
    textZeichnen(*r, 100, 200, "-1,5 Hz", 0);
    auto zelle = [&](int x0) {
        int n = 0;
        for (int x = x0 + 1; x <= x0 + 8; ++x)
            for (int y = 201; y <= 208; ++y) n += r->at(x, y) != 255;
        return n;
    };
    // Set bits per glyph: "-" 6, "1" 11, "," 3, "5" 18.
    EXPECT_EQ(zelle(100), 6);
    EXPECT_EQ(zelle(108), 11);
    EXPECT_EQ(zelle(116), 3);
    EXPECT_EQ(zelle(124), 18);
    EXPECT_EQ(zelle(132), 0);
    EXPECT_EQ(zelle(140), 0);
    EXPECT_EQ(zelle(148), 0);
    EXPECT_EQ(gesetzt(*r).size(), 38u);
}

TEST(TextZeichnen, LeererTextUndZellenAmRand) {
    auto r = leeresRaster();
    textZeichnen(*r, 5, 5, "", 0);
    EXPECT_TRUE(gesetzt(*r).empty());

    // The first cell (columns -11..-4) is off the raster; the second one's
    // "1" has its top pixel in cell column 6, i.e. x = -4 + 6.
    textZeichnen(*r, -12, 0, "11", 0);
    Pixelmenge sichtbar = {{2, 1}, {1, 2}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {1, 7}, {2, 7}, {3, 7}};
    EXPECT_EQ(gesetzt(*r), sichtbar);

    // A cell cut by the right edge: "-" covers columns 631..638, the first
    // "7" 639..646, of which only cell columns 1 and 2 are on the raster;
    // rows 1 (0x7E) and 2 (0x41) set cell column 2, i.e. x = 640. The last
    // cell lies wholly off the raster.
    auto rechts = leeresRaster();
    textZeichnen(*rechts, 630, 300, "-77", 0);
    sichtbar = {{632, 304}, {633, 304}, {634, 304}, {635, 304}, {636, 304}, {637, 304}, {640, 301}, {640, 302}};
    EXPECT_EQ(gesetzt(*rechts), sichtbar);
}

TEST(MesspunktMarke, WischtFuenfSpaltenUndZeichnetDenPfeil) {
    auto r = leeresRaster(7);
    messpunktMarke(*r, 30, 410, 1, 1, 100, 255, 24);
    for (int x = 29; x <= 36; ++x) {
        const bool gewischt = x >= 31 && x <= 35;
        int hintergrund = 0, pfeil = 0, rest = 0;
        for (int y = 1; y <= rasterHoehe; ++y) {
            const auto v = r->at(x, y);
            (v == 255 ? hintergrund : v == 24 ? pfeil : rest) += 1;
        }
        // Strokes end at row 300 and start 1, 2, 4, 6, 8 rows above row 310.
        const int pfeilLaenge = x == 32 ? 10 : x == 31 ? 9 : x == 30 ? 7 : x == 29 ? 5 : 0;
        EXPECT_EQ(pfeil, pfeilLaenge) << x;
        EXPECT_EQ(hintergrund, gewischt ? rasterHoehe - pfeilLaenge : 0) << x;
    }
    EXPECT_EQ(r->at(32, 309), 24);  // tip
    EXPECT_EQ(r->at(32, 310), 255);
    EXPECT_EQ(r->at(32, 300), 24);  // flat top
    EXPECT_EQ(r->at(28, 300), 24);
    EXPECT_EQ(r->at(28, 302), 24);
    EXPECT_EQ(r->at(28, 303), 7);
    EXPECT_EQ(r->at(27, 300), 7);
    EXPECT_EQ(r->at(32, 299), 255);
}

// The wipe finds a curve's pixels wherever they lie in the column, also at
// its ends and on either side of an eight-byte boundary.
TEST(MesspunktMarke, WischtKurvenpixelAnJederStelle) {
    const std::vector<int> faelle[] = {{1}, {480}, {8, 9}, {57}, {1, 480}, {200, 201, 202, 203, 204, 205, 206, 207, 208}};
    for (const auto& zeilen : faelle) {
        auto r = leeresRaster();
        for (int y : zeilen) punktSetzen(*r, 35, y, 7);
        r->aenderungenNehmen();
        messpunktMarke(*r, 30, 410, 2, 0, 100, 255, 24);
        EXPECT_TRUE(gesetzt(*r).empty()) << zeilen.front();
        EXPECT_EQ(r->geaendert.oben, zeilen.front());
        EXPECT_EQ(r->geaendert.unten, zeilen.back());
    }
}

TEST(MesspunktMarke, OhneCursorKeinPfeilUndRandspaltenEntfallen) {
    struct Fall { int punkt; std::vector<int> spalten; };
    const Fall faelle[] = {
        {5, {39, 40, 41, 42, 43}},
        {305, {639, 640}},
        {-16, {1}},
        {INT_MAX, {}},
    };
    for (const auto& f : faelle) {
        auto r = leeresRaster(7);
        messpunktMarke(*r, 30, 410, f.punkt, 1, 100, 255, 24);
        std::vector<int> gewischt;
        for (int x = 1; x <= rasterBreite; ++x)
            if (r->at(x, 1) == 255) gewischt.push_back(x);
        EXPECT_EQ(gewischt, f.spalten) << f.punkt;
        EXPECT_EQ(gesetzt(*r, 7).size(), f.spalten.size() * rasterHoehe) << f.punkt;
    }
}

}  // namespace
}  // namespace qzl::test

namespace qzl {
namespace {

// Every glyph drawn at (0, 0), read back row by row as bytes: the table as
// it stands, bit 7 being the leftmost column.
TEST(GlyphZeichnen, GanzeTabelle) {
    for (char zeichen : std::string_view("0123456789.,-H /")) {
        const auto zeilen = test::sollGlyphe(zeichen);
        auto r = test::leeresRaster();
        glyphZeichnen(*r, 0, 0, zeichen, 7);
        for (int j = 1; j <= 8; ++j) {
            std::uint8_t byte = 0;
            for (int i = 1; i <= 8; ++i)
                if (r->at(i, j) == 7) byte |= static_cast<std::uint8_t>(0x80 >> (i - 1));
            EXPECT_EQ(byte, zeilen[static_cast<std::size_t>(j - 1)]) << zeichen << " row " << j;
        }
    }
}

}  // namespace
}  // namespace qzl
