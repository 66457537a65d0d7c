// "&Exportieren…" and Ctrl+C: the dialog's memory, which format a name asks
// for, the clipboard, and the refusals in the window's words.
#include <gtest/gtest.h>

#include "engine/api.h"
#include "engine/zustand.h"
#include "handlers/exportieren.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

void pass(Programm& p) {
    auto& st = zustand(p.geraet);
    st.startfrequenz = 1000;
    st.schrittweite = 100;
    st.messpunkte = 2;
    Kurvenbild k = kurvenbild(st);
    k.werte = {300, 400};
    spurenNachDurchlauf(p.geraet, k);
}

TEST(Exportieren, DialogMerktSichDasFormatUndDerNameEntscheidet) {
    auto u = test::neueUmgebung();
    test::TempOrdner o;
    auto& f = u->fenster;
    Exportieren1Click(u->p);
    Kopieren1Click(u->p);
    const std::string nichts = "Das Diagramm zeigt keine Messkurve: bitte erst einen Durchlauf messen oder eine "
                               "Messreihe laden.";
    EXPECT_EQ(f.meldungen, (std::vector<std::string>{nichts}));
    EXPECT_EQ(f.zwischenablage.first, "");
    pass(u->p);
    // Filter 1 is tsv: a name without an extension takes it, one that ends in
    // a format's extension that format; a folder that is not there fails.
    f.exportAntworten = {DateiWahl{o.datei("a"), 1}, DateiWahl{o.datei("b.JSON"), 0},
                         DateiWahl{o.datei("fehlt/c.csv"), 0}, DateiWahl{o.datei("d.s1p"), 0}};
    for (int k = 0; k < 4; ++k) Exportieren1Click(u->p);
    EXPECT_EQ(f.exportVorwahlen, (std::vector<std::size_t>{0, 0, 1, 2, 0}));
    EXPECT_EQ(o.lesen("a"), api::exportieren(u->p.geraet, "tsv").daten);
    EXPECT_EQ(o.lesen("b.JSON"), api::exportieren(u->p.geraet, "json").daten);
    EXPECT_EQ(f.fehlerMeldungen.size(), 1u);
    EXPECT_EQ(f.meldungen, (std::vector<std::string>{nichts, "s1p hält eine Reflexionsmessung (S11), das Diagramm "
                                                            "zeigt eine Durchgangsmessung: bitte s2p wählen."}));
    EXPECT_EQ(o.anzahl(), 2u);

    Kopieren1Click(u->p);
    EXPECT_EQ(f.zwischenablage.first, "frequency_hz\treading\tlevel_db\n1000\t300\t-20\n1100\t400\t0\n");
    EXPECT_EQ(f.zwischenablage.second, api::exportieren(u->p.geraet, "png").daten);
}

}  // namespace
}  // namespace qzl
