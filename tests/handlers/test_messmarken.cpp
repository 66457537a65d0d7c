// The markers and traces in the window: the menus' entries and what they
// show, the markers' file beside a configuration, the keys and the mouse.
#include <gtest/gtest.h>

#include "engine/api.h"
#include "engine/zustand.h"
#include "handlers/druckseite.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/markenbedienung.h"
#include "handlers/messmarken.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

void pass(Programm& p, std::vector<std::int32_t> werte) {
    Kurvenbild k = kurvenbild(p.geraet.st);
    k.werte = std::move(werte);
    spurenNachDurchlauf(p.geraet, k);
    std::lock_guard sperre(p.geraet.durchlaufSperre);
    p.geraet.letzterDurchlauf = k;
}

TEST(MessmarkenFenster, MenueEintraegeZeigenWasSieTaten) {
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& f = u->fenster;
    auto& st = zustand(p.geraet);
    st.startfrequenz = 1000;
    st.schrittweite = 100;
    st.messpunkte = 3;
    // Nothing on: the window is not touched.
    spurenZeigen(p);
    EXPECT_TRUE(f.texte.empty());
    EXPECT_TRUE(f.haken.empty());

    Referenzuebernehmen1Click(p);
    Differenzanzeigen1Click(p);
    ASSERT_EQ(f.meldungen.size(), 2u);
    EXPECT_EQ(f.meldungen[1], "Es gibt keine Referenz: bitte erst eine übernehmen oder laden.");
    pass(p, {10, 20, 30});
    Referenzuebernehmen1Click(p);
    Differenzanzeigen1Click(p);
    EXPECT_EQ(f.meldungen.size(), 2u);
    EXPECT_EQ(f.texte[Element::LabelDifferenz], "Differenz zur Referenz");
    EXPECT_TRUE(f.abgehakt(Element::Differenzanzeigen1));

    haltenWaehlen(p, Halten::max);
    EXPECT_TRUE(f.abgehakt(Element::HaltenMaximum1));
    f.eingabeAntworten = {"0", "101", "100", "12"};
    for (int i = 0; i < 2; ++i) {
        HaltenMittelwert1Click(p);
        EXPECT_EQ(f.meldungen.back(), "Bitte eine Anzahl von 1 bis 100 eingeben.");
    }
    HaltenMittelwert1Click(p);
    EXPECT_EQ(api::spurAnsicht(p.geraet).e.mittelAnzahl, 100);
    HaltenMittelwert1Click(p);
    EXPECT_FALSE(f.abgehakt(Element::HaltenMaximum1));
    EXPECT_TRUE(f.abgehakt(Element::HaltenMittelwert1));
    EXPECT_EQ(api::spurAnsicht(p.geraet).e.mittelAnzahl, 12);

    Referenzverwerfen1Click(p);
    EXPECT_EQ(f.texte[Element::LabelDifferenz], "");
    EXPECT_FALSE(f.abgehakt(Element::Differenzanzeigen1));
    Messmarken1Click(p);
    EXPECT_EQ(f.protokoll.back(), "messmarken");
}

TEST(MessmarkenFenster, DateiNebenDerKonfiguration) {
    EXPECT_EQ(markendateiPfad("/a/qzl7.cfg"), "/a/qzl7.mrk");
    EXPECT_EQ(markendateiPfad("/a.b/qzl7"), "/a.b/qzl7.mrk");
    EXPECT_EQ(markendateiPfad("x.y.cfg"), "x.y.mrk");

    test::TempOrdner ordner;
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& f = u->fenster;
    // Saved without markers ever used: no new file beside the configuration.
    f.dialogAntworten = {ordner.datei("a.cfg")};
    Speichern1Click(p);
    EXPECT_FALSE(dateiLesen(ordner.datei("a.mrk")));

    ASSERT_TRUE(api::markeSetzen(p.geraet, 2, {.an = true, .frequenz = 7100000}));
    ASSERT_TRUE(api::haltenSetzen(p.geraet, Halten::min, 4));
    f.dialogAntworten = {ordner.datei("a.cfg")};
    Speichern1Click(p);
    ASSERT_TRUE(dateiLesen(ordner.datei("a.mrk")));

    auto v = test::neueUmgebung();
    v->fenster.dialogAntworten = {ordner.datei("a.cfg")};
    ffnen1Click(v->p);
    const auto e = api::spurAnsicht(v->p.geraet).e;
    EXPECT_EQ(e.marken[1], (Messmarke{.an = true, .frequenz = 7100000}));
    EXPECT_EQ(e.halten, Halten::min);
    EXPECT_TRUE(v->fenster.abgehakt(Element::HaltenMinimum1));

    ordner.schreiben("a.mrk", "qzl7 markers 1\r\nmarker 1 on x\r\n");
    v->fenster.dialogAntworten = {ordner.datei("a.cfg")};
    ffnen1Click(v->p);
    EXPECT_EQ(v->fenster.meldungen.back(), "Keine QZL7-Messmarkendatei: " + ordner.datei("a.mrk"));
    EXPECT_EQ(api::spurAnsicht(v->p.geraet).e.marken[1].frequenz, 7100000);
}

TEST(MessmarkenFenster, TastenUndMausNurMitAktiverMarke) {
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& st = zustand(p.geraet);
    st.startfrequenz = 1000;
    st.schrittweite = 100;
    st.messpunkte = 30;
    pass(p, std::vector<std::int32_t>(30, 200));
    auto b = markenBedienung(p);
    {
        auto leer = test::neueUmgebung();
        EXPECT_EQ(markenBedienung(leer->p)->spitze(1, true),
                  "Es gibt noch keine Messkurve zu den Einstellungen: bitte erst einen Durchlauf messen.");
    }
    EXPECT_FALSE(b->taste(1));
    EXPECT_FALSE(b->klick(st.xUrsprung + 2 * 5 + 1));
    ASSERT_EQ(b->aendern(1, {.an = true, .frequenz = 1000}), "");
    EXPECT_TRUE(b->taste(10));
    EXPECT_EQ(api::spurAnsicht(p.geraet).e.marken[0].frequenz, 2000);
    // Point k is drawn at origin + 2k + 1; a click between two takes the nearer.
    const struct {
        int spalte;
        std::int64_t frequenz;
    } klicks[] = {{st.xUrsprung + 11, 1400}, {st.xUrsprung + 12, 1400}, {st.xUrsprung + 14, 1500},
                  {st.xUrsprung - 50, 1000}, {st.xUrsprung + 600, 3900}};
    for (const auto& k : klicks) {
        EXPECT_TRUE(b->klick(k.spalte));
        EXPECT_EQ(api::spurAnsicht(p.geraet).e.marken[0].frequenz, k.frequenz) << k.spalte;
    }
    const MarkenTafel t = b->tafel();
    EXPECT_EQ(t.zeilen[0].art, "Normal");
    EXPECT_EQ(t.zeilen[0].frequenz, "3.900 Hz");
    EXPECT_EQ(t.zeilen[0].pegel, "-40.0 dB");
    EXPECT_EQ(t.zeilen[1].art, "aus");
    EXPECT_EQ(b->spitze(1, true), "Keine Spitze von 3 dB rechts der Messmarke.");
}

}  // namespace
}  // namespace qzl

namespace qzl {
namespace {

TEST(Grenzwerte, UrteilImFensterUndAufDerSeite) {
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& f = u->fenster;
    auto& st = zustand(p.geraet);
    st.startfrequenz = 11000000;
    st.schrittweite = 100000;
    st.messpunkte = 3;
    test::TempOrdner ordner;
    ordner.schreiben("maske.lim", "above 11.1M 11.2M -3\n");
    ordner.schreiben("weit.lim", "above 20M 21M -3\n");
    ordner.schreiben("kaputt.lim", "oben 11M 12M -3\n");
    Grenzwertepruefen1Click(p);
    EXPECT_EQ(f.meldungen.back(), "Es sind keine Grenzwerte geladen.");
    f.dialogAntworten = {std::nullopt, ordner.datei("kaputt.lim"), ordner.datei("weit.lim"), ordner.datei("maske.lim")};
    Grenzwerteladen1Click(p);  // cancelled
    Grenzwerteladen1Click(p);
    EXPECT_EQ(f.meldungen.back(), "Keine Grenzwertdatei: " + ordner.datei("kaputt.lim") +
                                      ", line 1: not \"above START STOP LEVEL\" or \"below START STOP LEVEL\"");
    pass(p, {400, 400, 300});
    Grenzwerteladen1Click(p);
    EXPECT_NE(f.meldungen.back().find("Die Grenzwerte passen nicht zum Sweep: "), std::string::npos);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "KEIN URTEIL");
    Grenzwerteladen1Click(p);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "FEHLER bei 11.200.000 Hz");
    EXPECT_TRUE(f.abgehakt(Element::Grenzwertepruefen1));
    f.druckAntworten = {4800};
    Diagrammdrucken1Click(p);
    ASSERT_EQ(f.seiten.size(), 1u);
    EXPECT_EQ(f.seiten[0].zeilen.back().text, "Grenzwerte:        FEHLER bei 11.200.000 Hz");
    EXPECT_EQ(f.seiten[0].zeilen.back().y, 4872 + 96);

    Kurvenbild demo = kurvenbild(st);
    demo.werte = {400, 400, 400};
    demo.synthetisch = true;
    spurenNachDurchlauf(p.geraet, demo);
    spurenZeigen(p);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "BESTANDEN (Demo)");
    Grenzwertepruefen1Click(p);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "");
    EXPECT_FALSE(f.abgehakt(Element::Grenzwertepruefen1));
    Grenzwertepruefen1Click(p);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "BESTANDEN (Demo)");
    Grenzwerteverwerfen1Click(p);
    EXPECT_EQ(f.texte[Element::LabelUrteil], "");
    EXPECT_FALSE(f.abgehakt(Element::Grenzwertepruefen1));
    f.druckAntworten = {4800};
    Diagrammdrucken1Click(p);
    ASSERT_EQ(f.seiten.size(), 2u);
    EXPECT_EQ(f.seiten.back().zeilen.size(), 8u);
}

}  // namespace
}  // namespace qzl
