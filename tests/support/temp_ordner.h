#pragma once
// A fresh folder for the files of one test, removed with everything in it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace qzl::test {

struct TempOrdner {
    TempOrdner() {
        // Made new, never taken over: a name that exists is passed by.
        std::random_device zufall;
        for (int versuch = 0; versuch < 100 && pfad.empty(); ++versuch) {
            const auto neu = std::filesystem::temp_directory_path() / ("qzl7-test-" + std::to_string(zufall()));
            if (std::filesystem::create_directory(neu)) pfad = neu.generic_string();
        }
        if (pfad.empty()) throw std::runtime_error("no temporary folder");
    }
    ~TempOrdner() {
        std::error_code ec;
        std::filesystem::permissions(pfad, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(pfad, ec);
    }
    TempOrdner(const TempOrdner&) = delete;
    std::string datei(const std::string& name) const { return pfad + "/" + name; }
    void schreiben(const std::string& name, const std::string& daten) const {
        std::ofstream(datei(name), std::ios::binary) << daten;
    }
    std::string lesen(const std::string& name) const {
        std::ifstream ein(datei(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(ein), {});
    }
    // Names in the folder, so a test can see that nothing was left behind.
    std::size_t anzahl() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(pfad), {}));
    }

    std::string pfad;
};

}  // namespace qzl::test
