// The export of a pass (a loaded series is held to qzl7-cli convert in
// tests/cli): what its files say of the sweep, the traces' columns,
// synthesised readings, and what is refused.
#include <gtest/gtest.h>

#include "ausgabe/png.h"
#include "engine/api.h"
#include "engine/zustand.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using api::Grund;

// A pass of readings from 1 MHz in steps of 100 kHz, as the sweep leaves it.
void durchlauf(Geraet& g, std::vector<std::int32_t> werte, bool synthetisch = false) {
    auto& st = zustand(g);
    st.startfrequenz = 1000000;
    st.schrittweite = 100000;
    st.messpunkte = static_cast<std::int32_t>(werte.size());
    for (std::size_t i = 0; i < werte.size(); ++i) st.messwerte[i + 1] = werte[i];
    Kurvenbild k = kurvenbild(st);
    k.werte = std::move(werte);
    k.synthetisch = synthetisch;
    spurenNachDurchlauf(g, k);
    std::lock_guard sperre(g.durchlaufSperre);
    g.letzterDurchlauf = k;
}

bool enthaelt(Geraet& g, const char* format, std::string_view teil) {
    return api::exportieren(g, format).daten.find(teil) != std::string::npos;
}

TEST(Export, DurchlaufWieSeinSweep) {
    auto u = test::neueUmgebung();
    test::TempOrdner o;
    Geraet& g = u->p.geraet;
    EXPECT_EQ(api::exportieren(g, "csv").ergebnis.grund, Grund::keineDaten);
    g.portName = [](std::int32_t com) { return "/dev/ttyUSB" + std::to_string(com); };
    ASSERT_TRUE(api::zfEinschalten(g, 455000, true));
    zustand(g).messgenauigkeit = 10;
    durchlauf(g, {300, 400, 350});
    EXPECT_EQ(api::exportieren(g, "jsonl").ergebnis.grund, Grund::unbekannt);
    // A pass under way has changed the readings, not the pass shown.
    zustand(g).messwerte[1] = 17;
    for (const auto& teil : {"\"port\": \"/dev/ttyUSB" + std::to_string(g.st.comport) + "\"",
                             std::string("\"bits\": 10"), std::string("\"if_hz\": 455000, \"if_mode\": \"add\""),
                             std::string("{\"frequency_hz\": 1000000, \"reading\": 300, \"level_db\": -20}")})
        EXPECT_TRUE(enthaelt(g, "json", teil)) << teil;
    zustand(g).messwerte[1] = 300;
    ASSERT_TRUE(api::messreiheSpeichern(g, o.datei("m.dat")));
    EXPECT_EQ(api::exportieren(g, "dat").daten, o.lesen("m.dat"));
    // Another start: the pass is no longer the diagram's; the VFO has no levels.
    zustand(g).startfrequenz = 2000000;
    EXPECT_EQ(api::exportieren(g, "csv").ergebnis.grund, Grund::keineDaten);
    zustand(g).messart = Messart::vfo;
    durchlauf(g, {300, 400, 350});
    EXPECT_EQ(api::exportieren(g, "csv").ergebnis.grund, Grund::unpassend);
}

TEST(Export, SpurenAlsSpaltenNurInTabellen) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    durchlauf(g, {400, 400, 400});
    ASSERT_TRUE(api::referenzUebernehmen(g));
    const std::string s2p = api::exportieren(g, "s2p").daten, dat = api::exportieren(g, "dat").daten;
    ASSERT_TRUE(api::haltenSetzen(g, Halten::max, 4));
    durchlauf(g, {390, 420, 380});
    durchlauf(g, {385, 410, 390});
    ASSERT_TRUE(api::differenzZeigen(g, true));
    // The difference is the held curve's, as the diagram draws it.
    EXPECT_EQ(api::exportieren(g, "csv").daten,
              "frequency_hz,reading,level_db,reference_level_db,hold_level_db,diff_level_db\n"
              "1000000,385,-3,0,-2,-2\n1100000,410,2,0,4,4\n1200000,390,-2,0,-2,-2\n");
    durchlauf(g, {400, 400, 400});
    EXPECT_EQ(api::exportieren(g, "s2p").daten, s2p);
    EXPECT_EQ(api::exportieren(g, "dat").daten, dat);
    // A reference at other frequencies is not drawn, and no column.
    ASSERT_TRUE(api::haltenSetzen(g, Halten::aus, 4));
    durchlauf(g, {400, 400, 400, 400});
    EXPECT_TRUE(api::exportieren(g, "tsv").daten.starts_with("frequency_hz\treading\tlevel_db\n1000000"));
}

TEST(Export, SynthetischeWerteSagenEs) {
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    durchlauf(g, {300, 400, 350}, true);
    EXPECT_TRUE(enthaelt(g, "csv", "# synthesised readings (demonstration), not measured by the instrument\nfrequency_hz,"));
    EXPECT_TRUE(enthaelt(g, "json", "\n  \"synthesised\": true,\n"));
    EXPECT_TRUE(enthaelt(g, "s2p", "\n! synthesised readings"));
    EXPECT_EQ(api::exportieren(g, "dat").ergebnis.grund, Grund::unpassend);
    EXPECT_NE(api::exportieren(g, "png").daten, pngKodieren(api::anzeigeBild(g)));
    const api::Ausfuhr abgelehnt = api::exportieren(g, "png", api::Synthese::ablehnen);
    EXPECT_EQ(abgelehnt.ergebnis.grund, Grund::unpassend);
    EXPECT_TRUE(abgelehnt.synthetisch);
    // A measured pass beside a synthesised reference: only the files with its column say so.
    ASSERT_TRUE(api::referenzUebernehmen(g));
    durchlauf(g, {300, 400, 350});
    EXPECT_TRUE(enthaelt(g, "tsv", "# synthesised"));
    EXPECT_FALSE(enthaelt(g, "s2p", "synthesised"));
    EXPECT_TRUE(api::exportieren(g, "dat").ergebnis);
}

}  // namespace
}  // namespace qzl
