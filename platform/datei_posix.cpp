// Reading and replacing files on POSIX systems.
#include "platform/datei.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace qzl {

std::optional<std::string> dateiLesen(const std::string& pfad, std::optional<IoFehler>* fehler,
                                      std::size_t grenze) {
    // Not blocking: a pipe or a terminal chosen by mistake would otherwise
    // hang the window; what it holds ends where nothing more is waiting.
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        // Only a file that is not there is "missing"; one that is there but
        // refuses is the user's and must not be taken for missing.
        if (errno != ENOENT && fehler) *fehler = ioFehlerAusErrno(errno);
        return std::nullopt;
    }
    std::string daten;
    char puffer[8192];
    while (daten.size() < grenze) {
        const ssize_t n = ::read(fd, puffer, std::min(sizeof puffer, grenze - daten.size()));
        if (n > 0) {
            daten.append(puffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno == EAGAIN) {
            break;
        } else if (errno != EINTR) {
            if (fehler) *fehler = ioFehlerAusErrno(errno);
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return daten;
}

namespace {

std::optional<IoFehler> allesSchreiben(int fd, std::string_view daten) {
    std::size_t geschrieben = 0;
    while (geschrieben < daten.size()) {
        const ssize_t n = ::write(fd, daten.data() + geschrieben, daten.size() - geschrieben);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ioFehlerAusErrno(errno);
        }
        geschrieben += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

// Writes into an opened file, emptied first as the old in-place write did
// (devices and pipes have no length to cut); closes the file.
std::optional<IoFehler> anOrtSchreiben(int fd, std::string_view daten) {
    struct stat st {};
    std::optional<IoFehler> fehler;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) fehler = ioFehlerAusErrno(errno);
    if (!fehler) fehler = allesSchreiben(fd, daten);
    if (::close(fd) != 0 && !fehler) fehler = ioFehlerAusErrno(errno);
    return fehler;
}

bool ordnerVerweigert(int e) { return e == EACCES || e == EPERM; }

std::string ordnerVon(const std::string& pfad) {
    const auto pos = pfad.rfind('/');
    if (pos == std::string::npos) return ".";
    return pos == 0 ? "/" : pfad.substr(0, pos);
}

// A new file in the folder for the bytes before they get their name; -1
// with errno when the folder takes none.
int hilfsdatei(const std::string& ordner, std::string& neu) {
    static std::atomic<unsigned> zaehler{0};
    for (;;) {
        neu = ordner + "/.qzl7-" + std::to_string(::getpid()) + "-" + std::to_string(zaehler++) + ".tmp";
        const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

// The bytes, on the disk, and the file closed.
std::optional<IoFehler> aufDiskSchreiben(int fd, std::string_view daten) {
    auto fehler = allesSchreiben(fd, daten);
    if (!fehler && ::fsync(fd) != 0) fehler = ioFehlerAusErrno(errno);
    // A full disk may only show at close on some file systems.
    if (::close(fd) != 0 && !fehler) fehler = ioFehlerAusErrno(errno);
    return fehler;
}

// A new name reaches the disk with its folder.
void ordnerSichern(const std::string& ordner) {
    const int fd = ::open(ordner.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::optional<IoFehler> dateiSchreiben(const std::string& pfad, std::string_view daten) {
    std::string ziel = pfad;
    struct stat alt {};
    const bool altDa = ::stat(pfad.c_str(), &alt) == 0;
    // Opening the old file for writing is the system's own test of the
    // user's right to change it (permission bits, ACLs, a read-only mount):
    // the folder alone would let the rename replace a protected file. A pipe
    // nobody reads fails at once instead of hanging the window.
    int altFd = -1;
    if (altDa) {
        altFd = ::open(pfad.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        if (altFd < 0) return ioFehlerAusErrno(errno);
        if (!S_ISREG(alt.st_mode)) return anOrtSchreiben(altFd, daten);
        // Through a symbolic link the file it names is replaced, not the link.
        if (char* echt = ::realpath(pfad.c_str(), nullptr)) {
            ziel = echt;
            std::free(echt);
        }
    }
    const auto altSchliessen = [&] {
        if (altFd >= 0) ::close(altFd);
    };

    const std::string ordner = ordnerVon(ziel);
    std::string neu;
    const int fd = hilfsdatei(ordner, neu);
    if (fd < 0) {
        // A folder that takes no new file: a file the user may write is
        // written in place, as it was before the safe save.
        if (altFd >= 0 && ordnerVerweigert(errno)) return anOrtSchreiben(altFd, daten);
        const IoFehler fehler = ioFehlerAusErrno(errno);
        altSchliessen();
        return fehler;
    }
    if (altDa) (void)::fchmod(fd, alt.st_mode & 07777);

    auto fehler = aufDiskSchreiben(fd, daten);
    if (!fehler && ::rename(neu.c_str(), ziel.c_str()) != 0) {
        const int e = errno;
        ::unlink(neu.c_str());
        // A sticky folder (/tmp) lets only the owner replace the file.
        if (altFd >= 0 && ordnerVerweigert(e)) return anOrtSchreiben(altFd, daten);
        fehler = ioFehlerAusErrno(e);
    }
    altSchliessen();
    if (fehler) {
        ::unlink(neu.c_str());
        return fehler;
    }
    ordnerSichern(ordner);
    return std::nullopt;
}

std::optional<IoFehler> dateiNeuSchreiben(const std::string& pfad, std::string_view daten) {
    const std::string ordner = ordnerVon(pfad);
    std::string neu;
    const int fd = hilfsdatei(ordner, neu);
    if (fd < 0) return ioFehlerAusErrno(errno);
    auto fehler = aufDiskSchreiben(fd, daten);
    // A link, unlike a rename, never replaces what has the name.
    int e = 0;
    if (!fehler && ::link(neu.c_str(), pfad.c_str()) != 0) e = errno;
    ::unlink(neu.c_str());
    if (e == EPERM || e == ENOTSUP || e == EOPNOTSUPP || e == ENOSYS) {
        // A file system without links (FAT): the name taken exclusively, the
        // bytes written into it, and the file removed again if that failed.
        const int ziel = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (ziel < 0) return ioFehlerAusErrno(errno);
        fehler = aufDiskSchreiben(ziel, daten);
        if (fehler) ::unlink(pfad.c_str());
    } else if (e != 0) {
        fehler = ioFehlerAusErrno(e);
    }
    if (!fehler) ordnerSichern(ordner);
    return fehler;
}

std::optional<IoFehler> schreibbar(const std::string& pfad, bool neueDatei) {
    struct stat info {};
    if (::stat(pfad.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return ioFehlerAusErrno(EISDIR);
        if (!S_ISREG(info.st_mode)) return std::nullopt;
        // dateiSchreiben writes a file it may write in place when its folder refuses.
        if (!neueDatei)
            return ::access(pfad.c_str(), W_OK) == 0 ? std::nullopt : std::optional(ioFehlerAusErrno(errno));
    } else if (errno != ENOENT) {
        return ioFehlerAusErrno(errno);
    }
    const std::string ordner = ordnerVon(pfad);
    if (::stat(ordner.c_str(), &info) != 0) return ioFehlerAusErrno(errno);
    if (!S_ISDIR(info.st_mode)) return ioFehlerAusErrno(ENOTDIR);
    if (::access(ordner.c_str(), W_OK | X_OK) != 0) return ioFehlerAusErrno(errno);
    return std::nullopt;
}

std::optional<IoFehler> dateiAnhaengen(const std::string& pfad, std::string_view daten) {
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return ioFehlerAusErrno(errno);
    auto fehler = allesSchreiben(fd, daten);
    if (::close(fd) != 0 && !fehler) fehler = ioFehlerAusErrno(errno);
    return fehler;
}

}  // namespace qzl
