// A sweep named and saved; the instrument unplugged, plugged in, "&Optionen": as before.
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise alltag(Sitzung& s) {
    co_await s.sweep(280, false);
    co_await s.klick("Button11");
    co_await s.eingabe("Label", "Bandpass");
    co_await s.menue("Datei1", "MessreiheSpeichern1");
    co_await s.dateiWaehlen("SaveDialog2", s.pfad("bandpass"));  // the dialog may recall another folder
    const std::string maximum = s.text(Element::Label7), bandbreite = s.text(Element::Label11);
    s.ausstecken();
    co_await s.klick("Button5");
    co_await s.box("Datenübertragungsfehler");
    co_await s.klick("Button6");
    s.einstecken();
    co_await s.menue("Einstellungen1", "Bandbreite1");
    QWidget* dialog = nullptr;
    co_await s.modal("TEin", &dialog);
    s.nutzer.taste("Alt+O");  // OK; then the port is opened and the instrument probed
    co_await s.ruhe();
    co_await s.sweep(280, true);
    EXPECT_TRUE(maximum.ends_with(" -2 dB") && bandbreite.ends_with(" (6 dB)")) << maximum << bandbreite;
    EXPECT_EQ(s.text(Element::Label7), maximum);
    EXPECT_EQ(s.text(Element::Label11), bandbreite);
    EXPECT_EQ(s.text(Element::Label5), "Durchgangsmessung   Bandpass");
}

TEST(Reise, BenennenSpeichernUndWiederEinstecken) {
    Sitzung s(sim::SimOptionen{});
    s.programmStarten({});
    EXPECT_TRUE(alltag(s).ablaufen());
    const auto reihe = s.zeilen("bandpass.dat");
    ASSERT_EQ(reihe.size(), 5u + 280u);
    EXPECT_EQ(reihe[1], "Bandpass");
    // 11.4 MHz, -2 dB: (206 - 50) * 2.5 = 390, and (390 - 320) / 4 = 17.5 to even
    EXPECT_EQ(reihe[4 + 141], "11400000;390;18");
}

}  // namespace
}  // namespace qzl::reise
