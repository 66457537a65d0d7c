// "&Quarz analysieren…": the fixture's prompt, a measurement against the
// simulator's crystal to its dialog, and each refusal in the window's words.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "diagram/spuren_bild.h"
#include "handlers/quarzanalyse.h"
#include "handlers/sweep.h"
#include "handlers/verbindung.h"
#include "state/hz_text.h"
#include "sim_verbindung.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(Quarzanalyse, AblehnungenNachIhrerArt) {
    using A = Quarzeinwand::Art;
    const struct {
        A art;
        api::MessEnde ende;
        const char* kern;  // nullptr: no box
    } faelle[] = {
        {A::messart, api::MessEnde::fertig, "Durchgangsmessung (Transmission) wählen"},
        {A::linear, api::MessEnde::fertig, "logarithmischen Detektor"},
        {A::synthetisch, api::MessEnde::fertig, "Gerät anschließen"},
        {A::keineResonanz, api::MessEnde::fertig, "Bereich um die Frequenz des Quarzes erweitern"},
        {A::boden, api::MessEnde::fertig, "Quarz in der Fassung sitzt und die Durchgangsmessung kalibriert"},
        {A::zuWenigPunkte, api::MessEnde::fertig, "für das Gerät zu schmal"},
        {A::zuGrob, api::MessEnde::fertig, "Bereich enger um die Spitze"},
        {A::anpassung, api::MessEnde::fertig, "ließ sich den Messwerten nicht anpassen"},
        {A::abgebrochen, api::MessEnde::abgebrochen, nullptr},
        {A::abgebrochen, api::MessEnde::stumm, "bei 10.123.000 Hz nicht geantwortet"},
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        api::Quarzanalyse a;
        // The engine's English must not decide what the window says.
        a.einwand = {f.art, "irrelevant"};
        a.mess = {f.ende, 7, 10123000};
        quarzAnalyseZeigen(u->p, a);
        const auto& m = u->fenster.meldungen;
        ASSERT_EQ(m.size(), f.kern ? 1u : 0u) << static_cast<int>(f.art);
        EXPECT_TRUE(!f.kern || m[0].find(f.kern) != std::string::npos) << m[0];
    }
}

TEST(Quarzanalyse, TafelMitEinheitenUndUngemessenem) {
    const Quarzwerte w{.fs = 10000123.44, .rm = 20.25, .lm = 0.0100249, .cm = 25.27e-15, .fp = {}, .c0 = {},
                       .qBelastet = 8765.4, .qUnbelastet = 31105.6, .verlustDb = 6.126, .restDb = 0.0449,
                       .bandPunkte = 57, .warnung = "small loss", .warnVerlust = true, .warnSpanne = true};
    const Quarztafel t = quarztafel(w, 12.5);
    const std::vector<std::pair<std::string, std::string>> soll = {
        {"Serienresonanz fs", "10.000.123,4 Hz"}, {"Parallelresonanz fp", "nicht gemessen"},
        {"Rm", "20,25 Ω"}, {"Lm", "10,02 mH"}, {"Cm", "25,27 fF"}, {"C0", "nicht gemessen"},
        {"Güte belastet", "8.765"}, {"Güte unbelastet", "31.106"}, {"Verlust bei fs", "6,13 dB"},
        {"Restfehler (rms)", "0,04 dB"}, {"Punkte im Band", "57"}, {"Fassung", "12,5 Ω"}};
    EXPECT_EQ(t.zeilen, soll);
    EXPECT_NE(t.warnung.find("Der Verlust bei fs (6,13 dB) ist klein"), std::string::npos) << t.warnung;
    EXPECT_NE(t.warnung.find("besser. Die Spanne der Kalibrierung"), std::string::npos) << t.warnung;
    Quarzwerte nurSpanne = w;
    nurSpanne.warnVerlust = false;
    EXPECT_EQ(quarztafel(nurSpanne, 12.5).warnung.rfind("Die Spanne der Kalibrierung ist auf", 0), 0u);
    nurSpanne.warnSpanne = false;
    EXPECT_EQ(quarztafel(nurSpanne, 12.5).warnung, "");
    EXPECT_EQ(t.kopiertext.rfind("Quarzanalyse\nSerienresonanz fs\t10.000.123,4 Hz\nParallelresonanz fp\t", 0), 0u);
    EXPECT_NE(t.kopiertext.find("\nFassung\t12,5 Ω\n" + t.warnung + "\n"), std::string::npos);
}

TEST(Quarzanalyse, MessungGegenDenSimulator) {
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("crystal:10e6:20:10e-3:5e-12");
    test::SimVerbindung s(std::move(opt));
    Programm& p = s.p;
    PortSetzen(p);
    ASSERT_TRUE(api::bereichSetzen(p.geraet, 9980000, 200, 280));
    auto& f = s.fenster;
    // Cancelled, or a resistance the fixture cannot have: nothing measured.
    f.eingabeAntworten = {test::FakeFenster::abbrechen, "0", "abc", "75,0"};
    for (int i = 0; i < 3; ++i) Quarzanalysieren1Click(p);
    EXPECT_EQ(f.fragen[0].vorgabe, "50");
    EXPECT_EQ(f.meldungen, std::vector<std::string>(2, "Bitte einen Widerstand von mehr als 0 bis 10000 Ohm eingeben."));
    EXPECT_FALSE(sweepLaeuft(p));

    Quarzanalysieren1Click(p);
    EXPECT_FALSE(f.aktiv(Element::Messung1));
    EXPECT_TRUE(f.aktiv(Element::Button6));
    const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (f.quarztafeln.empty() && std::chrono::steady_clock::now() < bis) {
        p.post.warten([] { return false; }, 10);
        p.post.abarbeiten(f);
    }
    ASSERT_EQ(f.quarztafeln.size(), 1u) << (f.meldungen.size() > 2 ? f.meldungen.back() : "");
    EXPECT_TRUE(f.aktiv(Element::Messung1));
    EXPECT_FALSE(f.aktiv(Element::Button6));
    // The simulator's fixture is 50 ohms: told 75, the fit scales Rm by 1.5.
    const auto a = api::quarzErgebnis(p.geraet);
    ASSERT_TRUE(a && a->werte);
    EXPECT_NEAR(a->werte->fs, 10e6, 5);
    EXPECT_NEAR(a->werte->rm, 30, 1.5);
    EXPECT_EQ(f.quarztafeln[0].zeilen, quarztafel(*a->werte, 75).zeilen);
    // The fine range stays set and the panel shows it.
    EXPECT_GT(p.st.startfrequenz, 9980000);
    EXPECT_EQ(f.text(Element::Label1), hzText(p.st.startfrequenz));
    EXPECT_EQ(f.text(Element::Label2), hzText(p.st.schrittweite));
    // The fitted curve in its colour on the display, until the next fresh diagram.
    Timer2Timer(p);
    const auto& px = p.st.anzeigeBitmap.indizes;
    EXPECT_GT(std::count(px.begin(), px.end(), quarzFarbe), 100);
    Button5Click(p);
    stopmessung(p);
    EXPECT_EQ(std::count(px.begin(), px.end(), quarzFarbe), 0);
}

}  // namespace
}  // namespace qzl
