#pragma once
// Crystal analysis. The crystal is its equivalent circuit: the motional arm
// Rm, Lm, Cm in series, C0 across it, between a source and a load of R
// each (the fixture). The pass measures |S21| = 2R / |2R + Z| in dB
// against the through calibration; the model is fitted by least squares to
// the dB level of every point rather than read off three points, so that
// the converter's steps at the steep skirts average out.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "state/kurve.h"

namespace qzl {

struct Quarzmodell {
    double fs = 0;  // Hz: the motional arm's series resonance
    double rm = 0;  // ohms
    double lm = 0;  // henries
    double c0 = 0;  // farads; 0: left out of the model
};
// Cm = 1 / ((2 pi fs)^2 Lm).
double quarzCm(const Quarzmodell& m);
// The level a crystal gives in the fixture at hz, in dB (0 dB: through).
double quarzPegelDb(const Quarzmodell& m, double fassungOhm, double hz);

inline constexpr double standardFassungOhm = 50.0;
// A fixture's resistance that the setting takes: above 0, at most 10 kOhm.
bool fassungGueltig(double ohm);

// What a measurement found. fp and C0 only when fp lay in a pass.
struct Quarzwerte {
    double fs = 0, rm = 0, lm = 0, cm = 0;  // fitted, and Cm derived
    std::optional<double> fp, c0;
    double qBelastet = 0;    // fs / (the fitted curve's -3 dB width)
    double qUnbelastet = 0;  // 2 pi fs Lm / Rm
    double verlustDb = 0;    // insertion loss at fs, positive
    double restDb = 0;       // the fit's rms residual
    std::int32_t bandPunkte = 0;  // measured points within 3 dB of the peak
    // Why these readings cannot give the usual accuracy, or "": the loss at
    // fs is small against the converter's steps, or the calibration's
    // whole-number span may shift the level at fs by too much.
    std::string warnung;
    bool warnVerlust = false, warnSpanne = false;
};

// Why a pass cannot be analysed; text is the reason with what to change.
struct Quarzeinwand {
    // zuWenigPunkte: fewer than 20 points in the band even at a 1 Hz step;
    // zuGrob: fewer at a coarser step, which a narrower range mends.
    enum class Art { keiner, messart, linear, synthetisch, keineResonanz, boden, zuWenigPunkte, zuGrob, anpassung,
                     abgebrochen };
    Art art = Art::keiner;
    std::string text;
    explicit operator bool() const { return art != Art::keiner; }
};

// The first look at a pass: the peak (fs), the lowest point above it (fp)
// when the curve rises again after it, and the measured -3 dB band.
struct Resonanz {
    std::int32_t spitze = 0;  // 1-based point
    std::optional<std::int32_t> parallel;
    double breiteHz = 0;
    std::int32_t bandPunkte = 0;
};
struct Resonanzsuche {
    std::optional<Resonanz> resonanz;
    Quarzeinwand einwand;  // the kind, the detector, synthesised, no peak, peak on the floor
};
Resonanzsuche resonanzSuchen(const Kurvenbild& k);

// The next pass around fs: +-3 widths (a band narrower than two of k's
// steps counts as two), the finest whole-Hz step that keeps it within 300
// points; refused (zuWenigPunkte) when k was measured at 1 Hz and its band
// is narrower than 20 Hz.
struct Feinbereich {
    std::int64_t start = 0, schritt = 0;
    std::int32_t punkte = 0;
};
inline constexpr std::int32_t mindestBandPunkte = 20;
struct Feinplanung {
    std::optional<Feinbereich> bereich;
    Quarzeinwand einwand;
};
Feinplanung feinbereich(const Kurvenbild& k, const Resonanz& r);

struct Quarzbefund {
    std::optional<Quarzwerte> werte;
    std::optional<Quarzmodell> modell;  // the fitted model, for drawing its curve
    Quarzeinwand einwand;
};
// The model fitted to every point of fein; when fp lies in grob but not in
// fein, grob's points outside fein join the fit. Refused (zuWenigPunkte)
// with fewer than 20 points in the fitted curve's -3 dB band. bits (8 or
// 10) is the converter's resolution, spanne the calibration's span (0:
// unknown), for the warning.
Quarzbefund quarzAnpassen(const Kurvenbild& fein, const Kurvenbild* grob, double fassungOhm, std::int32_t bits,
                          std::int32_t spanne = 0);
// One pass alone.
Quarzbefund quarzAuswerten(const Kurvenbild& k, double fassungOhm, std::int32_t bits, std::int32_t spanne = 0);

// The whole measurement: the first pass over the user's range, then passes
// around fs (a further one while the band holds fewer than 20 points and a
// finer step is to be had), then the fit. messen measures a range and
// returns its pass, or nothing when the measurement is to end (abgebrochen).
using Bereichsmessung = std::function<std::optional<Kurvenbild>(const Feinbereich&)>;
Quarzbefund quarzMessen(const Kurvenbild& erster, const Bereichsmessung& messen, double fassungOhm,
                        std::int32_t bits, std::int32_t spanne = 0);

// The usual hand method, for comparison: fs and the loss at the highest
// point, the loaded Q from the two -3 dB points interpolated, Rm from the
// loss and Lm from the loaded Q; nothing without a band.
std::optional<Quarzwerte> dreiPunkteMethode(const Kurvenbild& k, double fassungOhm);

}  // namespace qzl
