#pragma once
// One program around the scripted window, port and clock, built once per
// fuzz process (the rasters are large) and made fresh for every input.
#include "handlers/programm.h"
#include "fakes.h"

namespace qzl::fuzz {

struct Umgebung {
    test::FakeUhr uhr;
    test::FakePort port{uhr};
    test::FakeFenster fenster;
    InstrumentState st;
    Programm p{st, fenster, port, uhr};

    static Umgebung& frisch() {
        static Umgebung u;
        u.st.startwerteSetzen();
        u.st.messart = Messart::durchgang;
        for (auto& m : u.st.freqMarken) m = 0;
        u.fenster = test::FakeFenster();
        u.port.geschrieben.clear();
        u.port.eingang.clear();
        u.port.spaeter.clear();
        u.port.beiBefehl = nullptr;
        return u;
    }
};

// A broken invariant ends the run as a finding, with the input saved.
inline void pruefen(bool gilt) {
    if (!gilt) __builtin_trap();
}

}  // namespace qzl::fuzz
