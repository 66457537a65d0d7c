// The dial of the fixed-frequency generator: 20 pixels per step, from 14 steps
// below to 14 steps above the start frequency, with an arrow at the centre.
#include "state/hz_text.h"
#include "state/zf_regel.h"
#include "diagram/diagramm_teile.h"

namespace qzl::diagramm {

void vfoSkalaZeichnen(const InstrumentState& st, Raster& r) {
    const std::int64_t xU = st.xUrsprung;
    const std::int64_t yB = st.yBasis;
    const std::int32_t yBasis = wrap32(yB);
    const std::int32_t start = st.startfrequenz;
    const std::int32_t schritt = st.schrittweite;
    const std::uint8_t linie = farbe(st.diagrammfarbe);

    // The upper text is what the receiver sees once the IF offset is applied.
    const std::int64_t gezeigt = mitZwischenfrequenz(start, st.zwischenfrequenz, st.zfBerechnung);
    textZeichnen(r, wrap32(xU + 250), wrap32(yB - 80), hzText(gezeigt), linie);
    textZeichnen(r, wrap32(xU + 250), wrap32(yB - 30), hzText(start), linie);

    linieZeichnen(r, wrap32(xU), yBasis, wrap32(xU + 560), yBasis, linie);
    const std::int32_t strichEnde = wrap32(yB - 4);
    for (int s = 1; s <= 8; ++s) {
        const std::int32_t x = wrap32(xU + 80 * (s - 1));
        const std::int32_t hz = wrap32(start + std::int64_t{4 * (s - 1) - 14} * schritt);
        textZeichnen(r, wrap32(std::int64_t{x} - 24), wrap32(yB + (s % 2 == 1 ? 15 : 30)), hzText(hz), linie);
        linieZeichnen(r, x, yBasis, x, strichEnde, linie);
    }
    for (int t = 1; t <= 15; ++t) {
        const std::int32_t x = wrap32(xU + 40 * (t - 1));
        linieZeichnen(r, x, yBasis, x, strichEnde, linie);
    }

    // Arrowhead pointing down at the centre of the dial, tip on the dial line.
    struct Strich { int spalte, hoehe; };
    static constexpr Strich pfeil[] = {{280, 0}, {279, 2}, {281, 2}, {278, 4}, {282, 4},
                                       {277, 6}, {283, 6}, {276, 8}, {284, 8}};
    const std::uint8_t cursor = farbe(st.cursorfarbe);
    for (const auto& p : pfeil) {
        const std::int32_t x = wrap32(xU + p.spalte);
        linieZeichnen(r, x, wrap32(yB - p.hoehe), x, wrap32(yB - 12), cursor);
    }
}

}  // namespace qzl::diagramm
