#include "core/textdatei.h"

#include <cerrno>

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
        case ENOSPC:
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
#endif
            code = 101; break;
        case ENOENT: code = 2; break;
        case EMFILE: case ENFILE: code = 4; break;
        case ENAMETOOLONG: case EINVAL: code = 3; break;
        // errno values overlap the codes above, so the text is made here.
        default: return IoFehler{e, "E/A-Fehler " + std::to_string(e)};
    }
    return IoFehler{code, ioFehlerText(code)};
}

std::optional<std::string> gewaehlteDateiLesen(const std::string& pfad, IoFehler& fehler, std::size_t grenze) {
    std::optional<IoFehler> gemeldet;
    auto daten = dateiLesen(pfad, &gemeldet, grenze);
    if (!daten) fehler = gemeldet.value_or(IoFehler{2, ioFehlerText(2)});
    return daten;
}

}  // namespace qzl
