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
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/geraet.h"
#include "evaluation/messmarken.h"
#include "evaluation/quarz.h"
#include "platform/datei.h"
#include "raster/raster.h"
#include "state/einstellwerte.h"
#include "state/grenzwerte.h"
#include "state/kombination.h"
#include "state/messmarken.h"
#include "state/messart.h"
#include "state/regeln.h"

namespace qzl::api {

enum class Grund {
    keiner,        // done
    ausserhalb,    // the value lies outside what the setting takes
    unbekannt,     // no such choice
    sweepLaeuft,   // a sweep runs: settings stay as they are
    dateifehler,   // the file could not be read or written: see io
    falscheDatei,  // the file is no file of the kind asked for
    keineDaten,    // there is no curve (or no point) to take it from
    unpassend,     // it does not fit what is set or measured: see text
    vorhanden,     // a file of that name is there, and was not to be replaced
};

struct Ergebnis {
    Grund grund = Grund::keiner;
    std::string text;             // the reason in words, English
    std::optional<IoFehler> io;   // with dateifehler: the run time's failure
    explicit operator bool() const { return grund == Grund::keiner; }
};

// --- the sweep's settings ---

// The start values of a program run (before any file is read): version,
// continuous picture, no frequency markers, transmission.
void startwerteSetzen(Geraet& g, bool kontinuierlich);

// The first point's frequency; refused when a point of the sweep would
// leave 32 bits, or (streng) reach below 0 Hz.
Ergebnis startfrequenzSetzen(Geraet& g, std::int64_t hz, Erlaubnis erlaubnis = Erlaubnis::streng);
// One step up (below endfrequenz) or down (above 0 Hz), as "+" and "-" do.
Ergebnis startfrequenzSchritt(Geraet& g, bool aufwaerts);
// The distance between points; refused when a point would leave 32 bits.
Ergebnis schrittweiteSetzen(Geraet& g, std::int64_t hz, Erlaubnis erlaubnis = Erlaubnis::streng);
// The number of points, 1 to 300, with every point inside 32 bits.
Ergebnis messpunkteSetzen(Geraet& g, std::int64_t anzahl, Erlaubnis erlaubnis = Erlaubnis::streng);
// Start, step and points together, judged as a whole by the rules above:
// all three are taken or none. A start that only fits the new step and
// points is taken, which setting them one by one would refuse.
Ergebnis bereichSetzen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte,
                       Erlaubnis erlaubnis = Erlaubnis::streng);
// The intermediate frequency, a 32-bit value.
Ergebnis zwischenfrequenzSetzen(Geraet& g, std::int64_t hz);
// Whether the IF is applied to the tuning, and whether it is added or
// subtracted (bits 0 and 1 of zfBerechnung).
Ergebnis zfAnwenden(Geraet& g, bool an);
Ergebnis zfAddieren(Geraet& g, bool addieren);
// For a sweep of a script: the IF applied to every point (and, when given,
// its value, within 32 bits, and its direction). zfEinwand tells the first
// point that it tunes below 0 Hz or beyond 32 bits, which a script's sweep
// refuses.
struct ZfEinwand {
    std::int32_t punkt;
    std::int64_t frequenz, abgestimmt;
};
std::optional<ZfEinwand> zfEinwand(const InstrumentState& st);
Ergebnis zfEinschalten(Geraet& g, std::optional<std::int64_t> hz, std::optional<bool> addieren);
// The kind: transmission, reflection, spectrum, VFO, or the Smith figure
// (reflection's controls); the picture is drawn afresh (the VFO's with its
// baseline). The demonstration is no kind to choose.
Ergebnis messartWaehlen(Geraet& g, Messart art);
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

// The settings dialog's set, taken as a whole or refused as a whole.
Ergebnis einstellungenSetzen(Geraet& g, const Einstellungen& e);
// The port's number, speed and converter's resolution where given: COM 1
// to 4, one of the four speeds, 8 or 10 bits.
Ergebnis schnittstelleSetzen(Geraet& g, std::optional<std::int32_t> com, std::optional<std::int32_t> baud,
                             std::optional<std::int32_t> bits);
// Synthesised readings (no instrument) or the instrument's.
void demoModusSetzen(Geraet& g, bool an);
// The decimal separator of fraction labels in the diagram: the user's.
void dezimalzeichenSetzen(Geraet& g, char zeichen);

// --- calibration ---

// The calibration of art (transmission, reflection or spectrum) for the
// present detector: the slot made neutral (offset 0, span 100), then the
// offset from a pass that should read 0, then the span from one that
// should read 400 (in the spectrum, its peak). The span is refused, and the
// slot keeps the neutral span, when that pass reads nothing above 0 (or a
// spectrum's peak above the scale).
Ergebnis kalibrierungBeginnen(Geraet& g, Messart art);
// The resolution the present kind's and detector's calibration was made
// at: the start values' at 8 bits, a configuration's at dateiBits, the
// Messgenauigkeit it was read with. Nothing for a kind without calibration.
std::optional<std::int32_t> kalibrierteBits(const InstrumentState& st, std::int32_t dateiBits);
Ergebnis nullpunktUebernehmen(Geraet& g, Messart art);
Ergebnis spanneUebernehmen(Geraet& g, Messart art);
// The span that makes a reading of a read 400, halves to even.
std::int32_t spanneFuer(std::int32_t a);
// Reference line n (1 to 7) at the mean of the last pass.
Ergebnis linieKalibrieren(Geraet& g, int n);
// The clock's calibration: 10 MHz from the nominal clock, so that the
// generator's output can be measured; then the clock that was measured
// (above 0 Hz, within 32 bits).
void taktKalibrierungBeginnen(Geraet& g);
Ergebnis taktfrequenzSetzen(Geraet& g, std::int64_t hz);

// --- the instrument and the picture ---

// The generator to the start frequency: one exchange at point 1.
Antwort generatorAbstimmen(Geraet& g);
// The picture drawn afresh for the settings; a loaded series is forgotten.
void diagrammNeu(Geraet& g);
// Every reading moved so that the highest stands at 0 dB, and the curve
// drawn over the old one.
Ergebnis normieren(Geraet& g);
// The display bitmap brought up to date with what either layer changed
// since the last call; the change is what a window repaints.
Aenderung anzeigeAuffrischen(Geraet& g);
// The display bitmap composited whole, for a picture file.
AnzeigeBitmap anzeigeBild(Geraet& g);

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

// Passes on the caller's thread, their readings combined point by point:
// the last pass, the rounded mean (halves to even), or the highest or
// lowest reading. The combined readings become the curve as a pass with
// them would leave it. fortschritt is told of points done, in all, and ms.
using ::qzl::Kombination;
enum class MessEnde { fertig, stumm, abgebrochen };
struct MessErgebnis {
    MessEnde ende = MessEnde::fertig;
    std::int32_t punkt = 0;        // with stumm or abgebrochen: where
    std::int64_t frequenz = 0;
};
using Fortschritt = std::function<void(std::int64_t fertig, std::int64_t gesamt)>;
MessErgebnis durchlaeufeMessen(Geraet& g, int durchgaenge, Kombination regel, const Fortschritt& fortschritt = {});

// --- markers and traces ---
// They may change while a sweep runs. Markers read the curve the diagram
// shows (a loaded series, else the last complete pass with the present
// settings), or the hold while it is on.

// Marker n (1 to 8) as a whole: refused for another n, a delta to itself or
// beyond 8, a band not above 0 or beyond 200 dB, a range that runs down.
Ergebnis markeSetzen(Geraet& g, int n, const Messmarke& m);
// Marker n as it stands with one change, judged likewise, in one step with
// reading it: a pass that moves it meanwhile is not undone.
Ergebnis markeAendern(Geraet& g, int n, const std::function<void(Messmarke&)>& aenderung);
// The marker that the keys and the mouse move.
Ergebnis aktiveMarkeSetzen(Geraet& g, int n);
// Marker n on (and to) the highest or lowest point of its search range;
// with tracking it follows that point after every pass.
Ergebnis markeSuchen(Geraet& g, int n, Suche suche);
// Marker n to the next peak left or right of where it stands.
Ergebnis markeSpitzeSuchen(Geraet& g, int n, bool rechts);
// Marker n on point punkt, or moved by punkte points, of the curve (the
// first or last point beyond its ends); it then stays where it was put.
Ergebnis markeAufPunkt(Geraet& g, int n, std::int32_t punkt);
Ergebnis markeSchieben(Geraet& g, int n, std::int32_t punkte);
// The hold and the number of passes of its mean (1 to 100); it starts
// afresh, as it does with every sweep and every fresh diagram.
Ergebnis haltenSetzen(Geraet& g, Halten halten, std::int32_t mittelAnzahl);
// The difference to the reference, refused without a reference or when
// its points lie at other frequencies than the diagram's.
Ergebnis differenzZeigen(Geraet& g, bool an);
// The last complete pass, or a series file, becomes the reference.
Ergebnis referenzUebernehmen(Geraet& g);
Ergebnis referenzLaden(Geraet& g, const std::string& pfad);
// Forgets the reference; the difference goes with it.
void referenzVerwerfen(Geraet& g);
// Markers, hold and difference as a whole (a markers' file).
Ergebnis spurEinstellungenSetzen(Geraet& g, const Spureinstellungen& e);

// What a front-end shows of them.
struct Spuransicht {
    Spureinstellungen e;
    std::optional<Kurvenbild> kurve;  // what the markers read
    bool versetzt = false;            // its points two columns left of a sweep's
    std::optional<Kurvenbild> referenz;
    std::string referenzDatei;            // the series file it came from; "" for a stored pass
    std::optional<Kurvenbild> gehalten;   // while the hold is on and fits the diagram
    std::optional<Kurvenbild> differenz;  // measured minus reference, in readings
    std::string differenzEinwand;         // why the difference is on but not shown
    MarkenAblesungen ablesungen;
    std::vector<Grenze> grenzen;
    std::string grenzDatei;               // the limit file they came from
    bool grenzenAn = true;                // whether they judge
    // The verdict on the last pass of a sweep shown with the present
    // settings; nothing without limits, while judging is off, before the
    // first pass of a fresh diagram, or for a loaded series.
    std::optional<Grenzurteil> urteil;
    // The last crystal fit's curve at the diagram's points, in readings,
    // until the diagram is drawn afresh.
    std::optional<Kurvenbild> quarzKurve;
    std::uint64_t version = 0;  // changes with every change of the above
};
Spuransicht spurAnsicht(Geraet& g);
// Just its version: cheap enough for every refresh tick.
std::uint64_t spurVersion(Geraet& g);

// The markers' file beside a configuration: markers, hold, difference.
Ergebnis markenSpeichern(Geraet& g, const std::string& pfad);
Ergebnis markenLaden(Geraet& g, const std::string& pfad);
// The same from the file's bytes.
Ergebnis markenUebernehmen(Geraet& g, const std::string& daten);

// --- limits ---
// They judge every pass of a sweep; they may change while a sweep runs.

// The segments of a limit file (formats/grenzdatei.h) replace those
// loaded, judging is on, and they judge the pass shown at once. Refused, with nothing changed,
// for a file that cannot be read or holds a line that is no segment (the
// reason names the file and the line).
Ergebnis grenzenLaden(Geraet& g, const std::string& pfad);
// The same from the file's bytes; name stands for the file in reasons.
Ergebnis grenzenUebernehmen(Geraet& g, const std::string& daten, const std::string& name);
void grenzenVerwerfen(Geraet& g);
// Judging on or off; the limits stay loaded and drawn.
void grenzenPruefenSetzen(Geraet& g, bool an);

// --- crystal analysis ---
// The crystal's equivalent circuit fitted to transmission passes
// (evaluation/quarz.h). Refused for any kind but transmission, the linear
// detector and synthesised readings.

// The fixture's source and load resistance in ohms (fassungGueltig); it is
// kept with the markers.
Ergebnis quarzFassungSetzen(Geraet& g, double ohm);

struct Quarzanalyse {
    // unpassend with the refusal's reason (einwand), keineDaten without a
    // pass, sweepLaeuft while one runs; for a measurement cut short by Stop
    // or a silent instrument, mess says where.
    Ergebnis ergebnis;
    Quarzeinwand einwand;
    std::optional<Quarzwerte> werte;
    MessErgebnis mess;
};
// The last complete pass evaluated alone, without a further pass.
Quarzanalyse quarzAuswerten(Geraet& g);
// The measurement on the caller's thread (a script): the first pass over
// the present range, then the passes around fs, whose range stays set, each
// of durchgaenge passes averaged; fortschritt counts each range's points.
// The fitted curve is drawn over the measured one until the next redraw.
Quarzanalyse quarzMessen(Geraet& g, int durchgaenge, const Fortschritt& fortschritt = {});
// The same on the sweep's worker (a window), refused while a sweep runs;
// its number is g.sweepNummer, Stop (stoppAnfordern) ends it, and amEnde is
// told on the worker when it ended. Its result is then quarzErgebnis's.
Ergebnis quarzMessungStarten(Geraet& g, int durchgaenge, std::function<void()> amEnde = {},
                             BeiStille beiStille = BeiStille::weiter);
// Whether the worker runs such a measurement rather than a sweep.
bool quarzMessungLaeuft(const Geraet& g);
// The result of the last measurement quarzMessungStarten started; nothing
// before one ended.
std::optional<Quarzanalyse> quarzErgebnis(Geraet& g);

// --- presets ---
// A measurement setup under a name (formats/voreinstellung.h): range, IF,
// kind, detector, frequency markers, markers, hold and difference, and the
// limit and reference files by path. With mitKalibrierung also the
// correction slots, the reference lines, the port and the clock; a preset
// without them leaves them as they are, so that an old preset cannot undo a
// newer calibration. A reference that is a stored pass is no file and is
// not saved; a preset without a reference keeps the one there is.

// The setup written to a file, replacing it.
Ergebnis voreinstellungSpeichern(Geraet& g, const std::string& pfad, bool mitKalibrierung);
// A file the preset names that could not be loaded: its path and why.
struct Nachladefehler {
    std::string datei;
    Ergebnis grund;
};
struct Voreinstellungsladung {
    Ergebnis ergebnis;
    // The rest of the preset was taken without them: the limits are then
    // none, the reference stays as it was.
    std::optional<Nachladefehler> grenzen, referenz;
};
// The preset taken as a whole, or refused as a whole with nothing changed:
// a file that cannot be read (dateifehler), that is no preset or holds a
// line it does not know or a value a setting does not take (falscheDatei,
// naming the line), a range, markers or hold the setters refuse
// (ausserhalb), or a running sweep. Then the cursor is in the middle and
// the picture drawn afresh.
Voreinstellungsladung voreinstellungLaden(Geraet& g, const std::string& pfad, Erlaubnis erlaubnis = Erlaubnis::streng);
// The same from the file's bytes; name stands for the file in reasons.
Voreinstellungsladung voreinstellungUebernehmen(Geraet& g, const std::string& daten, const std::string& name,
                                                Erlaubnis erlaubnis = Erlaubnis::streng);

// The same by folder and name, as every front-end names presets: the file
// NAME.preset in ordner (voreinstellungsPfad, which does not judge the
// name). A name that is none (voreinstellungNameEinwand) is refused with
// ausserhalb before anything is touched.
std::string voreinstellungsPfad(const std::string& ordner, const std::string& name);
// The folder is made (private) when missing; an existing preset is
// replaced only with ersetzen, else refused with vorhanden.
Ergebnis voreinstellungAblegen(Geraet& g, const std::string& ordner, const std::string& name, bool mitKalibrierung,
                               bool ersetzen);
Voreinstellungsladung voreinstellungHolen(Geraet& g, const std::string& ordner, const std::string& name,
                                          Erlaubnis erlaubnis = Erlaubnis::streng);
struct Voreinstellungsliste {
    Ergebnis ergebnis;
    std::vector<std::string> namen;  // sorted; none for a folder not made yet
};
Voreinstellungsliste voreinstellungenListen(const std::string& ordner);
bool voreinstellungVorhanden(const std::string& ordner, const std::string& name);
// Refused with vorhanden when neu is taken.
Ergebnis voreinstellungUmbenennen(const std::string& ordner, const std::string& alt, const std::string& neu);
Ergebnis voreinstellungLoeschen(const std::string& ordner, const std::string& name);
// Plain copies between the folder and any file; a file that is no preset
// is not imported (falscheDatei).
Ergebnis voreinstellungImportieren(const std::string& ordner, const std::string& name, const std::string& datei,
                                   bool ersetzen);
Ergebnis voreinstellungExportieren(const std::string& ordner, const std::string& name, const std::string& datei);

// --- files ---

// The 43 settings of a configuration file; refused, with nothing changed,
// for a file that cannot be read or is no configuration. Then the cursor
// is in the middle and the picture drawn afresh.
Ergebnis konfigurationLaden(Geraet& g, const std::string& pfad);
Ergebnis konfigurationSpeichern(Geraet& g, const std::string& pfad);
// The settings of a configuration file's text, nothing else; refused, with
// nothing changed, for text that is no configuration.
Ergebnis konfigurationUebernehmen(Geraet& g, std::string daten);
// The frequency markers of "frequenz.cfg"'s text.
void freqMarkenUebernehmen(Geraet& g, std::string daten);
// A state of its own holding a series as the window shows it after loading
// it: kind, detector, frequencies, readings and picture; the heading when
// given. For writing a file in another format.
std::unique_ptr<const InstrumentState> reiheZustand(const Messreihe& reihe, const std::optional<std::string>& ueberschrift);
// A series file: its readings and picture, with its own scale; the
// settings stay. Refused, with nothing changed, for a file that cannot be
// read or is no series.
Ergebnis messreiheLaden(Geraet& g, const std::string& pfad);
// The series the diagram shows: a loaded one with its own frequencies and
// the readings as they are now, else the last sweep with the settings.
Ergebnis messreiheSpeichern(Geraet& g, const std::string& pfad);

// --- export ---
// The pass the diagram shows (what messreiheSpeichern saves: a loaded
// series, else the last complete pass with the settings) in one of the
// output formats that hold one pass: csv, tsv, json, dat, s1p, s2p, png.

// The names of those formats, in the table's order.
std::vector<std::string> exportFormate();
// Synthesised readings (demonstration) go out saying so, or are refused.
enum class Synthese { kennzeichnen, ablehnen };
struct Ausfuhr {
    Ergebnis ergebnis = {};
    std::string daten = {};    // the file's bytes, when done
    bool synthetisch = false;  // the pass holds synthesised readings
};
// Of a loaded series, the bytes qzl7-cli convert writes of its file; of a
// pass, those of its sweep with the port the front-end names. Reference,
// hold and difference, while shown, are further columns (csv, tsv, json);
// the picture is the diagram with its traces, and the markers' figures
// written in. Refused with unbekannt for another format, keineDaten when no
// pass is shown, unpassend when the format cannot hold it (a series file
// cannot say its readings were synthesised) or, with ablehnen, for
// synthesised readings.
Ausfuhr exportieren(Geraet& g, const std::string& format, Synthese synthese = Synthese::kennzeichnen);
// The same written to a file.
Ergebnis exportSpeichern(Geraet& g, const std::string& pfad, const std::string& format,
                         Synthese synthese = Synthese::kennzeichnen);

}  // namespace qzl::api
