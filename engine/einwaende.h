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

// Why markers, hold and difference as a whole are not taken; nothing when they are.
std::optional<Ergebnis> spurEinwand(const Spureinstellungen& e);

}  // namespace qzl::api
