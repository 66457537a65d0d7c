// The presets' dialog as the window does it: what loading shows, the
// questions before overwriting and deleting, and the boxes of refusals.
#include <gtest/gtest.h>

#include <functional>

#include "engine/api.h"
#include "handlers/voreinstellungen.h"
#include "state/hz_text.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Voreinstellungen, SpeichernFragtLadenZeigtWieEinKonfigurationsladen) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& f = u->fenster;
    api::startwerteSetzen(p.geraet, false);
    api::bereichSetzen(p.geraet, 1000000, 2500, 99);
    api::messartWaehlen(p.geraet, Messart::reflexion);
    api::schnittstelleSetzen(p.geraet, 3, std::nullopt, std::nullopt);
    auto b = voreinstellungsBedienung(p, o.pfad);
    EXPECT_EQ(b->speichern("Filter", true), "Filter");
    EXPECT_TRUE(f.bestaetigungen.empty());
    const std::string gespeichert = o.lesen("Filter.preset");

    api::bereichSetzen(p.geraet, 5, 5, 5);
    f.bestaetigungAntworten = {false};
    b->speichern("Filter", false);
    EXPECT_EQ(f.bestaetigungen.back(), "Eine Voreinstellung „Filter“ gibt es schon. Überschreiben?");
    EXPECT_EQ(o.lesen("Filter.preset"), gespeichert);

    api::messartWaehlen(p.geraet, Messart::vfo);
    api::schnittstelleSetzen(p.geraet, 1, std::nullopt, std::nullopt);
    b->laden("Filter");
    EXPECT_TRUE(f.meldungen.empty() && f.fehlerMeldungen.empty());
    EXPECT_EQ(f.texte[Element::Label1], hzText(1000000));
    EXPECT_EQ(f.texte[Element::Label2], hzText(2500));
    EXPECT_EQ(f.texte[Element::Label12], hzText(1125000));  // the cursor in the middle
    EXPECT_EQ(f.texte[Element::Label5], "Reflexionsmessung   " + p.st.messzeit);
    EXPECT_TRUE(f.aktiv(Element::Button18));      // Smith: reflection's
    EXPECT_FALSE(f.aktiv(Element::ZFEingabe1));   // the VFO's
    // The calibration brought COM 3 back, which is opened.
    EXPECT_EQ(u->port.geoeffnetAls, 3);
    EXPECT_NE(f.texte[Element::Caption].find("COM 3"), std::string::npos);

    f.bestaetigungAntworten = {true};
    EXPECT_EQ(b->loeschen("Filter"), "");
    EXPECT_EQ(f.bestaetigungen.back(), "Die Voreinstellung „Filter“ löschen?");
    EXPECT_TRUE(b->namen().empty());
    Voreinstellungen1Click(p);
    EXPECT_EQ(f.protokoll.back(), "voreinstellungen");
}

TEST(Voreinstellungen, AblehnungenUndHinweiseInKaesten) {
    test::TempOrdner o;
    auto u = test::neueUmgebung();
    Programm& p = u->p;
    auto& f = u->fenster;
    api::startwerteSetzen(p.geraet, false);
    auto b = voreinstellungsBedienung(p, o.pfad);
    o.schreiben("kaputt.preset", "qzl7 preset 1\npoints 400\n");
    o.schreiben("ohne.preset", "qzl7 preset 1\nstart 7\nstep 1\npoints 2\nif 0 off sub\nmode spectrum\n"
                               "detector log\nlimits " + o.datei("weg.lim") + "\n");
    const struct {
        std::function<void()> tun;
        std::string kasten;
    } faelle[] = {
        {[&] { b->laden("kaputt"); }, "„kaputt“ ist keine gültige Voreinstellung (Zeile 2); nichts wurde geändert."},
        {[&] { b->speichern("a/b", false); },
         "„a/b“ taugt nicht als Name einer Voreinstellung: höchstens 64 Zeichen, keines von / \\ : * ? \" < > |, "
         "kein „..“, kein Leerzeichen am Anfang oder Ende und kein Punkt am Ende."},
        {[&] { b->laden("ohne"); },
         "Die Grenzwertdatei " + o.datei("weg.lim") + " ließ sich nicht laden (Datei nicht gefunden); es gelten "
         "keine Grenzwerte."},
        {[&] { voreinstellungsBedienung(p, "")->laden("x"); },
         "Es gibt keinen Ordner für Voreinstellungen: weder XDG_CONFIG_HOME noch HOME nennen einen."},
    };
    for (const auto& fall : faelle) {
        fall.tun();
        ASSERT_FALSE(f.meldungen.empty());
        EXPECT_EQ(f.meldungen.back(), fall.kasten);
    }
    EXPECT_EQ(p.st.startfrequenz, 7);
    voreinstellungAmStart(p, o.pfad, "fehlt");
    EXPECT_EQ(f.fehlerMeldungen, std::vector<std::string>{"Datei nicht gefunden"});

    // Import takes the file's name and asks before replacing; no preset stays out.
    f.dialogAntworten = {o.datei("kaputt.preset")};
    f.bestaetigungAntworten = {true};
    EXPECT_EQ(b->importieren(), "kaputt");
    EXPECT_EQ(f.bestaetigungen.back(), "Eine Voreinstellung „kaputt“ gibt es schon. Überschreiben?");
    EXPECT_EQ(f.meldungen.back(), o.datei("kaputt.preset") + " ist keine Voreinstellung von QZL7.");
}

}  // namespace
}  // namespace qzl
