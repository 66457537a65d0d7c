// A sweep named afterwards: the new heading leaves curve and read-outs in
// place, and the series saved then is the sweep's, under the new heading.
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise benennen(Sitzung& s) {
    co_await s.sweep(280, false);
    const std::string maximum = s.text(Element::Label7);
    co_await s.klick("Button11");
    co_await s.eingabe("Label", "Bandpass 11.4 MHz");
    EXPECT_EQ(s.text(Element::Label5), "Bandpass 11.4 MHz");
    EXPECT_EQ(s.text(Element::Label7), maximum);
    co_await s.bildAktuell();
    EXPECT_EQ(s.farbe(313, 20), kurvenRgb);  // the top of the curve, point 141

    co_await s.menue("Datei1", "MessreiheSpeichern1");
    co_await s.dateiWaehlen("SaveDialog2", "bandpass");
}

TEST(Reise, UeberschriftNachDerMessung) {
    Sitzung s(sim::SimOptionen{});
    s.programmStarten({});
    EXPECT_TRUE(benennen(s).ablaufen());

    const auto reihe = s.zeilen("bandpass.dat");
    ASSERT_EQ(reihe.size(), 5u + 280u);
    EXPECT_EQ(reihe[1], "Bandpass 11.4 MHz");
    // 11.4 MHz, -2 dB: (206 - 50) * 2.5 = 390, and (390 - 320) / 4 = 17.5 to even
    EXPECT_EQ(reihe[4 + 141], "11400000;390;18");
    for (int k = 1; k <= 280; ++k) {
        const std::string& zeile = reihe[static_cast<std::size_t>(4 + k)];
        const auto erstes = zeile.find(';');
        EXPECT_EQ(zeile.substr(erstes + 1, zeile.find(';', erstes + 1) - erstes - 1),
                  std::to_string(s.st().messwerte[static_cast<std::size_t>(k)].load()))
            << k;
    }
}

}  // namespace
}  // namespace qzl::reise
