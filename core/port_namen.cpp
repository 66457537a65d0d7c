#include "core/port_namen.h"

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

void PortNamen::ausArgumenten(const std::vector<std::string>& argumente) {
    for (const auto& a : argumente) {
        if (a.size() > 7 && a.compare(0, 5, "--com") == 0 && a[5] >= '1' && a[5] <= '4' && a[6] == '=') {
            setzen(a[5] - '0', a.substr(7));
            gegeben_[static_cast<std::size_t>(a[5] - '0')] = true;
        }
    }
}

void PortNamen::setzen(int n, std::string pfad) {
    if (n >= 1 && n <= 4) namen_[n] = std::move(pfad);
}

std::string PortNamen::name(int n) const { return n >= 1 && n <= 4 ? namen_[n] : std::string(); }

bool PortNamen::vonKommandozeile(int n) const { return n >= 1 && n <= 4 && gegeben_[static_cast<std::size_t>(n)]; }

}  // namespace qzl
