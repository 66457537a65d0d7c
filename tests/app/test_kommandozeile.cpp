// The command line beside the port options, and the program's place on the desktop.
#include <QApplication>
#include <QTranslator>
#include <QIcon>
#include <QLocale>
#include <gtest/gtest.h>

#include "app/arbeitsplatz.h"
#include "app/kommandozeile.h"

namespace qzl {
namespace {

using Liste = std::vector<std::string>;

TEST(Kommandozeile, UnbekannteOptionenWerdenGemeldet) {
    const struct {
        Liste argumente, uebrig;  // uebrig: what Qt left
        Liste warnungen;
    } faelle[] = {
        {{"-c", "--com2=/dev/pts/3", "--user-config", "--smoke-test", "--listen", "--listen=5025"}, {}, {}},
        {{"--preset", "-x", "--preset=y"}, {}, {}},
        {{"-c", "--preset"}, {}, {"qzl7: ignoring '--preset': it needs the preset's name"}},
        {{"--bogus"}, {}, {"qzl7: ignoring '--bogus': unknown option (qzl7 --help lists them)"}},
        {{"-C", "datei.cfg", "-c"},
         {},
         {"qzl7: ignoring 'datei.cfg': unknown option (qzl7 --help lists them)",
          "qzl7: ignoring '-c': it counts only as the very first argument"}},
        // Port options are the port mapping's to judge; Qt's own are Qt's.
        {{"--COM9=x", "-platform", "offscreen", "-x"},
         {"--COM9=x", "-x"},
         {"qzl7: ignoring '-x': unknown option (qzl7 --help lists them)"}},
        {{"-x", "-platform", "offscreen"}, {"-x"}, {"qzl7: ignoring '-x': unknown option (qzl7 --help lists them)"}},
    };
    for (const auto& f : faelle) {
        const Liste uebrig = f.uebrig.empty() ? f.argumente : f.uebrig;
        EXPECT_EQ(unbekannteOptionen(f.argumente, uebrig), f.warnungen) << f.argumente.front();
    }
}

// Where the command socket listens: nothing without the option, the last
// one given counts, an unusable value is refused with its reason.
TEST(Kommandozeile, LauschAdresse) {
    const std::string falsch = ": give a TCP port from 1 to 65535 or unix:PATH; not listening";
    const struct {
        Liste argumente;
        int port;  // -1: nothing listens
        const char* pfad;
        std::string fehler;
    } faelle[] = {
        {{"-c"}, -1, "", ""},
        {{"--listen"}, 5025, "", ""},
        {{"--listen=65535"}, 65535, "", ""},
        {{"--listen=1"}, 1, "", ""},
        {{"--listen=65536"}, -1, "", "qzl7: --listen=65536" + falsch},
        {{"--listen=0"}, -1, "", "qzl7: --listen=0" + falsch},
        {{"--listen=12a"}, -1, "", "qzl7: --listen=12a" + falsch},
        {{"--listen=123456"}, -1, "", "qzl7: --listen=123456" + falsch},
        {{"--listen="}, -1, "", "qzl7: --listen=" + falsch},
        {{"--listen=unix:/tmp/s"}, 0, "/tmp/s", ""},
        {{"--listen=unix:"}, -1, "", "qzl7: --listen=unix:PATH needs a path; not listening"},
        {{"--listen=x", "--listen=7009"}, 7009, "", ""},
    };
    for (const auto& f : faelle) {
        std::string fehler;
        const auto adresse = lauschAdresse(f.argumente, fehler);
        EXPECT_EQ(adresse ? adresse->port : -1, f.port) << f.argumente.back();
        EXPECT_EQ(adresse ? adresse->pfad : "", f.pfad) << f.argumente.back();
        EXPECT_EQ(fehler, f.fehler) << f.argumente.back();
    }
}

TEST(Kommandozeile, EinstellungsOrdnerNurMitUserConfig) {
    const struct {
        Liste argumente;
        const char *xdg, *home, *ordner;
    } faelle[] = {
        {{"-c"}, "/x", "/home/a", ""},
        {{"-c", "--user-config"}, "/x/konf", "/home/a", "/x/konf/qzl7"},
        {{"--user-config"}, nullptr, "/home/a", "/home/a/.config/qzl7"},
        {{"--user-config"}, "", "/home/a", "/home/a/.config/qzl7"},
        {{"--user-config"}, "relativ", "/home/a", "/home/a/.config/qzl7"},
        {{"--user-config"}, nullptr, nullptr, ""},
    };
    for (const auto& f : faelle) EXPECT_EQ(einstellungsOrdner(f.argumente, f.xdg, f.home), f.ordner) << f.ordner;
}

// Qt's own dialogs speak the user's language; the window carries the
// menu entry's id and the icon.
TEST(Arbeitsplatz, UebersetzungSymbolUndKennung) {
    auto& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_TRUE(qtUebersetzungLaden(app, QLocale(QLocale::German, QLocale::Germany)));
    // The buttons of Qt's dialogs and message boxes.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    arbeitsplatzAngaben();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "io.github.qzl7.qzl7");
    EXPECT_EQ(QCoreApplication::applicationName(), "qzl7");
    EXPECT_FALSE(QApplication::windowIcon().availableSizes().isEmpty());
    for (auto* t : app.findChildren<QTranslator*>()) QCoreApplication::removeTranslator(t);
}

}  // namespace
}  // namespace qzl
