#pragma once
// Where the command socket listens, as the command line chooses it.
#include <string>

namespace qzl {

// Where the command socket listens: TCP on the loopback addresses at port,
// or a Unix socket at pfad when that is set.
struct Lauschadresse {
    int port = 5025;
    std::string pfad;
};

}  // namespace qzl
