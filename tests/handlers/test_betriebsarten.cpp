#include <gtest/gtest.h>

#include <algorithm>

#include "handlers/dialogaufrufe.h"
#include "engine/geraet.h"
#include "handlers/betriebsarten.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;
using E = Element;

TEST(Betriebsarten, FreigabenJeArt) {
    const E linien[] = {E::Linie11, E::Linie21, E::Linie31, E::Linie41, E::Linie51, E::Linie61, E::Linie71};
    const struct {
        void (*handler)(Programm&);
        bool smith, zf, start, d2, r2, s2;
        Messart messart;
        const char* ueberschrift;
    } faelle[] = {
        {Button8Click, false, false, true, true, false, false, Messart::durchgang, "Durchgangsmessung   Kopf"},
        {Button9Click, true, false, true, false, true, false, Messart::reflexion, "Reflexionsmessung   Kopf"},
        {Button10Click, false, false, true, false, false, true, Messart::spektrum, "Spektralmessung   Kopf"},
        {Button15Click, false, true, false, false, false, false, Messart::vfo, "VFO   Kopf"},
    };
    for (const auto& f : faelle) {
        auto u = neueUmgebung();
        u->antwortet({100});
        u->st.messzeit = "Kopf";
        u->st.messwerte[7] = 333;
        // start from the opposite of every expected state
        for (E e : {E::Button18, E::ZFEingabe1, E::Zwischenfrequenz1, E::AdditionvsSubtraktion1, E::Button5,
                    E::Durchgangsmessung2, E::Reflexionsmessung2, E::Spektralmessung2, E::Linie41})
            u->fenster.aktivState[e] = !u->fenster.aktiv(e);
        u->st.zfAktiv = !f.zf;
        f.handler(u->p);
        SCOPED_TRACE(zahl(f.messart));
        auto& w = u->fenster;
        EXPECT_EQ(w.aktiv(E::Button18), f.smith);
        for (E e : {E::ZFEingabe1, E::Zwischenfrequenz1, E::AdditionvsSubtraktion1}) EXPECT_EQ(w.aktiv(e), f.zf);
        EXPECT_EQ(w.aktiv(E::Button5), f.start);
        EXPECT_EQ(w.aktiv(E::Durchgangsmessung2), f.d2);
        EXPECT_EQ(w.aktiv(E::Reflexionsmessung2), f.r2);
        EXPECT_EQ(w.aktiv(E::Spektralmessung2), f.s2);
        for (E e : linien) EXPECT_EQ(w.aktiv(e), f.r2);
        EXPECT_EQ(u->st.zfAktiv, f.zf);
        EXPECT_EQ(u->st.messart, f.messart);
        EXPECT_EQ(w.text(E::Label5), f.ueberschrift);
        EXPECT_EQ(u->st.messwerte[7], 1);  // redrawn
        for (const auto& zeile : w.protokoll) EXPECT_EQ(zeile.find("Taktgenerator1"), std::string::npos);
        // the VFO alone tunes, once, after the redraw
        EXPECT_EQ(u->port.geschrieben.size(), f.messart == Messart::vfo ? 5u : 0u);
    }
}

TEST(Betriebsarten, ReihenfolgeDerSchritte) {
    auto u = neueUmgebung();
    u->st.messzeit = "K";
    Button9Click(u->p);
    const std::vector<std::string> erwartet = {
        "aktivieren Button18 1", "aktivieren ZFEingabe1 0", "aktivieren Zwischenfrequenz1 0",
        "aktivieren AdditionvsSubtraktion1 0", "aktivieren Button5 1", "aktivieren Durchgangsmessung2 0",
        "aktivieren Reflexionsmessung2 1", "aktivieren Linie11 1", "aktivieren Linie21 1", "aktivieren Linie31 1",
        "aktivieren Linie41 1", "aktivieren Linie51 1", "aktivieren Linie61 1", "aktivieren Linie71 1",
        "aktivieren Spektralmessung2 0", "text Label5 Reflexionsmessung   K", "timer Timer2 1", "timer Timer1 1"};
    EXPECT_EQ(u->fenster.protokoll, erwartet);
}

TEST(Betriebsarten, VfoZeitueberschreitungLaesstFreigabenStehen) {
    auto u = neueUmgebung();
    u->port.istOffen = true;  // never answers
    Button15Click(u->p);
    // the dial's baseline ends 560 pixels right of the origin
    EXPECT_EQ(u->st.gitterRaster.at(590, 410), 0);
    EXPECT_EQ(u->st.gitterRaster.at(591, 410), 255);
    EXPECT_EQ(u->fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(u->st.messart, Messart::demo);
    EXPECT_TRUE(u->st.zfAktiv);
    EXPECT_FALSE(u->fenster.aktiv(E::Button5));
    EXPECT_TRUE(u->fenster.aktiv(E::ZFEingabe1));
}

// Time-out, a probe timing out again, a new heading; then "&Optionen" finds the instrument.
TEST(Betriebsarten, ArtKommtNachAusfallZurueck) {
    const std::vector<void (*)(Programm&)> wahlen[] = {
        {Button8Click}, {Button9Click}, {Button10Click}, {Button15Click}, {Button9Click, Button18Click}};
    for (const auto& wahl : wahlen) {
        auto u = neueUmgebung();
        u->antwortet({100});
        for (auto handler : wahl) handler(u->p);
        const std::int32_t art = zahl(u->st.messart);
        const auto freigaben = u->fenster.aktivState;
        const std::string kopf = u->fenster.text(E::Label5);
        u->port.beiBefehl = nullptr;
        einzelmessung(u->p.geraet, 1, u->st.startfrequenz);
        Bandbreite1Click(u->p);
        Button11Click(u->p);
        u->antwortet({100});
        Bandbreite1Click(u->p);
        EXPECT_EQ(zahl(u->st.messart), art);
        EXPECT_EQ(u->fenster.aktivState, freigaben) << art;
        EXPECT_EQ(u->fenster.text(E::Label5), kopf);
        EXPECT_EQ(u->st.zfAktiv, art == 5);
        EXPECT_EQ(u->st.gitterRaster.at(590, 410) == 0, art != 6);  // the VFO's baseline is drawn anew
    }
}

TEST(Betriebsarten, UeberschriftDetektorUndSmith) {
    auto u = neueUmgebung();
    auto& st = u->st;
    st.messzeit = "alt";
    st.messwerte[7] = 333;
    st.kurvenRaster.at(100, 100) = 230;
    u->fenster.eingabeAntworten = {"Test"};
    Button11Click(u->p);
    // a measurement named afterwards keeps its curve and readings
    EXPECT_EQ(st.messwerte[7], 333);
    EXPECT_EQ(st.kurvenRaster.at(100, 100), 230);
    EXPECT_EQ(st.messzeit, "Test");
    EXPECT_EQ(u->fenster.text(E::Label5), "Test");
    Button11Click(u->p);  // cancelled: the pre-filled text comes back
    EXPECT_EQ(u->fenster.fragen.back().titel, "Label");
    EXPECT_EQ(u->fenster.fragen.back().frage, "Diagrammüberschrift ändern");
    EXPECT_EQ(u->fenster.text(E::Label5), "Test");
    Button9Click(u->p);
    EXPECT_EQ(u->fenster.text(E::Label5), "Reflexionsmessung   Test");

    for (int i = 0; i < 2; ++i) Button18Click(u->p);
    EXPECT_EQ(u->fenster.meldungen.size(), 2u);
    EXPECT_EQ(u->fenster.meldungen[1], "Diese Funktion ist leider noch nicht verfügbar !");
    EXPECT_EQ(st.messart, Messart::smith);
    Button17Click(u->p);
    EXPECT_TRUE(st.linModus);
    EXPECT_EQ(st.messart, Messart::reflexion);
    st.messart = Messart::vfo;
    u->fenster.laufendeTimer.clear();
    Button16Click(u->p);
    EXPECT_FALSE(st.linModus);
    EXPECT_EQ(u->fenster.laufendeTimer, (std::set<Element>{E::Timer1, E::Timer2}));  // the redraw shows a second
    EXPECT_EQ(st.messart, Messart::vfo);
    EXPECT_EQ(u->fenster.text(E::Label5), "Reflexionsmessung   Test");
}

}  // namespace
}  // namespace qzl
