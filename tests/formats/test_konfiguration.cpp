#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "formats/konfiguration.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/start.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;

const char* const startDatei =
    "Startfrequenz    =10000000\r\nEndfrequenz      =35000000\r\nSchrittweite     =10000\r\nTaktfrequenz     =100000000\r\n"
    "Eichfrequenz     =10000000\r\nZwischenfrequenz =9000000\r\nZF-Berechnung    =0\r\nComport          =2\r\n"
    "Korrfaktor1Dlog  =50\r\nKorrfaktor2Dlog  =250\r\nKorrfaktor1Rlog  =50\r\nKorrfaktor2Rlog  =250\r\n"
    "Korrfaktor1Slog  =50\r\nKorrfaktor2Slog  =250\r\nKorrfaktor1Dlin  =50\r\nKorrfaktor2Dlin  =250\r\n"
    "Korrfaktor1Rlin  =50\r\nKorrfaktor2Rlin  =250\r\nKorrfaktor1Slin  =50\r\nKorrfaktor2Slin  =250\r\nDelay            =1\r\n"
    "Line1            =0\r\nLine2            =0\r\nLine3            =0\r\nLine4            =0\r\nLine5            =0\r\n"
    "Line6            =0\r\nLine7            =0\r\nLine1 Text       =10\r\nLine2 Text       =10\r\nLine3 Text       =10\r\n"
    "Line4 Text       =10\r\nLine5 Text       =10\r\nLine6 Text       =10\r\nLine7 Text       =10\r\n"
    "Messpunkte       =280\r\nHintergrundfarbe =255\r\nDiagrammfarbe    =0\r\nKurvenfarbe      =230\r\n"
    "Freq. Markenfarbe=150\r\nCursor           =24\r\nBaudrate         =9600\r\nMessgenauigkeit  =8\r\n";

TEST(Konfiguration, HandbearbeiteteAchtZeilen) {
    auto u = neueUmgebung();
    auto& st = u->st;
    EXPECT_EQ(konfigurationText(st), startDatei);
    st.delay = 77;
    st.linie[4] = 9;
    st.zfBerechnung = 3;
    konfigurationLesen(st,
                       "Startfrequenz    =$989680\r\nEndfrequenz      = 123\r\n"  // hex; blank before the number
                       "Taktfrequenz     =5\r\nTaktfrequenz     =7 \r\n"          // keys unchecked; blank after
                       "Junk=0x10\n-42\r\nZF-Berechnung    =a=3\r\nComport          =+3");  // LF; no "="; 2nd "="
    const std::pair<const AtomInt*, std::int32_t> erwartet[] = {
        {&st.startfrequenz, 10000000}, {&st.endfrequenz, 123},  {&st.schrittweite, 5},   {&st.taktfrequenz, 100000000},
        {&st.eichfrequenz, 16},        {&st.zwischenfrequenz, -42}, {&st.zfBerechnung, 0}, {&st.comport, 3},
    };
    for (std::size_t i = 0; i < std::size(erwartet); ++i) EXPECT_EQ(*erwartet[i].first, erwartet[i].second) << i;
    // Lines 9 to 43 take the reader's defaults, which differ from the start values in the lines.
    std::string vorgaben = startDatei;
    const int texte[] = {12, 15, 18, 20, 25, 30, 40};
    for (int j = 1; j <= 7; ++j) {
        const std::string linie = "Line" + std::to_string(j) + "            =";
        const std::string text = "Line" + std::to_string(j) + " Text       =";
        vorgaben.replace(vorgaben.find(linie + "0\r"), 19, linie + std::to_string(50 * j));
        vorgaben.replace(vorgaben.find(text + "10\r"), 20, text + std::to_string(texte[j - 1]));
    }
    const auto ab9 = [](const std::string& t) { return t.substr(t.find("Korrfaktor1Dlog")); };
    EXPECT_EQ(ab9(konfigurationText(st)), ab9(vorgaben));
    // So do the first eight lines when they do not parse.
    AtomInt* const erste8[] = {&st.startfrequenz, &st.endfrequenz,      &st.schrittweite, &st.taktfrequenz,
                               &st.eichfrequenz,  &st.zwischenfrequenz, &st.zfBerechnung, &st.comport};
    for (AtomInt* f : erste8) *f = 7;
    konfigurationLesen(st,
                       "Startfrequenz    =x\r\nEndfrequenz      =x\r\nSchrittweite     =x\r\nTaktfrequenz     =x\r\n"
                       "Eichfrequenz     =x\r\nZwischenfrequenz =x\r\nZF-Berechnung    =x\r\nComport          =x\r\n");
    const std::int32_t vorgabe8[] = {10000000, 35000000, 1000, 100000000, 10000000, 9000000, 0, 2};
    for (std::size_t i = 0; i < std::size(erste8); ++i) EXPECT_EQ(*erste8[i], vorgabe8[i]) << i;

    // The transfer stores unchecked; the limits follow right after it.
    std::string text = startDatei;
    text.replace(text.find("=280"), 4, "=500");
    KonfigDatei datei{TextLeser(text), {}};
    konfiguration(st, Richtung::lesen, datei);
    EXPECT_EQ(st.messpunkte, 500);
}

TEST(Konfiguration, Grenzen) {
    using F = AtomInt InstrumentState::*;
    const std::tuple<F, std::int32_t, std::int32_t> faelle[] = {
        {&InstrumentState::messpunkte, 500, 300},        {&InstrumentState::messpunkte, 0, 1},
        {&InstrumentState::messpunkte, 300, 300},        {&InstrumentState::comport, 0, 1},
        {&InstrumentState::comport, 9, 4},               {&InstrumentState::comport, 4, 4},
        {&InstrumentState::messgenauigkeit, 9, 10},      {&InstrumentState::messgenauigkeit, 7, 8},
        {&InstrumentState::taktfrequenz, 0, 100000000},  {&InstrumentState::taktfrequenz, 1, 1},
        {&InstrumentState::baudrate, 12345, 9600},       {&InstrumentState::baudrate, 57600, 57600},
    };
    for (const auto& [feld, gelesen, begrenzt] : faelle) {
        auto u = neueUmgebung();
        u->st.*feld = gelesen;
        einstellungenBegrenzen(u->st);
        EXPECT_EQ(u->st.*feld, begrenzt) << gelesen;
    }
}

TEST(Konfiguration, Markendatei) {
    std::string lang;
    for (int k = 1; k <= 25; ++k) lang += std::to_string(k) + "000\r\n";
    auto u = neueUmgebung();
    freqMarkenLesen(u->st, lang);
    EXPECT_EQ(u->st.freqMarken[20], 20000);
    freqMarkenLesen(u->st, "7000\r\nkein Wert\r\n$10");
    const std::vector<int> erwartet{7000, 0, 16, 4000, 5000};  // slots without a line keep their value
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(u->st.freqMarken[k], erwartet[k - 1]) << k;
}

TEST(Konfiguration, Start) {
    test::TempOrdner ordner;
    auto u = neueUmgebung();
    u->p.geraet.arbeitsordner = ordner.pfad;
    ordner.schreiben("frequenz.cfg", "10100000\r\n");
    FormCreate(u->p, {});
    EXPECT_EQ(ordner.lesen("qzl7.cfg"), startDatei);
    EXPECT_EQ(u->st.freqMarken[1], 10100000);
    EXPECT_EQ(u->st.freqMarken[2], 0);

    // An existing file is read: an unparseable step takes the reader's default.
    std::string text = startDatei;
    text.replace(text.find("=10000\r"), 6, "=abc");
    text.replace(text.find("=280"), 4, "=5");
    ordner.schreiben("qzl7.cfg", text);
    u = neueUmgebung();
    u->p.geraet.arbeitsordner = ordner.pfad;
    FormCreate(u->p, {});
    EXPECT_EQ(u->st.schrittweite, 1000);
    EXPECT_EQ(u->fenster.text(Element::Label12), "10.002.000 Hz");  // cursor at point 2 of 5
    EXPECT_EQ(ordner.lesen("qzl7.cfg"), text);

    // One that opens but fails to read is reported and left alone.
    ::unlink(ordner.datei("qzl7.cfg").c_str());
    ::mkdir(ordner.datei("qzl7.cfg").c_str(), 0755);
    u = neueUmgebung();
    u->p.geraet.arbeitsordner = ordner.pfad;
    FormCreate(u->p, {});
    EXPECT_EQ(u->fenster.fehlerMeldungen, std::vector<std::string>{"E/A-Fehler 21"});
    EXPECT_TRUE(std::filesystem::is_directory(ordner.datei("qzl7.cfg")));

    // No right to create it: the error, then start-up goes on with the start values.
    u = neueUmgebung();
    u->p.geraet.arbeitsordner = ::geteuid() == 0 ? "/sys" : ordner.pfad;  // root may write anywhere but sysfs
    ::rmdir(ordner.datei("qzl7.cfg").c_str());
    ::chmod(ordner.pfad.c_str(), 0555);
    FormCreate(u->p, {});
    EXPECT_EQ(u->fenster.fehlerMeldungen, std::vector<std::string>{"Dateizugriff verweigert"});
    EXPECT_EQ(u->fenster.text(Element::Label2), "10.000 Hz");
    EXPECT_TRUE(u->fenster.timerLaeuft(Element::Timer1));
}

TEST(Konfiguration, SpeichernUndOeffnen) {
    test::TempOrdner ordner;
    auto u = neueUmgebung();
    u->st.korrfaktor2[Rlin] = 312;
    u->st.messpunkte = 17;
    u->st.startfrequenz = 7000000;
    u->st.schrittweite = 2500;
    u->st.zfBerechnung = 2;
    u->fenster.dialogAntworten = {std::nullopt, ordner.datei("a.cfg"), "/dev/full"};
    Speichern1Click(u->p);  // cancelled
    EXPECT_EQ(ordner.anzahl(), 0u);
    Speichern1Click(u->p);
    Speichern1Click(u->p);
    EXPECT_EQ(u->fenster.fehlerMeldungen, std::vector<std::string>{"Zu wenig Speicherplatz"});
    const std::string gespeichert = ordner.lesen("a.cfg");
    EXPECT_NE(gespeichert.find("Korrfaktor2Rlin  =312\r\n"), std::string::npos);
    EXPECT_FALSE(u->fenster.timerLaeuft(Element::Timer1));  // saving does not redraw

    auto v = neueUmgebung();
    auto& f = v->fenster;
    f.dialogAntworten = {std::nullopt, ordner.datei("a.cfg")};
    f.textSetzen(Element::Label1, "alt");
    ffnen1Click(v->p);  // cancelled: no redraw
    EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
    f.abhaken(Element::Zwischenfrequenz1, true);
    ffnen1Click(v->p);
    EXPECT_EQ(konfigurationText(v->st), gespeichert);
    EXPECT_TRUE(v->port.geoeffnetAls == 0 && v->port.geschrieben.empty());  // no reopening, no retuning
    EXPECT_EQ(v->st.messwerte[17], 1);   // redrawn
    // The panel shows what was loaded; the cursor at point 8 of 17 (8.5 to even).
    const std::vector<std::string> tafel{f.text(Element::Label1), f.text(Element::Label2), f.text(Element::Label12)};
    EXPECT_EQ(tafel, (std::vector<std::string>{"7.000.000 Hz", "2.500 Hz", "7.020.000 Hz"}));
    EXPECT_FALSE(f.abgehakt(Element::Zwischenfrequenz1));
    EXPECT_TRUE(f.abgehakt(Element::AdditionvsSubtraktion1));
}

TEST(Konfiguration, KeineKonfiguration) {
    std::string zufall(5000, '\0');
    for (std::size_t i = 0; i < zufall.size(); ++i) zufall[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::pair<std::string, bool> faelle[] = {
        {zufall, false}, {"", false}, {"Durchgangsmessung QZL7\r\nx\r\nlog\r\nKorrekturfaktor1 =50\r\n", false},
        {"Taktfrequenz     =5\r\n", false}, {"\r\n" + std::string(startDatei), false},  // keys not on their lines
        {"\r\n\r\n Schrittweite=77\r\n", true},  // blanks tidied away by hand
    };
    test::TempOrdner ordner;
    for (const auto& [daten, konfiguration] : faelle) {
        ordner.schreiben("x.cfg", daten);
        auto u = neueUmgebung();
        u->fenster.dialogAntworten = {ordner.datei("x.cfg")};
        ffnen1Click(u->p);
        EXPECT_EQ(u->st.schrittweite, konfiguration ? 77 : 10000) << daten.substr(0, 30);
        EXPECT_EQ(u->fenster.meldungen, std::vector<std::string>(!konfiguration, "Keine QZL7-Konfigurationsdatei"));
        EXPECT_EQ(u->fenster.timerLaeuft(Element::Timer1), konfiguration);
    }
    // At start: reported and left alone, with the start values; an empty
    // file holds nothing to keep and is filled.
    for (const std::string& daten : {zufall, std::string()}) {
        ordner.schreiben("qzl7.cfg", daten);
        auto u = neueUmgebung();
        u->p.geraet.arbeitsordner = ordner.pfad;
        FormCreate(u->p, {});
        EXPECT_EQ(u->fenster.meldungen.front() == "Keine QZL7-Konfigurationsdatei: " + ordner.datei("qzl7.cfg"), !daten.empty());
        EXPECT_EQ(ordner.lesen("qzl7.cfg"), daten.empty() ? std::string(startDatei) : daten);
    }
}

}  // namespace
}  // namespace qzl
