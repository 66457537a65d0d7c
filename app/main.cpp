#include <QApplication>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "app/anwendung.h"
#include "app/probelauf.h"
#include "serial/port_liste.h"
#include "core/uhr.h"

namespace {

const char* const benutzung =
    "Usage: qzl7 [-c|-C] [--comN=PATH ...] [--list-ports] [--smoke-test] [--help]\n"
    "\n"
    "  -c, -C        continuous display refresh (only as the very first argument)\n"
    "  --comN=PATH   use the device PATH for serial port COM N (N = 1..4);\n"
    "                without it COM N is /dev/ttyS(N-1). The port number itself\n"
    "                is a setting (COM 2 by default).\n"
    "  --list-ports  list the serial devices found (and those given with\n"
    "                --comN=PATH) and whether you may open them, then exit\n"
    "  --smoke-test  check the program against the instrument (or its simulator):\n"
    "                one sweep with Start and Stop, then quit; exit code 0 if\n"
    "                all went well\n"
    "  --help        show this text and exit\n"
    "\n"
    "Without an instrument, start the simulator: qzl7-sim prints the device path\n"
    "of a simulated analyser (for example /dev/pts/3), which you give as COM 2:\n"
    "  qzl7-sim --link /tmp/qzl7-com2 &\n"
    "  qzl7 --com2=/tmp/qzl7-com2\n"
    "If the instrument does not answer within 4 seconds, the program says\n"
    "\"Datenübertragungsfehler\" and carries on in demonstration mode; why the\n"
    "port failed is written to standard error.\n";

}  // namespace

int main(int argc, char** argv) {
    const auto programmStart = std::chrono::steady_clock::now();
    std::vector<std::string> argumente(argv + 1, argv + argc);
    for (const auto& a : argumente) {
        if (a == "--help") {
            std::fputs(benutzung, stdout);
            return 0;
        }
    }
    for (const auto& a : argumente) {
        if (a == "--list-ports") {
            std::fputs(qzl::portListe(qzl::serielleGeraeteSuchen(), qzl::portNamenAus(argumente)).c_str(), stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    // Qt adopts the user's locale for the C library; numbers we read and
    // write must not change with it, while dates keep the user's format.
    std::setlocale(LC_NUMERIC, "C");

    const bool probelauf = std::find(argumente.begin(), argumente.end(), "--smoke-test") != argumente.end();
    qzl::SystemUhr uhr;
    qzl::Anwendung anwendung(std::move(argumente), uhr);
    std::unique_ptr<qzl::Probelauf> probe;
    if (probelauf) probe = std::make_unique<qzl::Probelauf>(anwendung, programmStart);
    anwendung.starten();
    // A signal during start-up (in its time-out message) has ended it already.
    const int ende = anwendung.programm().beenden ? 0 : app.exec();
    if (probe) return probe->ergebnis();
    return anwendung.signalEnde() != 0 ? anwendung.signalEnde() : ende;
}
