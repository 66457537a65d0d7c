#pragma once
// Pieces of the diagram drawer, shared by its source files only.
#include <cstdint>

#include "state/ganzzahl.h"
#include "state/instrument_state.h"
#include "diagram/diagramm.h"
#include "raster/raster.h"

namespace qzl::diagramm {

using qzl::wrap32;

// Colour fields are 32-bit settings; a raster byte takes their low byte.
inline std::uint8_t farbe(std::int32_t feld) { return static_cast<std::uint8_t>(feld); }

// Calls schritt(i) for every i in [0, anzahl) whose wrapped position
// wrap32(basis + abstand * i) lies within [von, bis], where abstand > 0. Steps
// outside that window would only draw off the raster, so a huge count from a
// hand-edited configuration costs nothing. Wrapped positions may come out of
// order; every caller draws its steps in one colour, so order does not matter.
template <class Schritt>
void sichtbareSchritte(std::int64_t basis, std::int64_t abstand, std::int64_t anzahl, std::int64_t von,
                       std::int64_t bis, Schritt schritt) {
    auto abrunden = [](std::int64_t z, std::int64_t n) { return z / n - ((z % n != 0) && (z < 0)); };
    constexpr std::int64_t umlauf = std::int64_t{1} << 32;
    // basis + abstand * i stays within a few multiples of 2^32 of the window.
    for (std::int64_t n = -2; n <= 2; ++n) {
        std::int64_t iVon = -abrunden(-(von + n * umlauf - basis), abstand);
        std::int64_t iBis = abrunden(bis + n * umlauf - basis, abstand);
        if (iVon < 0) iVon = 0;
        if (iBis > anzahl - 1) iBis = anzahl - 1;
        for (std::int64_t i = iVon; i <= iBis; ++i) schritt(i);
    }
}

// Widest text the drawer writes: "-2.147.483.648 Hz", 17 cells of 8 pixels.
inline constexpr int breitesterText = 17 * 8;

struct Flaeche {
    Raster& raster;
    std::int32_t xUrsprung;
    std::int32_t yBasis;
    std::int32_t breite;  // W = 2 * messpunkte
    std::uint8_t farbe;
};

void frequenzmarkenZeichnen(const InstrumentState& st, Raster& r, std::int32_t messpunkte);
void logSkalaZeichnen(const Flaeche& f, std::int32_t untersteZahl);
void linSkalaZeichnen(const Flaeche& f, char dezimalzeichen);
void bezugslinienZeichnen(const Flaeche& f, const Bezugslinien& linien, char dezimalzeichen);
void frequenzachseZeichnen(const Flaeche& f, std::int32_t startfrequenz, std::int32_t schrittweite);
void vfoSkalaZeichnen(const InstrumentState& st, Raster& r);
void smithDiagrammZeichnen(const InstrumentState& st, Raster& r);

}  // namespace qzl::diagramm
