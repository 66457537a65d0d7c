// Reflection: calibrating the factors and two reference lines with the
// user changing the termination behind the message boxes, then saving and
// loading a configuration and a measurement series through the file dialogs.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/modell.h"
#include "sitzung.h"

namespace qzl::reise {
namespace {

// Lines of a text file written with CR LF; fails on a bare line end.
std::vector<std::string> zeilen(const std::string& daten) {
    std::vector<std::string> z;
    std::size_t anfang = 0;
    for (std::size_t ende; (ende = daten.find("\r\n", anfang)) != std::string::npos; anfang = ende + 2)
        z.push_back(daten.substr(anfang, ende - anfang));
    EXPECT_EQ(anfang, daten.size()) << "text after the last CR LF";
    for (const auto& l : z) EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << l;
    return z;
}

// The user puts another termination on the bridge: its return loss in dB.
void abschluss(Sitzung& s, double rueckflussDb) {
    s.simulator.modellSetzen(*sim::modellLesen("reflection:" + std::to_string(rueckflussDb)));
}

// A reference set-up: the box comes up, the user changes the termination
// and closes the box once a whole pass has seen it.
Reise kalibrierschritt(Sitzung& s, std::string text, double rueckflussDb) {
    QWidget* box = nullptr;
    co_await s.modal(QString::fromStdString(text), &box);
    abschluss(s, rueckflussDb);
    const auto ab = s.simulator.austauschAnzahl();
    co_await bis([&] { return s.simulator.austauschAnzahl() > ab + 280; }, "a pass with the new termination");
    co_await s.box(text);
}

// Black from column 30 to 590 in row y: a reference line across the diagram.
bool linie(const Sitzung& s, int y) {
    const auto spalten = s.spaltenMit(y, schwarz, 30, 590);
    return spalten.size() == 561;
}

Reise reflexion(Sitzung& s) {
    co_await s.klick("Button9");
    co_await bis([&] { return s.text(Element::Label5).starts_with("Reflexionsmessung   "); }, "the heading");
    // Matched load (40 dB return loss): raw 50 + 2 (80 - 40) = 130 in both steps of
    // the first set-up, then the short: raw 210, 210 - 130 = 80, factor 400 / 80 = 5.
    co_await s.menueTasten("Alt+K", "R", "Eichung1");
    co_await kalibrierschritt(s, "Anpassung 50 Ohm", 40);
    co_await kalibrierschritt(s, "Kurzschluß oder Leerlauf", 0);
    // Line 1 at 30 dB (raw 150: (150 - 130) * 5 = 100), line 2 at 20 dB (200).
    abschluss(s, 30);
    co_await s.menue("Eichung1", "Linie11");
    co_await s.box("Linie 1 ");
    abschluss(s, 20);
    co_await s.menue("Eichung1", "Linie21");
    co_await s.box("Linie 2 ");
    co_await s.bildAktuell();
    EXPECT_TRUE(linie(s, 410 - 100));
    EXPECT_TRUE(linie(s, 410 - 200));

    co_await s.taste("F2");
    co_await s.dateiWaehlen("SaveDialog1", "reflexion");

    // A sweep on a 10 dB termination: raw 190, reading 300.
    abschluss(s, 10);
    const auto vorher = s.simulator.austauschAnzahl();
    co_await s.taste("Alt+S");
    co_await bis([&] { return s.simulator.austauschAnzahl() > vorher + 280; }, "a whole pass");
    co_await s.taste("Alt+P");
    co_await bis([&] { return s.fenster().aktiv(Element::Button5); }, "the end of the sweep");
    co_await s.menueTasten("Alt+D", "P", "Datei1");
    co_await s.dateiWaehlen("SaveDialog2", "reihe");

    // Another start frequency, then the series: its own frequency axis.
    co_await s.taste("F5");
    co_await s.eingabe("Frequenz", "12000000");
    co_await s.menue("Datei1", "Messreiheladen1");
    co_await s.dateiWaehlen("OpenDialog2", "reihe.dat");
    co_await bis([&] { return !s.text(Element::Label7).empty(); }, "the read-outs of the series");
    EXPECT_EQ(s.text(Element::Label1), "12.000.000 Hz");
    EXPECT_EQ(s.text(Element::Label5), s.st().messzeit);  // the file's heading alone
    EXPECT_EQ(s.text(Element::Label7), "10.000.000 Hz");  // flat: the first point, at the file's start
    co_await s.bildAktuell();
    EXPECT_TRUE(linie(s, 410 - 100));
    EXPECT_TRUE(linie(s, 410 - 200));
    // The loaded curve at row 410 - 300 from point 1 (column 31) to point 279
    // (column 587), less the six grid columns 110 ... 510 where it shows black.
    EXPECT_EQ(s.spaltenMit(110, kurvenRgb, 1, 640).size(), 557u - 6u);
    // The first axis label is 10.000.000 Hz at (6, 425): its second glyph "0"
    // has row 3 0x42, so pixel (16, 428) is set; a "2" there would leave it blank.
    EXPECT_EQ(s.farbe(16, 428), schwarz);

    // Loading the configuration brings back 10 MHz for the next sweep; the
    // label keeps what was entered.
    co_await s.taste("F3");
    co_await s.dateiWaehlen("OpenDialog1", "reflexion.cfg");
    co_await bis([&] { return s.st().startfrequenz == 10000000; }, "the loaded start frequency");
    EXPECT_EQ(s.text(Element::Label1), "12.000.000 Hz");
}

TEST(Reise, ReflexionKalibrierenSpeichernLaden) {
    Sitzung s(sim::SimOptionen{});
    abschluss(s, 40);
    s.programmStarten({});
    EXPECT_TRUE(reflexion(s).ablaufen());

    const auto konfig = zeilen(s.datei("reflexion.cfg"));
    ASSERT_EQ(konfig.size(), 43u);
    EXPECT_EQ(konfig[0], "Startfrequenz    =10000000");
    EXPECT_EQ(konfig[10], "Korrfaktor1Rlog  =130");
    EXPECT_EQ(konfig[11], "Korrfaktor2Rlog  =500");
    EXPECT_EQ(konfig[21], "Line1            =100");
    EXPECT_EQ(konfig[22], "Line2            =200");
    EXPECT_EQ(konfig[23], "Line3            =0");
    EXPECT_EQ(konfig[42], "Messgenauigkeit  =8");

    const auto reihe = zeilen(s.datei("reihe.dat"));
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
