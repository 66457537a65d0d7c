#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "sim/kommandozeile.h"
#include "sim/simulator.h"

namespace {

std::string linkZiel(const std::string& link) {
    std::vector<char> puffer(4096);
    const ssize_t n = ::readlink(link.c_str(), puffer.data(), puffer.size());
    return n < 0 ? std::string() : std::string(puffer.data(), static_cast<std::size_t>(n));
}

// Replaces a stale symlink from an earlier run, but never a real file.
bool linkAnlegen(const std::string& link, const std::string& ziel) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "qzl7-sim: " << link << " exists and is not a symlink\n";
            return false;
        }
        if (::unlink(link.c_str()) != 0) {
            std::cerr << "qzl7-sim: cannot remove " << link << ": " << std::strerror(errno) << '\n';
            return false;
        }
    }
    if (::symlink(ziel.c_str(), link.c_str()) != 0) {
        std::cerr << "qzl7-sim: cannot create " << link << ": " << std::strerror(errno) << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    auto aufruf = qzl::sim::aufrufLesen(std::vector<std::string>(argv + 1, argv + argc));
    if (!aufruf.fehler.empty()) {
        std::cerr << "qzl7-sim: " << aufruf.fehler << " (see --help)\n";
        return 2;
    }
    if (aufruf.hilfe) {
        std::cout << qzl::sim::benutzung();
        return 0;
    }

    // Blocked before the worker starts so that it inherits the mask and
    // only sigwait below ever sees the signals.
    sigset_t signale;
    sigemptyset(&signale);
    sigaddset(&signale, SIGINT);
    sigaddset(&signale, SIGTERM);
    sigaddset(&signale, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signale, nullptr);

    // The log file, not memory, is the record of a long run.
    aufruf.optionen.aufzeichnen = false;
    qzl::sim::Simulator simulator(aufruf.optionen);
    std::string fehler;
    if (!simulator.starten(&fehler)) {
        std::cerr << "qzl7-sim: " << fehler << '\n';
        return 1;
    }
    if (!aufruf.linkPfad.empty() && !linkAnlegen(aufruf.linkPfad, simulator.pfad())) {
        simulator.stoppen();
        return 1;
    }
    std::cout << "qzl7-sim: " << simulator.pfad() << std::endl;

    int signal = 0;
    while (sigwait(&signale, &signal) != 0) {
    }
    simulator.stoppen();
    if (!aufruf.linkPfad.empty() && linkZiel(aufruf.linkPfad) == simulator.pfad()) {
        ::unlink(aufruf.linkPfad.c_str());
    }
    return 0;
}
