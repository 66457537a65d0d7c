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
    std::optional<std::uint64_t> durchlauf;  // the pass the session's last INITiate started
    bool warten = false;                     // set by *OPC? while that pass runs
};

struct Ausfuehrung {
    bool abfrage = false;  // it answers one field, "" when it failed
    bool warten = false;   // *OPC? met the pass still running: nothing done, ask again later
    std::string antwort;
};

// One command or query, a part of a line between ';'. Errors go to the
// session's queue.
Ausfuehrung ausfuehren(std::string_view teil, Lage& lage);

}  // namespace qzl::fern
