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
#include <filesystem>
#include <regex>
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

// Cut short while waiting for the next sweep: the sweeps done stay, and
// that is what it says.
TEST(CliProgramm, AbbruchZwischenDenSweeps) {
    test::CliLauf cli;
    auto* konsole = cli.konsole.get();
    std::thread abbrechen([&] {
        if (warteBis([&] { return konsole->abbruch && cli.ordner.anzahl() == 1; })) *konsole->abbruch.load() = true;
    });
    const int ende = cli::cliAusfuehren({"sweep", "--port", cli.simulator.pfad(), "--points", "3", "--repeat", "2",
                                         "--interval", "60", "-o", cli.ordner.datei("a.csv")},
                                        *konsole, cli.uhr);
    abbrechen.join();
    EXPECT_EQ(ende, 130);
    EXPECT_NE(konsole->fehler.find("interrupted while waiting for the next sweep; 1 written"), std::string::npos)
        << konsole->fehler;
}

// A reader that goes away gets one message: the write that failed, or the
// interruption; and none when every sweep had been written.
TEST(CliProgramm, LeserWegEineMeldung) {
    const struct {
        int schreibbar, wegNach;
        const char* wiederholungen;
        int ende;
        const char* meldung;
    } faelle[] = {
        {1, -1, "3", 130, "qzl7-cli: cannot write to standard output\n"},
        {0, -1, "1", 130, "qzl7-cli: cannot write to standard output\n"},
        {-1, 1, "1", 0, ""},
        {-1, 1, "3", 130, "qzl7-cli: interrupted while waiting for the next sweep; 1 written\n"},
    };
    for (const auto& f : faelle) {
        test::CliLauf cli;
        auto* konsole = cli.konsole.get();
        konsole->schreibbar = f.schreibbar;
        konsole->wegNach = f.wegNach;
        const int ende = cli::cliAusfuehren(
            {"sweep", "--port", cli.simulator.pfad(), "--points", "3", "--repeat", f.wiederholungen}, *konsole, cli.uhr);
        EXPECT_EQ(ende, f.ende) << f.schreibbar << f.wegNach;
        EXPECT_EQ(konsole->fehler, f.meldung) << f.schreibbar << f.wegNach;
    }
}

// What a user at a shell expects: QZL7_PORT unless --port says otherwise,
// --report alone is only the report, /dev/null and a name without an
// extension take csv, and no option that cannot apply.
TEST(CliProgramm, WasDieShellErwartet) {
    test::CliLauf cli;
    const std::string ohne = cli.ordner.datei("ohne");
    const std::tuple<std::vector<std::string>, const char*, int, std::string> faelle[] = {
        {{"sweep", "--points", "2"}, "", 0, "\n10010000,235,-33\n"},
        {{"sweep", "--port", cli.simulator.pfad(), "--points", "2"}, "/dev/qzl7-fehlt", 0, "\n10010000,235,"},
        {{"sweep", "--points", "2", "--report"}, "", 0, "maximum_hz: 10000000\n"},
        {{"sweep", "--points", "2", "-o", "/dev/null", "-q", "--above", "10M:11M:-40"}, "", 0, "PASS\n"},
        {{"sweep", "--points", "2", "-o", ohne}, "", 0, ""},
        {{"sweep", "--interval", "5"}, "", 1, "--interval: only with --repeat"},
        {{"sweep", "--detector", "lin", "--above", "10M:11M:-3"}, "", 1, "a ratio of the linear detector"},
    };
    for (const auto& [argumente, umgebung, ende, meldung] : faelle) {
        ::setenv("QZL7_PORT", *umgebung ? umgebung : cli.simulator.pfad().c_str(), 1);
        EXPECT_EQ(cli.ausfuehren(argumente), ende) << meldung << cli.konsole->fehler;
        EXPECT_NE((cli.konsole->aus + cli.konsole->fehler).find(meldung), std::string::npos) << cli.konsole->aus;
        if (argumente.back() == "--report") {
            EXPECT_EQ(cli.konsole->aus.find("frequency_hz"), std::string::npos);
        }
    }
    ::unsetenv("QZL7_PORT");
    EXPECT_EQ(cli.ordner.lesen("ohne").substr(0, 14), "frequency_hz,r");
    // The progress line counts the repetitions and down to the next.
    cli.konsole = std::make_unique<test::FangKonsole>();
    cli.konsole->amTerminal = true;
    EXPECT_EQ(cli::cliAusfuehren({"sweep", "--port", cli.simulator.pfad(), "--repeat", "2", "--interval", "1", "-o",
                                  cli.ordner.datei("a.csv")}, *cli.konsole, cli.uhr), 0);
    const auto& f = cli.konsole->fortschritte;
    EXPECT_NE(std::find(f.begin(), f.end(), "sweep 2/2 starts in 0:01"), f.end());
    EXPECT_TRUE(std::any_of(f.begin(), f.end(), [](const std::string& t) { return t.rfind("sweep 1/2  ", 0) == 0; }));
}

// Names of an earlier run, even from the same second, are never replaced:
// a repetition takes the next free number.
TEST(CliProgramm, WiederholungErsetztKeineDatei) {
    test::CliLauf cli;
    const std::time_t jetzt = std::time(nullptr);
    std::vector<std::string> alt;
    for (std::time_t t = jetzt; t < jetzt + 3; ++t) {
        char name[32];
        std::strftime(name, sizeof name, "a-%Y%m%d-%H%M%S.csv", std::localtime(&t));
        cli.ordner.schreiben(alt.emplace_back(name), "alt");
    }
    // the plain name too: repetitions never write it
    cli.ordner.schreiben(alt.emplace_back("a.csv"), "alt");
    for (int lauf = 0; lauf < 2; ++lauf)
        EXPECT_EQ(cli.sweep({"--points", "3", "--repeat", "2", "--interval", "0", "-o", cli.ordner.datei("a.csv")}), 0);
    EXPECT_EQ(cli.ordner.anzahl(), 8u);
    for (const auto& name : alt) EXPECT_EQ(cli.ordner.lesen(name), "alt") << name;
    // Where nothing clashes, the name has no number.
    std::filesystem::create_directory(cli.ordner.datei("neu"));
    ASSERT_EQ(cli.sweep({"--points", "3", "--repeat", "2", "--interval", "0", "-o", cli.ordner.datei("neu/b.csv")}), 0);
    std::size_t ohneNummer = 0;
    for (const auto& e : std::filesystem::directory_iterator(cli.ordner.datei("neu")))
        ohneNummer += std::regex_match(e.path().filename().string(), std::regex(R"(b-\d{8}-\d{6}\.csv)"));
    EXPECT_GE(ohneNummer, 1u);
}

pid_t starten(const std::vector<std::string>& argumente, const std::vector<std::string>& umgebung = {},
             int ausgabe = -1) {
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
    posix_spawn_file_actions_t umleitung;
    posix_spawn_file_actions_init(&umleitung);
    if (ausgabe >= 0) posix_spawn_file_actions_adddup2(&umleitung, ausgabe, STDOUT_FILENO);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &umleitung, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&umleitung);
    return pid;
}

// The exit status, or -1 for a program still running after 20 s (then killed).
int status(pid_t pid) {
    int s = 0;
    if (!warteBis([&] { return ::waitpid(pid, &s, WNOHANG) == pid; })) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &s, 0);
        return -1;
    }
    return WIFEXITED(s) ? WEXITSTATUS(s) : 1000 + WTERMSIG(s);
}

// The line settings the program changes: raw mode, CLOCAL, the read timing, the speed.
void gleicheLeitung(const termios& vorher, const termios& nachher) {
    EXPECT_EQ(nachher.c_iflag, vorher.c_iflag);
    EXPECT_EQ(nachher.c_oflag, vorher.c_oflag);
    EXPECT_EQ(nachher.c_cflag, vorher.c_cflag);
    EXPECT_EQ(nachher.c_lflag, vorher.c_lflag);
    EXPECT_EQ(nachher.c_cc[VMIN], vorher.c_cc[VMIN]);
    EXPECT_EQ(nachher.c_cc[VTIME], vorher.c_cc[VTIME]);
    EXPECT_EQ(cfgetospeed(&nachher), cfgetospeed(&vorher));
}

// Every signal that ends the real program does so after the point in
// progress, with no file, and the line settings the device had are back.
TEST(CliProgramm, SignalBeendetUndStelltDieLeitungWiederHer) {
    sim::SimOptionen opt;
    opt.latenzMs = 40;
    test::CliLauf cli(opt);
    const int fd = ::open(cli.simulator.pfad().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios vorher{};
    ASSERT_EQ(::tcgetattr(fd, &vorher), 0);
    for (int signal : {SIGHUP, SIGQUIT, SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        const auto start = cli.simulator.austauschAnzahl();
        const pid_t pid = starten({QZL7_CLI, "sweep", "--port", cli.simulator.pfad(), "-o", cli.ordner.datei("a.csv")});
        ASSERT_TRUE(warteBis([&] { return cli.simulator.austauschAnzahl() > start + 5; }));
        ::kill(pid, signal);
        EXPECT_EQ(status(pid), 128 + signal);
        EXPECT_EQ(cli.ordner.anzahl(), 0u);
        termios nachher{};
        ASSERT_EQ(::tcgetattr(fd, &nachher), 0);
        gleicheLeitung(vorher, nachher);
    }
    ::close(fd);
}

// A reader that goes away between two sweeps an hour apart ends the run at
// once, as SIGPIPE (141), with the line restored.
TEST(CliProgramm, GeschlossenePipeBeendetDenLaufSofort) {
    test::CliLauf cli;
    const int fd = ::open(cli.simulator.pfad().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios vorher{};
    ASSERT_EQ(::tcgetattr(fd, &vorher), 0);
    int rohr[2];
    ASSERT_EQ(::pipe2(rohr, O_CLOEXEC), 0);
    const pid_t pid = starten({QZL7_CLI, "sweep", "--port", cli.simulator.pfad(), "--points", "3", "--repeat", "5",
                               "--interval", "3600"},
                              {}, rohr[1]);
    ::close(rohr[1]);
    char erstes = 0;
    EXPECT_EQ(::read(rohr[0], &erstes, 1), 1);
    ::close(rohr[0]);
    EXPECT_EQ(status(pid), 128 + SIGPIPE);
    termios nachher{};
    ASSERT_EQ(::tcgetattr(fd, &nachher), 0);
    gleicheLeitung(vorher, nachher);
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
