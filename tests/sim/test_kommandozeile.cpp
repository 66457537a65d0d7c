#include <gtest/gtest.h>

#include "sim/kommandozeile.h"

namespace qzl::sim {
namespace {

TEST(Kommandozeile, OhneArgumenteGeltenDieVorgaben) {
    const auto a = aufrufLesen({});
    EXPECT_TRUE(a.fehler.empty());
    EXPECT_FALSE(a.hilfe);
    EXPECT_TRUE(a.linkPfad.empty());
    EXPECT_DOUBLE_EQ(a.optionen.taktHz, 100e6);
    EXPECT_EQ(modellText(a.optionen.modell), "bandpass:11400000:500000");
    EXPECT_EQ(a.optionen.baud, 0);
    EXPECT_EQ(a.optionen.latenzMs, 0);
    EXPECT_FALSE(a.optionen.stumm);
    EXPECT_EQ(a.optionen.stummNach, -1);
    EXPECT_FALSE(a.optionen.zehnBitAbschneiden);
    EXPECT_TRUE(a.optionen.logPfad.empty());
    EXPECT_EQ(a.optionen.rauschenStufen, 0.0);
}

TEST(Kommandozeile, AlleOptionen) {
    const auto a = aufrufLesen({"--model", "lowpass:7e6", "--clock", "180000000", "--baud", "9600",
                                "--latency", "15", "--silent", "--silent-after", "3", "--cut-10bit",
                                "--link", "/tmp/x", "--log", "-", "--garbage-after", "5", "--garbage-count=7",
                                "--hangup-after", "9", "--noise", "1.5", "--seed", "42"});
    ASSERT_TRUE(a.fehler.empty()) << a.fehler;
    EXPECT_EQ(modellText(a.optionen.modell), "lowpass:7000000");
    EXPECT_DOUBLE_EQ(a.optionen.taktHz, 180e6);
    EXPECT_EQ(a.optionen.baud, 9600);
    EXPECT_EQ(a.optionen.latenzMs, 15);
    EXPECT_TRUE(a.optionen.stumm);
    EXPECT_EQ(a.optionen.stummNach, 3);
    EXPECT_TRUE(a.optionen.zehnBitAbschneiden);
    EXPECT_EQ(a.linkPfad, "/tmp/x");
    EXPECT_EQ(a.optionen.logPfad, "-");
    EXPECT_EQ(a.optionen.muellNach, 5);
    EXPECT_EQ(a.optionen.muellAnzahl, 7);
    EXPECT_EQ(a.optionen.aufhaengenNach, 9);
    EXPECT_DOUBLE_EQ(a.optionen.rauschenStufen, 1.5);
    EXPECT_EQ(a.optionen.saat, 42u);
}

TEST(Kommandozeile, WertMitGleichheitszeichen) {
    const auto a = aufrufLesen({"--model=reflection:12", "--clock=1.2e8", "--silent-after=0", "--log=sim.log",
                                "--garbage-after=1", "--hangup-after=1", "--garbage-count=4096"});
    ASSERT_TRUE(a.fehler.empty()) << a.fehler;
    EXPECT_EQ(a.optionen.muellNach, 1);  // the smallest and largest accepted
    EXPECT_EQ(a.optionen.aufhaengenNach, 1);
    EXPECT_EQ(a.optionen.muellAnzahl, 4096);
    EXPECT_EQ(a.optionen.modell.art, Modell::Art::Reflexion);
    EXPECT_DOUBLE_EQ(a.optionen.taktHz, 120e6);
    EXPECT_EQ(a.optionen.stummNach, 0);
    EXPECT_EQ(a.optionen.logPfad, "sim.log");
}

TEST(Kommandozeile, Hilfe) {
    EXPECT_TRUE(aufrufLesen({"--help"}).hilfe);
    EXPECT_TRUE(aufrufLesen({"--baud", "9600", "-h"}).hilfe);
    EXPECT_NE(benutzung().find("--silent-after"), std::string::npos);
    // The default it names is the one it uses.
    EXPECT_NE(benutzung().find("(default " + modellText(SimOptionen{}.modell) + ")"), std::string::npos);
    EXPECT_NE(benutzung().find("(default " + std::to_string(SimOptionen{}.saat) + ")"), std::string::npos);
    EXPECT_NE(benutzung().find("crystal:"), std::string::npos);
}

TEST(Kommandozeile, Fehler) {
    struct Fall {
        std::vector<std::string> args;
        const char* meldungEnthaelt;
    };
    const Fall faelle[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"stray"}, "unexpected argument stray"},
        {{"--model"}, "needs a value"},
        {{"--baud", "9600", "--log"}, "needs a value"},
        {{"--model", "bandpass:1e7"}, "--model"},
        {{"--clock", "0"}, "--clock"},
        {{"--clock", "-1e8"}, "--clock"},
        {{"--clock", "fast"}, "--clock"},
        {{"--baud", "-1"}, "--baud"},
        {{"--baud", "96OO"}, "--baud"},
        {{"--baud", ""}, "--baud"},
        {{"--latency", "1.5"}, "--latency"},
        {{"--silent-after", "-2"}, "--silent-after"},
        {{"--link", ""}, "--link"},
        {{"--garbage-after", "0"}, "--garbage-after"},
        {{"--garbage-count", "0"}, "--garbage-count"},
        {{"--garbage-count", "4097"}, "--garbage-count"},
        {{"--hangup-after", "x"}, "--hangup-after"},
        {{"--noise", "-0.5"}, "--noise"},
        {{"--noise", "lots"}, "--noise"},
        {{"--seed", "-1"}, "--seed"},
        {{"--seed", "1.5"}, "--seed"},
        {{"--model", "crystal:10e6:20:12e-3:-5e-12"}, "--model"},
        {{"--silent=yes"}, "takes no value"},
        {{"--help=1"}, "takes no value"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.args.front());
        const auto a = aufrufLesen(f.args);
        EXPECT_NE(a.fehler.find(f.meldungEnthaelt), std::string::npos) << a.fehler;
    }
}

}  // namespace
}  // namespace qzl::sim
