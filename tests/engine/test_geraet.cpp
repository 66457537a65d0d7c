#include <gtest/gtest.h>

#include "engine/geraet.h"
#include "state/einstellwerte.h"
#include "handlers/verbindung.h"
#include "sim/rahmen.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;

TEST(Abstimmwort, Rundungen) {
    struct Fall {
        std::int32_t takt, frequenz;
        std::uint32_t wort;
    };
    const Fall faelle[] = {
        {100000000, 10000000, 0x1999999Au},
        {100000000, 1, 43u},
        {100000000, 0, 0u},
        {100000000, -8000000, static_cast<std::uint32_t>(-343597384)},
        // 2^32 / 2^31 = 2, times 2^31 - 1, stays exact and wraps modulo 2^32.
        {1, 2147483647, 0u},
        {1, 1, 0u},
        {2, 3, 2147483648u},
        {3, 1, 1431655765u},
        // 2^32 / 7 in double times 10^6 is exactly 613566756571428.5 and
        // 2^32 / 11 times 10^7 exactly 3904515723636363.5: halves go to the
        // even neighbour (...428, ...364), then modulo 2^32.
        {7, 1000000, 0x24924924u},
        {7, -1000000, 0xDB6DB6DCu},
        {11, 10000000, 0xE8BA2E8Cu},
        {0, 10000000, 0u},
        {-100000000, 10000000, 0u},
        {INT32_MIN, 10000000, 0u},
    };
    for (const auto& f : faelle) EXPECT_EQ(abstimmwort(f.takt, f.frequenz), f.wort) << f.takt << " " << f.frequenz;
}

TEST(Befehl, ByteUndAntwort) {
    EXPECT_EQ(befehlsbyte(8, false), 80);
    EXPECT_EQ(befehlsbyte(8, true), 81);
    EXPECT_EQ(befehlsbyte(0, false), 80);
    EXPECT_EQ(befehlsbyte(9, false), 84);
    EXPECT_EQ(befehlsbyte(10, true), 85);
    EXPECT_EQ(zehnBitWert(0xFF, 0xC0), 1023);
    EXPECT_EQ(zehnBitWert(0x80, 0x40), 513);
    EXPECT_EQ(zehnBitWert(0x00, 0xFF), 3);
    EXPECT_EQ(zehnBitWert(0xD1, 0x80), 838);
    // Every 10-bit value the simulated device sends comes back unchanged.
    for (std::uint16_t roh = 0; roh <= 1023; ++roh) {
        const auto b = sim::antwortBilden(roh, true);
        ASSERT_EQ(zehnBitWert(b[0], b[1]), roh);
    }
    EXPECT_EQ(leitungsGeschwindigkeit(57600), 57600);
    EXPECT_EQ(leitungsGeschwindigkeit(38400), 38400);
    EXPECT_EQ(leitungsGeschwindigkeit(115200), 9600);
    EXPECT_EQ(leitungsGeschwindigkeit(0), 9600);
}

TEST(Demo, Rohwerte) {
    const std::pair<int, int> faelle[] = {{1, 132}, {25, 232}, {39, 252}, {118, 2}, {157, 127}, {300, 60}};
    for (auto [i, w] : faelle) EXPECT_EQ(demoRohwert(i), w) << i;
}

// Only COM 1 to 4 are opened; another number is told, never opened.
TEST(Port, NurComEinsBisVier) {
    for (const auto& [com, offen] : {std::pair{0, false}, {1, true}, {4, true}, {5, false}}) {
        auto u = neueUmgebung();
        u->st.comport = com;
        const std::string grund = portOeffnen(u->p.geraet);
        EXPECT_EQ(u->port.geoeffnetAls, offen ? com : 0) << com;
        EXPECT_EQ(grund.empty(), offen) << com << grund;
    }
}

TEST(Einzelmessung, ZwischenfrequenzUndBytes) {
    struct Fall {
        bool zfAktiv;
        int zfBerechnung;
        std::int32_t frequenz;
        int genauigkeit;
        bool lin;
        std::uint32_t wort;
        std::uint8_t befehl;
        std::uint16_t roh;  // of the reply D1 C0 55: one byte or two, the rest stays waiting
    };
    const Fall faelle[] = {
        {false, 0, 10000000, 8, false, 0x1999999Au, 80, 0xD1},
        {false, 0, 10000000, 10, true, 0x1999999Au, 85, 839},
        {false, 0, 10000000, 9, false, 0x1999999Au, 84, 839},
        {true, 3, 1000000, 8, false, 0x1999999Au, 80, 0xD1},
        // -8 MHz: -343597383.68 rounds to -343597384, i.e. 2^32 - 343597384
        {true, 1, 1000000, 8, false, 0xEB851EB8u, 80, 0xD1},
        // 1 MHz unchanged: 42949672.96 rounds to 42949673
        {false, 3, 1000000, 8, false, 0x028F5C29u, 80, 0xD1},
        {true, 2, 1000000, 8, false, 0x028F5C29u, 80, 0xD1},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->st.zfAktiv = f.zfAktiv;
        u->st.zfBerechnung = f.zfBerechnung;
        u->st.messgenauigkeit = f.genauigkeit;
        u->st.linModus = f.lin;
        u->antwortet({0xD1, 0xC0, 0x55});
        einzelmessung(u->p.geraet, 1, f.frequenz);
        EXPECT_EQ(u->st.rohwert, f.roh) << f.genauigkeit;
        EXPECT_EQ(u->port.wartend(), f.genauigkeit > 8 ? 1u : 2u);
        const std::vector<std::uint8_t> erwartet = {
            static_cast<std::uint8_t>(f.wort), static_cast<std::uint8_t>(f.wort >> 8),
            static_cast<std::uint8_t>(f.wort >> 16), static_cast<std::uint8_t>(f.wort >> 24), f.befehl};
        EXPECT_EQ(u->port.geschrieben, erwartet) << f.frequenz << " zf " << f.zfBerechnung;
        EXPECT_TRUE(u->fenster.meldungen.empty());
    }
}

TEST(Einzelmessung, Einschwingzeit) {
    // delay, tick offset near the wrap, least milliseconds that must pass;
    // without a wait the exchange goes out in one write, else in two.
    const std::tuple<int, std::uint32_t, std::int64_t> faelle[] = {
        {0, 0, 0}, {1, 0, 0}, {-5, 0, 0}, {2, 0, 3}, {25, 0, 26}, {100, 0, 101}, {2, 0xFFFFFFFEu, 3},
        {10, 0xFFFFFFFAu, 11}};
    for (auto [delay, versatz, mindestens] : faelle) {
        auto u = neueUmgebung();
        u->st.delay = delay;
        u->uhr.tickVersatz = versatz;
        std::int64_t befehlZeit = -1;
        const std::int64_t start = u->uhr.jetzt;
        u->port.istOffen = true;
        u->port.beiBefehl = [&](test::FakePort& pt, std::uint8_t) {
            befehlZeit = u->uhr.jetzt;
            pt.antwortIn(1, {7});
        };
        u->port.eingang = {99};  // stray byte, there before the command
        einzelmessung(u->p.geraet, 1, 10000000);
        EXPECT_EQ(befehlZeit - start, mindestens) << "delay " << delay;
        EXPECT_EQ(u->st.rohwert, 7);
        EXPECT_EQ(u->port.schreibLaengen, (delay > 1 ? std::vector<std::size_t>{4, 1} : std::vector<std::size_t>{5}))
            << "delay " << delay;
        // 10 MHz at the 100 MHz clock, then the command byte, in either way.
        EXPECT_EQ(u->port.geschrieben, (std::vector<std::uint8_t>{0x9A, 0x99, 0x99, 0x19, 80})) << "delay " << delay;
    }
}

TEST(Einzelmessung, AntwortGrenze) {
    // reply arrives after ms; does it count?
    const std::pair<std::int64_t, bool> faelle[] = {{0, true}, {1, true}, {3999, true}, {4000, false}, {9000, false}};
    for (auto [ms, gilt] : faelle) {
        auto u = neueUmgebung();
        u->st.rohwert = 99;
        u->antwortet({42}, ms);
        einzelmessung(u->p.geraet, 1, 10000000);
        EXPECT_EQ(u->st.rohwert, gilt ? 42 : 99) << ms;
        EXPECT_EQ(u->st.uebertragungsfehler.load(), !gilt) << ms;
        EXPECT_EQ(u->fenster.meldungen.size(), gilt ? 0u : 1u) << ms;
    }
}

TEST(Einzelmessung, ZeitueberschreitungEinmalDannDemo) {
    auto u = neueUmgebung();
    u->st.rohwert = 77;
    u->st.messart = Messart::durchgang;
    u->port.istOffen = true;
    const std::int64_t start = u->uhr.jetzt;
    einzelmessung(u->p.geraet, 5, 10000000);
    EXPECT_EQ(u->uhr.jetzt - start, 4000);
    ASSERT_EQ(u->fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(u->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_TRUE(u->st.demoModus);
    EXPECT_TRUE(u->st.uebertragungsfehler);
    EXPECT_EQ(u->st.messart, Messart::demo);
    EXPECT_EQ(u->st.rohwert, 77);

    // Demonstration mode: still sends, never waits, no further message.
    u->port.geschrieben.clear();
    const std::int64_t danach = u->uhr.jetzt;
    for (int i : {1, 25, 39}) einzelmessung(u->p.geraet, i, 10000000);
    EXPECT_EQ(u->uhr.jetzt, danach);
    EXPECT_EQ(u->port.gewartet, 4000);
    EXPECT_EQ(u->fenster.meldungen.size(), 1u);
    EXPECT_EQ(u->st.rohwert, 252);
    EXPECT_FALSE(u->st.uebertragungsfehler);
    EXPECT_EQ(u->port.geschrieben.size(), 15u);
}

TEST(Einzelmessung, ZehnBit) {
    auto u = neueUmgebung();
    u->st.messgenauigkeit = 10;
    u->antwortet({0x80, 0x40});
    einzelmessung(u->p.geraet, 1, 10000000);
    EXPECT_EQ(u->st.rohwert, 513);
    EXPECT_TRUE(u->fenster.meldungen.empty());
}

TEST(Einzelmessung, ZehnBitOhneZweitesByteIstZeitueberschreitung) {
    // The second byte may come until the 4-second limit, but a late first
    // byte still gets a second to be followed: first byte at ms, time-out at.
    const std::pair<std::int64_t, std::int64_t> faelle[] = {{3990, 4990}, {2990, 4000}};
    for (auto [ms, ende] : faelle) {
        auto u = neueUmgebung();
        u->st.messgenauigkeit = 10;
        u->st.rohwert = 12;
        u->antwortet({0xFF}, ms);
        const std::int64_t start = u->uhr.jetzt;
        einzelmessung(u->p.geraet, 1, 10000000);
        EXPECT_EQ(u->fenster.meldungen.size(), 1u);
        EXPECT_TRUE(u->st.demoModus);
        EXPECT_EQ(u->st.messart, Messart::demo);
        EXPECT_EQ(u->st.rohwert, 12);
        EXPECT_EQ(u->uhr.jetzt - start, ende) << ms;
    }
}

TEST(Einzelmessung, ZweitesByteSpaetAberInnerhalbDerFrist) {
    auto u = neueUmgebung();
    u->st.messgenauigkeit = 10;
    u->port.istOffen = true;
    u->port.beiBefehl = [](test::FakePort& pt, std::uint8_t) {
        pt.antwortIn(3990, {0xFF});
        pt.antwortIn(4500, {0xC0});
    };
    einzelmessung(u->p.geraet, 1, 10000000);
    EXPECT_TRUE(u->fenster.meldungen.empty());
    EXPECT_EQ(u->st.rohwert, 1023);
}

TEST(PortSetzen, TitelUndLeitung) {
    // comport, baud rate; the port opened (-1: none) and the speed used
    const struct {
        int comport, baudrate, geoeffnet, baud;
        const char* titel;
    } faelle[] = {
        {1, 9600, 1, 9600, "Quarzolin (MIRFO)  V7.3     COM 1"},
        {3, 38400, 3, 38400, "Quarzolin (MIRFO)  V7.3     COM 3"},
        {4, 19200, 4, 19200, "Quarzolin (MIRFO)  V7.3     COM 4"},
        {0, 57600, -1, 57600, "Quarzolin (MIRFO)  V7.3     COM 0"},
        {5, 9601, -1, 9600, "Quarzolin (MIRFO)  V7.3     COM 5"},
        {7, 12345, -1, 9600, "Quarzolin (MIRFO)  V7.3     COM 7"},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->port.geoeffnetAls = -1;
        u->st.comport = f.comport;
        u->st.baudrate = f.baudrate;
        PortSetzen(u->p);
        EXPECT_EQ(u->port.geoeffnetAls, f.geoeffnet) << f.comport;
        EXPECT_EQ(u->port.baud, f.baud) << f.baudrate;
        EXPECT_EQ(u->fenster.text(Element::Caption), f.titel);
    }
}

}  // namespace
}  // namespace qzl

namespace qzl {
namespace {

TEST(Einzelmessung, BeendenUnterbrichtLangeEinschwingzeit) {
    auto u = test::neueUmgebung();
    u->st.delay = 1000000000;
    u->p.beenden = true;
    u->antwortet({1});
    einzelmessung(u->p.geraet, 1, 10000000);
    EXPECT_LE(u->uhr.geschlafen, 50);
    EXPECT_TRUE(u->fenster.meldungen.empty());
}

}  // namespace
}  // namespace qzl
