// The program as a shell sees it: signals, no display, no Qt.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "cli_lauf.h"

extern char** environ;

namespace qzl {
namespace {

bool warteBis(const std::function<bool()>& bedingung) {
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() > ende) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Cut short during the first sweep: no file. During the second of three
// repetitions: the first one's file stays.
TEST(CliProgramm, AbgebrochenerLaufHinterlaesstKeineDatei) {
    for (const std::uint64_t nach : {100u, 280u + 100u}) {
        sim::SimOptionen opt;
        opt.latenzMs = 1;
        test::CliLauf cli(opt);
        auto* konsole = cli.konsole.get();
        std::thread abbrechen([&] {
            if (warteBis([&] { return konsole->abbruch && cli.simulator.austauschAnzahl() >= nach; }))
                *konsole->abbruch.load() = true;
        });
        const int ende = cli::cliAusfuehren({"sweep", "--port", cli.simulator.pfad(), "--repeat", "3", "-o",
                                             cli.ordner.datei("a.csv")},
                                            *konsole, cli.uhr);
        abbrechen.join();
        EXPECT_EQ(ende, 130);
        EXPECT_NE(konsole->fehler.find("interrupted"), std::string::npos) << konsole->fehler;
        EXPECT_EQ(cli.ordner.anzahl(), nach < 280 ? 0u : 1u) << nach;
    }
}

pid_t starten(const std::vector<std::string>& argumente, const std::vector<std::string>& umgebung = {}) {
    std::vector<char*> argv;
    for (const auto& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0 && std::strncmp(*e, "WAYLAND_DISPLAY=", 16) != 0 &&
            std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*e);
    env.insert(env.end(), umgebung.begin(), umgebung.end());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
    return pid;
}

int status(pid_t pid) {
    int s = 0;
    ::waitpid(pid, &s, 0);
    return WIFEXITED(s) ? WEXITSTATUS(s) : 1000 + WTERMSIG(s);
}

// SIGTERM ends the real program after the point in progress, with no file,
// and the line settings the device had are back.
TEST(CliProgramm, SignalBeendetUndStelltDieLeitungWiederHer) {
    sim::SimOptionen opt;
    opt.latenzMs = 1;
    test::CliLauf cli(opt);
    const int fd = ::open(cli.simulator.pfad().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios vorher{};
    ASSERT_EQ(::tcgetattr(fd, &vorher), 0);
    for (int signal : {SIGTERM, SIGINT}) {
        const auto start = cli.simulator.austauschAnzahl();
        const pid_t pid = starten({QZL7_CLI, "sweep", "--port", cli.simulator.pfad(), "--passes", "50", "-o",
                                   cli.ordner.datei("a.csv")});
        ASSERT_TRUE(warteBis([&] { return cli.simulator.austauschAnzahl() > start + 50; }));
        ::kill(pid, signal);
        EXPECT_EQ(status(pid), 128 + signal);
        EXPECT_EQ(cli.ordner.anzahl(), 0u);
        termios nachher{};
        ASSERT_EQ(::tcgetattr(fd, &nachher), 0);
        EXPECT_EQ(nachher.c_lflag, vorher.c_lflag);
        EXPECT_EQ(nachher.c_iflag, vorher.c_iflag);
        EXPECT_EQ(cfgetospeed(&nachher), cfgetospeed(&vorher));
    }
    ::close(fd);
}

// Over ssh or in cron: no display and no Qt platform, and no Qt linked at all.
TEST(CliProgramm, OhneDisplayUndOhneQt) {
    test::TempOrdner ordner;
    const pid_t pid = starten({QZL7_CLI, "sweep", "--demo", "--points", "3", "-o", ordner.datei("a.csv")},
                              {"QT_QPA_PLATFORM=bogus"});
    EXPECT_EQ(status(pid), 0);
    EXPECT_EQ(ordner.lesen("a.csv"), "frequency_hz,reading,level_db\n10000000,205,-39\n10010000,218,-36.4\n"
                                     "10020000,230,-34\n");
    std::ifstream binaer(QZL7_CLI, std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(binaer)), {});
    EXPECT_GT(inhalt.size(), 10000u);
    EXPECT_EQ(inhalt.find("libQt"), std::string::npos);
}

}  // namespace
}  // namespace qzl
