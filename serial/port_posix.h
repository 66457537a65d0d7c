#pragma once
#include <termios.h>

#include "serial/port_namen.h"
#include "serial/serieller_port.h"

namespace qzl {

// Our own serial port over termios. Not QSerialPort: the exchange runs on two
// threads, and QSerialPort belongs to one thread's event loop. Not
// libserialport: it refuses pseudo-terminals, where the simulator lives.
// Safe to use from either thread as long as calls never overlap.
class PosixPort : public SeriellerPort {
public:
    explicit PosixPort(const PortNamen& namen) : namen_(namen) {}
    ~PosixPort() override;
    PosixPort(const PosixPort&) = delete;
    PosixPort& operator=(const PosixPort&) = delete;

    bool oeffnen(int comNummer) override;
    // Opens a device by path; oeffnen() uses it with the mapped name.
    bool oeffnenPfad(const std::string& pfad);
    bool offen() const override { return fd_ >= 0; }
    void schliessen() override;
    void konfigurieren(int baud) override;
    void schreiben(const std::uint8_t* daten, std::size_t anzahl) override;
    std::size_t wartend() override;
    std::size_t lesen(std::uint8_t* ziel, std::size_t anzahl) override;
    void eingangVerwerfen() override;
    bool warten(std::int64_t ms) override;
    // Waits in the read itself in periods of the line's timer (leseTaktMs),
    // with poll for what is left of ms.
    std::size_t empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) override;
    std::string fehlerMeldung() const override { return fehler_; }
    bool verschwunden() const override { return weg_; }
    // The open device, or -1; for checking the line settings.
    int handle() const { return fd_; }

private:
    bool oeffnenAls(const std::string& pfad, int comNummer);
    void fehlschlag(const std::string& pfad, bool beimEinrichten);

    const PortNamen& namen_;
    int fd_ = -1;
    // The same line opened again for blocking reads; -1 if that failed.
    int leseFd_ = -1;
    // Set once the line's read timer is set up for leseFd_.
    bool leseWartet_ = false;
    int comNummer_ = 0;
    std::string pfad_;
    std::string fehler_;
    // The line settings the device had before we took it, put back on close
    // (a terminal given as the port must not stay raw).
    termios vorher_{};
    bool vorherGelesen_ = false;
    // Set when a wait found the line hung up or failing.
    bool weg_ = false;
};

}  // namespace qzl
