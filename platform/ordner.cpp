// One file for every system: std::filesystem takes UTF-8 through u8string,
// which Windows' wide calls need.
#include "platform/ordner.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace qzl {

namespace fs = std::filesystem;

namespace {

fs::path pfadVon(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string utf8Von(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

// The system's code as errno, so that the texts are those of every other failure.
IoFehler fehlerVon(const std::error_code& code) {
    const std::error_condition c = code.default_error_condition();
    return ioFehlerAusErrno(c.category() == std::generic_category() ? c.value() : EIO);
}

}  // namespace

std::optional<IoFehler> ordnerAnlegen(const std::string& pfad) {
    std::error_code code;
    std::vector<fs::path> neu;
    for (fs::path p = pfadVon(pfad); !p.empty() && !fs::exists(p, code); p = p.parent_path()) {
        neu.push_back(p);
        if (p == p.parent_path()) break;
    }
    if (!fs::create_directories(pfadVon(pfad), code) && code) return fehlerVon(code);
    for (const auto& p : neu) fs::permissions(p, fs::perms::owner_all, fs::perm_options::replace, code);
    return std::nullopt;
}

std::optional<std::vector<std::string>> dateienIm(const std::string& ordner, IoFehler& fehler) {
    std::vector<std::string> namen;
    std::error_code code;
    fs::directory_iterator it(pfadVon(ordner), code);
    if (code == std::errc::no_such_file_or_directory) return namen;
    for (; !code && it != fs::directory_iterator(); it.increment(code))
        if (it->is_regular_file(code)) namen.push_back(utf8Von(it->path().filename()));
    if (code) {
        fehler = fehlerVon(code);
        return std::nullopt;
    }
    return namen;
}

std::optional<IoFehler> dateiLoeschen(const std::string& pfad) {
    std::error_code code;
    if (!fs::remove(pfadVon(pfad), code)) return fehlerVon(code ? code : std::make_error_code(std::errc::no_such_file_or_directory));
    return std::nullopt;
}

}  // namespace qzl
