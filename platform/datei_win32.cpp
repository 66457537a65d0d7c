// Reading and replacing files on Windows. Paths arrive as UTF-8 and go to
// the wide calls, so any name the user can type works, not only the ANSI
// code page's.
#include "platform/datei.h"
#include "platform/breit.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace qzl {

namespace {

// The system's codes for the failures the program has texts for, through
// the errno they mean; any other shows its own number.
IoFehler ioFehlerAusWin32(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_BAD_NETPATH:
            return ioFehlerAusErrno(ENOENT);
        case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: case ERROR_NETWORK_ACCESS_DENIED:
            return ioFehlerAusErrno(EACCES);
        case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL:
            return ioFehlerAusErrno(ENOSPC);
        case ERROR_TOO_MANY_OPEN_FILES:
            return ioFehlerAusErrno(EMFILE);
        case ERROR_FILE_EXISTS: case ERROR_ALREADY_EXISTS:
            return ioFehlerAusErrno(EEXIST);
        case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME: case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY: case ERROR_INVALID_PARAMETER:
            return ioFehlerAusErrno(EINVAL);
        default:
            return IoFehler{static_cast<int>(code), "E/A-Fehler " + std::to_string(code)};
    }
}

IoFehler letzterFehler() { return ioFehlerAusWin32(::GetLastError()); }

bool istOrdner(const std::wstring& pfad) {
    const DWORD a = ::GetFileAttributesW(pfad.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

class Griff {
public:
    explicit Griff(HANDLE h) : h_(h) {}
    ~Griff() { schliessen(); }
    Griff(const Griff&) = delete;
    Griff& operator=(const Griff&) = delete;
    bool gueltig() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool schliessen() {
        const bool ok = !gueltig() || ::CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

std::optional<IoFehler> allesSchreiben(HANDLE h, std::string_view daten) {
    std::size_t geschrieben = 0;
    while (geschrieben < daten.size()) {
        const DWORD stueck = static_cast<DWORD>(std::min<std::size_t>(daten.size() - geschrieben, 1u << 20));
        DWORD n = 0;
        if (!::WriteFile(h, daten.data() + geschrieben, stueck, &n, nullptr)) return letzterFehler();
        if (n == 0) return ioFehlerAusErrno(ENOSPC);
        geschrieben += n;
    }
    return std::nullopt;
}

HANDLE zumSchreiben(const std::wstring& pfad) {
    return ::CreateFileW(pfad.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes into an opened file, emptied first (a device such as NUL has no
// length to cut); closes it.
std::optional<IoFehler> anOrtSchreiben(Griff& h, std::string_view daten) {
    std::optional<IoFehler> fehler;
    if (::GetFileType(h.get()) == FILE_TYPE_DISK && !::SetEndOfFile(h.get())) fehler = letzterFehler();
    if (!fehler) fehler = allesSchreiben(h.get(), daten);
    if (!h.schliessen() && !fehler) fehler = letzterFehler();
    return fehler;
}

bool fehlt(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

std::wstring ordnerVon(const std::wstring& pfad) {
    const auto pos = pfad.find_last_of(L"/\\:");
    if (pos == std::wstring::npos) return L".";
    if (pfad[pos] == L':') return pfad.substr(0, pos + 1) + L".";
    return pos == 0 ? pfad.substr(0, 1) : pfad.substr(0, pos);
}

}  // namespace

std::optional<std::string> dateiLesen(const std::string& pfad, std::optional<IoFehler>* fehler,
                                      std::size_t grenze) {
    const std::wstring w = breit(pfad);
    // A folder cannot be opened as a file here, where on Linux it opens and
    // fails to read; the user sees the same report on both.
    if (istOrdner(w)) {
        if (fehler) *fehler = ioFehlerAusErrno(EISDIR);
        return std::nullopt;
    }
    Griff h(::CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.gueltig()) {
        // Only a file that is not there is "missing"; one that refuses is
        // reported.
        if (const DWORD code = ::GetLastError(); !fehlt(code) && fehler) *fehler = ioFehlerAusWin32(code);
        return std::nullopt;
    }
    // A console or a pipe chosen by mistake would wait for input forever.
    if (::GetFileType(h.get()) != FILE_TYPE_DISK) return std::string();
    std::string daten;
    char puffer[8192];
    while (daten.size() < grenze) {
        DWORD n = 0;
        const DWORD wunsch = static_cast<DWORD>(std::min(sizeof puffer, grenze - daten.size()));
        if (!::ReadFile(h.get(), puffer, wunsch, &n, nullptr)) {
            if (fehler) *fehler = letzterFehler();
            return std::nullopt;
        }
        if (n == 0) break;
        daten.append(puffer, n);
    }
    return daten;
}

std::optional<IoFehler> dateiSchreiben(const std::string& pfad, std::string_view daten) {
    const std::wstring ziel = breit(pfad);
    if (istOrdner(ziel)) return ioFehlerAusErrno(EISDIR);
    // Opening the old file for writing is the system's own test of the
    // user's right to change it (read-only, permissions, another program
    // holding it): the replace alone would get past some of these.
    Griff alt(zumSchreiben(ziel));
    if (!alt.gueltig() && !fehlt(::GetLastError())) return letzterFehler();
    if (alt.gueltig() && ::GetFileType(alt.get()) != FILE_TYPE_DISK) return anOrtSchreiben(alt, daten);
    const bool altDa = alt.gueltig();

    const std::wstring ordner = ordnerVon(ziel);
    static std::atomic<unsigned> zaehler{0};
    std::wstring neu;
    HANDLE roh = INVALID_HANDLE_VALUE;
    while (roh == INVALID_HANDLE_VALUE) {
        neu = ordner + L"\\.qzl7-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
              std::to_wstring(zaehler++) + L".tmp";
        roh = ::CreateFileW(neu.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (roh != INVALID_HANDLE_VALUE || ::GetLastError() == ERROR_FILE_EXISTS) continue;
        // A folder that takes no new file: a file the user may write is
        // written in place.
        if (altDa && ::GetLastError() == ERROR_ACCESS_DENIED) return anOrtSchreiben(alt, daten);
        return letzterFehler();
    }
    // The replace needs the old file to itself.
    alt.schliessen();
    Griff h(roh);
    auto fehler = allesSchreiben(h.get(), daten);
    if (!fehler && !::FlushFileBuffers(h.get())) fehler = letzterFehler();
    if (!h.schliessen() && !fehler) fehler = letzterFehler();
    if (!fehler) {
        // ReplaceFileW keeps the old file's attributes and security; it
        // needs the old file to be there, MoveFileExW serves a new one. A
        // file an editor holds open may refuse for a moment.
        bool ersetzt = false;
        for (int versuch = 0; versuch < 5 && !ersetzt; ++versuch) {
            ersetzt = ::ReplaceFileW(ziel.c_str(), neu.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                     nullptr) ||
                      ::MoveFileExW(neu.c_str(), ziel.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            if (!ersetzt && ::GetLastError() != ERROR_SHARING_VIOLATION) break;
            if (!ersetzt) ::Sleep(50);
        }
        if (!ersetzt) {
            const DWORD code = ::GetLastError();
            ::DeleteFileW(neu.c_str());
            // The folder refuses a new name for the file: in place then.
            Griff wieder(altDa && code == ERROR_ACCESS_DENIED ? zumSchreiben(ziel) : INVALID_HANDLE_VALUE);
            if (wieder.gueltig()) return anOrtSchreiben(wieder, daten);
            return ioFehlerAusWin32(code);
        }
    }
    if (fehler) ::DeleteFileW(neu.c_str());
    return fehler;
}

}  // namespace qzl

namespace qzl {

std::optional<IoFehler> dateiNeuSchreiben(const std::string& pfad, std::string_view daten) {
    const std::wstring ziel = breit(pfad);
    static std::atomic<unsigned> zaehler{0};
    std::wstring neu;
    HANDLE roh = INVALID_HANDLE_VALUE;
    while (roh == INVALID_HANDLE_VALUE) {
        neu = ordnerVon(ziel) + L"\\.qzl7-" + std::to_wstring(::GetCurrentProcessId()) + L"-n" +
              std::to_wstring(zaehler++) + L".tmp";
        roh = ::CreateFileW(neu.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (roh == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return letzterFehler();
    }
    Griff h(roh);
    auto fehler = allesSchreiben(h.get(), daten);
    if (!fehler && !::FlushFileBuffers(h.get())) fehler = letzterFehler();
    if (!h.schliessen() && !fehler) fehler = letzterFehler();
    // Without MOVEFILE_REPLACE_EXISTING a name that is taken fails.
    if (!fehler && !::MoveFileExW(neu.c_str(), ziel.c_str(), MOVEFILE_WRITE_THROUGH)) fehler = letzterFehler();
    if (fehler) ::DeleteFileW(neu.c_str());
    return fehler;
}

std::optional<IoFehler> schreibbar(const std::string& pfad, bool) {
    const std::wstring w = breit(pfad);
    if (istOrdner(w)) return ioFehlerAusErrno(EISDIR);
    const DWORD a = ::GetFileAttributesW(ordnerVon(w).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return letzterFehler();
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return ioFehlerAusErrno(ENOTDIR);
    return std::nullopt;
}

std::optional<IoFehler> dateiAnhaengen(const std::string& pfad, std::string_view daten) {
    HANDLE roh = ::CreateFileW(breit(pfad).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (roh == INVALID_HANDLE_VALUE) return letzterFehler();
    Griff h(roh);
    auto fehler = allesSchreiben(h.get(), daten);
    if (!h.schliessen() && !fehler) fehler = letzterFehler();
    return fehler;
}

}  // namespace qzl
