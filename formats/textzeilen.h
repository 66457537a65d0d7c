#pragma once
// Text files as the program reads and writes them: lines end in CR LF when
// written; when read, a line ends at CR (an LF right after it is skipped) or
// at a lone LF, and a byte 26 or the physical end ends the file. Reading past
// the end yields empty lines.
#include <charconv>
#include <cstddef>
#include <string>
#include <vector>

namespace qzl {

class TextLeser {
public:
    explicit TextLeser(std::string daten);
    // The next line without its ending; empty once the end is reached.
    std::string zeile();
    bool ende() const { return pos_ >= ende_; }
    // Whether the last line read ran into the end without its ending: a file cut off.
    bool abgeschnitten() const { return abgeschnitten_; }

private:
    std::string daten_;
    std::size_t pos_ = 0;
    std::size_t ende_ = 0;
    bool abgeschnitten_ = false;
};

// Lines joined with CR LF after each.
std::string textZeilen(const std::vector<std::string>& zeilen);

// The words of a line of the program's own text files, split at blanks.
std::vector<std::string> woerter(const std::string& zeile);
// A whole number or a decimal, the text to its end; "on"/"off".
template <class T>
bool zahlLesen(const std::string& s, T& wert) {
    const auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), wert);
    return fehler == std::errc{} && ende == s.data() + s.size();
}
bool schalterLesen(const std::string& s, bool& an);

}  // namespace qzl
