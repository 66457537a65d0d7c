#include "diagram/spuren_bild.h"

#include <algorithm>

namespace qzl {

namespace {

std::int32_t zeile(std::int32_t yBasis, std::int64_t wert) {
    // Far-off readings stay far off the raster without leaving 32 bits.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(yBasis - wert, -100000, 100000));
}

void kurveZeichnen(Raster& r, std::int32_t spalte1, std::int32_t yBasis, const Kurvenbild& k, std::int32_t null,
                   std::uint8_t farbe) {
    for (std::size_t i = 1; i < k.werte.size(); ++i) {
        const auto x = static_cast<std::int32_t>(spalte1 + 2 * static_cast<std::int32_t>(i - 1));
        linieZeichnen(r, x, zeile(yBasis, std::int64_t{k.werte[i - 1]} + null), x + 2,
                      zeile(yBasis, std::int64_t{k.werte[i]} + null), farbe);
    }
}

}  // namespace

void spurenZeichnen(Raster& r, const InstrumentState& st, const Spurzeichnung& z) {
    rasterFuellen(r, 255);
    const std::int32_t xU = st.xUrsprung, yB = st.yBasis;
    // Point 1's column: where the curve shown draws it.
    const std::int32_t spalte1 = xU + (z.versetzt ? 1 : 3);
    if (z.referenz) kurveZeichnen(r, spalte1, yB, *z.referenz, 0, referenzFarbe);
    if (z.gehalten) kurveZeichnen(r, spalte1, yB, *z.gehalten, 0, halteFarbe);
    if (z.differenz) {
        const auto n = static_cast<std::int32_t>(z.differenz->werte.size());
        linieZeichnen(r, spalte1, yB - differenzNull, spalte1 + 2 * std::max(n - 1, 0), yB - differenzNull,
                      differenzFarbe);
        kurveZeichnen(r, spalte1, yB, *z.differenz, differenzNull, differenzFarbe);
    }
    // Over the other curves, which it is to be compared with; under the marks.
    if (z.quarz) kurveZeichnen(r, spalte1, yB, *z.quarz, 0, quarzFarbe);
    // At least a short dash where a segment covers one point.
    for (const auto& g : z.grenzen) {
        const std::int32_t y = zeile(yB, g.wert);
        linieZeichnen(r, spalte1 + 2 * (g.von - 1) - (g.von == g.bis), y, spalte1 + 2 * (g.bis - 1) + (g.von == g.bis), y,
                      grenzenFarbe);
    }
    // The cursor's arrow, with the marker's digit above it.
    static constexpr int abstand[5][2] = {{0, 1}, {1, 2}, {2, 4}, {3, 6}, {4, 8}};
    for (const auto& m : z.marken) {
        const std::int32_t x = spalte1 + 2 * (m.punkt - 1);
        const std::int32_t y = zeile(yB, m.wert);
        for (const auto& [links, hoehe] : abstand) linieZeichnen(r, x - links, y - hoehe, x - links, y - 10, messmarkenFarbe);
        glyphZeichnen(r, x - 6, y - 20, static_cast<char>('0' + m.nummer), messmarkenFarbe);
    }
}

}  // namespace qzl
