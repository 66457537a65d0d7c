#include <gtest/gtest.h>

#include <vector>

#include "evaluation/auswertung.h"
#include "handlers/ablesung.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;
using E = Element;

std::unique_ptr<test::Umgebung> mitKurve(const std::vector<int>& werte, std::int32_t start, std::int32_t schritt,
                                         bool lin = false, Messart messart = Messart::durchgang) {
    auto u = neueUmgebung();
    u->st.messpunkte = static_cast<int>(werte.size());
    for (std::size_t i = 0; i < werte.size(); ++i) u->st.messwerte[i + 1] = werte[i];
    u->st.startfrequenz = start;
    u->st.schrittweite = schritt;
    u->st.linModus = lin;
    u->st.messart = messart;
    u->st.dezimalzeichen = ',';
    u->st.cursorIndex = 2;
    return u;
}

TEST(Auswertung, ExtremeUndBandbreite) {
    const std::vector<int> glocke = {300, 320, 360, 390, 400, 390, 370, 300, 300};
    const struct {
        std::vector<int> werte;
        std::int32_t start, schritt;
        bool lin;
        int messart;
        const char *maximum, *minimum, *cursor, *unten, *oben, *breite;
    } faelle[] = {
        {{10, 50, 50, 20}, 1000, 10, false, 2, "1.010 Hz -70 dB", "1.000 Hz -78 dB", "1.020 Hz -70 dB", "", "", ""},
        {glocke, 10000000, 10000, false, 1, "10.040.000 Hz 0 dB", "10.000.000 Hz -20 dB", "10.020.000 Hz -16 dB",
         "10.020.000 Hz", "10.060.000 Hz", "40.000 Hz (6 dB)"},
        {glocke, 10000000, 10000, true, 1, "10.040.000 Hz 1,000", "10.000.000 Hz 0,750", "10.020.000 Hz 0,800", "", "",
         ""},
        // lin, max 10: exactly 7 is an edge, 8 is not
        {{1, 1, 7, 10, 8, 6, 1}, 0, 10, true, 1, "30 Hz 0,025", "0 Hz 0,003", "20 Hz 0,003", "20 Hz", "50 Hz",
         "30 Hz (3 dB)"},
        {{1, 1, 8, 10, 8, 6, 1}, 0, 10, true, 1, "30 Hz 0,025", "0 Hz 0,003", "20 Hz 0,003", "10 Hz", "50 Hz",
         "40 Hz (3 dB)"},
        // the maximum at the first point, or an edge only at the last: no bandwidth
        {{400, 300, 300}, 0, 10, false, 1, "0 Hz 0 dB", "10 Hz -20 dB", "20 Hz -20 dB", "", "", ""},
        {{300, 400, 390, 380}, 0, 10, false, 1, "10 Hz 0 dB", "0 Hz -20 dB", "20 Hz 0 dB", "", "", ""},
        // both extremes at the last point
        {{300, 310, 400}, 0, 10, false, 2, "20 Hz 0 dB", "0 Hz -20 dB", "20 Hz -18 dB", "", "", ""},
        {{310, 320, 300}, 0, 10, false, 2, "10 Hz -16 dB", "20 Hz -20 dB", "20 Hz -16 dB", "", "", ""},
        // everything above 400 or never above 0
        {{500, 450}, 5, 1, false, 2, "5 Hz 20 dB", "5 Hz 0 dB", "7 Hz 10 dB", "", "", ""},
        {{0, -3, 0}, 5, 1, false, 2, "5 Hz -80 dB", "6 Hz -81 dB", "7 Hz -81 dB", "", "", ""},
        // log edges at or below max - 30 (6 dB): 370 is outside, 371 inside
        {{300, 370, 371, 380, 400, 375, 371, 300, 300}, 0, 10, false, 1, "40 Hz 0 dB", "0 Hz -20 dB", "20 Hz -6 dB",
         "10 Hz", "70 Hz", "60 Hz (6 dB)"},
        // the spectrum's scale runs to +10 dB at 400
        {{300, 400, 350}, 0, 10, false, 3, "10 Hz 10 dB", "0 Hz -10 dB", "20 Hz 10 dB", "", "", ""},
    };
    for (const auto& f : faelle) {
        auto u = mitKurve(f.werte, f.start, f.schritt, f.lin, static_cast<Messart>(f.messart));
        for (E e : {E::Label9, E::Label10, E::Label11}) u->fenster.texte[e] = "";
        maxminwert(u->p);
        SCOPED_TRACE(f.maximum);
        auto& w = u->fenster;
        EXPECT_EQ(w.text(E::Label7), f.maximum);
        EXPECT_EQ(w.text(E::Label8), f.minimum);
        EXPECT_EQ(w.text(E::Label14), f.cursor);
        EXPECT_EQ(w.text(E::Label9), f.unten);
        EXPECT_EQ(w.text(E::Label10), f.oben);
        EXPECT_EQ(w.text(E::Label11), f.breite);
    }
}

TEST(Auswertung, Pegeltexte) {
    const struct {
        std::int32_t wert;
        int messart;
        bool lin;
        char trenner;
        const char* text;
        double pegel;
    } faelle[] = {
        {400, 1, false, ',', "0 dB", 0.0},      {385, 1, false, ',', "-3 dB", -3.0},  {1, 1, false, '.', "-80 dB", -79.8},
        {402, 1, false, '.', "0 dB", 0.4},      {2432, 2, false, '.', "406 dB", 406.4}, {-3, 4, false, '.', "-81 dB", -80.6},
        {300, 1, true, ',', "0,750", 0.75},     {300, 3, true, '.', "0.750", 0.75},   {401, 1, true, ',', "1,000", 1.0025},
        {1, 1, true, '.', "0.003", 0.0025},     {25, 1, true, '.', "0.062", 0.0625}, {2432, 1, true, '.', "6.080", 6.08},
        {123456, 1, true, '.', "309.000", 308.64}, {-100, 1, true, ',', "-0,250", -0.25}, {39, 1, true, '.', "0.098", 0.0975},
        // log spectrum: 400 is +10 dB, without the "+"
        {400, 3, false, '.', "10 dB", 10.0},    {402, 3, false, '.', "10 dB", 10.4},  {348, 3, false, '.', "0 dB", -0.4},
        {1, 3, false, '.', "-70 dB", -69.8},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(pegelText(f.wert, static_cast<Messart>(f.messart), f.lin, f.trenner), f.text) << f.wert << f.lin << f.messart;
        EXPECT_NEAR(pegel(f.wert, static_cast<Messart>(f.messart), f.lin), f.pegel, 1e-12) << f.wert << f.lin << f.messart;
    }
}

TEST(Auswertung, CursorKnoepfe) {
    auto u = mitKurve({100, 200, 300, 400, 500}, 10000000, 10000);
    auto& st = u->st;
    st.cursorIndex = 1;
    Button12Click(u->p);
    EXPECT_EQ(st.cursorIndex, 1);
    st.cursorIndex = 5;
    Button13Click(u->p);
    EXPECT_EQ(st.cursorIndex, 5);
    EXPECT_EQ(u->fenster.text(E::Label12), "10.050.000 Hz");

    const struct {
        const char* antwort;
        std::int32_t index;
    } eingaben[] = {{"10025000", 2}, {"10035000", 4}, {"9950000", -5}, {"abc", 0}, {"10.035.000 Hz", 4}};
    for (const auto& e : eingaben) {
        u->fenster.eingabeAntworten = {e.antwort};
        Button14Click(u->p);
        EXPECT_EQ(st.cursorIndex, e.index) << e.antwort;
    }
    EXPECT_EQ(u->fenster.fragen[0].titel, "Frequenzmarke");
    EXPECT_EQ(u->fenster.fragen[0].frage, "Frequenz in Hz eingeben!");
    EXPECT_EQ(u->fenster.fragen[0].vorgabe, "10050000");
    EXPECT_EQ(u->fenster.fragen[2].vorgabe, "10040000");
    // off the curve: no reading is read for the cursor
    st.cursorIndex = -5;
    maxminwert(u->p);
    EXPECT_EQ(u->fenster.text(E::Label14), "");
    Button12Click(u->p);
    EXPECT_EQ(st.cursorIndex, 1);
    maxminwert(u->p);
    EXPECT_EQ(u->fenster.text(E::Label14), "10.010.000 Hz -60 dB");
    // a step of 0, or an index beyond 32 bits, leaves the cursor where it was
    st.schrittweite = 0;
    u->fenster.eingabeAntworten = {"10035000"};
    Button14Click(u->p);
    EXPECT_EQ(st.cursorIndex, 1);
    st.schrittweite = 1;
    st.startfrequenz = -2000000000;
    u->fenster.eingabeAntworten = {"2000000000"};
    Button14Click(u->p);
    EXPECT_EQ(st.cursorIndex, 1);
    EXPECT_EQ(u->fenster.text(E::Label12), "-1999.999.999 Hz");
}

TEST(Auswertung, MaxVerschiebtUndZeichnetUeberDieAlteKurve) {
    auto u = mitKurve({100, 250, 200, 50}, 0, 10);
    auto& st = u->st;
    st.kurvenRaster.at(100, 100) = 7;  // the old curve stays
    u->fenster.texte[E::Label7] = "bleibt";
    Button19Click(u->p);
    EXPECT_EQ(st.messwerte[1], 250);
    EXPECT_EQ(st.messwerte[2], 400);
    EXPECT_EQ(st.messwerte[3], 350);
    EXPECT_EQ(st.messwerte[4], 200);
    const auto& r = st.kurvenRaster;
    // points 1..3 at columns 31, 33, 35 (rows 410 - value); point 4 is not joined
    EXPECT_EQ(r.at(31, 160), 230);
    EXPECT_EQ(r.at(33, 10), 230);
    EXPECT_EQ(r.at(35, 60), 230);
    for (int y = 1; y <= 480; ++y) EXPECT_EQ(r.at(36, y), 255) << y;
    EXPECT_EQ(r.at(100, 100), 7);
    EXPECT_TRUE(u->fenster.timerLaeuft(E::Timer2));
    EXPECT_TRUE(u->fenster.timerLaeuft(E::Timer1));
    EXPECT_EQ(u->fenster.text(E::Label7), "bleibt");

    // the first point can be the highest
    auto erste = mitKurve({300, 100}, 0, 10);
    Button19Click(erste->p);
    EXPECT_EQ(erste->st.messwerte[1], 400);
    EXPECT_EQ(erste->st.messwerte[2], 200);
}

}  // namespace
}  // namespace qzl
