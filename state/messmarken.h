#pragma once
// The markers and the trace memory's settings as a user sets them: plain
// data that the engine keeps and the markers' file stores.
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace qzl {

inline constexpr int anzahlMessmarken = 8;

// What a marker is placed on: where the user put it, or the highest or
// lowest point of its search range.
enum class Suche { keine, maximum, minimum };

struct Messmarke {
    bool an = false;
    // The anchor: a marker keeps its frequency when the sweep's range or
    // points change, and reads the point nearest to it.
    std::int64_t frequenz = 0;
    Suche suche = Suche::keine;
    // Placed afresh on every pass (with a search), or left where it is.
    bool verfolgen = false;
    // The search range, lower and upper frequency; none: the whole sweep.
    std::optional<std::pair<std::int64_t, std::int64_t>> bereich = {};
    // Delta to that marker (1..8); 0: none.
    std::int32_t bezug = 0;
    // The band N dB below the marker's own level, around it; none: no band.
    std::optional<double> bandDb = {};

    bool operator==(const Messmarke&) const = default;
};

// Hold: none, the highest or lowest reading per point since the start, or
// the mean of the last mittelAnzahl passes.
enum class Halten { aus, max, min, mittel };

inline constexpr std::int32_t hoechsteMittelAnzahl = 100;

struct Spureinstellungen {
    std::array<Messmarke, anzahlMessmarken> marken;
    std::int32_t aktiv = 1;  // the marker the keys and the mouse move
    Halten halten = Halten::aus;
    std::int32_t mittelAnzahl = 4;
    bool differenz = false;  // the difference to the reference shown
    // The crystal fixture's source and load resistance, in ohms.
    double quarzFassung = 50.0;

    bool operator==(const Spureinstellungen&) const = default;
};

}  // namespace qzl
