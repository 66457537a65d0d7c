#include "platform/datei.h"

#include <cerrno>

namespace qzl {

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
        default: return IoFehler{e, "E/A-Fehler " + std::to_string(e), e};
    }
    return IoFehler{code, ioFehlerText(code), e};
}

std::optional<std::string> gewaehlteDateiLesen(const std::string& pfad, IoFehler& fehler, std::size_t grenze) {
    std::optional<IoFehler> gemeldet;
    auto daten = dateiLesen(pfad, &gemeldet, grenze);
    if (!daten) fehler = gemeldet.value_or(IoFehler{2, ioFehlerText(2), ENOENT});
    return daten;
}

}  // namespace qzl
