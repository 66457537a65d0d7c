#include "sim/simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace qzl::sim {

namespace {

using Dauer = std::chrono::steady_clock::duration;

Dauer byteDauer(int baud) {
    // Start bit, eight data bits, stop bit.
    if (baud <= 0) return Dauer::zero();
    return std::chrono::duration_cast<Dauer>(std::chrono::duration<double>(10.0 / baud));
}

bool nichtVererben(int fd) { return ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0; }

std::string antwortHex(const std::vector<std::uint8_t>& antwort) {
    if (antwort.empty()) return "none (silent)";
    std::string text;
    char puffer[4];
    for (auto b : antwort) {
        std::snprintf(puffer, sizeof puffer, "%s%02X", text.empty() ? "" : " ", b);
        text += puffer;
    }
    return text;
}

}  // namespace

Simulator::Simulator(SimOptionen optionen)
    : opt_(std::move(optionen)), modell_(opt_.modell), rauschen_(opt_.rauschenStufen, opt_.saat), stumm_(opt_.stumm) {}

Simulator::~Simulator() { stoppen(); }

const std::string& Simulator::pfad() const { return pfad_; }

void Simulator::stummSetzen(bool stumm) { stumm_.store(stumm); }

void Simulator::modellSetzen(const Modell& modell) {
    std::lock_guard lock(mutex_);
    modell_ = modell;
}

std::uint64_t Simulator::austauschAnzahl() const { return anzahl_.load(); }

std::vector<Simulator::Austausch> Simulator::protokoll() const {
    std::lock_guard lock(mutex_);
    return protokoll_;
}

std::vector<std::uint8_t> Simulator::empfangen() const {
    std::lock_guard lock(mutex_);
    return empfangen_;
}

bool Simulator::starten(std::string* fehler) {
    auto scheitern = [&](const std::string& was) {
        if (fehler) *fehler = was + ": " + std::strerror(errno);
        schliessen();
        return false;
    };
    if (worker_.joinable()) {
        if (fehler) *fehler = "simulator already running";
        return false;
    }
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return scheitern("posix_openpt");
    if (!nichtVererben(master_)) return scheitern("fcntl");
    if (::grantpt(master_) != 0) return scheitern("grantpt");
    if (::unlockpt(master_) != 0) return scheitern("unlockpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) return scheitern("ptsname");
    pfad_ = name;

    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return scheitern("open " + pfad_);
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) return scheitern("tcgetattr");
    ::cfmakeraw(&t);
    if (::tcsetattr(slave_, TCSANOW, &t) != 0) return scheitern("tcsetattr");

    // A reply nobody reads must not block the worker; it is dropped instead.
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return scheitern("fcntl");

    int rohr[2];
    if (::pipe(rohr) != 0) return scheitern("pipe");
    weckLesen_ = rohr[0];
    weckSchreiben_ = rohr[1];
    if (!nichtVererben(weckLesen_) || !nichtVererben(weckSchreiben_)) return scheitern("fcntl");

    if (opt_.logPfad == "-") {
        log_ = stderr;
    } else if (!opt_.logPfad.empty()) {
        log_ = std::fopen(opt_.logPfad.c_str(), "w");
        if (!log_) return scheitern("open log " + opt_.logPfad);
    }
    loggen("device %s, model %s, clock %.0f Hz, baud %d, latency %d ms, noise %g steps (seed %llu)", pfad_.c_str(),
           modellText(opt_.modell).c_str(), opt_.taktHz, opt_.baud, opt_.latenzMs, opt_.rauschenStufen,
           static_cast<unsigned long long>(opt_.saat));

    try {
        worker_ = std::thread([this] { arbeiten(); });
    } catch (const std::system_error& e) {
        if (fehler) *fehler = std::string("thread: ") + e.what();
        schliessen();
        return false;
    }
    return true;
}

void Simulator::stoppen() {
    if (worker_.joinable()) {
        const char c = 0;
        while (::write(weckSchreiben_, &c, 1) < 0 && errno == EINTR) {
        }
        worker_.join();
    }
    schliessen();
}

void Simulator::schliessen() {
    for (int* fd : {&master_, &slave_, &weckLesen_, &weckSchreiben_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (log_ && log_ != stderr) std::fclose(log_);
    log_ = nullptr;
}

void Simulator::loggen(const char* format, ...) {
    if (!log_) return;
    std::fputs("qzl7-sim: ", log_);
    va_list args;
    va_start(args, format);
    std::vfprintf(log_, format, args);
    va_end(args);
    std::fputc('\n', log_);
    std::fflush(log_);
}

bool Simulator::schlafenBis(Zeitpunkt zeit) {
    pollfd weck{weckLesen_, POLLIN, 0};
    for (;;) {
        const auto rest = zeit - std::chrono::steady_clock::now();
        if (rest <= Dauer::zero()) return true;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(rest).count();
        const timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        if (::ppoll(&weck, 1, &ts, nullptr) > 0) return false;
    }
}

void Simulator::schreiben(const std::uint8_t* daten, std::size_t anzahl) {
    while (anzahl > 0) {
        const ssize_t n = ::write(master_, daten, anzahl);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            loggen("%zu reply byte(s) lost: %s", anzahl, std::strerror(errno));
            return;
        }
        daten += n;
        anzahl -= static_cast<std::size_t>(n);
    }
}

bool Simulator::austauschen(const Rahmen& rahmen, Zeitpunkt rxEnde, Zeitpunkt& txFrei) {
    if (opt_.aufhaengenNach >= 0 && anzahl_.load() >= static_cast<std::uint64_t>(opt_.aufhaengenNach)) {
        // Both ends go, as when the adapter is pulled: the client's side of
        // the line hangs up. The worker ends here.
        loggen("device gone");
        for (int* fd : {&master_, &slave_}) {
            ::close(*fd);
            *fd = -1;
        }
        return false;
    }
    const bool zehnBit = istZehnBit(rahmen.befehl);
    const double f = frequenzAusWort(rahmen.abstimmwort, opt_.taktHz);
    double pegel = 0.0;
    {
        std::lock_guard lock(mutex_);
        pegel = pegelDb(modell_, f);
    }
    const auto roh = rohwertBerechnen(pegel, istLinear(rahmen.befehl), zehnBit, rauschen_.ziehen());
    auto antwort = antwortBilden(roh, zehnBit);

    const auto nummer = anzahl_.load();
    const bool still = stumm_.load() || (opt_.stummNach >= 0 && nummer >= static_cast<std::uint64_t>(opt_.stummNach));
    if (still) {
        antwort.clear();
    } else if (zehnBit && opt_.zehnBitAbschneiden) {
        antwort.resize(1);
    }
    if (opt_.aufzeichnen) {
        // Recorded before the reply goes out, so a client holding the reply
        // also finds the exchange in the record.
        std::lock_guard lock(mutex_);
        protokoll_.push_back({rahmen.abstimmwort, rahmen.befehl, f, roh, antwort});
    }
    anzahl_.fetch_add(1);
    loggen("#%llu word %08X  %.3f Hz  cmd %c (%u)  level %.2f dB  raw %u  reply %s",
           static_cast<unsigned long long>(nummer + 1), static_cast<unsigned>(rahmen.abstimmwort), f,
           static_cast<char>(rahmen.befehl), static_cast<unsigned>(rahmen.befehl), pegel,
           static_cast<unsigned>(roh), antwortHex(antwort).c_str());
    if (opt_.muellNach >= 0 && nummer + 1 == static_cast<std::uint64_t>(opt_.muellNach) && !antwort.empty()) {
        // In the same write as the reply, so that the client finds them
        // waiting as soon as it has read the reply.
        for (int k = 0; k < opt_.muellAnzahl; ++k) antwort.push_back(static_cast<std::uint8_t>(k + 1));
        loggen("%d stray byte(s) behind the reply", opt_.muellAnzahl);
    }
    if (antwort.empty()) return true;

    const Dauer proByte = byteDauer(opt_.baud);
    const Zeitpunkt beginn = std::max(rxEnde + std::chrono::milliseconds(opt_.latenzMs), txFrei);
    if (proByte == Dauer::zero()) {
        if (!schlafenBis(beginn)) return false;
        schreiben(antwort.data(), antwort.size());
        txFrei = beginn;
        return true;
    }
    // Each byte reaches the client only once its last bit is on the line.
    Zeitpunkt t = beginn;
    for (auto b : antwort) {
        t += proByte;
        if (!schlafenBis(t)) return false;
        schreiben(&b, 1);
    }
    txFrei = t;
    return true;
}

void Simulator::arbeiten() {
    const Dauer proByte = byteDauer(opt_.baud);
    Zeitpunkt rxFrei{};
    Zeitpunkt txFrei{};
    Rahmenleser leser;
    pollfd fds[2] = {{master_, POLLIN, 0}, {weckLesen_, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            loggen("poll: %s", std::strerror(errno));
            return;
        }
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & POLLIN) == 0) {
            // Hang-up or error on the master: not expected while the slave is
            // held open, but never spin on it.
            if (fds[0].revents != 0 && !schlafenBis(std::chrono::steady_clock::now() + std::chrono::milliseconds(50)))
                return;
            continue;
        }
        std::uint8_t puffer[256];
        const ssize_t n = ::read(master_, puffer, sizeof puffer);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (!schlafenBis(std::chrono::steady_clock::now() + std::chrono::milliseconds(50))) return;
            continue;
        }
        const auto jetzt = std::chrono::steady_clock::now();
        if (opt_.aufzeichnen) {
            std::lock_guard lock(mutex_);
            empfangen_.insert(empfangen_.end(), puffer, puffer + n);
        }
        for (ssize_t i = 0; i < n; ++i) {
            // The pty delivers at once; a real line would still be clocking
            // each byte in.
            rxFrei = std::max(rxFrei, jetzt) + proByte;
            std::optional<std::uint8_t> verworfen;
            const auto rahmen = leser.aufnehmen(puffer[i], &verworfen);
            if (verworfen) loggen("stray byte %02X dropped, resynchronising", static_cast<unsigned>(*verworfen));
            if (rahmen && !austauschen(*rahmen, rxFrei, txFrei)) return;
        }
    }
}

}  // namespace qzl::sim
