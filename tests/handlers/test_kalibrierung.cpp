#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "engine/geraet.h"
#include "handlers/verbindung.h"
#include "handlers/start.h"
#include "engine/api.h"
#include "handlers/kalibrierung.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

constexpr int punkte = 20;

// The instrument on the simulator, and a user who sets up the device under
// test named for each prompt and closes the box only once the sweep has run
// over the new set-up. Like a modal box, the wait serves the sweep thread's
// messages.
struct Kalibrierplatz : test::SimVerbindung {
    explicit Kalibrierplatz(sim::SimOptionen opt = {}) : SimVerbindung(std::move(opt)) {
        PortSetzen(p);
        st->messpunkte = punkte;
        fenster.beiMeldung = [this](const std::string& text) {
            const auto it = aufbau.find(text);
            if (it == aufbau.end()) return;
            simulator.modellSetzen(*sim::modellLesen(it->second));
            // Two passes and a little: the pass that the stop completes began after the change.
            const auto ziel = simulator.austauschAnzahl() + 2 * punkte + 2;
            while (simulator.austauschAnzahl() < ziel) {
                aktiv->post.abarbeiten(fenster);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        };
        for (int s = 0; s < korrSlotAnzahl; ++s) st->korrfaktor1[s] = st->korrfaktor2[s] = 7;
    }
    std::map<std::string, std::string> aufbau;  // prompt -> simulator model
    Programm* aktiv = &p;
};

TEST(Kalibrierung, SpanneRundetZurGeraden) {
    const std::pair<int, int> faelle[] = {{128, 312}, {200, 200}, {400, 100}, {1, 40000}, {3, 13333}};
    for (auto [a, spanne] : faelle) EXPECT_EQ(api::spanneFuer(a), spanne) << a;
}

TEST(Kalibrierung, FaktorpaareAmSimulator) {
    // Raw readings of the simulator: log 50 + 2 (dB + 80), lin 50 + 160 x ratio,
    // times 4 at 10 bits; "open" reads 0 (log) or 50 (lin).
    struct Fall {
        KorrSlot slot;  // names the procedure: kind and detection
        bool zehnBit;
        const char *p1, *m1, *p2, *m2;
        std::int32_t k1, k2;
        const char* fehler;
    };
    const char* const offen = "Eingang -80 dB (offen)";
    const char* const verbunden = "Ein- und Ausgang verbunden ( 0 dB)";
    const char* const anpassung = "Anpassung 50 Ohm";
    const char* const kurzschluss = "Kurzschluß oder Leerlauf";
    const char* const signal = "Kalibriersignal 10 dBm anlegen";
    const Fall faelle[] = {
        // offset 1 (0 stored as 1); 210 - 1 = 209: 400 / 209 x 100 = 191.4
        {Dlog, false, offen, "open", verbunden, "through", 1, 191, nullptr},
        {Dlog, false, offen, "open", verbunden, "open", 1, 40000, nullptr},  // a mean of 1
        {Dlin, false, "Eingang offen (0 mV)", "open", "Ein- und Ausgang verbunden ", "through", 50, 250, nullptr},
        // 40.5 dB return loss reads 129: 128 gives 312.5, rounded to even
        {Rlog, false, anpassung, "open", kurzschluss, "reflection:40.5", 1, 312, nullptr},
        {Rlin, false, anpassung, "open", kurzschluss, "through", 50, 250, nullptr},
        // 10 bits: -70 dB reads 280, -20 dB 680 (a = 400), -19.875 dB 681 (a = 401)
        {Slog, true, "Eingang offen", "reflection:70", signal, "reflection:20", 280, 100, nullptr},
        {Slog, true, "Eingang offen", "reflection:70", signal, "reflection:19.875", 280, 100, "Fehler - keine Korrektur"},
        {Slin, false, "Eingang offen", "open", "Kalibriersignal 707 mV anlegen", "through", 50, 250, nullptr},
    };
    void (*const handler[])(Programm&) = {Durchgangsmessung2Click, Reflexionsmessung2Click, Spektralmessung2Click};
    for (const auto& f : faelle) {
        Kalibrierplatz k;
        k.st->messart = static_cast<Messart>(f.slot % 3 + 1);
        k.st->linModus = f.slot >= Dlin;
        k.st->messgenauigkeit = f.zehnBit ? 10 : 8;
        k.aufbau = {{f.p1, f.m1}, {f.p2, f.m2}};
        handler[f.slot % 3](k.p);
        std::vector<std::string> meldungen{f.p1, f.p2};
        if (f.fehler) meldungen.push_back(f.fehler);
        EXPECT_EQ(k.fenster.meldungen, meldungen) << f.p2 << " " << f.m2;
        for (int s = 0; s < korrSlotAnzahl; ++s) {
            EXPECT_EQ(k.st->korrfaktor1[s], s == f.slot ? f.k1 : 7) << f.m2 << " slot " << s;
            EXPECT_EQ(k.st->korrfaktor2[s], s == f.slot ? f.k2 : 7) << f.m2 << " slot " << s;
        }
        EXPECT_TRUE(k.fenster.aktiv(Element::Button5));
    }
}

TEST(Kalibrierung, ZeitueberschreitungImSchrittGehtWeiter) {
    auto opt = sim::SimOptionen{};
    opt.stummNach = 5;
    Kalibrierplatz k(opt);
    test::FakeUhr schnelleUhr;
    schnelleUhr.schrittJeAbfrage = 250;
    Programm schnell(*k.st, k.fenster, k.port, schnelleUhr);
    k.aktiv = &schnell;
    k.aufbau = {{"Eingang -80 dB (offen)", "open"}, {"Ein- und Ausgang verbunden ( 0 dB)", "through"}};
    Durchgangsmessung2Click(schnell);
    EXPECT_EQ(k.fenster.meldungen, (std::vector<std::string>{"Eingang -80 dB (offen)", "Datenübertragungsfehler",
                                                             "Ein- und Ausgang verbunden ( 0 dB)"}));
    EXPECT_EQ(k.st->messart, Messart::demo);
    // Both steps read the demonstration values 132 ... 217 of points 1 ... 20, mean 176.7.
    EXPECT_EQ(k.st->korrfaktor1[Dlog], 177);
    EXPECT_EQ(k.st->korrfaktor2[Dlog], 226);
}

TEST(Kalibrierung, Bezugslinien) {
    for (int n : {1, 3}) {
        Kalibrierplatz k;
        k.st->messart = Messart::reflexion;
        k.st->messgenauigkeit = 10;
        k.st->korrfaktor1[Rlog] = 0;
        k.st->korrfaktor2[Rlog] = 100;
        // -75.375 dB reads 4 x (50 + 2 x 4.625) = 237 at 10 bits
        k.aufbau = {{"Linie 1 ", "reflection:75.375"}, {"Linie 3  ", "reflection:75.375"}};
        linieKalibrieren(k.p, n);
        EXPECT_EQ(k.fenster.meldungen.size(), 1u);
        EXPECT_EQ(k.st->linie[n], 237) << n;
        EXPECT_EQ(k.st->linie[n == 1 ? 3 : 1], 0);
        EXPECT_EQ(k.st->messwerte[punkte], 1);  // redrawn
        EXPECT_TRUE(k.fenster.timerLaeuft(Element::Timer1));
    }
}

// Each item calibrates its own line and nothing beside it; there is no eighth.
TEST(Kalibrierung, JederLinienpunktSeineLinie) {
    static_assert(std::tuple_size_v<decltype(InstrumentState::linie)> == 8);
    void (*const handler[])(Programm&) = {Linie11Click, Linie21Click, Linie31Click, Linie41Click, Linie51Click,
                                          Linie61Click, Linie71Click, [](Programm& p) { linieKalibrieren(p, 8); }};
    for (int n = 1; n <= 8; ++n) {
        auto u = test::neueUmgebung();
        auto& st = u->st;
        st.demoModus = true;
        st.messart = Messart::reflexion;
        st.messpunkte = punkte;
        for (int i = 0; i <= 7; ++i) st.linie[i] = st.linieText[i] = 1000 + i;
        handler[n - 1](u->p);
        EXPECT_EQ(u->fenster.meldungen.size(), n <= 7 ? 1u : 0u);
        for (int i = 0; i <= 7; ++i) {  // 317: the demonstration's 132 ... 217 as (r - 50) * 2.5
            EXPECT_EQ(st.linie[i], i == n ? 317 : 1000 + i) << n << " " << i;
            EXPECT_EQ(st.linieText[i], 1000 + i) << n << " " << i;
        }
    }
}

TEST(Kalibrierung, Taktgenerator) {
    Kalibrierplatz k;
    const std::pair<const char*, std::int32_t> faelle[] = {
        {"10000123", 100001230}, {"abc", 100000000}, {"214748364", 2147483640},
        {"214748365", 100000000}, {"0", 100000000}, {"$98968A", 100000100},
    };
    for (const auto& [eingabe, takt] : faelle) {
        k.st->startfrequenz = 7000000;
        k.st->taktfrequenz = 99999000;
        k.fenster.eingabeAntworten = {eingabe};
        Taktgenerator1Click(k.p);
        EXPECT_EQ(k.st->taktfrequenz, takt) << eingabe;
        EXPECT_EQ(k.st->startfrequenz, 10000000);
        EXPECT_EQ(k.fenster.text(Element::Label1), "10.000.000 Hz");
        // tuned to 10 MHz with the nominal clock
        EXPECT_EQ(k.simulator.protokoll().back().abstimmwort, 0x1999999Au);
    }
    const auto& frage = k.fenster.fragen.back();
    EXPECT_EQ(frage.titel + "|" + frage.frage + "|" + frage.vorgabe, "Takt|Bitte die gemessene Frequenz eingeben:|10000000");
    EXPECT_TRUE(k.fenster.timerLaeuft(Element::Timer1));
}

TEST(Kalibrierung, SchrittZeigtDieKurveUndVerweigertNullPunkte) {
    auto u = test::neueUmgebung();
    auto& f = u->fenster;
    u->st.demoModus = true;
    u->st.messpunkte = 0;
    f.timerSchalten(Element::Timer1, true);  // a redraw moments ago
    int offen = 0;
    f.beiMeldung = [&](const std::string& text) {
        if (text == "Messfehler - keine Korrektur") return;  // after the sweep
        ++offen;
        EXPECT_TRUE(f.timerLaeuft(Element::Timer2));
        EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
        EXPECT_FALSE(f.aktiv(Element::Eichung1));
    };
    Durchgangsmessung2Click(u->p);
    EXPECT_EQ(offen, 2);
    EXPECT_EQ(f.meldungen.back(), "Messfehler - keine Korrektur");
    EXPECT_EQ(u->st.korrfaktor1[Dlog], 0);
    EXPECT_EQ(u->st.korrfaktor2[Dlog], 100);
    EXPECT_FALSE(f.timerLaeuft(Element::Timer2));
    EXPECT_TRUE(f.aktiv(Element::Eichung1));
}

}  // namespace
}  // namespace qzl
