// The command socket's Unix socket on POSIX systems.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace qzl {

namespace {

std::string grund(const std::string& pfad, const char* was) {
    return "qzl7: cannot listen on " + pfad + ": " + was + (errno ? std::string(": ") + std::strerror(errno) : "");
}

}  // namespace

int lokalenSocketAnlegen(const std::string& pfad, std::string& fehler) {
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    errno = 0;
    if (pfad.size() >= sizeof adresse.sun_path) {
        fehler = grund(pfad, "the path is too long for a socket");
        return -1;
    }
    std::memcpy(adresse.sun_path, pfad.c_str(), pfad.size() + 1);
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
    return fd;
}

void lokalenSocketEntfernen(const std::string& pfad) { ::unlink(pfad.c_str()); }

}  // namespace qzl
