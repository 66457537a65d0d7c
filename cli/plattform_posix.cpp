// qzl7-cli on POSIX systems: the termios port, signals, the terminal test.
#include "cli/plattform.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>


namespace qzl::cli {

namespace {

std::atomic<bool>* abbruchFlagge = nullptr;
volatile std::sig_atomic_t abbruchSignal = SIGINT;

extern "C" void anAbbruch(int nummer) {
    abbruchSignal = nummer;
    // The flag is lock-free, so setting it here is safe; a user pressing
    // Ctrl+C again does not want to wait for the point in progress.
    if (abbruchFlagge->exchange(true)) std::_Exit(128 + nummer);
}

}  // namespace

void abbruchAbfangen(std::atomic<bool>& flagge) {
    static_assert(std::atomic<bool>::is_always_lock_free);
    abbruchFlagge = &flagge;
    struct sigaction neu {};
    neu.sa_handler = anAbbruch;
    sigemptyset(&neu.sa_mask);
    // No SA_RESTART: a wait for the instrument wakes up and sees the flag.
    neu.sa_flags = 0;
    ::sigaction(SIGINT, &neu, nullptr);
    ::sigaction(SIGTERM, &neu, nullptr);
}

int abbruchStatus() { return 128 + abbruchSignal; }

void schreibfehlerStattSignal() { ::signal(SIGPIPE, SIG_IGN); }

bool fehlerAusgabeIstTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void ausgabeBinaer() {}

}  // namespace qzl::cli
