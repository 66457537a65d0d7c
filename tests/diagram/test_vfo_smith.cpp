#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "bild.h"
#include "diagram/diagramm.h"

namespace qzl::test {
namespace {

constexpr std::uint8_t schwarz = 0;
constexpr std::uint8_t marke = 150;
constexpr std::uint8_t cursor = 24;

std::set<std::pair<int, int>> pixelDerFarbe(const Raster& r, std::uint8_t index) {
    std::set<std::pair<int, int>> m;
    for (int x = 1; x <= rasterBreite; ++x)
        for (int y = 1; y <= rasterHoehe; ++y)
            if (r.at(x, y) == index) m.insert({x, y});
    return m;
}

TEST(VfoSkala, BeschriftungStricheUndMittelpfeil) {
    auto st = neuerZustand();
    st->messpunkte = 10;  // the dial ignores the sweep width
    st->freqMarken[1] = 10000000;
    diagrammZeichnen(*st);  // markers shown first, then the switch
    st->messart = Messart::vfo;
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;

    const char* texte[] = {"9.860.000 Hz",  "9.900.000 Hz",  "9.940.000 Hz",  "9.980.000 Hz",
                           "10.020.000 Hz", "10.060.000 Hz", "10.100.000 Hz", "10.140.000 Hz"};
    for (int s = 1; s <= 8; ++s)
        EXPECT_TRUE(textBei(g, 80 * (s - 1) + 6, s % 2 == 1 ? 425 : 440, texte[s - 1], schwarz)) << s;
    EXPECT_TRUE(textBei(g, 280, 330, "10.000.000 Hz", schwarz));
    EXPECT_TRUE(textBei(g, 280, 380, "10.000.000 Hz", schwarz));

    std::vector<int> striche = folge(30, 590, 40);
    std::erase(striche, 310);  // under the arrow
    EXPECT_EQ(spaltenInZeile(g, 407, schwarz), striche);
    std::vector<int> skala = folge(30, 590);
    std::erase(skala, 310);
    EXPECT_EQ(spaltenInZeile(g, 410, schwarz), skala);

    // Arrowhead: stroke lengths 13, 11, 9, 7, 5 from the centre outwards, all
    // ending at row 398.
    std::set<std::pair<int, int>> pfeil;
    const int unten[] = {410, 408, 406, 404, 402};
    for (int d = 0; d <= 4; ++d)
        for (int y = 398; y <= unten[d]; ++y) {
            pfeil.insert({310 - d, y});
            pfeil.insert({310 + d, y});
        }
    EXPECT_EQ(pixelDerFarbe(g, cursor), pfeil);
    EXPECT_TRUE(pixelDerFarbe(g, marke).empty());
}

TEST(VfoSkala, ObererTextMitZwischenfrequenz) {
    struct Fall { int zfBerechnung; const char* text; };
    const Fall faelle[] = {{0, "10.000.000 Hz"}, {1, "1.000.000 Hz"}, {2, "10.000.000 Hz"}, {3, "19.000.000 Hz"}};
    for (const auto& f : faelle) {
        auto st = neuerZustand();
        st->messart = Messart::vfo;
        st->xUrsprung = 0;  // a ninth tick would now land on column 640
        st->zwischenfrequenz = 9000000;
        st->zfBerechnung = f.zfBerechnung;
        diagrammZeichnen(*st);
        const Raster& g = st->gitterRaster;
        EXPECT_TRUE(textBei(g, 250, 330, f.text, schwarz)) << f.zfBerechnung;
        EXPECT_TRUE(textBei(g, 250, 380, "10.000.000 Hz", schwarz)) << f.zfBerechnung;
        std::vector<int> striche = folge(40, 560, 40);
        std::erase(striche, 280);  // under the arrow
        EXPECT_EQ(spaltenInZeile(g, 407, schwarz), striche);
        // a tick is the four rows above the dial line
        EXPECT_EQ(zeilenInSpalte(g, 40, schwarz), folge(406, 410));
    }
}

TEST(SmithDiagramm, AchseUndKreisscheitel) {
    auto st = neuerZustand();
    st->messart = Messart::smith;
    st->freqMarken[1] = 10000000;  // would be column 30
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;

    // Only the magnitude-one-half circle keeps its crossing at (420, 240);
    // the one at (220, 240) lies on the resistance circle of one third too.
    std::vector<int> achse = folge(120, 520);
    std::erase(achse, 420);
    EXPECT_EQ(spaltenInZeile(g, 240, schwarz), achse);
    EXPECT_EQ(spaltenInZeile(g, 240, marke), std::vector<int>{420});

    // Rounded heights stay 200 for s = 1..14 (s^2 <= 199.75).
    EXPECT_EQ(spaltenInZeile(g, 40, schwarz), folge(306, 334));
    EXPECT_EQ(spaltenInZeile(g, 440, schwarz), folge(306, 334));
    EXPECT_TRUE(leer(g, 1, 1, 640, 39));
    EXPECT_TRUE(leer(g, 1, 441, 640, 480));
    // ... and 100 for s = 1..9 on the inner circle.
    EXPECT_EQ(spaltenInZeile(g, 140, marke), folge(311, 329));
    EXPECT_EQ(g.at(420, 140), schwarz);  // top of the resistance circle of one

    // The radius-400 arcs end on the outer circle.
    EXPECT_EQ(g.at(200, 80), schwarz);
    EXPECT_EQ(g.at(200, 400), schwarz);

    // The left end of the outer circle: step 200 has a = Round(sqrt(399)) =
    // 20 and b = 0, so the segments (121, 260)-(120, 240) and (121, 220)-
    // (120, 240) step over a column after 10 rows (the tie at 10/20 stays);
    // step 199 (a = 28) adds (121, 260..264) and (121, 217..220); the axis
    // crosses at row 240.
    EXPECT_EQ(zeilenInSpalte(g, 120, schwarz), folge(231, 250));
    std::vector<int> spalte121 = folge(217, 230);
    spalte121.push_back(240);
    for (int y : folge(251, 264)) spalte121.push_back(y);
    EXPECT_EQ(zeilenInSpalte(g, 121, schwarz), spalte121);

    // Column xMitte crosses, top to bottom: the end of the upper +-1 arc
    // (centre (520, 40), last step from (321, 60) to (320, 40)), the circle of
    // one third (step 50 about (370, 240): (321, 98)-(320, 99)), the upper
    // +-1/2 arc (step 200 about (520, -160): a = 347, b = 346), the left end
    // of the circle of one (step 100: a = 14, b = 0) and their mirror images.
    std::vector<int> mitte = folge(40, 50);
    for (int y : {99, 186}) mitte.push_back(y);
    for (int y : folge(234, 247)) mitte.push_back(y);
    for (int y : {294, 381}) mitte.push_back(y);
    for (int y : folge(431, 440)) mitte.push_back(y);
    EXPECT_EQ(zeilenInSpalte(g, 320, schwarz), mitte);

    EXPECT_TRUE(leer(g, 1, 1, 119, 480));
    EXPECT_TRUE(leer(g, 521, 1, 640, 480));
}

TEST(SmithDiagramm, LetzteSchritteDesInnerenKreisesRundenZurGeradenZahl) {
    auto st = neuerZustand();
    st->messart = Messart::smith;
    diagrammZeichnen(*st);
    const Raster& g = st->gitterRaster;
    // Step 100 of the radius-100 circle: a = 14, b = 0, so the segments
    // (419, 254)-(420, 240) and (419, 226)-(420, 240). Their offsets 7/14 are
    // ties and round to 0: rows 233 and 247 stay in the column they start in.
    EXPECT_EQ(zeilenInSpalte(g, 420, marke), folge(234, 247));
    for (int y : {228, 233, 248, 252}) EXPECT_EQ(g.at(419, y), marke) << y;
    for (int y : {234, 239, 241, 247}) EXPECT_EQ(g.at(419, y), 255) << y;
    EXPECT_EQ(g.at(419, 240), schwarz);  // the axis under it
}

}  // namespace
}  // namespace qzl::test
