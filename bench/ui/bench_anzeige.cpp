// One display refresh tick as the window runs it: copy of the curve layer,
// composite into the display bitmap, and the paint onto the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <memory>

#include "core/posix_port.h"
#include "core/programm.h"
#include "core/start.h"
#include "core/sweep.h"
#include "core/uhr.h"
#include "ui/haupt_fenster.h"

namespace {

void BM_RefreshTickMitMalen(benchmark::State& state) {
    auto st = std::make_unique<qzl::InstrumentState>();
    qzl::HauptFenster fenster(*st, [](qzl::Element) {});
    qzl::PortNamen namen;
    qzl::PosixPort port(namen);
    qzl::SystemUhr uhr;
    qzl::Programm p(*st, fenster, port, uhr);
    qzl::dm_diagramm(p);
    fenster.show();
    if (!QTest::qWaitForWindowExposed(&fenster)) state.SkipWithError("window not exposed");
    QWidget* flaeche = fenster.centralWidget();
    for (auto _ : state) {
        qzl::Timer2Timer(p);
        flaeche->repaint(5, 30, 641, 481);  // the queued update, painted now
    }
    state.counters["cpu_share_of_10ms"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1e-2, benchmark::Counter::kIsRate |
                                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_RefreshTickMitMalen)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
