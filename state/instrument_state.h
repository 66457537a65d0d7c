#pragma once
// The one set of settings and run-time fields of a program run. Exactly one
// instance exists, owned by the application and passed by reference.
//
// The sweep thread reads and writes many of these fields while the window's
// thread may look at them, so every field the sweep thread touches is atomic
// (plain loads and stores, no locks). The curve raster is guarded by
// kurvenSperre while a point is drawn and while the refresh copies it.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "raster/anzeige_bitmap.h"
#include "raster/raster.h"
#include "state/messart.h"

namespace qzl {

// Calibration slots in stored order: D transmission, R reflection, S spectrum.
enum KorrSlot : int { Dlog = 0, Rlog, Slog, Dlin, Rlin, Slin, korrSlotAnzahl };

// The calibration slot of a kind for a detector; nothing for a kind that
// has none (demonstration, VFO, Smith).
inline std::optional<std::size_t> korrSlot(Messart art, bool lin) {
    if (art != Messart::durchgang && art != Messart::reflexion && art != Messart::spektrum) return std::nullopt;
    return static_cast<std::size_t>((lin ? Dlin : Dlog) + zahl(art) - 1);
}

inline constexpr int maxMesspunkte = 300;
inline constexpr int anzahlLinien = 7;
inline constexpr int anzahlFreqMarken = 20;

using AtomInt = std::atomic<std::int32_t>;

struct InstrumentState {
    InstrumentState();
    InstrumentState(const InstrumentState&) = delete;
    InstrumentState& operator=(const InstrumentState&) = delete;

    // Sets every field to its start value (start-up steps 3, 4 and 6).
    void startwerteSetzen();

    // --- settings ---
    AtomInt startfrequenz;
    AtomInt schrittweite;
    AtomInt endfrequenz;
    AtomInt taktfrequenz;
    AtomInt eichfrequenz;
    AtomInt zwischenfrequenz;
    AtomInt zfBerechnung;  // bit 0: IF applied; bit 1: added (set) or subtracted
    AtomInt comport;
    AtomInt baudrate;
    AtomInt messgenauigkeit;
    AtomInt delay;
    AtomInt messpunkte;
    std::array<AtomInt, korrSlotAnzahl> korrfaktor1;
    std::array<AtomInt, korrSlotAnzahl> korrfaktor2;
    std::array<AtomInt, anzahlLinien + 1> linie;      // 1-based, entry 0 unused
    std::array<AtomInt, anzahlLinien + 1> linieText;  // 1-based, entry 0 unused
    AtomInt hintergrundfarbe;
    AtomInt diagrammfarbe;
    AtomInt kurvenfarbe;
    AtomInt markenfarbe;
    AtomInt cursorfarbe;
    std::atomic<bool> contBildaufbau;
    std::array<AtomInt, anzahlFreqMarken + 1> freqMarken;  // 1-based, 0 = none

    // --- run-time ---
    std::atomic<Messart> messart;
    std::atomic<bool> linModus;
    std::atomic<bool> zfAktiv;
    std::atomic<bool> demoModus;
    std::atomic<bool> uebertragungsfehler;
    std::atomic<bool> stopAnforderung;
    std::atomic<bool> sweepFertig;
    std::atomic<std::uint16_t> rohwert;
    std::array<AtomInt, maxMesspunkte + 1> messwerte;  // entry 0 repeats entry 1
    AtomInt cursorIndex;
    std::string messzeit;
    AtomInt xUrsprung;
    AtomInt yBasis;
    AtomInt xMitte;
    AtomInt yMitte;
    std::string versionText;

    // Decimal separator of the user's locale, for fraction labels in the diagram.
    char dezimalzeichen = '.';

    Raster kurvenRaster;
    Raster gitterRaster;
    std::mutex kurvenSperre;
    AnzeigeBitmap anzeigeBitmap;
    // The refresh's copy of the curve layer, composited outside the lock. It
    // lives beside the bitmap because both follow the layers' change records.
    Raster kurvenKopie;
};

}  // namespace qzl
