#include "app/kommandozeile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "formats/konfiguration.h"
#include "serial/port_namen.h"

namespace qzl {

const char* const benutzungText =
    "Usage: qzl7 [-c|-C] [--comN=PATH ...] [--user-config] [--preset NAME]\n"
    "            [--listen[=PORT|=unix:PATH]] [--list-ports] [--smoke-test] [--version] [--help]\n"
    "\n"
    "  -c, -C         continuous display refresh (only as the very first argument)\n"
    "  --comN=PATH    use the device PATH for serial port COM N (N = 1..4);\n"
    "                 without it COM N is /dev/ttyS(N-1). The port number itself\n"
    "                 is a setting (COM 2 by default).\n"
    "  --user-config  keep qzl7.cfg and frequenz.cfg in $XDG_CONFIG_HOME/qzl7\n"
    "                 (~/.config/qzl7), made when missing; without it they live\n"
    "                 in the working folder. The menu entry uses it.\n"
    "  --preset NAME  after the settings, take the preset NAME (saved with\n"
    "                 Einstellungen > Voreinstellungen in\n"
    "                 $XDG_CONFIG_HOME/qzl7/presets/NAME.preset)\n"
    "  --listen[=PORT|=unix:PATH]\n"
    "                 let scripts drive the window: a command socket on TCP\n"
    "                 port PORT (5025 by default) of the loopback addresses\n"
    "                 127.0.0.1 and ::1 only, or a Unix socket at PATH (mode\n"
    "                 0600). Without it nothing listens. man qzl7 lists the\n"
    "                 commands (*IDN?, SENS:FREQ:STAR 10.7M, INIT, *OPC?,\n"
    "                 TRAC:DATA?, ...).\n"
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
    auto naechste = uebrig.begin();
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        const std::string& a = argumente[i];
        if (naechste == uebrig.end() || *naechste != a) continue;  // one of Qt's
        ++naechste;
        if (a == "-c" || a == "-C") {
            if (i > 0) warnungen.push_back("qzl7: ignoring '" + a + "': it counts only as the very first argument");
        } else if (a == "--preset") {
            // Its name is no option of its own.
            if (naechste != uebrig.end() && i + 1 < argumente.size() && *naechste == argumente[i + 1]) {
                ++naechste;
                ++i;
            } else {
                warnungen.push_back("qzl7: ignoring '--preset': it needs the preset's name");
            }
        } else if (!istPortOption(a) && a != "--listen" && a.rfind("--listen=", 0) != 0 &&
                   a.rfind("--preset=", 0) != 0 && std::find(schalter.begin(), schalter.end(), a) == schalter.end()) {
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

std::optional<std::string> voreinstellungsName(const std::vector<std::string>& argumente) {
    std::optional<std::string> name;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == "--preset" && i + 1 < argumente.size())
            name = argumente[++i];
        else if (argumente[i].rfind("--preset=", 0) == 0)
            name = argumente[i].substr(9);
    }
    return name;
}

std::optional<Lauschadresse> lauschAdresse(const std::vector<std::string>& argumente, std::string& fehler) {
    std::optional<Lauschadresse> adresse;
    fehler.clear();
    for (const auto& a : argumente) {
        if (a == "--listen" || a.rfind("--listen=", 0) == 0) fehler.clear();
        if (a == "--listen") {
            adresse = Lauschadresse{};
        } else if (a.rfind("--listen=unix:", 0) == 0) {
            adresse = Lauschadresse{0, a.substr(14)};
            if (adresse->pfad.empty()) fehler = "qzl7: --listen=unix:PATH needs a path; not listening";
        } else if (a.rfind("--listen=", 0) == 0) {
            const std::string wert = a.substr(9);
            int port = 0;
            const bool ziffern = !wert.empty() && wert.size() <= 5 &&
                                 std::all_of(wert.begin(), wert.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (ziffern) port = std::stoi(wert);
            adresse = Lauschadresse{port, {}};
            if (port < 1 || port > 65535)
                fehler = "qzl7: " + a + ": give a TCP port from 1 to 65535 or unix:PATH; not listening";
        }
    }
    if (!fehler.empty()) return std::nullopt;
    return adresse;
}

}  // namespace qzl
