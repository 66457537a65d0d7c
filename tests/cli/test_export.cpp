// The window's export of a loaded series against qzl7-cli convert of its
// file, and its files read back by other programs.
#include <gtest/gtest.h>

#include "ausgabe/bildtafel.h"
#include "cli_lauf.h"
#include "engine/api.h"
#include "umgebung.h"

namespace qzl {
namespace {

// Series of the simulator's filter as the window saves them: transmission,
// reflection, spectrum, and transmission with the linear detector.
struct Reihen : test::CliLauf {
    Reihen() {
        for (const auto& [name, mode, detektor] : {std::tuple{"t.dat", "transmission", "log"},
                                                   {"r.dat", "reflection", "log"},
                                                   {"s.dat", "spectrum", "log"},
                                                   {"l.dat", "transmission", "lin"}})
            if (sweep({"--start", "10.9M", "--stop", "11.9M", "--points", "41", "--mode", mode, "--detector",
                       detektor, "--heading", "Prüfling", "-o", ordner.datei(name)}) != 0)
                throw std::runtime_error(konsole->fehler);
    }
};

TEST(Export, GleichConvert) {
    Reihen r;
    for (const char* reihe : {"t.dat", "r.dat", "s.dat", "l.dat"}) {
        auto u = test::neueUmgebung();
        ASSERT_TRUE(api::messreiheLaden(u->p.geraet, r.ordner.datei(reihe)));
        for (const auto& format : api::exportFormate()) {
            SCOPED_TRACE(std::string(reihe) + " " + format);
            const api::Ausfuhr a = api::exportieren(u->p.geraet, format);
            const std::string ziel = std::string(reihe) + "." + format;
            const int status = r.ausfuehren({"convert", r.ordner.datei(reihe), "-o", r.ordner.datei(ziel)});
            if (a.ergebnis) {
                EXPECT_EQ(status, 0) << r.konsole->fehler;
                EXPECT_EQ(a.daten, r.ordner.lesen(ziel));
            } else {
                EXPECT_NE(r.konsole->fehler.find(a.ergebnis.text), std::string::npos) << r.konsole->fehler;
            }
        }
    }
}

TEST(Export, AndereProgrammeLesenDieDateien) {
    Reihen r;
    const auto& o = r.ordner;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    ASSERT_TRUE(api::messreiheLaden(g, o.datei("r.dat")));
    ASSERT_TRUE(api::exportSpeichern(g, o.datei("r.s1p"), "s1p"));
    ASSERT_TRUE(api::exportSpeichern(g, o.datei("r.csv"), "csv"));
    // The transmission with itself as the reference and the difference shown.
    ASSERT_TRUE(api::messreiheLaden(g, o.datei("t.dat")));
    ASSERT_TRUE(api::referenzLaden(g, o.datei("t.dat")));
    ASSERT_TRUE(api::differenzZeigen(g, true));
    for (const char* name : {"t.s2p", "t.csv", "t.json", "e.dat"})
        ASSERT_TRUE(api::exportSpeichern(g, o.datei(name), std::string(name).substr(2)));
    bool ok = false;
    const std::string aus = test::python(
        "import csv, json, skrf\n"
        "def zeilen(n): return list(csv.DictReader(open('" + o.pfad + "/' + n)))\n"
        "t, r = zeilen('t.csv'), zeilen('r.csv')\n"
        "assert list(t[0]) == ['frequency_hz', 'reading', 'level_db', 'reference_level_db', 'diff_level_db'], t[0]\n"
        "assert all(z['level_db'] == z['reference_level_db'] and float(z['diff_level_db']) == 0 for z in t)\n"
        "s = skrf.Network('" + o.datei("t.s2p") + "')\n"
        "assert s.s.shape == (41, 2, 2) and s.f[0] == 10.9e6 and s.f[-1] == 11.9e6\n"
        "assert abs(s.s[:, 0, 0]).max() == 0 and abs(s.s[:, 0, 1]).max() == 0 and abs(s.s[:, 1, 1]).max() == 0\n"
        "assert max(abs(a - float(z['level_db'])) for a, z in zip(s.s_db[:, 1, 0], t)) < 1e-9\n"
        "s = skrf.Network('" + o.datei("r.s1p") + "')\n"
        "assert s.s.shape == (41, 1, 1)\n"
        "assert max(abs(a - float(z['level_db'])) for a, z in zip(s.s_db[:, 0, 0], r)) < 1e-9\n"
        "j = json.load(open('" + o.datei("t.json") + "'))\n"
        "assert j['port'] == 'file " + o.datei("t.dat") + "' and j['heading'] == 'Prüfling'\n"
        "assert [p['reference_level_db'] for p in j['points']] == [float(z['level_db']) for z in t]\n"
        "print('gelesen')\n",
        ok);
    EXPECT_TRUE(ok && aus.find("gelesen") != std::string::npos) << aus;
    auto v = test::neueUmgebung();
    ASSERT_TRUE(api::messreiheLaden(v->p.geraet, o.datei("e.dat")));
    EXPECT_EQ(v->p.geraet.geladeneReihe->werte, g.geladeneReihe->werte);
}

// The picture's box in the window's words and decimal separator.
TEST(Export, MarkenZeilenImBild) {
    const Kurvenbild k{1000000, 100000, Messart::durchgang, false, {300, 350, 400, 400, 380, 350, 300}, false};
    Spureinstellungen e;
    e.marken[0] = {.an = true, .frequenz = 1200000, .bandDb = 10.0};
    e.marken[1] = {.an = true, .frequenz = 1000000, .bezug = 1};
    e.marken[2] = {.an = true, .frequenz = 900000};
    e.marken[3] = {.an = true, .frequenz = 1100000, .bezug = 5};
    EXPECT_EQ(bildtafelZeilen(markenAblesen(k, e), e, false, true, ','),
              (std::vector<std::string>{"Synthetische Messwerte (Demonstration), nicht gemessen",
                                        "M1 1.200.000 Hz  0,0 dB", "   10,0 dB: 1.100.000 Hz … 1.500.000 Hz",
                                        "   B 400.000 Hz, Q 3,2", "M2 1.000.000 Hz  -20,0 dB",
                                        "   Δ zu M1: -200.000 Hz, -20,0 dB", "M3 900.000 Hz  außerhalb",
                                        "M4 1.100.000 Hz  -10,0 dB", "   Δ zu M5: aus"}));
}

}  // namespace
}  // namespace qzl
