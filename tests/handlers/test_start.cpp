#include <gtest/gtest.h>

#include <algorithm>

#include "handlers/start.h"
#include "state/kurve.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;

TEST(Start, KontinuierlicherBildaufbauNurAlsErstesArgument) {
    using A = std::vector<std::string>;
    const std::pair<A, bool> faelle[] = {
        {A{}, false},           {A{"-c"}, true},        {A{"-C"}, true},          {A{"-c", "x"}, true},
        {A{"-cx"}, false},      {A{"x", "-c"}, false},  {A{"--com2=/x", "-c"}, false}, {A{"c"}, false},
        {A{" -c"}, false},      {A{"-"}, false},
    };
    for (const auto& [args, an] : faelle) EXPECT_EQ(kontinuierlichGewuenscht(args), an) << (args.empty() ? "" : args[0]);
}

TEST(Start, CursorMitteRundetZurGeradenZahl) {
    const std::pair<int, int> faelle[] = {{280, 140}, {5, 2}, {7, 4}, {1, 0}, {3, 2}, {9, 4}, {300, 150}, {2, 1}};
    for (auto [n, c] : faelle) EXPECT_EQ(cursorMitte(n), c) << n;
}

TEST(Start, Startwerte) {
    auto u = neueUmgebung();
    auto& st = u->st;
    // Run-time fields of a fresh state.
    EXPECT_EQ(st.messart, Messart::durchgang);
    for (bool flag : {st.linModus.load(), st.zfAktiv.load(), st.demoModus.load(), st.uebertragungsfehler.load(),
                      st.stopAnforderung.load(), st.sweepFertig.load(), st.contBildaufbau.load()})
        EXPECT_FALSE(flag);
    EXPECT_EQ(st.rohwert, 0);
    EXPECT_EQ(st.cursorIndex, 0);
    for (const auto& m : st.messwerte) EXPECT_EQ(m, 0);
    for (const auto& m : st.freqMarken) EXPECT_EQ(m, 0);
    for (const Raster* r : {&st.kurvenRaster, &st.gitterRaster})
        EXPECT_TRUE(std::all_of(r->px.begin(), r->px.end(), [](std::uint8_t b) { return b == 255; }));

    // The start values are set again over whatever the fields held.
    for (auto* f : {&st.startfrequenz, &st.schrittweite, &st.endfrequenz, &st.taktfrequenz, &st.eichfrequenz,
                    &st.zwischenfrequenz, &st.zfBerechnung, &st.comport, &st.baudrate, &st.messgenauigkeit,
                    &st.delay, &st.messpunkte, &st.hintergrundfarbe, &st.diagrammfarbe, &st.kurvenfarbe,
                    &st.markenfarbe, &st.cursorfarbe, &st.xUrsprung, &st.yBasis, &st.xMitte, &st.yMitte})
        *f = -7;
    for (auto* a : {&st.korrfaktor1, &st.korrfaktor2})
        for (auto& k : *a) k = -7;
    for (auto* a : {&st.linie, &st.linieText})
        for (auto& k : *a) k = -7;
    st.zfAktiv = true;
    st.linModus = true;
    st.versionText.clear();
    st.startwerteSetzen();
    const std::pair<const AtomInt*, int> werte[] = {
        {&st.startfrequenz, 10000000}, {&st.schrittweite, 10000}, {&st.endfrequenz, 35000000},
        {&st.taktfrequenz, 100000000}, {&st.eichfrequenz, 10000000}, {&st.zwischenfrequenz, 9000000},
        {&st.zfBerechnung, 0}, {&st.comport, 2}, {&st.baudrate, 9600}, {&st.messgenauigkeit, 8}, {&st.delay, 1},
        {&st.messpunkte, 280}, {&st.hintergrundfarbe, 255}, {&st.diagrammfarbe, 0}, {&st.kurvenfarbe, 230},
        {&st.markenfarbe, 150}, {&st.cursorfarbe, 24}, {&st.xUrsprung, 30}, {&st.yBasis, 410},
        {&st.xMitte, 320}, {&st.yMitte, 240}};
    for (std::size_t i = 0; i < std::size(werte); ++i) EXPECT_EQ(*werte[i].first, werte[i].second) << "field " << i;
    for (int s = 0; s < korrSlotAnzahl; ++s) {
        EXPECT_EQ(st.korrfaktor1[s], 50) << s;
        EXPECT_EQ(st.korrfaktor2[s], 250) << s;
    }
    for (int j = 1; j <= anzahlLinien; ++j) {
        EXPECT_EQ(st.linie[j], 0) << j;
        EXPECT_EQ(st.linieText[j], 10) << j;
    }
    EXPECT_FALSE(st.zfAktiv);
    EXPECT_FALSE(st.linModus);
    EXPECT_EQ(st.versionText, " V7.3 ");
}

TEST(Start, MitGeraet) {
    auto u = neueUmgebung();
    u->port.eingang = {1, 2, 3};  // stale bytes from before start
    u->antwortet({55});
    u->st.messart = Messart::spektrum;
    test::TempOrdner ordner;
    u->p.geraet.arbeitsordner = ordner.pfad;
    FormCreate(u->p, {"-C"});
    auto& f = u->fenster;
    EXPECT_TRUE(u->st.contBildaufbau);
    EXPECT_EQ(u->port.geoeffnetAls, 2);
    EXPECT_EQ(u->port.baud, 9600);
    EXPECT_EQ(u->st.rohwert, 55);
    EXPECT_FALSE(u->st.demoModus);
    EXPECT_EQ(u->st.messart, Messart::durchgang);
    EXPECT_EQ(u->st.cursorIndex, 140);
    EXPECT_TRUE(f.meldungen.empty());
    EXPECT_EQ(f.text(Element::Caption), "Quarzolin (MIRFO)  V7.3     COM 2");
    EXPECT_EQ(f.text(Element::Label1), "10.000.000 Hz");
    EXPECT_EQ(f.text(Element::Label2), "10.000 Hz");
    EXPECT_EQ(f.text(Element::Label12), "11.400.000 Hz");
    EXPECT_EQ(f.text(Element::Label5), "Durchgangsmessung   07.12.2026  07:42:17");
    EXPECT_EQ(u->st.messzeit, "07.12.2026  07:42:17");
    for (Element e : {Element::Label7, Element::Label8, Element::Label9, Element::Label10, Element::Label11,
                      Element::Label14}) {
        EXPECT_TRUE(f.texte.count(e)) << test::name(e);
        EXPECT_EQ(f.text(e), "");
    }
    EXPECT_FALSE(f.haken.at(Element::Zwischenfrequenz1));
    EXPECT_FALSE(f.haken.at(Element::AdditionvsSubtraktion1));
    EXPECT_TRUE(f.timerLaeuft(Element::Timer1));
    EXPECT_TRUE(f.timerLaeuft(Element::Timer2));
    // the one measurement tuned the generator to the start frequency
    const std::vector<std::uint8_t> erwartet = {0x9A, 0x99, 0x99, 0x19, 80};
    EXPECT_EQ(u->port.geschrieben, erwartet);
    // the diagram was drawn: readings reset
    EXPECT_EQ(u->st.messwerte[1], 1);
    EXPECT_EQ(u->st.messwerte[280], 1);
}

TEST(Start, OhneGeraetMeldungVorDemDiagramm) {
    auto u = neueUmgebung();
    u->port.oeffnenGelingt = false;
    test::TempOrdner ordner;
    u->p.geraet.arbeitsordner = ordner.pfad;
    FormCreate(u->p, {"-c", "--com2=/dev/does-not-exist"});
    auto& f = u->fenster;
    EXPECT_TRUE(u->st.contBildaufbau);
    EXPECT_EQ(f.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(f.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_TRUE(u->st.demoModus);
    EXPECT_EQ(u->st.messart, Messart::demo);
    const auto& log = f.protokoll;
    const auto meldung = std::find(log.begin(), log.end(), "meldung Datenübertragungsfehler");
    const auto timer = std::find(log.begin(), log.end(), "timer Timer2 1");
    ASSERT_NE(meldung, log.end());
    ASSERT_NE(timer, log.end());
    EXPECT_LT(meldung, timer);
    EXPECT_EQ(f.text(Element::Label5).rfind("Durchgangsmessung   ", 0), 0u);
}

TEST(Start, HilfsfunktionenUndBeenden) {
    auto u = neueUmgebung();
    u->fenster.textSetzen(Element::Label9, "x");
    clear_messwerte(u->p);
    std::vector<std::string> leer;
    for (const auto& z : u->fenster.protokoll)
        if (z.rfind("text ", 0) == 0) leer.push_back(z);
    EXPECT_EQ(leer, (std::vector<std::string>{"text Label9 x", "text Label7 ", "text Label8 ", "text Label9 ",
                                              "text Label10 ", "text Label11 ", "text Label14 "}));

    // Refresh first, then the one-shot that ends it.
    u->fenster.protokoll.clear();
    dm_diagramm(u->p);
    EXPECT_EQ(u->fenster.protokoll, (std::vector<std::string>{"timer Timer2 1", "timer Timer1 1"}));

    u->port.istOffen = true;
    Beenden1Click(u->p);
    EXPECT_FALSE(u->port.istOffen);
    EXPECT_TRUE(u->fenster.geschlossen);
}

}  // namespace
}  // namespace qzl
