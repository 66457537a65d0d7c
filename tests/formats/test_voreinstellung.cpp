// The preset file: every field written under its key and read back, the
// lines it refuses, and the names a preset may have.
#include <gtest/gtest.h>

#include <functional>

#include "formats/voreinstellung.h"

namespace qzl {
namespace {

Voreinstellung grund() {
    Voreinstellung v;
    v.start = 10000000;
    v.schritt = 1000;
    v.punkte = 280;
    return v;
}

TEST(Voreinstellung, JedesFeldUnterSeinemSchluesselUndZurueck) {
    const struct {
        std::function<void(Voreinstellung&)> setzen;
        const char* zeile;
    } felder[] = {
        {[](auto& v) { v.start = -5; }, "start -5"},
        {[](auto& v) { v.schritt = 25; }, "step 25"},
        {[](auto& v) { v.punkte = 7; }, "points 7"},
        {[](auto& v) { v.zwischenfrequenz = -455000, v.zfAn = true; }, "if -455000 on sub"},
        {[](auto& v) { v.zfAddieren = true; }, "if 0 off add"},
        {[](auto& v) { v.art = Messart::smith; }, "mode smith"},
        {[](auto& v) { v.lin = true; }, "detector lin"},
        {[](auto& v) { v.freqMarken[20] = 10700000; }, "fmarker 20 10700000"},
        {[](auto& v) { v.spuren.marken[7] = {true, 5, Suche::minimum, true, std::pair{1, 9}, 2, 6.5}; },
         "marker 8 on 5 search min track on range 1 9 delta 2 band 6.5"},
        {[](auto& v) { v.spuren.halten = Halten::mittel, v.spuren.mittelAnzahl = 9; }, "hold average 9"},
        {[](auto& v) { v.spuren.differenz = true; }, "math diff"},
        {[](auto& v) { v.grenzDatei = "/a b/f.lim"; }, "limits /a b/f.lim"},
        {[](auto& v) { v.grenzenAn = false; }, "limits-judge off"},
        {[](auto& v) { v.referenzDatei = "r.dat"; }, "reference r.dat"},
        {[](auto& v) { v.kalibrierung.korrektur[Rlin] = std::pair{-3, 400}; }, "correction reflection lin -3 400"},
        {[](auto& v) { v.kalibrierung.linien[7] = std::pair{351, 41}; }, "line 7 351 41"},
        {[](auto& v) { v.kalibrierung.comport = 4; }, "com 4"},
        {[](auto& v) { v.kalibrierung.baudrate = 57600; }, "baud 57600"},
        {[](auto& v) { v.kalibrierung.messgenauigkeit = 10; }, "bits 10"},
        {[](auto& v) { v.kalibrierung.taktfrequenz = 99999990; }, "clock 99999990"},
    };
    for (const auto& f : felder) {
        Voreinstellung v = grund();
        f.setzen(v);
        const std::string text = voreinstellungText(v);
        EXPECT_NE(text.find(std::string("\r\n") + f.zeile + "\r\n"), std::string::npos) << text;
        const auto gelesen = voreinstellungLesen(text);
        ASSERT_TRUE(gelesen.voreinstellung) << gelesen.fehler;
        EXPECT_EQ(*gelesen.voreinstellung, v) << f.zeile;
    }
    // Without the calibration's keys the text holds none of them.
    const std::string ohne = voreinstellungText(grund());
    for (const char* k : {"correction", "line", "com", "baud", "bits", "clock", "limits ", "reference"})
        EXPECT_EQ(ohne.find(std::string("\r\n") + k), std::string::npos) << k;
}

TEST(Voreinstellung, ZeilenDieSieAblehnt) {
    const std::string kopf = "qzl7 preset 1\nstart 1\nstep 1\nif 0 off sub\nmode vfo\ndetector log\n";
    const struct {
        std::string text;
        const char* fehler;
    } faelle[] = {
        {"qzl7 markers 1\n", "line 1 is not \"qzl7 preset 1\""},
        {kopf + "points 0\n", "line 7 (\"points 0\"): expected points N"},
        {kopf + "points 2\nif 2147483648 off sub\n", "line 8 (\"if 2147483648 off sub\"): a second \"if\""},
        {"qzl7 preset 1\nif 2147483648 off sub\n", "expected if HZ"},
        {"qzl7 preset 1\nmode demo\n", "expected mode"},
        {kopf + "points 2\ncolour 3\n", "line 8 (\"colour 3\"): no such key"},
        {kopf + "points 2\nfmarker 21 5\n", "expected fmarker"},
        {kopf + "points 2\nfmarker 1 -5\n", "expected fmarker"},
        {kopf + "points 2\nmarker 9 on 5\n", "expected a marker's line"},
        {kopf + "points 2\ncom 5\n", "expected com"},
        {kopf + "points 2\ncorrection transmission db 1 2\n", "expected correction"},
        {kopf + "points 2\nline 8 1 2\n", "expected line N VALUE TEXT, N from 1 to 7"},
        {kopf + "points 2\nbaud 9601\n", "expected baud"},
        {kopf + "points 2\nclock 0\n", "expected clock"},
        {kopf + "points 2\nlimits\n", "expected limits PATH"},
        {kopf, "no \"points\" line"},
    };
    for (const auto& f : faelle) {
        const auto gelesen = voreinstellungLesen(f.text);
        EXPECT_FALSE(gelesen.voreinstellung) << f.text;
        EXPECT_NE(gelesen.fehler.find(f.fehler), std::string::npos) << gelesen.fehler;
    }
    // In any order, with comments and blank lines.
    const auto gut = voreinstellungLesen("qzl7 preset 1\r\n# mine\r\n\r\ndetector lin\nmode vfo\nif 0 off sub\n"
                                         "points 2\nstep 1\nstart 1\ncom 1\nfmarker 1 5\n");
    ASSERT_TRUE(gut.voreinstellung) << gut.fehler;
    EXPECT_EQ(gut.voreinstellung->art, Messart::vfo);
    EXPECT_EQ(gut.voreinstellung->kalibrierung.comport, 1);
    EXPECT_EQ(gut.voreinstellung->freqMarken[1], 5);
}

TEST(Voreinstellung, Namen) {
    for (const char* name : {"Filter 10,7 MHz", "a", "ÄÖÜ-ß_x.1", "x.y", "a=b"}) EXPECT_FALSE(voreinstellungNameEinwand(name)) << name;
    for (const std::string& name : std::initializer_list<std::string>{"", "a/b", "a\\b", "..", "a..b", "a\tb", "a:b", "a?", "a|b", " a", "a ", "a.",
                                   std::string(65, 'x')})
        EXPECT_TRUE(voreinstellungNameEinwand(name)) << name;
    EXPECT_EQ(voreinstellungsOrdner("/x", "/h"), "/x/qzl7/presets");
    EXPECT_EQ(voreinstellungsOrdner(nullptr, "/h"), "/h/.config/qzl7/presets");
    EXPECT_EQ(voreinstellungsOrdner("rel", nullptr), "");
}

}  // namespace
}  // namespace qzl
