#include "diagram/diagramm.h"
#include "state/kurve.h"

#include <algorithm>
#include <mutex>

#include "state/hz_text.h"
#include "diagram/diagramm_teile.h"

namespace qzl {

namespace diagramm {

void frequenzmarkenZeichnen(const InstrumentState& st, Raster& r, std::int32_t messpunkte) {
    const std::int32_t start = st.startfrequenz;
    const std::int32_t schritt = st.schrittweite;
    const std::int32_t xUrsprung = st.xUrsprung;
    const std::int32_t yBasis = st.yBasis;
    const std::uint8_t marke = farbe(st.markenfarbe);
    std::array<std::int32_t, anzahlFreqMarken + 1> marken{};
    for (int m = 1; m <= anzahlFreqMarken; ++m) marken[static_cast<std::size_t>(m)] = st.freqMarken[static_cast<std::size_t>(m)];

    // Point k = i + 1 sits at column 2k + xUrsprung - 2; its line needs that
    // column on the raster, its label (right of it) may start further left.
    sichtbareSchritte(xUrsprung, 2, messpunkte, 1 - breitesterText, rasterBreite, [&](std::int64_t i) {
        const std::int32_t unten = wrap32(start + i * schritt);
        const std::int32_t oben = wrap32(start + (i + 1) * schritt);
        const std::int32_t x = wrap32(xUrsprung + 2 * i);
        for (int m = 1; m <= anzahlFreqMarken; ++m) {
            const std::int32_t f = marken[static_cast<std::size_t>(m)];
            // 0 is an empty slot, not a marker at 0 Hz: a range from 0 Hz
            // or below would otherwise show a line for every unused slot.
            if (f != 0 && unten <= f && f < oben) {
                linieZeichnen(r, x, yBasis, x, wrap32(std::int64_t{yBasis} - 400), marke);
                // The label row follows the slot number so that neighbours of
                // consecutive slots do not overwrite each other.
                const std::int32_t y = wrap32(std::int64_t{yBasis} + (m % 2 == 1 ? 45 : 55));
                textZeichnen(r, x, y, hzText(f), marke);
            }
        }
    });
}

}  // namespace diagramm

void diagrammZeichnen(InstrumentState& st) {
    using namespace diagramm;
    const std::int32_t messpunkte = st.messpunkte;
    for (std::int32_t k = 1; k <= punktAnzahl(st); ++k) st.messwerte[static_cast<std::size_t>(k)] = 1;

    const std::uint8_t hintergrund = farbe(st.hintergrundfarbe);
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, hintergrund);
    }
    Raster& gitter = st.gitterRaster;
    rasterFuellen(gitter, hintergrund);

    frequenzmarkenZeichnen(st, gitter, messpunkte);

    const Messart art = st.messart;
    switch (art) {
        case Messart::durchgang:
        case Messart::reflexion:
        case Messart::spektrum:
        case Messart::demo:
            // Demonstration readings are shown on the transmission scale.
            skalaZeichnen(st, gitter, art == Messart::demo ? Messart::durchgang : art, st.linModus, messpunkte,
                          st.startfrequenz, st.schrittweite, bezugslinienVon(st));
            break;
        case Messart::vfo:
            rasterFuellen(gitter, hintergrund);
            vfoSkalaZeichnen(st, gitter);
            break;
        case Messart::smith:
            rasterFuellen(gitter, hintergrund);
            smithDiagrammZeichnen(st, gitter);
            break;
        default:
            break;
    }
}

}  // namespace qzl
