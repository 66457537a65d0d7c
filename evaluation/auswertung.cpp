#include "evaluation/auswertung.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "state/ganzzahl.h"
#include "state/kurve.h"

namespace qzl {


std::string pegelText(std::int32_t wert, Messart messart, bool lin, char dezimalzeichen) {
    if (!lin) return std::to_string(static_cast<std::int64_t>(std::nearbyint(pegel(wert, messart, lin)))) + " dB";
    // Three significant digits, then three decimals. A quotient of an integer
    // by 400 has at most four decimals, so below 0.1 the first rounding is
    // exact and the quotient is rounded once only.
    char text[64];
    std::snprintf(text, sizeof text, "%.2e", pegel(wert, messart, lin));
    std::snprintf(text, sizeof text, "%.3f", std::strtod(text, nullptr));
    std::string s = text;
    std::replace(s.begin(), s.end(), '.', dezimalzeichen);
    return s;
}

std::optional<std::pair<std::int32_t, std::int32_t>> bandkanten(std::int32_t n, std::int32_t maxIndex,
                                                                 const std::function<bool(std::int32_t)>& imBand) {
    std::int32_t j = maxIndex;
    for (;;) {
        if (j >= 2) --j;
        if (j == 1 || !imBand(j)) break;
    }
    std::int32_t k = maxIndex;
    for (;;) {
        k = std::min(k + 1, n);
        if (k >= n || !imBand(k)) break;
    }
    if (j > 1 && k < n) return std::pair{j, k};
    return std::nullopt;
}

Auswertung kurveAuswerten(const InstrumentState& st, std::int32_t randLog) {
    return kurveAuswerten(kurvenbild(st), randLog);
}

Auswertung kurveAuswerten(const Kurvenbild& k, std::int32_t randLog) {
    const auto n = static_cast<std::int32_t>(k.werte.size());
    const std::int64_t start = k.start;
    const std::int64_t schritt = k.schritt;
    const auto wert = [&](std::int32_t i) { return k.werte[static_cast<std::size_t>(i - 1)]; };

    Auswertung a;
    a.maximum = {1, start, 0};
    a.minimum = {1, start, 400};
    std::int64_t fi = start;
    for (std::int32_t i = 1; i <= n; ++i, fi += schritt) {
        const std::int32_t r = wert(i);
        if (r > a.maximum.wert) a.maximum = {i, fi, r};
        if (r < a.minimum.wert) a.minimum = {i, fi, r};
    }
    if (k.art != Messart::durchgang) return a;
    const std::int32_t max = a.maximum.wert;
    // Lin: above 0.7 x max, compared exactly in integers.
    const auto imBand = [&](std::int32_t i) {
        const std::int64_t v = wert(i);
        return k.lin ? 10 * v > std::int64_t{7} * max : v > std::int64_t{max} - randLog;
    };
    if (const auto kanten = bandkanten(n, a.maximum.index, imBand)) {
        const auto [j, kk] = *kanten;
        a.band = Band{start + (j - 1) * schritt, start + (kk - 1) * schritt};
    }
    return a;
}

ReihenAuswertung reiheAuswerten(const Messreihe& r) {
    const auto wert = [&](std::int32_t i) { return r.werte[static_cast<std::size_t>(i)]; };
    std::int32_t hoechster = 0, hoechsterI = 1;
    std::int32_t tiefster = 320;
    ReihenAuswertung a{r.f1, r.f1, std::nullopt};
    std::int32_t fi = r.f1;
    for (std::int32_t i = 1; i <= r.n; ++i) {
        if (wert(i) > hoechster) {
            hoechster = wert(i);
            a.maximumF = fi;
            hoechsterI = i;
        }
        if (wert(i) < tiefster) {
            tiefster = wert(i);
            a.minimumF = fi;
        }
        fi = wrap32(std::int64_t{fi} + r.s);
    }
    if (r.art != 1) return a;

    // Lin: above 0.7 x max, compared exactly in integers.
    const auto imBand = [&](std::int32_t i) {
        const std::int64_t v = wert(i);
        return r.lin ? 10 * v > std::int64_t{7} * hoechster : v > std::int64_t{hoechster} - bandRandLog;
    };
    if (const auto kanten = bandkanten(r.n, hoechsterI, imBand)) {
        const auto frequenz = [&](std::int32_t i) { return wrap32(std::int64_t{r.f1} + std::int64_t{i - 1} * r.s); };
        a.band = std::pair{frequenz(kanten->first), frequenz(kanten->second)};
    }
    return a;
}

std::int64_t cursorFrequenz(const InstrumentState& st) {
    return std::int64_t{st.startfrequenz} + std::int64_t{st.cursorIndex} * st.schrittweite;
}

}  // namespace qzl
