// A series from another session loaded into a program set to another band,
// and saved again: the copy keeps the series' frequencies and heading.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sitzung.h"

namespace qzl::reise {
namespace {

// Transmission, log, 280 points from 10.00 to 12.79 MHz, a heading written
// by the older program (Windows-1252).
std::string bandDatei() {
    std::string t = "Durchgangsmessung QZL7\r\nPr\xFC" "fling 3\r\nlog\r\nKorrekturfaktor1 =50\r\nKorrekturfaktor2 =250\r\n";
    for (int k = 0; k < 280; ++k) {
        const int v = 100 + k;
        t += std::to_string(10000000 + 10000 * k) + ";" + std::to_string(v) + ";" +
             std::to_string(static_cast<int>(std::nearbyint((v - 320) / 4.0))) + "\r\n";
    }
    return t;
}

Reise messreihe(Sitzung& s) {
    co_await bis([&] { return s.laeuft() && s.fenster().isVisible(); }, "the main window");
    co_await s.taste("F5");
    co_await s.eingabe("Frequenz", "7000000");
    co_await s.menue("Datei1", "Messreiheladen1");
    // Full paths: a dialog of an earlier journey in this process may have
    // left Qt's dialogs in its folder, since removed.
    co_await s.dateiWaehlen("OpenDialog2", s.pfad("band.dat"));
    EXPECT_EQ(s.text(Element::Label5), "Prüfling 3");
    EXPECT_EQ(s.text(Element::Label7), "12.790.000 Hz");
    co_await s.menueTasten("Alt+D", "P", "Datei1");
    co_await s.dateiWaehlen("SaveDialog2", s.pfad("kopie"));
    EXPECT_EQ(s.st().startfrequenz, 7000000);  // loading is a viewer
    EXPECT_EQ(s.text(Element::Label1), "7.000.000 Hz");
}

TEST(Reise, GeladeneMessreiheWiederSpeichern) {
    Sitzung s(sim::SimOptionen{});
    s.dateiAnlegen("band.dat", bandDatei());
    s.programmStarten({});
    EXPECT_TRUE(messreihe(s).ablaufen());

    const auto kopie = s.zeilen("kopie.dat");
    ASSERT_EQ(kopie.size(), 5u + 280u);
    EXPECT_EQ(kopie[1], "Pr\xFC" "fling 3");
    EXPECT_EQ(kopie[5], "10000000;100;-55");
    EXPECT_EQ(kopie.back(), "12790000;379;15");
    EXPECT_EQ(s.datei("kopie.dat"), bandDatei());
}

}  // namespace
}  // namespace qzl::reise
