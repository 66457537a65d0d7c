#include <gtest/gtest.h>

#include "state/frequenz_text.h"
#include "state/ganzzahl.h"
#include "state/hz_text.h"
#include "formats/textzeilen.h"
#include "platform/datei.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "temp_ordner.h"

namespace qzl {
namespace {

TEST(Ganzzahl, Regel) {
    struct Fall {
        const char* text;
        std::optional<std::int32_t> wert;
    };
    const Fall faelle[] = {
        {"0", 0},
        {"123", 123},
        {"+7", 7},
        {"-42", -42},
        {"   15", 15},
        {"\t9", 9},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$10", 16},
        {"x1F", 31},
        {"X1f", 31},
        {"0x1999999A", 0x1999999A},
        {"0XFF", 255},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$000000010", 16},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$G", std::nullopt},
        {"-$10", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"12a", std::nullopt},
        {"--1", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& f : faelle) EXPECT_EQ(ganzzahlLesen(f.text), f.wert) << '"' << f.text << '"';
}

TEST(HzText, Gruppen) {
    const std::pair<std::int32_t, const char*> faelle[] = {
        {0, "0 Hz"},
        {999, "999 Hz"},
        {1000, "1.000 Hz"},
        // six digits make seven characters with the first point: no second one
        {999999, "999.999 Hz"},
        {1000000, "1.000.000 Hz"},
        {10000000, "10.000.000 Hz"},
        {123456789, "123.456.789 Hz"},
        {1234567890, "1234.567.890 Hz"},
        {2147483647, "2147.483.647 Hz"},
        {-5, "-5 Hz"},
        {-1000, "-1.000 Hz"},
        {-123456, "-123.456 Hz"},
        {-1234567, "-1.234.567 Hz"},
        {-8000000, "-8.000.000 Hz"},
        {INT32_MIN, "-2147.483.648 Hz"},
    };
    for (const auto& [hz, text] : faelle) EXPECT_EQ(hzText(hz), text) << hz;
}

TEST(FrequenzText, AngenommeneUndAbgelehnteFormen) {
    const std::optional<std::int32_t> nein;
    const std::pair<const char*, std::optional<std::int32_t>> faelle[] = {
        {"10000000", 10000000}, {" -5", -5}, {"$10", 16}, {"0x10", 16}, {"X10", 16},  // as before
        {"7.100.000", 7100000}, {"7.100.000 Hz", 7100000}, {"7100000Hz", 7100000}, {" 7.100 Hz ", 7100},
        {"1000.000.000 Hz", 1000000000}, {"-2147.483.648 Hz", INT32_MIN}, {"7.1M", 7100000}, {"7,1 MHz", 7100000},
        {"455k", 455000}, {"455 kHz", 455000}, {"1.5K", 1500}, {"2147.483647M", INT32_MAX},
        {"-2147483.648k", INT32_MIN}, {"7.1234565M", 7123456}, {"7.1234575M", 7123458}, {"7.12345651M", 7123457},
        {"7.1", nein}, {"7,100", nein}, {"7.10.000", nein}, {"1234.567", nein}, {"12345.678.901", nein},
        {"7.100.", nein}, {".100", nein}, {"7.1m", nein}, {"7.M", nein}, {"Hz", nein}, {"k", nein}, {"7.1  M", nein},
        {"7.1.5M", nein}, {"2.147.483.648 Hz", nein}, {"2147483.648k", nein}, {"99999999999999999999k", nein},
    };
    for (const auto& [text, wert] : faelle) EXPECT_EQ(frequenzLesen(text), wert) << '"' << text << '"';
    for (std::int32_t hz : {0, 999, 123456789, INT32_MAX, -1234567, INT32_MIN}) EXPECT_EQ(frequenzLesen(hzText(hz)), hz);
}

std::vector<std::string> alleZeilen(std::string daten, int anzahl) {
    TextLeser l(std::move(daten));
    std::vector<std::string> z;
    for (int i = 0; i < anzahl; ++i) z.push_back(l.zeile());
    return z;
}

TEST(TextLeser, Zeilenenden) {
    using V = std::vector<std::string>;
    EXPECT_EQ(alleZeilen("a\r\nb\r\n", 3), (V{"a", "b", ""}));
    EXPECT_EQ(alleZeilen("a\rb\rc", 3), (V{"a", "b", "c"}));
    EXPECT_EQ(alleZeilen("a\nb\nc\n", 3), (V{"a", "b", "c"}));
    EXPECT_EQ(alleZeilen("a\r\n\r\nb", 3), (V{"a", "", "b"}));
    EXPECT_EQ(alleZeilen("a\n\rb", 3), (V{"a", "", "b"}));
    EXPECT_EQ(alleZeilen("a\r\nb\x1A" "c\r\nd\r\n", 4), (V{"a", "b", "", ""}));
    EXPECT_EQ(alleZeilen("", 2), (V{"", ""}));
}

TEST(TextLeser, EndeErkennung) {
    TextLeser l("x\r\ny");
    EXPECT_FALSE(l.ende());
    EXPECT_EQ(l.zeile(), "x");
    EXPECT_FALSE(l.ende());
    EXPECT_EQ(l.zeile(), "y");
    EXPECT_TRUE(l.ende());
    EXPECT_EQ(l.zeile(), "");
    EXPECT_TRUE(TextLeser("\x1A" "abc").ende());
}

// POSIX file access; Windows has its own tests (test_datei_win32.cpp).
#ifndef _WIN32
TEST(TextDatei, SchreibenUndLesen) {
    EXPECT_EQ(textZeilen({"Start", "", "1"}), "Start\r\n\r\n1\r\n");
    const auto ordner = std::filesystem::temp_directory_path() / ("qzl7-text-" + std::to_string(::getpid()));
    std::filesystem::create_directories(ordner);
    const auto pfad = (ordner / "a.cfg").string();
    EXPECT_EQ(dateiSchreiben(pfad, "eins\r\nzwei\r\n"), std::nullopt);
    EXPECT_EQ(dateiLesen(pfad), std::optional<std::string>("eins\r\nzwei\r\n"));
    EXPECT_EQ(dateiLesen((ordner / "fehlt.cfg").string()), std::nullopt);
    const auto fehler = dateiSchreiben((ordner / "kein" / "ordner.cfg").string(), "x");
    ASSERT_TRUE(fehler.has_value());
    EXPECT_EQ(fehler->code, 2);
    EXPECT_EQ(fehler->text, "Datei nicht gefunden");
    // A folder opens for reading but cannot be read: reported, not retried.
    std::optional<IoFehler> lesefehler;
    EXPECT_EQ(dateiLesen(ordner.string(), &lesefehler), std::nullopt);
    ASSERT_TRUE(lesefehler.has_value());
    EXPECT_EQ(lesefehler->text, "E/A-Fehler " + std::to_string(EISDIR));
    // A write that fails (here: beyond the largest file allowed) is reported.
    rlimit grenze{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &grenze), 0);
    const rlimit keinPlatz{0, grenze.rlim_max};
    const auto signalVorher = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &keinPlatz), 0);
    const auto zuGross = dateiSchreiben(pfad, "x");
    ::setrlimit(RLIMIT_FSIZE, &grenze);
    std::signal(SIGXFSZ, signalVorher);
    ASSERT_TRUE(zuGross.has_value());
    EXPECT_EQ(zuGross->text, "E/A-Fehler " + std::to_string(EFBIG));
    std::filesystem::remove_all(ordner);
}

TEST(TextDatei, ErsetzenGanzOderGarNicht) {
    test::TempOrdner ordner;
    const auto pfad = ordner.datei("a.dat");
    ordner.schreiben("a.dat", "alt\r\n");
    ::chmod(pfad.c_str(), 0640);

    // The file size limit makes the write fail half-way.
    const auto signalVorher = std::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ::getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit klein = vorher;
    klein.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &klein);
    const auto fehler = dateiSchreiben(pfad, std::string(1000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signalVorher);
    ASSERT_TRUE(fehler.has_value());
    EXPECT_EQ(fehler->text, "E/A-Fehler " + std::to_string(EFBIG));
    EXPECT_EQ(ordner.lesen("a.dat"), "alt\r\n");
    EXPECT_EQ(ordner.anzahl(), 1u);

    // A whole write replaces the file a link names, with the file's permissions.
    ::symlink("a.dat", ordner.datei("verweis").c_str());
    EXPECT_EQ(dateiSchreiben(ordner.datei("verweis"), "neu"), std::nullopt);
    EXPECT_EQ(ordner.lesen("a.dat"), "neu");
    struct stat s {};
    ::lstat(ordner.datei("verweis").c_str(), &s);
    EXPECT_TRUE(S_ISLNK(s.st_mode));
    ::stat(pfad.c_str(), &s);
    EXPECT_EQ(s.st_mode & 0777, 0640u);
    EXPECT_EQ(ordner.anzahl(), 2u);

    // Devices are used in place: no file appears beside them.
    EXPECT_EQ(dateiSchreiben("/dev/full", "x")->text, "Zu wenig Speicherplatz");
    EXPECT_EQ(dateiLesen("/dev/zero", nullptr, 10000), std::string(10000, '\0'));
}

TEST(TextDatei, OrdnerRohrUndFremdeNamen) {
    test::TempOrdner ordner;
    // A folder opens but cannot be read: reported, never taken as an empty file.
    std::optional<IoFehler> fehler;
    EXPECT_EQ(dateiLesen(ordner.pfad, &fehler), std::nullopt);
    EXPECT_EQ(fehler->text, "E/A-Fehler " + std::to_string(EISDIR));
    EXPECT_TRUE(dateiSchreiben(ordner.pfad, "x").has_value());

    // A pipe without a writer or reader must not block the window.
    const auto rohr = ordner.datei("rohr");
    ::mkfifo(rohr.c_str(), 0600);
    EXPECT_EQ(dateiLesen(rohr), std::optional<std::string>(""));
    EXPECT_TRUE(dateiSchreiben(rohr, "x").has_value());

    // Names are bytes: UTF-8 and Latin-1 alike.
    for (const std::string name : {"Meßreihe äöü.dat", "Me\xdf" "reihe.cfg"}) {
        EXPECT_EQ(dateiSchreiben(ordner.datei(name), "a\r\n"), std::nullopt) << name;
        EXPECT_EQ(dateiLesen(ordner.datei(name)), std::optional<std::string>("a\r\n")) << name;
    }
}

// Started with standard input closed, a file may get descriptor 0.
TEST(TextDatei, AufDeskriptorNull) {
    test::TempOrdner ordner;
    const auto datei = ordner.datei("a.cfg");
    const int eingabe = ::dup(0);  // -1: closed already
    if (eingabe >= 0) ::close(0);
    const auto ersetzt = dateiSchreiben(datei, "neu");
    const auto gelesen = dateiLesen(datei);
    const auto geraet = dateiSchreiben("/dev/null", "x");  // written in place
    if (eingabe >= 0) {
        ::dup2(eingabe, 0);
        ::close(eingabe);
    }
    EXPECT_EQ(ersetzt, std::nullopt);
    EXPECT_EQ(gelesen, std::optional<std::string>("neu"));
    EXPECT_EQ(geraet, std::nullopt);
}

#endif

TEST(TextDatei, FehlerTexte) {
    EXPECT_EQ(ioFehlerAusErrno(EACCES).text, "Dateizugriff verweigert");
    EXPECT_EQ(ioFehlerAusErrno(EROFS).text, "Dateizugriff verweigert");
    EXPECT_EQ(ioFehlerAusErrno(ENOSPC).text, "Zu wenig Speicherplatz");
    EXPECT_EQ(ioFehlerAusErrno(EMFILE).text, "Zu viele geöffnete Dateien");
    EXPECT_EQ(ioFehlerAusErrno(ENAMETOOLONG).text, "Ungültiger Dateiname");
    EXPECT_EQ(ioFehlerAusErrno(EIO).text, "E/A-Fehler " + std::to_string(EIO));
    EXPECT_EQ(ioFehlerAusErrno(ENOENT).code, 2);
    EXPECT_EQ(ioFehlerText(100), "Versuch hinter dem Dateiende zu lesen");
    EXPECT_EQ(ioFehlerText(106), "Ungültige numerische Eingabe");
    EXPECT_EQ(ioFehlerText(103), "E/A-Fehler 103");
}

}  // namespace
}  // namespace qzl
