#pragma once
// Judging levels against limits: one rule for the window, the socket and
// the command line. A point exactly on a limit passes.
#include <cstdint>
#include <vector>

#include "state/grenzwerte.h"
#include "state/kurve.h"

namespace qzl {

struct Grenzpunkt {
    std::int64_t frequenz = 0;
    double pegel = 0.0;
};

struct Verstoss {
    std::int64_t frequenz = 0;
    double pegel = 0.0;
    const Grenze* grenze = nullptr;
};

bool grenzeVerletzt(const Grenze& g, const Grenzpunkt& p);
// Every point inside a limit's range on its wrong side, point by point, and
// within a point limit by limit.
std::vector<Verstoss> grenzenPruefen(const std::vector<Grenzpunkt>& punkte, const std::vector<Grenze>& grenzen);
// A limit whose range holds no point would pass unseen, and a ratio of the
// linear detector is never below 0 (unless it is a difference of ratios):
// the refusal, or "".
std::string grenzenEinwand(const std::vector<Grenzpunkt>& punkte, const std::vector<Grenze>& grenzen, bool lin,
                           bool differenz = false);
// The verdict on a curve.
Grenzurteil grenzurteil(const Kurvenbild& k, const std::vector<Grenze>& grenzen);

}  // namespace qzl
