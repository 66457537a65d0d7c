#include <gtest/gtest.h>

#include <cmath>

#include "sim/detektor.h"
#include "sim/modell.h"
#include "sim/rauschen.h"

namespace qzl::sim {
namespace {

struct DetektorFall {
    double db;
    bool linear;
    bool zehnBit;
    int roh;
};

TEST(Detektor, Gesetze) {
    const DetektorFall faelle[] = {
        {0.0, false, false, 210},     {-80.0, false, false, 50},  {-40.0, false, false, 130},
        {-0.2, false, false, 210},    {-0.3, false, false, 209},  // rounding to nearest
        {30.0, false, false, 255},    {-106.0, false, false, 0},  {-120.0, false, false, 0},
        {0.0, true, false, 210},      {-6.0206, true, false, 130}, {-120.0, true, false, 50},
        {6.0206, true, false, 255},   {0.0, false, true, 840},    {-80.0, false, true, 200},
        {0.0, true, true, 840},       {-120.0, false, true, 0},   {30.0, false, true, 1023},
        {-0.3, false, true, 838},  // 4 x 209.4: the 10-bit converter keeps the fraction
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.db << " dB lin=" << f.linear << " 10bit=" << f.zehnBit);
        EXPECT_EQ(rohwertBerechnen(f.db, f.linear, f.zehnBit), f.roh);
    }
}

TEST(Detektor, UnendlichUndNaNBleibenImBereich) {
    EXPECT_EQ(rohwertBerechnen(-INFINITY, false, false), 0);
    EXPECT_EQ(rohwertBerechnen(-INFINITY, true, true), 200);
    EXPECT_EQ(rohwertBerechnen(INFINITY, false, true), 1023);
    EXPECT_EQ(rohwertBerechnen(NAN, false, false), 0);
}

TEST(Modell, LesenGueltig) {
    struct Fall {
        const char* text;
        Modell::Art art;
        double a;
        double b;
    };
    const Fall faelle[] = {
        {"through", Modell::Art::Durchgang, 0, 0},
        {"open", Modell::Art::Offen, 0, 0},
        {"bandpass:10700000:250000", Modell::Art::Bandpass, 10.7e6, 250e3},
        {"bandpass:11.4e6:5e5", Modell::Art::Bandpass, 11.4e6, 500e3},
        {"lowpass:30e6", Modell::Art::Tiefpass, 30e6, 0},
        {"reflection:20", Modell::Art::Reflexion, 20, 0},
        {"reflection:0", Modell::Art::Reflexion, 0, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const auto m = modellLesen(f.text);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->art, f.art);
        if (f.art == Modell::Art::Bandpass) {
            EXPECT_DOUBLE_EQ(m->mitteHz, f.a);
            EXPECT_DOUBLE_EQ(m->bandbreiteHz, f.b);
        }
        if (f.art == Modell::Art::Tiefpass) {
            EXPECT_DOUBLE_EQ(m->grenzHz, f.a);
        }
        if (f.art == Modell::Art::Reflexion) {
            EXPECT_DOUBLE_EQ(m->rueckflussDb, f.a);
        }
        const auto nochmal = modellLesen(modellText(*m));
        ASSERT_TRUE(nochmal);
        EXPECT_EQ(modellText(*nochmal), modellText(*m));
    }
}

TEST(Modell, LesenUngueltig) {
    for (const char* text : {"", "thru", "through:1", "bandpass", "bandpass:1e7", "bandpass:1e7:0",
                             "bandpass:-1e7:1e5", "bandpass:1e7:1e5:3", "bandpass:1e7:abc", "lowpass:",
                             "lowpass:0", "lowpass:1e6x", "reflection:-3", "reflection:nan", "Through",
                             "crystal:10e6:20:12e-3", "crystal:0:20:12e-3:5e-12", "crystal:10e6:0:12e-3:5e-12",
                             "crystal:10e6:20:-12e-3:5e-12", "crystal:10e6:20:12e-3:-1e-15",
                             "crystal:10e6:20:12e-3:5e-12:0", "crystal:10e6:20:12e-3:5e-12:50:1"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(modellLesen(text));
    }
}

TEST(Modell, VorgabeIstBandpass) {
    const Modell m;
    EXPECT_EQ(m.art, Modell::Art::Bandpass);
    EXPECT_DOUBLE_EQ(m.mitteHz, 11.4e6);
    EXPECT_DOUBLE_EQ(m.bandbreiteHz, 500e3);
}

TEST(Modell, FesteVerlaeufe) {
    const auto durch = *modellLesen("through");
    const auto offen = *modellLesen("open");
    const auto refl = *modellLesen("reflection:14");
    for (double f : {1.0, 1e5, 10e6, 70e6}) {
        EXPECT_DOUBLE_EQ(pegelDb(durch, f), 0.0);
        EXPECT_LE(pegelDb(offen, f), -100.0);
        EXPECT_DOUBLE_EQ(pegelDb(refl, f), -14.0);
    }
}

TEST(Modell, Bandpass) {
    for (const char* text : {"bandpass:11400000:500000", "bandpass:3.5e6:50e3", "bandpass:50e6:2e6"}) {
        SCOPED_TRACE(text);
        const auto m = *modellLesen(text);
        const double mitte = m.mitteHz, bw = m.bandbreiteHz;
        const double spitze = pegelDb(m, mitte);
        EXPECT_LE(spitze, 0.0);
        EXPECT_GE(spitze, -6.0);  // a little insertion loss, no more
        for (double d : {-0.2, -0.05, 0.05, 0.2}) EXPECT_LT(pegelDb(m, mitte + d * bw), spitze + 1e-9);
        EXPECT_NEAR(pegelDb(m, mitte - bw / 2) - spitze, -3.0, 0.3);
        EXPECT_NEAR(pegelDb(m, mitte + bw / 2) - spitze, -3.0, 0.3);
        // Skirts keep falling, monotonically, well below the pass band.
        EXPECT_LT(pegelDb(m, mitte + 2 * bw), pegelDb(m, mitte + bw));
        EXPECT_LT(pegelDb(m, mitte + 2 * bw) - spitze, -20.0);
        EXPECT_LT(pegelDb(m, mitte - 2 * bw) - spitze, -20.0);
        EXPECT_LT(pegelDb(m, mitte / 4), -60.0);
        // Far off, the leak of -90 dB holds the skirts up.
        EXPECT_NEAR(pegelDb(m, mitte / 1000), pegelDb(m, 0.0), 0.01);
        EXPECT_NEAR(pegelDb(m, 0.0), -92.0, 0.01);
    }
}

TEST(Modell, Tiefpass) {
    for (double grenze : {1e6, 30e6}) {
        Modell m;
        m.art = Modell::Art::Tiefpass;
        m.grenzHz = grenze;
        EXPECT_NEAR(pegelDb(m, grenze / 10), 0.0, 0.01);
        EXPECT_NEAR(pegelDb(m, grenze), -3.0, 0.1);
        EXPECT_NEAR(pegelDb(m, 2 * grenze), -30.1, 0.5);  // fifth order: 30 dB per octave
        EXPECT_LT(pegelDb(m, 4 * grenze), pegelDb(m, 2 * grenze));
        EXPECT_TRUE(std::isfinite(pegelDb(m, 1e3 * grenze)));
    }
}

TEST(Modell, QuarzLesen) {
    struct Fall {
        const char* text;
        double fs, rm, lm, c0, r;
    };
    const Fall faelle[] = {
        {"crystal:10e6:20:12e-3:5e-12", 10e6, 20, 12e-3, 5e-12, 50},
        {"crystal:4000000:80:0.5:0", 4e6, 80, 0.5, 0, 50},
        {"crystal:27e6:5:1e-3:7e-12:12.5", 27e6, 5, 1e-3, 7e-12, 12.5},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const auto m = modellLesen(f.text);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->art, Modell::Art::Quarz);
        EXPECT_DOUBLE_EQ(m->quarzFsHz, f.fs);
        EXPECT_DOUBLE_EQ(m->quarzRmOhm, f.rm);
        EXPECT_DOUBLE_EQ(m->quarzLmH, f.lm);
        EXPECT_DOUBLE_EQ(m->quarzC0F, f.c0);
        EXPECT_DOUBLE_EQ(m->fassungOhm, f.r);
        const auto nochmal = modellLesen(modellText(*m));
        ASSERT_TRUE(nochmal) << modellText(*m);
        EXPECT_EQ(modellText(*nochmal), modellText(*m));
        EXPECT_DOUBLE_EQ(nochmal->fassungOhm, f.r);
        EXPECT_DOUBLE_EQ(nochmal->quarzC0F, f.c0);
    }
}

Modell quarz(double fs, double rm, double lm, double c0, double r) {
    Modell m;
    m.art = Modell::Art::Quarz;
    m.quarzFsHz = fs;
    m.quarzRmOhm = rm;
    m.quarzLmH = lm;
    m.quarzC0F = c0;
    m.fassungOhm = r;
    return m;
}

TEST(Modell, QuarzSerienresonanzUndBand) {
    // Without C0 the motional arm alone: the loss at fs from Rm against 2R,
    // 3 dB down where the reactance equals Rm + 2R.
    const Modell faelle[] = {quarz(10e6, 20, 12e-3, 0, 50), quarz(4e6, 80, 32e-3, 0, 12.5),
                             quarz(27e6, 5, 5.9e-3, 0, 50), quarz(27e6, 5, 5.9e-3, 0, 1000)};
    for (const auto& m : faelle) {
        SCOPED_TRACE(modellText(m));
        const double zweiR = 2 * m.fassungOhm;
        const double spitze = pegelDb(m, m.quarzFsHz);
        EXPECT_NEAR(spitze, 20 * std::log10(zweiR / (zweiR + m.quarzRmOhm)), 1e-6);
        const double qBelastet = 2 * M_PI * m.quarzFsHz * m.quarzLmH / (m.quarzRmOhm + zweiR);
        const double halb = m.quarzFsHz / (2 * qBelastet);
        EXPECT_NEAR(pegelDb(m, m.quarzFsHz - halb) - spitze, -3.0103, 0.01);
        EXPECT_NEAR(pegelDb(m, m.quarzFsHz + halb) - spitze, -3.0103, 0.01);
        EXPECT_LT(pegelDb(m, m.quarzFsHz + halb / 10), spitze);
        EXPECT_LT(pegelDb(m, m.quarzFsHz - halb / 10), spitze);
        EXPECT_TRUE(std::isfinite(pegelDb(m, 0.0)));
    }
}

TEST(Modell, QuarzParallelresonanz) {
    const Modell faelle[] = {quarz(10e6, 20, 12e-3, 5e-12, 50), quarz(4e6, 80, 0.1, 2e-12, 12.5),
                             quarz(27e6, 5, 5.9e-3, 7e-12, 50)};
    for (const auto& m : faelle) {
        SCOPED_TRACE(modellText(m));
        const double w = 2 * M_PI * m.quarzFsHz;
        const double cm = 1 / (w * w * m.quarzLmH);
        const double fp = m.quarzFsHz * std::sqrt(1 + cm / m.quarzC0F);
        const double abstand = fp - m.quarzFsHz;
        double tiefstesHz = 0, tiefster = 1e9;
        for (int i = 0; i <= 20000; ++i) {
            const double f = m.quarzFsHz + abstand * (0.5 + i / 20000.0);
            if (const double p = pegelDb(m, f); p < tiefster) tiefster = p, tiefstesHz = f;
        }
        EXPECT_NEAR(tiefstesHz, fp, abstand * 1e-3);
        EXPECT_LT(tiefster, pegelDb(m, m.quarzFsHz) - 40);
        // Far above fp, C0 alone passes the signal again.
        EXPECT_GT(pegelDb(m, m.quarzFsHz + 20 * abstand), tiefster + 20);
    }
}

TEST(Rauschen, StreuungUndSaat) {
    for (double stufen : {0.5, 1.0, 3.0}) {
        SCOPED_TRACE(stufen);
        Rauschen r(stufen, 7), gleich(stufen, 7), anders(stufen, 8);
        constexpr int n = 40000;
        double summe = 0, quadrate = 0;
        int abweichend = 0;
        for (int i = 0; i < n; ++i) {
            const double z = r.ziehen();
            summe += z;
            quadrate += z * z;
            EXPECT_EQ(gleich.ziehen(), z);
            abweichend += anders.ziehen() != z;
        }
        EXPECT_NEAR(summe / n, 0.0, 0.02 * stufen);
        EXPECT_NEAR(std::sqrt(quadrate / n), stufen, 0.02 * stufen);
        EXPECT_GT(abweichend, n - 10);
    }
    Rauschen still(0.0, 7);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(still.ziehen(), 0.0);
}

TEST(Detektor, RauschenInStufenDesWandlers) {
    // One step of noise on a level in the middle of a step: the readings
    // spread by sqrt(1 + 1/12) steps of the converter read, whichever it is.
    for (bool zehnBit : {false, true}) {
        SCOPED_TRACE(zehnBit);
        Rauschen r(1.0, 1);
        const double mitte = rohwertBerechnen(-20.0, false, zehnBit);
        constexpr int n = 40000;
        double quadrate = 0;
        for (int i = 0; i < n; ++i) {
            const double d = rohwertBerechnen(-20.0, false, zehnBit, r.ziehen()) - mitte;
            quadrate += d * d;
        }
        EXPECT_NEAR(std::sqrt(quadrate / n), std::sqrt(1.0 + 1.0 / 12), 0.03);
    }
}

}  // namespace
}  // namespace qzl::sim
