// Crystal analysis: the fit against crystals of known values, the
// refusals, the warning, and the engine measuring the simulator's crystal.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/api.h"
#include "formats/markendatei.h"
#include "handlers/verbindung.h"
#include "sim_verbindung.h"

namespace qzl {
namespace {

constexpr double zweiPi = 2.0 * std::numbers::pi;

struct Quarz {
    double fs, rm, qu, c0, fassung;
    double lm() const { return qu * rm / (zweiPi * fs); }
    double cm() const { return 1.0 / (zweiPi * fs * zweiPi * fs * lm()); }
    double fp() const { return fs * std::sqrt(1.0 + cm() / c0); }
    double breite() const { return (rm + 2.0 * fassung) / (zweiPi * lm()); }
    Quarzmodell modell() const { return {fs, rm, lm(), c0}; }
};

// Readings as a calibrated pass stores them: whole units of 0.2 dB, never below 1.
Kurvenbild messen(const Quarzmodell& m, double fassung, std::int64_t start, std::int64_t schritt, std::int32_t n) {
    Kurvenbild k{static_cast<std::int32_t>(start), static_cast<std::int32_t>(schritt), Messart::durchgang, false, {}, false};
    for (std::int32_t i = 0; i < n; ++i) {
        const double w = wertFuerPegel(quarzPegelDb(m, fassung, static_cast<double>(start + i * schritt)),
                                       Messart::durchgang, false);
        k.werte.push_back(std::max(1, static_cast<std::int32_t>(std::nearbyint(w))));
    }
    return k;
}

Quarzbefund messung(const Quarz& q, double unten, double oben, std::int32_t bits = 10) {
    const auto schritt = static_cast<std::int64_t>(std::ceil((oben - unten) / 299));
    const auto erster = messen(q.modell(), q.fassung, static_cast<std::int64_t>(unten), schritt, 300);
    return quarzMessen(
        erster, [&](const Feinbereich& b) { return std::optional(messen(q.modell(), q.fassung, b.start, b.schritt, b.punkte)); },
        q.fassung, bits);
}

TEST(Quarz, AnpassungTrifftBekannteQuarze) {
    const struct {
        Quarz q;
        bool fpImBereich;
        double toleranz;  // Rm, Lm, Cm
        bool warnt;       // Rm small against the fixture's 2R
    } faelle[] = {
        // The grid's corners that a fine converter can reach.
        {{4e6, 80, 1e4, 7e-12, 12.5}, true, 0.02, false},
        {{27e6, 80, 2e5, 2e-12, 12.5}, true, 0.02, false},
        {{10e6, 20, 5e4, 5e-12, 50}, true, 0.02, true},
        {{27e6, 5, 1e4, 2e-12, 12.5}, false, 0.02, true},
        {{4e6, 80, 2e5, 7e-12, 50}, false, 0.02, false},
        // A small Rm in a 50 ohm fixture: fs and Lm hold, Rm is rough.
        {{4e6, 5, 2e5, 2e-12, 50}, true, 0.25, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.q.fs);
        SCOPED_TRACE(f.q.rm);
        const double oben = f.fpImBereich ? f.q.fp() + 0.5 * (f.q.fp() - f.q.fs) : f.q.fs + 0.5 * (f.q.fp() - f.q.fs);
        const auto b = messung(f.q, f.q.fs - std::max(2000.0, 3 * f.q.breite()), oben);
        ASSERT_TRUE(b.werte) << b.einwand.text;
        const Quarzwerte& w = *b.werte;
        EXPECT_NEAR(w.fs, f.q.fs, 1.0 + 0.01 * f.q.breite());
        EXPECT_NEAR(w.rm / f.q.rm, 1.0, f.toleranz);
        EXPECT_NEAR(w.lm / f.q.lm(), 1.0, std::min(f.toleranz, 0.02));
        EXPECT_NEAR(w.cm / f.q.cm(), 1.0, std::min(f.toleranz, 0.02));
        EXPECT_NEAR(w.qUnbelastet / f.q.qu, 1.0, f.toleranz);
        EXPECT_NEAR(w.qBelastet * f.q.breite() / f.q.fs, 1.0, 0.02);
        EXPECT_NEAR(w.verlustDb, 20 * std::log10(1 + f.q.rm / (2 * f.q.fassung)), 0.05);
        EXPECT_LT(w.restDb, 0.1);
        EXPECT_GE(w.bandPunkte, mindestBandPunkte);
        EXPECT_EQ(w.c0.has_value(), f.fpImBereich);
        EXPECT_EQ(w.fp.has_value(), f.fpImBereich);
        if (w.c0) {
            EXPECT_NEAR(*w.c0 / f.q.c0, 1.0, 0.1);
            EXPECT_NEAR(*w.fp, f.q.fp(), 0.01 * (f.q.fp() - f.q.fs));
        }
        EXPECT_EQ(w.warnung.empty(), !f.warnt) << w.warnung;
    }
}

TEST(Quarz, Ablehnungen) {
    using A = Quarzeinwand::Art;
    const Quarz q{10e6, 20, 5e4, 5e-12, 50};
    const auto fein = [&](std::int64_t schritt, std::int32_t n) {
        return messen(q.modell(), q.fassung, static_cast<std::int64_t>(q.fs) - n / 2 * schritt, schritt, n);
    };
    Kurvenbild reflexion = fein(10, 300), linear = reflexion, synthetisch = reflexion;
    reflexion.art = Messart::reflexion;
    linear.lin = true;
    synthetisch.synthetisch = true;
    Kurvenbild fallend{1000, 10, Messart::durchgang, false, {}, false};
    for (int i = 0; i < 50; ++i) fallend.werte.push_back(400 - i);
    Kurvenbild ohneSchritt = fein(10, 300);
    ohneSchritt.schritt = 0;
    Kurvenbild boden = fallend;
    for (auto& w : boden.werte) w = 1;
    boden.werte[25] = 90;  // a peak at -62 dB
    // A crystal whose band (12 Hz) is narrower than 20 steps of 1 Hz.
    const Quarz schmal{10e6, 5, 5e6, 5e-12, 12.5};
    const Kurvenbild schmalFein = messen(schmal.modell(), schmal.fassung, 9999980, 1, 41);

    const struct {
        const char* name;
        Quarzbefund befund;
        A art;
    } faelle[] = {
        {"Reflexion", quarzAuswerten(reflexion, 50, 8), A::messart},
        {"linear", quarzAuswerten(linear, 50, 8), A::linear},
        {"synthetisch", quarzAuswerten(synthetisch, 50, 8), A::synthetisch},
        {"ohne Resonanz", quarzAuswerten(fallend, 50, 8), A::keineResonanz},
        {"ohne Schritt", quarzAuswerten(ohneSchritt, 50, 8), A::keineResonanz},
        {"Spitze am Rand", quarzAuswerten(fein(10, 30), 50, 8), A::keineResonanz},
        {"am Boden", quarzAuswerten(boden, 50, 8), A::boden},
        {"grob", quarzAuswerten(fein(200, 60), 50, 8), A::zuGrob},
        {"1 Hz reicht nicht", quarzMessen(schmalFein, [&](const Feinbereich&) { return std::optional(schmalFein); }, 12.5, 8),
         A::zuWenigPunkte},
        {"angehalten", quarzMessen(fein(200, 300), [](const Feinbereich&) { return std::optional<Kurvenbild>(); }, 50, 8),
         A::abgebrochen},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(f.befund.einwand.art, f.art) << f.name << ": " << f.befund.einwand.text;
        EXPECT_FALSE(f.befund.werte) << f.name;
        EXPECT_FALSE(f.befund.einwand.text.empty()) << f.name;
    }
    EXPECT_NE(faelle[8].befund.einwand.text.find("even a 1 Hz step"), std::string::npos);
    EXPECT_NE(faelle[7].befund.einwand.text.find("in the -3 dB band, 20 are needed: narrow the range"), std::string::npos);
}

// fp is the lowest point above the peak only when the curve rises 3 dB
// again after it; readings 5 dB apart.
TEST(Quarz, ParallelresonanzNurMitWiederanstieg) {
    const struct {
        std::vector<std::int32_t> werte;
        std::optional<std::int32_t> parallel;
    } faelle[] = {
        {{300, 350, 400, 350, 300, 250, 200, 175}, std::nullopt},  // falling to the end, the last step 5 dB
        {{300, 350, 400, 350, 300, 250, 200, 220}, 7},             // only the last point rises 4 dB
        {{300, 350, 400, 350, 300, 1, 1, 1, 200}, 7},              // a notch on the floor: its middle
        {{300, 350, 400, 350, 300, 200, 210, 205}, std::nullopt},  // 2 dB back up is no notch
    };
    for (const auto& f : faelle) {
        const Kurvenbild k{1000, 10, Messart::durchgang, false, f.werte, false};
        const auto r = resonanzSuchen(k).resonanz;
        ASSERT_TRUE(r);
        EXPECT_EQ(r->spitze, 3);
        EXPECT_EQ(r->parallel, f.parallel) << f.werte.back();
    }
}

TEST(Quarz, FeinbereichUmDieSpitze) {
    const Quarz q{10e6, 20, 5e4, 5e-12, 50};  // 382 Hz wide
    const auto grob = messen(q.modell(), q.fassung, 9990000, 100, 300);
    const auto r = resonanzSuchen(grob).resonanz;
    ASSERT_TRUE(r);
    const auto plan = feinbereich(grob, *r);
    ASSERT_TRUE(plan.bereich);
    // +-3 widths at the finest step within 300 points, centred on the peak.
    const Feinbereich& b = *plan.bereich;
    EXPECT_EQ(b.schritt, static_cast<std::int64_t>(std::ceil(6 * r->breiteHz / 299)));
    EXPECT_LE(b.punkte, 300);
    EXPECT_GE(b.punkte, 290);
    EXPECT_NEAR(static_cast<double>(b.start + (b.punkte - 1) / 2 * b.schritt), 10e6, 100);
    // An unresolved peak (one step of 2 kHz) counts as two steps wide.
    const auto sehrGrob = messen(q.modell(), q.fassung, 9800000, 2000, 200);
    const auto plan2 = feinbereich(sehrGrob, *resonanzSuchen(sehrGrob).resonanz);
    ASSERT_TRUE(plan2.bereich);
    EXPECT_EQ(plan2.bereich->schritt, 81);
}

TEST(Quarz, WarnungNachFassungUndSpanne) {
    const struct {
        Quarz q;
        std::int32_t bits, spanne;
        const char* warnung;  // what it says, "" for none
        bool warntVerlust, warntSpanne;
    } faelle[] = {
        {{10e6, 20, 5e4, 5e-12, 50}, 8, 250, "small against the converter's 0.5 dB", true, true},
        {{10e6, 20, 5e4, 5e-12, 50}, 10, 0, "small against the converter's 0.125 dB", true, false},
        {{10e6, 50, 5e4, 5e-12, 50}, 10, 0, "", false, false},
        {{10e6, 80, 5e4, 5e-12, 50}, 8, 250, "", false, false},
        {{10e6, 80, 5e4, 5e-12, 50}, 10, 62, "the calibration's span (62) is a whole number, so levels near fs may be off by 0.60 dB", false, true},
        {{10e6, 20, 5e4, 5e-12, 50}, 10, 62, "steps: Rm, Lm and Cm may be off by more than 2 %; a fixture", true, true},
        {{10e6, 80, 5e4, 5e-12, 12.5}, 8, 250, "", false, false},
    };
    for (const auto& f : faelle) {
        const auto k = messen(f.q.modell(), f.q.fassung, 9998500, 10, 300);
        const auto b = quarzAnpassen(k, nullptr, f.q.fassung, f.bits, f.spanne);
        ASSERT_TRUE(b.werte) << b.einwand.text;
        EXPECT_EQ(b.werte->warnVerlust, f.warntVerlust) << b.werte->warnung;
        EXPECT_EQ(b.werte->warnSpanne, f.warntSpanne) << b.werte->warnung;
        if (*f.warnung)
            EXPECT_NE(b.werte->warnung.find(f.warnung), std::string::npos) << b.werte->warnung;
        else
            EXPECT_EQ(b.werte->warnung, "");
    }
}

TEST(Quarz, FassungEinstellenUndInDerMarkendatei) {
    InstrumentState st;
    test::FakeUhr uhr;
    test::FakePort port(uhr);
    Geraet g(st, port, uhr);
    for (double ohm : {0.0, -1.0, std::nan(""), HUGE_VAL, 10000.5}) EXPECT_EQ(api::quarzFassungSetzen(g, ohm).grund, api::Grund::ausserhalb) << ohm;
    EXPECT_EQ(api::spurAnsicht(g).e.quarzFassung, 50.0);
    EXPECT_TRUE(api::quarzFassungSetzen(g, 10000));
    EXPECT_TRUE(api::quarzFassungSetzen(g, 12.5));
    const auto e = api::spurAnsicht(g).e;
    const std::string text = markendateiText(e);
    EXPECT_NE(text.find("crystal-fixture 12.5"), std::string::npos);
    EXPECT_EQ(markendateiLesen(text).einstellungen, e);
    // The usual fixture leaves files as they were.
    EXPECT_EQ(markendateiText(Spureinstellungen{}).find("crystal"), std::string::npos);
    auto falsch = e;
    falsch.quarzFassung = 0;
    EXPECT_FALSE(api::spurEinstellungenSetzen(g, falsch));
}

// The whole measurement against the simulator's crystal through the real
// serial code: on the caller's thread and on the worker, the same figures.
TEST(Quarz, MessungAmSimulator) {
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("crystal:10e6:12.5:15.9154943e-3:5e-12:12.5");
    test::SimVerbindung v(opt);
    v.st->comport = 2;
    PortSetzen(v.p);
    auto& g = v.p.geraet;
    ASSERT_TRUE(api::quarzFassungSetzen(g, 12.5));
    // A refusal by the settings costs no pass.
    ASSERT_TRUE(api::detektorWaehlen(g, true));
    EXPECT_EQ(api::quarzMessen(g, 1).einwand.art, Quarzeinwand::Art::linear);
    EXPECT_EQ(v.simulator.austauschAnzahl(), 0u);
    ASSERT_TRUE(api::detektorWaehlen(g, false));

    ASSERT_TRUE(api::bereichSetzen(g, 9990000, 100, 300));
    const auto a = api::quarzMessen(g, 1);
    ASSERT_TRUE(a.werte) << a.ergebnis.text;
    EXPECT_NEAR(a.werte->fs, 10e6, 1 + 0.01 * 375);
    EXPECT_NEAR(a.werte->rm, 12.5, 12.5 * 0.05);
    EXPECT_NEAR(a.werte->lm, 15.9154943e-3, 15.9154943e-3 * 0.05);
    // The fine range stays set, and the fitted curve lies over it.
    EXPECT_LT(v.st->schrittweite, 100);
    const auto sicht = api::spurAnsicht(g);
    ASSERT_TRUE(sicht.quarzKurve);
    EXPECT_EQ(sicht.quarzKurve->start, v.st->startfrequenz);
    EXPECT_EQ(static_cast<std::int32_t>(sicht.quarzKurve->werte.size()), v.st->messpunkte.load());

    // On the worker, each range's diagram is drawn where the front-end says.
    int gezeichnet = 0;
    g.imHauptfaden = [&](const std::function<void()>& arbeit) {
        ++gezeichnet;
        arbeit();
    };
    ASSERT_TRUE(api::bereichSetzen(g, 9990000, 100, 300));
    ASSERT_TRUE(api::quarzMessungStarten(g, 1));
    EXPECT_EQ(api::quarzMessungStarten(g, 1).grund, api::Grund::sweepLaeuft);
    EXPECT_TRUE(api::quarzMessungLaeuft(g));
    api::sweepAbschliessen(g, [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
    const auto b = api::quarzErgebnis(g);
    ASSERT_TRUE(b && b->werte);
    EXPECT_GE(gezeichnet, 2);
    EXPECT_FALSE(api::quarzMessungLaeuft(g));
    EXPECT_EQ(b->werte->fs, a.werte->fs);
    EXPECT_EQ(b->werte->rm, a.werte->rm);
    ASSERT_TRUE(a.werte->c0);  // fp lay in the first range
    EXPECT_NEAR(*a.werte->c0, 5e-12, 0.5e-12);
    // The last pass alone holds no fp, so C0 is not reported from it.
    const auto c = api::quarzAuswerten(g);
    ASSERT_TRUE(c.werte) << c.ergebnis.text;
    EXPECT_NEAR(c.werte->fs, a.werte->fs, 5);
    EXPECT_FALSE(c.werte->c0);
    // Rm/2R = 0.5 hides in 8-bit steps, not in 10-bit ones.
    EXPECT_TRUE(c.werte->warnVerlust);
    ASSERT_TRUE(api::schnittstelleSetzen(g, std::nullopt, std::nullopt, 10));
    EXPECT_FALSE(api::quarzAuswerten(g).werte->warnVerlust);
    ASSERT_TRUE(api::schnittstelleSetzen(g, std::nullopt, std::nullopt, 8));

    // Stop before the fine range ends the measurement with no figures.
    ASSERT_TRUE(api::bereichSetzen(g, 9990000, 100, 300));
    ASSERT_TRUE(api::quarzMessungStarten(g, 1));
    api::stoppAnfordern(g);
    api::sweepAbschliessen(g, [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
    const auto d = api::quarzErgebnis(g);
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->werte);
    EXPECT_EQ(d->einwand.art, Quarzeinwand::Art::abgebrochen);
    EXPECT_EQ(v.st->schrittweite, 100);
}

// An instrument falling silent in the fine range ends the measurement on
// the worker as it ends a script's sweep: no figures, and the sweep's
// number marked silent.
TEST(Quarz, StilleBeendetDieMessung) {
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("crystal:10e6:12.5:15.9154943e-3:5e-12:12.5");
    opt.stummNach = 350;
    test::SimVerbindung v(opt);
    test::FakeUhr uhr;
    uhr.schrittJeAbfrage = 1000;
    Programm p(*v.st, v.fenster, v.port, uhr);
    v.st->comport = 2;
    PortSetzen(p);
    auto& g = p.geraet;
    ASSERT_TRUE(api::bereichSetzen(g, 9990000, 100, 300));
    ASSERT_TRUE(api::quarzMessungStarten(g, 1, {}, BeiStille::beenden));
    api::sweepAbschliessen(g, [&] {
        p.post.warten([] { return false; }, 1);
        p.post.abarbeiten(v.fenster);
    });
    const auto a = api::quarzErgebnis(g);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->mess.ende, api::MessEnde::stumm);
    EXPECT_FALSE(a->werte);
    EXPECT_EQ(g.verstummt, g.sweepNummer);
}

}  // namespace
}  // namespace qzl
