#include "engine/messarten.h"

namespace qzl {

namespace {

constexpr MessartDaten messarten[] = {
    {Messart::durchgang, "Durchgangsmessung   ", false, false, true, true, false, false},
    {Messart::reflexion, "Reflexionsmessung   ", true, false, true, false, true, false},
    {Messart::spektrum, "Spektralmessung   ", false, false, true, false, false, true},
    {Messart::vfo, "VFO   ", false, true, false, false, false, false},
};

}  // namespace

const MessartDaten* messartDaten(Messart art) {
    for (const MessartDaten& m : messarten)
        if (m.messart == art) return &m;
    return nullptr;
}

const char* messartUeberschrift(Messart art) {
    const MessartDaten* m = messartDaten(art);
    return m ? m->ueberschrift : "";
}

}  // namespace qzl
