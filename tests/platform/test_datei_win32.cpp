// Files on Windows: replaced whole, names beyond the ANSI code page, and
// the system's failures in the program's words.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "platform/datei.h"
#include "temp_ordner.h"

namespace qzl {
namespace {

TEST(DateiWin32, ErsetztGanzMitFremdenNamen) {
    test::TempOrdner ordner;
    for (const std::string name : {"Meßreihe äöü.dat", "Kurve \xce\xa9.cfg", "Me\xdf" "reihe.cfg"}) {
        const auto pfad = ordner.datei(name);
        EXPECT_EQ(dateiSchreiben(pfad, "alt\r\n"), std::nullopt) << name;
        EXPECT_EQ(dateiSchreiben(pfad, "neu\r\n"), std::nullopt) << name;
        EXPECT_EQ(dateiLesen(pfad), std::optional<std::string>("neu\r\n")) << name;
        EXPECT_EQ(dateiLesen(pfad, nullptr, 2), std::optional<std::string>("ne")) << name;
    }
    // UTF-8 names are the real names, not their bytes taken as ANSI.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(ordner.pfad) / L"Me\u00dfreihe \u00e4\u00f6\u00fc.dat"));
    EXPECT_EQ(ordner.anzahl(), 3u);  // no temporary file left behind
    EXPECT_EQ(dateiSchreiben("NUL", "x"), std::nullopt);  // a device is written in place
}

TEST(DateiWin32, FehlerInDenWortenDesProgramms) {
    test::TempOrdner ordner;
    // Another program holds the file open and lets nobody else at it.
    ordner.schreiben("gesperrt.cfg", "alt");
    const HANDLE sperre = ::CreateFileW(std::filesystem::u8path(ordner.datei("gesperrt.cfg")).c_str(), GENERIC_READ, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(sperre, INVALID_HANDLE_VALUE);

    struct Fall {
        std::string pfad;
        std::string text;
    };
    const Fall faelle[] = {
        {ordner.datei("kein/ordner.cfg"), "Datei nicht gefunden"},
        {ordner.datei("gesperrt.cfg"), "Dateizugriff verweigert"},
        {ordner.datei("fal<sch>.cfg"), "Ungültiger Dateiname"},
        {ordner.pfad, "E/A-Fehler " + std::to_string(EISDIR)},  // as on Linux
    };
    for (const auto& f : faelle) {
        const auto fehler = dateiSchreiben(f.pfad, "neu");
        ASSERT_TRUE(fehler.has_value()) << f.pfad;
        EXPECT_EQ(fehler->text, f.text) << f.pfad;
    }
    std::optional<IoFehler> gesperrt;
    EXPECT_EQ(dateiLesen(ordner.datei("gesperrt.cfg"), &gesperrt), std::nullopt);
    EXPECT_EQ(gesperrt.value_or(IoFehler{}).text, "Dateizugriff verweigert");
    ::CloseHandle(sperre);
    // The old file is as it was, and nothing was left beside it.
    EXPECT_EQ(ordner.lesen("gesperrt.cfg"), "alt");
    EXPECT_EQ(ordner.anzahl(), 1u);

    std::optional<IoFehler> lesefehler;
    EXPECT_EQ(dateiLesen(ordner.pfad, &lesefehler), std::nullopt);
    ASSERT_TRUE(lesefehler.has_value());
    EXPECT_EQ(lesefehler->text, "E/A-Fehler " + std::to_string(EISDIR));
    EXPECT_EQ(dateiLesen(ordner.datei("fehlt.cfg")), std::nullopt);
}

}  // namespace
}  // namespace qzl
