#pragma once

#include <string>
#include <vector>

#include "sim/simulator.h"

namespace qzl::sim {

struct Aufruf {
    SimOptionen optionen;
    std::string linkPfad;  // --link: symlink to the device, "" none
    bool hilfe = false;
    std::string fehler;    // non-empty: the command line is rejected
};

// Arguments without the program name; "--opt VALUE" and "--opt=VALUE" both work.
Aufruf aufrufLesen(const std::vector<std::string>& argumente);

std::string benutzung();

}  // namespace qzl::sim
