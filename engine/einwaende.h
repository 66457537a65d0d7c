#pragma once
// The refusals every group of actions shares.
#include <optional>
#include <string>

#include "engine/api.h"
#include "engine/durchlauf.h"

namespace qzl::api {

inline Ergebnis abgelehnt(Grund grund, std::string text) { return {grund, std::move(text), std::nullopt}; }

// Settings do not change under a running sweep, which reads them.
inline std::optional<Ergebnis> laeuftSchon(const Geraet& g) {
    if (sweepLaeuft(g)) return abgelehnt(Grund::sweepLaeuft, "a sweep is running");
    return std::nullopt;
}

// bereichSetzen's rules without its refusal under a running sweep: for the
// worker's own measurements, which set the range between their passes.
Ergebnis bereichUebernehmen(Geraet& g, std::int64_t start, std::int64_t schritt, std::int64_t punkte,
                            Erlaubnis erlaubnis = Erlaubnis::streng);

// durchlaeufeMessen without drawing the diagram afresh first, for a caller
// that has it drawn where the picture's thread is.
MessErgebnis durchgaengeKombinieren(Geraet& g, int durchgaenge, Kombination regel, const Fortschritt& fortschritt);

inline constexpr const char* fassungText = "a crystal fixture's resistance lies above 0 and at most 10000 ohms";

// Why markers, hold and difference as a whole are not taken; nothing when they are.
std::optional<Ergebnis> spurEinwand(const Spureinstellungen& e);

}  // namespace qzl::api
