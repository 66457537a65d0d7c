// What qzl7-cli refuses to read, and what it says about it.
#include <gtest/gtest.h>

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
        {"Hallo\r\n", "line 1: not a series file of qzl7"},
        {kopf, "line 6: no points"},
        {kopf + "10900000;328;2\r\n10900000;328;2\r\n10905000;328;2\r\n", "line 8: 10905000 Hz where 10900000 Hz"},
        {kopf + "10900000;99999999999;2\r\n", "line 6: the reading 99999999999 lies outside -2031 to 2432"},
        {kopf + "10900000;abc;2\r\n", "line 6: the reading 'abc' is not a whole number"},
        {kopf + "-10900000;328;2\r\n", "line 6: the frequency -10900000 Hz is not above 0 Hz"},
        {kopf + "3000000000;328;2\r\n", "line 6: the frequency 3000000000 Hz lies beyond 32 bits"},
        {kopf + "10900000;328;2\r\n10905000;3", "line 7: cut off"},
        {kopf + "10900000;328\r\n", "line 6: not FREQUENCY;READING;LEVEL"},
        {lang, "line 306: more than 300 points"},
        {"Durchgangsmessung QZL7\r\nH\r\nlug\r\n", "line 3: 'lug' is neither lin nor log"},
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

}  // namespace
}  // namespace qzl
