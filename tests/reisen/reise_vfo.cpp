// The fixed-frequency generator with an intermediate-frequency offset:
// what the dial shows and which tuning words reach the instrument.
#include <QAction>
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

// Tuning words sent after the first n exchanges.
std::vector<std::uint32_t> woerterAb(const Sitzung& s, std::size_t n) {
    std::vector<std::uint32_t> w;
    const auto log = s.simulator.protokoll();
    for (std::size_t i = n; i < log.size(); ++i) w.push_back(log[i].abstimmwort);
    return w;
}

Reise vfo(Sitzung& s) {
    co_await s.klick("Button15");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 2; }, "the generator tuned");
    EXPECT_FALSE(s.fenster().aktiv(Element::Button5));
    co_await s.bildAktuell();
    // The dial's centre arrow at column 30 + 280 from the dial line up to row
    // 398; the button draws the dial line once more, over the arrow's tip.
    EXPECT_EQ(s.zeilenMit(310, cursorRgb, 1, 480), folge(398, 409));
    EXPECT_EQ(s.farbe(310, 410), schwarz);

    co_await s.menue("Einstellungen1", "ZFEingabe1");
    co_await s.eingabe("Zwischenfrequenz", "4000000");
    co_await s.menue("Einstellungen1", "Zwischenfrequenz1");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 3; }, "the generator retuned");
    EXPECT_TRUE(s.fenster().findChild<QAction*>("Zwischenfrequenz1")->isChecked());
    co_await s.bildAktuell();
    // The output 6.000.000 Hz at (280, 330): the "6" has row 1 0x0C, pixel (285, 331).
    EXPECT_EQ(s.farbe(285, 331), schwarz);

    co_await s.menue("Einstellungen1", "AdditionvsSubtraktion1");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 4; }, "the generator retuned");
    co_await s.bildAktuell();
    // 14.000.000 Hz: "1" (0x04) leaves (285, 331) blank, "4" (0x04) leaves (291, 331).
    EXPECT_EQ(s.farbe(285, 331), weiss);
    EXPECT_EQ(s.farbe(291, 331), weiss);
    co_await s.taste("F7");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 5; }, "Plus");
    co_await s.taste("F6");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 6; }, "Minus");
    EXPECT_EQ(s.text(Element::Label1), "10.000.000 Hz");

    // q = 2^32 / 100 MHz; q * 10 MHz = 429496729.6, q * 6 MHz = 257698037.76,
    // q * 14 MHz = 601295421.44, q * 14.01 MHz = 601724918.17.
    EXPECT_EQ(woerterAb(s, 1), (std::vector<std::uint32_t>{429496730, 257698038, 601295421, 601724918, 601295421}));

    // Back to a sweep kind: no retuning, Start usable again.
    co_await s.klick("Button8");
    co_await bis([&] { return s.fenster().aktiv(Element::Button5); }, "Start usable");
    EXPECT_EQ(s.simulator.austauschAnzahl(), 6u);
    co_await s.menue("Datei1", "Beenden1");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, VfoMitZwischenfrequenz) {
    Sitzung s(sim::SimOptionen{});
    s.programmStarten({});
    EXPECT_TRUE(vfo(s).ablaufen());
}

}  // namespace
}  // namespace qzl::reise
