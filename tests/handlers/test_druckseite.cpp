// The printed page: its layout from the printable width, and the menu handler.
#include <gtest/gtest.h>

#include "handlers/druckseite.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Druckseite, LayoutNurAusDerBreite) {
    const struct {
        int w;
        DruckLayout l;
    } faelle[] = {
        {4800, {480, 480, 960, 4320, 3720, 4200, 96}},
        // halves to even: 247.5, 2227.5, 1670.625 + 248, 2165.625, 49.5
        {2475, {248, 248, 496, 2228, 1919, 2166, 50}},
        // 252.5, 2272.5, 1704.375 + 252, 2209.375, 50.5
        {2525, {252, 252, 504, 2272, 1956, 2209, 50}},
        {9583, {958, 958, 1916, 8625, 7427, 8385, 192}},
    };
    for (const auto& f : faelle) {
        const DruckLayout l = druckLayout(f.w);
        EXPECT_EQ(l.rand, f.l.rand) << f.w;
        EXPECT_EQ(l.bildLinks, f.l.bildLinks) << f.w;
        EXPECT_EQ(l.bildOben, f.l.bildOben) << f.w;
        EXPECT_EQ(l.bildRechts, f.l.bildRechts) << f.w;
        EXPECT_EQ(l.bildUnten, f.l.bildUnten) << f.w;
        EXPECT_EQ(l.y0, f.l.y0) << f.w;
        EXPECT_EQ(l.zeilenabstand, f.l.zeilenabstand) << f.w;
    }
}

TEST(Druckseite, HandlerDrucktUeberschriftBildUndAusgaben) {
    auto u = test::neueUmgebung();
    auto& f = u->fenster;
    f.texte[Element::Label5] = "Durchgangsmessung   07.12.2026  07:42:17";
    f.texte[Element::Label12] = "11.400.000 Hz";
    f.texte[Element::Label7] = "11.410.000 Hz -1 dB";
    f.texte[Element::Label8] = "10.000.000 Hz -61 dB";
    f.texte[Element::Label9] = "11.200.000 Hz";
    f.texte[Element::Label10] = "11.610.000 Hz";
    f.texte[Element::Label11] = "410.000 Hz (6 dB)";

    Diagrammdrucken1Click(u->p);  // cancelled
    EXPECT_TRUE(f.seiten.empty());

    f.druckAntworten = {4800};
    Diagrammdrucken1Click(u->p);
    ASSERT_EQ(f.seiten.size(), 1u);
    const DruckSeite& s = f.seiten[0];
    EXPECT_EQ(s.ueberschrift.x, 480);
    EXPECT_EQ(s.ueberschrift.y, 480);
    EXPECT_EQ(s.ueberschrift.text, f.texte[Element::Label5]);
    EXPECT_EQ(std::vector<int>({s.bildLinks, s.bildOben, s.bildRechts, s.bildUnten}),
              std::vector<int>({480, 960, 4320, 3720}));
    const std::pair<int, std::string> zeilen[] = {
        {4200, "Marker   :        11.400.000 Hz"},
        {4296, ""},
        {4392, "Maximum   :        11.410.000 Hz -1 dB"},
        {4488, "Minimum   :        10.000.000 Hz -61 dB"},
        {4584, ""},
        {4680, "Fmin      :        11.200.000 Hz"},
        {4776, "Fmax      :        11.610.000 Hz"},
        {4872, "Bandbreite:        410.000 Hz (6 dB)"},
    };
    ASSERT_EQ(s.zeilen.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(s.zeilen[i].x, 480) << i;
        EXPECT_EQ(s.zeilen[i].y, zeilen[i].first) << i;
        EXPECT_EQ(s.zeilen[i].text, zeilen[i].second) << i;
    }
    EXPECT_TRUE(f.fehlerMeldungen.empty());

    // Empty read-outs still print their prefixes; a failure shows the error box.
    for (Element e : {Element::Label7, Element::Label8, Element::Label9, Element::Label10, Element::Label11,
                      Element::Label12})
        f.texte[e] = "";
    f.druckAntworten = {2475};
    f.druckFehler = "Der Druckauftrag konnte nicht gestartet werden.";
    Diagrammdrucken1Click(u->p);
    ASSERT_EQ(f.seiten.size(), 2u);
    EXPECT_EQ(f.seiten[1].zeilen[7].text, "Bandbreite:        ");
    EXPECT_EQ(f.seiten[1].zeilen[7].y, 2166 + 7 * 50);
    EXPECT_EQ(f.fehlerMeldungen, std::vector<std::string>{"Der Druckauftrag konnte nicht gestartet werden."});
    const std::vector<std::string> ablauf = {"druckdialog", "druckdialog", "drucken", "druckdialog", "drucken",
                                             "fehler Der Druckauftrag konnte nicht gestartet werden."};
    EXPECT_EQ(f.protokoll, ablauf);
}

}  // namespace
}  // namespace qzl
