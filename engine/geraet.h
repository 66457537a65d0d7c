#pragma once
// The device link, without a window: the engine's hold on the instrument
// (state, port, clock) and the single exchange of a point.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "engine/spuren.h"
#include "platform/uhr.h"
#include "serial/serieller_port.h"
#include "state/instrument_state.h"
#include "state/kurve.h"
#include "state/messreihe_daten.h"

namespace qzl {

struct Quarzlauf;  // engine/aktionen_quarz.cpp

inline constexpr std::int64_t antwortGrenzeMs = 4000;

// What became of one exchange: the reading came (or was synthesised in
// demonstration), the instrument stayed silent for the limit, or the
// program is quitting.
enum class Antwort { beantwortet, stumm, beendet };

// What a sweep does at a point the instrument left unanswered: go on with
// whatever stilleMelden made of it (the window's own sweep: its box, then
// synthesised readings), or end there (a script's sweep, whose readings
// nobody watches and which must not wait for a person).
enum class BeiStille { weiter, beenden };

// The engine of one program run: the state, the port, the clock, and what
// the actions keep between calls. Every front-end holds one.
struct Geraet {
    Geraet(InstrumentState& s, SeriellerPort& p, Uhr& u) : st(s), port(p), uhr(u), zustand_(s) {}
    // Ends and joins a sweep still running.
    ~Geraet();
    Geraet(const Geraet&) = delete;
    Geraet& operator=(const Geraet&) = delete;

    // What the front-ends see of the state; they change it through the API.
    const InstrumentState& st;
    SeriellerPort& port;
    Uhr& uhr;
    // Quitting: a pass ends at the next point, waits end at once.
    std::atomic<bool> beenden{false};
    // The kind a time-out replaced by the demonstration, so that it can
    // come back when the instrument answers again; none (0) before any.
    std::atomic<Messart> messartVorAusfall{Messart{0}};
    // Told on the measuring thread the moment the instrument fell silent
    // (uebertragungsfehler is set), before the next exchange: a window shows
    // its message from here.
    std::function<void()> stilleMelden;
    // Runs work on the front-end's main thread, which owns the diagram's
    // picture, and waits for it: a measurement on the worker that changes
    // the range has the diagram drawn afresh so. Unset: on the calling
    // thread, as in a program with one thread.
    std::function<void(const std::function<void()>& arbeit)> imHauptfaden;
    // The series last loaded, while the diagram shows it: saving writes it
    // with its own frequencies instead of the settings'. A redraw or a sweep
    // start forgets it.
    std::optional<Messreihe> geladeneReihe;
    // The file it came from, as it was named: an export says so.
    std::string geladenerPfad;
    // How the front-end names the device of COM n, for the files that say
    // where a pass came from; unset: "COM1" to "COM4".
    std::function<std::string(std::int32_t comNummer)> portName;
    // A port that went away ends the wait for a reply at once, rather than
    // after the limit, as the window has always waited.
    bool verlustNichtAbwarten = false;
    // Folder of "qzl7.cfg" and "frequenz.cfg"; empty: the working folder.
    std::string arbeitsordner;
    // The sweep's worker, joined by whoever stops it.
    std::thread sweepThread;
    // The running sweep's rule for a silent instrument.
    std::atomic<BeiStille> beiStille{BeiStille::weiter};
    // The number of the sweep started last (the first is 1), so that a
    // front-end can wait for the end of one sweep and not of a later one.
    std::uint64_t sweepNummer = 0;
    // The number of the last sweep that ended because the instrument fell
    // silent; 0 for none.
    std::atomic<std::uint64_t> verstummt{0};
    // The worker's last complete pass, copied under its lock for readers on
    // other threads; nothing before the first.
    std::mutex durchlaufSperre;
    std::optional<Kurvenbild> letzterDurchlauf;
    // Markers, reference and hold; changed by the API and, after each
    // pass, by the worker.
    std::mutex spurSperre;
    Spurspeicher spuren;
    // The layer of markers and traces over the diagram, drawn by the
    // refresh when the traces changed; only composited while it holds
    // anything, so that the picture without them is the same as ever.
    Raster spurRaster;
    bool spurRasterAn = false;
    std::uint64_t spurRasterVersion = UINT64_MAX;
    // The crystal measurement the worker ran last, with its result; set
    // before the worker starts, so that only its own lock guards the rest.
    std::shared_ptr<Quarzlauf> quarzLauf;

private:
    InstrumentState& zustand_;
    friend InstrumentState& zustand(Geraet& g);
};

// Tuning word of the DDS generator; 0 for a clock of 0 Hz or less.
// The frequency may lie beyond 32 bits (a start frequency plus the IF).
std::uint32_t abstimmwort(std::int32_t taktfrequenz, std::int64_t frequenz);
std::uint8_t befehlsbyte(std::int32_t messgenauigkeit, bool linModus);
// Synthesised reading of demonstration mode for a sweep point.
std::uint16_t demoRohwert(std::int32_t punktIndex);
// 10-bit reading from its two reply bytes.
std::uint16_t zehnBitWert(std::uint8_t b0, std::uint8_t b1);

// Opens COM comport (1..4) and sets the line up at the configured speed.
// The reason for the user when either failed, else "".
std::string portOeffnen(Geraet& g);
// One exchange at point punktIndex: tuning word, command byte, reply. A
// reading lands in rohwert.
Antwort einzelmessung(Geraet& g, std::int32_t punktIndex, std::int32_t frequenz);
// The two halves of einzelmessung, for a caller with work to do while the
// instrument measures: sending returns the moment the command went out,
// from which the reply's limit counts.
std::int64_t befehlSenden(Geraet& g, std::int32_t frequenz);
Antwort antwortNehmen(Geraet& g, std::int32_t punktIndex, std::int64_t gesendet);
// After a time-out: synthesised readings from now on, and the kind before
// remembered for when the instrument answers again.
void demoEinschalten(Geraet& g);

}  // namespace qzl
