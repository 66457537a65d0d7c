#include <QApplication>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "app/anwendung.h"
#include "app/arbeitsplatz.h"
#include "app/kommandozeile.h"
#include "app/probelauf.h"
#include "serial/port_liste.h"
#include "platform/uhr.h"

int main(int argc, char** argv) {
    const auto programmStart = std::chrono::steady_clock::now();
    std::vector<std::string> argumente(argv + 1, argv + argc);
    for (const auto& a : argumente) {
        if (a == "--help" || a == "-h") {
            std::fputs(qzl::benutzungText, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("%s\n", qzl::versionZeile().c_str());
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
    for (const auto& warnung : qzl::unbekannteOptionen(argumente, std::vector<std::string>(argv + 1, argv + argc)))
        std::fprintf(stderr, "%s\n", warnung.c_str());
    qzl::qtUebersetzungLaden(app, QLocale::system());
    qzl::arbeitsplatzAngaben();

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
