#include "diagram/auswertung.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "core/frequenz_text.h"
#include "core/ganzzahl.h"
#include "core/hz_text.h"

namespace qzl {

namespace {

// Readings beyond the array are never read, whatever messpunkte says.
std::int32_t punkte(const InstrumentState& st) { return std::min<std::int32_t>(st.messpunkte, maxMesspunkte); }

std::int32_t wert(const InstrumentState& st, std::int32_t i) { return st.messwerte[static_cast<std::size_t>(i)]; }

std::string ablesung(std::int64_t hz, std::int32_t wert, const InstrumentState& st) {
    return hzText(hz) + " " + pegelText(wert, st.messart, st.linModus, st.dezimalzeichen);
}

}  // namespace

double pegel(std::int32_t wert, std::int32_t messart, bool lin) {
    if (lin) return wert / 400.0;
    // The spectrum's calibration puts the 10 dBm signal on the top line. One
    // division of an exact numerator: a level given as a decimal compares
    // equal to it when it is the same number.
    return (wert - (messart == 3 ? 350.0 : 400.0)) / 5.0;
}

std::string pegelText(std::int32_t wert, std::int32_t messart, bool lin, char dezimalzeichen) {
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
    const std::int32_t n = punkte(st);
    const std::int64_t start = st.startfrequenz;
    const std::int64_t schritt = st.schrittweite;
    const bool lin = st.linModus;

    Auswertung a;
    a.maximum = {1, start, 0};
    a.minimum = {1, start, 400};
    std::int64_t fi = start;
    for (std::int32_t i = 1; i <= n; ++i, fi += schritt) {
        const std::int32_t r = wert(st, i);
        if (r > a.maximum.wert) a.maximum = {i, fi, r};
        if (r < a.minimum.wert) a.minimum = {i, fi, r};
    }
    if (st.messart != 1) return a;
    const std::int32_t max = a.maximum.wert;
    // Lin: above 0.7 x max, compared exactly in integers.
    const auto imBand = [&](std::int32_t i) {
        const std::int64_t v = wert(st, i);
        return lin ? 10 * v > std::int64_t{7} * max : v > std::int64_t{max} - randLog;
    };
    if (const auto kanten = bandkanten(n, a.maximum.index, imBand)) {
        const auto [j, k] = *kanten;
        a.band = Band{start + (j - 1) * schritt, start + (k - 1) * schritt};
    }
    return a;
}

std::int64_t cursorFrequenz(const InstrumentState& st) {
    return std::int64_t{st.startfrequenz} + std::int64_t{st.cursorIndex} * st.schrittweite;
}

void cursorZeigen(Programm& p) { p.fenster.textSetzen(Element::Label12, hzText(cursorFrequenz(p.st))); }

void maxminwert(Programm& p) {
    const auto& st = p.st;
    Fenster& f = p.fenster;
    const Auswertung a = kurveAuswerten(st);
    f.textSetzen(Element::Label7, ablesung(a.maximum.frequenz, a.maximum.wert, st));
    f.textSetzen(Element::Label8, ablesung(a.minimum.frequenz, a.minimum.wert, st));
    // A cursor off the curve has no reading to show.
    const std::int32_t c = st.cursorIndex;
    f.textSetzen(Element::Label14, c >= 1 && c <= punkte(st) ? ablesung(cursorFrequenz(st), wert(st, c), st) : "");
    if (a.band) {
        f.textSetzen(Element::Label9, hzText(a.band->fl));
        f.textSetzen(Element::Label10, hzText(a.band->fr));
        f.textSetzen(Element::Label11, hzText(a.band->fr - a.band->fl) + (st.linModus ? " (3 dB)" : " (6 dB)"));
    }
}

void Button12Click(Programm& p) {
    p.st.cursorIndex = std::max<std::int32_t>(p.st.cursorIndex - 1, 1);
    cursorZeigen(p);
}

void Button13Click(Programm& p) {
    p.st.cursorIndex = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{p.st.cursorIndex} + 1, p.st.messpunkte));
    cursorZeigen(p);
}

void Button14Click(Programm& p) {
    auto& st = p.st;
    const std::string antwortText =
        p.fenster.eingabe("Frequenzmarke", "Frequenz in Hz eingeben!", std::to_string(cursorFrequenz(st)));
    const std::int32_t antwort = frequenzLesen(antwortText).value_or(10000000);
    const double index = std::nearbyint((std::int64_t{antwort} - st.startfrequenz) / static_cast<double>(st.schrittweite));
    // A step of 0 or an index beyond 32 bits leaves the cursor where it was.
    if (std::isfinite(index) && index >= INT32_MIN && index <= INT32_MAX) st.cursorIndex = static_cast<std::int32_t>(index);
    cursorZeigen(p);
}

void Button19Click(Programm& p) {
    auto& st = p.st;
    const std::int32_t n = punkte(st);
    std::int32_t m = 0;
    for (std::int32_t i = 1; i <= n; ++i) m = std::max(m, wert(st, i));
    for (std::int32_t i = 1; i <= n; ++i)
        st.messwerte[static_cast<std::size_t>(i)] = wrap32(std::int64_t{wert(st, i)} + 400 - m);

    // Drawn over the old curve, two columns left of where a sweep puts its points.
    const std::int64_t xU = st.xUrsprung;
    const std::int64_t yB = st.yBasis;
    const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
    {
        std::lock_guard sperre(st.kurvenSperre);
        for (std::int32_t b = 1; b <= n - 2; ++b)
            linieZeichnen(st.kurvenRaster, wrap32(2 * b + xU - 1), wrap32(yB - wert(st, b)), wrap32(2 * b + xU + 1),
                          wrap32(yB - wert(st, b + 1)), kurve);
    }
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
}

}  // namespace qzl
