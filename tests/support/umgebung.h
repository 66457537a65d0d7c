#pragma once
#include <memory>

#include "state/instrument_state.h"
#include "handlers/programm.h"
#include "fakes.h"

namespace qzl::test {

// A fresh program with fake window, port and clock; the state is large, so
// it lives on the heap.
struct Umgebung {
    InstrumentState st;
    FakeUhr uhr;
    FakePort port{uhr};
    FakeFenster fenster;
    Programm p{st, fenster, port, uhr};

    // The device answers every command byte after ms with the given bytes.
    void antwortet(std::vector<std::uint8_t> bytes, std::int64_t ms = 2) {
        port.istOffen = true;
        port.beiBefehl = [bytes, ms](FakePort& pt, std::uint8_t) { pt.antwortIn(ms, bytes); };
    }
};

inline std::unique_ptr<Umgebung> neueUmgebung() { return std::make_unique<Umgebung>(); }

}  // namespace qzl::test
