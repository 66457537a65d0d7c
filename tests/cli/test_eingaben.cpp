// What qzl7-cli refuses to read, and what it says about it.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_lauf.h"

namespace qzl {
namespace {

// A corrupt series is refused with its line, never converted into numbers
// the file does not hold.
TEST(CliEingaben, KaputteMessreihen) {
    test::CliLauf cli;
    const std::string kopf = "Durchgangsmessung QZL7\r\nH\r\nlog\r\nKorrekturfaktor1 =50\r\nKorrekturfaktor2 =250\r\n";
    std::string lang = kopf;
    for (int k = 0; k < 301; ++k) lang += std::to_string(10000000 + k) + ";328;2\r\n";
    const std::pair<std::string, std::string> faelle[] = {
        {"Hallo\r\n", "line 1: not a series file of qzl7 (it begins with none of \"Durchgangsmessung QZL7\", "
                        "\"Reflexionsmessung QZL7\", \"Spektralmessung QZL7\")"},
        {kopf, "line 6: no points"},
        {kopf + "10900000;328;2\r\n10900000;328;2\r\n10905000;328;2\r\n", "line 8: 10905000 Hz where 10900000 Hz"},
        // blanks around a number are the number's
        {kopf + " 10900000 ; 328; 2\r\n10900000;328 ;2\r\n 10905000;328;2\r\n", "line 8: 10905000 Hz where"},
        {kopf + "10900000;99999999999;2\r\n", "line 6: the reading 99999999999 lies outside -2031 to 2432, what a converter reading (0 to 1023) gives with "
                                                 "the file's factors"},
        {kopf + "10900000;abc;2\r\n", "line 6: the reading 'abc' is not a whole number"},
        {kopf + "10900000;99999999999999999999;2\r\n", "line 6: the reading '99999999999999999999' is out of range"},
        {kopf + "10900000;328;99999999999\r\n", "line 6: the level 99999999999 is out of range"},
        {kopf + "10900000;328;-99999999999999999999\r\n", "line 6: the level '-99999999999999999999' is out of range"},
        {kopf + "10900000;328;2.5\r\n", "line 6: the level '2.5' is not a whole number"},
        {kopf + "1e7;328;2\r\n", "line 6: the frequency '1e7' is not a whole number of hertz"},
        {kopf + "-10900000;328;2\r\n", "line 6: the frequency -10900000 Hz lies below 0 Hz"},
        {kopf + "99999999999999999999;328;2\r\n", "line 6: the frequency '99999999999999999999' is out of range"},
        {kopf + "3000000000;328;2\r\n", "line 6: the frequency 3000000000 Hz lies beyond 32 bits"},
        {kopf + "10900000;328;2\r\n10905000;3", "line 7: cut off"},
        {kopf + "10900000;328\r\n", "line 6: not FREQUENCY;READING;LEVEL"},
        {lang, "line 306: more than 300 points"},
        {"Durchgangsmessung QZL7\r\nH\r\nlug\r\n", "line 3: 'lug' is neither lin nor log"},
        {"Reflexionsmessung QZL7\r\nH\r\n5;3\r\n5;3\r\n5;3\r\n5;3\r\n5;3\r\n5;3\r\n5;3\r\nlug\r\n",
         "line 10: 'lug' is neither lin nor log"},
        {"Reflexionsmessung QZL7\r\nH\r\n5;3;1\r\n", "line 3: not HEIGHT;TENTHS of reference line 1"},
        {"Durchgangsmessung QZL7\r\nH\r\nlin\r\nKorrekturfaktor1 =\r\n", "line 4: not Korrekturfaktor1 =NUMBER"},
    };
    for (const auto& [inhalt, meldung] : faelle) {
        cli.ordner.schreiben("k.dat", inhalt);
        EXPECT_EQ(cli.ausfuehren({"convert", cli.ordner.datei("k.dat")}), 1) << meldung;
        EXPECT_NE(cli.konsole->fehler.find(cli.ordner.datei("k.dat") + ", " + meldung), std::string::npos)
            << cli.konsole->fehler;
        EXPECT_EQ(cli.konsole->aus, "");
    }
}

// What went wrong, in English, with the names the user gave.
TEST(CliEingaben, Meldungen) {
    test::CliLauf cli;
    const auto& o = cli.ordner;
    const std::string port = cli.simulator.pfad();
    std::filesystem::create_directory(o.datei("ordner"));
    std::filesystem::create_symlink("s1", o.datei("s2"));
    std::filesystem::create_symlink("s2", o.datei("s1"));
    o.schreiben("spaet.cfg", "Startfrequenz    =2147483000\r\n");
    const std::string tabelle = "frequency_hz,reading,level_db\n10000000,400,0\n10010000,400,0\n";
    o.schreiben("r.csv", tabelle + "10020000,400,0\n");
    o.schreiben("schief.csv", tabelle + "10030000,400,0\n");
    o.schreiben("diff.csv", "frequency_hz,reading_diff,level_diff_db\n10000000,0,0\n");
    o.schreiben("leer.json", "{\"program\": \"qzl7-cli\"}\n");
    const auto gegen = [&](const std::string& name, std::vector<std::string> mehr = {}) {
        std::vector<std::string> a{"sweep", "--port", port, "--points", "3", "--reference", o.datei(name), "--math", "diff"};
        a.insert(a.end(), mehr.begin(), mehr.end());
        return a;
    };
    ASSERT_EQ(cli.sweep({"--points", "3", "-o", o.datei("d.dat")}), 0);
    ASSERT_EQ(cli.sweep({"--start", "0", "--points", "3", "-o", o.datei("null.dat")}), 0);
    const std::tuple<std::vector<std::string>, int, std::string> faelle[] = {
        {{"sweep", "--config", o.datei("ordner")}, 1, "ordner: cannot be read: Is a directory"},
        {{"sweep", "--config", o.datei("s1")}, 1, "s1: cannot be read: Too many levels of symbolic links"},
        {{"convert", o.datei("fehlt.dat")}, 1, "fehlt.dat: cannot be read: No such file or directory"},
        {{"sweep", "--stop", "1e30"}, 1, "--stop: the value lies beyond 32 bits"},
        {{"sweep", "--port", port, "--start", "2147483000", "--stop", "2147483647", "--points", "3"}, 0,
         "\n2147483646,"},
        {{"sweep", "--port", "/dev/null"}, 2,
         "qzl7-cli: cannot open /dev/null: Inappropriate ioctl for device; not a serial device: qzl7-cli list-ports"},
        {{"sweep", "--port", "COM0"}, 2, "qzl7-cli: cannot open COM0: No such file or directory"},
        {{"sweep", "--bogus"}, 1, "qzl7-cli sweep: unknown option '--bogus'\n(qzl7-cli sweep --help"},
        {{"sweep", "stray"}, 1, "qzl7-cli sweep: unexpected argument 'stray': sweep takes options only"},
        {{"list-ports", "stray"}, 1, "qzl7-cli list-ports: unexpected argument 'stray'"},
        {{"sweep", "--config", o.datei("spaet.cfg")}, 1, "spaet.cfg: the last sweep point, 2147762000 Hz, lies beyond"},
        {{"sweep", "--above", "12M:11M:-3"}, 1, "'12M:11M:-3' runs downward: give the lower frequency first"},
        // what one front-end writes, every front-end reads
        {{"convert", o.datei("null.dat")}, 0, "\n0,"},
        {{"convert", o.datei("d.dat"), "-o", "y.s1p"}, 1, "s1p holds a reflection (S11); the series is a transmission"},
        // a reference: read strictly, on the sweep's points, before the port opens
        {gegen("d.dat"), 0, "frequency_hz,reading_diff,level_diff_db\n10000000,0,0\n"},
        {gegen("fehlt.csv"), 1, "--reference " + o.datei("fehlt.csv") + ": cannot be read: No such file or directory"},
        {gegen("schief.csv"), 1, "schief.csv, line 4: 10030000 Hz where 10020000 Hz belongs"},
        {gegen("diff.csv"), 1, "diff.csv, line 1: holds differences (written with --math diff)"},
        {gegen("leer.json"), 1, "leer.json, not a JSON qzl7-cli wrote"},
        {gegen("r.csv", {"--points", "4"}), 1,
         "r.csv: the reference was measured at other frequencies (3 points from 10000000 Hz in steps of 10000 Hz)"},
        {gegen("r.csv", {"--detector", "lin"}), 1, "r.csv: the reference was measured with the other detector"},
        {gegen("r.csv", {"-o", "x.png"}), 1, "png holds the measurement itself, not a difference"},
        {{"sweep", "--math", "diff"}, 1, "--math diff: name the reference to subtract with --reference FILE"},
        {{"sweep", "--reference", o.datei("r.csv")}, 1, "--reference: only with --math diff"},
        {{"sweep", "--band", "-3"}, 1, "--band: '-3' is not a number of dB above 0"},
    };
    for (const auto& [argumente, ende, meldung] : faelle) {
        const auto vorher = cli.simulator.austauschAnzahl();
        EXPECT_EQ(cli.ausfuehren(argumente), ende) << meldung;
        if (ende == 1) {
            EXPECT_EQ(cli.simulator.austauschAnzahl(), vorher) << meldung;
        }
        EXPECT_NE((cli.konsole->fehler + cli.konsole->aus).find(meldung), std::string::npos) << cli.konsole->fehler;
        EXPECT_EQ(cli.konsole->fehler.find("reflection, or"), std::string::npos);
    }
}

}  // namespace
}  // namespace qzl
