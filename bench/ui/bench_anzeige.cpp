// One display refresh tick as the window runs it: the changed columns of the
// curve layer are copied out from under the sweep thread, composited into the
// display bitmap and painted onto the window. Three loads: everything changed
// (a redraw), the points a sweep draws in 10 ms, and nothing at all. Times are
// the thread's CPU time of the tick alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <ctime>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "serial/port_posix.h"
#include "handlers/programm.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "platform/uhr.h"
#include "ui/haupt_fenster.h"

namespace {

struct Aufbau {
    std::unique_ptr<qzl::InstrumentState> st = std::make_unique<qzl::InstrumentState>();
    qzl::HauptFenster fenster{*st, [](qzl::Element) {}};
    qzl::PortNamen namen;
    qzl::PosixPort port{namen};
    qzl::SystemUhr uhr;
    qzl::Programm p{*st, fenster, port, uhr};
    int punkt = 2;

    explicit Aufbau(benchmark::State& state) {
        qzl::dm_diagramm(p);
        // The bench runs the ticks itself.
        fenster.timerSchalten(qzl::Element::Timer1, false);
        fenster.timerSchalten(qzl::Element::Timer2, false);
        fenster.show();
        if (!QTest::qWaitForWindowExposed(&fenster)) state.SkipWithError("window not exposed");
        tick();
    }
    void tick() {
        qzl::Timer2Timer(p);
        QApplication::processEvents();  // the queued paint
    }
    // What the sweep thread draws for n points (outside the measured time).
    void punkteZeichnen(int n) {
        std::lock_guard lk(st->kurvenSperre);
        for (int k = 0; k < n; ++k) {
            const int x = 30 + 2 * punkt, y = 200 + punkt % 37;
            qzl::messpunktMarke(st->kurvenRaster, 30, 410, punkt, 140, 210, 255, 24);
            qzl::linieZeichnen(st->kurvenRaster, x - 1, y, x + 1, y + 3, 230);
            qzl::linieZeichnen(st->kurvenRaster, x + 1, y + 3, x + 3, y - 2, 230);
            punkt = punkt >= 279 ? 2 : punkt + 1;
        }
    }
};

// The thread's CPU time: on a machine shared with other work, wall-clock time
// would count the moments the scheduler gave the core to someone else.
double cpuSekunden() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void messen(benchmark::State& state, Aufbau& a, int punkte, bool alles) {
    double summe = 0;
    for (auto _ : state) {
        a.punkteZeichnen(punkte);
        if (alles) a.st->kurvenRaster.geaendert = qzl::Aenderung::alles();
        const double start = cpuSekunden();
        a.tick();
        const double dauer = cpuSekunden() - start;
        summe += dauer;
        state.SetIterationTime(dauer);
    }
    // Share of one core at one tick per 10 ms.
    state.counters["share_of_10ms"] = summe / static_cast<double>(state.iterations()) / 0.01;
}

void BM_RefreshTick_Alles(benchmark::State& state) {
    Aufbau a(state);
    messen(state, a, 0, true);
}
BENCHMARK(BM_RefreshTick_Alles)->UseManualTime()->Unit(benchmark::kMicrosecond);

// range(0): sweep points drawn per 10 ms: 8 at 57600 bit/s (about 770 points
// per second), 75 on the unpaced pseudo-terminal (about 7500).
void BM_RefreshTick_Sweep(benchmark::State& state) {
    Aufbau a(state);
    messen(state, a, static_cast<int>(state.range(0)), false);
}
BENCHMARK(BM_RefreshTick_Sweep)->Arg(8)->Arg(75)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RefreshTick_Nichts(benchmark::State& state) {
    Aufbau a(state);
    messen(state, a, 0, false);
}
BENCHMARK(BM_RefreshTick_Nichts)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
