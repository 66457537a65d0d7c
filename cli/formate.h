#pragma once
// The sweep in the formats other programs read. All of them are built whole
// in memory from the state after the sweep, and written at once.
#include <string>
#include <vector>

#include "cli/bericht.h"
#include "cli/optionen.h"
#include "state/instrument_state.h"

namespace qzl::cli {

// What the files say about the run beyond the state.
struct Kopf {
    std::string zeit;  // the sweep's start, ISO 8601 with the offset from UTC
    std::string port;  // the device, or "demo"
    int durchgaenge = 1;
    Kombination regel = Kombination::letzte;
    const std::vector<Grenze>* grenzen = nullptr;
    const std::vector<Verstoss>* verstoesse = nullptr;
};

// Frequency, the stored reading and the read-out's level unrounded, one line
// a point, under a header line; trenner "," (csv) or a tab (tsv).
std::string tabelleText(const InstrumentState& st, char trenner);
std::string jsonText(const InstrumentState& st, const Kopf& kopf);
// Touchstone 1.1: s1p for a reflection sweep, s2p (only S21 measured) for a
// transmission sweep, magnitude from the level in dB, angle 0.
std::string touchstoneText(const InstrumentState& st, const Kopf& kopf);
// Why the sweep cannot be written in this format, or "".
std::string formatEinwand(Format f, const InstrumentState& st);

// The data of one format. The display bitmap is composited here for png;
// empty when the encoder failed.
std::string formatDaten(Format f, InstrumentState& st, const Kopf& kopf);

}  // namespace qzl::cli
