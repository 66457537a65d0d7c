// The window's export of a loaded series against qzl7-cli convert of its
// file, and its files read back by other programs.
#include <gtest/gtest.h>
#include <png.h>

#include "ausgabe/png.h"
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

std::vector<std::uint8_t> rgb(const std::string& daten) {
    png_image bild{};
    bild.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&bild, daten.data(), daten.size())) return {};
    bild.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> px(PNG_IMAGE_SIZE(bild));
    png_image_finish_read(&bild, nullptr, px.data(), 0, nullptr);
    return px;
}

// The markers' figures stand in one box, in the markers' red, in the corner
// that hides least of the curve; the rest is the window's picture.
TEST(Export, MarkenImBildInEinerEcke) {
    Reihen r;
    auto u = test::neueUmgebung();
    Geraet& g = u->p.geraet;
    ASSERT_TRUE(api::messreiheLaden(g, r.ordner.datei("t.dat")));
    ASSERT_TRUE(api::markeSuchen(g, 1, Suche::maximum));
    ASSERT_TRUE(api::markeSetzen(g, 2, {.an = true, .frequenz = 11000000, .bezug = 1}));
    const auto mit = rgb(api::exportieren(g, "png").daten), fenster = rgb(pngKodieren(api::anzeigeBild(g)));
    ASSERT_EQ(mit.size(), 641u * 481 * 3);
    int links = 641, rechts = -1, oben = 481, unten = -1, rot = 0;
    for (std::size_t i = 0; i < mit.size(); i += 3) {
        if (std::equal(&mit[i], &mit[i + 3], &fenster[i])) continue;
        const int x = static_cast<int>(i / 3 % 641), y = static_cast<int>(i / 3 / 641);
        links = std::min(links, x), rechts = std::max(rechts, x), oben = std::min(oben, y), unten = std::max(unten, y);
        rot += mit[i] == 0xFF && mit[i + 1] == 0 && mit[i + 2] == 0;
    }
    // Three lines; the filter's skirts run through the lower corners, its
    // peak through the top's middle: the box stands at the top right.
    EXPECT_GT(rot, 300);
    EXPECT_EQ(std::tuple(oben, unten, rechts), std::tuple(13, 13 + 3 * 10 + 5, 637));
    EXPECT_GT(links, 320);
}

}  // namespace
}  // namespace qzl
