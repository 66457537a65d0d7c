// Exchanges and sweep points per second through the real serial code against
// the simulator on a pseudo-terminal, next to a bare loop doing the same
// exchange with the least code possible, and the two side by side.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "engine/geraet.h"
#include "engine/durchlauf.h"
#include "handlers/verbindung.h"
#include "serial/port_posix.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "sim_verbindung.h"
#include "../blanker_austausch.h"

namespace {

using namespace qzl;

struct Aufbau : test::SimVerbindung {
    explicit Aufbau(int baud, int latenzMs = 0) : SimVerbindung(optionen(baud, latenzMs)) { PortSetzen(p); }
    static sim::SimOptionen optionen(int baud, int latenzMs) {
        sim::SimOptionen o;
        o.baud = baud;
        o.latenzMs = latenzMs;
        return o;
    }
};

void zaehler(benchmark::State& state, const char* name) {
    state.counters[name] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Austausch_Programm(benchmark::State& state) {
    Aufbau a(static_cast<int>(state.range(0)));
    for (auto _ : state) einzelmessung(a.p.geraet, 1, 10000000);
    if (!a.fenster.meldungen.empty()) state.SkipWithError("time-out");
    zaehler(state, "exchanges/s");
}

using qzl::bench::blankerAustausch;

struct BlankeLeitung {
    sim::Simulator simulator;
    int fd = -1;
    explicit BlankeLeitung(int baud) : simulator(optionen(baud)) {
        simulator.starten();
        fd = ::open(simulator.pfad().c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    ~BlankeLeitung() { ::close(fd); }
    static sim::SimOptionen optionen(int baud) {
        sim::SimOptionen o;
        o.baud = baud;
        return o;
    }
};

void BM_Austausch_Blank(benchmark::State& state) {
    BlankeLeitung b(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!blankerAustausch(b.fd)) {
            state.SkipWithError("no reply");
            break;
        }
    }
    zaehler(state, "exchanges/s");
}

// The program's exchange and the bare one in alternating blocks over the same
// line to the same simulator, so that both meet the same load on a shared
// machine; bare_time / program_time is the program's share of the bare
// loop's exchange rate.
void BM_Austausch_Verhaeltnis(benchmark::State& state) {
    Aufbau a(0);
    using Uhrzeit = std::chrono::steady_clock;
    std::chrono::duration<double> programm{}, blank{};
    for (auto _ : state) {
        const auto t0 = Uhrzeit::now();
        for (int k = 0; k < 50; ++k) einzelmessung(a.p.geraet, 1, 10000000);
        const auto t1 = Uhrzeit::now();
        for (int k = 0; k < 50; ++k) blankerAustausch(a.port.handle());
        programm += t1 - t0;
        blank += Uhrzeit::now() - t1;
    }
    if (!a.fenster.meldungen.empty()) state.SkipWithError("time-out");
    state.counters["program_vs_bare"] = blank / programm;
}

// One sweep point: exchange, conversion, store and drawing, as on the sweep thread.
void BM_Sweeppunkt(benchmark::State& state) {
    Aufbau a(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::int32_t i = 2;
    for (auto _ : state) {
        messpunkt(a.p.geraet, i, 10000000 + (i - 1) * 10000);
        i = i >= 279 ? 2 : i + 1;
    }
    if (!a.fenster.meldungen.empty()) state.SkipWithError("time-out");
    zaehler(state, "points/s");
}

// range(0): line speed paced by the simulator (0: as fast as the pty goes)
BENCHMARK(BM_Austausch_Programm)->Arg(0)->Arg(57600)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Austausch_Blank)->Arg(0)->Arg(57600)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Austausch_Verhaeltnis)->UseRealTime()->Unit(benchmark::kMillisecond);
// range(1): instrument latency in ms; CPU time per point shows the wait costs nothing
BENCHMARK(BM_Sweeppunkt)->Args({0, 0})->Args({57600, 0})->Args({0, 5})->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
