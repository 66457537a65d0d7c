// The instrument unplugged during work and plugged in again: after "&Optionen"
// the sweep reads the same levels as before, in the kind chosen before.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "sitzung.h"

namespace qzl::reise {
namespace {

Reise wiederverbinden(Sitzung& s) {
    const Element ablesungen[] = {Element::Label7, Element::Label8, Element::Label9, Element::Label10,
                                  Element::Label11};
    co_await s.sweep(280, false);
    std::vector<std::string> vorher;
    for (Element e : ablesungen) vorher.push_back(s.text(e));
    voraus(vorher[0].ends_with(" -2 dB"), "the band-pass's top read first: " + vorher[0]);

    s.ausstecken();
    co_await s.klick("Button5");
    co_await s.box("Datenübertragungsfehler");
    co_await s.klick("Button6");
    co_await bis([&] { return s.fenster().aktiv(Element::Button5); }, "the end of the sweep");
    EXPECT_EQ(s.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");

    s.einstecken();
    co_await s.menue("Einstellungen1", "Bandbreite1");
    QWidget* dialog = nullptr;
    co_await s.modal("TEin", &dialog);
    const auto austausche = s.simulator.austauschAnzahl();
    s.nutzer.taste("Alt+O");
    co_await bis([&] { return !QApplication::activeModalWidget() && s.simulator.austauschAnzahl() > austausche; },
                 "the probe after the dialog");
    EXPECT_EQ(s.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 2");

    co_await s.sweep(280, true);
    for (std::size_t i = 0; i < vorher.size(); ++i) EXPECT_EQ(s.text(ablesungen[i]), vorher[i]);
    EXPECT_TRUE(s.text(Element::Label5).starts_with("Durchgangsmessung   ")) << s.text(Element::Label5);
    co_await s.taste("Alt+F4");
    co_await bis([&] { return !s.fenster().isVisible(); }, "the window to close");
}

TEST(Reise, WiederEingestecktMisstWieVorher) {
    Sitzung s(sim::SimOptionen{});
    s.programmStarten({});
    EXPECT_TRUE(wiederverbinden(s).ablaufen());
}

}  // namespace
}  // namespace qzl::reise
