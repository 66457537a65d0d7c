// The whole program against the simulator: the Qt window, the sweep thread
// and the hand-over of its time-out message to the window's thread.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "app/anwendung.h"
#include "app/ausloesen.h"
#include "core/sweep.h"
#include "fakes.h"
#include "temp_ordner.h"
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
        anwendung->programm().arbeitsordner = ordner.pfad;
        anwendung->starten();
    }
    QPushButton* knopf(const char* name) { return anwendung->fenster().findChild<QPushButton*>(name); }
    void klick(const char* name) { QTest::mouseClick(knopf(name), Qt::LeftButton); }
    void warteAufAustausche(std::uint64_t n) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return simulator.austauschAnzahl() >= n; }, 20000));
    }

    sim::Simulator simulator;
    test::TempOrdner ordner;
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

TEST(Anwendung, KalibrierungZeigtDieKurveHinterDerAufforderung) {
    Lauf l(durchgang());
    auto& st = l.anwendung->st();
    std::vector<std::string> gesehen;
    QElapsedTimer seit;
    seit.start();
    // The user closes each prompt once the display shows the curve of the set-up:
    // raw 210 unconverted at first, then 210 less its own offset (stored as 1).
    QTimer nutzer;
    QObject::connect(&nutzer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        const bool kurve = st.anzeigeBitmap.index(231, gesehen.empty() ? 200 : 409) == 230;
        if (!kurve && seit.elapsed() < 20000) return;
        gesehen.push_back(box->text().toStdString() + (kurve ? "" : " (no curve)"));
        box->defaultButton()->click();
    });
    nutzer.start(10);
    ausloesen(l.anwendung->programm(), Element::Durchgangsmessung2);
    EXPECT_EQ(gesehen, (std::vector<std::string>{"Eingang -80 dB (offen)", "Ein- und Ausgang verbunden ( 0 dB)"}));
    EXPECT_EQ(st.korrfaktor1[Dlog], 210);
    EXPECT_EQ(st.korrfaktor2[Dlog], 40000);
}

}  // namespace
}  // namespace qzl
