// The serial devices of a Linux machine and the right to open them.
#include "serial/port_liste.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace qzl {

namespace fs = std::filesystem;

namespace {

// "ttyUSB10" sorts after "ttyUSB9".
bool numerischVor(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::vector<std::string> namenMitPraefix(const std::string& dev, const std::string& praefix) {
    std::vector<std::string> namen;
    std::error_code fehler;
    for (const auto& e : fs::directory_iterator(dev, fehler)) {
        const std::string name = e.path().filename().string();
        if (name.size() > praefix.size() && name.compare(0, praefix.size(), praefix) == 0 &&
            std::all_of(name.begin() + static_cast<long>(praefix.size()), name.end(),
                        [](char c) { return c >= '0' && c <= '9'; }))
            namen.push_back(name);
    }
    std::sort(namen.begin(), namen.end(), numerischVor);
    return namen;
}

// Linux creates ttyS0..ttyS31 whether a UART is there or not; the kernel
// tells the port type ("0": none). Without that record, a port with nothing
// behind it refuses to open with an I/O error.
bool uartDa(const std::string& dev, const std::string& sys, const std::string& name) {
    std::ifstream typ(sys + "/class/tty/" + name + "/type");
    std::string wert;
    if (typ >> wert) return wert != "0";
    const int fd = ::open((dev + "/" + name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno != EIO && errno != ENXIO && errno != ENODEV && errno != ENOENT;
}

}  // namespace

std::vector<SeriellerFund> serielleGeraeteSuchen(const std::string& dev, const std::string& sys) {
    std::vector<SeriellerFund> funde;
    std::error_code fehler;
    const fs::path byId = fs::path(dev) / "serial" / "by-id";
    for (const auto& e : fs::directory_iterator(byId, fehler)) {
        std::error_code f2;
        fs::path ziel = fs::canonical(e.path(), f2);
        if (f2) ziel = fs::read_symlink(e.path(), f2);
        funde.push_back({e.path().string(), ziel.string()});
    }
    std::sort(funde.begin(), funde.end(), [](const auto& a, const auto& b) { return a.pfad < b.pfad; });

    for (const char* praefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        for (const auto& name : namenMitPraefix(dev, praefix)) {
            if (std::string(praefix) == "ttyS" && !uartDa(dev, sys, name)) continue;
            funde.push_back({dev + "/" + name, {}});
        }
    }
    return funde;
}

Pruefung zugangPruefen(const std::string& pfad) {
    Pruefung p;
    struct stat info {};
    if (::stat(pfad.c_str(), &info) != 0) return p;
    if (!S_ISCHR(info.st_mode)) {
        p.zugang = Zugang::keinGeraet;
        return p;
    }
    if (::access(pfad.c_str(), R_OK | W_OK) == 0) {
        p.zugang = Zugang::frei;
        return p;
    }
    p.zugang = Zugang::keinRecht;
    if (const group* g = ::getgrgid(info.st_gid)) p.gruppe = g->gr_name;
    return p;
}

}  // namespace qzl
