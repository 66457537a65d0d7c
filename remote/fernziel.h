#pragma once
// What the remote-control commands act on. The window's adapter implements
// it on the engine; every call comes on the thread that runs the sessions,
// and none may wait for the instrument.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "state/messart.h"
#include "state/messmarken.h"

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

// What a marker reads on the curve the markers read.
struct Markenwert {
    bool an = false;
    bool aufKurve = false;       // false: its frequency lies outside the curve
    std::int64_t frequenz = 0;   // of the point it reads
    double pegel = 0.0;          // as the detector shows it
    // Df in Hz and the level's difference to its delta's marker; nothing
    // when that one is off or outside.
    std::optional<std::pair<std::int64_t, double>> delta;
    // The band its N dB asked for, edges interpolated; nothing when none is
    // asked for or it runs off an end of the curve.
    struct Bandwerte {
        double unten = 0, oben = 0, breite = 0, mitte = 0, q = 0;
    };
    std::optional<Bandwerte> band;
};

// A crystal's equivalent circuit as fitted (protocol 4): nothing where it
// was not measured.
struct Quarz {
    double fs = 0;  // Hz
    std::optional<double> fp;
    double rm = 0, lm = 0, cm = 0;  // ohms, henries, farads
    std::optional<double> c0;
    double qBelastet = 0, qUnbelastet = 0;
    double verlustDb = 0, restDb = 0;
    std::int32_t bandPunkte = 0;  // measured points in the 3 dB band
    std::string warnung;  // why the usual accuracy is not to be had, or ""
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

    // Markers and traces; n is 1 to 8. They may change while a sweep runs.
    // Markers, hold and difference as set.
    virtual Spureinstellungen spur() = 0;
    // Marker n as it stands with one change, judged as a whole by the target
    // (-222 for a delta to itself, a band beyond 200 dB, a range that runs
    // down); read and written in one step, so that a pass that moves it
    // meanwhile is not undone.
    virtual Ergebnis markeAendern(int n, const std::function<void(Messmarke&)>& aenderung) = 0;
    // Marker n on and to the highest or lowest point of its search range, or
    // to the next peak left or right; -230 when there is none.
    virtual Ergebnis markeSuchen(int n, Suche suche) = 0;
    virtual Ergebnis markeSpitzeSuchen(int n, bool rechts) = 0;
    // -230 when there is no curve to read, -241 when it holds synthesised
    // readings.
    virtual Wert<Markenwert> markeAblesen(int n) = 0;
    // The hold and the passes of its mean (1 to 100); it starts afresh.
    virtual Ergebnis haltenSetzen(Halten halten, std::int32_t mittelAnzahl) = 0;
    // The curves below: -230 with the reason when there is none, -241 when
    // it holds synthesised readings.
    virtual Wert<Kurve> gehalten() = 0;
    // The last complete pass becomes the reference, or it is forgotten (and
    // the difference with it).
    virtual Ergebnis referenzUebernehmen() = 0;
    virtual Ergebnis referenzVerwerfen() = 0;
    virtual Wert<Kurve> referenz() = 0;
    // The difference to the reference shown; -221 when it does not fit.
    virtual Ergebnis differenzZeigen(bool an) = 0;
    // Measured minus reference: levels in dB, or differences of linear ratios.
    virtual Wert<Kurve> differenz() = 0;

    // Limits (protocol 3). The file's path as the session resolved it; -256
    // when it is not there, -250 when it cannot be read, -224 for a file
    // that is no limit file (the reason names the line).
    virtual Ergebnis grenzenLaden(const std::string& pfad) = 0;
    virtual Ergebnis grenzenVerwerfen() = 0;
    virtual Ergebnis grenzenPruefenSetzen(bool an) = 0;
    virtual bool grenzenPruefen() = 0;
    // The failing frequencies of the last complete pass, ascending, none
    // when it passed; -230 without limits, judging or a judged pass, or when
    // the limits cannot judge it (the reason), -241 for synthesised readings.
    virtual Wert<std::vector<std::int64_t>> grenzFehler() = 0;

    // The pass the window shows in a format of its export (csv, tsv, json,
    // s1p, s2p, dat, png): the bytes the window's export writes. -230
    // without a pass, -241 for synthesised readings, -221 when the format
    // cannot hold it.
    virtual Wert<std::string> spurDaten(const std::string& format) = 0;

    // Presets by name in the user's settings folder; ersetzen: an existing
    // one may be replaced (else -257).
    virtual Ergebnis voreinstellungSpeichern(const std::string& name, bool ersetzen) = 0;
    virtual Ergebnis voreinstellungLaden(const std::string& name) = 0;
    virtual Wert<std::vector<std::string>> voreinstellungen() = 0;

    // The crystal (protocol 4). The fixture's source and load resistance in
    // ohms; -222 for one it does not take.
    virtual double quarzFassung() = 0;
    virtual Ergebnis quarzFassungSetzen(double ohm) = 0;
    // The last complete pass evaluated as one pass: -230 without one or
    // when it cannot be analysed (the reason), -221 for another kind or the
    // linear detector, -241 for synthesised readings.
    virtual Wert<Quarz> quarzAuswerten() = 0;
    // Starts the measurement: the first pass over the present range, then
    // passes around fs. Numbered as a sweep (durchlaufOffen, abbrechen).
    virtual Wert<std::uint64_t> quarzMessungStarten() = 0;
    // What the measurement of that number found once it ended: its figures,
    // or the refusals above, -230 when it was stopped, -241 when the
    // instrument fell silent.
    virtual Wert<Quarz> quarzErgebnis(std::uint64_t nummer) = 0;
};

}  // namespace qzl::fern
