#pragma once
// qzl7-cli run in-process against the simulator on a pseudo-terminal, its
// standard output and error caught in strings.
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/uhr.h"
#include "sim/simulator.h"
#include "temp_ordner.h"

namespace qzl::test {

class FangKonsole : public cli::Konsole {
public:
    std::string aus, fehler;
    std::atomic<std::atomic<bool>*> abbruch{nullptr};
    bool ausgabeAmTerminal = false, amTerminal = false;
    std::vector<std::string> fortschritte;
    bool ausgabeTerminal() const override { return ausgabeAmTerminal; }
    bool terminal() const override { return amTerminal; }
    void fortschritt(std::string_view text) override { fortschritte.emplace_back(text); }
    // A reader that goes away: after schreibbar writes the next one fails
    // and the signal is caught, as on a closed pipe; after wegNach writes
    // the signal comes without a write, as the pipe's watch sees it. -1: never.
    int schreibbar = -1, wegNach = -1;
    bool ausgeben(std::string_view d) override {
        if (schreibbar >= 0 && schreibbar-- == 0) {
            if (abbruch) *abbruch.load() = true;
            return false;
        }
        aus += d;
        if (wegNach > 0 && --wegNach == 0 && abbruch) *abbruch.load() = true;
        return true;
    }
    void melden(std::string_view z) override {
        fehler += z;
        fehler += '\n';
    }
    void abbruchVerbinden(std::atomic<bool>& f) override { abbruch = &f; }
};

// Output of a Python program given on its standard input; the exit status in ok.
inline std::string python(const std::string& programm, bool& ok) {
    const std::string befehl = std::string(QZL7_PYTHON) + " - 2>&1 <<'ENDE'\n" + programm + "\nENDE\n";
    std::FILE* p = ::popen(befehl.c_str(), "r");
    std::string aus;
    char puffer[4096];
    for (std::size_t k; (k = std::fread(puffer, 1, sizeof puffer, p)) > 0;) aus.append(puffer, k);
    ok = ::pclose(p) == 0;
    return aus;
}

struct CliLauf {
    explicit CliLauf(sim::SimOptionen opt = {}) : simulator(std::move(opt)) {
        if (!simulator.starten()) throw std::runtime_error("simulator");
    }
    // sweep against the simulator: --port and the arguments.
    int sweep(std::vector<std::string> argumente) {
        argumente.insert(argumente.begin(), {"sweep", "--port", simulator.pfad()});
        return ausfuehren(argumente);
    }
    int ausfuehren(const std::vector<std::string>& argumente) {
        konsole = std::make_unique<FangKonsole>();
        konsole->ausgabeAmTerminal = ausgabeTerminal;
        return cli::cliAusfuehren(argumente, *konsole, uhr);
    }
    sim::Simulator simulator;
    SystemUhr uhr;
    bool ausgabeTerminal = true;  // as a user at a shell sees it
    TempOrdner ordner;
    std::unique_ptr<FangKonsole> konsole = std::make_unique<FangKonsole>();
};

}  // namespace qzl::test
