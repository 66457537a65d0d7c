// The whole program against the simulator: the Qt window, the sweep thread
// and the hand-over of its time-out message to the window's thread.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "app/anwendung.h"
#include "app/probelauf.h"
#include "core/sweep.h"
#include "fakes.h"
#include "sim/simulator.h"

namespace qzl {
namespace {

// Answers every information box that comes up, like a user pressing OK.
class Bestaetiger {
public:
    Bestaetiger() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texte.push_back(box->text().toStdString());
                box->defaultButton()->click();
            }
        });
        timer_.start(10);
    }
    std::vector<std::string> texte;

private:
    QTimer timer_;
};

struct Lauf {
    explicit Lauf(sim::SimOptionen opt, bool schnelleUhr = false) : simulator(std::move(opt)) {
        simulator.starten();
        uhr.schrittJeAbfrage = 250;  // a fake clock lets the 4-second limit pass quickly
        anwendung = std::make_unique<Anwendung>(std::vector<std::string>{"--com2=" + simulator.pfad()},
                                                schnelleUhr ? static_cast<Uhr&>(uhr) : echteUhr);
        anwendung->starten();
    }
    QPushButton* knopf(const char* name) { return anwendung->fenster().findChild<QPushButton*>(name); }
    void klick(const char* name) { QTest::mouseClick(knopf(name), Qt::LeftButton); }
    void warteAufAustausche(std::uint64_t n) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.austauschAnzahl() >= n; }, 20000));
    }

    sim::Simulator simulator;
    SystemUhr echteUhr;
    test::FakeUhr uhr;
    std::unique_ptr<Anwendung> anwendung;
};

sim::SimOptionen durchgang() {
    sim::SimOptionen o;
    o.modell = *sim::modellLesen("through");
    return o;
}

TEST(Anwendung, SweepStartenUndStoppen) {
    Bestaetiger ok;
    Lauf l(durchgang());
    auto& f = l.anwendung->fenster();
    EXPECT_EQ(f.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 2");
    EXPECT_EQ(f.text(Element::Label1), "10.000.000 Hz");
    l.klick("Button5");
    EXPECT_FALSE(f.aktiv(Element::Button5));
    EXPECT_TRUE(f.aktiv(Element::Button6));
    EXPECT_TRUE(f.timerLaeuft(Element::Timer2));
    l.warteAufAustausche(4);
    l.klick("Button6");
    EXPECT_TRUE(f.aktiv(Element::Button5));
    EXPECT_FALSE(f.aktiv(Element::Button6));
    // one exchange at start-up, then whole passes only
    EXPECT_EQ((l.simulator.austauschAnzahl() - 1) % 280, 0u);
    EXPECT_EQ(l.anwendung->st().messwerte[200], 400);
    EXPECT_TRUE(ok.texte.empty());
}

TEST(Anwendung, ZeitueberschreitungWaehrendDasFensterWartet) {
    Bestaetiger ok;
    auto opt = durchgang();
    opt.stummNach = 6;  // start-up takes one, the sweep gets five answers
    Lauf l(opt, true);
    auto& f = l.anwendung->fenster();
    l.klick("Button5");
    // the sweep thread sets the kind right after the caption
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.anwendung->st().messart == 4; }, 20000));
    EXPECT_EQ(f.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_EQ(ok.texte, std::vector<std::string>{"Datenübertragungsfehler"});
    l.klick("Button6");
    EXPECT_EQ(ok.texte.size(), 1u);
}

TEST(Anwendung, ZeitueberschreitungWaehrendStopWartet) {
    Bestaetiger ok;
    auto opt = durchgang();
    opt.stummNach = 2;
    Lauf l(opt, true);
    l.klick("Button5");
    l.klick("Button6");  // waits for the pass; the message of point 2 comes meanwhile
    EXPECT_EQ(ok.texte, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(l.anwendung->fenster().text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_TRUE(l.anwendung->fenster().aktiv(Element::Button5));
}

TEST(Anwendung, SchliessenWaehrendDesSweeps) {
    Bestaetiger ok;
    auto opt = durchgang();
    opt.latenzMs = 20;
    Lauf l(opt);
    l.klick("Button5");
    l.warteAufAustausche(3);
    l.anwendung->fenster().close();  // the window manager's close button
    EXPECT_FALSE(l.anwendung->fenster().isVisible());
    EXPECT_FALSE(sweepLaeuft(l.anwendung->programm()));
    EXPECT_TRUE(ok.texte.empty());
}

// The smoke test of an installed program: passes against an answering
// instrument, fails (and still ends) against one that falls silent.
TEST(Anwendung, Probelauf) {
    for (bool stumm : {false, true}) {
        auto opt = durchgang();
        opt.stummNach = stumm ? 3 : -1;
        sim::Simulator simulator(opt);
        ASSERT_TRUE(simulator.starten());
        test::FakeUhr uhr;
        uhr.schrittJeAbfrage = 250;
        Anwendung anwendung({"--com2=" + simulator.pfad()}, uhr);
        Probelauf probe(anwendung, std::chrono::steady_clock::now());
        anwendung.starten();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !anwendung.fenster().isVisible(); }, 20000)) << stumm;
        EXPECT_EQ(probe.ergebnis(), stumm ? 1 : 0);
        EXPECT_FALSE(sweepLaeuft(anwendung.programm()));
    }
}

}  // namespace
}  // namespace qzl
