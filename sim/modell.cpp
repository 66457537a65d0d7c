#include "sim/modell.h"

#include <charconv>
#include <cmath>
#include <complex>
#include <numbers>
#include <cstdio>
#include <vector>

namespace qzl::sim {

namespace {

// Filters leak a little; without a floor the skirts would dive to -inf dB.
constexpr double leckLeistung = 1e-9;  // -90 dB
constexpr double bandpassDurchlassDb = -2.0;

std::optional<double> zahlLesen(std::string_view text) {
    double wert = 0.0;
    const char* ende = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), ende, wert);
    if (ec != std::errc{} || p != ende || !std::isfinite(wert)) return std::nullopt;
    return wert;
}

std::vector<std::string_view> teilen(std::string_view text) {
    std::vector<std::string_view> teile;
    for (;;) {
        auto pos = text.find(':');
        teile.push_back(text.substr(0, pos));
        if (pos == std::string_view::npos) return teile;
        text.remove_prefix(pos + 1);
    }
}

double leistungDb(double leistung) { return 10.0 * std::log10(leistung + leckLeistung); }

// |S21|^2 of the crystal between source and load: 2R / (2R + Z).
double quarzLeistungDb(const Modell& m, double f) {
    if (f <= 0.0) return leistungDb(0.0);
    const double w = 2.0 * std::numbers::pi * f;
    const double fs = m.quarzFsHz;
    // wLm - 1/(wCm) as one product: the difference of two large, nearly equal
    // terms would lose the digits that matter within the crystal's band.
    const double x = w * m.quarzLmH * ((f - fs) * (f + fs) / (f * f));
    const std::complex<double> zArm(m.quarzRmOhm, x);
    const std::complex<double> z = zArm / (1.0 + std::complex<double>(0.0, w * m.quarzC0F) * zArm);
    const double zweiR = 2.0 * m.fassungOhm;
    return leistungDb(std::norm(zweiR / (zweiR + z)));
}

std::string zahlText(double wert) {
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.10g", wert);
    return puffer;
}

}  // namespace

std::optional<Modell> modellLesen(std::string_view text) {
    const auto teile = teilen(text);
    const auto name = teile.front();
    Modell m;
    std::vector<double> zahlen;
    for (std::size_t i = 1; i < teile.size(); ++i) {
        auto z = zahlLesen(teile[i]);
        if (!z) return std::nullopt;
        zahlen.push_back(*z);
    }
    if (name == "through" && zahlen.empty()) {
        m.art = Modell::Art::Durchgang;
    } else if (name == "open" && zahlen.empty()) {
        m.art = Modell::Art::Offen;
    } else if (name == "bandpass" && zahlen.size() == 2 && zahlen[0] > 0 && zahlen[1] > 0) {
        m.art = Modell::Art::Bandpass;
        m.mitteHz = zahlen[0];
        m.bandbreiteHz = zahlen[1];
    } else if (name == "lowpass" && zahlen.size() == 1 && zahlen[0] > 0) {
        m.art = Modell::Art::Tiefpass;
        m.grenzHz = zahlen[0];
    } else if (name == "reflection" && zahlen.size() == 1 && zahlen[0] >= 0) {
        m.art = Modell::Art::Reflexion;
        m.rueckflussDb = zahlen[0];
    } else if (name == "crystal" && (zahlen.size() == 4 || zahlen.size() == 5) && zahlen[0] > 0 && zahlen[1] > 0 &&
               zahlen[2] > 0 && zahlen[3] >= 0 && (zahlen.size() == 4 || zahlen[4] > 0)) {
        m.art = Modell::Art::Quarz;
        m.quarzFsHz = zahlen[0];
        m.quarzRmOhm = zahlen[1];
        m.quarzLmH = zahlen[2];
        m.quarzC0F = zahlen[3];
        if (zahlen.size() == 5) m.fassungOhm = zahlen[4];
    } else {
        return std::nullopt;
    }
    return m;
}

std::string modellText(const Modell& m) {
    switch (m.art) {
        case Modell::Art::Durchgang: return "through";
        case Modell::Art::Offen: return "open";
        case Modell::Art::Bandpass: return "bandpass:" + zahlText(m.mitteHz) + ":" + zahlText(m.bandbreiteHz);
        case Modell::Art::Tiefpass: return "lowpass:" + zahlText(m.grenzHz);
        case Modell::Art::Reflexion: return "reflection:" + zahlText(m.rueckflussDb);
        case Modell::Art::Quarz: {
            std::string text = "crystal:" + zahlText(m.quarzFsHz) + ":" + zahlText(m.quarzRmOhm) + ":" +
                               zahlText(m.quarzLmH) + ":" + zahlText(m.quarzC0F);
            if (m.fassungOhm != Modell{}.fassungOhm) text += ":" + zahlText(m.fassungOhm);
            return text;
        }
    }
    return {};
}

double pegelDb(const Modell& m, double f) {
    switch (m.art) {
        case Modell::Art::Durchgang: return 0.0;
        case Modell::Art::Offen: return offenPegelDb;
        case Modell::Art::Reflexion: return -m.rueckflussDb;
        case Modell::Art::Tiefpass: {
            // Fifth-order Butterworth: flat, then 30 dB per octave.
            const double x = f / m.grenzHz;
            return leistungDb(1.0 / (1.0 + std::pow(x, 10)));
        }
        case Modell::Art::Bandpass: {
            if (f <= 0.0) return leistungDb(0.0) + bandpassDurchlassDb;
            // Two coupled resonators, maximally flat: -3 dB where the detuning
            // equals one, i.e. exactly one bandwidth apart around the centre.
            const double q = m.mitteHz / m.bandbreiteHz;
            const double x = q * (f / m.mitteHz - m.mitteHz / f);
            return leistungDb(1.0 / (1.0 + x * x * x * x)) + bandpassDurchlassDb;
        }
        case Modell::Art::Quarz: return quarzLeistungDb(m, f);
    }
    return offenPegelDb;
}

}  // namespace qzl::sim
