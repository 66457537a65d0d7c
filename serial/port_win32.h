#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "serial/port_namen.h"
#include "serial/serieller_port.h"

namespace qzl {

// The path CreateFileW needs for a port name: "COM7" and "com12" become
// "\\.\COM7" and "\\.\com12" (without the prefix only COM1..COM9 open);
// a path that already starts with "\\" is kept as it is.
std::wstring win32GeraetePfad(const std::string& name);

// The line for the user when opening pfad (COM n; 0: given by path) failed
// with the system's code; keinPort: it opened but is no serial port.
std::string win32OeffnenFehlerText(const std::string& pfad, int comNummer, DWORD code, bool keinPort = false);

// The serial port over the Win32 communications calls. Safe to use from
// either thread as long as calls never overlap. empfangen() returns when
// all bytes asked for came or the time is up, not at the first byte: the
// link asks for exactly the reply's length.
class Win32Port : public SeriellerPort {
public:
    explicit Win32Port(const PortNamen& namen) : namen_(namen) {}
    ~Win32Port() override;
    Win32Port(const Win32Port&) = delete;
    Win32Port& operator=(const Win32Port&) = delete;

    bool oeffnen(int comNummer) override;
    // Opens a port by name ("COM7", "\\.\COM12"); oeffnen() uses it with the
    // mapped name.
    bool oeffnenPfad(const std::string& pfad);
    bool offen() const override { return h_ != INVALID_HANDLE_VALUE; }
    void schliessen() override;
    void konfigurieren(int baud) override;
    void schreiben(const std::uint8_t* daten, std::size_t anzahl) override;
    std::size_t wartend() override;
    std::size_t lesen(std::uint8_t* ziel, std::size_t anzahl) override;
    void eingangVerwerfen() override;
    bool warten(std::int64_t ms) override;
    std::size_t empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) override;
    std::string fehlerMeldung() const override { return fehler_; }
    bool verschwunden() const override { return weg_; }
    // The open port, for checking the line settings.
    HANDLE handle() const { return h_; }

private:
    bool oeffnenAls(const std::string& pfad, int comNummer);
    void fehlschlag(DWORD code, bool beimEinrichten);
    // Reads what is there (ms = 0) or waits up to ms for anzahl bytes.
    std::size_t lesenMitFrist(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms);

    const PortNamen& namen_;
    HANDLE h_ = INVALID_HANDLE_VALUE;
    int comNummer_ = 0;
    std::string pfad_;
    std::string fehler_;
    // The read wait the port is set to now, so that it is set only on change.
    std::int64_t fristMs_ = -1;
    // The byte warten() had to take from the line to learn that input came.
    std::vector<std::uint8_t> vorrat_;
    DCB vorher_{};
    bool vorherGelesen_ = false;
    // Set when a read failed: the adapter is gone.
    bool weg_ = false;
};

}  // namespace qzl
