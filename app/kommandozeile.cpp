#include "app/kommandozeile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "formats/konfiguration.h"
#include "serial/port_namen.h"

namespace qzl {

const char* const benutzungText =
    "Usage: qzl7 [-c|-C] [--comN=PATH ...] [--user-config] [--list-ports] [--smoke-test]\n"
    "            [--version] [--help]\n"
    "\n"
    "  -c, -C         continuous display refresh (only as the very first argument)\n"
    "  --comN=PATH    use the device PATH for serial port COM N (N = 1..4);\n"
    "                 without it COM N is /dev/ttyS(N-1). The port number itself\n"
    "                 is a setting (COM 2 by default).\n"
    "  --user-config  keep qzl7.cfg and frequenz.cfg in $XDG_CONFIG_HOME/qzl7\n"
    "                 (~/.config/qzl7), made when missing; without it they live\n"
    "                 in the working folder. The menu entry uses it.\n"
    "  --list-ports   list the serial devices found (and those given with\n"
    "                 --comN=PATH) and whether you may open them, then exit\n"
    "  --smoke-test   check the program against the instrument (or its simulator):\n"
    "                 one sweep with Start and Stop, then quit; exit code 0 if\n"
    "                 all went well\n"
    "  --version      print the version and exit\n"
    "  -h, --help     show this text and exit\n"
    "\n"
    "Without an instrument, start the simulator: qzl7-sim prints the device path\n"
    "of a simulated analyser (for example /dev/pts/3), which you give as COM 2:\n"
    "  qzl7-sim --link /tmp/qzl7-com2 &\n"
    "  qzl7 --com2=/tmp/qzl7-com2\n"
    "If the instrument does not answer within 4 seconds, the program says\n"
    "\"Datenübertragungsfehler\" and carries on in demonstration mode; why the\n"
    "port failed is written to standard error.\n";

std::string versionZeile() { return "qzl7 " QZL7_VERSION; }

namespace {

constexpr std::array<std::string_view, 6> schalter = {"--user-config", "--list-ports", "--smoke-test",
                                                      "--version",     "--help",       "-h"};

}  // namespace

std::vector<std::string> unbekannteOptionen(const std::vector<std::string>& argumente,
                                            const std::vector<std::string>& uebrig) {
    std::vector<std::string> warnungen;
    std::size_t j = 0;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        const std::string& a = argumente[i];
        if (j >= uebrig.size() || uebrig[j] != a) continue;  // one of Qt's
        ++j;
        if (a == "-c" || a == "-C") {
            if (i > 0) warnungen.push_back("qzl7: ignoring '" + a + "': it counts only as the very first argument");
        } else if (!istPortOption(a) && std::find(schalter.begin(), schalter.end(), a) == schalter.end()) {
            warnungen.push_back("qzl7: ignoring '" + a + "': unknown option (qzl7 --help lists them)");
        }
    }
    return warnungen;
}

std::string einstellungsOrdner(const std::vector<std::string>& argumente, const char* xdgConfigHome,
                               const char* home) {
    if (std::find(argumente.begin(), argumente.end(), "--user-config") == argumente.end()) return {};
    return benutzerEinstellungsOrdner(xdgConfigHome, home);
}

}  // namespace qzl
