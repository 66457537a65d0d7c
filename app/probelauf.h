#pragma once
// `qzl7 --smoke-test`: the installed program checks itself against an
// instrument (normally the simulator): first painted window, one sweep with
// Start and Stop, quit. Prints what it saw and how long start-up took.
#include <QObject>
#include <QTimer>

#include <chrono>
#include <string>

#include "app/anwendung.h"

namespace qzl {

class Probelauf : public QObject {
public:
    // Set up before Anwendung::starten(), so that a message box during
    // start-up is caught too.
    Probelauf(Anwendung& anwendung, std::chrono::steady_clock::time_point programmStart);
    // The program's exit code once the event loop has ended: 0 if all went well.
    int ergebnis() const { return fehler_.empty() ? 0 : 1; }

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void klicken(const char* knopf);
    void sweepStarten();
    void sweepBeenden();
    void fehlschlag(const std::string& grund);

    Anwendung& anwendung_;
    std::chrono::steady_clock::time_point programmStart_;
    QTimer wache_;
    bool gemalt_ = false;
    std::string fehler_;
};

}  // namespace qzl
