// The whole program's sweep against an instrument that is never the
// bottleneck, beside the bare exchange loop (write, write, poll, read), in
// alternating rounds over the same pseudo-terminal. The instrument sits on
// the master side, answers every fifth byte at once and notes the time of
// each exchange; both rates are counted there, the same way.
//   bench_sweep [BIN_DIR [ROUNDS [apart|shared|free [program|calls|lean]]]]
// BIN_DIR: where qzl7 is (default: beside this program); the placement of
// the two sides on the cores is explained below.
// Each program round is the real qzl7 with -c and --smoke-test (start, one
// sweep of about half a second, Stop, quit) on the offscreen platform.
// "calls" puts a loop in the program's place that makes only the program's
// own calls per exchange (discard the input, one write, one read that waits);
// "lean" leaves out the discard too. They show how far any program could
// get ahead of the bare loop on this machine.
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "../blanker_austausch.h"

namespace {

using Uhr = std::chrono::steady_clock;

// Where the two sides run: "apart" (default) gives the instrument the first
// core and the program or the bare loop the second, as two machines would be,
// and keeps the scheduler from moving them; "shared" puts both on the second
// core, so that every cost of either side shows; "free" leaves it to the
// scheduler.
int geraetKern = 0;
int kundeKern = 1;

void anKernBinden(int kern) {
    if (kern < 0) return;
    cpu_set_t kerne;
    CPU_ZERO(&kerne);
    CPU_SET(kern, &kerne);
    ::sched_setaffinity(0, sizeof kerne, &kerne);
}

// The instrument: a blocking read on the master, the replies of all
// exchanges completed by it in one write. Its own cost per exchange is a
// read and a write, and it never waits for anything but input.
class Sofortgeraet {
public:
    Sofortgeraet() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        pfad_ = ::ptsname(master_);
        // Held open so that the master never sees a hang-up between rounds.
        halter_ = ::open(pfad_.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(halter_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(halter_, TCSANOW, &t);
        zeiten_.resize(20'000'000);
        faden_ = std::thread([this] { arbeiten(); });
    }
    ~Sofortgeraet() {
        ende_ = true;
        const std::uint8_t weck[5] = {};
        if (::write(halter_, weck, 5) < 0) {
        }
        faden_.join();
        ::close(halter_);
        ::close(master_);
    }
    const std::string& pfad() const { return pfad_; }
    bool bereit() const { return halter_ >= 0; }

    // Starts a new count; the byte count restarts at a frame boundary.
    void neu() { anzahl_ = 0; }
    std::size_t anzahl() const { return anzahl_; }

    // Exchanges per second from exchange ab (the program's first one only
    // tunes the generator at start-up) to the last.
    double rate(std::size_t ab) const {
        const std::size_t n = std::min<std::size_t>(anzahl_, zeiten_.size());
        if (n < ab + 100) return 0;
        const std::chrono::duration<double> dauer = zeiten_[n - 1] - zeiten_[ab];
        return static_cast<double>(n - 1 - ab) / dauer.count();
    }
    // The typical time of one exchange, in microseconds: the median gap
    // between two, which preemption by other work on the machine hardly moves.
    double typischUs(std::size_t ab) const {
        const std::size_t n = std::min<std::size_t>(anzahl_, zeiten_.size());
        if (n < ab + 100) return 0;
        std::vector<double> abstaende;
        for (std::size_t i = ab + 1; i < n; ++i)
            abstaende.push_back(std::chrono::duration<double, std::micro>(zeiten_[i] - zeiten_[i - 1]).count());
        std::nth_element(abstaende.begin(), abstaende.begin() + abstaende.size() / 2, abstaende.end());
        return abstaende[abstaende.size() / 2];
    }

private:
    void arbeiten() {
        anKernBinden(geraetKern);
        std::uint8_t ein[4096], aus[4096];
        std::size_t imRahmen = 0;
        while (!ende_) {
            const ssize_t n = ::read(master_, ein, sizeof ein);
            if (n <= 0) continue;
            const auto jetzt = Uhr::now();
            std::size_t k = 0;
            for (ssize_t i = 0; i < n; ++i) {
                if (++imRahmen < 5) continue;
                imRahmen = 0;
                aus[k++] = 210;  // a through connection in 8 bits
                if (ein[i] & 4) aus[k++] = 0x80;  // 10-bit command: the second byte
                const std::size_t nr = anzahl_++;
                if (nr < zeiten_.size()) zeiten_[nr] = jetzt;
            }
            if (k > 0 && ::write(master_, aus, k) < 0) {
            }
        }
    }

    int master_ = -1, halter_ = -1;
    std::string pfad_;
    std::vector<Uhr::time_point> zeiten_;
    std::atomic<std::size_t> anzahl_{0};
    std::atomic<bool> ende_{false};
    std::thread faden_;
};

// Runs arbeit in a child process on the client's core; true if it
// succeeded there.
template <typename Arbeit>
bool imKind(Arbeit arbeit) {
    const pid_t kind = ::fork();
    if (kind == 0) {
        anKernBinden(kundeKern);
        ::_exit(arbeit() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    return kind > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

enum class Gegner { programm, aufrufe, schlank };
Gegner gegner = Gegner::programm;

// The program's exchange without the program, in a process of its own.
bool aufrufeRunde(const std::string& geraet, std::chrono::milliseconds dauer) {
    return imKind([&] {
        // As the port opens the line: writes never block, the reply is
        // awaited in the read of a second descriptor (at most 0.1 s a read).
        const int fd = ::open(geraet.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const int lese = ::open(geraet.c_str(), O_RDONLY | O_NOCTTY);
        termios t{};
        if (fd < 0 || lese < 0 || ::tcgetattr(lese, &t) != 0) return false;
        ::cfmakeraw(&t);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 1;
        ::tcsetattr(lese, TCSANOW, &t);
        static const std::uint8_t rahmen[5] = {0x9A, 0x99, 0x99, 0x19, 80};
        std::uint8_t antwort = 0;
        bool gut = true;
        const auto ende = Uhr::now() + dauer;
        while (gut && Uhr::now() < ende) {
            if (gegner == Gegner::aufrufe) ::tcflush(fd, TCIFLUSH);
            gut = ::write(fd, rahmen, 5) == 5 && ::read(lese, &antwort, 1) == 1;
        }
        return gut;
    });
}

// One round of the real program: start, sweep, quit. False if it failed.
bool programmRunde(const std::string& programm, const std::string& geraet, const std::string& ordner) {
    if (gegner != Gegner::programm) return aufrufeRunde(geraet, std::chrono::milliseconds(500));
    const pid_t kind = ::fork();
    if (kind == 0) {
        anKernBinden(kundeKern);
        // Its qzl7.cfg goes to a folder of its own.
        if (::chdir(ordner.c_str()) != 0) ::_exit(127);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const std::string com2 = "--com2=" + geraet;
        ::execl(programm.c_str(), programm.c_str(), "-c", com2.c_str(), "--smoke-test", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The bare loop for as long as a sweep lasts, in a process of its own as
// the program is: a switch between two threads of one process is cheaper
// than one between processes, which would flatter the loop.
bool blankeRunde(const std::string& geraet, std::chrono::milliseconds dauer) {
    return imKind([&] {
        const int fd = ::open(geraet.c_str(), O_RDWR | O_NOCTTY);
        bool gut = fd >= 0;
        const auto ende = Uhr::now() + dauer;
        while (gut && Uhr::now() < ende) gut = qzl::bench::blankerAustausch(fd);
        return gut;
    });
}

// What the instrument takes when nothing waits for it: 64 exchanges in one
// write, their replies read back, for a quarter of a second.
bool geraetGrenze(const std::string& geraet) {
    const int fd = ::open(geraet.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return false;
    std::uint8_t block[64 * 5];
    for (std::size_t i = 0; i < sizeof block; ++i) block[i] = i % 5 == 4 ? 80 : 0x99;
    std::uint8_t antwort[64];
    const auto ende = Uhr::now() + std::chrono::milliseconds(250);
    bool gut = true;
    while (gut && Uhr::now() < ende) {
        gut = ::write(fd, block, sizeof block) == static_cast<ssize_t>(sizeof block);
        for (std::size_t da = 0; gut && da < sizeof antwort;) {
            pollfd p{fd, POLLIN, 0};
            const ssize_t n = ::poll(&p, 1, 4000) == 1 ? ::read(fd, antwort, sizeof antwort - da) : -1;
            gut = n > 0;
            da += gut ? static_cast<std::size_t>(n) : 0;
        }
    }
    ::close(fd);
    return gut;
}

double median(std::vector<double> w) {
    std::sort(w.begin(), w.end());
    return w.empty() ? 0 : w[w.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path binOrdner =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const int runden = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::string lage = argc > 3 ? argv[3] : "apart";
    const std::string wer = argc > 4 ? argv[4] : "program";
    if (lage == "shared") {
        geraetKern = 1;
    } else if (lage == "free") {
        geraetKern = kundeKern = -1;
    }
    if (wer == "calls") {
        gegner = Gegner::aufrufe;
    } else if (wer == "lean") {
        gegner = Gegner::schlank;
    }
    if ((lage != "apart" && lage != "shared" && lage != "free") ||
        (wer != "program" && wer != "calls" && wer != "lean")) {
        std::fprintf(stderr, "usage: bench_sweep [BIN_DIR [ROUNDS [apart|shared|free [program|calls|lean]]]]\n");
        return 2;
    }
    const std::string programm = std::filesystem::absolute(binOrdner / "qzl7").string();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char muster[] = "/tmp/qzl7-bench-XXXXXX";
    if (!::mkdtemp(muster)) return 1;
    const std::string ordner = muster;

    Sofortgeraet geraet;
    if (!geraet.bereit()) {
        std::fprintf(stderr, "bench_sweep: no pseudo-terminal\n");
        return 1;
    }
    geraet.neu();
    const auto t0 = Uhr::now();
    if (!geraetGrenze(geraet.pfad())) return 1;
    const std::chrono::duration<double> grenzDauer = Uhr::now() - t0;
    std::printf("instrument alone: %.0f exchanges/s (64 exchanges a write)\n", geraet.anzahl() / grenzDauer.count());

    // Each program round sits between two bare rounds and is set against
    // their mean, so that a change of the machine's load during a round
    // falls on both sides alike.
    auto blank = [&](double& rate, double& us) {
        geraet.neu();
        if (!blankeRunde(geraet.pfad(), std::chrono::milliseconds(500))) return false;
        rate = geraet.rate(0);
        us = geraet.typischUs(0);
        return true;
    };
    std::vector<double> programmRaten, blankRaten, verhaeltnisse, typischVerhaeltnisse;
    double bVorher = 0, bUsVorher = 0;
    if (!blank(bVorher, bUsVorher)) return 1;
    for (int r = 1; r <= runden; ++r) {
        geraet.neu();
        if (!programmRunde(programm, geraet.pfad(), ordner)) {
            std::fprintf(stderr, "bench_sweep: %s failed\n", wer == "program" ? (programm + " -c --smoke-test").c_str() : wer.c_str());
            return 1;
        }
        const double p = geraet.rate(1), pUs = geraet.typischUs(1);
        double bNachher = 0, bUsNachher = 0;
        if (!blank(bNachher, bUsNachher)) return 1;
        const double b = (bVorher + bNachher) / 2, bUs = (bUsVorher + bUsNachher) / 2;
        programmRaten.push_back(p);
        blankRaten.push_back(b);
        verhaeltnisse.push_back(b > 0 ? p / b : 0);
        typischVerhaeltnisse.push_back(pUs > 0 ? bUs / pUs : 0);
        std::printf("round %2d: program sweep %6.0f /s (typically %5.1f us), bare loop %6.0f /s (%5.1f us), ratio %.2f\n",
                    r, p, pUs, b, bUs, p / b);
        std::fflush(stdout);
        bVorher = bNachher;
        bUsVorher = bUsNachher;
    }
    std::filesystem::remove_all(ordner);
    std::printf("median of %d rounds (%s, %s): program sweep %.0f /s, bare loop %.0f /s, ratio %.2f (range %.2f-%.2f); "
                "ratio of the typical exchange times %.2f\n",
                runden, lage.c_str(), wer.c_str(), median(programmRaten), median(blankRaten), median(verhaeltnisse),
                *std::min_element(verhaeltnisse.begin(), verhaeltnisse.end()),
                *std::max_element(verhaeltnisse.begin(), verhaeltnisse.end()), median(typischVerhaeltnisse));
    return 0;
}
