#pragma once
// The serial port of this system, for every program that needs one.
#include <memory>

#include "serial/port_namen.h"
#include "serial/serieller_port.h"

namespace qzl {

// The port (POSIX termios or Win32) for the COM names given.
std::unique_ptr<SeriellerPort> seriellenPortAnlegen(const PortNamen& namen);

}  // namespace qzl
