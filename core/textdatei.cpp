#include "core/textdatei.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qzl {

TextLeser::TextLeser(std::string daten) : daten_(std::move(daten)) {
    const auto eof = daten_.find('\x1A');
    ende_ = eof == std::string::npos ? daten_.size() : eof;
}

std::string TextLeser::zeile() {
    std::string z;
    while (pos_ < ende_) {
        const char c = daten_[pos_++];
        if (c == '\r') {
            if (pos_ < ende_ && daten_[pos_] == '\n') ++pos_;
            return z;
        }
        // A lone LF ends a line too, so files edited on Linux read line by line.
        if (c == '\n') return z;
        z.push_back(c);
    }
    return z;
}

std::string textZeilen(const std::vector<std::string>& zeilen) {
    std::string out;
    for (const auto& z : zeilen) {
        out += z;
        out += "\r\n";
    }
    return out;
}


std::string ioFehlerText(int code) {
    switch (code) {
        case 2: return "Datei nicht gefunden";
        case 3: return "Ungültiger Dateiname";
        case 4: return "Zu viele geöffnete Dateien";
        case 5: return "Dateizugriff verweigert";
        case 100: return "Versuch hinter dem Dateiende zu lesen";
        case 101: return "Zu wenig Speicherplatz";
        case 106: return "Ungültige numerische Eingabe";
        default: return "E/A-Fehler " + std::to_string(code);
    }
}

IoFehler ioFehlerAusErrno(int e) {
    int code = 0;
    switch (e) {
        case EACCES: case EPERM: case EROFS: code = 5; break;
        case ENOSPC: case EDQUOT: code = 101; break;
        case ENOENT: code = 2; break;
        case EMFILE: case ENFILE: code = 4; break;
        case ENAMETOOLONG: case EINVAL: code = 3; break;
        // errno values overlap the codes above, so the text is made here.
        default: return IoFehler{e, "E/A-Fehler " + std::to_string(e)};
    }
    return IoFehler{code, ioFehlerText(code)};
}

std::optional<std::string> dateiLesen(const std::string& pfad, std::optional<IoFehler>* fehler) {
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string daten;
    char puffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n > 0) {
            daten.append(puffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
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

std::optional<IoFehler> dateiSchreiben(const std::string& pfad, std::string_view daten) {
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return ioFehlerAusErrno(errno);
    std::size_t geschrieben = 0;
    while (geschrieben < daten.size()) {
        const ssize_t n = ::write(fd, daten.data() + geschrieben, daten.size() - geschrieben);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            return ioFehlerAusErrno(e);
        }
        geschrieben += static_cast<std::size_t>(n);
    }
    // A full disk may only show at close on some file systems.
    if (::close(fd) != 0) return ioFehlerAusErrno(errno);
    return std::nullopt;
}

}  // namespace qzl
