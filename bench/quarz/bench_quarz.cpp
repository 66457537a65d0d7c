// How well the crystal analysis recovers the equivalent circuit, over a grid
// of crystals, fixtures and converters read through the simulator's
// formula, detector and a step of noise, beside the three-point hand method
// on the same passes; then the time of one fit.
//
//   bench_quarz          the tables, then the fit's time
//   bench_quarz table    the tables alone
//   bench_quarz runs     every run of the grid, one line each
//   bench_quarz fit ...  the fit's time alone (further options to Google Benchmark)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/api.h"
#include "engine/durchlauf.h"
#include "evaluation/quarz.h"
#include "sim/detektor.h"
#include "sim/modell.h"
#include "sim/rauschen.h"

namespace {

using namespace qzl;

constexpr double zweiPi = 2.0 * std::numbers::pi;

struct Quarzfall {
    double fs, rm, qUnbelastet, c0, fassung;
    std::int32_t bits;
    bool fpImBereich;

    double lm() const { return qUnbelastet * rm / (zweiPi * fs); }
    double cm() const { return 1.0 / (zweiPi * fs * zweiPi * fs * lm()); }
    double fp() const { return fs * std::sqrt(1.0 + cm() / c0); }
    double breite() const { return (rm + 2.0 * fassung) / (zweiPi * lm()); }  // the loaded -3 dB width
    double verlustDb() const { return 20.0 * std::log10(1.0 + rm / (2.0 * fassung)); }
    double stufeDb() const { return bits == 10 ? 0.125 : 0.5; }
    sim::Modell modell() const {
        sim::Modell m;
        m.art = sim::Modell::Art::Quarz;
        m.quarzFsHz = fs;
        m.quarzRmOhm = rm;
        m.quarzLmH = lm();
        m.quarzC0F = c0;
        m.fassungOhm = fassung;
        return m;
    }
};

// The instrument with the crystal in its fixture, calibrated as the user
// does it: the zero pass at the detector's -80 dB, then the through. The
// program keeps the span in whole percent; exakt keeps it unrounded, to
// tell the fit's own errors from the calibration's.
class Messplatz {
public:
    Messplatz(const Quarzfall& fall, std::uint64_t saat, bool exakt = false)
        : modell_(fall.modell()), zehnBit_(fall.bits == 10), exakt_(exakt), rauschen_(1.0, saat) {
        k1_ = sim::rohwertBerechnen(-80.0, false, zehnBit_);
        durch_ = sim::rohwertBerechnen(0.0, false, zehnBit_);
        k2_ = api::spanneFuer(durch_ - k1_);
    }

    // The span as the program keeps it, for the warning; 0 when unrounded.
    std::int32_t spanne() const { return exakt_ ? 0 : k2_; }

    Kurvenbild messen(std::int64_t start, std::int64_t schritt, std::int32_t punkte) {
        Kurvenbild k;
        k.start = static_cast<std::int32_t>(start);
        k.schritt = static_cast<std::int32_t>(schritt);
        k.art = Messart::durchgang;
        for (std::int32_t i = 0; i < punkte; ++i) {
            const double f = static_cast<double>(start + i * schritt);
            const auto roh = sim::rohwertBerechnen(sim::pegelDb(modell_, f), false, zehnBit_, rauschen_.ziehen());
            const std::int32_t wert =
                exakt_ ? static_cast<std::int32_t>(std::nearbyint((roh - k1_) * 400.0 / (durch_ - k1_)))
                       : umrechnen(roh, k1_, k2_);
            k.werte.push_back(std::max(1, wert));
        }
        return k;
    }

private:
    sim::Modell modell_;
    bool zehnBit_, exakt_;
    sim::Rauschen rauschen_;
    std::int32_t k1_ = 0, k2_ = 0, durch_ = 0;
};

// The user's first range: from a little below fs to beyond fp, or to half
// way there.
Kurvenbild ersterLauf(const Quarzfall& fall, Messplatz& platz) {
    const double abstand = fall.fp() - fall.fs;
    const double unten = fall.fs - std::max(2000.0, 3.0 * fall.breite());
    const double oben = fall.fs + (fall.fpImBereich ? 1.5 : 0.5) * abstand;
    const auto schritt = static_cast<std::int64_t>(std::ceil((oben - unten) / (maxMesspunkte - 1)));
    return platz.messen(static_cast<std::int64_t>(std::floor(unten)), schritt, maxMesspunkte);
}

struct Fehler {
    double fs = 0, rm = 0, lm = 0, cm = 0;  // fs as a share of its allowance, the others relative
    std::optional<double> c0;
};

Fehler fehler(const Quarzfall& fall, const Quarzwerte& w) {
    Fehler e;
    e.fs = std::abs(w.fs - fall.fs) / (1.0 + 0.01 * fall.breite());
    e.rm = std::abs(w.rm / fall.rm - 1.0);
    e.lm = std::abs(w.lm / fall.lm() - 1.0);
    e.cm = std::abs(w.cm / fall.cm() - 1.0);
    if (w.c0) e.c0 = std::abs(*w.c0 / fall.c0 - 1.0);
    return e;
}

double ziel(std::int32_t bits) { return bits == 10 ? 0.02 : 0.05; }

bool getroffen(const Quarzfall& fall, const Fehler& e) {
    const double z = ziel(fall.bits);
    const bool c0 = !fall.fpImBereich || (e.c0 && *e.c0 <= 0.10);
    return e.fs <= 1.0 && e.rm <= z && e.lm <= z && e.cm <= z && c0;
}

struct Lauf {
    Quarzfall fall;
    std::optional<Fehler> anpassung, dreiPunkte;
    std::string einwand, warnung;
    bool ok = false;
    bool rlc() const {  // what the warning is about
        const double z = ziel(fall.bits);
        return anpassung && anpassung->rm <= z && anpassung->lm <= z && anpassung->cm <= z;
    }
};

Lauf laufen(const Quarzfall& fall, std::uint64_t saat, bool exakt) {
    Messplatz platz(fall, saat, exakt);
    const Kurvenbild erster = ersterLauf(fall, platz);
    Kurvenbild letzter;
    const auto befund = quarzMessen(
        erster,
        [&](const Feinbereich& b) -> std::optional<Kurvenbild> {
            letzter = platz.messen(b.start, b.schritt, b.punkte);
            return letzter;
        },
        fall.fassung, fall.bits, platz.spanne());
    Lauf l{fall, {}, {}, {}, {}, false};
    if (befund.werte) {
        l.anpassung = fehler(fall, *befund.werte);
        l.warnung = befund.werte->warnung;
        l.ok = getroffen(fall, *l.anpassung);
    } else {
        l.einwand = befund.einwand.text;
    }
    if (!letzter.werte.empty())
        if (const auto w = dreiPunkteMethode(letzter, fall.fassung)) l.dreiPunkte = fehler(fall, *w);
    return l;
}

std::vector<Lauf> rasterLaufen(bool exakt) {
    std::vector<Lauf> laeufe;
    std::uint64_t saat = 1;
    for (double fs : {4e6, 10e6, 27e6})
        for (double rm : {5.0, 20.0, 80.0})
            for (double fassung : {50.0, 12.5})
                for (std::int32_t bits : {8, 10})
                    for (double q : {1e4, 5e4, 2e5})
                        for (double c0 : {2e-12, 7e-12})
                            for (bool fpIn : {true, false})
                                laeufe.push_back(laufen({fs, rm, q, c0, fassung, bits, fpIn}, saat++, exakt));
    return laeufe;
}

std::string prozent(double x) {
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, x >= 0.1 ? "%.0f" : "%.1f", 100.0 * x);
    return puffer;
}

std::string zahl(const char* format, double x) {
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, format, x);
    return puffer;
}

void tabelleDrucken(const std::vector<Lauf>& laeufe) {
    using Schluessel = std::tuple<double, double, double, std::int32_t>;
    std::map<Schluessel, std::vector<const Lauf*>> gruppen;
    for (const auto& l : laeufe) gruppen[{l.fall.fs, l.fall.rm, -l.fall.fassung, l.fall.bits}].push_back(&l);

    std::printf("Worst errors over Q_u 10k/50k/200k, C0 2/7 pF, fp inside and outside the first range "
                "(12 runs a row);\nfs as a share of its allowance (1 Hz + 1 %% of the -3 dB width), the rest in %%.\n\n");
    std::printf("| fs MHz | Rm Ω | R Ω | bits | loss at fs (steps) | fit fs | Rm | Lm | Cm | C0 | goal met "
                "| 3-point fs | Rm | Lm | Cm |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    int zeilenOk = 0;
    for (const auto& [schluessel, gruppe] : gruppen) {
        const Quarzfall& f = gruppe.front()->fall;
        Fehler a, d;
        double c0 = 0;
        int getroffen = 0, abgelehnt = 0, ohneDrei = 0;
        for (const Lauf* l : gruppe) {
            getroffen += l->ok;
            if (!l->anpassung) {
                ++abgelehnt;
            } else {
                a.fs = std::max(a.fs, l->anpassung->fs);
                a.rm = std::max(a.rm, l->anpassung->rm);
                a.lm = std::max(a.lm, l->anpassung->lm);
                a.cm = std::max(a.cm, l->anpassung->cm);
                if (l->fall.fpImBereich) c0 = std::max(c0, l->anpassung->c0.value_or(1e9));
            }
            if (!l->dreiPunkte) {
                ++ohneDrei;
                continue;
            }
            d.fs = std::max(d.fs, l->dreiPunkte->fs);
            d.rm = std::max(d.rm, l->dreiPunkte->rm);
            d.lm = std::max(d.lm, l->dreiPunkte->lm);
            d.cm = std::max(d.cm, l->dreiPunkte->cm);
        }
        const auto n = static_cast<int>(gruppe.size());
        zeilenOk += getroffen == n;
        std::string urteil = getroffen == n ? "yes" : std::to_string(getroffen) + "/" + std::to_string(n);
        if (abgelehnt) urteil += " (" + std::to_string(abgelehnt) + " refused)";
        std::printf("| %g | %g | %g | %d | %.2f dB (%.1f) | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n",
                    f.fs / 1e6, f.rm, f.fassung, f.bits, f.verlustDb(), f.verlustDb() / f.stufeDb(),
                    zahl("%.2f", a.fs).c_str(), prozent(a.rm).c_str(), prozent(a.lm).c_str(), prozent(a.cm).c_str(),
                    c0 >= 1e9 ? "none" : prozent(c0).c_str(), urteil.c_str(),
                    ohneDrei == n ? "-" : zahl("%.2f", d.fs).c_str(), prozent(d.rm).c_str(), prozent(d.lm).c_str(),
                    prozent(d.cm).c_str());
    }
    std::printf("\n%d of %zu rows meet the goal in every run.\n", zeilenOk, gruppen.size());

    for (const auto& l : laeufe)
        if (!l.anpassung)
            std::printf("Refused: fs %g MHz, Rm %g Ω, Q_u %g, C0 %g pF, R %g Ω, %d-bit, fp %s: %s\n", l.fall.fs / 1e6,
                        l.fall.rm, l.fall.qUnbelastet, l.fall.c0 * 1e12, l.fall.fassung, l.fall.bits,
                        l.fall.fpImBereich ? "in" : "out", l.einwand.c_str());
}

// Rm/2R fixes the loss at fs; per value and converter, how many runs meet
// Rm, Lm and Cm, how bad the worst is, and how the fit's warning agrees:
// the rule for the warning is read off here. Only the runs with fp in the
// first range, so that C0 is fitted and the noise alone is left.
void regelDrucken(const std::vector<Lauf>& laeufe) {
    std::map<std::pair<double, std::int32_t>, std::vector<const Lauf*>> gruppen;
    for (const auto& l : laeufe)
        if (l.anpassung && l.fall.fpImBereich)
            gruppen[{l.fall.rm / (2.0 * l.fall.fassung), l.fall.bits}].push_back(&l);
    std::printf("\nRuns with fp in the first range:\n\n| Rm/2R | loss at fs | bits | converter steps | Rm, Lm, Cm met "
                "| worst Rm | worst Lm | warned (failing / meeting) |\n|---|---|---|---|---|---|---|---|\n");
    for (const auto& [schluessel, gruppe] : gruppen) {
        const Quarzfall& f = gruppe.front()->fall;
        int getroffen = 0, warntFehl = 0, warntTreffer = 0;
        double rm = 0, lm = 0;
        for (const Lauf* l : gruppe) {
            getroffen += l->rlc();
            warntFehl += !l->warnung.empty() && !l->rlc();
            warntTreffer += !l->warnung.empty() && l->rlc();
            rm = std::max(rm, l->anpassung->rm);
            lm = std::max(lm, l->anpassung->lm);
        }
        const int n = static_cast<int>(gruppe.size());
        std::printf("| %g | %.2f dB | %d | %.1f | %d/%d | %s %% | %s %% | %d/%d, %d/%d |\n", schluessel.first,
                    f.verlustDb(), f.bits, f.verlustDb() / f.stufeDb(), getroffen, n, prozent(rm).c_str(),
                    prozent(lm).c_str(), warntFehl, n - getroffen, warntTreffer, getroffen);
    }
    // Without fp in the first range the fit has no C0 to shape the skirts.
    std::printf("\n");
    for (bool fpIn : {true, false})
        for (std::int32_t bits : {8, 10}) {
            int n = 0, getroffen = 0;
            double fs = 0, lm = 0;
            for (const auto& l : laeufe) {
                if (!l.anpassung || l.fall.fpImBereich != fpIn || l.fall.bits != bits) continue;
                ++n;
                getroffen += l.ok;
                fs = std::max(fs, l.anpassung->fs);
                lm = std::max(lm, l.anpassung->lm);
            }
            std::printf("fp %s the first range, %d-bit: %d/%d runs meet the goal; worst fs %.2f of its allowance, "
                        "worst Lm %s %%\n",
                        fpIn ? "inside" : "outside", bits, getroffen, n, fs, prozent(lm).c_str());
        }
}

void laeufeDrucken(const std::vector<Lauf>& laeufe) {
    std::printf("fs MHz\tRm\tQ_u\tC0 pF\tR\tbits\tfp\tfs/allowance\tRm %%\tLm %%\tCm %%\tC0 %%\tgoal\twarning\n");
    for (const auto& l : laeufe) {
        std::printf("%g\t%g\t%g\t%g\t%g\t%d\t%s\t", l.fall.fs / 1e6, l.fall.rm, l.fall.qUnbelastet, l.fall.c0 * 1e12,
                    l.fall.fassung, l.fall.bits, l.fall.fpImBereich ? "in" : "out");
        if (!l.anpassung) {
            std::printf("refused: %s\n", l.einwand.c_str());
            continue;
        }
        const auto& a = *l.anpassung;
        std::printf("%.2f\t%s\t%s\t%s\t%s\t%s\t%s\n", a.fs, prozent(a.rm).c_str(), prozent(a.lm).c_str(),
                    prozent(a.cm).c_str(), a.c0 ? prozent(*a.c0).c_str() : "-", l.ok ? "yes" : "no",
                    l.warnung.empty() ? "" : "warned");
    }
}

// One fit of a 300-point fine pass, without C0 and with the coarse pass
// that holds fp.
void BM_Anpassung(benchmark::State& state) {
    const Quarzfall fall{10e6, 20.0, 5e4, 5e-12, 50.0, 10, true};
    Messplatz platz(fall, 1);
    const Kurvenbild erster = ersterLauf(fall, platz);
    const auto r = resonanzSuchen(erster).resonanz;
    const auto plan = feinbereich(erster, *r).bereich;
    const Kurvenbild fein = platz.messen(plan->start, plan->schritt, plan->punkte);
    state.counters["points"] = static_cast<double>(fein.werte.size());
    const bool mitGrob = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(quarzAnpassen(fein, mitGrob ? &erster : nullptr, fall.fassung, 10));
}
BENCHMARK(BM_Anpassung)->ArgName("grob")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const std::string was = argc > 1 ? argv[1] : "";
    if (was == "runs") {
        laeufeDrucken(rasterLaufen(false));
        return 0;
    }
    if (was != "fit") {
        std::printf("## Calibrated as the program does it (span in whole percent)\n\n");
        const auto laeufe = rasterLaufen(false);
        tabelleDrucken(laeufe);
        regelDrucken(laeufe);
        std::printf("\n## The same with the span unrounded: the fit's own errors\n\n");
        const auto exakt = rasterLaufen(true);
        tabelleDrucken(exakt);
        regelDrucken(exakt);
        std::printf("\n");
    }
    if (was == "table") return 0;
    if (was == "fit") {
        --argc;
        ++argv;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
