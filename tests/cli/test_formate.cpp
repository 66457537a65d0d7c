// Each format once, against what the window shows and writes after the same sweep.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/ausgabe.h"
#include "ausgabe/formate.h"
#include "engine/durchlauf.h"
#include "handlers/verbindung.h"
#include "state/kurve.h"
#include "cli_lauf.h"
#include "umgebung.h"
#include "engine/geraet.h"
#include "formats/konfiguration.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "formats/messreihe.h"
#include "sim_verbindung.h"

namespace qzl {
namespace {

// Two passes of the window's sweep (Start, then Stop during the second),
// composited as its refresh does; the CLI is asked for the same.
struct Fenster2Durchgaenge {
    explicit Fenster2Durchgaenge(test::SimVerbindung& v) : st(*v.st) {
        st.cursorIndex = cursorMitte(st.messpunkte);  // as at start-up: the arrow is in the picture
        PortSetzen(v.p);
        dm_diagramm(v.p);
        for (int d = 0; d < 2; ++d) {
            st.stopAnforderung = true;
            dauerlauf(v.p.geraet);
        }
        Timer2Timer(v.p);
        v.port.schliessen();
    }
    InstrumentState& st;
};

std::vector<std::vector<std::string>> zeilen(const std::string& text, char trenner) {
    std::vector<std::vector<std::string>> z;
    std::istringstream ein(text);
    for (std::string zeile; std::getline(ein, zeile);) {
        z.emplace_back();
        std::istringstream felder(zeile);
        for (std::string feld; std::getline(felder, feld, trenner);) z.back().push_back(feld);
    }
    return z;
}

struct PngBild {
    std::vector<std::uint8_t> indizes;
    std::vector<std::uint32_t> palette;
    png_uint_32 breite = 0, hoehe = 0;
};

PngBild pngLesen(const std::string& pfad) {
    PngBild b;
    std::FILE* datei = std::fopen(pfad.c_str(), "rb");
    if (!datei) return b;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, datei);
        png_read_info(png, info);
        b.breite = png_get_image_width(png, info);
        b.hoehe = png_get_image_height(png, info);
        png_colorp farben = nullptr;
        int anzahl = 0;
        png_get_PLTE(png, info, &farben, &anzahl);
        for (int i = 0; i < anzahl; ++i)
            b.palette.push_back(0xFF000000u | farben[i].red << 16 | farben[i].green << 8 | farben[i].blue);
        b.indizes.resize(std::size_t{b.breite} * b.hoehe);
        for (png_uint_32 y = 0; y < b.hoehe; ++y) png_read_row(png, b.indizes.data() + y * b.breite, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(datei);
    return b;
}

TEST(CliFormate, WieDasFensterNachDemselbenSweep) {
    test::SimVerbindung fensterSeite;
    const Fenster2Durchgaenge fenster(fensterSeite);
    test::CliLauf cli;
    cli.ordner.schreiben("qzl7.cfg", konfigurationText(fenster.st));
    const std::string heading = "Prüfling 7";
    const auto aufruf = [&](const std::string& name) {
        return cli.sweep({"--config", cli.ordner.datei("qzl7.cfg"), "--passes", "2", "--heading", heading, "-o",
                          cli.ordner.datei(name)});
    };
    const std::int32_t n = fenster.st.messpunkte;

    // CSV: the window's readings and the read-out's unrounded level.
    ASSERT_EQ(aufruf("a.csv"), 0) << cli.konsole->fehler;
    const auto csv = zeilen(cli.ordner.lesen("a.csv"), ',');
    ASSERT_EQ(csv.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"frequency_hz", "reading", "level_db"}));
    for (std::int32_t i = 1; i <= n; ++i) {
        const std::int32_t wert = fenster.st.messwerte[static_cast<std::size_t>(i)];
        ASSERT_EQ(csv[i].size(), 3u);
        EXPECT_EQ(std::stoll(csv[i][0]), 10000000 + (i - 1) * 10000LL) << i;
        EXPECT_EQ(std::stoi(csv[i][1]), wert) << i;
        EXPECT_EQ(std::stod(csv[i][2]), (wert - 400) / 5.0) << i;
    }

    // The series file byte for byte as the window writes it, and loaded back.
    ASSERT_EQ(aufruf("a.dat"), 0);
    fenster.st.messzeit = heading;
    const std::string dat = cli.ordner.lesen("a.dat");
    EXPECT_EQ(dat, messreiheText(fenster.st));
    const auto reihe = messreiheLesen(dat);
    ASSERT_TRUE(reihe);
    EXPECT_EQ(reihe->n, n);
    EXPECT_EQ(reihe->werte[140], fenster.st.messwerte[140]);
    // Converted back, the series gives the sweep's own CSV.
    ASSERT_EQ(cli.ausfuehren({"convert", cli.ordner.datei("a.dat"), "-o", cli.ordner.datei("b.csv")}), 0);
    EXPECT_EQ(cli.ordner.lesen("b.csv"), cli.ordner.lesen("a.csv"));

    // The picture: the window's composite, pixel for pixel, in its colours.
    ASSERT_EQ(aufruf("a.png"), 0);
    const PngBild bild = pngLesen(cli.ordner.datei("a.png"));
    ASSERT_EQ(bild.breite, 641u);
    ASSERT_EQ(bild.hoehe, 481u);
    EXPECT_TRUE(std::equal(bild.indizes.begin(), bild.indizes.end(), fenster.st.anzeigeBitmap.indizes.begin()));
    EXPECT_TRUE(std::equal(bild.palette.begin(), bild.palette.end(), farbtabelle().begin()));
    EXPECT_EQ(bild.palette.size(), 256u);
}

// The segment toward the last point shows that point's reading, as the
// window's next pass draws it: one pass gives the picture of two, and so do
// combined passes of the same readings.
TEST(CliFormate, LetzterPunktMitSeinemMesswert) {
    test::CliLauf cli;
    for (const auto& [d, kombination] : {std::pair{"1", "last"}, {"2", "last"}, {"2", "max"}})
        ASSERT_EQ(cli.sweep({"--points", "201", "--passes", d, "--combine", kombination, "--heading", "H", "-o",
                             cli.ordner.datei(std::string(d) + kombination + ".png")}),
                  0);
    EXPECT_EQ(cli.ordner.lesen("1last.png"), cli.ordner.lesen("2last.png"));
    EXPECT_EQ(cli.ordner.lesen("1last.png"), cli.ordner.lesen("2max.png"));
}

TEST(CliFormate, TouchstoneUndJsonLesenAndereProgramme) {
    test::CliLauf cli;
    const auto& o = cli.ordner;
    for (const char* name : {"t.csv", "t.s2p", "t.json"})
        ASSERT_EQ(cli.sweep({"--start", "11M", "--step", "20k", "--points", "41", "-o", o.datei(name)}), 0) << name;
    ASSERT_EQ(cli.sweep({"--mode", "reflection", "--points", "7", "-o", o.datei("r.s1p")}), 0);
    ASSERT_EQ(cli.sweep({"--mode", "reflection", "--points", "7", "-o", o.datei("r.csv")}), 0);

    // scikit-rf reads both files; its dB are the levels of the CSV.
    bool ok = false;
    const std::string aus = test::python(
        "import csv, json, skrf\n"
        "def pegel(n): return [float(z['level_db']) for z in csv.DictReader(open('" + o.pfad + "/' + n))]\n"
        "t = skrf.Network('" + o.datei("t.s2p") + "')\n"
        "assert t.s.shape == (41, 2, 2) and t.f[0] == 11e6 and t.f[-1] == 11.8e6\n"
        "assert abs(t.s[:, 0, 0]).max() == 0 and abs(t.s[:, 0, 1]).max() == 0 and abs(t.s[:, 1, 1]).max() == 0\n"
        "assert max(abs(a - b) for a, b in zip(t.s_db[:, 1, 0], pegel('t.csv'))) < 1e-9\n"
        "r = skrf.Network('" + o.datei("r.s1p") + "')\n"
        "assert r.s.shape == (7, 1, 1)\n"
        "assert max(abs(a - b) for a, b in zip(r.s_db[:, 0, 0], pegel('r.csv'))) < 1e-9\n"
        "j = json.load(open('" + o.datei("t.json") + "'))\n"
        "assert j['settings']['points'] == 41 and j['settings']['mode'] == 'transmission'\n"
        "assert [p['level_db'] for p in j['points']] == pegel('t.csv')\n"
        "assert j['port'] == '" + cli.simulator.pfad() + "' and j['time'][:2] == '20'\n"
        "assert j['evaluation']['bandwidth_6db_hz'] == 660000, j['evaluation']\n"
        "assert j['evaluation']['bandwidth_3db_hz'] == 500000, j['evaluation']\n"
        "print('gelesen')\n",
        ok);
    EXPECT_TRUE(ok) << aus;
    EXPECT_NE(aus.find("gelesen"), std::string::npos) << aus;
}

// The simulator's filter: --band alone gives the report with the band
// between the points, JSON a null for a band that runs off; a reference
// equal to the sweep gives differences of 0 in every format that reads
// back, and the limits judge those differences, not the levels.
TEST(CliFormate, BandUndReferenz) {
    test::CliLauf cli;
    const auto& o = cli.ordner;
    const std::vector<std::string> filter{"--start", "10.9M", "--stop", "11.9M", "--points", "51"};
    const auto sweep = [&](std::vector<std::string> mehr) {
        mehr.insert(mehr.begin(), filter.begin(), filter.end());
        return cli.sweep(mehr);
    };
    ASSERT_EQ(sweep({"--band", "3"}), 0);
    EXPECT_NE(cli.konsole->aus.find("bandwidth_3db_hz: 500000\n"), std::string::npos) << cli.konsole->aus;
    EXPECT_NE(cli.konsole->aus.find("band_db: 3\nband_low_hz: 11160000\nband_high_hz: 11650000\n"
                                    "band_width_hz: 490000\nband_centre_hz: 11405000\nband_q: 23.28\n"),
              std::string::npos)
        << cli.konsole->aus;
    ASSERT_EQ(sweep({"--band", "40", "--format", "json"}), 0);
    EXPECT_NE(cli.konsole->aus.find("\"band_db\": 40, \"band_low_hz\": null"), std::string::npos);

    for (const char* name : {"r.csv", "r.tsv", "r.json"}) {
        ASSERT_EQ(sweep({"-o", o.datei(name)}), 0) << name;
        ASSERT_EQ(sweep({"--reference", o.datei(name), "--math", "diff", "--format", "json"}), 0)
            << name << cli.konsole->fehler;
        const std::string& j = cli.konsole->aus;
        EXPECT_NE(j.find("\"math\": \"diff\",\n  \"reference\": \"" + o.datei(name) + "\""), std::string::npos);
        EXPECT_EQ(j.find("\"reading\""), std::string::npos);
        std::size_t nullen = 0;
        for (auto p = j.find("\"reading_diff\": 0, \"level_diff_db\": 0}"); p != std::string::npos;
             p = j.find("\"reading_diff\": 0, \"level_diff_db\": 0}", p + 1))
            ++nullen;
        EXPECT_EQ(nullen, 51u) << name;
    }
    EXPECT_EQ(sweep({"--reference", o.datei("r.csv"), "--math", "diff", "--below", "10.9M:11.9M:-1", "-o",
                     o.datei("d.csv")}),
              3);
    EXPECT_EQ(o.lesen("d.csv").substr(0, 53), "frequency_hz,reading_diff,level_diff_db\n10900000,0,0\n");
}

// The line formats, to the character: what other tools parse.
TEST(CliFormate, ZeilenJeSweep) {
    auto u = test::neueUmgebung();
    auto& st = u->st;
    st.startfrequenz = 10000000;
    st.schrittweite = 2500;
    st.messpunkte = 3;
    st.messart = Messart::durchgang;
    for (int i = 1; i <= 3; ++i) st.messwerte[i] = 400 - 3 * i;  // -0.6, -1.2, -1.8 dB
    Kopf kopf{"2026-12-07T19:45:26+01:00", "demo", 1, Kombination::letzte, 7};
    EXPECT_EQ(rtlPowerZeile(st, kopf),
              "2026-12-07, 19:45:26, 10000000, 10007500, 2500.00, 1, -0.60, -1.20, -1.80\n");
    EXPECT_EQ(jsonlZeile(st, kopf),
              "{\"time\": \"2026-12-07T19:45:26+01:00\", \"pass\": 7, \"mode\": \"transmission\", \"detector\": "
              "\"log\", \"start_hz\": 10000000, \"step_hz\": 2500, \"points\": 3, \"frequency_hz\": [10000000, "
              "10002500, 10005000], \"level_db\": [-0.6, -1.2, -1.8]}\n");
    st.zfAktiv = true;
    st.zfBerechnung = 1;
    EXPECT_NE(jsonText(st, kopf).find("\"if_mode\": \"sub\""), std::string::npos);
    st.linModus = true;
    EXPECT_NE(rtlPowerEinwand(*formatAusName("rtl_power"), st, false), "");

    // The headers' time with the local offset, half-hour zones included.
    const std::string vorher = std::getenv("TZ") ? std::getenv("TZ") : "";
    const std::pair<const char*, const char*> zonen[] = {
        {"UTC0", "2026-12-07T19:45:26+00:00"}, {"IST-5:30", "2026-12-08T01:15:26+05:30"},
        {"NST3:30", "2026-12-07T16:15:26-03:30"}};
    for (const auto& [zone, zeit] : zonen) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        EXPECT_EQ(cli::isoZeit(1796672726), zeit) << zone;
    }
    vorher.empty() ? ::unsetenv("TZ") : ::setenv("TZ", vorher.c_str(), 1);
    ::tzset();
}

// A format added to the table is named wherever the formats are listed:
// the manual page, the shell's completion and the README (--help is made
// from the table).
TEST(CliFormate, JedeListeNenntDieFormateDerTabelle) {
    const auto lesen = [](const char* pfad) {
        std::ifstream datei(std::string(QZL7_QUELLE) + pfad);
        return std::string((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
    };
    std::string zeilen, striche;
    for (const auto& f : ausgabeformate()) {
        const std::string name(f.name);
        zeilen += (zeilen.empty() ? "" : "\\n") + name;
        striche += (striche.empty() ? "" : "|") + name;
    }
    const std::pair<const char*, std::string> listen[] = {
        {"/dist/man/qzl7-cli.1", ""},
        {"/dist/qzl7-cli.bash-completion", "--format) werte=$'" + zeilen + "'"},
        {"/README.md", "[--format " + striche + "]"},
    };
    for (const auto& [pfad, liste] : listen) {
        const std::string text = lesen(pfad);
        ASSERT_FALSE(text.empty()) << pfad;
        if (!liste.empty()) {
            EXPECT_NE(text.find(liste), std::string::npos) << pfad << ": " << liste;
        }
    }
    const std::string man = lesen("/dist/man/qzl7-cli.1");
    for (const auto& f : ausgabeformate())
        EXPECT_NE(man.find(".B " + std::string(f.name) + "\n"), std::string::npos) << f.name;
}

}  // namespace
}  // namespace qzl
