#pragma once
// A program whose COM 2 is the simulator on a pseudo-terminal: the real
// serial code, a fake window.
#include <memory>
#include <stdexcept>

#include "state/instrument_state.h"
#include "serial/port_posix.h"
#include "handlers/programm.h"
#include "fakes.h"
#include "sim/simulator.h"

namespace qzl::test {

struct SimVerbindung {
    explicit SimVerbindung(sim::SimOptionen opt = {}) : simulator(std::move(opt)) {
        std::string fehler;
        if (!simulator.starten(&fehler)) throw std::runtime_error(fehler);
        namen.setzen(2, simulator.pfad());
    }
    sim::Simulator simulator;
    PortNamen namen;
    PosixPort port{namen};
    SystemUhr uhr;
    FakeFenster fenster;
    std::unique_ptr<InstrumentState> st = std::make_unique<InstrumentState>();
    Programm p{*st, fenster, port, uhr};
};

}  // namespace qzl::test
