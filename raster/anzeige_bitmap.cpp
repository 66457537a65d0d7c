#include "raster/anzeige_bitmap.h"

#include <algorithm>
#include <cstring>

namespace qzl {

AnzeigeBitmap::AnzeigeBitmap() {
    indizes.fill(255);
    rgb.fill(farbtabelle()[255]);
}

namespace {

// Columns von..bis of rows oben..unten, 1 <= von <= bis <= 640 and
// 1 <= oben <= unten <= 480. The rasters are column-major and
// the bitmap row-major, so the composite is a transpose. It runs in strips of
// 32 columns: the strip's source columns of both rasters (30 KB) stay in the
// first-level cache while its piece of every bitmap row is written. The
// colour lookup costs about as much as the transpose itself; a vectorised
// 16 x 16 transpose gained only a tenth.
template <bool mitDrittem>
void kombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites, const Raster* drittes, int von,
                 int bis, int oben, int unten) {
    constexpr int streifen = 32;
    const auto& farben = farbtabelle();
    const std::uint8_t* a = erstes.px.data();
    const std::uint8_t* b = zweites.px.data();
    const std::uint8_t* c = mitDrittem ? drittes->px.data() : nullptr;

    for (int x0 = von - 1; x0 < bis; x0 += streifen) {
        const int breite = std::min(streifen, bis - x0);
        const std::size_t quelle = static_cast<std::size_t>(x0) * rasterHoehe;
        for (int y = oben - 1; y < unten; ++y) {
            // Raster pixel (x0 + 1 + k, y + 1) lands on bitmap column x0 + 1 + k, row y + 1.
            const std::size_t ziel = static_cast<std::size_t>(y + 1) * bitmapBreite + 1 + static_cast<std::size_t>(x0);
            std::uint8_t* zeileIdx = bitmap.indizes.data() + ziel;
            std::uint32_t* zeileRgb = bitmap.rgb.data() + ziel;
            for (int k = 0; k < breite; ++k) {
                const std::size_t q = quelle + static_cast<std::size_t>(k) * rasterHoehe + static_cast<std::size_t>(y);
                std::uint8_t wert = a[q] & b[q];
                if constexpr (mitDrittem) wert &= c[q];
                zeileIdx[k] = wert;
                zeileRgb[k] = farben[wert];
            }
        }
    }
}

}  // namespace

void rasterKombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites, const Raster* drittes) {
    if (drittes)
        kombinieren<true>(bitmap, erstes, zweites, drittes, 1, rasterBreite, 1, rasterHoehe);
    else
        kombinieren<false>(bitmap, erstes, zweites, nullptr, 1, rasterBreite, 1, rasterHoehe);
}

void rasterKombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites, const Aenderung& teil,
                       const Raster* drittes) {
    if (teil.oben > teil.unten) return;
    teil.spalten.laeufe([&](int von, int bis) {
        if (drittes)
            kombinieren<true>(bitmap, erstes, zweites, drittes, von, bis, teil.oben, teil.unten);
        else
            kombinieren<false>(bitmap, erstes, zweites, nullptr, von, bis, teil.oben, teil.unten);
    });
}

void spaltenKopieren(Raster& ziel, const Raster& quelle, const Spalten& spalten) {
    // Adjacent columns are one block of memory.
    spalten.laeufe([&](int von, int bis) {
        const auto anfang = static_cast<std::size_t>(von - 1) * rasterHoehe;
        std::memcpy(ziel.px.data() + anfang, quelle.px.data() + anfang,
                    static_cast<std::size_t>(bis - von + 1) * rasterHoehe);
    });
}

}  // namespace qzl
