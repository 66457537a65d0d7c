#include "state/kurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "state/messreihe_daten.h"

namespace qzl {

namespace {

bool passt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

bool sweepImBereich(std::int64_t start, std::int64_t schritt, std::int32_t messpunkte) {
    const std::int64_t n = std::clamp<std::int32_t>(messpunkte, 1, maxMesspunkte);
    return passt32(start) && passt32(schritt) && passt32(start + (n - 1) * schritt);
}

std::int32_t cursorMitte(std::int32_t messpunkte) {
    return static_cast<std::int32_t>(std::nearbyint(messpunkte / 2.0));
}

double pegel(std::int32_t wert, Messart messart, bool lin) {
    if (lin) return wert / 400.0;
    // The spectrum's calibration puts the 10 dBm signal on the top line. One
    // division of an exact numerator: a level given as a decimal compares
    // equal to it when it is the same number.
    return (wert - (messart == Messart::spektrum ? 350.0 : 400.0)) / 5.0;
}

double wertFuerPegel(double pegel, Messart messart, bool lin) {
    if (lin) return pegel * 400.0;
    return pegel * 5.0 + (messart == Messart::spektrum ? 350.0 : 400.0);
}

Kurvenbild kurvenbild(const InstrumentState& st) {
    Kurvenbild k{st.startfrequenz, st.schrittweite, st.messart, st.linModus, {}, st.demoModus};
    const std::int32_t n = punktAnzahl(st);
    for (std::int32_t i = 1; i <= n; ++i) k.werte.push_back(wertBei(st, i));
    return k;
}

Kurvenbild reiheKurve(const Messreihe& r) {
    Kurvenbild k{r.f1, r.s, static_cast<Messart>(r.art), r.lin, {}, false};
    for (std::int32_t i = 1; i <= std::min(r.n, maxMesspunkte); ++i) k.werte.push_back(r.werte[static_cast<std::size_t>(i)]);
    return k;
}

Bezugslinien bezugslinienVon(const InstrumentState& st) {
    Bezugslinien l;
    for (std::size_t j = 1; j <= anzahlLinien; ++j) {
        l.hoehe[j] = st.linie[j];
        l.zehntel[j] = st.linieText[j];
    }
    return l;
}

}  // namespace qzl
