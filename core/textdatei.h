#pragma once
// Text files as the program reads and writes them: lines end in CR LF when
// written; when read, a line ends at CR (an LF right after it is skipped) or
// at a lone LF, and a byte 26 or the physical end ends the file. Reading past
// the end yields empty lines.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzl {

class TextLeser {
public:
    explicit TextLeser(std::string daten);
    // The next line without its ending; empty once the end is reached.
    std::string zeile();
    bool ende() const { return pos_ >= ende_; }

private:
    std::string daten_;
    std::size_t pos_ = 0;
    std::size_t ende_ = 0;
};

// Lines joined with CR LF after each.
std::string textZeilen(const std::vector<std::string>& zeilen);

// A failed file operation: the code and the run time's text the user sees.
struct IoFehler {
    int code = 0;
    std::string text;
};

// The text for a code ("Datei nicht gefunden", ..., "E/A-Fehler n"), and the
// failure of a call that set errno: mapped to the nearest known code, any
// other errno shown as "E/A-Fehler errno".
std::string ioFehlerText(int code);
IoFehler ioFehlerAusErrno(int errnoWert);

// Whole file as bytes; nothing when it cannot be opened (never an error).
// An error while reading an opened file is reported through fehler.
std::optional<std::string> dateiLesen(const std::string& pfad, std::optional<IoFehler>* fehler = nullptr);
// Creates or replaces the file with the bytes; the failure, if any.
std::optional<IoFehler> dateiSchreiben(const std::string& pfad, std::string_view daten);

}  // namespace qzl
