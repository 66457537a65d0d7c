#include "serial/port_win32.h"
#include "serial/port_diagnose.h"
#include "serial/port_fabrik.h"
#include "platform/breit.h"

#include <algorithm>

namespace qzl {

namespace {

// Writes that the device stops taking give up after about half a second
// (plus the bytes' time on the line) instead of stalling the sweep.
constexpr DWORD schreibFristMs = 500;
constexpr DWORD schreibMsJeByte = 2;

// The system's own words for the code, in the user's language.
std::string systemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string s = n > 0 ? utf8(std::wstring_view(text, n)) : "error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.')) s.pop_back();
    return s;
}

std::string hinweis(DWORD code, bool keinPort) {
    if (keinPort) return "; not a serial port: qzl7-cli list-ports shows the serial ports";
    switch (code) {
        // Windows opens a port for one program at a time; a second one is
        // refused with "access denied".
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return "; another program is using the port, close it first";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DEV_NOT_EXIST:
            return "; no such port: is the adapter plugged in? qzl7-cli list-ports shows the serial ports, "
                   "--port picks one";
        default:
            return "";
    }
}

bool comName(const std::string& name) {
    return name.size() > 3 && (name[0] == 'C' || name[0] == 'c') && (name[1] == 'O' || name[1] == 'o') &&
           (name[2] == 'M' || name[2] == 'm') &&
           std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string win32OeffnenFehlerText(const std::string& pfad, int comNummer, DWORD code, bool keinPort) {
    return "qzl7: cannot open " + portBezeichnung(pfad, comNummer) + ": " + systemText(code) + hinweis(code, keinPort);
}

std::wstring win32GeraetePfad(const std::string& name) {
    const std::string pfad = comName(name) ? "\\\\.\\" + name : name;
    return breit(pfad);
}

Win32Port::~Win32Port() { schliessen(); }

bool Win32Port::oeffnen(int comNummer) { return oeffnenAls(namen_.name(comNummer), comNummer); }

bool Win32Port::oeffnenPfad(const std::string& pfad) { return oeffnenAls(pfad, 0); }

void Win32Port::fehlschlag(DWORD code, bool beimEinrichten) {
    fehler_ = beimEinrichten ? "qzl7: cannot set up " + portBezeichnung(pfad_, comNummer_) +
                                   " as a serial line: " + systemText(code)
                             : win32OeffnenFehlerText(pfad_, comNummer_, code);
}

bool Win32Port::oeffnenAls(const std::string& pfad, int comNummer) {
    schliessen();
    fehler_.clear();
    weg_ = false;
    comNummer_ = comNummer;
    pfad_ = pfad;
    if (pfad.empty()) return false;
    // No sharing: the port is ours alone, as on Linux.
    const HANDLE h = ::CreateFileW(win32GeraetePfad(pfad).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fehlschlag(::GetLastError(), false);
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(h, &dcb)) {
        fehler_ = win32OeffnenFehlerText(pfad, comNummer, ::GetLastError(), true);
        ::CloseHandle(h);
        return false;
    }
    h_ = h;
    vorher_ = dcb;
    vorherGelesen_ = true;
    vorrat_.clear();
    // Whatever waits the driver had, reads must never block without limit.
    fristMs_ = -1;
    lesenMitFrist(nullptr, 0, 0);
    return true;
}

void Win32Port::schliessen() {
    if (h_ == INVALID_HANDLE_VALUE) return;
    // Unsent bytes to a stuck adapter would hold up the close.
    ::PurgeComm(h_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    if (vorherGelesen_) ::SetCommState(h_, &vorher_);
    vorherGelesen_ = false;
    ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    vorrat_.clear();
}

void Win32Port::konfigurieren(int baud) {
    if (h_ == INVALID_HANDLE_VALUE) return;
    DCB d = vorher_;
    d.DCBlength = sizeof d;
    d.BaudRate = static_cast<DWORD>(baud);
    // Binary 8N1: no parity, no flow control of either kind, no character
    // replacement, errors do not stop the reading.
    d.fBinary = TRUE;
    d.fParity = FALSE;
    d.ByteSize = 8;
    d.Parity = NOPARITY;
    d.StopBits = ONESTOPBIT;
    d.fOutxCtsFlow = FALSE;
    d.fOutxDsrFlow = FALSE;
    d.fDtrControl = DTR_CONTROL_DISABLE;
    d.fRtsControl = RTS_CONTROL_DISABLE;
    d.fDsrSensitivity = FALSE;
    d.fTXContinueOnXoff = TRUE;
    d.fOutX = FALSE;
    d.fInX = FALSE;
    d.fErrorChar = FALSE;
    d.fNull = FALSE;
    d.fAbortOnError = FALSE;
    if (!::SetCommState(h_, &d)) return fehlschlag(::GetLastError(), true);
    // Some drivers keep the lines as they were until told.
    ::EscapeCommFunction(h_, CLRDTR);
    ::EscapeCommFunction(h_, CLRRTS);
}

std::size_t Win32Port::lesenMitFrist(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) {
    ms = std::max<std::int64_t>(ms, 0);
    if (ms != fristMs_) {
        // MAXDWORD as interval alone: a read takes what is there and
        // returns. Otherwise it returns once all bytes asked for came, or
        // after the constant. (MAXDWORD as multiplier too would return at the
        // first byte, but Wine waits the whole constant then.)
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = ms > 0 ? 0 : MAXDWORD;
        t.ReadTotalTimeoutConstant = static_cast<DWORD>(std::min<std::int64_t>(ms, MAXDWORD - 1));
        t.WriteTotalTimeoutMultiplier = schreibMsJeByte;
        t.WriteTotalTimeoutConstant = schreibFristMs;
        if (!::SetCommTimeouts(h_, &t)) return 0;
        fristMs_ = ms;
    }
    if (anzahl == 0) return 0;
    DWORD n = 0;
    if (!::ReadFile(h_, ziel, static_cast<DWORD>(std::min<std::size_t>(anzahl, MAXDWORD)), &n, nullptr)) {
        // A vanished adapter fails at once, every time: let the time pass
        // instead of spinning.
        weg_ = true;
        if (ms > 0) ::Sleep(static_cast<DWORD>(std::min<std::int64_t>(ms, MAXDWORD - 1)));
        return 0;
    }
    return n;
}

void Win32Port::schreiben(const std::uint8_t* daten, std::size_t anzahl) {
    if (h_ == INVALID_HANDLE_VALUE) return;
    std::size_t fertig = 0;
    while (fertig < anzahl) {
        DWORD n = 0;
        const DWORD stueck = static_cast<DWORD>(std::min<std::size_t>(anzahl - fertig, MAXDWORD));
        if (!::WriteFile(h_, daten + fertig, stueck, &n, nullptr) || n == 0) {
            // The device stopped taking data: the bytes are lost rather than
            // stalling us, as on Linux.
            ::PurgeComm(h_, PURGE_TXABORT | PURGE_TXCLEAR);
            return;
        }
        fertig += n;
    }
}

std::size_t Win32Port::wartend() {
    if (h_ == INVALID_HANDLE_VALUE) return vorrat_.size();
    // Also clears a pending framing, overrun or parity error.
    DWORD fehler = 0;
    COMSTAT stand{};
    if (!::ClearCommError(h_, &fehler, &stand)) return vorrat_.size();
    return vorrat_.size() + stand.cbInQue;
}

std::size_t Win32Port::lesen(std::uint8_t* ziel, std::size_t anzahl) {
    const std::size_t vorab = std::min(anzahl, vorrat_.size());
    std::copy_n(vorrat_.begin(), vorab, ziel);
    vorrat_.erase(vorrat_.begin(), vorrat_.begin() + static_cast<std::ptrdiff_t>(vorab));
    if (vorab == anzahl || h_ == INVALID_HANDLE_VALUE) return vorab;
    return vorab + lesenMitFrist(ziel + vorab, anzahl - vorab, 0);
}

void Win32Port::eingangVerwerfen() {
    vorrat_.clear();
    if (h_ != INVALID_HANDLE_VALUE) ::PurgeComm(h_, PURGE_RXCLEAR);
}

bool Win32Port::warten(std::int64_t ms) {
    if (!vorrat_.empty()) return true;
    if (ms <= 0) return wartend() > 0;
    if (h_ == INVALID_HANDLE_VALUE) {
        ::Sleep(static_cast<DWORD>(std::min<std::int64_t>(ms, MAXDWORD - 1)));
        return false;
    }
    // The communications calls cannot wait for input without taking it, so
    // the first byte that comes is kept for the next read.
    std::uint8_t erstes = 0;
    if (lesenMitFrist(&erstes, 1, ms) == 0) return false;
    vorrat_.push_back(erstes);
    return true;
}

std::size_t Win32Port::empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) {
    if (!vorrat_.empty() || anzahl == 0) return lesen(ziel, anzahl);
    if (h_ == INVALID_HANDLE_VALUE) {
        if (ms > 0) ::Sleep(static_cast<DWORD>(std::min<std::int64_t>(ms, MAXDWORD - 1)));
        return 0;
    }
    return lesenMitFrist(ziel, anzahl, ms);
}

std::unique_ptr<SeriellerPort> seriellenPortAnlegen(const PortNamen& namen) {
    return std::make_unique<Win32Port>(namen);
}

}  // namespace qzl
