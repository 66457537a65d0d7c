#include "evaluation/quarz.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <vector>

#include <Eigen/Core>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

#include "evaluation/messmarken.h"

namespace qzl {

namespace {

constexpr double zweiPi = 2.0 * std::numbers::pi;
// A peak this close to the detector's floor (reading 1, -79.8 dB) is no
// crystal's: the fixture is open or the calibration is missing.
constexpr double bodenAbstandDb = 20.0;
constexpr double bodenPegelDb = -79.8;
// Readings near the floor say more about the detector's own floor than
// about the crystal (the notch at fp): they stay out of the fit.
constexpr double fitBodenDb = bodenPegelDb + 10.0;

std::int32_t anzahl(const Kurvenbild& k) { return static_cast<std::int32_t>(k.werte.size()); }
std::int32_t wert(const Kurvenbild& k, std::int32_t i) { return k.werte[static_cast<std::size_t>(i - 1)]; }

std::string zahl(const char* format, double x) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, format, x);
    return puffer;
}

Quarzeinwand einwand(Quarzeinwand::Art art, std::string text) { return {art, std::move(text)}; }

// The middle of the run of equal readings point i belongs to: a flat top
// or a notch on the floor stands for its centre, not its first point.
std::int32_t laufMitte(const Kurvenbild& k, std::int32_t i) {
    std::int32_t a = i, b = i;
    while (a > 1 && wert(k, a - 1) == wert(k, i)) --a;
    while (b < anzahl(k) && wert(k, b + 1) == wert(k, i)) ++b;
    return (a + b) / 2;
}

// The lowest point above the peak, when the curve rises 3 dB again after
// it: only then is it the parallel resonance rather than the skirt's end.
std::optional<std::int32_t> parallelPunkt(const Kurvenbild& k, std::int32_t spitze) {
    const std::int32_t n = anzahl(k);
    if (spitze >= n - 1) return std::nullopt;
    std::int32_t tief = spitze + 1;
    for (std::int32_t i = spitze + 1; i <= n; ++i)
        if (wert(k, i) < wert(k, tief)) tief = i;
    double danach = -1e300;
    for (std::int32_t i = tief + 1; i <= n; ++i) danach = std::max(danach, pegelBei(k, i));
    if (danach < pegelBei(k, tief) + 3.0) return std::nullopt;
    return laufMitte(k, tief);
}

struct Messpunkt {
    double f, db;
};

std::complex<double> impedanz(const Quarzmodell& m, double f) {
    const double w = zweiPi * f;
    // wLm - 1/(wCm) written without the cancellation of two large terms.
    const double x = w * m.lm * ((f - m.fs) * (f + m.fs)) / (f * f);
    const std::complex<double> zm(m.rm, x);
    return zm / (1.0 + std::complex<double>(0.0, w * m.c0) * zm);
}

// The fitted quantities, scaled so that each moves by about one per unit:
// fs in band widths from the first guess, the others as logarithms.
struct Skala {
    Quarzmodell start;
    double breite;
    Quarzmodell modell(const Eigen::VectorXd& x) const {
        Quarzmodell m = start;
        m.fs = start.fs + x[0] * breite;
        m.rm = start.rm * std::exp(x[1]);
        m.lm = start.lm * std::exp(x[2]);
        m.c0 = start.c0 * std::exp(x[3]);
        return m;
    }
};

struct Fehlerfunktion {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    const std::vector<Messpunkt>* punkte;
    const Skala* skala;
    double fassung;

    int inputs() const { return 4; }
    int values() const { return static_cast<int>(punkte->size()); }
    int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& fvec) const {
        const Quarzmodell m = skala->modell(x);
        for (std::size_t i = 0; i < punkte->size(); ++i)
            fvec[static_cast<Eigen::Index>(i)] = quarzPegelDb(m, fassung, (*punkte)[i].f) - (*punkte)[i].db;
        return 0;
    }
};

// The frequency on one side of fs where the model falls to ziel.
double kante(const Quarzmodell& m, double fassung, double ziel, double richtung, double schritt) {
    double innen = m.fs, aussen = m.fs + richtung * schritt;
    for (int i = 0; i < 60 && quarzPegelDb(m, fassung, aussen) > ziel; ++i) {
        innen = aussen;
        schritt *= 2;
        aussen = m.fs + richtung * schritt;
    }
    for (int i = 0; i < 100; ++i) {
        const double mitte = 0.5 * (innen + aussen);
        (quarzPegelDb(m, fassung, mitte) > ziel ? innen : aussen) = mitte;
    }
    return 0.5 * (innen + aussen);
}

void punkteNehmen(const Kurvenbild& k, std::vector<Messpunkt>& punkte, double ausserUnten, double ausserOben) {
    for (std::int32_t i = 1; i <= anzahl(k); ++i) {
        const double f = static_cast<double>(frequenzBei(k, i));
        if (pegelBei(k, i) < fitBodenDb || f <= 0 || (f >= ausserUnten && f <= ausserOben)) continue;
        punkte.push_back({f, pegelBei(k, i)});
    }
}

// Where the loss at fs is small against 2R, a converter step hides most of
// what Rm does to it, and the noise decides Rm (Lm and Cm follow it). The
// limits come from the simulated grid in bench/quarz: below them fewer than
// nineteen in twenty crystals reached 5 % (8 bits) or 2 % (10 bits).
// A calibration's span is a whole number, so a level near the peak may be
// off by up to half a unit of it; that, too, lands on Rm.
void genauigkeitPruefen(Quarzwerte& w, double fassungOhm, std::int32_t bits, std::int32_t spanne) {
    const bool zehn = bits >= 10;
    const double ziel = zehn ? 0.02 : 0.05;
    const double verhaeltnis = w.rm / (2.0 * fassungOhm);
    std::string text;
    w.warnVerlust = verhaeltnis < (zehn ? 0.4 : 0.7);
    if (w.warnVerlust)
        text = "the loss at fs (" + zahl("%.2f", w.verlustDb) + " dB) is small against the converter's " +
               (zehn ? "0.125" : "0.5") + " dB steps: Rm, Lm and Cm may be off by more than " + zahl("%.0f", ziel * 100) +
               " %; a fixture of lower resistance shows Rm better";
    if (spanne > 0) {
        const double pegelFehlerDb = std::max(0.0, 80.0 - w.verlustDb) * 0.5 / spanne;
        const double rmFehler = pegelFehlerDb * std::log(10.0) / 20.0 * (2.0 * fassungOhm + w.rm) / w.rm;
        w.warnSpanne = rmFehler > ziel;
        if (w.warnSpanne) {
            if (!text.empty()) text += "; ";
            text += "the calibration's span (" + std::to_string(spanne) + ") is a whole number, so levels near fs may be off by " +
                    zahl("%.2f", pegelFehlerDb) + " dB and Rm by up to " + zahl("%.0f", rmFehler * 100) + " %";
        }
    }
    w.warnung = text;
}

// The points of k within the band from unten to oben.
std::int32_t punkteIm(const Kurvenbild& k, double unten, double oben) {
    std::int32_t n = 0;
    for (std::int32_t i = 1; i <= anzahl(k); ++i) {
        const auto f = static_cast<double>(frequenzBei(k, i));
        if (f >= unten && f <= oben) ++n;
    }
    return n;
}

Quarzeinwand zuWenig(std::int32_t punkte, std::int64_t schritt) {
    if (schritt <= 1)
        return einwand(Quarzeinwand::Art::zuWenigPunkte,
                       "even a 1 Hz step gives only " + std::to_string(punkte) + " points in the -3 dB band, " +
                           std::to_string(mindestBandPunkte) +
                           " are needed: the crystal's band is too narrow for this instrument");
    return einwand(Quarzeinwand::Art::zuGrob,
                   "only " + std::to_string(punkte) + " points lie in the -3 dB band, " +
                       std::to_string(mindestBandPunkte) + " are needed: narrow the range around the peak");
}

}  // namespace

double quarzCm(const Quarzmodell& m) { return 1.0 / (zweiPi * m.fs * zweiPi * m.fs * m.lm); }

double quarzPegelDb(const Quarzmodell& m, double fassungOhm, double hz) {
    const double zwei = 2.0 * fassungOhm;
    return 20.0 * std::log10(zwei / std::abs(zwei + impedanz(m, hz)));
}

bool fassungGueltig(double ohm) { return std::isfinite(ohm) && ohm > 0 && ohm <= 10000.0; }

Resonanzsuche resonanzSuchen(const Kurvenbild& k) {
    using A = Quarzeinwand::Art;
    if (k.art != Messart::durchgang)
        return {std::nullopt, einwand(A::messart, "crystal analysis measures transmission: switch to transmission")};
    if (k.lin)
        return {std::nullopt,
                einwand(A::linear, "crystal analysis fits dB levels: switch to the logarithmic detector")};
    if (k.synthetisch)
        return {std::nullopt, einwand(A::synthetisch, "the readings are synthesised, not the instrument's: "
                                                      "connect the instrument and measure again")};
    const std::int32_t n = anzahl(k);
    const auto keine = [&] {
        return Resonanzsuche{std::nullopt, einwand(A::keineResonanz, "no resonance in the range: the highest point "
                                                                     "does not fall 3 dB on both sides within it; "
                                                                     "widen the range around the crystal's frequency")};
    };
    if (n < 3 || k.schritt <= 0) return keine();
    const std::int32_t spitze = laufMitte(k, *extremum(k, Suche::maximum, std::nullopt));
    if (pegelBei(k, spitze) < bodenPegelDb + bodenAbstandDb)
        return {std::nullopt, einwand(A::boden, "the highest point (" + zahl("%.1f", pegelBei(k, spitze)) +
                                                    " dB) lies on the detector's floor: check that the crystal sits "
                                                    "in the fixture and that transmission is calibrated")};
    const auto band = bandUm(k, spitze, 3.0);
    if (!band) return keine();
    Resonanz r;
    r.spitze = spitze;
    r.breiteHz = band->breite;
    r.bandPunkte = punkteIm(k, band->unten, band->oben);
    r.parallel = parallelPunkt(k, spitze);
    return {r, {}};
}

Feinplanung feinbereich(const Kurvenbild& k, const Resonanz& r) {
    // A band narrower than two steps was not resolved: it may be as wide.
    const double breite = std::max({r.breiteHz, 1.0, 2.0 * static_cast<double>(k.schritt)});
    if (k.schritt <= 1 && breite < mindestBandPunkte) return {std::nullopt, zuWenig(r.bandPunkte, k.schritt)};
    const double spanne = 6.0 * breite;
    const auto schritt = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(spanne / (maxMesspunkte - 1))));
    const auto punkte = static_cast<std::int32_t>(
        std::min<std::int64_t>(maxMesspunkte, static_cast<std::int64_t>(spanne / static_cast<double>(schritt)) + 1));
    const std::int64_t mitte = frequenzBei(k, r.spitze);
    const std::int64_t start = std::max<std::int64_t>(0, mitte - std::int64_t{punkte - 1} / 2 * schritt);
    return {Feinbereich{start, schritt, punkte}, {}};
}

Quarzbefund quarzAnpassen(const Kurvenbild& fein, const Kurvenbild* grob, double fassungOhm, std::int32_t bits,
                          std::int32_t spanne) {
    using A = Quarzeinwand::Art;
    const auto suche = resonanzSuchen(fein);
    if (!suche.resonanz) return {std::nullopt, std::nullopt, suche.einwand};
    const Resonanz& r = *suche.resonanz;

    const auto band = *bandUm(fein, r.spitze, 3.0);
    std::optional<double> fpGemessen;
    const Kurvenbild* mitFp = nullptr;
    if (r.parallel) {
        fpGemessen = static_cast<double>(frequenzBei(fein, *r.parallel));
    } else if (grob) {
        if (const auto g = resonanzSuchen(*grob); g.resonanz && g.resonanz->parallel) {
            fpGemessen = static_cast<double>(frequenzBei(*grob, *g.resonanz->parallel));
            mitFp = grob;
        }
    }

    std::vector<Messpunkt> punkte;
    punkteNehmen(fein, punkte, 1.0, 0.0);
    // The coarse pass adds what lies outside the fine one: the notch at fp
    // and the skirts that C0 shapes.
    if (mitFp)
        punkteNehmen(*mitFp, punkte, static_cast<double>(fein.start),
                     static_cast<double>(frequenzBei(fein, anzahl(fein))));

    // The first guess: fs in the band's middle, Rm from the loss there, Lm
    // from the loaded Q, C0 from how far fp lies above fs.
    Skala skala;
    skala.breite = band.breite;
    skala.start.fs = band.mitte;
    const double verhaeltnis = std::min(std::pow(10.0, pegelBei(fein, r.spitze) / 20.0), 0.99);
    skala.start.rm = 2.0 * fassungOhm * (1.0 / verhaeltnis - 1.0);
    skala.start.lm = (band.mitte / band.breite) * (skala.start.rm + 2.0 * fassungOhm) / (zweiPi * band.mitte);
    // C0 is always fitted, as it tilts the skirts around fs even when fp
    // lies far outside; it is only reported where fp was seen.
    const bool fpGesehen = fpGemessen.value_or(0.0) > band.mitte;
    skala.start.c0 = 4e-12;
    if (fpGesehen) {
        const double quadrat = (*fpGemessen / band.mitte) * (*fpGemessen / band.mitte) - 1.0;
        skala.start.c0 = quarzCm(skala.start) / quadrat;
    }

    Fehlerfunktion funktion{&punkte, &skala, fassungOhm};
    if (static_cast<int>(punkte.size()) <= funktion.inputs())
        return {std::nullopt, std::nullopt, einwand(A::anpassung, "too few readings above the floor to fit")};
    Eigen::NumericalDiff<Fehlerfunktion, Eigen::Central> ableitung(funktion);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Fehlerfunktion, Eigen::Central>, double> loeser(ableitung);
    loeser.parameters.maxfev = 400 * (funktion.inputs() + 1);
    loeser.parameters.xtol = 1e-12;
    loeser.parameters.ftol = 1e-12;
    Eigen::VectorXd x = Eigen::VectorXd::Zero(funktion.inputs());
    const auto status = loeser.minimize(x);
    const Quarzmodell m = skala.modell(x);
    Eigen::VectorXd rest(funktion.values());
    funktion(x, rest);
    const bool gescheitert = status == Eigen::LevenbergMarquardtSpace::ImproperInputParameters ||
                             status == Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation;
    if (gescheitert || !std::isfinite(m.fs) || !std::isfinite(m.rm) || !std::isfinite(m.lm) || !std::isfinite(m.c0) ||
        !std::isfinite(rest.squaredNorm()))
        return {std::nullopt, std::nullopt,
                einwand(A::anpassung, "the crystal's model could not be fitted to the readings: is it a crystal?")};

    Quarzwerte w;
    w.fs = m.fs;
    w.rm = m.rm;
    w.lm = m.lm;
    w.cm = quarzCm(m);
    if (fpGesehen) {
        w.c0 = m.c0;
        w.fp = m.fs * std::sqrt(1.0 + w.cm / m.c0);
    }
    const double spitzenPegel = quarzPegelDb(m, fassungOhm, m.fs);
    w.verlustDb = -spitzenPegel;
    const double unten = kante(m, fassungOhm, spitzenPegel - 3.0, -1.0, 0.25 * band.breite);
    const double oben = kante(m, fassungOhm, spitzenPegel - 3.0, +1.0, 0.25 * band.breite);
    w.qBelastet = m.fs / (oben - unten);
    w.qUnbelastet = zweiPi * m.fs * m.lm / m.rm;
    w.restDb = std::sqrt(rest.squaredNorm() / static_cast<double>(rest.size()));
    // The band counted on the fitted curve: noise on a few readings at its
    // edges must not decide whether there are enough points.
    w.bandPunkte = punkteIm(fein, unten, oben);
    if (w.bandPunkte < mindestBandPunkte) return {std::nullopt, std::nullopt, zuWenig(w.bandPunkte, fein.schritt)};
    genauigkeitPruefen(w, fassungOhm, bits, spanne);
    return {w, m, {}};
}

Quarzbefund quarzAuswerten(const Kurvenbild& k, double fassungOhm, std::int32_t bits, std::int32_t spanne) {
    return quarzAnpassen(k, nullptr, fassungOhm, bits, spanne);
}

Quarzbefund quarzMessen(const Kurvenbild& erster, const Bereichsmessung& messen, double fassungOhm,
                        std::int32_t bits, std::int32_t spanne) {
    // A coarse first pass may not resolve the peak; each pass around it
    // then measures its width better, and the next one's step follows.
    constexpr int hoechstensFeinlaeufe = 3;
    auto suche = resonanzSuchen(erster);
    if (!suche.resonanz) return {std::nullopt, std::nullopt, suche.einwand};
    const Kurvenbild* vorige = &erster;
    std::optional<Kurvenbild> fein;
    for (int lauf = 0; lauf < hoechstensFeinlaeufe; ++lauf) {
        const auto plan = feinbereich(*vorige, *suche.resonanz);
        if (!plan.bereich) return {std::nullopt, std::nullopt, plan.einwand};
        auto neu = messen(*plan.bereich);
        if (!neu)
            return {std::nullopt, std::nullopt, einwand(Quarzeinwand::Art::abgebrochen, "the measurement was stopped")};
        fein = std::move(neu);
        suche = resonanzSuchen(*fein);
        if (!suche.resonanz) return {std::nullopt, std::nullopt, suche.einwand};
        if (suche.resonanz->bandPunkte >= mindestBandPunkte || plan.bereich->schritt == 1) break;
        vorige = &*fein;
    }
    return quarzAnpassen(*fein, &erster, fassungOhm, bits, spanne);
}

std::optional<Quarzwerte> dreiPunkteMethode(const Kurvenbild& k, double fassungOhm) {
    const auto suche = resonanzSuchen(k);
    if (!suche.resonanz) return std::nullopt;
    const auto band = bandUm(k, suche.resonanz->spitze, 3.0);
    if (!band) return std::nullopt;
    Quarzwerte w;
    w.fs = static_cast<double>(frequenzBei(k, suche.resonanz->spitze));
    w.verlustDb = -pegelBei(k, suche.resonanz->spitze);
    w.rm = 2.0 * fassungOhm * (std::pow(10.0, w.verlustDb / 20.0) - 1.0);
    w.qBelastet = w.fs / band->breite;
    w.lm = w.qBelastet * (w.rm + 2.0 * fassungOhm) / (zweiPi * w.fs);
    w.cm = 1.0 / (zweiPi * w.fs * zweiPi * w.fs * w.lm);
    w.qUnbelastet = w.rm > 0 ? zweiPi * w.fs * w.lm / w.rm : 0.0;
    w.bandPunkte = suche.resonanz->bandPunkte;
    return w;
}

}  // namespace qzl
