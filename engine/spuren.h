#pragma once
// What the engine keeps of markers and traces between passes. The sweep's
// worker changes it at the end of each pass and the actions between, under
// Geraet::spurSperre; front-ends see a copy (api::spurAnsicht).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/kombinieren.h"
#include "raster/aenderung.h"
#include "raster/raster.h"
#include "state/grenzwerte.h"
#include "state/kurve.h"
#include "state/messmarken.h"

namespace qzl {

struct Spurspeicher {
    Spureinstellungen e;
    // The curve the diagram shows: the last complete pass, a loaded series
    // or the normalised readings; nothing after a fresh diagram.
    std::optional<Kurvenbild> gezeigt;
    // Its points stand two columns left of a sweep's (a series, "max").
    bool versetzt = false;
    std::optional<Kurvenbild> referenz;
    std::string referenzDatei;  // the series file it was loaded from; "" for a stored pass
    // The hold's passes since the start, and what they make.
    Kombinierer halter{Kombination::max};
    std::optional<Kurvenbild> gehalten;
    // The limits, whether they judge, and their verdict on the last pass
    // shown (nothing before one, or after a fresh diagram).
    std::vector<Grenze> grenzen;
    std::string grenzDatei;
    bool grenzenAn = true;
    std::optional<Grenzurteil> urteil;
    // The last crystal fit's curve at the diagram's points, until a fresh
    // diagram.
    std::optional<Kurvenbild> quarzKurve;
    // Counts every change, so that the picture knows when to redraw.
    std::uint64_t version = 0;
};

struct Geraet;

// The traces after a pass: it is what the diagram shows, the hold takes
// it, and tracking markers move.
void spurenNachDurchlauf(Geraet& g, const Kurvenbild& bild);
// A fresh picture, showing gezeigt (a series: versetzt) or nothing; the
// hold starts afresh.
void spurenNeu(Geraet& g, std::optional<Kurvenbild> gezeigt = std::nullopt, bool versetzt = false);
// The curve shown moved by verschiebung and drawn two columns left ("max").
void spurenNormiert(Geraet& g, std::int32_t verschiebung);

// The verdict on the pass shown, when limits judge and it is a sweep's pass
// with the present settings; under spurSperre.
void urteilFaellen(const InstrumentState& st, Spurspeicher& s);

// The layer of markers and traces brought up to date when they or the
// diagram changed; what it changed in the picture.
Aenderung spurRasterAuffrischen(Geraet& g, bool diagrammNeu);
// The layer drawn afresh for a picture file; nothing while it is empty.
std::unique_ptr<Raster> spurRasterBild(Geraet& g);

}  // namespace qzl
