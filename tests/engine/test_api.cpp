// The engine's API: each action's refusal as a value, with nothing changed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/api.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using api::Grund;

TEST(Api, EinstellungenUndIhreGrenzen) {
    const struct {
        const char* name;
        api::Ergebnis (*aktion)(Geraet&);
        Grund grund;
        std::int32_t start, schritt, punkte, zf, art;
        const char* text = nullptr;  // the refusal's words, where they matter
    } faelle[] = {
        // start 10 MHz, step 10 kHz, 280 points, IF 9 MHz, transmission before each
        {"Start", [](Geraet& g) { return api::startfrequenzSetzen(g, 2144693647); }, Grund::keiner,
         2144693647, 10000, 280, 9000000, 1},
        {"Start zu hoch", [](Geraet& g) { return api::startfrequenzSetzen(g, 2144693648); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        // the window's prompts reach below 0 Hz, a script's front-end does not
        {"Start -1", [](Geraet& g) { return api::startfrequenzSetzen(g, -1); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"Start -1 Fenster", [](Geraet& g) { return api::startfrequenzSetzen(g, -1, Erlaubnis::fenster); },
         Grund::keiner, -1, 10000, 280, 9000000, 1},
        {"Start 0", [](Geraet& g) { return api::startfrequenzSetzen(g, 0); }, Grund::keiner,
         0, 10000, 280, 9000000, 1},
        {"Schritt", [](Geraet& g) { return api::schrittweiteSetzen(g, -7732916, Erlaubnis::fenster); },
         Grund::keiner, 10000000, -7732916, 280, 9000000, 1},
        {"Schritt zu tief", [](Geraet& g) { return api::schrittweiteSetzen(g, -7732917, Erlaubnis::fenster); },
         Grund::ausserhalb, 10000000, 10000, 280, 9000000, 1},
        {"Schritt abwaerts", [](Geraet& g) { return api::schrittweiteSetzen(g, -35842); }, Grund::keiner,
         10000000, -35842, 280, 9000000, 1},
        {"Schritt unter 0 Hz", [](Geraet& g) { return api::schrittweiteSetzen(g, -35843); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"Bereich bis 0 Hz", [](Geraet& g) { return api::bereichSetzen(g, 2990, -10, 300); }, Grund::keiner,
         2990, -10, 300, 9000000, 1},
        {"Bereich unter 0 Hz", [](Geraet& g) { return api::bereichSetzen(g, 2989, -10, 300); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"Punkte 300", [](Geraet& g) { return api::messpunkteSetzen(g, 300); }, Grund::keiner,
         10000000, 10000, 300, 9000000, 1},
        {"Punkte 301", [](Geraet& g) { return api::messpunkteSetzen(g, 301); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1, "the points are 1 to 300"},
        {"Punkte 1", [](Geraet& g) { return api::messpunkteSetzen(g, 1); }, Grund::keiner,
         10000000, 10000, 1, 9000000, 1},
        {"Punkte 0", [](Geraet& g) { return api::messpunkteSetzen(g, 0); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"ZF", [](Geraet& g) { return api::zwischenfrequenzSetzen(g, -2147483648); }, Grund::keiner,
         10000000, 10000, 280, INT32_MIN, 1},
        {"ZF zu gross", [](Geraet& g) { return api::zwischenfrequenzSetzen(g, 2147483648); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        // as a whole: a start that only the new step and points allow
        {"Bereich", [](Geraet& g) { return api::bereichSetzen(g, 2147481647, 1000, 3); }, Grund::keiner,
         2147481647, 1000, 3, 9000000, 1},
        {"Bereich zu hoch", [](Geraet& g) { return api::bereichSetzen(g, 2147481648, 1000, 3); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"Bereich 301", [](Geraet& g) { return api::bereichSetzen(g, 1, 1, 301); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"Bereich 0", [](Geraet& g) { return api::bereichSetzen(g, 1, 1, 0); }, Grund::ausserhalb,
         10000000, 10000, 280, 9000000, 1},
        {"VFO", [](Geraet& g) { return api::messartWaehlen(g, Messart::vfo); }, Grund::keiner, 10000000, 10000, 280, 9000000, 5},
        {"Demo", [](Geraet& g) { return api::messartWaehlen(g, Messart::demo); }, Grund::unbekannt,
         10000000, 10000, 280, 9000000, 1},
        {"Plus", [](Geraet& g) { return api::startfrequenzSchritt(g, true); }, Grund::keiner,
         10010000, 10000, 280, 9000000, 1},
        {"Minus", [](Geraet& g) { return api::startfrequenzSchritt(g, false); }, Grund::keiner,
         9990000, 10000, 280, 9000000, 1},
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        u->st.startwerteSetzen();
        u->st.messart = Messart::durchgang;
        const api::Ergebnis e = f.aktion(u->p.geraet);
        SCOPED_TRACE(f.name);
        EXPECT_EQ(e.grund, f.grund);
        EXPECT_EQ(static_cast<bool>(e), f.grund == Grund::keiner);
        EXPECT_EQ(e.text.empty(), f.grund == Grund::keiner) << e.text;
        if (f.text) {
            EXPECT_EQ(e.text, f.text);
        }
        EXPECT_EQ(u->st.startfrequenz, f.start);
        EXPECT_EQ(u->st.schrittweite, f.schritt);
        EXPECT_EQ(u->st.messpunkte, f.punkte);
        EXPECT_EQ(u->st.zwischenfrequenz, f.zf);
        EXPECT_EQ(zahl(u->st.messart), f.art);
        EXPECT_EQ(u->st.zfAktiv, f.art == 5);
    }
}

// A set with one value out of range is refused whole: nothing of it is taken.
TEST(Api, SaetzeGanzOderGarNicht) {
    const struct {
        const char* name;
        api::Ergebnis (*aktion)(Geraet&);
        bool genommen;
    } faelle[] = {
        {"Dialog", [](Geraet& g) { return api::einstellungenSetzen(g, {true, {}, {}, 1, 2, 3, 4, 300, 4, 57600, 10}); },
         true},
        {"Dialog 0 Punkte", [](Geraet& g) { return api::einstellungenSetzen(g, {true, {}, {}, 1, 2, 3, 4, 0, 4, 57600, 10}); },
         false},
        {"Dialog COM 5", [](Geraet& g) { return api::einstellungenSetzen(g, {true, {}, {}, 1, 2, 3, 4, 300, 5, 57600, 10}); },
         false},
        {"Dialog 4800", [](Geraet& g) { return api::einstellungenSetzen(g, {true, {}, {}, 1, 2, 3, 4, 300, 4, 4800, 10}); },
         false},
        {"Dialog 9 bit", [](Geraet& g) { return api::einstellungenSetzen(g, {true, {}, {}, 1, 2, 3, 4, 300, 4, 57600, 9}); },
         false},
        {"Schnittstelle", [](Geraet& g) { return api::schnittstelleSetzen(g, 4, 57600, 10); }, true},
        {"Schnittstelle COM 0", [](Geraet& g) { return api::schnittstelleSetzen(g, 0, 57600, 10); }, false},
        {"Takt", [](Geraet& g) { return api::taktfrequenzSetzen(g, 1); }, true},
        {"Takt 0", [](Geraet& g) { return api::taktfrequenzSetzen(g, 0); }, false},
        {"Takt 2^31", [](Geraet& g) { return api::taktfrequenzSetzen(g, 2147483648); }, false},
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        u->st.startwerteSetzen();
        SCOPED_TRACE(f.name);
        EXPECT_EQ(static_cast<bool>(f.aktion(u->p.geraet)), f.genommen);
        const bool takt = std::string_view(f.name).starts_with("Takt");
        EXPECT_EQ(u->st.comport == 4 && u->st.baudrate == 57600 && u->st.messgenauigkeit == 10,
                  f.genommen && !takt);
        if (takt) {
            EXPECT_EQ(u->st.taktfrequenz == 1, f.genommen);
        } else if (std::string_view(f.name).starts_with("Dialog")) {
            EXPECT_EQ(u->st.contBildaufbau && u->st.messpunkte == 300 && u->st.taktfrequenz == 1, f.genommen);
        }
    }
}

TEST(Api, CursorUndZfBits) {
    auto u = test::neueUmgebung();
    auto& g = u->p.geraet;
    u->st.startwerteSetzen();
    EXPECT_TRUE(api::cursorSetzen(g, 10504000));
    EXPECT_EQ(u->st.cursorIndex, 50);
    u->st.schrittweite = 0;
    EXPECT_EQ(api::cursorSetzen(g, 10504000).grund, Grund::ausserhalb);
    EXPECT_EQ(u->st.cursorIndex, 50);
    // the farthest index 32 bits hold, and one beyond
    u->st.schrittweite = 10000;
    EXPECT_TRUE(api::cursorSetzen(g, 10000000 - 21474836480000));
    EXPECT_EQ(u->st.cursorIndex, INT32_MIN);
    EXPECT_EQ(api::cursorSetzen(g, 10000000 - 21474836490000).grund, Grund::ausserhalb);
    u->st.cursorIndex = 280;
    api::cursorSchieben(g, true);
    EXPECT_EQ(u->st.cursorIndex, 280);
    u->st.cursorIndex = 1;
    api::cursorSchieben(g, false);
    EXPECT_EQ(u->st.cursorIndex, 1);
    api::zfAnwenden(g, true);
    api::zfAddieren(g, true);
    EXPECT_EQ(u->st.zfBerechnung, 3);
    api::zfAnwenden(g, false);
    EXPECT_EQ(u->st.zfBerechnung, 2);
}

// While a sweep runs, every setting is refused and the sweep's own
// reading of the settings stays as it was; one pass ends by itself.
TEST(Api, LaufenderSweepUndEinDurchlauf) {
    auto u = test::neueUmgebung();
    auto& g = u->p.geraet;
    u->st.startwerteSetzen();
    u->st.messart = Messart::durchgang;
    u->st.demoModus = true;
    std::atomic<int> enden{0};
    ASSERT_TRUE(api::dauerlaufStarten(g, [&] { ++enden; }));
    EXPECT_EQ(api::dauerlaufStarten(g).grund, Grund::sweepLaeuft);
    EXPECT_EQ(api::startfrequenzSetzen(g, 1000).grund, Grund::sweepLaeuft);
    EXPECT_EQ(api::messartWaehlen(g, Messart::reflexion).grund, Grund::sweepLaeuft);
    EXPECT_EQ(api::konfigurationLaden(g, "egal").grund, Grund::sweepLaeuft);
    EXPECT_EQ(api::ueberschriftSetzen(g, "x").grund, Grund::sweepLaeuft);
    api::stoppAnfordern(g);
    api::sweepAbschliessen(g, [] { std::this_thread::yield(); });
    EXPECT_EQ(enden, 1);
    EXPECT_EQ(u->st.startfrequenz, 10000000);
    EXPECT_EQ(u->st.messart, Messart::durchgang);

    u->st.messwerte[280] = 0;
    ASSERT_TRUE(api::einDurchlaufStarten(g, [&] { ++enden; }));
    api::sweepAbschliessen(g, [] { std::this_thread::yield(); });
    EXPECT_EQ(enden, 2);
    EXPECT_GE(u->st.messwerte[280], 1);  // the pass reached its last point
    EXPECT_FALSE(g.sweepThread.joinable());
}

TEST(Api, DateienUndIhreFehler) {
    test::TempOrdner ordner;
    ordner.schreiben("text.cfg", "Liebe Grüße\r\n");
    auto u = test::neueUmgebung();
    auto& g = u->p.geraet;
    u->st.startwerteSetzen();
    const struct {
        api::Ergebnis (*laden)(Geraet&, const std::string&);
        std::string pfad;
        Grund grund;
    } faelle[] = {
        {api::konfigurationLaden, ordner.datei("fehlt.cfg"), Grund::dateifehler},
        {api::konfigurationLaden, ordner.datei("text.cfg"), Grund::falscheDatei},
        {api::messreiheLaden, ordner.datei("fehlt.dat"), Grund::dateifehler},
        {api::messreiheLaden, ordner.datei("text.cfg"), Grund::falscheDatei},
    };
    for (const auto& f : faelle) {
        const api::Ergebnis e = f.laden(g, f.pfad);
        EXPECT_EQ(e.grund, f.grund) << f.pfad;
        EXPECT_EQ(e.io.has_value(), f.grund == Grund::dateifehler) << f.pfad;
    }
    EXPECT_EQ(u->st.startfrequenz, 10000000);
    EXPECT_FALSE(g.geladeneReihe);
    EXPECT_EQ(api::konfigurationSpeichern(g, ordner.datei("fehlt/a.cfg")).grund, Grund::dateifehler);
    ASSERT_TRUE(api::messreiheSpeichern(g, ordner.datei("a.dat")));
    ASSERT_TRUE(api::messreiheLaden(g, ordner.datei("a.dat")));
    ASSERT_TRUE(g.geladeneReihe);
    api::ueberschriftSetzen(g, "Filter 9");
    EXPECT_EQ(g.geladeneReihe->ueberschrift, "Filter 9");
}

}  // namespace
}  // namespace qzl
