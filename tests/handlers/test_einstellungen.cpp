// The settings dialog's filling and storing rules, and "&Optionen" around it.
#include <gtest/gtest.h>

#include <thread>

#include "handlers/dialogaufrufe.h"
#include "handlers/verbindung.h"
#include "state/einstellwerte.h"
#include "engine/api.h"
#include "sim/detektor.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Einstellwerte, Fuellen) {
    // comport, baudrate, messgenauigkeit, then the items they select
    const std::array<int, 6> faelle[] = {{1, 9600, 8, 0, 0, 0},   {2, 19200, 10, 1, 1, 1}, {4, 38400, 8, 3, 2, 0},
                                         {5, 57600, 10, 3, 3, 1}, {0, 4800, 12, -1, 0, 0}, {-3, 0, 9, -1, 0, 0}};
    auto st = std::make_unique<InstrumentState>();
    for (const auto& f : faelle) {
        st->comport = f[0];
        st->baudrate = f[1];
        st->messgenauigkeit = f[2];
        const auto w = einstellWerte(*st);
        EXPECT_EQ((std::array{w.comport, w.baudrate, w.messgenauigkeit}), (std::array{f[3], f[4], f[5]})) << f[0];
    }
    st->linie[1] = 50;
    st->linieText[7] = -4;
    st->contBildaufbau = true;
    const auto w = einstellWerte(*st);
    EXPECT_EQ((std::vector{w.linie[0], w.linieText[6], w.linieText[0], w.taktfrequenz, w.eichfrequenz, w.endfrequenz,
                           w.delay, w.messpunkte}),
              (std::vector<std::string>{"50", "-4", "10", "100000000", "10000000", "35000000", "1", "280"}));
    EXPECT_TRUE(w.contBildaufbau);
}

TEST(Einstellwerte, SpeichernMitDenVorgabenJedesFeldes) {
    using W = EinstellWerte;
    using S = InstrumentState;
    const struct {
        std::string W::*feld;
        AtomInt S::*ziel;
        const char* text;
        std::int32_t erwartet;
    } faelle[] = {
        {&W::messpunkte, &S::messpunkte, "500", 300},     {&W::messpunkte, &S::messpunkte, "301", 300},
        {&W::messpunkte, &S::messpunkte, "300", 300},     {&W::messpunkte, &S::messpunkte, "abc", 280},
        {&W::messpunkte, &S::messpunkte, "12 ", 280},     {&W::messpunkte, &S::messpunkte, " $1F", 31},
        {&W::messpunkte, &S::messpunkte, "1", 1},         {&W::messpunkte, &S::messpunkte, "0", 1},  // limited like the cap
        {&W::messpunkte, &S::messpunkte, "-7", 1},        {&W::eichfrequenz, &S::eichfrequenz, "", 50000000},
        {&W::endfrequenz, &S::endfrequenz, "", 10000000}, {&W::endfrequenz, &S::endfrequenz, "-1", -1},
        {&W::taktfrequenz, &S::taktfrequenz, "1e8", 100000000}, {&W::delay, &S::delay, "2147483648", 1},
        {&W::delay, &S::delay, "0", 0},
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        auto w = einstellWerte(u->st);
        w.*(f.feld) = f.text;
        ASSERT_TRUE(api::einstellungenSetzen(u->p.geraet, einstellungenAus(w)));
        EXPECT_EQ(u->st.*(f.ziel), f.erwartet) << f.text;
    }
}

TEST(Einstellwerte, SpeichernLinienHakenUndGruppen) {
    auto u = test::neueUmgebung();
    auto* st = &u->st;
    const auto speichern = [&](const EinstellWerte& w) {
        ASSERT_TRUE(api::einstellungenSetzen(u->p.geraet, einstellungenAus(w)));
    };
    st->comport = 3;
    st->baudrate = 4800;
    st->messgenauigkeit = 10;
    auto w = einstellWerte(*st);
    w.linieText = {"", "12", "x", "15", "18", "20", "25"};
    w.linie = {"", "100", "7 ", "-3", "0", "1", "2"};
    w.contBildaufbau = true;
    w.comport = w.messgenauigkeit = -1;  // no port chosen: the port stays
    speichern(w);
    const std::int32_t texte[] = {10, 12, 10, 15, 18, 20, 25}, lagen[] = {0, 100, 0, -3, 0, 1, 2};
    for (std::size_t j = 1; j <= anzahlLinien; ++j) {
        EXPECT_EQ(st->linieText[j], texte[j - 1]) << j;
        EXPECT_EQ(st->linie[j], lagen[j - 1]) << j;
    }
    EXPECT_TRUE(st->contBildaufbau);
    EXPECT_EQ((std::array{st->comport.load(), st->baudrate.load(), st->messgenauigkeit.load()}),
              (std::array{3, 9600, 10}));  // 4800 was shown as 9600
    // items past the last count as none
    const std::array<int, 6> gruppen[] = {{3, 3, 0, 4, 57600, 8}, {0, -1, 1, 1, 57600, 10}, {4, 4, 2, 1, 57600, 10}};
    for (const auto& g : gruppen) {
        w.comport = g[0];
        w.baudrate = g[1];
        w.messgenauigkeit = g[2];
        speichern(w);
        EXPECT_EQ((std::array{st->comport.load(), st->baudrate.load(), st->messgenauigkeit.load()}),
                  (std::array{g[3], g[4], g[5]}));
    }
}

TEST(Optionen, PortZuDialogPortAufNeuzeichnenProbe) {
    auto u = test::neueUmgebung();
    u->antwortet({0x80, 0x40});
    u->st.demoModus = true;
    u->st.messart = Messart::demo;
    bool zuImDialog = false;
    u->fenster.beiEinstellungen = [&] {
        zuImDialog = !u->port.istOffen;
        auto w = einstellWerte(u->st);
        w.comport = 2;
        w.messgenauigkeit = 1;
        w.messpunkte = "5";
        u->fenster.einstellungenOk = w;
    };
    Bandbreite1Click(u->p);
    EXPECT_TRUE(zuImDialog);
    EXPECT_EQ(u->port.geoeffnetAls, 3);
    EXPECT_FALSE(u->st.demoModus);
    EXPECT_EQ(u->st.rohwert, 513);  // both reply bytes read
    EXPECT_EQ(u->port.geschrieben.back(), 84);
    EXPECT_EQ(u->fenster.protokoll, (std::vector<std::string>{"einstellungen", "text Caption Quarzolin (MIRFO)  V7.3     COM 3",
                                                             "timer Timer2 1", "timer Timer1 1"}));

    // Cancel: nothing stored, the port still closed, re-opened and probed; no answer now.
    u->fenster.beiEinstellungen = [&] { zuImDialog = !u->port.istOffen; };
    u->fenster.einstellungenOk.reset();
    u->port.beiBefehl = nullptr;
    u->st.baudrate = 4800;
    zuImDialog = false;
    Bandbreite1Click(u->p);
    EXPECT_TRUE(zuImDialog);
    EXPECT_EQ(u->st.baudrate, 4800);
    EXPECT_EQ(u->port.baud, 9600);
    EXPECT_EQ(u->fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(u->fenster.text(Element::Caption), "Quarzolin (MIRFO)  V7.3   DEMO");
    EXPECT_EQ(u->st.messart, Messart::demo);
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
        v.fenster.einstellungenOk = w;
    };
    Bandbreite1Click(v.p);
    v.fenster.beiEinstellungen = [&] { EXPECT_FALSE(v.port.offen()); };
    v.fenster.einstellungenOk.reset();
    v.st->rohwert = 0;
    Bandbreite1Click(v.p);  // Cancel
    const auto log = v.simulator.protokoll();
    ASSERT_EQ(log.size(), 2u);
    for (const auto& a : log) EXPECT_EQ(std::pair(int{a.befehl}, a.antwort.size()), std::pair(84, std::size_t{2}));
    EXPECT_EQ(v.st->rohwert, sim::rohwertBerechnen(0.0, false, true));
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
    EXPECT_EQ(std::tuple(breite, fehler, f.seiten.at(0).ueberschrift.text), std::tuple(2475, "kaputt", "Kopf"));
}

}  // namespace
}  // namespace qzl
