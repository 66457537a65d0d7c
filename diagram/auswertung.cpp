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
    return hzText(hz) + " " + pegelText(wert, st.linModus, st.dezimalzeichen);
}

}  // namespace

std::string pegelText(std::int32_t wert, bool lin, char dezimalzeichen) {
    if (!lin) return std::to_string(static_cast<std::int64_t>(std::nearbyint((wert - 400.0) / 5.0))) + " dB";
    // Three significant digits, then three decimals. A quotient of an integer
    // by 400 has at most four decimals, so below 0.1 the first rounding is
    // exact and the quotient is rounded once only.
    char text[64];
    std::snprintf(text, sizeof text, "%.2e", wert / 400.0);
    std::snprintf(text, sizeof text, "%.3f", std::strtod(text, nullptr));
    std::string s = text;
    std::replace(s.begin(), s.end(), '.', dezimalzeichen);
    return s;
}

std::int64_t cursorFrequenz(const InstrumentState& st) {
    return std::int64_t{st.startfrequenz} + std::int64_t{st.cursorIndex} * st.schrittweite;
}

void cursorZeigen(Programm& p) { p.fenster.textSetzen(Element::Label12, hzText(cursorFrequenz(p.st))); }

void maxminwert(Programm& p) {
    const auto& st = p.st;
    Fenster& f = p.fenster;
    const std::int32_t n = punkte(st);
    const std::int64_t start = st.startfrequenz;
    const std::int64_t schritt = st.schrittweite;
    const bool lin = st.linModus;

    std::int32_t max = 0, min = 400, maxIndex = 1;
    std::int64_t maxF = start, minF = start, fi = start;
    for (std::int32_t i = 1; i <= n; ++i, fi += schritt) {
        const std::int32_t r = wert(st, i);
        if (r > max) {
            max = r;
            maxF = fi;
            maxIndex = i;
        }
        if (r < min) {
            min = r;
            minF = fi;
        }
    }
    f.textSetzen(Element::Label7, ablesung(maxF, max, st));
    f.textSetzen(Element::Label8, ablesung(minF, min, st));
    // A cursor off the curve has no reading to show.
    const std::int32_t c = st.cursorIndex;
    f.textSetzen(Element::Label14, c >= 1 && c <= n ? ablesung(cursorFrequenz(st), wert(st, c), st) : "");

    if (st.messart != 1) return;
    // Lin: above 0.7 x max, compared exactly in integers; log: above max - 24.
    auto imBand = [&](std::int32_t v) {
        return lin ? std::int64_t{10} * v > std::int64_t{7} * max : std::int64_t{v} > std::int64_t{max} - 24;
    };
    std::int32_t j = maxIndex;
    std::int64_t fl = maxF;
    for (;;) {
        fl -= schritt;
        if (j >= 2) --j;
        if (j == 1 || !imBand(wert(st, j))) break;
    }
    std::int32_t k = maxIndex;
    std::int64_t fr = maxF;
    for (;;) {
        fr += schritt;
        k = std::min(k + 1, n);
        if (k >= n || !imBand(wert(st, k))) break;
    }
    if (j > 1 && k < n) {
        f.textSetzen(Element::Label9, hzText(fl));
        f.textSetzen(Element::Label10, hzText(fr));
        f.textSetzen(Element::Label11, hzText(fr - fl) + (lin ? " (3 dB)" : " (6 dB)"));
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
