#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qzl {

// Whether an argument looks like a port option: "--com" in any case.
bool istPortOption(std::string_view argument);
// For a port option: what is wrong with it as --comN=PATH (N from 1 to 4,
// lower case, a path); "" when nothing is.
std::string portOptionEinwand(const std::string& argument);

// Device names of COM 1..4: "COMn" on Windows, /dev/ttyS0..3 elsewhere,
// unless the command line maps a port with --comN=PATH.
class PortNamen {
public:
    PortNamen();
    // Takes every --comN=PATH among the arguments (any position, N = 1..4).
    // Returns a warning for each other argument that looks like a port
    // option, since ignoring it silently leaves the user on the wrong port.
    std::vector<std::string> ausArgumenten(const std::vector<std::string>& argumente);
    void setzen(int comNummer, std::string pfad);
    // Empty for a number outside 1..4.
    std::string name(int comNummer) const;
    // Whether the command line named the device of COM n.
    bool vonKommandozeile(int comNummer) const;

private:
    std::array<std::string, 5> namen_;
    std::array<bool, 5> gegeben_{};
};

}  // namespace qzl
