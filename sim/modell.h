#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzl::sim {

// The device under test, as the detector sees it: a level in dB per frequency.
struct Modell {
    enum class Art { Durchgang, Offen, Bandpass, Tiefpass, Reflexion, Quarz };

    Art art = Art::Bandpass;
    double mitteHz = 11.4e6;      // band-pass centre
    double bandbreiteHz = 500e3;  // band-pass width between the -3 dB points
    double grenzHz = 0.0;         // low-pass -3 dB frequency
    double rueckflussDb = 0.0;    // reflection: return loss, level is its negative
    // Crystal: the motional arm Rm, Lm, Cm (from fs) in series, C0 across
    // it, between a source and a load of fassungOhm each.
    double quarzFsHz = 0.0;
    double quarzRmOhm = 0.0;
    double quarzLmH = 0.0;
    double quarzC0F = 0.0;
    double fassungOhm = 50.0;
};

// "through", "open", "bandpass:CENTRE_HZ:BANDWIDTH_HZ", "lowpass:CUTOFF_HZ",
// "reflection:RETURNLOSS_DB", "crystal:FS_HZ:RM_OHM:LM_H:C0_F[:R_OHM]";
// numbers may use exponents (11.4e6).
std::optional<Modell> modellLesen(std::string_view text);

// The inverse of modellLesen, for logs and messages.
std::string modellText(const Modell& modell);

double pegelDb(const Modell& modell, double frequenzHz);

// Level of "open": far below anything the detector can resolve.
inline constexpr double offenPegelDb = -120.0;

}  // namespace qzl::sim
