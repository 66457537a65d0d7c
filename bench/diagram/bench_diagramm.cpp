// A full diagram redraw as the buttons trigger it: two raster fills, the
// markers and the picture of the kind.
#include <benchmark/benchmark.h>

#include <memory>

#include "state/instrument_state.h"
#include "diagram/diagramm.h"

namespace {

void BM_DiagrammZeichnen(benchmark::State& state) {
    auto st = std::make_unique<qzl::InstrumentState>();
    st->messart = static_cast<qzl::Messart>(state.range(0));
    for (int m = 1; m <= 20; ++m) st->freqMarken[static_cast<std::size_t>(m)] = 10000000 + m * 100000;
    for (auto _ : state) {
        qzl::diagrammZeichnen(*st);
        benchmark::DoNotOptimize(st->gitterRaster.px.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DiagrammZeichnen)->ArgName("messart")->Arg(1)->Arg(2)->Arg(5)->Arg(6)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
