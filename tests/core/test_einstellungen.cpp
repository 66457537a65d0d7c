// The settings dialog's filling and storing rules, and "&Optionen" around it.
#include <gtest/gtest.h>

#include <thread>

#include "core/dialogaufrufe.h"
#include "core/einstellwerte.h"
#include "core/geraet.h"
#include "sim/detektor.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Einstellwerte, FuellenWaehltDiePunkteDerGruppen) {
    const struct {
        int comport, baud, bits;
        int portPunkt, baudPunkt, bitsPunkt;
    } faelle[] = {
        {1, 9600, 8, 0, 0, 0},   {2, 19200, 10, 1, 1, 1}, {4, 38400, 8, 3, 2, 0}, {5, 57600, 10, 3, 3, 1},
        {0, 4800, 12, -1, 0, 0}, {-3, 0, 9, -1, 0, 0},
    };
    auto st = std::make_unique<InstrumentState>();
    for (const auto& f : faelle) {
        st->comport = f.comport;
        st->baudrate = f.baud;
        st->messgenauigkeit = f.bits;
        const auto w = einstellWerte(*st);
        EXPECT_EQ(w.comport, f.portPunkt) << f.comport;
        EXPECT_EQ(w.baudrate, f.baudPunkt) << f.baud;
        EXPECT_EQ(w.messgenauigkeit, f.bitsPunkt) << f.bits;
    }
    st->linie[1] = 50;
    st->linieText[7] = -4;
    st->taktfrequenz = 100001230;
    st->contBildaufbau = true;
    const auto w = einstellWerte(*st);
    EXPECT_EQ(w.linie[0], "50");
    EXPECT_EQ(w.linieText[6], "-4");
    EXPECT_EQ(w.linieText[0], "10");
    EXPECT_EQ(w.taktfrequenz, "100001230");
    EXPECT_EQ(w.eichfrequenz, "10000000");
    EXPECT_EQ(w.endfrequenz, "35000000");
    EXPECT_EQ(w.delay, "1");
    EXPECT_EQ(w.messpunkte, "280");
    EXPECT_TRUE(w.contBildaufbau);
}

TEST(Einstellwerte, SpeichernMitDenVorgabenJedesFeldes) {
    const struct {
        std::string EinstellWerte::*feld;
        AtomInt InstrumentState::*ziel;
        const char* text;
        std::int32_t erwartet;
    } faelle[] = {
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "500", 300},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "301", 300},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "300", 300},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "abc", 280},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "12 ", 280},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, " $1F", 31},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "1", 1},
        // below one: limited like the cap, so every sweep has a point
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "0", 1},
        {&EinstellWerte::messpunkte, &InstrumentState::messpunkte, "-7", 1},
        {&EinstellWerte::eichfrequenz, &InstrumentState::eichfrequenz, "", 50000000},
        {&EinstellWerte::eichfrequenz, &InstrumentState::eichfrequenz, "7", 7},
        {&EinstellWerte::endfrequenz, &InstrumentState::endfrequenz, "", 10000000},
        {&EinstellWerte::endfrequenz, &InstrumentState::endfrequenz, "-1", -1},
        {&EinstellWerte::taktfrequenz, &InstrumentState::taktfrequenz, "1e8", 100000000},
        {&EinstellWerte::taktfrequenz, &InstrumentState::taktfrequenz, "99999999", 99999999},
        {&EinstellWerte::delay, &InstrumentState::delay, "2147483648", 1},
        {&EinstellWerte::delay, &InstrumentState::delay, "0", 0},
    };
    for (const auto& f : faelle) {
        auto st = std::make_unique<InstrumentState>();
        st->eichfrequenz = 123;
        auto w = einstellWerte(*st);
        w.*(f.feld) = f.text;
        einstellWerteSpeichern(*st, w);
        EXPECT_EQ((*st).*(f.ziel), f.erwartet) << f.text;
    }
}

TEST(Einstellwerte, SpeichernLinienHakenUndGruppen) {
    auto st = std::make_unique<InstrumentState>();
    st->comport = 3;
    st->baudrate = 4800;
    st->messgenauigkeit = 10;
    auto w = einstellWerte(*st);
    w.linieText = {"", "12", "x", "15", "18", "20", "25"};
    w.linie = {"", "100", "7 ", "-3", "0", "1", "2"};
    w.contBildaufbau = true;
    w.comport = -1;
    w.messgenauigkeit = -1;
    einstellWerteSpeichern(*st, w);
    const std::int32_t texte[] = {10, 12, 10, 15, 18, 20, 25}, lagen[] = {0, 100, 0, -3, 0, 1, 2};
    for (int j = 1; j <= anzahlLinien; ++j) {
        EXPECT_EQ(st->linieText[static_cast<std::size_t>(j)], texte[j - 1]) << j;
        EXPECT_EQ(st->linie[static_cast<std::size_t>(j)], lagen[j - 1]) << j;
    }
    EXPECT_TRUE(st->contBildaufbau);
    EXPECT_EQ(st->comport, 3);  // no port chosen: the port stays
    EXPECT_EQ(st->messgenauigkeit, 10);
    EXPECT_EQ(st->baudrate, 9600);  // 4800 was shown as 9600

    w.comport = 3;
    w.baudrate = 3;
    w.messgenauigkeit = 0;
    w.contBildaufbau = false;
    einstellWerteSpeichern(*st, w);
    EXPECT_EQ(st->comport, 4);
    EXPECT_EQ(st->baudrate, 57600);
    EXPECT_EQ(st->messgenauigkeit, 8);
    EXPECT_FALSE(st->contBildaufbau);
    w.baudrate = -1;
    w.messgenauigkeit = 1;
    einstellWerteSpeichern(*st, w);
    EXPECT_EQ(st->baudrate, 57600);
    EXPECT_EQ(st->messgenauigkeit, 10);
}

TEST(Optionen, PortZuDialogPortAufNeuzeichnenProbe) {
    auto u = test::neueUmgebung();
    u->antwortet({0x80, 0x40});
    u->st.demoModus = true;
    u->st.messart = 4;
    bool zuImDialog = false;
    u->fenster.beiEinstellungen = [&] {
        zuImDialog = !u->port.istOffen;
        auto w = einstellWerte(u->st);
        w.comport = 2;
        w.messgenauigkeit = 1;
        w.messpunkte = "5";
        einstellWerteSpeichern(u->st, w);
    };
    Bandbreite1Click(u->p);
    EXPECT_TRUE(zuImDialog);
    EXPECT_EQ(u->port.geoeffnetAls, 3);
    EXPECT_EQ(u->port.baud, 9600);
    EXPECT_FALSE(u->st.demoModus);
    EXPECT_EQ(u->st.rohwert, 513);  // both reply bytes read
    EXPECT_EQ(u->port.geschrieben.back(), 84);
    EXPECT_EQ(u->st.messwerte[5], 1);
    const std::vector<std::string> erwartet = {"einstellungen", "text Caption Quarzolin (MIRFO)  V7.3     COM 3",
                                               "timer Timer2 1", "timer Timer1 1"};
    EXPECT_EQ(u->fenster.protokoll, erwartet);

    // Cancel: nothing stored, still closed, re-opened and probed; no answer now.
    u->fenster.beiEinstellungen = [&] { zuImDialog = !u->port.istOffen; };
    u->port.beiBefehl = nullptr;
    u->st.baudrate = 4800;  // kept by Cancel, run at 9600
    u->port.baud = 0;
    zuImDialog = false;
    Bandbreite1Click(u->p);
    EXPECT_TRUE(zuImDialog);
    EXPECT_EQ(u->st.baudrate, 4800);
    EXPECT_EQ(u->port.baud, 9600);
    EXPECT_EQ(u->fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(u->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_TRUE(u->st.demoModus);
    EXPECT_EQ(u->st.messart, 4);
}

TEST(Optionen, AbbrechenAmSimulatorMitZehnBit) {
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("through");
    test::SimVerbindung v(opt);
    PortSetzen(v.p);
    v.fenster.beiEinstellungen = [&] {
        EXPECT_FALSE(v.port.offen());
        auto w = einstellWerte(*v.st);
        w.messgenauigkeit = 1;
        einstellWerteSpeichern(*v.st, w);
    };
    Bandbreite1Click(v.p);
    v.fenster.beiEinstellungen = [&] { EXPECT_FALSE(v.port.offen()); };
    v.st->rohwert = 0;
    Bandbreite1Click(v.p);  // Cancel

    const auto log = v.simulator.protokoll();
    ASSERT_EQ(log.size(), 2u);
    for (const auto& a : log) {
        EXPECT_EQ(a.befehl, 84);
        EXPECT_EQ(a.antwort.size(), 2u);
    }
    EXPECT_EQ(v.st->rohwert, sim::rohwertBerechnen(0.0, false, true));
    EXPECT_TRUE(v.port.offen());
    EXPECT_TRUE(v.fenster.meldungen.empty());
    EXPECT_FALSE(v.st->demoModus);
}

// The sweep thread never opens these, but its window must pass them on.
TEST(PostFenster, DialogeUndDruckAufDemFensterThread) {
    test::FakeFenster f;
    f.druckAntworten = {2475};
    f.druckFehler = "kaputt";
    Auftragspost post;
    PostFenster pf(post);
    const auto bitmap = std::make_unique<AnzeigeBitmap>();
    std::optional<int> breite;
    std::optional<std::string> fehler;
    std::atomic<bool> fertig{false};
    std::thread t([&] {
        pf.einstellungenZeigen();
        pf.infoZeigen();
        pf.hilfeZeigen();
        breite = pf.druckDialog();
        fehler = pf.seiteDrucken(DruckSeite{{1, 2, "Kopf"}, 3, 4, 5, 6, {}}, *bitmap);
        fertig = true;
        post.anstossen();
    });
    while (!fertig) {
        post.warten([&] { return fertig.load(); });
        post.abarbeiten(f);
    }
    t.join();
    EXPECT_EQ(f.protokoll, (std::vector<std::string>{"einstellungen", "info", "hilfe", "druckdialog", "drucken"}));
    EXPECT_EQ(breite, 2475);
    EXPECT_EQ(fehler, "kaputt");
    ASSERT_EQ(f.seiten.size(), 1u);
    EXPECT_EQ(f.seiten[0].ueberschrift.text, "Kopf");
    EXPECT_EQ(f.seiten[0].bildUnten, 6);
}

}  // namespace
}  // namespace qzl
