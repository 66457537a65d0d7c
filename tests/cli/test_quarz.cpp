// qzl7-cli crystal against the simulator's crystal.
#include <gtest/gtest.h>

#include "cli_lauf.h"

namespace qzl {
namespace {

sim::SimOptionen quarzSim() {
    sim::SimOptionen o;
    o.modell = *sim::modellLesen("crystal:10e6:20:12e-3:5e-12");
    return o;
}

// What is refused before the port opens, and what the passes refuse.
TEST(CliQuarz, Verweigert) {
    test::CliLauf cli(quarzSim());
    const std::string port = cli.simulator.pfad();
    const std::pair<std::vector<std::string>, std::string> faelle[] = {
        {{"--start", "9.99M"}, "give the range to search for the resonance with --start and --stop"},
        {{"--start", "10M", "--stop", "10.0001M"}, "--stop: 100 Hz is too narrow a range for 300 points"},
        {{"--start", "10.01M", "--stop", "9.99M"}, "--stop: 9990000 Hz does not lie above the start"},
        {{"--start", "9.99M", "--stop", "10.01M", "--fixture", "0"}, "--fixture: a crystal fixture's resistance"},
        {{"--start", "9.99M", "--stop", "10.01M", "--fixture", "x"}, "--fixture: 'x' is not a number of ohms"},
        {{"--start", "9.99M", "--stop", "10.01M", "--format", "xml"}, "--format: 'xml' is none of text, json, csv"},
        {{"--start", "9.99M", "--stop", "10.01M", "-o", "x"}, "unknown option '-o'"},
        {{"--start", "9.99M", "--stop", "10.01M", "--mode", "reflection"}, "unknown option '--mode'"},
    };
    for (const auto& [argumente, meldung] : faelle) {
        std::vector<std::string> a{"crystal", "--port", port};
        a.insert(a.end(), argumente.begin(), argumente.end());
        EXPECT_EQ(cli.ausfuehren(a), 1) << meldung;
        EXPECT_EQ(cli.simulator.austauschAnzahl(), 0u) << meldung;
        EXPECT_NE(cli.konsole->fehler.find("qzl7-cli crystal: " + meldung), std::string::npos) << cli.konsole->fehler;
    }
    // A range beside the crystal: measured, then refused with what to change.
    EXPECT_EQ(cli.ausfuehren({"crystal", "--port", port, "--start", "9M", "--stop", "9.5M"}), 1);
    EXPECT_NE(cli.konsole->fehler.find("qzl7-cli crystal: no resonance in the range"), std::string::npos)
        << cli.konsole->fehler;
    EXPECT_EQ(cli.konsole->aus, "");
}

// The three formats give the same figures and warning; what was not
// measured is null, empty or said so.
TEST(CliQuarz, Formate) {
    test::CliLauf cli(quarzSim());
    const auto messen = [&](const char* format) {
        EXPECT_EQ(cli.ausfuehren({"crystal", "--port", cli.simulator.pfad(), "--start", "9.99M", "--stop", "10.01M",
                                  "--format", format}),
                  0)
            << cli.konsole->fehler;
        return cli.konsole->aus;
    };
    const std::string json = messen("json"), csv = messen("csv"), csvFehler = cli.konsole->fehler,
                      text = messen("text");
    const std::string schluessel[] = {"fs_hz", "fp_hz", "rm_ohm", "lm_h", "cm_f", "c0_f", "q_loaded",
                                      "q_unloaded", "loss_db", "residual_db", "band_points"};
    std::string kopf, zeile;
    for (const std::string& s : schluessel) {
        const auto stelle = json.find("\"" + s + "\": ");
        ASSERT_NE(stelle, std::string::npos) << s;
        const auto anfang = stelle + s.size() + 4;
        const std::string wert = json.substr(anfang, json.find_first_of(",}", anfang) - anfang);
        kopf += (kopf.empty() ? "" : ",") + s;
        zeile += (zeile.empty() ? "" : ",") + (wert == "null" ? "" : wert);
    }
    EXPECT_EQ(csv, kopf + "\n" + zeile + "\n");
    // fp lies 21 kHz above fs, beyond the range: it and C0 were not measured.
    EXPECT_EQ(zeile.find(",,"), zeile.find(','));
    EXPECT_NE(text.find("parallel resonance fp     not measured\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" mH\n"), std::string::npos) << text;
    // The warning, if any, in every format: csv has no column for it.
    const auto warnung = text.find("\nwarning: ");
    ASSERT_NE(warnung, std::string::npos) << "8 bits and a loss of 1.6 dB";
    const std::string grund = text.substr(warnung + 10, text.size() - warnung - 11);
    EXPECT_NE(json.find("\"warning\": \"" + grund + "\"}"), std::string::npos) << json;
    EXPECT_EQ(csvFehler, "qzl7-cli crystal: warning: " + grund + "\n");
}

}  // namespace
}  // namespace qzl
