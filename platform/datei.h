#pragma once
// Files as the program reads and writes them, on the platform's file layer.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qzl {

// A failed file operation: the code and the run time's text the user sees.
struct IoFehler {
    int code = 0;
    std::string text;
    // The errno behind it, for a program that names failures in the
    // system's own words; 0 where none is known.
    int systemFehler = 0;
};

// The text for a code ("Datei nicht gefunden", ..., "E/A-Fehler n"), and the
// failure of a call that set errno: mapped to the nearest known code, any
// other errno shown as "E/A-Fehler errno".
std::string ioFehlerText(int code);
IoFehler ioFehlerAusErrno(int errnoWert);

// No configuration, marker or series file comes anywhere near this size; a
// device or a huge file chosen by mistake is cut off here when read.
inline constexpr std::size_t textdateiGrenze = std::size_t{1} << 20;

// Whole file as bytes, or its first grenze bytes (a device or a huge file
// chosen by mistake must not fill the memory). Nothing when it cannot be
// read: a file that does not exist leaves fehler empty; any other failure,
// in opening (no permission, a symbolic-link loop) or in reading (a folder),
// is reported through fehler.
std::optional<std::string> dateiLesen(const std::string& pfad, std::optional<IoFehler>* fehler = nullptr,
                                      std::size_t grenze = SIZE_MAX);
// A file the user chose: a missing one is a failure like any other.
std::optional<std::string> gewaehlteDateiLesen(const std::string& pfad, IoFehler& fehler,
                                               std::size_t grenze = SIZE_MAX);
// Creates or replaces the file with the bytes; the failure, if any. A regular
// file is replaced whole or not at all: the bytes go to a new file beside it,
// which reaches the disk before it is renamed over the old one. A file the
// user may not write is refused, never replaced; one in a folder the user may
// not write into is written in place, as are devices and pipes.
std::optional<IoFehler> dateiSchreiben(const std::string& pfad, std::string_view daten);
// Creates the file with the bytes, whole or not at all, and never replaces
// one: a name that is taken, even by another process at the same moment,
// fails with systemFehler EEXIST.
std::optional<IoFehler> dateiNeuSchreiben(const std::string& pfad, std::string_view daten);
// Appends the bytes to the file, made when missing, in one write where the
// system allows, so that a reader of the file never sees a part of them.
std::optional<IoFehler> dateiAnhaengen(const std::string& pfad, std::string_view daten);
// Why writing pfad would fail, checked before the bytes exist: a folder, a
// folder that is missing or takes no file (with neueDatei also when the file
// exists, for a new name beside it), a file that may not be written. A device
// or a pipe passes. Nothing when it looks writable.
std::optional<IoFehler> schreibbar(const std::string& pfad, bool neueDatei);

}  // namespace qzl
