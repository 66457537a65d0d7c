#include "serial/port_diagnose.h"

namespace qzl {

// Windows grants a port to whoever opens it first; no group owns it.
std::string geraeteGruppe(const std::string&) { return {}; }

}  // namespace qzl
