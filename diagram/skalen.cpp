// Level scales, reference lines and the frequency axis of the sweep kinds.
#include "state/hz_text.h"
#include "diagram/diagramm_teile.h"
#include "diagram/zahlentext.h"

namespace qzl::diagramm {

namespace {

// Label left of the plotting area, centred on the line at row y, then the line.
void beschrifteteLinie(const Flaeche& f, std::int32_t y, const std::string& text) {
    textZeichnen(f.raster, wrap32(std::int64_t{f.xUrsprung} - 30), wrap32(std::int64_t{y} - 4), text, f.farbe);
    linieZeichnen(f.raster, f.xUrsprung, y, wrap32(std::int64_t{f.xUrsprung} + f.breite), y, f.farbe);
}

}  // namespace

// Five pixels per dB, a labelled line every 10 dB from the baseline up.
void logSkalaZeichnen(const Flaeche& f, std::int32_t untersteZahl) {
    for (int n = 0; n <= 8; ++n)
        beschrifteteLinie(f, wrap32(std::int64_t{f.yBasis} - 50 * n), ganzzahlText(untersteZahl + 10 * n));
}

void linSkalaZeichnen(const Flaeche& f, char dezimalzeichen) {
    for (int n = 0; n <= 10; ++n)
        beschrifteteLinie(f, wrap32(std::int64_t{f.yBasis} - 40 * n), bruchText(n / 10.0, dezimalzeichen));
}

void bezugslinienZeichnen(const Flaeche& f, const Bezugslinien& linien, char dezimalzeichen) {
    const std::int32_t rechts = wrap32(std::int64_t{f.xUrsprung} + f.breite);
    const std::int32_t oben = wrap32(std::int64_t{f.yBasis} - 400);
    linieZeichnen(f.raster, f.xUrsprung, f.yBasis, rechts, f.yBasis, f.farbe);
    linieZeichnen(f.raster, f.xUrsprung, oben, rechts, oben, f.farbe);
    for (std::size_t j = 1; j <= anzahlLinien; ++j)
        beschrifteteLinie(f, wrap32(std::int64_t{f.yBasis} - linien.hoehe[j]),
                          bruchText(linien.zehntel[j] / 10.0, dezimalzeichen));
}

void frequenzachseZeichnen(const Flaeche& f, std::int32_t startfrequenz, std::int32_t schrittweite) {
    const std::int32_t oben = wrap32(std::int64_t{f.yBasis} - 400);
    const std::int32_t zeile1 = wrap32(std::int64_t{f.yBasis} + 15);
    const std::int32_t zeile2 = wrap32(std::int64_t{f.yBasis} + 30);

    // One frequency label is wider than the 80-pixel grid spacing, hence two
    // alternating label rows. Labels start 24 pixels left of their line.
    const std::int64_t gitterlinien = f.breite / 80 + 1;
    sichtbareSchritte(f.xUrsprung, 80, gitterlinien, 25 - breitesterText, rasterBreite + 24, [&](std::int64_t i) {
        const std::int32_t x = wrap32(f.xUrsprung + 80 * i);
        const std::int32_t hz = wrap32(startfrequenz + 40 * i * schrittweite);
        textZeichnen(f.raster, wrap32(std::int64_t{x} - 24), i % 2 == 0 ? zeile1 : zeile2, hzText(hz), f.farbe);
        linieZeichnen(f.raster, x, f.yBasis, x, oben, f.farbe);
    });

    const std::int32_t strichEnde = wrap32(std::int64_t{f.yBasis} - 4);
    const std::int64_t striche = f.breite / 40 + 1;
    sichtbareSchritte(f.xUrsprung, 40, striche, 1, rasterBreite, [&](std::int64_t i) {
        const std::int32_t x = wrap32(f.xUrsprung + 40 * i);
        linieZeichnen(f.raster, x, f.yBasis, x, strichEnde, f.farbe);
    });
}

}  // namespace qzl::diagramm

namespace qzl {


void skalaZeichnen(const InstrumentState& st, Raster& r, Messart art, bool lin, std::int32_t punkte,
                   std::int32_t start, std::int32_t schritt, const Bezugslinien& linien) {
    using namespace diagramm;
    const Flaeche f{r, st.xUrsprung, st.yBasis, wrap32(2 * std::int64_t{punkte}), farbe(st.diagrammfarbe)};
    if (art == Messart::reflexion)
        bezugslinienZeichnen(f, linien, st.dezimalzeichen);
    else if (lin)
        linSkalaZeichnen(f, st.dezimalzeichen);
    else
        logSkalaZeichnen(f, art == Messart::spektrum ? -70 : -80);
    frequenzachseZeichnen(f, start, schritt);
}

}  // namespace qzl
