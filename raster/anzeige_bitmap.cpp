#include "raster/anzeige_bitmap.h"

namespace qzl {

AnzeigeBitmap::AnzeigeBitmap() {
    indizes.fill(255);
    rgb.fill(farbtabelle()[255]);
}

// The rasters are column-major and the bitmap row-major, so the composite is a
// transpose. It runs in strips of 32 columns: the strip's source columns of
// both rasters (30 KB) stay in the first-level cache while its piece of every
// bitmap row is written. The colour lookup costs about as much as the
// transpose itself; a vectorised 16 x 16 transpose gained only a tenth.
void rasterKombinieren(AnzeigeBitmap& bitmap, const Raster& erstes, const Raster& zweites) {
    constexpr int streifen = 32;
    static_assert(rasterBreite % streifen == 0);
    const auto& farben = farbtabelle();
    const std::uint8_t* a = erstes.px.data();
    const std::uint8_t* b = zweites.px.data();

    for (int x0 = 0; x0 < rasterBreite; x0 += streifen) {
        const std::size_t quelle = static_cast<std::size_t>(x0) * rasterHoehe;
        for (int y = 0; y < rasterHoehe; ++y) {
            // Raster pixel (x0 + 1 + k, y + 1) lands on bitmap column x0 + 1 + k, row y + 1.
            const std::size_t ziel = static_cast<std::size_t>(y + 1) * bitmapBreite + 1 + static_cast<std::size_t>(x0);
            std::uint8_t* zeileIdx = bitmap.indizes.data() + ziel;
            std::uint32_t* zeileRgb = bitmap.rgb.data() + ziel;
            for (int k = 0; k < streifen; ++k) {
                const std::size_t q = quelle + static_cast<std::size_t>(k) * rasterHoehe + static_cast<std::size_t>(y);
                const std::uint8_t wert = a[q] & b[q];
                zeileIdx[k] = wert;
                zeileRgb[k] = farben[wert];
            }
        }
    }
}

}  // namespace qzl
