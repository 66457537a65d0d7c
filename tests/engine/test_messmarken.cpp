// Markers and traces: the figures against hand-computed tables, the anchor
// over changes of the sweep, the hold's arithmetic, the markers' file and
// the layer they are drawn in.
#include <gtest/gtest.h>

#include "diagram/spuren_bild.h"
#include "engine/api.h"
#include "engine/zustand.h"
#include "evaluation/kombinieren.h"
#include "formats/markendatei.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

// 1000 Hz in steps of 100: -20, -10, 0, 0, -4, -10, -20 dB.
Kurvenbild filter() { return {1000, 100, Messart::durchgang, false, {300, 350, 400, 400, 380, 350, 300}, false}; }

TEST(Messmarken, PunktUndExtremum) {
    const Kurvenbild k = filter();
    const struct {
        std::int64_t hz;
        std::optional<std::int32_t> punkt;
    } punkte[] = {{1000, 1}, {1049, 1}, {1050, 1}, {1051, 2}, {1600, 7}, {999, {}}, {1601, {}}};
    for (const auto& f : punkte) EXPECT_EQ(punktBei(k, f.hz), f.punkt) << f.hz;
    Kurvenbild flach = k;
    flach.schritt = 0;
    EXPECT_EQ(punktBei(flach, 1000), std::nullopt);

    // A plateau's first point; a range holds its ends.
    EXPECT_EQ(extremum(k, Suche::maximum, {}), 3);
    EXPECT_EQ(extremum(k, Suche::minimum, {}), 1);
    EXPECT_EQ(extremum(k, Suche::maximum, std::pair{1300, 1600}), 4);
    EXPECT_EQ(extremum(k, Suche::minimum, std::pair{1100, 1600}), 7);
    EXPECT_EQ(extremum(k, Suche::maximum, std::pair{1010, 1090}), std::nullopt);
}

TEST(Messmarken, BandMitKantenUndGuete) {
    const struct {
        const char* name;
        Kurvenbild k;
        std::int32_t punkt;
        double ndb;
        std::optional<std::pair<double, double>> kanten;
    } faelle[] = {
        {"Kanten auf Punkten", filter(), 3, 10, std::pair{1100.0, 1500.0}},
        {"interpoliert", filter(), 3, 3, std::pair{1170.0, 1375.0}},
        {"bis an beide Enden", filter(), 3, 20, std::pair{1000.0, 1600.0}},
        {"laeuft ueber den Rand", filter(), 3, 21, std::nullopt},
        {"vom eigenen Pegel", filter(), 5, 6, std::pair{1100.0, 1500.0}},  // -4 dB: edges at -10 dB
        // linear: 3 dB is the ratio 0.707945784
        {"linear", {0, 10, Messart::durchgang, true, {100, 200, 400, 200, 100}, false}, 3, 3,
         std::pair{14.15891568, 25.84108432}},
        // a level of 0 has nothing below it: no band of 0 / 0
        {"linear ohne Pegel", {0, 10, Messart::durchgang, true, {0, 0, 0}, false}, 2, 3, std::nullopt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const auto b = bandUm(f.k, f.punkt, f.ndb);
        ASSERT_EQ(b.has_value(), f.kanten.has_value());
        if (!b) continue;
        EXPECT_NEAR(b->unten, f.kanten->first, 1e-6);
        EXPECT_NEAR(b->oben, f.kanten->second, 1e-6);
        EXPECT_NEAR(b->breite, f.kanten->second - f.kanten->first, 1e-6);
        EXPECT_NEAR(b->mitte, (f.kanten->first + f.kanten->second) / 2, 1e-6);
        EXPECT_NEAR(b->q, b->mitte / b->breite, 1e-9);
    }
    EXPECT_NEAR(bandUm(filter(), 3, 3)->q, 1272.5 / 205, 1e-9);
    // The 60 dB band runs off this curve: no shape factor.
    EXPECT_EQ(formfaktor(filter(), 3), std::nullopt);
    const Kurvenbild steil{0, 10, Messart::durchgang, false, {0, 100, 370, 400, 370, 100, 0}, false};
    // 6 dB: 20 .. 40 Hz; 60 dB: 10 .. 50 Hz.
    EXPECT_NEAR(*formfaktor(steil, 4), 2.0, 1e-9);
}

TEST(Messmarken, NaechsteSpitzeBrauchtDreiDezibel) {
    // Peaks at 2, 4 and 6; the bump at 8 stands only 2 dB above its valley.
    const Kurvenbild k{0, 1, Messart::durchgang, false, {100, 200, 120, 300, 290, 300, 100, 110, 105}, false};
    const struct {
        std::int32_t ab;
        bool rechts;
        std::optional<std::int32_t> spitze;
    } faelle[] = {{1, true, 2}, {2, true, 4}, {4, true, 6}, {6, true, {}}, {5, true, 6},
                  {6, false, 4}, {5, false, 4}, {2, false, {}}, {10, false, 6}, {0, true, 2}};
    for (const auto& f : faelle) EXPECT_EQ(naechsteSpitze(k, f.ab, f.rechts), f.spitze) << f.ab << f.rechts;
    // A shelf on a rising slope is no peak.
    const Kurvenbild stufe{0, 1, Messart::durchgang, false, {100, 200, 200, 300, 400}, false};
    EXPECT_EQ(naechsteSpitze(stufe, 1, true), std::nullopt);
}

TEST(Messmarken, AblesungenMitDeltaUndPegeln) {
    Spureinstellungen e;
    e.marken[0] = {.an = true, .frequenz = 1200};
    e.marken[1] = {.an = true, .frequenz = 1040, .bezug = 1};  // delta to 1
    e.marken[2] = {.an = true, .frequenz = 1400, .bezug = 4};  // delta to an off marker
    e.marken[3] = {.frequenz = 1300};
    e.marken[4] = {.an = true, .frequenz = 5000};  // outside
    const auto a = markenAblesen(filter(), e);
    EXPECT_EQ(a[0].punkt, 3);
    EXPECT_FALSE(a[0].delta);
    EXPECT_EQ(a[0].frequenz, 1200);
    EXPECT_DOUBLE_EQ(a[0].pegel, 0);
    ASSERT_TRUE(a[1].delta);
    EXPECT_EQ(a[1].delta->first, -200);
    EXPECT_EQ(a[1].delta->second, -20);
    EXPECT_EQ(a[2].delta, std::nullopt);
    EXPECT_FALSE(a[3].punkt);
    EXPECT_TRUE(a[4].an);
    EXPECT_FALSE(a[4].punkt);
    EXPECT_FALSE(markenAblesen(std::nullopt, e)[0].punkt);
    // -31.6 dB against -25 dB: a difference of levels would read -6.600000000000001.
    const Kurvenbild zwei{1040, 160, Messart::durchgang, false, {242, 275}, false};
    EXPECT_EQ(markenAblesen(zwei, e)[1].delta->second, -6.6);

    // Levels as the read-outs give them: 5 readings a dB, the spectrum's top +10 dB, lin the ratio.
    EXPECT_DOUBLE_EQ(pegelBei(Kurvenbild{0, 1, Messart::durchgang, false, {401}, false}, 1), 0.2);
    EXPECT_DOUBLE_EQ(pegelBei(Kurvenbild{0, 1, Messart::spektrum, false, {400}, false}, 1), 10);
    EXPECT_DOUBLE_EQ(pegelBei(Kurvenbild{0, 1, Messart::durchgang, true, {1023}, false}, 1), 1023 / 400.0);
}

TEST(Messmarken, KombiniererWieCombine) {
    const std::vector<std::vector<std::int32_t>> paesse{{1, 10}, {2, 20}, {3, 25}};
    const struct {
        Kombination regel;
        std::size_t fenster;
        std::vector<std::int32_t> ergebnis;
    } faelle[] = {
        {Kombination::letzte, 0, {3, 25}},      {Kombination::max, 0, {3, 25}}, {Kombination::min, 0, {1, 10}},
        {Kombination::mittel, 0, {2, 18}},      // 55 / 3 = 18.3
        {Kombination::mittel, 2, {2, 22}},      // the last two: 2.5 to even, 22.5 to even
    };
    for (const auto& f : faelle) {
        Kombinierer k(f.regel, f.fenster);
        EXPECT_TRUE(k.ergebnis().empty());
        for (const auto& p : paesse) k.dazu(p);
        EXPECT_EQ(k.ergebnis(), f.ergebnis) << static_cast<int>(f.regel) << ' ' << f.fenster;
    }
    Kombinierer neu(Kombination::max);
    neu.dazu(std::vector<std::int32_t>{9, 9});
    neu.dazu(std::vector<std::int32_t>{1, 2, 3});  // another grid starts afresh
    EXPECT_EQ(neu.ergebnis(), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST(Messmarken, GitterDerReferenz) {
    const Kurvenbild k{1000, 100, Messart::durchgang, false, {1, 2}, false};
    const struct {
        const char* name;
        Kurvenbild referenz;
        bool passt;
    } faelle[] = {
        {"gleich", k, true},
        {"anderer Start", {1100, 100, Messart::durchgang, false, {1, 2}, false}, false},
        {"anderer Schritt", {1000, 50, Messart::durchgang, false, {1, 2}, false}, false},
        {"andere Punkte", {1000, 100, Messart::durchgang, false, {1, 2, 3}, false}, false},
        {"anderer Detektor", {1000, 100, Messart::durchgang, true, {1, 2}, false}, false},
    };
    for (const auto& f : faelle) EXPECT_EQ(gitterEinwand(k, f.referenz).empty(), f.passt) << f.name;
    // One point has no step to differ in.
    EXPECT_EQ(gitterEinwand({5, 1, Messart::durchgang, false, {1}, false}, {5, 7, Messart::durchgang, false, {9}, false}), "");
}

// A pass of readings on the settings as they stand.
void durchlauf(Geraet& g, std::vector<std::int32_t> werte, bool synthetisch = false) {
    Kurvenbild k = kurvenbild(g.st);
    k.werte = std::move(werte);
    k.synthetisch = synthetisch;
    spurenNachDurchlauf(g, k);
}

void bereich(Geraet& g, std::int32_t start, std::int32_t schritt, std::int32_t punkte) {
    auto& st = zustand(g);
    st.startfrequenz = start;
    st.schrittweite = schritt;
    st.messpunkte = punkte;
}

TEST(Messmarken, AnkerBleibtBeiStartSchrittUndPunkten) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    ASSERT_TRUE(api::markeSetzen(g, 1, {.an = true, .frequenz = 1234567}));
    const struct {
        std::int32_t start, schritt, punkte;
        std::optional<std::int64_t> gelesen;
    } faelle[] = {
        {1000000, 10000, 300, 1230000}, {1200000, 5000, 100, 1235000}, {1234567, 1, 10, 1234567},
        {1300000, 1000, 10, {}},        {1000000, 1000, 200, {}},      {1234000, 0, 10, {}},
    };
    for (const auto& f : faelle) {
        bereich(g, f.start, f.schritt, f.punkte);
        durchlauf(g, std::vector<std::int32_t>(static_cast<std::size_t>(f.punkte), 200));
        const auto a = api::spurAnsicht(g);
        EXPECT_EQ(a.e.marken[0].frequenz, 1234567);
        const auto& ab = a.ablesungen[0];
        ASSERT_EQ(ab.punkt.has_value(), f.gelesen.has_value()) << f.start;
        if (ab.punkt) {
            EXPECT_EQ(ab.frequenz, *f.gelesen);
        }
    }
    // A curve of other settings is no curve to read.
    bereich(g, 1000000, 10000, 300);
    EXPECT_FALSE(api::spurAnsicht(g).kurve);
}

TEST(Messmarken, SucheVerfolgungUndEinwaende) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    bereich(g, 1000, 100, 7);
    EXPECT_EQ(api::markeSuchen(g, 1, Suche::maximum).grund, api::Grund::keineDaten);
    durchlauf(g, filter().werte);
    ASSERT_TRUE(api::markeSuchen(g, 1, Suche::maximum));
    ASSERT_TRUE(api::markeSuchen(g, 2, Suche::maximum));
    auto m = api::spurAnsicht(g).e.marken[0];
    EXPECT_EQ(m.frequenz, 1200);
    m.verfolgen = true;
    ASSERT_TRUE(api::markeSetzen(g, 1, m));
    durchlauf(g, {300, 320, 340, 360, 380, 400, 300});
    const auto a = api::spurAnsicht(g);
    EXPECT_EQ(a.e.marken[0].frequenz, 1500);  // follows the peak
    EXPECT_EQ(a.e.marken[1].frequenz, 1200);  // stays put

    // The next peak switches a marker on.
    ASSERT_TRUE(api::markeSetzen(g, 4, {.frequenz = 1000}));
    ASSERT_TRUE(api::markeSpitzeSuchen(g, 4, true));
    EXPECT_EQ(api::spurAnsicht(g).e.marken[3], (Messmarke{.an = true, .frequenz = 1500}));

    // One change to a marker as it stands: the rest stays, a refusal changes nothing.
    ASSERT_TRUE(api::markeAendern(g, 1, [](Messmarke& m) { m.bandDb = 6.0; }));
    EXPECT_EQ(api::spurAnsicht(g).e.marken[0].frequenz, 1500);
    EXPECT_EQ(api::markeAendern(g, 1, [](Messmarke& m) { m.bezug = 1; }).grund, api::Grund::ausserhalb);
    EXPECT_EQ(api::spurAnsicht(g).e.marken[0].bezug, 0);
    EXPECT_EQ(api::spurAnsicht(g).e.marken[0].bandDb, 6.0);

    // The keys: one point, clamped at the ends; an outside marker lands on the nearest end.
    ASSERT_TRUE(api::markeSchieben(g, 2, -10));
    EXPECT_EQ(api::spurAnsicht(g).e.marken[1].frequenz, 1000);
    ASSERT_TRUE(api::markeSetzen(g, 3, {.an = true, .frequenz = 9000}));
    ASSERT_TRUE(api::markeSchieben(g, 3, -1));
    EXPECT_EQ(api::spurAnsicht(g).e.marken[2].frequenz, 1600);

    const struct {
        int n;
        Messmarke m;
    } falsch[] = {{0, {}}, {9, {}}, {1, {.an = true, .bezug = 1}}, {1, {.an = true, .bezug = 9}},
                  {1, {.an = true, .bandDb = 0.0}}, {1, {.an = true, .bereich = std::pair{5, 4}}}};
    for (const auto& f : falsch) EXPECT_EQ(api::markeSetzen(g, f.n, f.m).grund, api::Grund::ausserhalb) << f.n;
    EXPECT_EQ(api::haltenSetzen(g, Halten::mittel, 0).grund, api::Grund::ausserhalb);
    EXPECT_EQ(api::haltenSetzen(g, Halten::mittel, 101).grund, api::Grund::ausserhalb);
    EXPECT_TRUE(api::haltenSetzen(g, Halten::mittel, 1));
    EXPECT_TRUE(api::haltenSetzen(g, Halten::mittel, 100));
}

TEST(Messmarken, HaltenReferenzUndDifferenz) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    bereich(g, 1000, 100, 3);
    EXPECT_EQ(api::referenzUebernehmen(g).grund, api::Grund::keineDaten);
    EXPECT_EQ(api::differenzZeigen(g, true).grund, api::Grund::unpassend);
    ASSERT_TRUE(api::haltenSetzen(g, Halten::max, 4));
    durchlauf(g, {10, 50, 30});
    durchlauf(g, {20, 40, 30}, true);
    auto a = api::spurAnsicht(g);
    ASSERT_TRUE(a.gehalten);
    EXPECT_EQ(a.gehalten->werte, (std::vector<std::int32_t>{20, 50, 30}));
    EXPECT_TRUE(a.gehalten->synthetisch);
    // The markers read the hold; the readings stay the pass's.
    ASSERT_TRUE(api::markeSuchen(g, 1, Suche::maximum));
    EXPECT_EQ(api::spurAnsicht(g).ablesungen[0].frequenz, 1100);
    // A fresh diagram (any change of settings) starts it afresh.
    api::diagrammNeu(g);
    EXPECT_FALSE(api::spurAnsicht(g).gehalten);

    {
        std::lock_guard sperre(g.durchlaufSperre);
        g.letzterDurchlauf = Kurvenbild{1000, 100, Messart::durchgang, false, {15, 45, 35}, false};
    }
    ASSERT_TRUE(api::referenzUebernehmen(g));
    ASSERT_TRUE(api::differenzZeigen(g, true));
    durchlauf(g, {20, 40, 30}, true);
    // A synthesised pass makes a synthesised difference.
    EXPECT_TRUE(api::spurAnsicht(g).differenz->synthetisch);
    durchlauf(g, {20, 40, 30});
    api::haltenSetzen(g, Halten::aus, 4);
    a = api::spurAnsicht(g);
    ASSERT_TRUE(a.differenz);
    EXPECT_EQ(a.differenz->werte, (std::vector<std::int32_t>{5, -5, -5}));
    EXPECT_DOUBLE_EQ(differenzPegel(-5, false), -1.0);
    // Another grid: the view says why instead of matching wrong points.
    bereich(g, 1000, 200, 3);
    a = api::spurAnsicht(g);
    EXPECT_FALSE(a.differenz);
    EXPECT_NE(a.differenzEinwand.find("other frequencies"), std::string::npos);
    EXPECT_EQ(api::differenzZeigen(g, true).grund, api::Grund::unpassend);
    bereich(g, 1000, 100, 3);
    zustand(g).messart = Messart::reflexion;
    EXPECT_EQ(api::differenzZeigen(g, true).text, "the reference was measured in another kind of measurement");
    api::referenzVerwerfen(g);
    EXPECT_FALSE(api::spurAnsicht(g).e.differenz);
}

TEST(Messmarken, DateiHinUndZurueck) {
    Spureinstellungen e;
    e.marken[0] = {.an = true, .frequenz = 10000000, .suche = Suche::maximum, .verfolgen = true,
                   .bereich = std::pair{9000000, 11000000}, .bandDb = 3.5};
    e.marken[6] = {.frequenz = -5, .suche = Suche::minimum, .bezug = 2};
    e.aktiv = 7;
    e.halten = Halten::mittel;
    e.mittelAnzahl = 12;
    e.differenz = true;
    const std::string text = markendateiText(e);
    EXPECT_EQ(text.substr(0, text.find('\r')), "qzl7 markers 1");
    EXPECT_EQ(markendateiLesen(text).einstellungen, e);
    // The shortest marker line: number, state, frequency.
    EXPECT_EQ(markendateiLesen("qzl7 markers 1\r\nmarker 2 on 7\r\n").einstellungen->marken[1],
              (Messmarke{.an = true, .frequenz = 7}));

    const struct {
        const char* daten;
        const char* fehler;
    } falsch[] = {
        {"qzl7.cfg\r\n", "line 1"},
        {"qzl7 markers 1\r\nmarker 9 on 5\r\n", "line 2"},
        {"qzl7 markers 1\r\n# note\r\nmarker 1 on 5 search peak\r\n", "line 3"},
        {"qzl7 markers 1\r\nmarker 1 on 5 range 1\r\n", "line 2"},
        {"qzl7 markers 1\r\nmarker 1 on 5 delta x\r\n", "line 2"},
        {"qzl7 markers 1\r\nhold sometimes\r\n", "line 2"},
        {"qzl7 markers 1\r\nmath diff extra\r\n", "line 2"},
    };
    for (const auto& f : falsch) {
        const auto m = markendateiLesen(f.daten);
        EXPECT_FALSE(m.einstellungen) << f.daten;
        EXPECT_TRUE(m.fehler.starts_with(f.fehler)) << m.fehler;
    }

    // Values the rules refuse are refused as a whole, with nothing changed.
    auto u = test::neueUmgebung();
    EXPECT_EQ(api::markenUebernehmen(u->p.geraet, "qzl7 markers 1\r\nmarker 1 on 5 delta 1\r\nhold max 3\r\n").grund,
              api::Grund::falscheDatei);
    EXPECT_EQ(api::spurAnsicht(u->p.geraet).e, Spureinstellungen{});
    Spureinstellungen keinMittel;
    keinMittel.mittelAnzahl = 0;
    EXPECT_EQ(api::spurEinstellungenSetzen(u->p.geraet, keinMittel).text, "the mean is taken over 1 to 100 passes");
}

TEST(Messmarken, SchichtMitZweiMarkenUndReferenz) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    bereich(g, 1000, 100, 7);
    api::diagrammNeu(g);
    const AnzeigeBitmap ohne = api::anzeigeBild(g);
    durchlauf(g, filter().werte);
    // Nothing on: the picture is the same as ever.
    api::anzeigeAuffrischen(g);
    EXPECT_FALSE(g.spurRasterAn);
    EXPECT_EQ(api::anzeigeBild(g).indizes, ohne.indizes);

    {
        std::lock_guard sperre(g.durchlaufSperre);
        g.letzterDurchlauf = Kurvenbild{1000, 100, Messart::durchgang, false, {110, 110, 110, 110, 110, 110, 110}, false};
    }
    ASSERT_TRUE(api::referenzUebernehmen(g));
    ASSERT_TRUE(api::markeSetzen(g, 1, {.an = true, .frequenz = 1200}));
    ASSERT_TRUE(api::markeSetzen(g, 2, {.an = true, .frequenz = 1500}));
    ASSERT_TRUE(api::markeSetzen(g, 3, {.an = true, .frequenz = 1400}));
    api::anzeigeAuffrischen(g);
    ASSERT_TRUE(g.spurRasterAn);
    const AnzeigeBitmap& bild = g.st.anzeigeBitmap;
    const int xU = g.st.xUrsprung, yB = g.st.yBasis;
    // Point k at column origin + 2k + 1; the reference at reading 110.
    EXPECT_EQ(bild.index(xU + 3, yB - 110), referenzFarbe);
    EXPECT_EQ(bild.index(xU + 13, yB - 110), referenzFarbe);
    // Marker 1 on point 3 (reading 400), marker 2 on point 6 (350): the arrow's tip.
    EXPECT_EQ(bild.index(xU + 7, yB - 400 - 1), messmarkenFarbe);
    EXPECT_EQ(bild.index(xU + 13, yB - 350 - 1), messmarkenFarbe);
    EXPECT_EQ(bild.index(xU + 3, yB - 400 - 1), 255);
    // The tip has the cursor arrow's shape: column x - l from its own height up to 9 rows above.
    // Marker 3 on point 5 (reading 380, off the grid's lines).
    const int xm = xU + 11, ym = yB - 380;
    EXPECT_EQ(bild.index(xm, ym), 255);
    const int hoehe[5] = {1, 2, 4, 6, 8};
    for (int l = 0; l < 5; ++l) {
        EXPECT_EQ(bild.index(xm - l, ym - hoehe[l]), messmarkenFarbe) << l;
        EXPECT_EQ(bild.index(xm - l, ym - 9), messmarkenFarbe) << l;
        EXPECT_NE(bild.index(xm - l, ym - hoehe[l] + 1), messmarkenFarbe) << l;
    }
    // What a picture file gets is what the window shows.
    EXPECT_EQ(api::anzeigeBild(g).indizes, bild.indizes);
    // The difference: its 0 dB line half way up, over the whole sweep, and the curve around it.
    ASSERT_TRUE(api::differenzZeigen(g, true));
    api::anzeigeAuffrischen(g);
    EXPECT_EQ(bild.index(xU + 3 + 2 * 6, yB - differenzNull), differenzFarbe);
    EXPECT_EQ(bild.index(xU + 3 + 2 * 6 + 2, yB - differenzNull), 255);
    // Point 1: 300 - 110 above the line.
    EXPECT_EQ(bild.index(xU + 3, yB - differenzNull - 190), differenzFarbe);
    // Switched off, the layer goes and the picture is the old one again.
    api::referenzVerwerfen(g);
    api::markeSetzen(g, 1, {});
    api::markeSetzen(g, 2, {});
    api::markeSetzen(g, 3, {});
    api::anzeigeAuffrischen(g);
    EXPECT_FALSE(g.spurRasterAn);
    EXPECT_EQ(bild.indizes, api::anzeigeBild(g).indizes);
}

}  // namespace
}  // namespace qzl
