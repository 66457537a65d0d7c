#pragma once
// The measurement kinds a user can choose, and what each brings along: the
// heading's words, the IF switch, and which controls and calibration items
// serve it.
#include <cstdint>

#include "state/messart.h"

namespace qzl {

struct MessartDaten {
    Messart messart;
    const char* ueberschrift;  // the heading puts messzeit right behind it
    bool smith, zf, start;
    bool durchgangEichen, reflexionEichen, spektrumEichen;
};

// The data of the sweep kinds and the VFO; nothing for the others.
const MessartDaten* messartDaten(Messart art);
// The heading's text before messzeit; "" for a kind without data.
const char* messartUeberschrift(Messart art);

}  // namespace qzl
