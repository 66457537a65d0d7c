// qzl7-cli on Windows: the Win32 port, the console's Ctrl+C and close
// events, the console test.
#include "cli/plattform.h"

#include "serial/win32_port.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

namespace qzl::cli {

std::unique_ptr<SeriellerPort> seriellenPortAnlegen(const PortNamen& namen) {
    return std::make_unique<Win32Port>(namen);
}

namespace {

std::atomic<bool>* abbruchFlagge = nullptr;
// The status as the shell would see it on Linux: 130 for Ctrl+C, 143 when
// the console closes or the session ends (as SIGTERM).
std::atomic<int> abbruchCode{130};

BOOL WINAPI anAbbruch(DWORD ereignis) {
    const bool beenden = ereignis != CTRL_C_EVENT && ereignis != CTRL_BREAK_EVENT;
    abbruchCode = beenden ? 143 : 130;
    // A user pressing Ctrl+C again does not want to wait for the point in progress.
    if (abbruchFlagge->exchange(true)) std::_Exit(abbruchCode);
    // The handler runs in a thread of its own. After a close or log-off
    // Windows ends the process as soon as the handler returns (or after
    // about five seconds), so it waits here while the main thread finishes
    // the point, restores the port and exits.
    if (beenden) ::Sleep(INFINITE);
    return TRUE;
}

}  // namespace

void abbruchAbfangen(std::atomic<bool>& flagge) {
    abbruchFlagge = &flagge;
    ::SetConsoleCtrlHandler(anAbbruch, TRUE);
}

int abbruchStatus() { return abbruchCode; }

bool fehlerAusgabeIstTerminal() {
    DWORD modus = 0;
    return _isatty(_fileno(stderr)) && ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &modus) != 0;
}

// Without this every "\n" written to standard output becomes "\r\n", and
// CSV, .dat and PNG would differ from the files.
void ausgabeBinaer() { _setmode(_fileno(stdout), _O_BINARY); }

std::tm ortszeit(std::time_t t) {
    std::tm ergebnis{};
    ::localtime_s(&ergebnis, &t);
    return ergebnis;
}

std::tm weltzeit(std::time_t t) {
    std::tm ergebnis{};
    ::gmtime_s(&ergebnis, &t);
    return ergebnis;
}

}  // namespace qzl::cli
