#pragma once
// Markers on a curve: the point a frequency reads, the highest and lowest
// point of a range, the next peak, the N-dB band with its Q, the delta
// between two markers, and the difference of two curves.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "state/kurve.h"
#include "state/messmarken.h"

namespace qzl {

// Frequency and level (dB or the linear ratio) of point i (1-based).
std::int64_t frequenzBei(const Kurvenbild& k, std::int32_t i);
double pegelBei(const Kurvenbild& k, std::int32_t i);

// The point nearest to hz, ties to the lower; nothing when hz lies below the
// first point or above the last, or the step is not positive.
std::optional<std::int32_t> punktBei(const Kurvenbild& k, std::int64_t hz);

using Suchbereich = std::optional<std::pair<std::int64_t, std::int64_t>>;
// The first point of the highest (or lowest) reading among those whose
// frequency lies in the range, both ends included; nothing when none does.
std::optional<std::int32_t> extremum(const Kurvenbild& k, Suche suche, const Suchbereich& bereich);

// The nearest peak left or right of point i: a run of equal readings, lower
// on both sides, that stands at least 3 dB above the lower of the minima
// its two slopes run down to. The first point of the run.
std::optional<std::int32_t> naechsteSpitze(const Kurvenbild& k, std::int32_t i, bool rechts);

// The band ndb below the level of point i (linear: the ratio 10^(-ndb/20)),
// its edges interpolated between the two points that straddle that level.
struct BandWerte {
    double unten = 0, oben = 0, breite = 0, mitte = 0, q = 0;
};
// Nothing when the band runs off either end.
std::optional<BandWerte> bandUm(const Kurvenbild& k, std::int32_t i, double ndb);
// The 60 dB width over the 6 dB width around point i, when both exist.
std::optional<double> formfaktor(const Kurvenbild& k, std::int32_t i);

struct MarkenAblesung {
    bool an = false;
    std::optional<std::int32_t> punkt;  // nothing: outside the curve, or no curve
    std::int64_t frequenz = 0;          // of that point
    std::int32_t wert = 0;              // its reading
    double pegel = 0;
    // Df and the level's difference to the delta's marker; nothing when
    // that marker is off or reads no point.
    std::optional<std::pair<std::int64_t, double>> delta;
    std::optional<BandWerte> band;  // nothing: no band asked, or it runs off an end
    std::optional<double> formfaktor;
};
using MarkenAblesungen = std::array<MarkenAblesung, anzahlMessmarken>;
MarkenAblesungen markenAblesen(const std::optional<Kurvenbild>& k, const Spureinstellungen& e);

// The frequency a marker with a search moves to on k; nothing when its
// range holds no point.
std::optional<std::int64_t> suchziel(const Kurvenbild& k, const Messmarke& m);

// Why two curves' points cannot be matched by frequency; "" when they can.
std::string gitterEinwand(const Kurvenbild& gemessen, const Kurvenbild& referenz);
// Measured minus reference per point, in readings; the reference's grid
// must match (gitterEinwand).
Kurvenbild differenz(const Kurvenbild& gemessen, const Kurvenbild& referenz);
// The level of such a difference: dB, or the difference of linear ratios.
double differenzPegel(std::int64_t d, bool lin);

}  // namespace qzl
