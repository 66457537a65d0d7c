#include <gtest/gtest.h>

#include <climits>

#include "bild.h"
#include "diagram/diagramm.h"
#include "diagram/zahlentext.h"

namespace qzl::test {
namespace {

constexpr std::uint8_t schwarz = 0;   // diagrammfarbe
constexpr std::uint8_t marke = 150;   // markenfarbe
constexpr std::uint8_t weiss = 255;   // hintergrundfarbe

TEST(DiagrammZeichnen, LogDurchgangMit280Punkten) {
    auto st = neuerZustand();
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;

    for (int y = 410; y >= 10; y -= 50) EXPECT_EQ(spaltenInZeile(g, y, schwarz, 25), folge(30, 590)) << y;
    // Eight grid lines cross row 200, fifteen ticks cross row 407.
    EXPECT_EQ(spaltenInZeile(g, 200, schwarz), folge(30, 590, 80));
    EXPECT_EQ(spaltenInZeile(g, 407, schwarz, 25), folge(30, 590, 40));
    EXPECT_EQ(spaltenInZeile(g, 405, schwarz, 25), folge(30, 590, 80));
    EXPECT_EQ(zeilenInSpalte(g, 110, schwarz), folge(10, 410));
    // a tick between two grid lines: four rows above the baseline
    std::vector<int> spalte70 = folge(10, 360, 50);
    for (int y : folge(406, 410)) spalte70.push_back(y);
    EXPECT_EQ(zeilenInSpalte(g, 70, schwarz), spalte70);

    EXPECT_TRUE(textBei(g, 0, 406, "-80", schwarz));
    // Glyph row 4 of "-", "8", "0" lies on the baseline row.
    EXPECT_EQ(spaltenInZeile(g, 410, schwarz, 1, 24), (std::vector<int>{2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 18, 23}));
    EXPECT_TRUE(leer(g, 1, 401, 29, 406));
    EXPECT_TRUE(leer(g, 1, 415, 29, 425));
    EXPECT_TRUE(leer(g, 25, 407, 29, 414));
    EXPECT_TRUE(textBei(g, 0, 356, "-70", schwarz));
    EXPECT_TRUE(textBei(g, 0, 6, "0", schwarz));

    // Axis labels alternate between rows 425 and 440, 24 pixels left of their line.
    EXPECT_TRUE(textBei(g, 6, 425, "10.000.000 Hz", schwarz));
    EXPECT_TRUE(textBei(g, 86, 440, "10.400.000 Hz", schwarz));
    EXPECT_TRUE(textBei(g, 166, 425, "10.800.000 Hz", schwarz));
    EXPECT_TRUE(textBei(g, 566, 440, "12.800.000 Hz", schwarz));
    EXPECT_TRUE(leer(g, 1, 441, 85, 448));

    EXPECT_TRUE(leer(st->kurvenRaster, 1, 1, 640, 480));
}

TEST(DiagrammZeichnen, LogSpektrumZaehltVonMinus70) {
    auto st = neuerZustand();
    st->messart = Messart::spektrum;
    st->hintergrundfarbe = 0x107;  // a raster byte takes the low byte
    diagrammZeichnen(*st);
    EXPECT_EQ(st->gitterRaster.at(640, 1), 7);
    EXPECT_EQ(st->kurvenRaster.at(1, 480), 7);
    EXPECT_TRUE(textBei(st->gitterRaster, 0, 406, "-70", schwarz));
    EXPECT_TRUE(textBei(st->gitterRaster, 0, 6, "10", schwarz));
    EXPECT_EQ(spaltenInZeile(st->gitterRaster, 10, schwarz, 25), folge(30, 590));
}

TEST(DiagrammZeichnen, BreiteFolgtDenMesspunkten) {
    struct Fall { int messpunkte; int rechts; std::vector<int> gitter, striche; };
    const Fall faelle[] = {
        {300, 630, folge(30, 590, 80), folge(30, 630, 40)},
        {1, 32, {30}, {30}},
        // 2 * INT_MAX wraps to -2: the lines run left to column 28.
        {INT_MAX, 28, {30}, {30}},
    };
    for (const auto& f : faelle) {
        auto st = neuerZustand();
        st->messpunkte = f.messpunkte;
        diagrammZeichnen(*st);
        const Raster& g = st->gitterRaster;
        const int links = std::min(30, f.rechts);
        EXPECT_EQ(spaltenInZeile(g, 360, schwarz, 25), folge(links, std::max(30, f.rechts))) << f.messpunkte;
        EXPECT_EQ(spaltenInZeile(g, 200, schwarz), f.gitter) << f.messpunkte;
        EXPECT_EQ(spaltenInZeile(g, 407, schwarz, 25), f.striche) << f.messpunkte;
        if (f.gitter.size() == 1) {
            EXPECT_TRUE(textBei(g, 6, 425, "10.000.000 Hz", schwarz));
            EXPECT_TRUE(leer(g, 1, 441, 640, 448)) << f.messpunkte;
        }
    }
}

// Everything drawn step by step starts at the origin, wherever it lies:
// right of the usual place, or left of the raster with a tick right on its
// first column.
TEST(DiagrammZeichnen, SchritteFolgenDemUrsprung) {
    // a marker in point k lands in column 2k + xUrsprung - 2
    struct Fall { int xUrsprung, messpunkte, markenPunkt; std::vector<int> gitter, striche, marken; };
    const Fall faelle[] = {
        {200, 200, 2, folge(200, 600, 80), folge(200, 600, 40), {202}},
        {-39, 300, 21, folge(41, 521, 80), folge(1, 561, 40), {1}},
    };
    for (const auto& f : faelle) {
        auto st = neuerZustand();
        st->xUrsprung = f.xUrsprung;
        st->messpunkte = f.messpunkte;
        st->freqMarken[1] = st->startfrequenz + (f.markenPunkt - 1) * st->schrittweite;
        diagrammZeichnen(*st);
        const Raster& g = st->gitterRaster;
        EXPECT_EQ(spaltenInZeile(g, 200, schwarz), f.gitter) << f.xUrsprung;
        // right of the level labels, which end at xUrsprung - 6
        EXPECT_EQ(spaltenInZeile(g, 407, schwarz, std::max(1, f.xUrsprung - 5)), f.striche) << f.xUrsprung;
        EXPECT_EQ(spaltenInZeile(g, 100, marke), f.marken) << f.xUrsprung;
    }
}

// Grid lines off the raster still show the visible part of their label.
TEST(DiagrammZeichnen, AchsenbeschriftungAmRasterrand) {
    auto st = neuerZustand();
    st->xUrsprung = -1000;
    st->messpunkte = 1000;
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;
    EXPECT_EQ(spaltenInZeile(g, 200, schwarz), folge(40, 600, 80));
    EXPECT_EQ(spaltenInZeile(g, 360, schwarz), folge(1, 640));
    EXPECT_TRUE(textBei(g, -64, 425, "14.800.000 Hz", schwarz));  // line at x = -40
    EXPECT_FALSE(leer(g, 1, 426, 16, 433));
    EXPECT_TRUE(textBei(g, 16, 440, "15.200.000 Hz", schwarz));

    // ... and right of it the visible start: the line at x = 660 is off the
    // raster, its label at 636 shows one pixel of its "1" (glyph row 3,
    // column 4) in column 640.
    st->xUrsprung = 100;
    st->messpunkte = 280;
    diagrammZeichnen(*st);
    EXPECT_EQ(spaltenInZeile(g, 200, schwarz), folge(100, 580, 80));
    EXPECT_TRUE(textBei(g, 636, 440, "12.800.000 Hz", schwarz));
    EXPECT_EQ(g.at(640, 443), schwarz);
}

TEST(DiagrammZeichnen, FrequenzmarkenAnDenIntervallgrenzen) {
    auto st = neuerZustand();
    st->messart = Messart{7};  // no scale: markers only
    const int start = 10000000, schritt = 10000;
    // Slot 1 stays empty; slot 8 is drawn first (point 1), so the drawing
    // order and the slot number disagree about its label row.
    st->freqMarken[8] = start;                          // point 1: column 30
    st->freqMarken[2] = start + 100 * schritt + 9999;   // point 101: column 230
    st->freqMarken[3] = start + 280 * schritt;          // just past the sweep
    st->freqMarken[4] = start - 1;                      // just before it
    st->freqMarken[5] = start + 100 * schritt;          // point 101 as well
    st->freqMarken[6] = start + 279 * schritt + 9999;   // point 280: column 588
    st->freqMarken[20] = start + 159 * schritt;         // point 160: column 348
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;
    EXPECT_EQ(spaltenInZeile(g, 200, marke), (std::vector<int>{30, 230, 348, 588}));
    EXPECT_EQ(zeilenInSpalte(g, 230, marke), folge(10, 410));
    // The label row follows the slot number: odd slots 455, even slots 465.
    EXPECT_TRUE(textBei(g, 30, 465, "10.000.000 Hz", marke));
    EXPECT_TRUE(leer(g, 31, 456, 130, 463));
    EXPECT_TRUE(textBei(g, 230, 465, "11.009.999 Hz", marke));
    EXPECT_TRUE(textBei(g, 230, 455, "11.000.000 Hz", marke));
    EXPECT_TRUE(textBei(g, 588, 465, "12.799.999 Hz", marke));
    EXPECT_TRUE(textBei(g, 348, 465, "11.590.000 Hz", marke));
    EXPECT_TRUE(leer(g, 1, 411, 640, 455));
    EXPECT_TRUE(leer(g, 1, 474, 640, 480));
    EXPECT_TRUE(leer(g, 1, 1, 640, 9));
}

TEST(DiagrammZeichnen, LeereMarkenplaetzeAuchUeberNullHz) {
    auto st = neuerZustand();
    st->messart = Messart{7};
    st->startfrequenz = -20000;  // the range covers 0 Hz at point 3
    st->freqMarken[20] = -10000;
    diagrammZeichnen(*st);
    EXPECT_EQ(spaltenInZeile(st->gitterRaster, 200, marke), std::vector<int>{32});
}

TEST(DiagrammZeichnen, SkalaUndAchseUeberdeckenDieMarken) {
    auto st = neuerZustand();
    st->messart = Messart::demo;  // drawn like transmission
    st->freqMarken[1] = st->startfrequenz.load();  // column 30, under the first grid line
    st->freqMarken[2] = st->startfrequenz + 2 * st->schrittweite;  // column 34, label below
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;
    EXPECT_EQ(zeilenInSpalte(g, 30, schwarz), folge(10, 410));
    EXPECT_TRUE(zeilenInSpalte(g, 30, marke).empty());
    // between the scale lines the marker stays, on them the scale wins
    EXPECT_EQ(g.at(34, 200), marke);
    EXPECT_EQ(g.at(34, 210), schwarz);
    EXPECT_TRUE(textBei(g, 30, 455, "10.000.000 Hz", marke));
}

TEST(DiagrammZeichnen, BezugslinienDerReflexion) {
    auto st = neuerZustand();
    st->messart = Messart::reflexion;
    st->dezimalzeichen = ',';
    const int hoehe[] = {0, 50, 100, 150, 200, 250, 300};
    const int zehntel[] = {5, 12, 0, -3, 10, 25, 7};
    for (int j = 1; j <= 7; ++j) {
        st->linie[static_cast<std::size_t>(j)] = hoehe[j - 1];
        st->linieText[static_cast<std::size_t>(j)] = zehntel[j - 1];
    }
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;
    // A four-character label reaches into the plotting area; look right of it.
    for (int y : {410, 360, 310, 260, 210, 160, 110, 10}) EXPECT_EQ(spaltenInZeile(g, y, schwarz, 33), folge(33, 590)) << y;
    EXPECT_EQ(spaltenInZeile(g, 410, schwarz, 25), folge(30, 590));
    EXPECT_EQ(spaltenInZeile(g, 60, schwarz, 25), folge(30, 590, 80));  // no line at 400 - 350
    EXPECT_TRUE(textBei(g, 0, 406, "0,5", schwarz));  // on the baseline, still labelled
    EXPECT_EQ(g.at(13, 412), schwarz);                 // the comma's tail
    EXPECT_EQ(g.at(12, 414), schwarz);
    EXPECT_TRUE(textBei(g, 0, 356, "1,2", schwarz));
    EXPECT_TRUE(textBei(g, 0, 306, "0", schwarz));
    EXPECT_TRUE(textBei(g, 0, 256, "-0,", schwarz));  // the "3" shares column 30 with the frame
    EXPECT_TRUE(textBei(g, 0, 206, "1", schwarz));
    EXPECT_TRUE(textBei(g, 0, 156, "2,5", schwarz));
    EXPECT_TRUE(textBei(g, 0, 106, "0,7", schwarz));
    EXPECT_TRUE(leer(g, 1, 7, 29, 14));  // top line unlabelled
    EXPECT_EQ(spaltenInZeile(g, 407, schwarz, 25), folge(30, 590, 40));
}

TEST(DiagrammZeichnen, LinSkalaMitDezimalpunktOderKomma) {
    for (char zeichen : {',', '.'}) {
        auto st = neuerZustand();
        st->linModus = true;
        st->dezimalzeichen = zeichen;
        diagrammZeichnen(*st);
        const Raster& g = st->gitterRaster;
        const std::string z(1, zeichen);
        EXPECT_TRUE(textBei(g, 0, 406, "0", schwarz));
        EXPECT_TRUE(textBei(g, 0, 366, "0" + z + "1", schwarz));
        EXPECT_TRUE(textBei(g, 0, 286, "0" + z + "3", schwarz));
        EXPECT_TRUE(textBei(g, 0, 46, "0" + z + "9", schwarz));
        EXPECT_TRUE(textBei(g, 0, 6, "1", schwarz));
        for (int y = 410; y >= 10; y -= 40) EXPECT_EQ(spaltenInZeile(g, y, schwarz, 25), folge(30, 590)) << y;
        EXPECT_EQ(spaltenInZeile(g, 200, schwarz), folge(30, 590, 80));
    }
}

TEST(BruchText, AllgemeinesFormatMitDezimalzeichen) {
    struct Fall { double wert; char zeichen; const char* text; };
    const Fall faelle[] = {
        {0.1, ',', "0,1"},   {0.1, '.', "0.1"},    {3 / 10.0, ',', "0,3"}, {1.0, ',', "1"},
        {0.0, ',', "0"},     {-0.3, ',', "-0,3"},  {12 / 10.0, ',', "1,2"},
        {INT_MIN / 10.0, ',', "-214748364,8"},     {123456789012.345, '.', "123456789012.345"},
        {1 / 3.0, '.', "0.333333333333333"},
    };
    for (const auto& f : faelle) EXPECT_EQ(bruchText(f.wert, f.zeichen), f.text);
    EXPECT_EQ(ganzzahlText(-80), "-80");
    EXPECT_EQ(ganzzahlText(INT_MIN), "-2147483648");
}

TEST(DiagrammZeichnen, MesswerteWerdenEinsUndNurIhrBereich) {
    struct Fall { int messpunkte; int bisEins; };
    const Fall faelle[] = {{280, 280}, {1, 1}, {0, 0}, {-5, 0}, {500, 300}, {INT_MAX, 300}};
    for (const auto& f : faelle) {
        auto st = neuerZustand();
        st->messpunkte = f.messpunkte;
        for (auto& m : st->messwerte) m = 77;
        st->kurvenRaster.at(100, 100) = 230;
        diagrammZeichnen(*st);
        for (int k = 0; k <= maxMesspunkte; ++k)
            EXPECT_EQ(st->messwerte[static_cast<std::size_t>(k)].load(), k >= 1 && k <= f.bisEins ? 1 : 77)
                << f.messpunkte << " k=" << k;
        EXPECT_EQ(st->kurvenRaster.at(100, 100), 255);
    }
}

// Settings no dialog allows, but a configuration file may hold: the drawer
// must stay within its arrays, avoid overflow and finish at once.
TEST(DiagrammZeichnen, ExtremeEinstellungen) {
    for (int art = 0; art <= 7; ++art)
        for (bool lin : {false, true})
            for (int grenze : {INT_MIN, INT_MAX}) {
                SCOPED_TRACE(testing::Message() << "art " << art << (lin ? " lin " : " log ") << grenze);
                auto st = neuerZustand();
                st->messart = static_cast<Messart>(art);
                st->linModus = lin;
                st->messpunkte = grenze;
                st->startfrequenz = grenze;
                st->schrittweite = INT_MAX;
                st->xUrsprung = grenze;
                st->yBasis = ~grenze;
                st->xMitte = grenze;
                st->yMitte = grenze;
                st->zwischenfrequenz = grenze;
                st->zfBerechnung = 3;
                for (int j = 1; j <= 7; ++j) {
                    st->linie[static_cast<std::size_t>(j)] = grenze;
                    st->linieText[static_cast<std::size_t>(j)] = grenze;
                }
                for (int m = 1; m <= 20; ++m) st->freqMarken[static_cast<std::size_t>(m)] = grenze == INT_MAX ? grenze - m : grenze + m;
                for (auto& m : st->messwerte) m = 77;
                st->kurvenRaster.at(5, 5) = 230;
                diagrammZeichnen(*st);
                // The readings array holds 300 points whatever messpunkte says.
                for (int k = 0; k <= maxMesspunkte; ++k)
                    ASSERT_EQ(st->messwerte[static_cast<std::size_t>(k)].load(), grenze > 0 && k >= 1 ? 1 : 77) << k;
                EXPECT_TRUE(leer(st->kurvenRaster, 1, 1, rasterBreite, rasterHoehe));
                // Every origin lies some 2^31 pixels off the raster, with
                // nothing to wrap back onto it.
                if (grenze < 0) {
                    EXPECT_TRUE(leer(st->gitterRaster, 1, 1, rasterBreite, rasterHoehe));
                }
            }
}

}  // namespace
}  // namespace qzl::test
