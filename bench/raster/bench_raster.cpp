// The display composite: of the whole picture (a redraw; the curve layer is
// copied out from under the sweep thread first) and of a part (what a
// sweep changes between two ticks). A plain copy of the same amount of
// memory is the yardstick.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "raster/anzeige_bitmap.h"
#include "raster/raster.h"

namespace {

struct Ebenen {
    qzl::Raster gitter, kurve, kopie, kopie2;
    qzl::AnzeigeBitmap bitmap;
    Ebenen() {
        qzl::rasterFuellen(gitter, 255);
        qzl::rasterFuellen(kurve, 255);
        for (int x = 30; x <= 590; x += 80) qzl::linieZeichnen(gitter, x, 410, x, 10, 0);
        for (int x = 31; x < 620; x += 2) qzl::linieZeichnen(kurve, x, 200 + x % 37, x + 2, 200 + (x + 2) % 37, 230);
    }
};

void BM_RefreshTick(benchmark::State& state) {
    auto e = std::make_unique<Ebenen>();
    for (auto _ : state) {
        std::memcpy(e->kopie.px.data(), e->kurve.px.data(), e->kurve.px.size());
        qzl::rasterKombinieren(e->bitmap, e->gitter, e->kopie);
        benchmark::DoNotOptimize(e->bitmap.rgb.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RefreshTick)->Unit(benchmark::kMicrosecond);

void BM_RasterKombinieren(benchmark::State& state) {
    auto e = std::make_unique<Ebenen>();
    for (auto _ : state) {
        qzl::rasterKombinieren(e->bitmap, e->gitter, e->kurve);
        benchmark::DoNotOptimize(e->bitmap.rgb.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RasterKombinieren)->Unit(benchmark::kMicrosecond);

// range(0): adjacent columns composited, starting at column 101;
// range(1): rows of them, from row 1.
void BM_RasterKombinierenTeil(benchmark::State& state) {
    auto e = std::make_unique<Ebenen>();
    const qzl::Aenderung teil{qzl::Spalten::bereich(101, 100 + static_cast<int>(state.range(0))), 1,
                              static_cast<int>(state.range(1))};
    for (auto _ : state) {
        qzl::rasterKombinieren(e->bitmap, e->gitter, e->kurve, teil);
        benchmark::DoNotOptimize(e->bitmap.rgb.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RasterKombinierenTeil)->Args({20, 480})->Args({20, 100})->Args({160, 480})->Unit(benchmark::kMicrosecond);

void BM_KopieZweiRaster(benchmark::State& state) {
    auto e = std::make_unique<Ebenen>();
    for (auto _ : state) {
        std::memcpy(e->kopie.px.data(), e->gitter.px.data(), e->kopie.px.size());
        std::memcpy(e->kopie2.px.data(), e->kurve.px.data(), e->kopie2.px.size());
        benchmark::DoNotOptimize(e->kopie.px.data());
        benchmark::DoNotOptimize(e->kopie2.px.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_KopieZweiRaster)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
