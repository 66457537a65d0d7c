#pragma once
// What the markers' tool window shows and does, as the window sees it: rows
// of texts to show, and changes that answer "" or the reason, in German.
#include <array>
#include <cstdint>
#include <string>

#include "state/messmarken.h"

namespace qzl {

struct MarkenZeile {
    std::string nummer, art, frequenz, pegel, werte;
};
struct MarkenTafel {
    std::array<MarkenZeile, anzahlMessmarken> zeilen;
    Spureinstellungen e;
};

class MarkenBedienung {
public:
    virtual ~MarkenBedienung() = default;
    virtual MarkenTafel tafel() = 0;
    // Changes whenever what tafel() shows may have changed.
    virtual std::uint64_t version() = 0;
    virtual std::string aendern(int n, const Messmarke& m) = 0;
    virtual std::string suchen(int n, Suche suche) = 0;
    virtual std::string spitze(int n, bool rechts) = 0;
    virtual void aktivieren(int n) = 0;
    // Left/Right on the diagram: false when no marker took the key.
    virtual bool taste(int punkte) = 0;
    // A click or drag at a column of the bitmap: false when no marker is on.
    virtual bool klick(int spalte) = 0;
};

}  // namespace qzl
