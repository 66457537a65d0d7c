#pragma once
// Everything a handler needs: the engine, the window, and the post that
// carries the sweep thread's requests to the window's thread.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "engine/geraet.h"
#include "handlers/auftragspost.h"
#include "handlers/fenster.h"
#include "state/messmarken.h"

namespace qzl {

struct Programm {
    // The engine reports a time-out to this window.
    Programm(InstrumentState& s, Fenster& f, SeriellerPort& p, Uhr& u);
    ~Programm();
    Programm(const Programm&) = delete;
    Programm& operator=(const Programm&) = delete;

    Geraet geraet;
    Fenster& fenster;
    // The engine's parts, by their short names.
    const InstrumentState& st;
    SeriellerPort& port;
    Uhr& uhr;
    std::atomic<bool>& beenden;

    Auftragspost post;
    PostFenster postFenster;
    std::thread::id guiThread;
    // Whether "Smith" was enabled before the running sweep disabled it.
    bool smithVorSweep = false;
    // stopmessung is under way: a sweep's end is its business.
    bool stoppt = false;
    // One line for standard error: the window tells a user little about why
    // the port failed. Tests catch the lines here.
    std::function<void(const std::string&)> diagnose = [](const std::string& zeile) {
        std::fprintf(stderr, "%s\n", zeile.c_str());
    };

    // Told on the window's thread whenever a sweep has stopped and the
    // controls are back (the command socket's *OPC? waits for it).
    std::function<void()> nachStopp;
    // Told once, from the event loop, after the sweep it was set for has
    // stopped as above (the crystal analysis's result).
    std::function<void()> nachDemSweep;

    // What the label and check marks of the traces show now.
    struct Spurenanzeige {
        std::uint64_t version = 0;  // of the traces when they were last shown
        bool differenz = false, abgehakt = false;
        Halten halten = Halten::aus;
        std::string urteil;  // the verdict label's text
        bool pruefen = false;  // limits loaded and judging: the menu's tick
    } spurenanzeige;

    // The format the export wrote last in this run, which its dialog offers first.
    std::string exportFormat;

    // The window, reached safely from whichever thread asks.
    Fenster& fensterHier() { return std::this_thread::get_id() == guiThread ? fenster : postFenster; }
};

}  // namespace qzl
