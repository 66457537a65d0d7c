#pragma once
// The serial devices of this machine, for `qzl7 --list-ports`: where an
// instrument may hang and whether the user may open it.
#include <functional>
#include <string>
#include <vector>

#include "serial/port_namen.h"

namespace qzl {

struct SeriellerFund {
    std::string pfad;
    std::string ziel;  // the device a /dev/serial/by-id link points to
    std::string beschreibung = {};  // the name the system shows for the port (Windows)
};

// The /dev/serial/by-id links (by name), then the USB adapters ttyUSB* and
// ttyACM* and the built-in ports ttyS* that have a UART behind them (each in
// numeric order). dev and sys are the roots of the device and kernel trees.
// On Windows: the ports the system knows (device manager and registry), by
// number, with their names; dev and sys are not used there.
std::vector<SeriellerFund> serielleGeraeteSuchen(const std::string& dev = "/dev", const std::string& sys = "/sys");

enum class Zugang { frei, keinRecht, fehlt, keinGeraet, belegt };
struct Pruefung {
    Zugang zugang = Zugang::fehlt;
    std::string gruppe;  // the device's group, for the hint on a missing right
};

// Whether the user may open the device for reading and writing, without
// opening it: opening raises DTR, which resets some gadgets. Windows cannot
// tell without opening; there a port another program holds is "belegt".
Pruefung zugangPruefen(const std::string& pfad);
std::string zugangText(const Pruefung& p);

// One line per device found, then one per port mapped with --comN=PATH.
std::string portListe(const std::vector<SeriellerFund>& funde, const PortNamen& namen,
                      const std::function<Pruefung(const std::string&)>& pruefen = zugangPruefen);

}  // namespace qzl
