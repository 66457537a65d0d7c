#pragma once
// The serial port as the device link sees it. The POSIX implementation sits
// beside this; a Windows one would sit beside it too.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qzl {

class SeriellerPort {
public:
    virtual ~SeriellerPort() = default;
    // Opens COM n (1..4) by the platform's rule for exclusive use.
    virtual bool oeffnen(int comNummer) = 0;
    virtual bool offen() const = 0;
    virtual void schliessen() = 0;
    // 8N1 raw at the given speed, no flow control, DTR and RTS off.
    virtual void konfigurieren(int baud) = 0;
    // One line for the user on why the last oeffnen() or konfigurieren()
    // failed; empty after success.
    virtual std::string fehlerMeldung() const { return {}; }
    virtual void schreiben(const std::uint8_t* daten, std::size_t anzahl) = 0;
    // Bytes waiting in the input queue; also clears pending line errors.
    virtual std::size_t wartend() = 0;
    // Reads up to anzahl waiting bytes without waiting; returns how many.
    virtual std::size_t lesen(std::uint8_t* ziel, std::size_t anzahl) = 0;
    // Drops every byte waiting: bytes there before a command is sent cannot
    // be its reply, and left in place they would shift every later reading.
    virtual void eingangVerwerfen() {
        std::uint8_t muell[64];
        while (wartend() > 0 && lesen(muell, sizeof muell) > 0) {
        }
    }
    // Waits until input is waiting or ms have passed, without using the CPU.
    // On a closed or broken port it simply lets the time pass.
    virtual bool warten(std::int64_t ms) = 0;
    // Whether the device went away since it was opened (unplugged, its
    // driver hung up): a wait found the line hung up, not merely silent.
    virtual bool verschwunden() const { return false; }
    // The period of a serial line's read timer, a tenth of a second: callers
    // that wait for a reply in slices of it let a port wait in the read itself.
    static constexpr std::int64_t leseTaktMs = 100;
    // Waits like warten(), then reads up to anzahl of the bytes that are
    // there; returns how many (0: nothing came). A port may do this in fewer
    // system calls than the three steps apart.
    virtual std::size_t empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) {
        if (wartend() == 0 && !warten(ms)) return 0;
        return lesen(ziel, anzahl);
    }
};

}  // namespace qzl
