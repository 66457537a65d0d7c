#pragma once
// What the remote-control commands act on. The window's adapter implements
// it on the engine; every call comes on the thread that runs the sessions,
// and none may wait for the instrument.
#include <cstdint>
#include <string>
#include <vector>

#include "state/messart.h"

namespace qzl::fern {

// 0 when done. Otherwise the error the client finds in its queue: -221
// (settings conflict), -222 (out of range), -224 (illegal value), -230
// (data stale) or -241 (hardware missing: the readings would be
// synthesised), with the reason in English ("" for the code's plain text).
struct Ergebnis {
    int code = 0;
    std::string text;
};

// A value, or in fehler the reason there is none.
template <class T>
struct Wert {
    T wert{};
    Ergebnis fehler;
};

enum class Detektor { logarithmisch, linear };

// A complete pass, one entry per point in each list.
struct Kurve {
    std::vector<std::int64_t> frequenzen;  // Hz
    std::vector<double> pegel;             // dB or linear, as the detector shows them
    std::vector<std::int32_t> rohwerte;    // the readings as stored
};

struct Punkt {
    std::int64_t frequenz = 0;
    double pegel = 0.0;
};

struct Band {
    std::int64_t unten = 0;
    std::int64_t oben = 0;
};

class Fernziel {
public:
    virtual ~Fernziel() = default;

    // The program's version, the last field of *IDN?.
    virtual std::string version() = 0;

    // The first point's frequency in Hz.
    virtual std::int64_t startfrequenz() = 0;
    virtual Ergebnis startfrequenzSetzen(std::int64_t hz) = 0;
    // The distance between neighbouring points in Hz.
    virtual std::int64_t schrittweite() = 0;
    virtual Ergebnis schrittweiteSetzen(std::int64_t hz) = 0;
    // The number of points of a pass; the target checks the range.
    virtual std::int32_t punktzahl() = 0;
    virtual Ergebnis punktzahlSetzen(std::int32_t anzahl) = 0;
    // The three at once, judged as a whole: all are taken or none.
    virtual Ergebnis bereichSetzen(std::int64_t start, std::int64_t schritt, std::int64_t punkte) = 0;
    // The measurement kind.
    virtual Messart messart() = 0;
    virtual Ergebnis messartSetzen(Messart art) = 0;
    // Logarithmic or linear detection.
    virtual Detektor detektor() = 0;
    virtual Ergebnis detektorSetzen(Detektor art) = 0;

    // Starts one full pass that then stops. Its number is what durchlaufOffen
    // and durchlaufAusgang take.
    virtual Wert<std::uint64_t> durchlaufStarten() = 0;
    // Starts passes that follow each other until stopped, numbered likewise;
    // when such passes run already, their number.
    virtual Wert<std::uint64_t> dauerlaufStarten() = 0;
    // True while the sweep of that number runs, its last pass included;
    // false once it ended, or for a number never started.
    virtual bool durchlaufOffen(std::uint64_t nummer) = 0;
    // -241 when the sweep of that number ended because the instrument did
    // not answer; code 0 otherwise, also while it runs.
    virtual Ergebnis durchlaufAusgang(std::uint64_t nummer) = 0;
    // Whether passes follow each other until stopped.
    virtual bool dauerlauf() = 0;
    // Asks whatever sweep runs to end after the pass under way, without
    // waiting for it; that sweep's number, 0 when none ran.
    virtual Wert<std::uint64_t> abbrechen() = 0;
    // True while a sweep runs, a single pass or continuous ones.
    virtual bool laeuft() = 0;
    // True while the readings are synthesised: the instrument stopped
    // answering and the window shows its demonstration.
    virtual bool demo() = 0;

    // The last complete pass; -230 when there is none, -241 when it holds
    // synthesised readings. The same for the evaluations below.
    virtual Wert<Kurve> kurve() = 0;
    // The highest and the lowest point of that pass.
    virtual Wert<Punkt> maximum() = 0;
    virtual Wert<Punkt> minimum() = 0;
    // The pass band's edges; -230 when the curve has no band.
    virtual Wert<Band> band() = 0;
    // The cursor's frequency in Hz.
    virtual std::int64_t cursor() = 0;
    virtual Ergebnis cursorSetzen(std::int64_t hz) = 0;
    // The diagram's heading, UTF-8.
    virtual std::string ueberschrift() = 0;
    virtual Ergebnis ueberschriftSetzen(const std::string& text) = 0;
};

}  // namespace qzl::fern
