// A band-pass filter in transmission, logarithmic and linear, the page
// printed into a PDF, and quitting in the middle of a sweep.
#include <QComboBox>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "state/hz_text.h"
#include "handlers/sweep.h"
#include "sitzung.h"

namespace qzl::reise {
namespace {

// The simulator's default device: two coupled resonators at f0 = 11.4 MHz,
// 500 kHz between the -3 dB points, |H|^2 = 1 / (1 + x^4) with
// x = Q (f/f0 - f0/f), Q = f0 / 500 kHz, behind 2 dB of loss.
constexpr double f0 = 11.4e6, q = f0 / 500e3, schritt = 10e3;
// The detector's steps (half a dB, or 1/160 of the amplitude) move an edge
// by up to about 2 kHz.
constexpr double unschaerfe = 2e3;

// The two frequencies where |H|^2 has fallen to p.
std::pair<double, double> wo(double p) {
    const double x = std::pow(1.0 / p - 1.0, 0.25) / q;
    const double u = (x + std::sqrt(x * x + 4.0)) / 2.0;
    return {f0 / u, f0 * u};
}

// "11.290.000 Hz -2 dB" gives 11290000.
double hertz(const std::string& ablesung) {
    std::string ziffern;
    for (char c : ablesung.substr(0, ablesung.find(" Hz")))
        if (c != '.') ziffern += c;
    return ziffern.empty() ? -1.0 : std::stod(ziffern);
}

// The read-outs after Stop: the maximum on the first point of the flat top
// (the levels within pOben of the top read as the top), the band edges
// where |H|^2 falls to pRand, within one step either way.
void bandPruefen(Sitzung& s, double pOben, double pRand, const std::string& pegel, const char* kriterium) {
    const std::string maximum = s.text(Element::Label7);
    EXPECT_EQ(maximum.substr(maximum.find(" Hz") + 4), pegel);
    EXPECT_NEAR(hertz(maximum), wo(pOben).first, schritt + unschaerfe) << maximum;
    const auto [unten, oben] = wo(pRand);
    const double fl = hertz(s.text(Element::Label9)), fr = hertz(s.text(Element::Label10));
    EXPECT_GE(fl, unten - schritt - unschaerfe);
    EXPECT_LE(fl, unten + unschaerfe);
    EXPECT_GE(fr, oben - unschaerfe);
    EXPECT_LE(fr, oben + schritt + unschaerfe);
    EXPECT_EQ(s.text(Element::Label11), hzText(static_cast<std::int32_t>(fr - fl)) + kriterium);
}

// Output of a poppler tool (poppler-utils).
QString poppler(const QString& werkzeug, const QStringList& argumente) {
    QProcess p;
    p.start(werkzeug, argumente);
    EXPECT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0) << werkzeug.toStdString() << " failed";
    return QString::fromUtf8(p.readAllStandardOutput());
}

Reise durchgang(Sitzung& s, std::string pdf) {
    co_await bis([&] { return s.laeuft() && s.fenster().isVisible(); }, "the main window");
    EXPECT_EQ(s.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 2");
    const auto start = s.simulator.protokoll();
    voraus(start.size() == 1, "one exchange at start-up");
    EXPECT_EQ(start[0].abstimmwort, 0x1999999Au);  // 10 MHz at a 100 MHz clock
    EXPECT_EQ(start[0].befehl, 80);

    co_await s.sweep(280, false);
    co_await s.bildAktuell();
    // 6 dB below the peak's reading, which the half-dB steps reach from 5.75 dB down.
    bandPruefen(s, std::pow(10.0, -0.025), std::pow(10.0, -0.575), "-2 dB", " (6 dB)");
    // Point 141 is 11.4 MHz: -2 dB gives raw 206 and (206 - 50) * 2.5 = 390,
    // at column 30 + 2 * 141 + 1, row 410 - 390. Point 51, 10.5 MHz: x = -3.754,
    // -25.0 dB, raw 160, reading 275, row 135.
    EXPECT_EQ(s.farbe(313, 20), kurvenRgb);
    EXPECT_EQ(s.farbe(133, 135), kurvenRgb);
    // The marker of frequenz.cfg at 11.4 MHz, point 141: column 2 * 141 + 30 - 2,
    // its label at (310, 455) with the "1" (0x04) at (316, 456).
    EXPECT_EQ(s.farbe(310, 200), markenRgb);
    EXPECT_EQ(s.farbe(316, 456), markenRgb);

    const auto logAustausche = s.simulator.austauschAnzahl();
    co_await s.taste("Alt+N");
    co_await bis([&] { return s.st().linModus.load(); }, "linear detection");
    co_await s.bildAktuell();
    // Linear scale: 11 lines 40 rows apart.
    EXPECT_EQ(s.zeilenMit(200, schwarz, 1, 415),
              (std::vector<int>{10, 50, 90, 130, 170, 210, 250, 290, 330, 370, 410}));
    co_await s.sweep(280, true);
    co_await s.bildAktuell();
    // 0.794 of the amplitude: raw 50 + 127.09, (177 - 50) * 2.5 = 317.5, even 318;
    // the edges at 0.7 of the maximum amplitude.
    const QString punkt = QLocale::system().decimalPoint();
    bandPruefen(s, 0.9907, 0.49, "0" + punkt.toStdString() + "795", " (3 dB)");
    EXPECT_EQ(s.farbe(313, 410 - 318), kurvenRgb);
    const auto log = s.simulator.protokoll();
    for (std::size_t i = 1; i < log.size(); ++i) EXPECT_EQ(log[i].befehl, i < logAustausche ? 80 : 81) << i;

    co_await s.menueTasten("Alt+D", "D", "Datei1");
    QWidget* dialog = nullptr;
    co_await s.modal("PrintDialog1", &dialog);
    const auto* drucker = dialog->findChild<QComboBox*>("printers");
    voraus(drucker && drucker->currentText() == "Print to File (PDF)", "printing into a file offered first");
    co_await s.feldAusfuellen(dialog, "filename", pdf);
    const QPointer<QWidget> offen = dialog;
    s.nutzer.taste("Enter");
    co_await bis([&] { return !offen; }, "the print dialog to close");

    // "&Quit" while the sweep runs ends it at once.
    co_await s.taste("Alt+S");
    co_await s.pass(20);
    co_await s.taste("Alt+Q");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, BandpassImDurchgang) {
    Sitzung s(sim::SimOptionen{});
    s.dateiAnlegen("frequenz.cfg", "11400000\r\n");
    s.programmStarten({"-c"});
    const std::string pdf = s.pfad("seite.pdf");
    EXPECT_TRUE(durchgang(s, pdf).ablaufen());
    EXPECT_FALSE(sweepLaeuft(s.programm()));
    EXPECT_FALSE(s.programm().port.offen());
    // The page: the heading, the picture at the bitmap's size, the read-outs.
    const QString datei = QString::fromStdString(pdf);
    const QString text = poppler("pdftotext", {datei, "-"});
    EXPECT_TRUE(text.startsWith("Durchgangsmessung ")) << text.toStdString();
    EXPECT_TRUE(poppler("pdfimages", {"-list", datei}).contains(QRegularExpression(" 641 +481 ")));
    for (Element e : {Element::Label7, Element::Label9, Element::Label10, Element::Label11})
        EXPECT_TRUE(text.contains(QString::fromStdString(s.text(e)))) << s.text(e) << " not on\n" << text.toStdString();
}

}  // namespace
}  // namespace qzl::reise
