#pragma once
// The layer of markers and traces over the diagram: the reference, the
// hold and the difference as curves of their own colours, and each marker
// as a small arrow with its number above it. Composited by AND like the
// other layers, so an empty layer (all 255) changes nothing.
#include <cstdint>
#include <vector>

#include "raster/raster.h"
#include "state/instrument_state.h"
#include "state/kurve.h"

namespace qzl {

// Colours no default picture uses (blue, teal, maroon, red, orange, olive).
inline constexpr std::uint8_t referenzFarbe = 252;
inline constexpr std::uint8_t halteFarbe = 6;
inline constexpr std::uint8_t differenzFarbe = 1;
inline constexpr std::uint8_t messmarkenFarbe = 249;
inline constexpr std::uint8_t grenzenFarbe = 39;  // orange, unlike the curve and every trace
// Olive: its bits lie within the default curve's (230), so where the fit
// covers the measured curve it keeps its own colour.
inline constexpr std::uint8_t quarzFarbe = 36;
// The row of the difference's 0 dB: half way up the scale.
inline constexpr std::int32_t differenzNull = 200;

struct Spurzeichnung {
    const Kurvenbild* referenz = nullptr;
    const Kurvenbild* gehalten = nullptr;
    const Kurvenbild* differenz = nullptr;
    const Kurvenbild* quarz = nullptr;  // the crystal's fitted curve
    // The curves' points two columns left of a sweep's (a series, "max").
    bool versetzt = false;
    struct Marke {
        int nummer;
        std::int32_t punkt;
        std::int32_t wert;
    };
    std::vector<Marke> marken;
    // A limit segment over the points it judges, at the reading of its level.
    struct Grenzlinie {
        std::int32_t von, bis;
        std::int32_t wert;
    };
    std::vector<Grenzlinie> grenzen;

    bool leer() const {
        return !referenz && !gehalten && !differenz && !quarz && marken.empty() && grenzen.empty();
    }
};

// r afresh: all 255, then what z holds, at st's origin.
void spurenZeichnen(Raster& r, const InstrumentState& st, const Spurzeichnung& z);

}  // namespace qzl
