#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "handlers/sweep.h"
#include "umgebung.h"

namespace qzl {
namespace {

// One drawing operation of any kind, anywhere (partly off the raster too).
void zufaelligZeichnen(Raster& r, std::mt19937& z) {
    auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(z); };
    const std::uint8_t farben[] = {0, 24, 150, 230, 255, static_cast<std::uint8_t>(zahl(0, 255))};
    const std::uint8_t farbe = farben[zahl(0, 5)];
    switch (zahl(0, 9)) {
        case 0: punktSetzen(r, zahl(-5, 645), zahl(-5, 485), farbe); break;
        case 1: r.at(zahl(1, 640), zahl(1, 480)) = farbe; break;
        case 2: textZeichnen(r, zahl(-40, 650), zahl(-10, 485), std::to_string(zahl(-9999, 99999)), farbe); break;
        case 3: messpunktMarke(r, 30, 410, zahl(1, 320), zahl(1, 320), zahl(-100, 500), 255, farbe); break;
        case 4: if (zahl(0, 30) == 0) rasterFuellen(r, farbe); break;
        default: linieZeichnen(r, zahl(-50, 700), zahl(-50, 530), zahl(-50, 700), zahl(-50, 530), farbe);
    }
}

// A long random sequence of drawing on both layers, refreshed now and then:
// every frame equals a full composite of the layers, every pixel that changed
// lies in a rectangle the window was asked to repaint, and a tick with nothing
// new paints nothing.
TEST(Anzeige, TeilweiseAuffrischungGleichtDemVollbild) {
    auto u = test::neueUmgebung();
    auto& st = u->st;
    auto& f = u->fenster;
    std::mt19937 z(20240607);
    auto voll = std::make_unique<AnzeigeBitmap>();
    auto vorher = std::make_unique<AnzeigeBitmap>();
    int teilweise = 0;
    for (int schritt = 0; schritt < 6000; ++schritt) {
        zufaelligZeichnen(z() % 2 ? st.gitterRaster : st.kurvenRaster, z);
        if (z() % 16 != 0) continue;

        const auto meldungen = f.teilbilder.size();
        Timer2Timer(u->p);
        rasterKombinieren(*voll, st.gitterRaster, st.kurvenRaster);
        ASSERT_TRUE(st.anzeigeBitmap.indizes == voll->indizes) << "step " << schritt;
        ASSERT_TRUE(st.anzeigeBitmap.rgb == voll->rgb) << "step " << schritt;

        auto gemeldet = [&](int c, int r) {
            for (auto i = meldungen; i < f.teilbilder.size(); ++i) {
                const auto& t = f.teilbilder[i];
                if (c >= t.links && c <= t.rechts && r >= t.oben && r <= t.unten) return true;
            }
            return false;
        };
        const bool ganz = f.teilbilder.size() == meldungen + 1 && f.teilbilder.back().links == 1 &&
                          f.teilbilder.back().rechts == 640 && f.teilbilder.back().oben == 1 &&
                          f.teilbilder.back().unten == 480;
        if (!ganz) ++teilweise;
        for (int r = 0; r < bitmapHoehe; ++r)
            for (int c = 0; c < bitmapBreite; ++c)
                if (voll->index(c, r) != vorher->index(c, r)) {
                    ASSERT_TRUE(gemeldet(c, r)) << "step " << schritt << " pixel " << c << "," << r;
                }
        *vorher = *voll;

        const int bilder = f.bilder;
        Timer2Timer(u->p);
        ASSERT_EQ(f.bilder, bilder);
    }
    EXPECT_GT(teilweise, 100);  // the sequence really exercised partial frames
}

}  // namespace
}  // namespace qzl
