#pragma once
// The running program: state, serial port, clock, main window and the logic,
// wired together. main() only adds the Qt application around it.
#include <memory>
#include <string>
#include <vector>

#include "state/instrument_state.h"
#include "serial/port_namen.h"
#include "handlers/markenbedienung.h"
#include "handlers/voreinstellungsbedienung.h"
#include "handlers/programm.h"
#include "server/fernsteuerung.h"
#include "app/fernziel_fenster.h"
#include "app/signal_wache.h"
#include "platform/uhr.h"
#include "ui/haupt_fenster.h"

namespace qzl {

// The port mapping of the command line; warns on standard error about port
// options it cannot use.
PortNamen portNamenAus(const std::vector<std::string>& argumente);

class Anwendung {
public:
    // argumente: the command line without the program name.
    Anwendung(std::vector<std::string> argumente, Uhr& uhr);
    ~Anwendung();
    Anwendung(const Anwendung&) = delete;
    Anwendung& operator=(const Anwendung&) = delete;

    // Start-up, then the window is shown, and the command socket listens
    // when the command line asks for it.
    void starten();

    const InstrumentState& st() const { return programm_.st; }
    HauptFenster& fenster() { return fenster_; }
    Programm& programm() { return programm_; }
    // 128 + the signal's number once a signal ended the program, else 0.
    int signalEnde() const { return signalEnde_; }

private:
    void signalBeenden(int nummer);

    std::vector<std::string> argumente_;
    // Held here, changed only through the engine.
    std::unique_ptr<InstrumentState> st_;
    PortNamen portNamen_;
    std::unique_ptr<SeriellerPort> port_;
    HauptFenster fenster_;
    Programm programm_;
    std::unique_ptr<MarkenBedienung> markenBedienung_;
    std::string voreinstellungsOrdner_;
    std::unique_ptr<VoreinstellungsBedienung> voreinstellungsBedienung_;
    int signalEnde_ = 0;
    SignalWache signalWache_;
    FensterZiel fernziel_;
    std::unique_ptr<Fernsteuerung> fernsteuerung_;
};

}  // namespace qzl
