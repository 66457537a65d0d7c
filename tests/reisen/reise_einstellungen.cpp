// The settings dialog: fewer points and the 10-bit converter; then a
// spectrum calibration whose reference reads beyond the scale and fails.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "sim/modell.h"
#include "sitzung.h"

namespace qzl::reise {
namespace {

void signal(Sitzung& s, const char* modell) { s.simulator.modellSetzen(*sim::modellLesen(modell)); }

// The user sets up the input, then closes the box once a pass of the 50
// points has seen it.
Reise aufbau(Sitzung& s, std::string text, const char* modell) {
    QWidget* box = nullptr;
    co_await s.modal(QString::fromStdString(text), &box);
    signal(s, modell);
    const auto ab = s.simulator.austauschAnzahl();
    co_await bis([&] { return s.simulator.austauschAnzahl() > ab + 50; }, "a pass with the new input");
    co_await s.box(text);
}

Reise einstellungen(Sitzung& s) {
    co_await s.menue("Einstellungen1", "Bandbreite1");
    QWidget* dialog = nullptr;
    co_await s.modal("TEin", &dialog);
    co_await s.feldAusfuellen(dialog, "Edit12", "50");
    s.nutzer.klick(dialog->findChild<QWidget*>("RadioGroup3_1"));  // "10 Bit"
    s.nutzer.taste("Alt+O");
    co_await bis([&] { return s.simulator.austauschAnzahl() == 2; }, "the probe after the dialog");
    co_await bis([&] { return !QApplication::activeModalWidget(); }, "the dialog to close");
    // The probe asks for 10 bits (84) and gets two bytes: 0 dB is raw 4 * 210.
    const auto probe = s.simulator.protokoll().back();
    EXPECT_EQ(probe.befehl, 84);
    EXPECT_EQ(probe.antwort, (std::vector<std::uint8_t>{210, 0}));
    co_await s.bildAktuell();
    // 50 points make the diagram 100 columns wide: its lines end at column 130.
    std::vector<int> breite(101);
    for (int i = 0; i < 101; ++i) breite[static_cast<std::size_t>(i)] = 30 + i;
    EXPECT_EQ(s.spaltenMit(360, schwarz, 25, 640), breite);

    co_await s.klick("Button10");
    co_await bis([&] { return s.text(Element::Label5).starts_with("Spektralmessung   "); }, "the heading");
    co_await s.menue("Eichung1", "Spektralmessung2");
    // Open input: raw 0, stored as 1, the offset. The 10 dBm signal here is
    // the 0 dB of the through line: 840 - 1 = 839 is beyond 400.
    co_await aufbau(s, "Eingang offen", "open");
    co_await aufbau(s, "Kalibriersignal 10 dBm anlegen", "through");
    co_await s.box("Fehler - keine Korrektur");

    // The slot keeps the offset with the factor 100: the next sweep shows raw - 1.
    const auto vorher = s.simulator.austauschAnzahl();
    co_await s.taste("Alt+S");
    co_await bis([&] { return s.simulator.austauschAnzahl() > vorher + 50; }, "a whole pass");
    co_await s.taste("Alt+P");
    co_await bis([&] { return !s.text(Element::Label7).empty(); }, "the read-outs");
    EXPECT_EQ((s.simulator.austauschAnzahl() - vorher) % 50, 0u) << "whole passes of 50 points";
    EXPECT_EQ(s.text(Element::Label7), "10.000.000 Hz 88 dB");  // (839 - 400) / 5 = 87.8
    const auto log = s.simulator.protokoll();
    for (std::size_t i = 1; i < log.size(); ++i) {  // after the start-up's 8-bit reading
        EXPECT_EQ(log[i].befehl, 84) << i;
        EXPECT_EQ(log[i].antwort.size(), 2u) << i;
    }
    co_await s.taste("Alt+F4");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, EinstellungenZehnBitUndSpektrum) {
    Sitzung s(sim::SimOptionen{});
    signal(s, "through");
    s.programmStarten({});
    EXPECT_TRUE(einstellungen(s).ablaufen());
}

}  // namespace
}  // namespace qzl::reise
