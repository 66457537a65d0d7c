// The rules of the command line: frequencies, passes, limits, exit status.
#include <gtest/gtest.h>

#include <array>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>

#include "ausgabe/bericht.h"
#include "cli/messlauf.h"
#include "ausgabe/formate.h"
#include "cli/optionen.h"
#include "cli_lauf.h"
#include "state/frequenz_text.h"
#include "formats/konfiguration.h"
#include "umgebung.h"

namespace qzl {
namespace {

TEST(CliRegeln, Frequenzen) {
    const std::int64_t zuGross = std::numeric_limits<std::int64_t>::max();
    const struct {
        const char* text;
        std::optional<std::int64_t> hz;
    } faelle[] = {
        {"10700000", 10700000}, {"10.7M", 10700000}, {"455k", 455000},     {"1.5e6", 1500000},
        {"2G", 2000000000},     {"7.1MHz", 7100000}, {"1e-3k", 1},         {"0.000001M", 1},
        {"12.5e-1k", 1250},     {"0", 0},            {"1.5", std::nullopt}, {"10.7X", std::nullopt},
        {"", std::nullopt},     {"-5", std::nullopt}, {"1e", std::nullopt}, {"k", std::nullopt},
        {"10.7 M", std::nullopt}, {"99999999999999999999", zuGross}, {"1e400", zuGross},
        {"1e10000", std::nullopt},  // the exponent's digits stop at 1000
    };
    for (const auto& f : faelle) EXPECT_EQ(hertzLesen(f.text), f.hz) << f.text;
}

// Three passes whose raw readings differ per pass; converted with the pair
// 50/250 they are 25, 50 and 62 (62.5 to even).
TEST(CliRegeln, DurchgaengeKombinieren) {
    const struct {
        Kombination regel;
        int durchgaenge;
        std::int32_t ergebnis;
        std::array<std::uint8_t, 3> roh = {60, 70, 75};  // per pass
    } faelle[] = {
        {Kombination::letzte, 3, 62}, {Kombination::mittel, 3, 46},  // 45.67
        {Kombination::max, 3, 62},    {Kombination::min, 3, 25},
        {Kombination::mittel, 2, 38},  // 37.5 to even
        {Kombination::mittel, 1, 25},
        {Kombination::mittel, 2, 42, {60, 74, 0}},  // 25 and 60: 42.5 to even
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        u->st.messpunkte = 4;
        int befehle = 0;
        u->port.istOffen = true;
        u->port.beiBefehl = [&](test::FakePort& pt, std::uint8_t) { pt.antwortIn(1, {f.roh[befehle++ / 4]}); };
        const auto lauf = cli::sweepMessen(u->p.geraet, f.durchgaenge, f.regel, nullptr);
        ASSERT_EQ(lauf.ende, api::MessEnde::fertig);
        for (int i = 0; i <= 4; ++i) EXPECT_EQ(u->st.messwerte[i], f.ergebnis) << static_cast<int>(f.regel) << " " << i;
        // The curve shows the combined reading: point 2 at column 30 + 2 * 2 + 1.
        EXPECT_EQ(u->st.kurvenRaster.at(35, 410 - f.ergebnis), 230) << static_cast<int>(f.regel);
    }
}

TEST(CliRegeln, GrenzenAnIhrenRaendern) {
    auto u = test::neueUmgebung();
    auto& st = u->st;
    st.startfrequenz = 1000;
    st.schrittweite = 10;
    st.messpunkte = 4;  // 1000, 1010, 1020, 1030 Hz
    const std::int32_t werte[] = {385, 370, 371, 400};  // -3, -6, -5.8, 0 dB
    for (int i = 0; i < 4; ++i) st.messwerte[i + 1] = werte[i];
    const auto g = [](const char* text, bool oben) { return *cli::grenzeLesen(text, oben); };
    const struct {
        Grenze grenze;
        bool lin;
        int messart;
        std::vector<std::int64_t> fehlschlaege;
    } faelle[] = {
        {g("1000:1030:-6", true), false, 1, {}},              // -6 exactly on the limit passes
        {g("1000:1030:-5.8", true), false, 1, {1010}},        // and 0.2 dB less fails
        {g("1010:1010:-5.8", true), false, 1, {1010}},        // a range of one point
        {g("1011:1030:-5.8", true), false, 1, {}},            // 1010 is outside
        {g("1000:1030:0", false), false, 1, {}},              // at or below 0 dB
        {g("1000:1030:-0.2", false), false, 1, {1030}},
        {g("1000:1020:-3.2", false), false, 1, {1000}},       // -3 is above -3.2
        {g("1000:1030:10", true), false, 3, {1000, 1010, 1020}},  // spectrum: 400 is +10 dB
        {g("1000:1030:0.9625", true), true, 1, {1010, 1020}},        // lin: 385 / 400 passes
        {g("1000:1030:0.925", false), true, 1, {1000, 1020, 1030}},  // 370 / 400 passes
    };
    for (const auto& f : faelle) {
        st.linModus = f.lin;
        st.messart = static_cast<Messart>(f.messart);
        const std::vector<Grenze> grenzen{f.grenze};
        std::vector<std::int64_t> gefunden;
        for (const auto& v : grenzenPruefen(st, grenzen)) gefunden.push_back(v.frequenz);
        EXPECT_EQ(gefunden, f.fehlschlaege) << f.grenze.text;
        EXPECT_EQ(grenzenText(st, grenzenPruefen(st, grenzen)).substr(0, 4), gefunden.empty() ? "PASS" : "FAIL");
    }
    st.linModus = false;
    EXPECT_NE(grenzenEinwand(st, {g("1031:2000:-3", true)}).find("no sweep point"), std::string::npos);
    EXPECT_EQ(grenzenEinwand(st, {g("1030:2000:-3", true)}), "");
    EXPECT_FALSE(cli::grenzeLesen("2000:1000:-3", true));
    EXPECT_FALSE(cli::grenzeLesen("1000:2000", true));
}

// --band's edges between the points, to the hertz with halves to even, and
// none where the band runs off an end; the linear detector takes the ratio.
TEST(CliRegeln, BandZwischenDenPunkten) {
    const struct {
        std::vector<std::int32_t> werte;
        bool lin;
        double ndb;
        std::string band;  // low, high, width, centre, Q
    } faelle[] = {
        // -3 -1 0 -1 -3 dB: 2 dB down halfway, at 1000.5 and 1003.5 Hz
        {{385, 395, 400, 395, 385}, false, 2, "1000 1004 3 1002 334"},
        {{385, 395, 400, 395, 385}, false, 4, "none none none none none"},
        // 0.5 1 0.5: 0.708 of the top at 0.584 of a step from it
        {{200, 400, 200}, true, 3, "1000 1002 1 1001 856.86"},
    };
    for (const auto& f : faelle) {
        auto u = test::neueUmgebung();
        auto& st = u->st;
        st.startfrequenz = 1000;
        st.schrittweite = 1;
        st.messpunkte = static_cast<std::int32_t>(f.werte.size());
        st.linModus = f.lin;
        for (std::size_t i = 0; i < f.werte.size(); ++i) st.messwerte[i + 1] = f.werte[i];
        std::string band;
        for (const auto& [schluessel, wert] : kennwerte(st, f.ndb))
            if (schluessel.starts_with("band_") && schluessel != "band_db") band += (band.empty() ? "" : " ") + wert;
        EXPECT_EQ(band, f.band) << f.werte.size() << " " << f.ndb;
    }
}

// Each option lands in its field, counts take their lowest value, and what
// no option is comes back as such.
TEST(CliRegeln, OptionenUndIhreFelder) {
    cli::Auftrag a;
    EXPECT_EQ(cli::sweepOptionenLesen({"--report", "--quiet", "--com", "4", "--baud", "38400", "--points", "1",
                                       "--passes", "1", "--below", "1M:2M:3dB", "--format", "tsv"},
                                      a),
              "");
    EXPECT_TRUE(a.bericht);
    EXPECT_TRUE(a.leise);
    EXPECT_EQ(a.baud, 38400);
    EXPECT_EQ(a.com, 4);
    EXPECT_EQ(a.punkte, 1);
    EXPECT_EQ(a.durchgaenge, 1);
    ASSERT_TRUE(a.format);
    EXPECT_EQ(a.format->name, "tsv");
    ASSERT_EQ(a.grenzen.size(), 1u);
    EXPECT_FALSE(a.grenzen[0].oben);
    EXPECT_EQ(a.grenzen[0].pegel, 3.0);
    // Every choice lands as its own value.
    const std::pair<std::vector<std::string>, int> wahlen[] = {
        {{"--com", "1"}, 1},    {{"--com", "2"}, 2},       {{"--baud", "9600"}, 9600},       {{"--com", "3"}, 3},      {{"--bits", "8"}, 8},
        {{"--bits", "10"}, 10}, {{"--combine", "max"}, 2}, {{"--combine", "min"}, 3}, {{"--if-mode", "add"}, 1},
        {{"--if-mode", "sub"}, 0}, {{"--mode", "spectrum"}, 3}, {{"--detector", "lin"}, 1},
        {{"--detector", "log"}, 0},
    };
    for (const auto& [argumente, wert] : wahlen) {
        cli::Auftrag b;
        ASSERT_EQ(cli::sweepOptionenLesen(argumente, b), "") << argumente[0];
        const int gelesen = argumente[0] == "--com" ? b.com.value_or(0) : argumente[0] == "--bits" ? b.bits.value_or(0)
                            : argumente[0] == "--baud" ? b.baud.value_or(0)
                            : argumente[0] == "--combine" ? static_cast<int>(b.kombination)
                            : argumente[0] == "--if-mode" ? b.zfAddieren.value_or(2)
                            : argumente[0] == "--mode" ? zahl(b.messart.value_or(Messart{0})) : b.lin.value_or(2);
        EXPECT_EQ(gelesen, wert) << argumente[0] << " " << argumente[1];
    }
    const std::pair<std::vector<std::string>, std::string> abgelehnt[] = {
        {{"--start"}, "--start needs a value"},
        {{"--report=1"}, "--report takes no value"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--com", "5"}, "'5' is none of 1, 2, 3, 4"},
        {{"--below", "1M:2M"}, "'1M:2M' is not F1:F2:LEVEL (e.g. 9M:10M:-40)"},
        {{"--above", "1M"}, "'1M' is not F1:F2:LEVEL (e.g. 10.9M:11.9M:-8)"},
        {{"--above", "x:2M:-3"}, "'x:2M:-3' is not F1:F2:LEVEL"},
        {{"--format", "xls"}, "'xls' is none of csv"},
        {{"--points", "3x"}, "'3x' is not a number from 1 to 300"},
        {{"--passes", "0"}, "'0' is not a number of passes (1 or more)"},
        {{"--repeat", "-1"}, "'-1' is not a number of repetitions (0 for no end, or more)"},
        {{"--stop", "1.5"}, "'1.5' is not a whole number of hertz (e.g. 10700000, 10.7M, 455k, 1.5e6)"},
    };
    for (const auto& [argumente, grund] : abgelehnt) {
        cli::Auftrag b;
        EXPECT_NE(cli::sweepOptionenLesen(argumente, b).find(grund), std::string::npos) << grund;
    }
    cli::Auftrag c;
    EXPECT_NE(cli::convertOptionenLesen({"--bogus"}, c).find("unknown option '--bogus'"), std::string::npos);
}

// Every exit status once, with the message that says why; a refusal comes
// before the port is opened.
TEST(CliRegeln, Rueckgabewerte) {
    test::CliLauf cli;
    const std::string fehlt = cli.ordner.datei("fehlt/a.csv");
    cli.ordner.schreiben("keinport", "");
    std::filesystem::create_directory(cli.ordner.datei("ordner.csv"));
    std::filesystem::create_symlink("s1", cli.ordner.datei("s2"));
    std::filesystem::create_symlink("s2", cli.ordner.datei("s1"));
    cli.ordner.schreiben("text.cfg", "Liebe Grüße\r\n");
    cli.ordner.schreiben("maske.lim", "# mask\nbelow 10M 10.1M -25\n");
    cli.ordner.schreiben("kaputt.lim", "above 10M 10.1M\n");
    // lines in the file's order, up to the one that matters
    const std::string kopf = "Startfrequenz    =10000000\r\nEndfrequenz      =35000000\r\n";
    cli.ordner.schreiben("abwaerts.cfg", "Startfrequenz    =2990\r\nEndfrequenz      =35000000\r\nSchrittweite     =-10\r\n");
    cli.ordner.schreiben("addiert.cfg", kopf + "Schrittweite     =10000\r\nTaktfrequenz     =100000000\r\n"
                                               "Eichfrequenz     =10000000\r\nZwischenfrequenz =20000000\r\n"
                                               "ZF-Berechnung    =3\r\n");
    const struct {
        std::vector<std::string> argumente;
        int ende;
        std::string meldung;
    } faelle[] = {
        {{"--points", "3", "-o", cli.ordner.datei("a.csv")}, 0, ""},
        {{"--points", "301"}, 1, "--points: '301' is not a number from 1 to 300"},
        {{"--points", "300", "-o", cli.ordner.datei("a.csv")}, 0, ""},
        {{"--above", "10M:11M:-3x"}, 1, "--above: '10M:11M:-3x' is not F1:F2:LEVEL"},
        {{"--com2="}, 1, "--com2=: write --comN=PATH with N from 1 to 4"},
        {{"--start", "10.7X"}, 1, "--start: '10.7X' is not a whole number of hertz"},
        {{"--start", "-1000"}, 1, "--start: '-1000' is negative: give 0 Hz or more"},
        {{"--step", "-1k"}, 1, "--step: '-1k' is negative"},
        {{"--start", "3G"}, 1, "--start: 3000000000 Hz lies beyond 32 bits"},
        {{"--start", "2G", "--step", "1M"}, 1, "--step: the last sweep point, 2279000000 Hz, lies beyond 32 bits"},
        {{"--stop", "9M"}, 1, "--stop: 9000000 Hz does not lie above the start"},
        // the highest frequency itself is one, tuned directly or through the IF
        {{"--start", "2147483647", "--points", "1", "-o", cli.ordner.datei("a.csv")}, 0, ""},
        {{"--start", "2147483547", "--points", "1", "--if", "100", "--if-mode", "add", "-o", cli.ordner.datei("a.csv")},
         0, ""},
        {{"--start", "10M", "--if", "20M", "--if-mode", "sub"}, 1,
         "--if: point 1 (10000000 Hz) minus the IF of 20000000 Hz tunes the generator to -10000000 Hz, below 0 Hz"},
        {{"--start", "2G", "--stop", "2.1G", "--points", "3", "--if", "100M", "--if-mode", "add"}, 1,
         "point 2 (2050000000 Hz) plus the IF of 100000000 Hz tunes the generator to 2150000000 Hz, beyond 32 bits"},
        // a sweep down to 0 Hz itself is one
        {{"--config", cli.ordner.datei("abwaerts.cfg"), "--points", "300", "-o", cli.ordner.datei("a.csv")}, 0, ""},
        {{"--config", cli.ordner.datei("abwaerts.cfg"), "--points", "300", "--start", "2989"}, 1,
         "--points: the last sweep point, -1 Hz, lies below 0 Hz"},
        {{"--config", cli.ordner.datei("addiert.cfg"), "--start", "10M", "--if-mode", "sub"}, 1,
         "--if-mode: point 1 (10000000 Hz) minus the IF of 20000000 Hz tunes the generator to -10000000 Hz"},
        {{"--mode", "spectrum", "--format", "s2p"}, 1, "s2p: a spectrum sweep measures a signal's level"},
        {{"--detector", "lin", "-o", "x.s2p"}, 1, "which only the logarithmic detector gives"},
        {{"-o", "x.s1p"}, 1, "s1p holds a reflection (S11)"},
        {{"-o", "x.xyz"}, 1, "no format known by that extension"},
        {{"--above", "1M:2M:-3"}, 1, "--above 1M:2M:-3: no sweep point lies between"},
        {{"--bogus"}, 1, "unknown option '--bogus'"},
        {{"--heading", "a\r\nb"}, 1, "--heading: the heading must be one line"},
        {{"--config", cli.ordner.datei("fehlt.cfg")}, 1, "fehlt.cfg: cannot be read"},
        {{"--config", cli.ordner.datei("text.cfg")}, 1, "text.cfg: not a settings file of qzl7"},
        {{"--points", "3", "--above", "10M:11M:-20"}, 3, "10000000 Hz: -33 dB below the limit -20 dB"},
        {{"--points", "3", "--limits", cli.ordner.datei("maske.lim")}, 0, "PASS"},
        {{"--points", "3", "--limits", cli.ordner.datei("maske.lim"), "--below", "10M:10M:-40"}, 3,
         "-33 dB above the limit -40 dB (--below 10M:10M:-40)"},
        {{"--limits", cli.ordner.datei("kaputt.lim")}, 1, "kaputt.lim, line 1: not \"above START STOP LEVEL\""},
        {{"--limits", cli.ordner.datei("fehlt.lim")}, 1, "fehlt.lim: cannot be read"},
        {{"--points", "3", "-o", fehlt}, 5, "cannot write " + fehlt + ": the folder " + cli.ordner.datei("fehlt") +
                                            " does not exist"},
        {{"-o", cli.ordner.datei("ordner.csv")}, 5, "ordner.csv: Is a directory"},
        {{"-o", cli.ordner.datei("s1/a.csv")}, 5, "s1/a.csv: Too many levels of symbolic links"},
        {{"--format", "png"}, 1, "a PNG to the terminal"},
    };
    for (const auto& f : faelle) {
        const auto vorher = cli.simulator.austauschAnzahl();
        EXPECT_EQ(cli.sweep(f.argumente), f.ende) << f.argumente[0] << cli.konsole->fehler;
        EXPECT_NE((cli.konsole->fehler + cli.konsole->aus).find(f.meldung), std::string::npos)
            << f.meldung << "\n" << cli.konsole->fehler;
        if (f.ende == 1 || f.ende == 5) {
            EXPECT_EQ(cli.simulator.austauschAnzahl(), vorher) << f.argumente[0];
        }
    }
    EXPECT_EQ(cli.ordner.lesen("a.csv").substr(0, 29), "frequency_hz,reading,level_db");

    // A failed limit and a failed write: both said.
    EXPECT_EQ(cli.sweep({"--points", "3", "--above", "10M:11M:-20", "--format", "csv", "-o", "/dev/full"}), 5);
    EXPECT_NE(cli.konsole->aus.find("FAIL\n10000000 Hz"), std::string::npos);
    EXPECT_NE(cli.konsole->fehler.find("cannot write /dev/full: No space left on device"), std::string::npos);

    // A port that cannot be opened or is no serial line: the window's reason and hint.
    EXPECT_EQ(cli.ausfuehren({"sweep", "--port", "/dev/qzl7-fehlt"}), 2);
    EXPECT_NE(cli.konsole->fehler.find("qzl7-cli: cannot open /dev/qzl7-fehlt: No such file or directory; "
                                       "no such device: is the adapter plugged in?"),
              std::string::npos)
        << cli.konsole->fehler;
    EXPECT_EQ(cli.ausfuehren({"sweep", "--com", "3", "--comN=x", "--com3=" + cli.ordner.datei("keinport")}), 1);
    EXPECT_EQ(cli.ausfuehren({"sweep", "--com", "3", "--com3=" + cli.ordner.datei("keinport")}), 2);
    EXPECT_NE(cli.konsole->fehler.find("not a serial device"), std::string::npos) << cli.konsole->fehler;
    // The IF moves every tuned frequency.
    EXPECT_EQ(cli.sweep({"--points", "2", "--if", "1M", "--if-mode", "sub", "-o", cli.ordner.datei("a.csv")}), 0);
    EXPECT_NEAR(cli.simulator.protokoll().back().frequenzHz, 9010000.0, 0.1);
    // The settings the menu's qzl7 keeps in $XDG_CONFIG_HOME/qzl7.
    std::filesystem::create_directories(cli.ordner.datei("qzl7"));
    auto vorlage = std::make_unique<InstrumentState>();
    vorlage->messpunkte = 4;
    cli.ordner.schreiben("qzl7/qzl7.cfg", konfigurationText(*vorlage));
    ::setenv("XDG_CONFIG_HOME", cli.ordner.pfad.c_str(), 1);
    EXPECT_EQ(cli.sweep({"--user-config"}), 0);
    EXPECT_EQ(std::count(cli.konsole->aus.begin(), cli.konsole->aus.end(), '\n'), 5);
    EXPECT_EQ(cli.ausfuehren({"--help"}), 0);
    EXPECT_EQ(cli.konsole->aus.rfind("Usage: qzl7-cli COMMAND", 0), 0u);
    EXPECT_EQ(cli.ausfuehren({"list-ports", "--com2=" + cli.simulator.pfad()}), 0);
    EXPECT_NE(cli.konsole->aus.find("COM 2 = " + cli.simulator.pfad() + "  can be opened"), std::string::npos);
}

// --preset after the settings file and before the other options; its
// limits judge the sweep.
TEST(CliRegeln, VoreinstellungVorDenOptionen) {
    test::CliLauf cli;
    std::filesystem::create_directories(cli.ordner.datei("qzl7/presets"));
    cli.ordner.schreiben("hoch.lim", "above 0 2G 100\n");
    cli.ordner.schreiben("qzl7/presets/f.preset", "qzl7 preset 1\nstart 7000000\nstep 50000\npoints 20\n"
                                                  "if 0 off sub\nmode reflection\ndetector log\nlimits " +
                                                      cli.ordner.datei("hoch.lim") + "\n");
    ::setenv("XDG_CONFIG_HOME", cli.ordner.pfad.c_str(), 1);
    EXPECT_EQ(cli.sweep({"--preset", "f", "--points", "3", "-o", cli.ordner.datei("f.csv")}), 3);
    const std::string csv = cli.ordner.lesen("f.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;
    EXPECT_NE(csv.find("\n7100000,"), std::string::npos) << csv;
    EXPECT_EQ(cli.konsole->aus.rfind("FAIL\n7000000 Hz", 0), 0u) << cli.konsole->aus;
    EXPECT_EQ(cli.sweep({"--preset", "g"}), 1);
    EXPECT_NE(cli.konsole->fehler.find("--preset g: " + cli.ordner.datei("qzl7/presets/g.preset") +
                                       ": cannot be read: No such file or directory"),
              std::string::npos)
        << cli.konsole->fehler;
    ::unsetenv("XDG_CONFIG_HOME");
}

// Levels only from a calibration made at the converter's resolution; the
// start values' factors are an 8-bit calibration.
TEST(CliRegeln, KalibrierungPasstZurAufloesung) {
    test::CliLauf cli;
    const auto konfig = [&](const std::string& name, int bits, int k1, int k2) {
        auto st = std::make_unique<InstrumentState>();
        st->messgenauigkeit = bits;
        st->korrfaktor1[Dlog] = k1;
        st->korrfaktor2[Dlog] = k2;
        cli.ordner.schreiben(name, konfigurationText(*st));
        return cli.ordner.datei(name);
    };
    const std::string zehn = konfig("zehn.cfg", 10, 200, 62), start = konfig("start.cfg", 10, 50, 250);
    const std::tuple<std::vector<std::string>, int, std::string> faelle[] = {
        {{"--bits", "10"}, 1, "--bits 10: the calibration of the start values (no qzl7.cfg) was made for 8 bits"},
        {{"--config", zehn, "--bits", "8"}, 1, "--bits 8: the calibration in " + zehn + " was made for 10 bits"},
        {{"--config", start}, 1, start + ": Messgenauigkeit 10 with the start values' calibration, made for 8 bits"},
        {{"--config", zehn, "--points", "3"}, 0, ""},
    };
    for (const auto& [argumente, ende, meldung] : faelle) {
        EXPECT_EQ(cli.sweep(argumente), ende) << meldung;
        EXPECT_NE(cli.konsole->fehler.find(meldung), std::string::npos) << cli.konsole->fehler;
    }
}

// An instrument that falls silent is an error naming the point, never
// demonstration data, and leaves no file.
TEST(CliRegeln, StummesGeraet) {
    sim::SimOptionen opt;
    opt.stummNach = 5;
    test::CliLauf cli(opt);
    EXPECT_EQ(cli.sweep({"--points", "20", "-o", cli.ordner.datei("a.csv")}), 4);
    EXPECT_NE(cli.konsole->fehler.find("did not answer within 4 seconds at point 6 (10050000 Hz) on " +
                                       cli.simulator.pfad()),
              std::string::npos)
        << cli.konsole->fehler;
    EXPECT_EQ(cli.ordner.anzahl(), 0u);
}

// A port that vanishes mid-sweep (the adapter pulled) is reported as gone,
// at once, and not as an instrument that stayed silent for 4 seconds.
TEST(CliRegeln, VerschwundenerPort) {
    sim::SimOptionen opt;
    opt.aufhaengenNach = 5;
    test::CliLauf cli(opt);
    const auto beginn = std::chrono::steady_clock::now();
    EXPECT_EQ(cli.sweep({"--points", "20", "-o", cli.ordner.datei("a.csv")}), 2);
    EXPECT_LT(std::chrono::steady_clock::now() - beginn, std::chrono::seconds(2));
    EXPECT_NE(cli.konsole->fehler.find(cli.simulator.pfad() + " went away at point 6 (10050000 Hz)"), std::string::npos)
        << cli.konsole->fehler;
    EXPECT_EQ(cli.ordner.anzahl(), 0u);
}

}  // namespace
}  // namespace qzl
