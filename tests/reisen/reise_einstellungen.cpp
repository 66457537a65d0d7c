// The settings dialog: 50 points and the 10-bit converter; then a spectrum
// calibration whose reference reads beyond the scale and fails.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise einstellungen(Sitzung& s) {
    co_await s.menue("Einstellungen1", "Bandbreite1");
    QWidget* dialog = nullptr;
    co_await s.modal("TEin", &dialog);
    co_await s.feldAusfuellen(dialog, "Edit12", "50");
    s.nutzer.klick(dialog->findChild<QWidget*>("RadioGroup3_1"));  // "10 Bit"
    s.nutzer.taste("Alt+O");
    co_await bis([&] { return !QApplication::activeModalWidget() && s.simulator.austauschAnzahl() == 2; },
                 "the probe after the dialog");
    // 10 bits (84), answered with two bytes: 0 dB is raw 4 * 210 = 840.
    EXPECT_EQ(s.simulator.protokoll().back().befehl, 84);
    EXPECT_EQ(s.simulator.protokoll().back().antwort, (std::vector<std::uint8_t>{210, 0}));
    co_await s.bildAktuell();
    // 50 points make the diagram 100 columns wide: its lines end at column 130.
    EXPECT_EQ(s.spaltenMit(360, schwarz, 25, 640), folge(30, 130));

    co_await s.klick("Button10");
    co_await s.menue("Eichung1", "Spektralmessung2");
    // Open input: raw 0, stored as 1, the offset. The 10 dBm signal is the
    // 0 dB of the through line here: 840 - 1 = 839 is beyond 400.
    co_await s.aufbau("Eingang offen", "open", 50);
    co_await s.aufbau("Kalibriersignal 10 dBm anlegen", "through", 50);
    co_await s.box("Fehler - keine Korrektur");

    // The slot keeps the offset with the factor 100: the sweep shows raw - 1.
    const auto vorher = s.simulator.austauschAnzahl();
    co_await s.sweep(50, true);
    EXPECT_EQ((s.simulator.austauschAnzahl() - vorher) % 50, 0u) << "whole passes of 50 points";
    // On the spectrum's scale 400 is +10 dB: (839 - 400) / 5 + 10 = 97.8.
    EXPECT_EQ(s.text(Element::Label7), "10.000.000 Hz 98 dB");
    const auto log = s.simulator.protokoll();
    for (std::size_t i = 1; i < log.size(); ++i) {  // after the 8-bit reading at start-up
        EXPECT_EQ(log[i].befehl, 84) << i;
        EXPECT_EQ(log[i].antwort.size(), 2u) << i;
    }
    co_await s.taste("Alt+F4");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, EinstellungenZehnBitUndSpektrum) {
    Sitzung s(sim::SimOptionen{});
    s.geraet("through");
    s.programmStarten({});
    EXPECT_TRUE(einstellungen(s).ablaufen());
}

}  // namespace
}  // namespace qzl::reise
