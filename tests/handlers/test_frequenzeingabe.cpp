#include <gtest/gtest.h>

#include "handlers/betriebsarten.h"
#include "handlers/verbindung.h"
#include "engine/geraet.h"
#include "state/hz_text.h"
#include "handlers/frequenzeingabe.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;
using E = Element;

TEST(Frequenzeingabe, PlusUndMinusAnIhrenGrenzen) {
    const struct {
        void (*handler)(Programm&);
        std::int32_t start, schritt, ende, erwartet;
    } faelle[] = {
        {Button2Click, 34980000, 10000, 35000000, 34990000},
        {Button2Click, 34990000, 10000, 35000000, 34990000},  // 35000000 is not below the limit
        {Button3Click, 10000, 10000, 0, 10000},
        {Button3Click, 10001, 10000, 0, 1},
        // a sum beyond 32 bits is refused, never wrapped
        {Button2Click, -2147483000, -1000, 35000000, -2147483000},
        {Button3Click, 2147483000, -1000, 0, 2147483000},
        // the last point of 280 would leave 32 bits
        {Button2Click, 2147000000, 10000, 2147483647, 2147000000},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->antwortet({100});
        u->st.startfrequenz = f.start;
        u->st.schrittweite = f.schritt;
        u->st.endfrequenz = f.ende;
        u->fenster.texte[E::Label12] = "alt";
        u->fenster.texte[E::Label7] = "x";
        u->st.demoModus = true;  // the retuning is a measurement of point 1
        f.handler(u->p);
        EXPECT_EQ(u->st.rohwert, 132);
        EXPECT_EQ(u->st.startfrequenz, f.erwartet) << f.start;
        EXPECT_EQ(u->fenster.text(E::Label1), hzText(f.erwartet));
        EXPECT_EQ(u->port.geschrieben.size(), 5u);  // retuned even when unchanged
        EXPECT_EQ(u->fenster.text(E::Label12), "alt");
        EXPECT_EQ(u->fenster.text(E::Label7), "");
    }
}

TEST(Frequenzeingabe, EingabenMitIhrenVorgaben) {
    const struct {
        void (*handler)(Programm&);
        const char* antwort;  // nullptr: cancelled
        std::int32_t start, schritt, zf;
        const char* titel;
    } faelle[] = {
        {Button1Click, "50000000", 50000000, 10000, 9000000, "Frequenz"},
        {Button1Click, "7.100.000 Hz", 7100000, 10000, 9000000, "Frequenz"},  // as the label shows it
        {Button1Click, "abc", 10000000, 10000, 9000000, "Frequenz"},
        {Button1Click, nullptr, 7000000, 10000, 9000000, "Frequenz"},
        // only the last of 280 points would leave 32 bits
        {Button1Click, "2147480858", 7000000, 10, 9000000, "Frequenz"},
        {Button1Click, "2147480857", 2147480857, 10, 9000000, "Frequenz"},
        {Button4Click, "x", 7000000, 50000, 9000000, "Schrittweite"},
        {Button4Click, "-5", 7000000, -5, 9000000, "Schrittweite"},
        // the prompts reach below 0 Hz, which a script may not
        {Button1Click, "-1000", -1000, 10000, 9000000, "Frequenz"},
        {Button4Click, "-30000", 7000000, -30000, 9000000, "Schrittweite"},
        {Button4Click, "12,5k", 7000000, 12500, 9000000, "Schrittweite"},
        {Button4Click, "2000000000", 7000000, 10000, 9000000, "Schrittweite"},
        {ZFEingabe1Click, "", 7000000, 10000, 10000000, "Zwischenfrequenz"},
        {ZFEingabe1Click, "$10", 7000000, 10000, 16, "Zwischenfrequenz"},
        {ZFEingabe1Click, "10.7M", 7000000, 10000, 10700000, "Zwischenfrequenz"},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->antwortet({100});
        u->st.startfrequenz = 7000000;
        if (f.handler == Button1Click && f.schritt == 10) u->st.schrittweite = 10;
        if (f.antwort) u->fenster.eingabeAntworten = {f.antwort};
        f.handler(u->p);
        SCOPED_TRACE(f.antwort ? f.antwort : "abgebrochen");
        EXPECT_EQ(u->st.startfrequenz, f.start);
        EXPECT_EQ(u->st.schrittweite, f.schritt);
        EXPECT_EQ(u->st.zwischenfrequenz, f.zf);
        ASSERT_EQ(u->fenster.fragen.size(), 1u);
        EXPECT_EQ(u->fenster.fragen[0].titel, f.titel);
        if (f.handler == ZFEingabe1Click) {
            EXPECT_EQ(u->fenster.fragen[0].vorgabe, "9000000");
            EXPECT_TRUE(u->port.geschrieben.empty());  // reaches the generator with the next tuning
            continue;
        }
        EXPECT_EQ(u->fenster.fragen[0].vorgabe, f.handler == Button1Click ? "7000000" : "10000");
        EXPECT_EQ(u->st.cursorIndex, 140);
        EXPECT_EQ(u->fenster.text(E::Label12), hzText(std::int64_t{f.start} + 140 * std::int64_t{f.schritt}));
        EXPECT_EQ(u->port.geschrieben.size(), f.handler == Button1Click ? 5u : 0u);
    }
}

TEST(Frequenzeingabe, ZfUmschalterFolgenDemHaken) {
    auto u = neueUmgebung();
    u->antwortet({100});
    const std::pair<void (*)(Programm&), int> schritte[] = {
        {Zwischenfrequenz1Click, 1}, {AdditionvsSubtraktion1Click, 3}, {Zwischenfrequenz1Click, 2}};
    for (auto [handler, bits] : schritte) {
        handler(u->p);
        EXPECT_EQ(u->st.zfBerechnung, bits);
        EXPECT_EQ(u->fenster.abgehakt(E::Zwischenfrequenz1), (bits & 1) != 0);
        EXPECT_EQ(u->fenster.abgehakt(E::AdditionvsSubtraktion1), (bits & 2) != 0);
    }
    EXPECT_EQ(u->port.geschrieben.size(), 15u);
    // the check mark decides, not the bit
    u->st.zfBerechnung = 7;
    Zwischenfrequenz1Click(u->p);
    EXPECT_EQ(u->st.zfBerechnung, 7);
    u->fenster.haken[E::AdditionvsSubtraktion1] = true;
    AdditionvsSubtraktion1Click(u->p);
    EXPECT_EQ(u->st.zfBerechnung, 1);
}

// What the instrument receives in the VFO, per IF setting: the tuning word
// of the offset frequency (2^32 / 100 MHz per hertz, modulo 2^32).
TEST(Frequenzeingabe, VfoStimmtMitZwischenfrequenzAbAmSimulator) {
    const struct {
        std::int32_t start, zfBits;
        std::uint32_t wort, wortUmgeschaltet;  // bit 0 toggled
    } faelle[] = {
        {10000000, 0, 429496730u, 42949673u},  {10000000, 1, 42949673u, 429496730u},
        {10000000, 2, 429496730u, 816043786u}, {10000000, 3, 816043786u, 429496730u},
        {1000000, 1, 3951369912u, 42949673u},  // -8 MHz
        // 2.147.000.000 + 9 MHz lies beyond 32 bits: tuned as it is, not wrapped
        {2147000000, 3, 2405181686u, 2018634629u},
    };
    for (const auto& f : faelle) {
        test::SimVerbindung v;
        PortSetzen(v.p);
        v.st->startfrequenz = f.start;
        v.st->zfBerechnung = f.zfBits;
        v.fenster.haken[E::Zwischenfrequenz1] = (f.zfBits & 1) != 0;
        Button15Click(v.p);
        auto protokoll = v.simulator.protokoll();
        ASSERT_EQ(protokoll.size(), 1u);
        EXPECT_EQ(protokoll[0].abstimmwort, f.wort) << f.start << " " << f.zfBits;
        // the toggle retunes at once
        Zwischenfrequenz1Click(v.p);
        protokoll = v.simulator.protokoll();
        ASSERT_EQ(protokoll.size(), 2u);
        EXPECT_EQ(protokoll[1].abstimmwort, f.wortUmgeschaltet);
        EXPECT_TRUE(v.fenster.meldungen.empty());
    }
}

}  // namespace
}  // namespace qzl
