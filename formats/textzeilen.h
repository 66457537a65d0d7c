#pragma once
// Text files as the program reads and writes them: lines end in CR LF when
// written; when read, a line ends at CR (an LF right after it is skipped) or
// at a lone LF, and a byte 26 or the physical end ends the file. Reading past
// the end yields empty lines.
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

}  // namespace qzl
