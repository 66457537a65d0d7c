// Sweep rate of qzl7-cli beside the window's, each on a simulator of its own
// with the same model (the window keeps its port): the window (with
// continuous refresh, as the menu starts it) sweeps from Start to Stop for a
// while; the command-line program, the real binary from its start to its
// end, sweeps about as many points. Rounds alternate so that a busy machine
// slows both alike; medians, best rounds and the ratio are printed. BAUD
// paces the simulators as a real line at that speed would.
//   bench_cli [ROUNDS [SECONDS [BAUD]]]
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/anwendung.h"
#include "app/ausloesen.h"
#include "sim/simulator.h"

extern char** environ;

namespace {

using Uhrzeit = std::chrono::steady_clock;

double sekunden(Uhrzeit::time_point a, Uhrzeit::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double fensterRate(qzl::Anwendung& anwendung, qzl::sim::Simulator& sim, double dauer) {
    const auto vorher = sim.austauschAnzahl();
    const auto start = Uhrzeit::now();
    qzl::ausloesen(anwendung.programm(), qzl::Element::Button5);
    // A loop of its own: quitting the application would end the program.
    QEventLoop schleife;
    QTimer::singleShot(static_cast<int>(dauer * 1000), [&] {
        qzl::ausloesen(anwendung.programm(), qzl::Element::Button6);  // returns once the pass is complete
        schleife.quit();
    });
    schleife.exec();
    return static_cast<double>(sim.austauschAnzahl() - vorher) / sekunden(start, Uhrzeit::now());
}

double cliRate(qzl::sim::Simulator& sim, int durchgaenge) {
    const std::string d = std::to_string(durchgaenge);
    const std::vector<std::string> argumente{QZL7_CLI, "sweep", "--port", sim.pfad(), "--passes", d, "--quiet",
                                             "--output", "/dev/null", "--format", "csv"};
    std::vector<char*> argv;
    for (const auto& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto vorher = sim.austauschAnzahl();
    const auto start = Uhrzeit::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0.0;
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double s = sekunden(start, Uhrzeit::now());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0.0;
    return static_cast<double>(sim.austauschAnzahl() - vorher) / s;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runden = argc > 1 ? std::atoi(argv[1]) : 5;
    const double dauer = argc > 2 ? std::atof(argv[2]) : 2.0;
    const int baud = argc > 3 ? std::atoi(argv[3]) : 0;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The window reads and creates qzl7.cfg in its working folder.
    const auto ordner = std::filesystem::temp_directory_path() / ("qzl7-bench-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    std::filesystem::current_path(ordner);

    qzl::sim::SimOptionen opt;
    opt.aufzeichnen = false;
    opt.baud = baud;
    // One simulator each, alike: the window keeps its port open for itself.
    qzl::sim::Simulator sim(opt), simCli(opt);
    if (!sim.starten() || !simCli.starten()) return 1;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    qzl::SystemUhr uhr;
    qzl::Anwendung anwendung({"-c", "--com2=" + sim.pfad()}, uhr);
    anwendung.starten();

    std::vector<double> fenster, cli;
    for (int r = 0; r < runden; ++r) {
        fenster.push_back(fensterRate(anwendung, sim, dauer));
        // About as many points as the window measured in its time.
        cli.push_back(cliRate(simCli, std::max(1, static_cast<int>(fenster.back() * dauer / 280))));
        std::printf("round %d: window %.0f points/s, qzl7-cli %.0f points/s\n", r + 1, fenster.back(), cli.back());
    }
    std::printf("median: window %.0f points/s, qzl7-cli %.0f points/s, ratio %.2f\n", median(fenster), median(cli),
                median(cli) / median(fenster));
    std::printf("best:   window %.0f points/s, qzl7-cli %.0f points/s\n", *std::max_element(fenster.begin(), fenster.end()),
                *std::max_element(cli.begin(), cli.end()));
    std::error_code ec;
    std::filesystem::remove_all(ordner, ec);
    return 0;
}
