// The picture of a loaded series: its own scale, its curve and its read-outs.
#include <mutex>

#include "core/ganzzahl.h"
#include "core/hz_text.h"
#include "core/start.h"
#include "diagram/auswertung.h"
#include "files/messreihe.h"

namespace qzl {

namespace {

// Maximum and minimum, and for transmission the band around the maximum:
// its edges are the first points outside, points 1 and n are never tested.
void auswerten(Fenster& f, const Messreihe& r) {
    const auto wert = [&](std::int32_t i) { return r.werte[static_cast<std::size_t>(i)]; };
    std::int32_t hoechster = 0, hoechsterF = r.f1, hoechsterI = 1;
    std::int32_t tiefster = 320, tiefsterF = r.f1;
    std::int32_t fi = r.f1;
    for (std::int32_t i = 1; i <= r.n; ++i) {
        if (wert(i) > hoechster) {
            hoechster = wert(i);
            hoechsterF = fi;
            hoechsterI = i;
        }
        if (wert(i) < tiefster) {
            tiefster = wert(i);
            tiefsterF = fi;
        }
        fi = wrap32(std::int64_t{fi} + r.s);
    }
    f.textSetzen(Element::Label7, hzText(hoechsterF));
    f.textSetzen(Element::Label8, hzText(tiefsterF));
    if (r.art != 1) return;

    // Lin: above 0.7 x max, compared exactly in integers.
    const auto imBand = [&](std::int32_t i) {
        const std::int64_t v = wert(i);
        return r.lin ? 10 * v > std::int64_t{7} * hoechster : v > std::int64_t{hoechster} - bandRandLog;
    };
    const auto kanten = bandkanten(r.n, hoechsterI, imBand);
    if (!kanten) return;
    const auto punktFrequenz = [&](std::int32_t i) { return wrap32(std::int64_t{r.f1} + std::int64_t{i - 1} * r.s); };
    const std::int32_t unten = punktFrequenz(kanten->first);
    const std::int32_t oben = punktFrequenz(kanten->second);

    f.textSetzen(Element::Label9, hzText(unten));
    f.textSetzen(Element::Label10, hzText(oben));
    f.textSetzen(Element::Label11, hzText(wrap32(std::int64_t{oben} - unten)) + (r.lin ? " (3 dB)" : " (6 dB)"));
}

}  // namespace

void messreiheZeigen(Programm& p, const Messreihe& r) {
    auto& st = p.st;
    for (std::int32_t k = 1; k <= r.n; ++k)
        st.messwerte[static_cast<std::size_t>(k)] = r.werte[static_cast<std::size_t>(k)];
    p.fenster.textSetzen(Element::Label5, r.ueberschrift);

    const auto hintergrund = static_cast<std::uint8_t>(st.hintergrundfarbe);
    {
        std::lock_guard sperre(st.kurvenSperre);
        rasterFuellen(st.kurvenRaster, hintergrund);
    }
    rasterFuellen(st.gitterRaster, hintergrund);
    skalaZeichnen(st, st.gitterRaster, r.art, r.lin, r.n, r.f1, r.s, r.linien);

    clear_messwerte(p);
    auswerten(p.fenster, r);

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

}  // namespace qzl
