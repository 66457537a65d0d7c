// The whole program against the simulator: the Qt window, the sweep thread
// and the hand-over of its time-out message to the window's thread.
#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "engine/api.h"
#include "engine/zustand.h"
#include "app/anwendung.h"
#include "app/fernziel_fenster.h"
#include "state/hz_text.h"
#include "app/ausloesen.h"
#include "app/probelauf.h"
#include "app/signal_wache.h"
#include "serial/port_posix.h"
#include "handlers/sweep.h"
#include "engine/durchlauf.h"
#include "raster/anzeige_bitmap.h"
#include "fakes.h"
#include "temp_ordner.h"
#include "sim/simulator.h"

namespace qzl {
namespace {

// Answers every information box that comes up, like a user pressing OK, and
// every input prompt with the next text of antworten (or OK on what is shown).
class Bestaetiger {
public:
    Bestaetiger() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                texte.push_back(box->text().toStdString());
                box->defaultButton()->click();
            } else if (auto* feld = w ? w->findChild<QLineEdit*>() : nullptr) {
                if (!antworten.empty()) {
                    feld->setText(QString::fromStdString(antworten.front()));
                    antworten.pop_front();
                }
                static_cast<QDialog*>(w)->accept();
            }
        });
        timer_.start(10);
    }
    std::vector<std::string> texte;
    std::deque<std::string> antworten;

private:
    QTimer timer_;
};

struct Lauf {
    explicit Lauf(sim::SimOptionen opt, bool schnelleUhr = false, std::vector<std::string> argumente = {})
        : simulator(std::move(opt)) {
        simulator.starten();
        uhr.schrittJeAbfrage = 250;  // a fake clock lets the 4-second limit pass quickly
        argumente.insert(argumente.begin(), "--com2=" + simulator.pfad());
        anwendung = std::make_unique<Anwendung>(argumente, schnelleUhr ? static_cast<Uhr&>(uhr) : echteUhr);
        anwendung->programm().geraet.arbeitsordner = ordner.pfad;
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

// qzl7 --preset NAME after the configuration; one it refuses is said in the
// box, and the program goes on with the configuration.
TEST(Anwendung, VoreinstellungBeimStart) {
    test::TempOrdner xdg;
    std::filesystem::create_directories(xdg.datei("qzl7/presets"));
    xdg.schreiben("qzl7/presets/f.preset", "qzl7 preset 1\nstart 7000000\nstep 50000\npoints 20\nif 0 off sub\n"
                                           "mode reflection\ndetector log\n");
    xdg.schreiben("qzl7/presets/kaputt.preset", "qzl7 preset 1\npoints 0\n");
    ::setenv("XDG_CONFIG_HOME", xdg.pfad.c_str(), 1);
    for (const char* name : {"f", "kaputt"}) {
        Bestaetiger ok;
        Lauf l(durchgang(), false, {"--preset", name});
        const bool gut = *name == 'f';
        EXPECT_EQ(l.anwendung->fenster().text(Element::Label1), gut ? "7.000.000 Hz" : "10.000.000 Hz");
        EXPECT_EQ(l.anwendung->st().messart, gut ? Messart::reflexion : Messart::durchgang);
        EXPECT_EQ(ok.texte, gut ? std::vector<std::string>{}
                                : std::vector<std::string>{"„kaputt“ ist keine gültige Voreinstellung (Zeile 2); "
                                                           "nichts wurde geändert."});
    }
    ::unsetenv("XDG_CONFIG_HOME");
}

// Every button and its menu item reach the same handler in the real window.
TEST(Anwendung, KnoepfeUndMenuepunkteErreichenIhreHandler) {
    Bestaetiger ok;
    Lauf l(durchgang());
    auto& st = zustand(l.anwendung->programm().geraet);
    auto& f = l.anwendung->fenster();
    using Tu = std::function<bool()>;
    auto art = [&](int a) { return [&st, a] { return zahl(st.messart) == a; }; };
    auto setzeArt = [&](int a) { return [&st, a] { return (st.messart = static_cast<Messart>(a)) != Messart{0}; }; };
    const struct {
        const char *knopf, *menue;  // "" where there is none
        const char* antwort;        // typed into the prompt
        Tu vorher, nachher;
        Tu zurueck;                 // back to "vorher" between button and menu item
    } faelle[] = {
        {"Button15", "VFO1", "", art(1), art(5), setzeArt(1)},
        {"", "ZFEingabe1", "123", [&] { return st.zwischenfrequenz == 9000000; },
         [&] { return st.zwischenfrequenz == 123; }, {}},
        {"", "Zwischenfrequenz1", "", [&] { return st.zfBerechnung == 0; }, [&] { return st.zfBerechnung == 1; }, {}},
        {"", "AdditionvsSubtraktion1", "", [&] { return st.zfBerechnung == 1; }, [&] { return st.zfBerechnung == 3; },
         {}},
        {"Button9", "Reflexionsmessung1", "", art(5), art(2), setzeArt(5)},
        {"Button18", "", "", art(2), art(6), {}},
        {"Button17", "", "", [&] { return !st.linModus; }, [&] { return st.linModus && st.messart == Messart::reflexion; }, {}},
        {"Button16", "", "", [&] { return st.linModus.load(); }, [&] { return !st.linModus; }, {}},
        {"Button10", "Spektralmessung1", "", art(2), art(3), setzeArt(2)},
        {"Button8", "Durchgangsmessung1", "", art(3), art(1), setzeArt(3)},
        {"Button11", "", "Kopf", [&] { return st.messzeit != "Kopf"; },
         [&] { return f.text(Element::Label5) == "Kopf"; }, {}},
        {"Button1", "Frequenz1", "12000000", [&] { return st.startfrequenz == 10000000; },
         [&] { return st.startfrequenz == 12000000; }, [&] { return (st.startfrequenz = 10000000) != 0; }},
        {"Button4", "Schrittweite1", "20000", [&] { return st.schrittweite == 10000; },
         [&] { return st.schrittweite == 20000; }, [&] { return (st.schrittweite = 10000) != 0; }},
        {"Button2", "Plus1", "", [&] { return st.startfrequenz == 12000000; },
         [&] { return st.startfrequenz == 12020000; }, [&] { return (st.startfrequenz = 12000000) != 0; }},
        {"Button3", "Minus1", "", [&] { return st.startfrequenz == 12020000; },
         [&] { return st.startfrequenz == 12000000; }, [&] { return (st.startfrequenz = 12020000) != 0; }},
        {"Button13", "", "", [&] { return st.cursorIndex == 140; }, [&] { return st.cursorIndex == 141; }, {}},
        {"Button12", "", "", [&] { return st.cursorIndex == 141; }, [&] { return st.cursorIndex == 140; }, {}},
        {"Button14", "", "12100000", [&] { return st.cursorIndex == 140; }, [&] { return st.cursorIndex == 5; }, {}},
        {"Button19", "", "", [&] { return st.messwerte[3] == 1; }, [&] { return st.messwerte[3] == 400; }, {}},
    };
    for (const auto& fall : faelle) {
        for (const char* weg : {fall.knopf, fall.menue}) {
            if (!*weg) continue;
            SCOPED_TRACE(weg);
            if (weg == fall.menue && fall.zurueck) fall.zurueck();
            if (*fall.antwort) ok.antworten = {fall.antwort};
            ASSERT_TRUE(fall.vorher());
            if (weg == fall.knopf) {
                l.klick(weg);
            } else {
                auto* a = f.findChild<QAction*>(weg);
                ASSERT_NE(a, nullptr);
                ASSERT_TRUE(a->isEnabled());
                a->trigger();
            }
            EXPECT_TRUE(fall.nachher());
        }
    }
    EXPECT_EQ(ok.texte, std::vector<std::string>{"Diese Funktion ist leider noch nicht verfügbar !"});
}

// "11.290.000 Hz -2 dB" gives 11290000.
std::int64_t hertz(const std::string& ablesung) {
    std::string ziffern;
    for (char c : ablesung.substr(0, ablesung.find(" Hz")))
        if (c != '.') ziffern += c;
    return std::stoll(ziffern);
}

// The default model: a band-pass of 11.4 MHz with 500 kHz between its -3 dB
// points and 2 dB loss. After Stop the read-outs show its peak and the
// points 6 dB (30 display units) below it, within one step: 657 kHz apart.
// The detector's half-dB steps put a point on the edge from 5.75 dB down.
TEST(Anwendung, AblesungenNachStopZeigenDenBandpass) {
    Bestaetiger ok;
    Lauf l(sim::SimOptionen{});
    auto& f = l.anwendung->fenster();
    l.klick("Button5");
    l.warteAufAustausche(1 + 280 + 1);
    l.klick("Button6");

    // |H|^2 = 1 / (1 + x^4), x = Q (f/f0 - f0/f), Q = f0 / B: solved for 5.75 dB
    const double f0 = 11.4e6, q = f0 / 500e3, schritt = 10e3;
    const double x = std::pow(std::pow(10.0, 0.575) - 1.0, 0.25) / q;
    const double u = (x + std::sqrt(x * x + 4.0)) / 2.0;
    const double unten = f0 / u, oben = f0 * u;
    // The detector reads in half-dB steps, which moves an edge by about 1 kHz.
    const double unschaerfe = 2e3;
    EXPECT_NE(f.text(Element::Label7).find(" -2 dB"), std::string::npos) << f.text(Element::Label7);
    // The flat top (within a quarter dB) reads as one level; the first point of it wins.
    const double flach = f0 * (std::sqrt(1.0 + std::pow(std::pow(std::pow(10.0, 0.025) - 1.0, 0.25) / (2 * q), 2)) -
                               std::pow(std::pow(10.0, 0.025) - 1.0, 0.25) / (2 * q));
    EXPECT_NEAR(hertz(f.text(Element::Label7)), flach, schritt + unschaerfe);
    const auto fl = hertz(f.text(Element::Label9));
    const auto fr = hertz(f.text(Element::Label10));
    EXPECT_GE(fl, unten - schritt - unschaerfe);
    EXPECT_LE(fl, unten + unschaerfe);
    EXPECT_GE(fr, oben - unschaerfe);
    EXPECT_LE(fr, oben + schritt + unschaerfe);
    EXPECT_EQ(f.text(Element::Label11), hzText(fr - fl) + " (6 dB)");
    EXPECT_NEAR(fr - fl, 657e3, 2 * (schritt + unschaerfe));
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.anwendung->st().messart == Messart::demo; }, 20000));
    EXPECT_EQ(f.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_EQ(ok.texte, std::vector<std::string>{"Datenübertragungsfehler"});
    l.klick("Button6");
    EXPECT_EQ(ok.texte.size(), 1u);
    // The command socket names the kind chosen before the time-out, not the demonstration.
    ASSERT_EQ(l.anwendung->st().messart, Messart::demo);
    for (const int vorher : {2, 6}) {
        l.anwendung->programm().geraet.messartVorAusfall = static_cast<Messart>(vorher);
        EXPECT_EQ(FensterZiel(l.anwendung->programm(), [] { return false; }).messart(), Messart::reflexion);
    }
}

// A script's pass ends at the silent point at once: its end is known while
// the box still waits for the person at the window.
TEST(Anwendung, SkriptDurchlaufEndetBeiStilleOhneDieBoxAbzuwarten) {
    auto opt = durchgang();
    opt.stummNach = 6;
    Lauf l(opt, true);
    auto& f = l.anwendung->fenster();
    FensterZiel ziel(l.anwendung->programm(), [] { return QApplication::activeModalWidget() != nullptr; });
    const auto start = ziel.durchlaufStarten();
    std::string beiOffenerBox;
    QTimer pruefer;
    QObject::connect(&pruefer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || ziel.durchlaufOffen(start.wert)) return;
        beiOffenerBox = box->text().toStdString() + " " + f.text(Element::Caption) + " " +
                        std::to_string(ziel.durchlaufAusgang(start.wert).code);
        box->defaultButton()->click();
    });
    pruefer.start(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !beiOffenerBox.empty(); }, 20000));
    EXPECT_EQ(beiOffenerBox, "Datenübertragungsfehler Quarzolin (MIRFO)  V7.3   DEMO -241");
    // Start-up's exchange, five answered, the silent one: nothing after it.
    EXPECT_EQ(l.simulator.austauschAnzahl(), 7u);
    EXPECT_TRUE(f.aktiv(Element::Button5));
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

// A signal's quit leaves every event loop; the next test's boxes need them.
void nachSignalAufraeumen() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// The port is free again (its exclusive lock gone) and the line quiet.
void portFreiUndStill(Lauf& l) {
    const auto anzahl = l.simulator.austauschAnzahl();
    QTest::qWait(50);
    EXPECT_EQ(l.simulator.austauschAnzahl(), anzahl);
    PortNamen namen;
    PosixPort anderer(namen);
    EXPECT_TRUE(anderer.oeffnenPfad(l.simulator.pfad()));
}

TEST(Anwendung, SignalEndetWieDasBeendenMenue) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        auto opt = durchgang();
        opt.latenzMs = 2;
        Lauf l(opt);
        l.klick("Button5");
        l.warteAufAustausche(4);
        ::kill(::getpid(), signal);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !l.anwendung->fenster().isVisible(); }, 5000));
        EXPECT_FALSE(sweepLaeuft(l.anwendung->programm()));
        EXPECT_EQ(l.anwendung->signalEnde(), 128 + signal);
        portFreiUndStill(l);
        nachSignalAufraeumen();
    }
}

// Silence at start: the time-out box comes before the window. A signal then
// ends the program from inside the box, with nobody to press OK.
TEST(Anwendung, SignalInDerMeldungBeimStart) {
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] {
        if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            hand.stop();
            ::kill(::getpid(), SIGTERM);
        }
    });
    hand.start(10);
    auto opt = durchgang();
    opt.stumm = true;
    Lauf l(opt, true);
    EXPECT_TRUE(l.anwendung->programm().beenden);
    EXPECT_EQ(l.anwendung->signalEnde(), 128 + SIGTERM);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    portFreiUndStill(l);
    nachSignalAufraeumen();
}

// A slow instrument: Stop waits for the pass to end, and the window paints
// meanwhile. Afterwards Start works as before.
TEST(Anwendung, StopBeiLangsamemGeraetMaltWeiter) {
    Bestaetiger ok;
    auto opt = durchgang();
    opt.latenzMs = 3;
    Lauf l(opt);
    auto& f = l.anwendung->fenster();
    QWidget* flaeche = f.centralWidget();
    auto wartet = [&] { return !f.aktiv(Element::Button6) && sweepLaeuft(l.anwendung->programm()); };
    int gemalt = 0;
    struct Zaehler : QObject {
        std::function<void(QEvent*)> bei;
        bool eventFilter(QObject*, QEvent* e) override { return bei(e), false; }
    } zaehler;
    zaehler.bei = [&](QEvent* e) { gemalt += e->type() == QEvent::Paint && wartet(); };
    flaeche->installEventFilter(&zaehler);
    QTimer verdeckt;  // the window uncovered again and again while Stop waits
    QObject::connect(&verdeckt, &QTimer::timeout, [&] { if (wartet()) flaeche->update(); });
    verdeckt.start(10);
    for (int runde = 0; runde < 2; ++runde) {
        const auto vorher = l.simulator.austauschAnzahl();
        l.klick("Button5");
        l.warteAufAustausche(vorher + 3);
        l.klick("Button6");
        EXPECT_EQ((l.simulator.austauschAnzahl() - 1) % 280, 0u);
        EXPECT_TRUE(f.aktiv(Element::Button5));
        EXPECT_EQ(l.anwendung->st().messwerte[100], 400);
    }
    EXPECT_GT(gemalt, 10);
    EXPECT_TRUE(ok.texte.empty());
}

// After Stop the window shows, and prints, the last pass, also when it
// ended after the last refresh tick or after the refresh period (without
// -c). The device under test changes every few milliseconds, so that no
// two passes draw the same curve.
TEST(Anwendung, NachStoppZeigtDasBildDesLetztenDurchlaufs) {
    Bestaetiger ok;
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("bandpass:11.4e6:2e6");
    // Points a little apart, so that a pass ends between two refresh ticks.
    opt.latenzMs = 1;
    const sim::Modell modelle[] = {opt.modell, *sim::modellLesen("lowpass:11e6")};
    for (const bool dauernd : {false, true}) {
        Lauf l(opt);
        auto& st = zustand(l.anwendung->programm().geraet);
        st.contBildaufbau = dauernd;
        int wechsel = 0;
        QTimer wechsler;
        QObject::connect(&wechsler, &QTimer::timeout, [&] { l.simulator.modellSetzen(modelle[++wechsel % 2]); });
        wechsler.start(3);
        for (int runde = 0; runde < 3; ++runde) {
            const auto vorher = l.simulator.austauschAnzahl();
            l.klick("Button5");
            l.warteAufAustausche(vorher + 2 * 280 + 1 + static_cast<unsigned>(runde) * 47);
            // Beyond the refresh period, which ends the live picture without -c.
            if (!dauernd) QTest::qWait(1100);
            l.klick("Button6");
            AnzeigeBitmap soll;
            rasterKombinieren(soll, st.gitterRaster, st.kurvenRaster);
            EXPECT_TRUE(st.anzeigeBitmap.rgb == soll.rgb) << dauernd << " " << runde;
            // The curve is the last pass the instrument answered.
            const auto letzter = l.simulator.protokoll().rbegin()[1].roh;
            EXPECT_EQ(st.messwerte[279], std::max(1, umrechnen(letzter, 50, 250)));
        }
    }
    EXPECT_TRUE(ok.texte.empty());
}

// A mask the filter's top cannot meet: drawn in its colour, and the verdict
// in the heading after the pass.
TEST(Anwendung, GrenzwerteMitFehlerImBild) {
    Bestaetiger ok;
    Lauf l(sim::SimOptionen{});
    Geraet& g = l.anwendung->programm().geraet;
    auto& f = l.anwendung->fenster();
    ASSERT_TRUE(api::grenzenUebernehmen(g, "above 11.2M 11.6M -1\n", "maske.lim"));
    l.klick("Button5");
    l.warteAufAustausche(1 + 280 + 1);
    l.klick("Button6");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.text(Element::LabelUrteil).empty(); }, 5000));
    EXPECT_EQ(f.text(Element::LabelUrteil), "FEHLER bei 11.200.000 Hz");
    const auto& st = g.st;
    // The filter's top reads -2 dB. -1 dB is reading 395; 11.2 MHz is point (11.2M - start) / step + 1.
    const int punkt = static_cast<int>((11200000 - st.startfrequenz) / st.schrittweite) + 1;
    const int x = st.xUrsprung + 3 + 2 * (punkt - 1), y = st.yBasis - 395;
    QTest::qWait(100);
    const QImage bild = f.centralWidget()->grab().toImage();
    EXPECT_EQ(bild.pixel(5 + x, 30 + y), qRgb(224, 128, 0));
    EXPECT_NE(bild.pixel(5 + x - 2, 30 + y), qRgb(224, 128, 0));
    // The label's text is black on the window's grey, and ends before the buttons.
    auto* urteil = f.findChild<QLabel*>(QStringLiteral("LabelUrteil"));
    ASSERT_NE(urteil, nullptr);
    EXPECT_TRUE(urteil->isVisible());
    EXPECT_LT(urteil->geometry().right(), 416);
    bool schwarz = false;
    for (int py = urteil->y(); py <= urteil->geometry().bottom(); ++py)
        for (int px = urteil->x(); px <= urteil->geometry().right(); ++px) schwarz |= bild.pixel(px, py) == qRgb(0, 0, 0);
    EXPECT_TRUE(schwarz);
    EXPECT_TRUE(ok.texte.empty());
}

// Started with standard input closed, the signal pipe may get descriptor 0;
// the watch still gives the signals back and closes its pipe when it ends.
TEST(SignalWache, EndetSauberAuchAufDeskriptorNull) {
    const int eingabe = ::dup(0);
    ASSERT_GE(eingabe, 0);
    ::close(0);
    struct sigaction vorher {}, nachher {};
    ::sigaction(SIGTERM, nullptr, &vorher);
    { SignalWache wache([](int) {}); }
    ::sigaction(SIGTERM, nullptr, &nachher);
    const bool nullFrei = ::fcntl(0, F_GETFD) < 0;
    ::dup2(eingabe, 0);
    ::close(eingabe);
    EXPECT_EQ(nachher.sa_handler, vorher.sa_handler);
    EXPECT_TRUE(nullFrei);
}

}  // namespace
}  // namespace qzl
