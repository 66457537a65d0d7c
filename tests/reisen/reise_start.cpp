// Start-up without an instrument: the message before the window, the
// demonstration mode, its synthesised curve, and quitting.
#include <QWidget>
#include <gtest/gtest.h>

#include "handlers/sweep.h"
#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise ohneGeraet(Sitzung& s) {
    QWidget* box = nullptr;
    co_await s.modal("Datenübertragungsfehler", &box);
    EXPECT_FALSE(s.fenster().isVisible()) << "the main window showed before the message";
    // The generator was tuned to 10 MHz all the same: 429496729.6 rounds to 0x1999999A.
    EXPECT_EQ(s.simulator.empfangen(), (std::vector<std::uint8_t>{0x9A, 0x99, 0x99, 0x19, 80}));
    co_await s.box("Datenübertragungsfehler");
    co_await bis([&] { return s.fenster().isVisible(); }, "the main window");
    EXPECT_EQ(s.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_EQ(s.text(Element::Label1), "10.000.000 Hz");
    EXPECT_EQ(s.text(Element::Label2), "10.000 Hz");
    EXPECT_EQ(s.text(Element::Label12), "11.400.000 Hz");

    co_await s.klick("Button5");
    // A few passes: the silent instrument still receives every tuning word.
    co_await bis([&] { return s.simulator.austauschAnzahl() > 1 + 2 * 280; }, "two passes");
    co_await s.taste("Alt+P");
    co_await bis([&] { return !s.text(Element::Label7).empty(); }, "the read-outs");
    // Synthesised raw 127 + Round(125 sin(i / 25)), stored unconverted: the
    // peak 252 first at point 38 (124.84 rounds to 125; 10.37 MHz), the dip 2
    // first at point 116 (-124.65), the cursor point 140 at 48 (-78.9).
    EXPECT_EQ(s.text(Element::Label7), "10.370.000 Hz -30 dB");
    EXPECT_EQ(s.text(Element::Label8), "11.150.000 Hz -80 dB");
    EXPECT_EQ(s.text(Element::Label14), "11.400.000 Hz -70 dB");
    EXPECT_EQ(s.text(Element::Label11), "");  // no bandwidth in demonstration

    co_await s.bildAktuell();
    // Log transmission scale: 9 lines 50 rows apart, 8 grid lines 80 columns apart.
    EXPECT_EQ(s.zeilenMit(200, schwarz, 1, 415), (std::vector<int>{10, 60, 110, 160, 210, 260, 310, 360, 410}));
    EXPECT_EQ(s.spaltenMit(200, schwarz, 1, 640), (std::vector<int>{30, 110, 190, 270, 350, 430, 510, 590}));
    // Point 25 (raw 232) at column 30 + 2 * 25 + 1, row 410 - 232.
    EXPECT_EQ(s.farbe(81, 178), kurvenRgb);
    // The cursor arrow above point 140: column 310, rows 352 to 361, but on
    // the grid line of row 360 the layers' AND gives black.
    auto pfeil = folge(352, 361);
    pfeil.erase(pfeil.begin() + 8);
    EXPECT_EQ(s.zeilenMit(310, cursorRgb, 1, 480), pfeil);
    EXPECT_EQ(s.farbe(310, 360), schwarz);

    co_await s.klick("Button7");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, OhneGeraetInDerDemonstration) {
    sim::SimOptionen opt;
    opt.stumm = true;
    Sitzung s(opt);
    s.programmStarten({"-C"});
    EXPECT_TRUE(ohneGeraet(s).ablaufen());
    EXPECT_FALSE(sweepLaeuft(s.programm()));
    EXPECT_FALSE(s.programm().port.offen());
}

}  // namespace
}  // namespace qzl::reise
