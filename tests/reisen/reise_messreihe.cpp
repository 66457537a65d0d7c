// A loaded series saved again keeps its own frequencies and heading.
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise messreihe(Sitzung& s) {
    co_await bis([&] { return s.laeuft() && s.fenster().isVisible(); }, "the main window");
    co_await s.taste("F5");
    co_await s.eingabe("Frequenz", "7000000");
    // Full paths: Qt's dialogs may still be in the removed folder of a journey before.
    co_await s.menue("Datei1", "Messreiheladen1");
    co_await s.dateiWaehlen("OpenDialog2", s.pfad("band.dat"));
    EXPECT_EQ(s.text(Element::Label5), "Prüfling 3");
    co_await s.menueTasten("Alt+D", "P", "Datei1");
    co_await s.dateiWaehlen("SaveDialog2", s.pfad("kopie"));
    EXPECT_EQ(s.text(Element::Label1), "7.000.000 Hz");  // loading is a viewer
}

TEST(Reise, GeladeneMessreiheWiederSpeichern) {
    // 10.00 to 12.79 MHz, the heading as the older program wrote it.
    std::string band = "Durchgangsmessung QZL7\r\nPr\xFC" "fling 3\r\nlog\r\nKorrekturfaktor1 =50\r\nKorrekturfaktor2 =250\r\n";
    for (int k = 0; k < 280; ++k) band += std::to_string(10000000 + 10000 * k) + ";330;2\r\n";
    Sitzung s(sim::SimOptionen{});
    s.dateiAnlegen("band.dat", band);
    s.programmStarten({});
    EXPECT_TRUE(messreihe(s).ablaufen());
    // 10.00 to 12.79 MHz again, not 7.00 to 9.79, and the heading in its bytes.
    EXPECT_EQ(s.datei("kopie.dat"), band);
}

}  // namespace
}  // namespace qzl::reise
