// qzl7-cli on Windows: the console's Ctrl+C and close events, the command
// line and the console in UTF-16, the console test.
#include "cli/plattform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/breit.h"
#include "state/zeichensatz.h"

namespace qzl::cli {

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

namespace {

// A console shows the characters in its own code page, which is seldom
// UTF-8; WriteConsoleW takes them as they are. Files and pipes get the bytes.
bool schreiben(std::FILE* strom, DWORD nummer, std::string_view daten) {
    const HANDLE h = ::GetStdHandle(nummer);
    DWORD modus = 0;
    if (!::GetConsoleMode(h, &modus) || !gueltigesUtf8(daten))
        return std::fwrite(daten.data(), 1, daten.size(), strom) == daten.size() && std::fflush(strom) == 0;
    std::fflush(strom);
    const std::wstring w = breit(daten);
    // Older consoles refuse long writes; pieces that keep surrogate pairs whole.
    for (std::size_t pos = 0; pos < w.size();) {
        std::size_t stueck = std::min<std::size_t>(w.size() - pos, 8192);
        if (pos + stueck < w.size() && IS_HIGH_SURROGATE(w[pos + stueck - 1])) --stueck;
        DWORD geschrieben = 0;
        if (!::WriteConsoleW(h, w.data() + pos, static_cast<DWORD>(stueck), &geschrieben, nullptr) || geschrieben == 0)
            return false;
        pos += geschrieben;
    }
    return true;
}

}  // namespace

// The C run time would give the arguments in the ANSI code page, where
// names outside it turn into look-alikes or question marks.
std::vector<std::string> befehlszeile(int argc, char** argv) {
    int n = 0;
    wchar_t** woerter = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    if (!woerter) return {argv + 1, argv + argc};
    std::vector<std::string> argumente;
    for (int i = 1; i < n; ++i) argumente.push_back(utf8(woerter[i]));
    ::LocalFree(woerter);
    return argumente;
}

bool ausgabeSchreiben(std::string_view daten) { return schreiben(stdout, STD_OUTPUT_HANDLE, daten); }

void fehlerSchreiben(std::string_view text) { schreiben(stderr, STD_ERROR_HANDLE, text); }

bool fehlerAusgabeIstTerminal() {
    DWORD modus = 0;
    return _isatty(_fileno(stderr)) && ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &modus) != 0;
}

// NUL is a character device too; only a console has a console mode.
bool ausgabeIstTerminal() {
    DWORD modus = 0;
    return _isatty(_fileno(stdout)) && ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &modus) != 0;
}

// Without this every "\n" written to standard output becomes "\r\n", and
// CSV, .dat and PNG would differ from the files.
void ausgabeBinaer() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace qzl::cli
