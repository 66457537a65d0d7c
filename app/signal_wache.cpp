#include "app/signal_wache.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qzl {

namespace {

constexpr int signale[3] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t schreibEnde = -1;

extern "C" void anSignal(int nummer) {
    const int gesichert = errno;
    const auto byte = static_cast<unsigned char>(nummer);
    // A full pipe already holds a quit request; losing this one is fine.
    [[maybe_unused]] const ssize_t n = ::write(schreibEnde, &byte, 1);
    errno = gesichert;
}

}  // namespace

SignalWache::SignalWache(std::function<void(int)> beenden) : beenden_(std::move(beenden)) {
    int rohr[2];
    if (::pipe(rohr) != 0) return;  // then signals keep their default effect
    for (int fd : rohr) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    lesen_ = rohr[0];
    schreibEnde = rohr[1];
    melder_ = new QSocketNotifier(lesen_, QSocketNotifier::Read, this);
    connect(melder_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        int nummer = 0;
        while (::read(lesen_, &byte, 1) == 1) nummer = byte;
        if (nummer != 0) beenden_(nummer);
    });
    struct sigaction neu {};
    neu.sa_handler = anSignal;
    sigemptyset(&neu.sa_mask);
    // Interrupted system calls resume; the quit comes through the event loop.
    neu.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) ::sigaction(signale[i], &neu, &vorher_[i]);
}

SignalWache::~SignalWache() {
    if (lesen_ < 0) return;
    for (int i = 0; i < 3; ++i) ::sigaction(signale[i], &vorher_[i], nullptr);
    ::close(schreibEnde);
    schreibEnde = -1;
    delete melder_;
    ::close(lesen_);
}

}  // namespace qzl
