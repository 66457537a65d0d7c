#include "serial/port_posix.h"
#include "serial/port_diagnose.h"
#include "serial/port_fabrik.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace qzl {

PosixPort::~PosixPort() { schliessen(); }

bool PosixPort::oeffnen(int comNummer) { return oeffnenAls(namen_.name(comNummer), comNummer); }

bool PosixPort::oeffnenPfad(const std::string& pfad) { return oeffnenAls(pfad, 0); }

void PosixPort::fehlschlag(const std::string& pfad, bool beimEinrichten) {
    const int nummer = errno;
    fehler_ = beimEinrichten ? einrichtFehlerText(pfad, comNummer_, nummer)
                             : portFehlerText(pfad, comNummer_, nummer, geraeteGruppe(pfad));
}

bool PosixPort::oeffnenAls(const std::string& pfad, int comNummer) {
    schliessen();
    fehler_.clear();
    weg_ = false;
    comNummer_ = comNummer;
    if (pfad.empty()) return false;
    // Non-blocking so that neither open (waiting for carrier) nor read can hang.
    const int fd = ::open(pfad.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        fehlschlag(pfad, false);
        return false;
    }
    // A second open description of the same line, for reading only, that
    // blocks: there a read waits by itself for the reply, while writes on the
    // first stay non-blocking and cannot hang on a device that takes nothing.
    // Opened before TIOCEXCL, which would refuse it; without it the port
    // waits with poll as before.
    int lese = ::isatty(fd) ? ::open(pfad.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (lese >= 0) {
        const int flags = ::fcntl(lese, F_GETFL);
        if (flags < 0 || ::fcntl(lese, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            ::close(lese);
            lese = -1;
        }
    }
    // TIOCEXCL keeps other programs out but not root; the lock keeps a second
    // copy of this program out whoever runs it.
    if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        fehlschlag(pfad, false);
        if (lese >= 0) ::close(lese);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    leseFd_ = lese;
    pfad_ = pfad;
    vorherGelesen_ = ::tcgetattr(fd, &vorher_) == 0;
    return true;
}

void PosixPort::schliessen() {
    if (fd_ >= 0) {
        // close() would wait for unsent output to drain, up to 30 s on a
        // stuck adapter.
        ::tcflush(fd_, TCIOFLUSH);
        if (vorherGelesen_) ::tcsetattr(fd_, TCSANOW, &vorher_);
        vorherGelesen_ = false;
        ::ioctl(fd_, TIOCNXCL);
        if (leseFd_ >= 0) ::close(leseFd_);
        ::close(fd_);
        fd_ = -1;
        leseFd_ = -1;
        leseWartet_ = false;
    }
}

namespace {
speed_t geschwindigkeit(int baud) {
    switch (baud) {
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        default: return B9600;
    }
}
}  // namespace

void PosixPort::konfigurieren(int baud) {
    if (fd_ < 0) return;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return fehlschlag(pfad_, true);
    // Binary 8N1: no parity checking, no character translation or stripping,
    // no XON/XOFF, no hardware flow control, no signals, no echo.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                        IXOFF | IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    // A blocking read returns with the first byte or after a tenth of a
    // second; non-blocking reads return at once whatever these say.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 1;
    ::cfsetispeed(&t, geschwindigkeit(baud));
    ::cfsetospeed(&t, geschwindigkeit(baud));
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return fehlschlag(pfad_, true);
    leseWartet_ = leseFd_ >= 0;
    // Pseudo-terminals have no modem lines; the call then fails harmlessly.
    int linien = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &linien);
}

void PosixPort::schreiben(const std::uint8_t* daten, std::size_t anzahl) {
    if (fd_ < 0) return;
    std::size_t fertig = 0;
    int versuche = 0;
    while (fertig < anzahl) {
        const ssize_t n = ::write(fd_, daten + fertig, anzahl - fertig);
        if (n > 0) {
            fertig += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // A full output queue drains at line speed within a few ms; a device
        // that stopped taking data loses the bytes rather than stalling us.
        if (n < 0 && errno == EAGAIN && ++versuche < 5) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 20);
            continue;
        }
        ::tcflush(fd_, TCOFLUSH);
        return;
    }
}

std::size_t PosixPort::wartend() {
    if (fd_ < 0) return 0;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<std::size_t>(n);
}

std::size_t PosixPort::lesen(std::uint8_t* ziel, std::size_t anzahl) {
    if (fd_ < 0 || anzahl == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, ziel, anzahl);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;
    }
}

// One call, where asking and reading would take two or more per exchange.
void PosixPort::eingangVerwerfen() {
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

std::size_t PosixPort::empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) {
    if (leseWartet_ && anzahl > 0) {
        // One read per reply, waiting in the line's own timer, where poll and
        // read take two calls; only in whole timer periods, so that the port
        // never waits longer than asked.
        using namespace std::chrono;
        const auto ende = steady_clock::now() + milliseconds(ms);
        while (ms >= leseTaktMs) {
            const ssize_t n = ::read(leseFd_, ziel, anzahl);
            if (n > 0) return static_cast<std::size_t>(n);
            if (n < 0 && errno == EINTR) return 0;
            if (n < 0) weg_ = true;
            const std::int64_t rest = duration_cast<milliseconds>(ende - steady_clock::now()).count();
            // Nothing within the period, or at once: a hung-up line, which
            // the poll below sleeps through instead of spinning.
            const bool abgelaufen = n == 0 && ms - rest >= leseTaktMs / 2;
            ms = std::max<std::int64_t>(rest, 0);
            if (!abgelaufen) break;
        }
    }
    if (fd_ >= 0 && anzahl > 0) {
        // Poll, then read what is there: two calls per reply, where asking
        // how many bytes wait first would take three or four.
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT_MAX)));
        if (r == 0) return 0;
        if (r > 0) {
            const std::size_t n = lesen(ziel, anzahl);
            if (n > 0 || ms <= 0) return n;
            weg_ = weg_ || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        } else if (errno == EINTR) {
            return 0;
        }
        // Hang-up or error with nothing to read: poll would return at once
        // forever, so let the time pass instead of spinning.
    }
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}

bool PosixPort::warten(std::int64_t ms) {
    if (ms <= 0) return wartend() > 0;
    if (fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(ms));
        if (r == 0) return false;
        // An unplugged adapter reports POLLIN with POLLHUP and POLLERR but has
        // nothing to read; only bytes really waiting count.
        if (r > 0 && wartend() > 0) return true;
        // With CLOCAL a line hangs up only when its device is gone.
        weg_ = weg_ || (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0);
        // Hang-up or error: poll would return at once forever, so let the time
        // pass instead of spinning.
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return false;
}

std::unique_ptr<SeriellerPort> seriellenPortAnlegen(const PortNamen& namen) {
    return std::make_unique<PosixPort>(namen);
}

}  // namespace qzl
