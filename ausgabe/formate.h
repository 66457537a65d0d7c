#pragma once
// The sweep in the formats other programs read, one table of them. All are
// built whole in memory from the state after the sweep, and written at once.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ausgabe/bericht.h"
#include "state/kombination.h"
#include "state/instrument_state.h"

namespace qzl {

// Levels at the sweep's points, one per point.
struct Zusatzspalte {
    std::string schluessel;
    std::vector<double> pegel;
};

// What the files say about the run beyond the state.
struct Kopf {
    std::string zeit;  // the sweep's start, ISO 8601 with the offset from UTC
    std::string port;  // the device, or "demo"
    int durchgaenge = 1;
    Kombination regel = Kombination::letzte;
    int sweep = 1;  // which sweep of the run, from 1
    const std::vector<Grenze>* grenzen = nullptr;  // filled by ergebnisAbliefern
    const std::vector<Verstoss>* verstoesse = nullptr;
    std::optional<double> bandDb = std::nullopt;  // --band: that band around the maximum in the evaluation
    // --math diff: measured minus the reference file's readings, written in
    // place of the sweep's readings and levels.
    const Kurvenbild* differenz = nullptr;
    std::string referenz = {};  // the reference file's name
    // The window's traces beside the measurement (reference, hold,
    // difference): a further column of levels each, under its own key, in
    // the formats with room for them (csv, tsv, json).
    std::vector<Zusatzspalte> spalten = {};
    // Readings the instrument did not send (demonstration): csv and tsv say
    // so in a first line, json in a key, Touchstone in a comment.
    bool synthetisch = false;
};

// One output format: its name, which is also the file extension that asks
// for it; its line in --help; why it cannot hold a sweep, or with ausReihe a
// series read from a file ("" or no test: it holds any); and its writer, whose data is built whole in memory and empty
// when an encoder failed. The option check, the help and the error texts
// are all made from the table of these.
struct Ausgabeformat {
    std::string_view name;
    std::string_view hilfe;
    // One line per sweep, appended to the output and flushed as soon as it
    // is whole, for every repetition alike (a stream for pipes and logs).
    bool zeilen;
    std::string (*einwand)(const Ausgabeformat& f, const InstrumentState& st, bool ausReihe);
    std::string (*schreiber)(const InstrumentState& st, const Kopf& kopf);
    // Can hold measured minus a reference and say so; a series file and
    // the picture are the measurement, rtl_power lines have no room to say it.
    bool differenz = true;
};

std::span<const Ausgabeformat> ausgabeformate();
const Ausgabeformat* formatAusName(std::string_view name);
// The format a file name's extension asks for.
const Ausgabeformat* formatAusEndung(std::string_view pfad);
// "csv, tsv, ..., png", the last name joined by letzterTrenner.
std::string formatListe(std::string_view letzterTrenner);
// The formats' lines of --help, each indented by einzug blanks.
std::string formatHilfe(int einzug);
// Why the sweep (ausReihe: the series) cannot be written in the format, or "".
std::string formatEinwand(const Ausgabeformat& f, const InstrumentState& st, bool ausReihe = false);
// Why the format cannot hold a difference (--math diff), or "".
std::string differenzEinwand(const Ausgabeformat& f);

// Frequency, the stored reading and the read-out's level unrounded, one line
// a point, under a header line; trenner "," (csv) or a tab (tsv). With a
// difference in kopf, the difference's, under its own keys.
std::string tabelleText(const InstrumentState& st, char trenner, const Kopf& kopf = {});
std::string jsonText(const InstrumentState& st, const Kopf& kopf);
// Touchstone 1.1: s1p for a reflection sweep, s2p (only S21 measured) for a
// transmission sweep, magnitude from the level in dB, angle 0.
std::string touchstoneText(const InstrumentState& st, const Kopf& kopf);
// One line of JSON per sweep: time, sweep number, kind, detector, start,
// step, points, the frequencies and the levels.
std::string jsonlZeile(const InstrumentState& st, const Kopf& kopf);
// The line heatmap tools read: date, time, Hz low, Hz high (the last point
// plus a step), Hz step, samples, then the levels in dB.
std::string rtlPowerZeile(const InstrumentState& st, const Kopf& kopf);
std::string rtlPowerEinwand(const Ausgabeformat& f, const InstrumentState& st, bool ausReihe);
// The text as a JSON string, quoted and escaped.
std::string jsonZeichenkette(std::string_view text);
// "transmission", "reflection", "spectrum" or "demonstration".
std::string_view artName(const InstrumentState& st);

}  // namespace qzl
