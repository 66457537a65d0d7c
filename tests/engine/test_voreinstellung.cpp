// Presets in the engine: the setup saved and taken back whole, refused as a
// whole, the calibration only when it was saved, missing files named, and
// the folder that keeps presets by name.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/api.h"
#include "engine/zustand.h"
#include "formats/konfiguration.h"
#include "formats/markendatei.h"
#include "formats/messreihe.h"
#include "state/kurve.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using api::Grund;

// Everything a preset can change, as text, so that two states compare.
std::string bild(Geraet& g) {
    const auto a = api::spurAnsicht(g);
    std::string s = konfigurationText(g.st) + markendateiText(a.e) + "kind " + std::to_string(zahl(g.st.messart)) +
                    " lin " + std::to_string(g.st.linModus) + " limits " + a.grenzDatei + " " +
                    std::to_string(a.grenzenAn) + " reference " + a.referenzDatei + " fmarkers";
    for (const auto& m : g.st.freqMarken) s += ' ' + std::to_string(m);
    return s;
}

// A setup far from the start values, calibration and port included.
void einrichten(Geraet& g, const test::TempOrdner& o) {
    api::startwerteSetzen(g, false);
    ASSERT_TRUE(api::bereichSetzen(g, 1000000, 2500, 99));
    api::zwischenfrequenzSetzen(g, 455000);
    api::zfAnwenden(g, true);
    api::zfAddieren(g, true);
    api::messartWaehlen(g, Messart::spektrum);
    api::detektorWaehlen(g, true);
    api::freqMarkenUebernehmen(g, "0\r\n7000000\r\n");
    ASSERT_TRUE(api::markeSetzen(g, 3, {true, 1200000, Suche::maximum, true, std::nullopt, 0, 3.0}));
    ASSERT_TRUE(api::haltenSetzen(g, Halten::max, 7));
    o.schreiben("m.lim", "below 0 2G -10\n");
    ASSERT_TRUE(api::grenzenLaden(g, o.datei("m.lim")));
    api::grenzenPruefenSetzen(g, false);
    o.schreiben("r.dat", messreiheText(g.st));
    ASSERT_TRUE(api::referenzLaden(g, o.datei("r.dat")));
    auto& st = zustand(g);
    st.korrfaktor1[Slin] = 7;
    st.korrfaktor2[Dlog] = 333;
    st.linie[2] = 123;
    st.linieText[7] = 44;
    ASSERT_TRUE(api::schnittstelleSetzen(g, 3, 38400, 10));
    ASSERT_TRUE(api::taktfrequenzSetzen(g, 99999000));
}

TEST(Voreinstellung, AllesHinUndZurueck) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    einrichten(g, o);
    ASSERT_TRUE(api::voreinstellungSpeichern(g, o.datei("p.preset"), true));
    const std::string vorher = bild(g);

    api::startwerteSetzen(g, false);
    api::grenzenVerwerfen(g);
    api::referenzVerwerfen(g);
    api::spurEinstellungenSetzen(g, {});
    const auto l = api::voreinstellungLaden(g, o.datei("p.preset"));
    ASSERT_TRUE(l.ergebnis) << l.ergebnis.text;
    EXPECT_FALSE(l.grenzen || l.referenz);
    EXPECT_EQ(bild(g), vorher);
    EXPECT_EQ(g.st.cursorIndex, cursorMitte(99));
}

TEST(Voreinstellung, OhneKalibrierungBleibtDieJetzige) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    einrichten(g, o);
    ASSERT_TRUE(api::voreinstellungSpeichern(g, o.datei("p.preset"), false));
    for (const char* k : {"correction", "line ", "com ", "baud", "bits", "clock"})
        EXPECT_EQ(o.lesen("p.preset").find(k), std::string::npos) << k;
    // A newer calibration and another port.
    zustand(g).korrfaktor1[Slin] = 8;
    zustand(g).linie[2] = 124;
    api::schnittstelleSetzen(g, 1, 9600, 8);
    api::taktfrequenzSetzen(g, 100000001);
    api::bereichSetzen(g, 5, 5, 5);
    ASSERT_TRUE(api::voreinstellungLaden(g, o.datei("p.preset")).ergebnis);
    EXPECT_EQ(g.st.startfrequenz, 1000000);
    EXPECT_EQ(g.st.korrfaktor1[Slin], 8);
    EXPECT_EQ(g.st.linie[2], 124);
    EXPECT_EQ(g.st.comport, 1);
    EXPECT_EQ(g.st.baudrate, 9600);
    EXPECT_EQ(g.st.messgenauigkeit, 8);
    EXPECT_EQ(g.st.taktfrequenz, 100000001);
}

TEST(Voreinstellung, AbgelehntAlsGanzes) {
    const std::string rest = "mode transmission\ndetector log\nif 0 off sub\n";
    const struct {
        std::string text;
        Grund grund;
        const char* grundText;
    } faelle[] = {
        {"qzl7 markers 1\n", Grund::falscheDatei, "x is no preset of qzl7"},
        {"qzl7 preset 1\n" + rest + "start 2147483000\nstep 1000\npoints 10\n", Grund::ausserhalb, "leaves 32 bits"},
        {"qzl7 preset 1\n" + rest + "start -1\nstep 1\npoints 2\n", Grund::ausserhalb, "reaches below 0 Hz"},
        {"qzl7 preset 1\n" + rest + "start 1\nstep 1\npoints 400\n", Grund::falscheDatei, "x: line 7"},
        {"qzl7 preset 1\n" + rest + "start 1\nstep 1\npoints 2\nmarker 2 on 5 delta 2\n", Grund::ausserhalb,
         "a delta refers to another marker"},
    };
    test::TempOrdner o;
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        Geraet& g = u->p.geraet;
        einrichten(g, o);
        const std::string vorher = bild(g);
        const auto l = api::voreinstellungUebernehmen(g, f.text, "x");
        EXPECT_EQ(l.ergebnis.grund, f.grund) << f.text;
        EXPECT_NE(l.ergebnis.text.find(f.grundText), std::string::npos) << l.ergebnis.text;
        EXPECT_EQ(bild(g), vorher) << f.text;
    }
}

TEST(Voreinstellung, FehlendeDateienBenanntDerRestGeladen) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    einrichten(g, o);
    const auto l = api::voreinstellungUebernehmen(
        g, "qzl7 preset 1\nstart 5\nstep 2\npoints 3\nif 0 off sub\nmode reflection\ndetector log\n"
           "limits " + o.datei("weg.lim") + "\nreference " + o.datei("weg.dat") + "\n", "x");
    ASSERT_TRUE(l.ergebnis);
    ASSERT_TRUE(l.grenzen && l.referenz);
    EXPECT_EQ(l.grenzen->datei, o.datei("weg.lim"));
    EXPECT_EQ(l.referenz->grund.grund, Grund::dateifehler);
    EXPECT_EQ(g.st.startfrequenz, 5);
    EXPECT_EQ(g.st.messart, Messart::reflexion);
    const auto a = api::spurAnsicht(g);
    EXPECT_TRUE(a.grenzen.empty());
    EXPECT_EQ(a.referenzDatei, o.datei("r.dat"));  // the one before stays
}

TEST(Voreinstellung, OrdnerMitNamen) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    api::startwerteSetzen(g, false);
    const std::string ordner = o.datei("qzl7/presets");
    EXPECT_EQ(api::voreinstellungenListen(ordner).namen.size(), 0u);
    ASSERT_TRUE(api::voreinstellungAblegen(g, ordner, "Filter 1", false, false));
    EXPECT_EQ(std::filesystem::status(ordner).permissions(), std::filesystem::perms::owner_all);
    EXPECT_EQ(api::voreinstellungAblegen(g, ordner, "Filter 1", false, false).grund, Grund::vorhanden);
    ASSERT_TRUE(api::voreinstellungAblegen(g, ordner, "Filter 1", true, true));
    EXPECT_NE(o.lesen("qzl7/presets/Filter 1.preset").find("\r\nclock "), std::string::npos);
    ASSERT_TRUE(api::voreinstellungAblegen(g, ordner, "b", false, false));
    o.schreiben("qzl7/presets/notiz.txt", "");
    EXPECT_EQ(api::voreinstellungenListen(ordner).namen, (std::vector<std::string>{"Filter 1", "b"}));

    EXPECT_EQ(api::voreinstellungUmbenennen(ordner, "b", "Filter 1").grund, Grund::vorhanden);
    ASSERT_TRUE(api::voreinstellungUmbenennen(ordner, "b", "c"));
    ASSERT_TRUE(api::voreinstellungExportieren(ordner, "c", o.datei("raus.preset")));
    ASSERT_TRUE(api::voreinstellungLoeschen(ordner, "c"));
    EXPECT_EQ(api::voreinstellungImportieren(ordner, "d", o.datei("qzl7/presets/notiz.txt"), false).grund,
              Grund::falscheDatei);
    ASSERT_TRUE(api::voreinstellungImportieren(ordner, "d", o.datei("raus.preset"), false));
    EXPECT_EQ(api::voreinstellungenListen(ordner).namen, (std::vector<std::string>{"Filter 1", "d"}));
    EXPECT_TRUE(api::voreinstellungHolen(g, ordner, "d").ergebnis);

    // A name that would leave the folder touches nothing.
    EXPECT_EQ(api::voreinstellungAblegen(g, ordner, "../x", false, false).grund, Grund::ausserhalb);
    EXPECT_EQ(api::voreinstellungLoeschen(ordner, "../presets/d").grund, Grund::ausserhalb);
    EXPECT_EQ(api::voreinstellungHolen(g, ordner, "").ergebnis.grund, Grund::ausserhalb);
    EXPECT_EQ(o.anzahl(), 2u);
}

}  // namespace
}  // namespace qzl
