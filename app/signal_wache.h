#pragma once
// SIGINT, SIGTERM and SIGHUP end the program as its quit command does. The
// handler itself only writes the signal's number into a pipe (all it may
// safely do); the window's thread reads it through a socket notifier and
// quits from there, between two handlers, so nothing is left half-written.
#include <QObject>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace qzl {

class SignalWache : public QObject {
public:
    // beenden gets the signal's number. One watch at a time.
    explicit SignalWache(std::function<void(int)> beenden);
    ~SignalWache() override;
    SignalWache(const SignalWache&) = delete;
    SignalWache& operator=(const SignalWache&) = delete;

private:
    std::function<void(int)> beenden_;
    QSocketNotifier* melder_ = nullptr;
    int lesen_ = -1;
    struct sigaction vorher_[3]{};
};

}  // namespace qzl
