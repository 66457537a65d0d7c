#include "serial/port_diagnose.h"

#include <cerrno>
#include <cstring>

namespace qzl {

std::string portBezeichnung(const std::string& pfad, int comNummer) {
    if (comNummer == 0) return pfad;
    return "COM " + std::to_string(comNummer) + " (" + pfad + ")";
}

namespace {

std::string hinweis(int fehlerNummer, const std::string& gruppe) {
    switch (fehlerNummer) {
        case EACCES:
        case EPERM:
            // root's group tells nothing a user could join.
            if (!gruppe.empty() && gruppe != "root")
                return "; add yourself to the group " + gruppe + " (sudo usermod -aG " + gruppe +
                       " $USER) and log in again";
            return "; you need read and write permission on the device";
        case EBUSY:
        case EWOULDBLOCK:
            return "; another program (perhaps a second qzl7) is using the port, close it first";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "; no such device: is the adapter plugged in? qzl7 --list-ports shows the serial devices, "
                   "--comN=PATH picks one";
        case ENOTTY:
        case EISDIR:
            return "; not a serial device: qzl7 --list-ports shows the serial devices";
        default:
            return "";
    }
}

}  // namespace

std::string portFehlerText(const std::string& pfad, int comNummer, int fehlerNummer, const std::string& gruppe) {
    return "qzl7: cannot open " + portBezeichnung(pfad, comNummer) + ": " + std::strerror(fehlerNummer) +
           hinweis(fehlerNummer, gruppe);
}

std::string einrichtFehlerText(const std::string& pfad, int comNummer, int fehlerNummer) {
    return "qzl7: cannot set up " + portBezeichnung(pfad, comNummer) + " as a serial line: " + std::strerror(fehlerNummer);
}

std::string portNummerText(int comNummer) {
    return "qzl7: COM " + std::to_string(comNummer) +
           " names no device; only COM 1 to 4 can be used (menu Einstellungen)";
}

}  // namespace qzl
