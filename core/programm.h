#pragma once
// Everything a handler needs: the state, the window, the port, the clock,
// and the sweep thread with its post to the window's thread.
#include <atomic>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "core/auftragspost.h"
#include "core/fenster.h"
#include "core/instrument_state.h"
#include "core/messreihe_daten.h"
#include "serial/serieller_port.h"
#include "core/uhr.h"

namespace qzl {

struct Programm {
    Programm(InstrumentState& s, Fenster& f, SeriellerPort& p, Uhr& u)
        : st(s), fenster(f), port(p), uhr(u), postFenster(post), guiThread(std::this_thread::get_id()) {}
    ~Programm();
    Programm(const Programm&) = delete;
    Programm& operator=(const Programm&) = delete;

    InstrumentState& st;
    Fenster& fenster;
    SeriellerPort& port;
    Uhr& uhr;

    Auftragspost post;
    PostFenster postFenster;
    std::thread::id guiThread;
    std::thread sweepThread;
    // Quitting: the sweep ends at the next point, waits end at once.
    std::atomic<bool> beenden{false};
    // Whether "Smith" was enabled before the running sweep disabled it.
    bool smithVorSweep = false;
    // The kind a time-out replaced by the demonstration (4), so that it can
    // come back when the instrument answers again; 0 before any time-out.
    std::atomic<std::int32_t> messartVorAusfall{0};
    // One line for standard error: the window tells a user little about why
    // the port failed. Tests catch the lines here.
    std::function<void(const std::string&)> diagnose = [](const std::string& zeile) {
        std::fprintf(stderr, "%s\n", zeile.c_str());
    };
    // The series last loaded, while the diagram shows it: saving writes it
    // with its own frequencies instead of the settings'. A redraw or a sweep
    // start forgets it.
    std::optional<Messreihe> geladeneReihe;
    // Folder of "qzl7.cfg" and "frequenz.cfg"; empty: the working folder.
    std::string arbeitsordner;

    // The window, reached safely from whichever thread asks.
    Fenster& fensterHier() { return std::this_thread::get_id() == guiThread ? fenster : postFenster; }
};

}  // namespace qzl
