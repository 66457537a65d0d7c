// The command socket's Unix socket and peers on POSIX systems.
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "server/lokaler_socket.h"

namespace qzl {

namespace {

std::string grund(const std::string& pfad, const char* was) {
    return "qzl7: cannot listen on " + pfad + ": " + was + (errno ? std::string(": ") + std::strerror(errno) : "");
}

std::string oktal(mode_t modus) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(modus & 07777));
    return text;
}

// Whoever may change the folder may swap the socket for one of their own
// that listens in its place, and have the window remove their file at the
// end: only a folder of this user's (or root's) that no one else may write
// to, unless the sticky bit keeps others' hands off this user's files.
std::string ordnerEinwand(const std::string& pfad) {
    const auto trenner = pfad.rfind('/');
    const std::string ordner = trenner == std::string::npos ? "." : trenner == 0 ? "/" : pfad.substr(0, trenner);
    struct stat info {};
    if (::stat(ordner.c_str(), &info) != 0) return grund(pfad, ("the folder " + ordner).c_str());
    if (info.st_uid != ::getuid() && info.st_uid != 0)
        return "qzl7: cannot listen on " + pfad + ": the folder " + ordner +
               " belongs to another user, who could put a socket of their own in its place; use a folder of your own";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !(info.st_mode & S_ISVTX))
        return "qzl7: cannot listen on " + pfad + ": other users may write to the folder " + ordner + " (mode " +
               oktal(info.st_mode) + ") and could put a socket of their own in its place; use a folder only you can "
               "write to";
    return {};
}

}  // namespace

bool gegenseiteGeschlossen(qintptr deskriptor) {
    if (deskriptor < 0) return true;
#ifdef POLLRDHUP
    pollfd p{static_cast<int>(deskriptor), POLLRDHUP, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL));
#else
    // Without POLLRDHUP only a close with nothing left to read is seen.
    char c;
    return ::recv(static_cast<int>(deskriptor), &c, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
#endif
}

int lokalenSocketAnlegen(const std::string& pfad, std::string& fehler, SocketKennung& kennung) {
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    errno = 0;
    if (pfad.size() >= sizeof adresse.sun_path) {
        fehler = grund(pfad, "the path is too long for a socket");
        return -1;
    }
    std::memcpy(adresse.sun_path, pfad.c_str(), pfad.size() + 1);
    errno = 0;
    if (fehler = ordnerEinwand(pfad); !fehler.empty()) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        fehler = grund(pfad, "no socket");
        return -1;
    }
    const auto* a = reinterpret_cast<const sockaddr*>(&adresse);
    // A socket an earlier run left behind, on which nobody answers, is taken
    // over; one in use, or any other file, is not touched.
    struct stat info {};
    if (::lstat(pfad.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            errno = 0;
            fehler = grund(pfad, "a file of that name exists");
            ::close(fd);
            return -1;
        }
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool belegt = probe >= 0 && ::connect(probe, a, sizeof adresse) == 0;
        if (probe >= 0) ::close(probe);
        if (belegt) {
            errno = 0;
            fehler = grund(pfad, "another program listens there");
            ::close(fd);
            return -1;
        }
        ::unlink(pfad.c_str());
    }
    // Only this user may connect: the socket is made without other rights.
    // It is bound under a passing name and renamed once it listens, so that a
    // script that waits for the file never finds it refusing connections.
    const std::string vorlaeufig = pfad + "." + std::to_string(::getpid());
    const bool umbenennen = vorlaeufig.size() < sizeof adresse.sun_path;
    if (umbenennen) std::memcpy(adresse.sun_path, vorlaeufig.c_str(), vorlaeufig.size() + 1);
    const mode_t vorher = ::umask(0177);
    const int gebunden = ::bind(fd, a, sizeof adresse);
    ::umask(vorher);
    if (gebunden != 0 || ::listen(fd, SOMAXCONN) != 0 ||
        (umbenennen && ::rename(vorlaeufig.c_str(), pfad.c_str()) != 0)) {
        fehler = grund(pfad, "bind");
        if (umbenennen) ::unlink(vorlaeufig.c_str());
        ::close(fd);
        return -1;
    }
    if (::lstat(pfad.c_str(), &info) == 0) kennung = {info.st_dev, info.st_ino};
    return fd;
}

void lokalenSocketEntfernen(const std::string& pfad, const SocketKennung& kennung) {
    struct stat info {};
    if (::lstat(pfad.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_dev == kennung.geraet &&
        info.st_ino == kennung.knoten)
        ::unlink(pfad.c_str());
}

}  // namespace qzl
