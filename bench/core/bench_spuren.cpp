// A pass with everything the markers and traces add (8 tracking markers, a
// band marker, the difference to a reference and the max hold, and the
// display refresh that redraws their layer) side by side with a plain pass,
// through the real serial code against the simulator.
#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/zustand.h"
#include "handlers/verbindung.h"
#include "sim_verbindung.h"

namespace {

using namespace qzl;

struct Aufbau : test::SimVerbindung {
    Aufbau() : SimVerbindung(sim::SimOptionen{}) {
        PortSetzen(p);
        auto& st = zustand(p.geraet);
        st.startfrequenz = 9000000;
        st.schrittweite = 10000;
        st.messpunkte = 300;
        api::diagrammNeu(p.geraet);
    }
    // One pass as the worker makes it, and the window's refresh after it.
    void durchlauf() {
        qzl::durchlauf(p.geraet);
        spurenNachDurchlauf(p.geraet, kurvenbild(p.geraet.st));
        api::anzeigeAuffrischen(p.geraet);
    }
    void allesAn() {
        Geraet& g = p.geraet;
        durchlauf();
        {
            std::lock_guard sperre(g.durchlaufSperre);
            g.letzterDurchlauf = kurvenbild(g.st);
        }
        api::referenzUebernehmen(g);
        api::differenzZeigen(g, true);
        api::haltenSetzen(g, Halten::max, 4);
        for (int n = 1; n <= anzahlMessmarken; ++n) {
            Messmarke m{.an = true,
                        .frequenz = 9000000 + n * 300000,
                        .suche = n % 2 ? Suche::maximum : Suche::minimum,
                        .verfolgen = true};
            m.bereich = std::pair{m.frequenz - 200000, m.frequenz + 200000};
            if (n == 1) m.bandDb = 3;
            api::markeSetzen(g, n, m);
        }
    }
};

void BM_Durchlauf_MitSpuren(benchmark::State& state) {
    Aufbau schlicht, voll;
    voll.allesAn();
    using Uhrzeit = std::chrono::steady_clock;
    std::chrono::duration<double> ohne{}, mit{};
    for (auto _ : state) {
        const auto t0 = Uhrzeit::now();
        schlicht.durchlauf();
        const auto t1 = Uhrzeit::now();
        voll.durchlauf();
        ohne += t1 - t0;
        mit += Uhrzeit::now() - t1;
    }
    if (!schlicht.fenster.meldungen.empty() || !voll.fenster.meldungen.empty()) state.SkipWithError("time-out");
    state.counters["extra_percent"] = 100.0 * (mit / ohne - 1.0);
}

}  // namespace

BENCHMARK(BM_Durchlauf_MitSpuren)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

BENCHMARK_MAIN();
