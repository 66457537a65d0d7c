#include <gtest/gtest.h>

#include "core/geraet.h"
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
    EXPECT_EQ(leitungsGeschwindigkeit(57600), 57600);
    EXPECT_EQ(leitungsGeschwindigkeit(38400), 38400);
    EXPECT_EQ(leitungsGeschwindigkeit(115200), 9600);
    EXPECT_EQ(leitungsGeschwindigkeit(0), 9600);
}

TEST(Demo, Rohwerte) {
    const std::pair<int, int> faelle[] = {{1, 132}, {25, 232}, {39, 252}, {118, 2}, {157, 127}, {300, 60}};
    for (auto [i, w] : faelle) EXPECT_EQ(demoRohwert(i), w) << i;
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
    };
    const Fall faelle[] = {
        {false, 0, 10000000, 8, false, 0x1999999Au, 80},
        {false, 0, 10000000, 10, true, 0x1999999Au, 85},
        {true, 3, 1000000, 8, false, 0x1999999Au, 80},
        {true, 1, 1000000, 8, false, abstimmwort(100000000, -8000000), 80},
        {false, 3, 1000000, 8, false, abstimmwort(100000000, 1000000), 80},
        {true, 2, 1000000, 8, false, abstimmwort(100000000, 1000000), 80},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->st.zfAktiv = f.zfAktiv;
        u->st.zfBerechnung = f.zfBerechnung;
        u->st.messgenauigkeit = f.genauigkeit;
        u->st.linModus = f.lin;
        u->antwortet(f.genauigkeit > 8 ? std::vector<std::uint8_t>{1, 0} : std::vector<std::uint8_t>{1});
        einzelmessung(u->p, 1, f.frequenz);
        const std::vector<std::uint8_t> erwartet = {
            static_cast<std::uint8_t>(f.wort), static_cast<std::uint8_t>(f.wort >> 8),
            static_cast<std::uint8_t>(f.wort >> 16), static_cast<std::uint8_t>(f.wort >> 24), f.befehl};
        EXPECT_EQ(u->port.geschrieben, erwartet) << f.frequenz << " zf " << f.zfBerechnung;
        EXPECT_TRUE(u->fenster.meldungen.empty());
    }
}

TEST(Einzelmessung, Einschwingzeit) {
    // delay, tick offset near the wrap, least milliseconds that must pass
    const std::tuple<int, std::uint32_t, std::int64_t> faelle[] = {
        {0, 0, 0}, {1, 0, 0}, {-5, 0, 0}, {2, 0, 3}, {25, 0, 26}, {2, 0xFFFFFFFEu, 3}, {10, 0xFFFFFFFAu, 11}};
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
        einzelmessung(u->p, 1, 10000000);
        EXPECT_EQ(befehlZeit - start, mindestens) << "delay " << delay;
        EXPECT_EQ(u->st.rohwert, 7);
    }
}

TEST(Einzelmessung, AntwortGrenze) {
    // reply arrives after ms; does it count?
    const std::pair<std::int64_t, bool> faelle[] = {{0, true}, {1, true}, {3999, true}, {4000, false}, {9000, false}};
    for (auto [ms, gilt] : faelle) {
        auto u = neueUmgebung();
        u->st.rohwert = 99;
        u->antwortet({42}, ms);
        einzelmessung(u->p, 1, 10000000);
        EXPECT_EQ(u->st.rohwert, gilt ? 42 : 99) << ms;
        EXPECT_EQ(u->st.uebertragungsfehler.load(), !gilt) << ms;
        EXPECT_EQ(u->fenster.meldungen.size(), gilt ? 0u : 1u) << ms;
    }
}

TEST(Einzelmessung, ZeitueberschreitungEinmalDannDemo) {
    auto u = neueUmgebung();
    u->st.rohwert = 77;
    u->st.messart = 1;
    u->port.istOffen = true;
    const std::int64_t start = u->uhr.jetzt;
    einzelmessung(u->p, 5, 10000000);
    EXPECT_EQ(u->uhr.jetzt - start, 4000);
    ASSERT_EQ(u->fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(u->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_TRUE(u->st.demoModus);
    EXPECT_TRUE(u->st.uebertragungsfehler);
    EXPECT_EQ(u->st.messart, 4);
    EXPECT_EQ(u->st.rohwert, 77);

    // Demonstration mode: still sends, never waits, no further message.
    u->port.geschrieben.clear();
    const std::int64_t danach = u->uhr.jetzt;
    for (int i : {1, 25, 39}) einzelmessung(u->p, i, 10000000);
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
    einzelmessung(u->p, 1, 10000000);
    EXPECT_EQ(u->st.rohwert, 513);
    EXPECT_TRUE(u->fenster.meldungen.empty());
}

TEST(Einzelmessung, ZehnBitOhneZweitesByteIstZeitueberschreitung) {
    // first byte after ms; the wait for the second ends at the rest of the
    // limit, or a second after a late first byte
    const std::pair<std::int64_t, std::int64_t> faelle[] = {{3990, 3990 + 1000}, {10, 4000}};
    for (auto [ms, ende] : faelle) {
        auto u = neueUmgebung();
        u->st.messgenauigkeit = 10;
        u->st.rohwert = 12;
        u->antwortet({0xFF}, ms);
        einzelmessung(u->p, 1, 10000000);
        EXPECT_EQ(u->fenster.meldungen.size(), 1u);
        EXPECT_TRUE(u->st.demoModus);
        EXPECT_EQ(u->st.messart, 4);
        EXPECT_EQ(u->st.rohwert, 12);
        EXPECT_EQ(u->uhr.jetzt - 1000, ende) << ms;
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
    einzelmessung(u->p, 1, 10000000);
    EXPECT_TRUE(u->fenster.meldungen.empty());
    EXPECT_EQ(u->st.rohwert, 1023);
}

TEST(PortSetzen, TitelUndLeitung) {
    auto u = neueUmgebung();
    u->st.comport = 3;
    u->st.baudrate = 38400;
    PortSetzen(u->p);
    EXPECT_EQ(u->port.geoeffnetAls, 3);
    EXPECT_EQ(u->port.baud, 38400);
    EXPECT_EQ(u->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 3");
    auto w = neueUmgebung();
    w->st.comport = 1;
    PortSetzen(w->p);
    EXPECT_EQ(w->port.geoeffnetAls, 1);

    auto v = neueUmgebung();
    v->st.comport = 7;
    v->st.baudrate = 12345;
    PortSetzen(v->p);
    EXPECT_EQ(v->port.geoeffnetAls, 0);
    EXPECT_EQ(v->port.baud, 9600);
    EXPECT_EQ(v->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 7");
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
    einzelmessung(u->p, 1, 10000000);
    EXPECT_LE(u->uhr.geschlafen, 50);
    EXPECT_TRUE(u->fenster.meldungen.empty());
}

}  // namespace
}  // namespace qzl
