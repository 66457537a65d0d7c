#include "engine/messarten.h"

namespace qzl {

namespace {

constexpr Messart messarten[] = {
    {1, "Durchgangsmessung   ", false, false, true, true, false, false},
    {2, "Reflexionsmessung   ", true, false, true, false, true, false},
    {3, "Spektralmessung   ", false, false, true, false, false, true},
    {5, "VFO   ", false, true, false, false, false, false},
};

}  // namespace

const Messart* messartDaten(std::int32_t art) {
    for (const Messart& m : messarten)
        if (m.messart == art) return &m;
    return nullptr;
}

const char* messartUeberschrift(std::int32_t art) {
    const Messart* m = messartDaten(art);
    return m ? m->ueberschrift : "";
}

}  // namespace qzl
