#pragma once
// The engine's API. Every change a user can make is a function here that
// takes the value and says what it did, or why it refused, as a value:
// never a message, never a question. The window's handlers are a prompt
// plus one of these calls and show what it returned; the command-line
// program and the command socket call these and the pass (durchlauf.h)
// and nothing else of the engine.
//
// A refused change changes nothing. Settings do not change while a sweep
// runs. What the window shows afterwards (labels, timers) is its own
// business; what the picture holds (the layers) is drawn here.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/geraet.h"
#include "platform/datei.h"

namespace qzl::api {

enum class Grund {
    keiner,        // done
    ausserhalb,    // the value lies outside what the setting takes
    unbekannt,     // no such choice
    sweepLaeuft,   // a sweep runs: settings stay as they are
    dateifehler,   // the file could not be read or written: see io
    falscheDatei,  // the file is no file of the kind asked for
};

struct Ergebnis {
    Grund grund = Grund::keiner;
    std::string text;             // the reason in words, English
    std::optional<IoFehler> io;   // with dateifehler: the run time's failure
    explicit operator bool() const { return grund == Grund::keiner; }
};

// --- the sweep's settings ---

// The first point's frequency; refused when a point of the sweep would
// leave 32 bits.
Ergebnis startfrequenzSetzen(Geraet& g, std::int64_t hz);
// One step up (below endfrequenz) or down (above 0 Hz), as "+" and "-" do.
Ergebnis startfrequenzSchritt(Geraet& g, bool aufwaerts);
// The distance between points; refused when a point would leave 32 bits.
Ergebnis schrittweiteSetzen(Geraet& g, std::int64_t hz);
// The number of points, 1 to 300, with every point inside 32 bits.
Ergebnis messpunkteSetzen(Geraet& g, std::int64_t anzahl);
// Start, step and points together, judged as a whole by the rules above:
// all three are taken or none. A start that only fits the new step and
// points is taken, which setting them one by one would refuse.
Ergebnis bereichSetzen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte);
// The intermediate frequency, a 32-bit value.
Ergebnis zwischenfrequenzSetzen(Geraet& g, std::int64_t hz);
// Whether the IF is applied to the tuning, and whether it is added or
// subtracted (bits 0 and 1 of zfBerechnung).
Ergebnis zfAnwenden(Geraet& g, bool an);
Ergebnis zfAddieren(Geraet& g, bool addieren);
// The kind: 1 transmission, 2 reflection, 3 spectrum, 5 VFO; the picture
// is drawn afresh (the VFO's with its baseline).
Ergebnis messartWaehlen(Geraet& g, std::int32_t art);
// The detector: logarithmic or linear; the Smith figure goes back to
// reflection; the picture is drawn afresh.
Ergebnis detektorWaehlen(Geraet& g, bool lin);
// The heading above the diagram, also of a loaded series when it is saved.
Ergebnis ueberschriftSetzen(Geraet& g, const std::string& text);
// The cursor at the point nearest to hz; refused without a step to count by.
Ergebnis cursorSetzen(Geraet& g, std::int64_t hz);
// The cursor one point left or right, never beyond the first or last point.
Ergebnis cursorSchieben(Geraet& g, bool rechts);
// The cursor back in the middle of the sweep.
void cursorZurMitte(Geraet& g);

// --- the instrument and the picture ---

// The generator to the start frequency: one exchange at point 1.
Antwort generatorAbstimmen(Geraet& g);
// The picture drawn afresh for the settings; a loaded series is forgotten.
void diagrammNeu(Geraet& g);
// Every reading moved so that the highest stands at 0 dB, and the curve
// drawn over the old one.
Ergebnis normieren(Geraet& g);

// --- sweeping (the worker thread) ---

// Passes until stopped, or one pass; amEnde is told on the worker's thread
// when it ends. Refused while one runs. The sweep's number is then
// g.sweepNummer.
Ergebnis dauerlaufStarten(Geraet& g, std::function<void()> amEnde = {}, BeiStille beiStille = BeiStille::weiter);
Ergebnis einDurchlaufStarten(Geraet& g, std::function<void()> amEnde = {}, BeiStille beiStille = BeiStille::weiter);
// Asks the sweep to end after the pass under way.
void stoppAnfordern(Geraet& g);
// Waits for the end (calling inzwischen meanwhile, e.g. to serve the
// window) and joins the worker.
void sweepAbschliessen(Geraet& g, const std::function<void()>& inzwischen);

// The readings of the sweep's last complete pass with the settings they
// were measured with; nothing before the first.
std::optional<Kurvenbild> letzterDurchlauf(Geraet& g);

// --- files ---

// The 43 settings of a configuration file; refused, with nothing changed,
// for a file that cannot be read or is no configuration. Then the cursor
// is in the middle and the picture drawn afresh.
Ergebnis konfigurationLaden(Geraet& g, const std::string& pfad);
Ergebnis konfigurationSpeichern(Geraet& g, const std::string& pfad);
// A series file: its readings and picture, with its own scale; the
// settings stay. Refused, with nothing changed, for a file that cannot be
// read or is no series.
Ergebnis messreiheLaden(Geraet& g, const std::string& pfad);
// The series the diagram shows: a loaded one with its own frequencies and
// the readings as they are now, else the last sweep with the settings.
Ergebnis messreiheSpeichern(Geraet& g, const std::string& pfad);

}  // namespace qzl::api
