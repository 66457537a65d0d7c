#include <QApplication>
#include <QLocale>
#include <QMetaObject>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/ausloesen.h"
#include "core/instrument_state.h"
#include "core/port_namen.h"
#include "core/posix_port.h"
#include "core/programm.h"
#include "core/start.h"
#include "core/uhr.h"
#include "ui/haupt_fenster.h"

namespace {

const char* const benutzung =
    "Usage: qzl7 [-c|-C] [--comN=PATH ...] [--help]\n"
    "\n"
    "  -c, -C        continuous display refresh (only as the very first argument)\n"
    "  --comN=PATH   use the device PATH for serial port COM N (N = 1..4);\n"
    "                without it COM N is /dev/ttyS(N-1). The port number itself\n"
    "                is a setting (COM 2 by default).\n"
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

    QApplication app(argc, argv);
    // Qt adopts the user's locale for the C library; numbers we read and
    // write must not change with it, while dates keep the user's format.
    std::setlocale(LC_NUMERIC, "C");

    auto st = std::make_unique<qzl::InstrumentState>();
    const QString dezimal = QLocale::system().decimalPoint();
    if (dezimal.size() == 1 && dezimal[0].unicode() < 128) st->dezimalzeichen = static_cast<char>(dezimal[0].unicode());

    qzl::PortNamen portNamen;
    portNamen.ausArgumenten(argumente);
    qzl::PosixPort port(portNamen);
    qzl::SystemUhr uhr;

    qzl::Programm* programm = nullptr;
    qzl::HauptFenster fenster(*st, [&programm](qzl::Element e) {
        if (programm) qzl::ausloesen(*programm, e);
    });
    qzl::Programm p(*st, fenster, port, uhr);
    programm = &p;
    // Work from the sweep thread (a time-out message) runs on this thread.
    p.post.weckerSetzen([&fenster, &p] {
        QMetaObject::invokeMethod(&fenster, [&fenster, &p] { p.post.abarbeiten(fenster); }, Qt::QueuedConnection);
    });

    qzl::FormCreate(p, argumente);
    fenster.startGeometrie();
    fenster.show();
    const int ergebnis = app.exec();
    qzl::programmBeenden(p);
    programm = nullptr;
    return ergebnis;
}
