#include "formats/textzeilen.h"

#include <sstream>

namespace qzl {

TextLeser::TextLeser(std::string daten) : daten_(std::move(daten)) {
    const auto eof = daten_.find('\x1A');
    ende_ = eof == std::string::npos ? daten_.size() : eof;
}

std::string TextLeser::zeile() {
    std::string z;
    while (pos_ < ende_) {
        const char c = daten_[pos_++];
        if (c == '\r') {
            if (pos_ < ende_ && daten_[pos_] == '\n') ++pos_;
            return z;
        }
        // A lone LF ends a line too, so files edited on Linux read line by line.
        if (c == '\n') return z;
        z.push_back(c);
    }
    abgeschnitten_ = !z.empty();
    return z;
}

std::string textZeilen(const std::vector<std::string>& zeilen) {
    std::string out;
    for (const auto& z : zeilen) {
        out += z;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> woerter(const std::string& zeile) {
    std::istringstream ein(zeile);
    std::vector<std::string> w;
    for (std::string s; ein >> s;) w.push_back(s);
    return w;
}

bool schalterLesen(const std::string& s, bool& an) {
    if (s != "on" && s != "off") return false;
    an = s == "on";
    return true;
}

}  // namespace qzl
