#include "reise.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace qzl::reise {

namespace {

// The one wait in progress: journeys run one at a time on one thread.
struct Warten {
    std::coroutine_handle<> h;
    std::function<bool()> bedingung;
    std::string worauf;
    int fristMs = 0;
    bool abgelaufen = false;
    QElapsedTimer seit;
};
Warten warten;

// Closes the topmost modal window; true if there was one.
bool modalSchliessen() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return false;
    dialog->reject();
    return true;
}

}  // namespace

void wartenAuf(std::function<bool()> bedingung, std::string worauf, int fristMs) {
    warten.bedingung = std::move(bedingung);
    warten.worauf = std::move(worauf);
    warten.fristMs = fristMs;
    warten.abgelaufen = false;
    warten.seit.start();
}

void Warte::await_suspend(std::coroutine_handle<> h) const { warten.h = h; }

void Warte::await_resume() const {
    if (warten.abgelaufen) throw Abbruch("waited in vain for " + warten.worauf);
}

bool Reise::ablaufen(int gesamtMs) {
    warten = {};
    bool begonnen = false;
    bool inArbeit = false;
    QTimer takt;
    takt.setInterval(5);
    QObject::connect(&takt, &QTimer::timeout, [&] {
        if (inArbeit) return;  // a step is never resumed from inside itself
        if (programmBeschaeftigt && programmBeschaeftigt()) return;
        if (h_.done()) {
            modalSchliessen();  // anything still open after a failure
            return;
        }
        std::coroutine_handle<> naechster = h_;
        if (begonnen) {
            const bool erfuellt = warten.bedingung();
            warten.abgelaufen = !erfuellt && warten.seit.elapsed() > warten.fristMs;
            if (!erfuellt && !warten.abgelaufen) return;
            naechster = std::exchange(warten.h, {});
        }
        begonnen = true;
        inArbeit = true;
        naechster.resume();
        inArbeit = false;
    });
    takt.start();
    const bool fertig =
        QTest::qWaitFor([&] { return h_.done() && !QApplication::activeModalWidget(); }, gesamtMs);
    takt.stop();
    while (modalSchliessen()) QApplication::processEvents();
    if (h_.promise().fehler) {
        try {
            std::rethrow_exception(h_.promise().fehler);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "journey broken off: " << e.what();
        }
        return false;
    }
    if (!fertig) ADD_FAILURE() << "journey unfinished after " << gesamtMs << " ms, waiting for " << warten.worauf;
    return fertig;
}

}  // namespace qzl::reise
