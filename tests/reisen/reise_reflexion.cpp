// Reflection: the factors and two reference lines calibrated with the user
// changing the termination behind the boxes; a configuration and a series
// saved and loaded through the file dialogs.
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

// A reference line: black across the diagram, columns 30 to 590.
void linie(const Sitzung& s, int y) { EXPECT_EQ(s.spaltenMit(y, schwarz, 30, 590), folge(30, 590)) << y; }

Reise reflexion(Sitzung& s) {
    co_await s.klick("Button9");
    // Matched load, 40 dB return loss: raw 50 + 2 (80 - 40) = 130, the offset;
    // the short: raw 210, 210 - 130 = 80, factor 400 / 80 = 5, stored as 500.
    co_await s.menueTasten("Alt+K", "R", "Eichung1");
    co_await s.aufbau("Anpassung 50 Ohm", "reflection:40", 280);
    co_await s.aufbau("Kurzschluß oder Leerlauf", "reflection:0", 280);
    // Line 1 at 30 dB: raw 150, (150 - 130) * 5 = 100; line 2 at 20 dB: 200.
    co_await s.menue("Eichung1", "Linie11");
    co_await s.aufbau("Linie 1 ", "reflection:30", 280);
    co_await s.menue("Eichung1", "Linie21");
    co_await s.aufbau("Linie 2 ", "reflection:20", 280);
    co_await s.bildAktuell();
    linie(s, 410 - 100);
    linie(s, 410 - 200);
    co_await s.taste("F2");
    co_await s.dateiWaehlen("SaveDialog1", "reflexion");

    // A 10 dB termination: raw 190, reading 300; the series saved.
    s.geraet("reflection:10");
    co_await s.sweep(280, true);
    co_await s.menueTasten("Alt+D", "P", "Datei1");
    co_await s.dateiWaehlen("SaveDialog2", "reihe");

    // Another start frequency, then the series with its own frequency axis.
    co_await s.taste("F5");
    co_await s.eingabe("Frequenz", "12000000");
    co_await s.menue("Datei1", "Messreiheladen1");
    co_await s.dateiWaehlen("OpenDialog2", "reihe.dat");
    EXPECT_EQ(s.text(Element::Label1), "12.000.000 Hz");
    EXPECT_EQ(s.text(Element::Label5), s.st().messzeit);  // the file's heading alone
    EXPECT_EQ(s.text(Element::Label7), "10.000.000 Hz");  // flat: its first point
    co_await s.bildAktuell();
    linie(s, 410 - 100);
    linie(s, 410 - 200);
    // The curve at row 410 - 300 from point 1 (column 31) to point 279 (587),
    // black on the six grid columns 110 ... 510.
    EXPECT_EQ(s.spaltenMit(110, kurvenRgb, 1, 640).size(), 557u - 6u);
    // The first axis label, 10.000.000 Hz at (6, 425): row 3 of its "0" is
    // 0x42, so (16, 428) is set; a "2" (0x04) would leave it blank.
    EXPECT_EQ(s.farbe(16, 428), schwarz);

    // The configuration brings 10 MHz back for the next sweep, and the panel
    // says so.
    co_await s.taste("F3");
    co_await s.dateiWaehlen("OpenDialog1", "reflexion.cfg");
    EXPECT_EQ(s.st().startfrequenz, 10000000);
    EXPECT_EQ(s.text(Element::Label1), "10.000.000 Hz");
}

TEST(Reise, ReflexionKalibrierenSpeichernLaden) {
    Sitzung s(sim::SimOptionen{});
    s.geraet("reflection:40");
    s.programmStarten({});
    EXPECT_TRUE(reflexion(s).ablaufen());

    const auto konfig = s.zeilen("reflexion.cfg");
    ASSERT_EQ(konfig.size(), 43u);
    EXPECT_EQ(konfig[0], "Startfrequenz    =10000000");
    EXPECT_EQ(konfig[10], "Korrfaktor1Rlog  =130");
    EXPECT_EQ(konfig[11], "Korrfaktor2Rlog  =500");
    EXPECT_EQ(konfig[21], "Line1            =100");
    EXPECT_EQ(konfig[22], "Line2            =200");
    EXPECT_EQ(konfig[23], "Line3            =0");

    const auto reihe = s.zeilen("reihe.dat");
    ASSERT_EQ(reihe.size(), 12u + 280u);
    const std::vector<std::string> kopf = {"Reflexionsmessung QZL7", s.st().messzeit, "100;10", "200;10", "0;10", "0;10",
                                           "0;10", "0;10", "0;10", "log", "Korrekturfaktor1 =130",
                                           "Korrekturfaktor2 =500"};
    EXPECT_EQ(std::vector<std::string>(reihe.begin(), reihe.begin() + 12), kopf);
    EXPECT_EQ(reihe[12], "10000000;300;300");
    EXPECT_EQ(reihe.back(), "12790000;300;300");
}

}  // namespace
}  // namespace qzl::reise
