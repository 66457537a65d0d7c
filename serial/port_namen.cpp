#include "serial/port_namen.h"

#include <algorithm>

namespace qzl {

PortNamen::PortNamen() {
    for (int n = 1; n <= 4; ++n) {
#ifdef _WIN32
        namen_[n] = "COM" + std::to_string(n);
#else
        namen_[n] = "/dev/ttyS" + std::to_string(n - 1);
#endif
    }
}

std::string portOptionEinwand(const std::string& a) {
    if (a.compare(0, 5, "--com") != 0) return "write it in lower case";
    if (a.size() < 6 || a[5] < '1' || a[5] > '4') return "only COM 1 to 4 can be mapped";
    if (a.size() < 7 || a[6] != '=') return "the device path follows '=' in the same argument";
    if (a.size() == 7) return "the device path is empty";
    return "";
}

namespace {

char klein(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool istPortOption(std::string_view a) {
    return a.size() >= 5 && std::equal(a.begin(), a.begin() + 5, "--com", [](char x, char y) { return klein(x) == y; });
}

std::vector<std::string> PortNamen::ausArgumenten(const std::vector<std::string>& argumente) {
    std::vector<std::string> warnungen;
    for (const auto& a : argumente) {
        if (!istPortOption(a)) continue;
        if (const std::string grund = portOptionEinwand(a); !grund.empty()) {
            warnungen.push_back("qzl7: ignoring '" + a + "': " + grund + " (--comN=PATH, N from 1 to 4)");
            continue;
        }
        setzen(a[5] - '0', a.substr(7));
        gegeben_[static_cast<std::size_t>(a[5] - '0')] = true;
    }
    return warnungen;
}

void PortNamen::setzen(int n, std::string pfad) {
    if (n >= 1 && n <= 4) namen_[n] = std::move(pfad);
}

std::string PortNamen::name(int n) const { return n >= 1 && n <= 4 ? namen_[n] : std::string(); }

bool PortNamen::vonKommandozeile(int n) const { return n >= 1 && n <= 4 && gegeben_[static_cast<std::size_t>(n)]; }

}  // namespace qzl
