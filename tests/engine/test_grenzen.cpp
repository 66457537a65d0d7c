// Limits: the file's lines, the verdict against hand-computed tables, and
// the engine judging every pass and drawing the mask.
#include <gtest/gtest.h>

#include "diagram/spuren_bild.h"
#include "engine/api.h"
#include "engine/zustand.h"
#include "evaluation/grenzen.h"
#include "formats/grenzdatei.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Grenzen, DateiZeilen) {
    const struct {
        const char* text;
        const char* fehler;  // "" when it reads
    } faelle[] = {
        {"# mask\r\nabove 10.7M 10.8M -3 # pass band\r\n\r\nbelow 0 9000k -40dB\n  BELOW 1 2 3\n", "m, line 5: not"},
        {"above 10.7M 10.8M -3.5\n\tbelow 455k 455k 0.25\nabove 1 2 0dB", ""},
        {"above 10.8M 10.7M -3\n", "m, line 1: the segment runs downward"},
        {"above -1 10 -3\n", "m, line 1: '-1' is not a frequency"},
        {"above 1 10 -3 4\n", "m, line 1: not"},
        {"above 1 10 x3\n", "m, line 1: 'x3' is not a level"},
        {"above 1 10 nan\n", "m, line 1: 'nan' is not a level"},
        {"# only a comment\n\n", "m: holds no limit"},
        {"", "m: holds no limit"},
        {"\n\nabove 1 2\n", "m, line 3: not"},
    };
    for (const auto& f : faelle) {
        std::string fehler;
        const auto g = grenzdateiLesen(f.text, "m", &fehler);
        EXPECT_EQ(g.has_value(), !*f.fehler) << f.text;
        EXPECT_TRUE(fehler.starts_with(f.fehler)) << fehler;
    }
    const auto g = grenzdateiLesen("below 0 9000k -40dB\n\nabove 10.7M 10.8M -3.5 # x\nbelow 1 2 7dB", "m");
    ASSERT_TRUE(g);
    ASSERT_EQ(g->size(), 3u);
    EXPECT_EQ((*g)[2].pegel, 7);
    EXPECT_FALSE((*g)[0].oben);
    EXPECT_EQ((*g)[0].f2, 9000000);
    EXPECT_EQ((*g)[0].pegel, -40);
    EXPECT_TRUE((*g)[1].oben);
    EXPECT_EQ((*g)[1].f1, 10700000);
    EXPECT_EQ((*g)[1].pegel, -3.5);
    EXPECT_EQ((*g)[1].text, "m line 3");
}

// 1000 Hz in steps of 100: -20, -10, 0, -0.2, -4, -10, -20 dB.
Kurvenbild filter() { return {1000, 100, Messart::durchgang, false, {300, 350, 400, 399, 380, 350, 300}, false}; }

Grenze grenze(bool oben, std::int64_t f1, std::int64_t f2, double pegel) { return {oben, f1, f2, pegel, "g"}; }

TEST(Grenzen, UrteilGegenTabelle) {
    const struct {
        const char* name;
        std::vector<Grenze> grenzen;
        std::vector<std::int64_t> fehler;
    } faelle[] = {
        // -10 at 1100 and 1500 lies on the limit: it passes.
        {"auf der Grenze", {grenze(true, 1100, 1500, -10)}, {}},
        {"knapp darueber", {grenze(true, 1100, 1500, -9.9)}, {1100, 1500}},
        // Between points 1 and 2 nothing is judged but the points.
        {"zwischen Punkten", {grenze(false, 1150, 1250, -0.1)}, {1200}},
        {"unter", {grenze(false, 1000, 1600, -10)}, {1200, 1300, 1400}},
        // A point failing two overlapping segments is named once.
        {"ueberlappend", {grenze(false, 1000, 1300, -5), grenze(true, 1200, 1600, -5)}, {1200, 1300, 1500, 1600}},
        {"ein Punkt", {grenze(true, 1300, 1300, -0.2)}, {}},
    };
    for (const auto& f : faelle) {
        const Grenzurteil u = grenzurteil(filter(), f.grenzen);
        EXPECT_EQ(u.einwand, "") << f.name;
        EXPECT_EQ(u.fehler, f.fehler) << f.name;
        EXPECT_EQ(u.bestanden(), f.fehler.empty()) << f.name;
    }
    // The linear detector: ratios to 400, never below 0.
    Kurvenbild lin = filter();
    lin.lin = true;
    EXPECT_EQ(grenzurteil(lin, {grenze(true, 1200, 1300, 0.998)}).fehler, (std::vector<std::int64_t>{1300}));
    EXPECT_EQ(grenzurteil(lin, {grenze(false, 1000, 1600, 0.75)}).fehler,
              (std::vector<std::int64_t>{1100, 1200, 1300, 1400, 1500}));
    EXPECT_NE(grenzurteil(lin, {grenze(true, 1000, 1600, -3)}).einwand.find("never below 0"), std::string::npos);
    // A segment that no point reaches would pass unseen.
    const Grenzurteil u = grenzurteil(filter(), {grenze(true, 1610, 2000, -3)});
    EXPECT_FALSE(u.bestanden());
    EXPECT_EQ(u.einwand, "g: no sweep point lies between 1610 and 2000 Hz (the sweep runs from 1000 to 1600 Hz)");
}

void durchlauf(Geraet& g, std::vector<std::int32_t> werte, bool synthetisch = false) {
    Kurvenbild k = kurvenbild(g.st);
    k.werte = std::move(werte);
    k.synthetisch = synthetisch;
    spurenNachDurchlauf(g, k);
}

// Seven points from 1000 Hz in steps of 100, a fresh diagram, and the filter's pass.
void mitFilter(Geraet& g) {
    auto& st = zustand(g);
    st.startfrequenz = 1000;
    st.schrittweite = 100;
    st.messpunkte = 7;
    api::diagrammNeu(g);
    durchlauf(g, filter().werte);
}

TEST(Grenzen, JederDurchlaufWirdBeurteilt) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    auto& st = zustand(g);
    mitFilter(g);
    test::TempOrdner ordner;
    const std::string pfad = ordner.datei("maske.lim");
    dateiSchreiben(pfad, "above 1200 1400 -1\nbelow 1000 1000 -25\n");
    EXPECT_EQ(api::grenzenLaden(g, ordner.datei("fehlt.lim")).grund, api::Grund::dateifehler);
    dateiSchreiben(ordner.datei("kaputt.lim"), "above 1200 1400\n");
    EXPECT_EQ(api::grenzenLaden(g, ordner.datei("kaputt.lim")).grund, api::Grund::falscheDatei);
    EXPECT_FALSE(api::spurAnsicht(g).urteil);

    // Loading judges the pass shown at once.
    ASSERT_TRUE(api::grenzenLaden(g, pfad));
    auto a = api::spurAnsicht(g);
    EXPECT_EQ(a.grenzDatei, pfad);
    ASSERT_TRUE(a.urteil);
    EXPECT_EQ(a.urteil->fehler, (std::vector<std::int64_t>{1000, 1400}));
    // The DUT comes back: the FAIL clears with the next pass.
    durchlauf(g, {200, 350, 400, 399, 399, 350, 300}, true);
    a = api::spurAnsicht(g);
    ASSERT_TRUE(a.urteil);
    EXPECT_TRUE(a.urteil->bestanden());
    EXPECT_TRUE(a.urteil->synthetisch);
    // Judging off: no verdict, the limits stay; on again, the pass is judged.
    api::grenzenPruefenSetzen(g, false);
    EXPECT_FALSE(api::spurAnsicht(g).urteil);
    api::grenzenPruefenSetzen(g, true);
    EXPECT_TRUE(api::spurAnsicht(g).urteil);
    // A fresh diagram has no pass to judge; a loaded series is no pass.
    api::diagrammNeu(g);
    EXPECT_FALSE(api::spurAnsicht(g).urteil);
    EXPECT_EQ(api::spurAnsicht(g).grenzen.size(), 2u);
    durchlauf(g, filter().werte);
    // Judged afresh only a pass of the present settings, never a moved curve.
    st.messpunkte = 6;
    api::grenzenPruefenSetzen(g, true);
    EXPECT_FALSE(api::spurAnsicht(g).urteil);
    st.messpunkte = 7;
    api::grenzenPruefenSetzen(g, true);
    EXPECT_TRUE(api::spurAnsicht(g).urteil);
    ASSERT_TRUE(api::normieren(g));
    api::grenzenPruefenSetzen(g, true);
    EXPECT_FALSE(api::spurAnsicht(g).urteil);
    dateiSchreiben(ordner.datei("gross.lim"), std::string(textdateiGrenze + 1, '#'));
    EXPECT_EQ(api::grenzenLaden(g, ordner.datei("gross.lim")).text, ordner.datei("gross.lim") + ": more than 1 MiB, no limit file");
    api::grenzenVerwerfen(g);
    a = api::spurAnsicht(g);
    EXPECT_FALSE(a.urteil);
    EXPECT_TRUE(a.grenzen.empty());
    EXPECT_EQ(a.grenzDatei, "");
}

TEST(Grenzen, MaskeImBild) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    mitFilter(g);
    ASSERT_TRUE(api::grenzenUebernehmen(g, "above 1150 1400 -5\nbelow 1600 1600 -33\n", "m"));
    api::anzeigeAuffrischen(g);
    const AnzeigeBitmap& bild = g.st.anzeigeBitmap;
    const int xU = g.st.xUrsprung, yB = g.st.yBasis;
    // -5 dB is reading 375: from point 3 (column origin + 7) to point 5 (+ 11).
    EXPECT_NE(bild.index(xU + 6, yB - 375), grenzenFarbe);
    EXPECT_EQ(bild.index(xU + 7, yB - 375), grenzenFarbe);
    EXPECT_EQ(bild.index(xU + 11, yB - 375), grenzenFarbe);
    EXPECT_NE(bild.index(xU + 12, yB - 375), grenzenFarbe);
    // A segment over one point: a dash around it (-33 dB, reading 235).
    for (int x : {14, 15, 16}) EXPECT_EQ(bild.index(xU + x, yB - 235), grenzenFarbe) << x;
}

}  // namespace
}  // namespace qzl
