#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <thread>

#include "engine/geraet.h"
#include "engine/durchlauf.h"
#include "handlers/verbindung.h"
#include "serial/port_posix.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;

TEST(Umrechnen, RundungUndUeberlauf) {
    struct Fall {
        std::uint16_t roh;
        std::int32_t k1, k2, wert;
    };
    const Fall faelle[] = {
        {132, 50, 250, 205}, {51, 50, 250, 2},  {53, 50, 250, 8},   {50, 50, 250, 0},
        {49, 50, 250, -2},   {0, 50, 250, -125}, {1023, 50, 250, 2432}, {210, 50, 250, 400},
        // (1023 - 0) * 2^22 wraps in 32 bits to a negative product
        {1023, 0, 4194304, -41943},
        {65535, -2147483647, 1, -21474181},
    };
    for (const auto& f : faelle) EXPECT_EQ(umrechnen(f.roh, f.k1, f.k2), f.wert) << f.roh << " " << f.k2;
}

TEST(Mittelwert, RundetZurGeradenZahl) {
    auto u = neueUmgebung();
    const std::pair<std::vector<int>, int> faelle[] = {
        {{1, 2}, 2}, {{1, 2, 2, 2}, 2}, {{3, 4}, 4}, {{2, 3}, 2}, {{5}, 5}, {{1, 1, 2}, 1}};
    for (const auto& [werte, m] : faelle) {
        u->st.messpunkte = static_cast<int>(werte.size());
        for (std::size_t i = 0; i < werte.size(); ++i) u->st.messwerte[i + 1] = werte[i];
        EXPECT_EQ(mittelwert(u->st), m);
    }
    u->st.messpunkte = 0;
    EXPECT_EQ(mittelwert(u->st), 0);
}

TEST(Messpunkt, SlotJeArtUndDetektor) {
    // slot pairs chosen so that every slot gives a different reading of raw 150
    struct Fall {
        int art;
        bool lin;
        std::int32_t wert;
    };
    const Fall faelle[] = {{1, false, 100}, {2, false, 200}, {3, false, 300}, {1, true, 400},
                           {2, true, 500},  {3, true, 600},  {4, false, 150}, {4, true, 150},
                           {5, false, 77},  {6, true, 77},   {0, false, 77}};
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        for (int s = 0; s < korrSlotAnzahl; ++s) {
            u->st.korrfaktor1[s] = 50;
            u->st.korrfaktor2[s] = 100 * (s + 1);
        }
        u->st.messart = static_cast<Messart>(f.art);
        u->st.linModus = f.lin;
        u->st.messwerte[2] = 77;
        u->antwortet({150});
        messpunkt(u->p.geraet, 2, 10000000);
        EXPECT_EQ(u->st.messwerte[2], f.wert) << f.art << " " << f.lin;
    }
}

TEST(Messpunkt, KleinsterWertIstEins) {
    const std::pair<int, std::uint8_t> faelle[] = {{1, 50}, {1, 20}, {1, 0}, {4, 0}};
    for (auto [art, roh] : faelle) {
        auto u = neueUmgebung();
        u->st.messart = static_cast<Messart>(art);
        u->antwortet({roh});
        messpunkt(u->p.geraet, 1, 10000000);
        EXPECT_EQ(u->st.messwerte[1], 1) << art << " " << int(roh);
        EXPECT_EQ(u->st.messwerte[0], 1);
        // entry 0 repeats point 1 only, not the points after it
        u->antwortet({200});
        messpunkt(u->p.geraet, 2, 10010000);
        EXPECT_GT(u->st.messwerte[2], 1) << art;
        EXPECT_EQ(u->st.messwerte[0], 1) << art;
    }
}

bool kurvenLeer(const InstrumentState& st) {
    return std::all_of(st.kurvenRaster.px.begin(), st.kurvenRaster.px.end(), [](std::uint8_t b) { return b == 255; });
}

TEST(Messpunkt, ZeichnetNurZwischenErstemUndLetztemPunkt) {
    for (int n : {1, 2}) {
        auto u = neueUmgebung();
        u->st.messpunkte = n;
        u->antwortet({132});
        for (int i = 1; i <= n; ++i) messpunkt(u->p.geraet, i, 10000000);
        EXPECT_TRUE(kurvenLeer(u->st)) << n;
        EXPECT_EQ(u->st.messwerte[n], 205);
        EXPECT_EQ(u->st.messwerte[0], u->st.messwerte[1]);
    }

    auto u = neueUmgebung();
    u->st.messpunkte = 3;
    u->st.cursorIndex = 2;
    u->st.messwerte[1] = 100;
    u->st.messwerte[3] = 10;
    // a stale curve pixel inside the wipe and one just outside it
    u->st.kurvenRaster.at(33, 5) = 230;
    u->st.kurvenRaster.at(38, 5) = 230;
    u->antwortet({90});  // converts to 100
    messpunkt(u->p.geraet, 2, 10000000);
    // Every pixel that is not background, by colour. x = 34: the columns
    // 33..37 are wiped; the segment (33, 310)-(35, 310), then (35, 310)-
    // (37, 400), whose column steps where (y - 310) * 2/90 passes 0.5 and 1.5;
    // the cursor arrow's strokes end at row 300 and start 1, 2, 4, 6, 8 rows
    // above row 310 in the columns 34 down to 30; the stale pixel right of
    // the wipe stays.
    std::map<std::pair<int, int>, int> soll = {{{33, 310}, 230}, {{34, 310}, 230}, {{38, 5}, 230}};
    for (int y = 310; y <= 332; ++y) soll[{35, y}] = 230;
    for (int y = 333; y <= 377; ++y) soll[{36, y}] = 230;
    for (int y = 378; y <= 400; ++y) soll[{37, y}] = 230;
    const int pfeilStart[] = {309, 308, 306, 304, 302};
    for (int d = 0; d <= 4; ++d)
        for (int y = 300; y <= pfeilStart[d]; ++y) soll[{34 - d, y}] = 24;
    std::map<std::pair<int, int>, int> ist;
    for (int x = 1; x <= rasterBreite; ++x)
        for (int y = 1; y <= rasterHoehe; ++y)
            if (u->st.kurvenRaster.at(x, y) != 255) ist[{x, y}] = u->st.kurvenRaster.at(x, y);
    EXPECT_EQ(ist, soll);
}

TEST(Messschleife, PauseNurOhneTaktgeber) {
    // messpunkte, demonstration mode; the pause after one pass
    const std::tuple<int, bool, std::int64_t> faelle[] = {{1, false, 0}, {3, false, 0}, {0, false, 10}, {3, true, 10}};
    for (auto [n, demo, pause] : faelle) {
        auto u = neueUmgebung();
        u->st.messpunkte = n;
        u->st.demoModus = demo;
        u->antwortet({132});
        u->st.stopAnforderung = true;  // one pass, run right here
        dauerlauf(u->p.geraet);
        EXPECT_EQ(u->uhr.geschlafen, pause) << n << " " << demo;
        EXPECT_EQ(u->port.geschrieben.size(), 5u * static_cast<std::size_t>(n));
        EXPECT_TRUE(u->st.sweepFertig);
    }
}

// A pass stores and draws each point while the next one is measured: the
// readings, the picture and the bytes sent must be those of measuring point
// by point, through a time-out mid-pass and up to the last point.
TEST(Messschleife, DurchlaufWiePunktFuerPunkt) {
    auto vorbereiten = [] {
        auto u = neueUmgebung();
        u->st.messpunkte = 12;
        u->st.messart = Messart::durchgang;
        for (int i = 1; i <= 12; ++i) u->st.messwerte[i] = 300 - 9 * i;  // the last pass
        u->port.istOffen = true;
        u->port.beiBefehl = [n = 0](test::FakePort& pt, std::uint8_t) mutable {
            if (++n != 7) pt.antwortIn(2, {static_cast<std::uint8_t>(40 + 17 * n)});
        };
        return u;
    };
    auto schleife = vorbereiten(), einzeln = vorbereiten();
    schleife->st.stopAnforderung = true;
    dauerlauf(schleife->p.geraet);
    for (int i = 1; i <= 12; ++i) messpunkt(einzeln->p.geraet, i, einzeln->st.startfrequenz + (i - 1) * einzeln->st.schrittweite);
    EXPECT_EQ(schleife->st.messart, Messart::demo);
    EXPECT_EQ(schleife->st.messwerte, einzeln->st.messwerte);
    EXPECT_TRUE(schleife->st.kurvenRaster.px == einzeln->st.kurvenRaster.px);
    EXPECT_EQ(schleife->port.geschrieben, einzeln->port.geschrieben);
}

// A pass with a point the instrument left unanswered is synthesised, also
// when nobody turns the demonstration on; a script's sweep ends right there.
TEST(Messschleife, StillerPunkt) {
    // the point left unanswered (0: none), the rule, points measured, synthesised, the sweep told as silent
    const std::tuple<int, BeiStille, std::size_t, bool, std::uint64_t> faelle[] = {
        {0, BeiStille::beenden, 12, false, 0}, {7, BeiStille::weiter, 12, true, 0}, {7, BeiStille::beenden, 7, true, 1}};
    for (const auto& [stumm, regel, punkte, synthetisch, verstummt] : faelle) {
        auto u = neueUmgebung();
        u->p.geraet.stilleMelden = nullptr;
        u->st.messpunkte = 12;
        u->port.istOffen = true;
        u->port.beiBefehl = [n = 0, s = stumm](test::FakePort& pt, std::uint8_t) mutable {
            if (++n != s) pt.antwortIn(2, {100});
        };
        u->st.stopAnforderung = true;
        u->p.geraet.beiStille = regel;
        u->p.geraet.sweepNummer = 1;
        dauerlauf(u->p.geraet);
        ASSERT_TRUE(u->p.geraet.letzterDurchlauf);
        EXPECT_EQ(u->p.geraet.letzterDurchlauf->synthetisch, synthetisch) << stumm;
        EXPECT_EQ(u->port.geschrieben.size(), 5 * punkte) << stumm;
        EXPECT_EQ(u->p.geraet.verstummt, verstummt) << stumm;
    }
}

TEST(Timer, Regeln) {
    for (bool cont : {false, true}) {
        auto u = neueUmgebung();
        auto& f = u->fenster;
        u->st.contBildaufbau = cont;
        dm_diagramm(u->p);
        Timer1Timer(u->p);
        EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
        EXPECT_EQ(f.timerLaeuft(Element::Timer2), cont);

        f.protokoll.clear();
        u->st.demoModus = true;  // no device needed for this pass
        startmessung(u->p);
        EXPECT_EQ(f.protokoll.front(), "timer Timer2 1");
        EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
        stopmessung(u->p);
        EXPECT_EQ(f.timerLaeuft(Element::Timer2), cont);
        EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
    }
}

TEST(Timer, AnzeigeIstUndDerEbenen) {
    auto u = neueUmgebung();
    rasterFuellen(u->st.gitterRaster, 255);
    rasterFuellen(u->st.kurvenRaster, 255);
    u->st.gitterRaster.at(10, 20) = 0;
    u->st.gitterRaster.at(11, 20) = 150;
    u->st.kurvenRaster.at(11, 20) = 230;
    u->st.kurvenRaster.at(12, 20) = 24;
    Timer2Timer(u->p);
    const auto& b = u->st.anzeigeBitmap;
    EXPECT_EQ(b.index(10, 20), 0);
    EXPECT_EQ(b.index(11, 20), 134);
    EXPECT_EQ(b.index(12, 20), 24);
    EXPECT_EQ(b.index(13, 20), 255);
    EXPECT_EQ(u->fenster.bilder, 1);
}

// --- whole sweeps on the sweep thread through the real serial code ---

struct SimSweep : test::SimVerbindung {
    explicit SimSweep(sim::SimOptionen opt) : SimVerbindung(std::move(opt)) { PortSetzen(p); }
    void warteAufAustausche(std::uint64_t n) {
        while (simulator.austauschAnzahl() < n) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    test::FakeUhr schnelleUhr;
};

sim::SimOptionen durchgang(int latenzMs = 0) {
    sim::SimOptionen o;
    o.modell = *sim::modellLesen("through");
    o.latenzMs = latenzMs;
    return o;
}

// Notes how many exchanges the instrument has answered whenever a control
// comes back, so the test sees when that happened relative to the pass.
struct FreigabeFenster : test::FakeFenster {
    std::function<std::uint64_t()> zaehler;
    std::vector<std::uint64_t> beiFreigabe;
    void aktivieren(Element e, bool an) override {
        if (an) beiFreigabe.push_back(zaehler());
        FakeFenster::aktivieren(e, an);
    }
};

std::vector<std::string> schaltungen(const std::vector<const char*>& namen, const char* an) {
    std::vector<std::string> z;
    for (const char* n : namen) z.push_back(std::string("aktivieren ") + n + " " + an);
    return z;
}

TEST(Sweep, StopBeiPunktDreiEndetNachDemDurchgang) {
    SimSweep s(durchgang(2));
    FreigabeFenster f;
    f.zaehler = [&s] { return s.simulator.austauschAnzahl(); };
    Programm p(*s.st, f, s.port, s.uhr);
    Button5Click(p);

    const std::vector<const char*> knoepfe = {"Button1", "Button2",  "Button3",  "Button4",  "Button5",
                                              "Button8", "Button9",  "Button10", "Button11", "Button15",
                                              "Button16", "Button17", "Button19"};
    const std::vector<const char*> menues = {"Datei1", "Messung1", "Einstellungen1", "Eichung1"};
    // The controls are taken away in their order.
    std::vector<std::string> gesperrt;
    for (const auto& z : f.protokoll)
        if (z.rfind("aktivieren", 0) == 0) gesperrt.push_back(z);
    auto erwartet = schaltungen(knoepfe, "0");
    erwartet.push_back("aktivieren Button6 1");
    for (auto& z : schaltungen(menues, "0")) erwartet.push_back(z);
    erwartet.push_back("aktivieren Button18 0");
    EXPECT_EQ(gesperrt, erwartet);
    for (Element e : {Element::Button7, Element::Button12, Element::Button13, Element::Button14, Element::N1})
        EXPECT_TRUE(f.aktiv(e));

    s.warteAufAustausche(3);
    f.protokoll.clear();
    f.beiFreigabe.clear();
    stopmessung(p);
    const auto anzahl = s.simulator.austauschAnzahl();
    EXPECT_GE(anzahl, 280u);
    EXPECT_EQ(anzahl % 280, 0u) << "a pass was cut short";
    // Stop first, then the buttons and the menus in their order, then the refresh.
    auto zurueck = schaltungen({"Button6"}, "0");
    for (auto& z : schaltungen(knoepfe, "1")) zurueck.push_back(z);
    for (auto& z : schaltungen(menues, "1")) zurueck.push_back(z);
    zurueck.push_back("aktivieren Button18 0");  // it was disabled before the sweep
    zurueck.push_back("timer Timer2 0");
    EXPECT_EQ(f.protokoll, zurueck);
    // Not one control came back before the pass had ended.
    EXPECT_EQ(f.beiFreigabe, std::vector<std::uint64_t>(knoepfe.size() + menues.size(), anzahl));
    EXPECT_NEAR(s.simulator.protokoll().back().frequenzHz, 10000000 + 279 * 10000, 0.05);
    EXPECT_TRUE(f.meldungen.empty());
    for (int i = 0; i <= 280; ++i) ASSERT_EQ(s.st->messwerte[i], 400) << i;
    // the curve lies at 0 dB: row 10 between the first and the last point
    EXPECT_EQ(s.st->kurvenRaster.at(30 + 2 * 140 + 1, 10), 230);
}

TEST(Sweep, ZeitueberschreitungBeiPunktFuenf) {
    auto opt = durchgang();
    opt.stummNach = 4;
    SimSweep s(opt);
    Programm schnell(*s.st, s.fenster, s.port, s.schnelleUhr);
    s.schnelleUhr.schrittJeAbfrage = 250;
    s.st->messpunkte = 20;
    startmessung(schnell);
    // Stop at once: the message of point 5 arrives while this thread waits.
    stopmessung(schnell);
    EXPECT_EQ(s.fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(s.fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_EQ(s.st->messart, Messart::demo);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(s.st->messwerte[i], 400) << i;
    EXPECT_EQ(s.st->messwerte[5], 210);  // raw value of point 4, unconverted
    // Round(125 sin(i / 25)) + 127 for i = 6 .. 20
    const int demo[] = {157, 162, 166, 171, 176, 180, 185, 189, 193, 198, 202, 206, 209, 213, 217};
    for (int i = 6; i <= 20; ++i) EXPECT_EQ(s.st->messwerte[i], demo[i - 6]) << i;
    // demonstration mode still tunes the generator, but nothing is answered
    const auto log = s.simulator.protokoll();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const auto& a) { return !a.antwort.empty(); }), 4);
}

TEST(Sweep, SmithArtLaesstMesswerte) {
    SimSweep s(durchgang());
    s.st->messart = Messart::smith;
    s.st->messpunkte = 30;
    for (auto& m : s.st->messwerte) m = 1;
    startmessung(s.p);
    stopmessung(s.p);
    EXPECT_EQ(s.simulator.austauschAnzahl() % 30, 0u);
    for (int i = 0; i <= 30; ++i) EXPECT_EQ(s.st->messwerte[i], 1) << i;
}

TEST(Sweep, AnzeigeWaehrendDesSweeps) {
    // The refresh composites while the sweep thread draws; run under
    // ThreadSanitizer this shows the two never race.
    SimSweep s(durchgang());
    Button5Click(s.p);
    while (s.simulator.austauschAnzahl() < 300) Timer2Timer(s.p);
    stopmessung(s.p);
    Timer2Timer(s.p);
    EXPECT_EQ(s.st->anzeigeBitmap.index(30 + 2 * 100 + 1, 10), 230 & 0);  // curve over the 0 dB grid line
    EXPECT_EQ(s.st->anzeigeBitmap.index(30 + 2 * 100 + 1, 11), 255);
}

TEST(Sweep, BeendenWaehrendDesSweepsOhneAntwort) {
    auto opt = durchgang();
    opt.stumm = true;
    SimSweep s(opt);
    Button5Click(s.p);
    s.warteAufAustausche(1);
    Beenden1Click(s.p);
    EXPECT_FALSE(s.port.offen());
    EXPECT_TRUE(s.fenster.geschlossen);
    EXPECT_TRUE(s.fenster.meldungen.empty());
    EXPECT_FALSE(sweepLaeuft(s.p));
    // The wait for the reply was cut short, not run into the time limit.
    EXPECT_FALSE(s.st->demoModus);
    EXPECT_EQ(s.st->messart, Messart::durchgang);

    // A program object that goes away with its sweep running ends it the same way.
    PortSetzen(s.p);
    {
        Programm weg(*s.st, s.fenster, s.port, s.uhr);
        startmessung(weg);
        s.warteAufAustausche(2);
    }
    EXPECT_FALSE(s.st->demoModus);
    EXPECT_EQ(s.st->messart, Messart::durchgang);
}

}  // namespace
}  // namespace qzl
