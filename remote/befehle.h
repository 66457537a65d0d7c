#pragma once
// The commands of the remote-control language: one part of a line in, a
// call on the target and at most one answer field out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "remote/fehler.h"
#include "remote/fernziel.h"

namespace qzl::fern {

// What a command sees of its session.
struct Lage {
    Fernziel& ziel;
    Fehlerschlange& fehler;
    // The sweep *OPC? waits for: the session's last INITiate pass, or the
    // sweep its ABORt is ending.
    std::optional<std::uint64_t> durchlauf = {};
    // After ABORt, the session's commands wait for that sweep's end; its
    // queries are answered meanwhile.
    bool befehleHalten = false;
    // The sweep the session started last, until its end has been told.
    std::optional<std::uint64_t> gestartet = {};
    bool warten = false;  // set by a part that has to wait
};

struct Ausfuehrung {
    bool abfrage = false;  // it answers one field, "" when it failed
    bool warten = false;   // it has to wait for a sweep's end: nothing done, ask again later
    std::string antwort;
};

// The target's refusal goes to the queue; true when it did the work.
bool erledigt(Lage& l, const Ergebnis& e);

// One command or query, a part of a line between ';'. Errors go to the
// session's queue.
Ausfuehrung ausfuehren(std::string_view teil, Lage& lage);

}  // namespace qzl::fern
