#pragma once
// A preset: a measurement setup under a name the user gives it, one text
// file NAME.preset in the folder "presets" of the settings folder.
//
//   qzl7 preset 1
//   start 10000000
//   step 1000
//   points 280
//   if 9000000 off sub
//   mode transmission
//   detector log
//   fmarker 1 10700000
//   marker 1 on 10700000 search max track off range none delta 0 band 3
//   ...                  (the markers' file's lines: formats/markendatei.h)
//   limits /home/anna/filter.lim
//   limits-judge on
//   reference /home/anna/durchgang.dat
//
// and, saved with the calibration, also
//
//   correction transmission log 50 250
//   line 1 50 12
//   com 2
//   baud 9600
//   bits 8
//   clock 100000000
//
// Lines come in any order; "#" starts a comment. The first seven keys are
// needed; without fmarker lines there are no frequency markers, markers
// not named are off, without "limits" there are none; without "reference"
// and the calibration's keys those stay as they are. A path is the rest of
// its line.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "state/instrument_state.h"
#include "state/messart.h"
#include "state/messmarken.h"

namespace qzl {

// What a preset saved with the calibration holds; each part may be missing.
struct Kalibrierwerte {
    // Offset and span of each correction slot (KorrSlot order).
    std::array<std::optional<std::pair<std::int32_t, std::int32_t>>, korrSlotAnzahl> korrektur{};
    // Value and text of reference lines 1 to 7; entry 0 unused.
    std::array<std::optional<std::pair<std::int32_t, std::int32_t>>, anzahlLinien + 1> linien{};
    std::optional<std::int32_t> comport, baudrate, messgenauigkeit, taktfrequenz;

    bool operator==(const Kalibrierwerte&) const = default;
};

struct Voreinstellung {
    // The range is judged as a whole where it is taken, so start and step
    // are read as they stand.
    std::int64_t start = 0, schritt = 0;
    std::int32_t punkte = 1;
    std::int32_t zwischenfrequenz = 0;
    bool zfAn = false, zfAddieren = false;
    Messart art = Messart::durchgang;
    bool lin = false;
    std::array<std::int32_t, anzahlFreqMarken + 1> freqMarken{};  // 1-based, 0 = none
    Spureinstellungen spuren;
    std::string grenzDatei;  // "": no limits
    bool grenzenAn = true;
    std::string referenzDatei;  // "": the reference stays as it is
    Kalibrierwerte kalibrierung;

    bool operator==(const Voreinstellung&) const = default;
};

std::string voreinstellungText(const Voreinstellung& v);

struct VoreinstellungGelesen {
    std::optional<Voreinstellung> voreinstellung;
    std::string fehler;  // without it: the line and what is wrong with it
    bool kopfFehlt = false;  // the first line is not a preset's: no preset at all
};
// Per line only: whether the range makes a sweep and the markers fit each
// other is for the taker to judge.
VoreinstellungGelesen voreinstellungLesen(const std::string& daten);

// A preset's name, which becomes a file name in any front-end (a script
// through the socket too): not empty, at most voreinstellungNameLaenge
// bytes, no path (no "/", "\", ".."), no control characters, none that
// Windows keeps out of file names, no blank or dot at the end and no blank
// at the start. The reason when it is none; nothing when it is fine.
inline constexpr std::size_t voreinstellungNameLaenge = 64;
std::optional<std::string> voreinstellungNameEinwand(std::string_view name);

inline constexpr std::string_view voreinstellungEndung = ".preset";

// The presets' folder: "presets" in the folder of qzl7 --user-config
// ($XDG_CONFIG_HOME/qzl7, else ~/.config/qzl7); "" when there is none.
std::string voreinstellungsOrdner(const char* xdgConfigHome, const char* home);

}  // namespace qzl
