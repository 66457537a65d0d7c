#pragma once
// The measurement kinds a user can choose, and what each brings along: the
// heading's words, the IF switch, and which controls and calibration items
// serve it.
#include <cstdint>

namespace qzl {

struct Messart {
    std::int32_t messart;
    const char* ueberschrift;  // the heading puts messzeit right behind it
    bool smith, zf, start;
    bool durchgangEichen, reflexionEichen, spektrumEichen;
};

// The data of art 1, 2, 3 (the sweep kinds) or 5 (VFO); nothing for any other.
const Messart* messartDaten(std::int32_t art);
// The heading's text before messzeit for art 1, 2, 3 or 5; "" for any other.
const char* messartUeberschrift(std::int32_t art);

}  // namespace qzl
