#include "diagram/kurve.h"

#include <mutex>

#include "diagram/diagramm.h"
#include "raster/raster.h"
#include "state/ganzzahl.h"
#include "state/kurve.h"

namespace qzl {

void punktZeichnen(InstrumentState& st, std::int32_t i) {
    const std::int32_t n = punktAnzahl(st);
    if (i > 1 && i < n) {
        const std::int32_t xU = st.xUrsprung;
        const std::int32_t yB = st.yBasis;
        const std::int32_t x = xU + 2 * i;
        // Readings can be far off the raster; keep the rows inside int32.
        auto zeile = [&](std::int32_t wert) { return wrap32(std::int64_t{yB} - wert); };
        const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
        std::lock_guard lk(st.kurvenSperre);
        messpunktMarke(st.kurvenRaster, xU, yB, i, st.cursorIndex, st.messwerte[i],
                       static_cast<std::uint8_t>(st.hintergrundfarbe), static_cast<std::uint8_t>(st.cursorfarbe));
        linieZeichnen(st.kurvenRaster, x - 1, zeile(st.messwerte[i - 1]), x + 1, zeile(st.messwerte[i]), kurve);
        linieZeichnen(st.kurvenRaster, x + 1, zeile(st.messwerte[i]), x + 3, zeile(st.messwerte[i + 1]), kurve);
    }
}

void reiheZeichnen(InstrumentState& st, const Messreihe& r) {
    for (std::int32_t k = 1; k <= r.n; ++k)
        st.messwerte[static_cast<std::size_t>(k)] = r.werte[static_cast<std::size_t>(k)];
    const auto hintergrund = static_cast<std::uint8_t>(st.hintergrundfarbe);
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, hintergrund);
    }
    rasterFuellen(st.gitterRaster, hintergrund);
    skalaZeichnen(st, st.gitterRaster, static_cast<Messart>(r.art), r.lin, r.n, r.f1, r.s, r.linien);

    // Point k sits at column xUrsprung + 2k - 1; the last point is not joined.
    const std::int32_t xU = st.xUrsprung;
    const std::int32_t yB = st.yBasis;
    const auto zeile = [&](std::int32_t k) { return wrap32(std::int64_t{yB} - r.werte[static_cast<std::size_t>(k)]); };
    const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
    std::lock_guard sperre(st.kurvenSperre);
    for (std::int32_t i = 1; i <= r.n - 2; ++i)
        linieZeichnen(st.kurvenRaster, wrap32(std::int64_t{xU} + 2 * i - 1), zeile(i),
                      wrap32(std::int64_t{xU} + 2 * i + 1), zeile(i + 1), kurve);
}

void kurveUeberzeichnen(InstrumentState& st) {
    const std::int32_t n = punktAnzahl(st);
    const std::int64_t xU = st.xUrsprung;
    const std::int64_t yB = st.yBasis;
    const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
    std::lock_guard sperre(st.kurvenSperre);
    for (std::int32_t b = 1; b <= n - 2; ++b)
        linieZeichnen(st.kurvenRaster, wrap32(2 * b + xU - 1), wrap32(yB - wertBei(st, b)), wrap32(2 * b + xU + 1),
                      wrap32(yB - wertBei(st, b + 1)), kurve);
}

void vfoGrundlinie(InstrumentState& st) {
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, static_cast<std::uint8_t>(st.hintergrundfarbe));
    }
    const std::int32_t xU = st.xUrsprung;
    const std::int32_t yB = st.yBasis;
    linieZeichnen(st.gitterRaster, xU, yB, xU + 560, yB, static_cast<std::uint8_t>(st.diagrammfarbe));
}

}  // namespace qzl
