#include <QApplication>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "app/anwendung.h"
#include "core/port_liste.h"
#include "core/uhr.h"

namespace {

const char* const benutzung =
    "Usage: qzl7 [-c|-C] [--comN=PATH ...] [--list-ports] [--help]\n"
    "\n"
    "  -c, -C        continuous display refresh (only as the very first argument)\n"
    "  --comN=PATH   use the device PATH for serial port COM N (N = 1..4);\n"
    "                without it COM N is /dev/ttyS(N-1). The port number itself\n"
    "                is a setting (COM 2 by default).\n"
    "  --list-ports  list the serial devices found (and those given with\n"
    "                --comN=PATH) and whether you may open them, then exit\n"
    "  --help        show this text and exit\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argumente(argv + 1, argv + argc);
    for (const auto& a : argumente) {
        if (a == "--help") {
            std::fputs(benutzung, stdout);
            return 0;
        }
    }
    for (const auto& a : argumente) {
        if (a == "--list-ports") {
            qzl::PortNamen namen;
            namen.ausArgumenten(argumente);
            std::fputs(qzl::portListe(qzl::serielleGeraeteSuchen(), namen).c_str(), stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    // Qt adopts the user's locale for the C library; numbers we read and
    // write must not change with it, while dates keep the user's format.
    std::setlocale(LC_NUMERIC, "C");

    qzl::SystemUhr uhr;
    qzl::Anwendung anwendung(std::move(argumente), uhr);
    anwendung.starten();
    return app.exec();
}
