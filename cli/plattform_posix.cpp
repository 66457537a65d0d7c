// qzl7-cli on POSIX systems: the termios port, signals, the terminal test.
#include "cli/plattform.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>


namespace qzl::cli {

namespace {

std::atomic<bool>* abbruchFlagge = nullptr;
// The signal of the first request, 0 before one; lock-free, so the handler
// and the pipe watch may both set it.
std::atomic<int> abbruchSignal{0};

void abbrechen(int nummer) {
    int keins = 0;
    abbruchSignal.compare_exchange_strong(keins, nummer);
    // A user pressing Ctrl+C again does not want to wait for the point in
    // progress. A closed pipe is nobody's hurry: every later write raises it
    // again, and the line must still be restored.
    if (abbruchFlagge->exchange(true) && nummer != SIGPIPE) std::_Exit(128 + nummer);
}

extern "C" void anAbbruch(int nummer) { abbrechen(nummer); }

// Standard output into a pipe whose reader went away: the run ends now, not
// at its next write, which may be a sweep and an interval later.
void leserBeobachten() {
    struct stat info {};
    if (::fstat(STDOUT_FILENO, &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))) return;
    std::thread([] {
        pollfd p{STDOUT_FILENO, 0, 0};
        while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
        }
        if (p.revents & (POLLERR | POLLHUP)) abbrechen(SIGPIPE);
    }).detach();
}

}  // namespace

void abbruchAbfangen(std::atomic<bool>& flagge) {
    static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);
    abbruchFlagge = &flagge;
    struct sigaction neu {};
    neu.sa_handler = anAbbruch;
    sigemptyset(&neu.sa_mask);
    // No SA_RESTART: a wait for the instrument wakes up and sees the flag.
    neu.sa_flags = 0;
    for (const int nummer : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        // What the caller ignores stays ignored: nohup, a background job.
        struct sigaction alt {};
        if (::sigaction(nummer, nullptr, &alt) == 0 && alt.sa_handler == SIG_IGN) continue;
        ::sigaction(nummer, &neu, nullptr);
        if (nummer == SIGPIPE) leserBeobachten();
    }
}

int abbruchStatus() { return 128 + (abbruchSignal ? abbruchSignal.load() : SIGINT); }

std::vector<std::string> befehlszeile(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool ausgabeSchreiben(std::string_view daten) {
    return std::fwrite(daten.data(), 1, daten.size(), stdout) == daten.size() && std::fflush(stdout) == 0;
}

void fehlerSchreiben(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

bool fehlerAusgabeIstTerminal() { return ::isatty(STDERR_FILENO) == 1; }
bool ausgabeIstTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

void ausgabeBinaer() {}

}  // namespace qzl::cli
