#pragma once
// The commands of the remote-control language: one part of a line in, a
// call on the target and at most one answer field out.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "remote/fehler.h"
#include "remote/fernziel.h"
#include "remote/satzbau.h"

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
    // The header's numeric suffix, 1 to 8 (CALC:MARK3: 3; 1 without one).
    int suffix = 1;
    // Over the Unix socket (the user alone) file names may be paths and
    // may replace a file, and the folder may change; over TCP, which any
    // user of the computer reaches, they are bare names inside ordner.
    bool vertraut = false;
    std::string ordner = {};  // the folder file names refer to
    // The crystal measurement CALCulate:CRYStal:MEASure? waits for.
    std::optional<std::uint64_t> quarzMessung = {};
    // The warning of the crystal's figures the session was given last.
    std::string quarzWarnung = {};
};

struct Ausfuehrung {
    bool abfrage = false;  // it answers one field, "" when it failed
    bool warten = false;   // it has to wait for a sweep's end: nothing done, ask again later
    std::string antwort;
};

// The target's refusal goes to the queue; true when it did the work.
bool erledigt(Lage& l, const Ergebnis& e);

using Antwort = std::optional<std::string>;  // nothing when the query failed

// A line of a command table. A node of the header ending in '#' takes a
// suffix (Lage::suffix).
struct Eintrag {
    std::string_view muster;
    Antwort (*abfrage)(Lage&);                // nullptr: no query form
    void (*befehl)(Lage&, std::string_view);  // nullptr: no command form
    bool mitParameter;
};

// Only a command form takes a parameter; a query-only entry that claimed one
// would hide a fault in a table.
constexpr bool tafelStimmig(std::span<const Eintrag> tafel) {
    return std::ranges::none_of(tafel, [](const Eintrag& e) { return e.mitParameter && e.befehl == nullptr; });
}

// The answer from a value the target may refuse.
template <class T, class F>
Antwort mitWert(Lage& l, const Wert<T>& w, F format) {
    if (!erledigt(l, w.fehler)) return std::nullopt;
    return format(w.wert);
}

// Which of the names wort is, in its long or short form.
template <std::size_t N>
std::optional<std::size_t> auswahl(const std::array<std::string_view, N>& namen, std::string_view wort) {
    for (std::size_t i = 0; i < N; ++i)
        if (wortPasst(namen[i], wort)) return i;
    return std::nullopt;
}

// The short form answers; an enumerator the list does not know answers "".
template <std::size_t N>
std::string kurzform(const std::array<std::string_view, N>& namen, std::size_t i) {
    if (i >= N) return {};
    const std::string_view name = namen[i];
    return std::string(name.substr(0, std::min(name.find_first_of("abcdefghijklmnopqrstuvwxyz"), name.size())));
}

// ON|OFF, also 1|0; nothing for anything else.
std::optional<bool> schalter(std::string_view parameter);
// The fields of a parameter between ',', without their blanks, all of
// them there: -108 for more, -109 for fewer or an empty one.
bool felderLesen(Lage& l, std::string_view parameter, std::span<std::string_view> felder);
// F,LEVEL; a curve's pairs f1,l1,f2,l2,...
std::string paar(std::int64_t frequenz, double pegel);
std::string paare(const Kurve& k);

// One command or query, a part of a line between ';'. Errors go to the
// session's queue.
Ausfuehrung ausfuehren(std::string_view teil, Lage& lage);

}  // namespace qzl::fern
