// The remote-control language against a target that notes its calls.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fake_ziel.h"
#include "remote/datei_befehle.h"
#include "remote/sitzung.h"

namespace qzl {
namespace {

struct Stand {
    test::FakeZiel ziel;
    fern::Sitzung s{ziel};
    // The oldest error's code, 0 for none.
    int fehlercode() { return std::stoi(s.empfangen("SYST:ERR?\n")); }
};

TEST(Fernsteuerung, KopfFormen) {
    const struct {
        const char* zeile;
        const char* antwort;
        int fehler;
        const char* aufruf;
    } faelle[] = {
        {"SENS:FREQ:STAR?", "1000000\n", 0, ""},     {"sense:frequency:start?", "1000000\n", 0, ""},
        {":FREQuency:STARt?", "1000000\n", 0, ""},   {"SENSE:FREQ:START?", "1000000\n", 0, ""},
        {"FREQU:STAR?", "\n", -113, ""},             {"SENS:FREQ:STA?", "\n", -113, ""},
        {"SENS::FREQ:STAR?", "\n", -113, ""},        {"SENS:FREQ:STAR:FREQ?", "\n", -113, ""},
        {"SYST:ERR:NEXT?", "0,\"No error\"\n", 0, ""}, {"*idn?", "qzl7,qzl7,0,7.3\n", 0, ""},
        {"*IDN", "", -113, ""},                      {"INIT:IMM", "", 0, "init"},
        {"initiate", "", 0, "init"},                 {"INIT:IMMED", "", -113, ""},
        {"SENS:FREQ:STOP 5", "", -113, ""},          {"SWE:POIN 5", "", 0, "punkte"},
        {"SENSe:SWEep:POINts 5", "", 0, "punkte"},   {"SWE:POINTS 5", "", 0, "punkte"},
        {"ABOR", "", 0, "abbrechen"},                {"INIT:CONT ON", "", 0, "dauerlauf"},
        {"A:B:C:D:E:F:G:H?", "\n", -113, ""},         {"A:B:C:D:E:F:G:H:I?", "\n", -113, ""},
        {"SWE:RANG 1M,2k,5", "", 0, "bereich"},      {"SENS:SWEEP:RANGE 1M, 2k ,5", "", 0, "bereich"},
        {"SYST:DEMO?", "0\n", 0, ""},                 {"SYST:DEMO 1", "", -113, ""},
    };
    for (const auto& f : faelle) {
        Stand t;
        EXPECT_EQ(t.s.empfangen(std::string(f.zeile) + "\n"), f.antwort) << f.zeile;
        EXPECT_EQ(t.fehlercode(), f.fehler) << f.zeile;
        EXPECT_EQ(t.ziel.aufrufe.empty() ? "" : t.ziel.aufrufe.back(), f.aufruf) << f.zeile;
    }
}

TEST(Fernsteuerung, Frequenzen) {
    const struct {
        const char* text;
        std::int64_t hz;  // or the error code
    } faelle[] = {
        {"10.7MHZ", 10700000}, {"455 kHz", 455000}, {"1.5e6", 1500000},  {"7.100.000", 7100000},
        {"10.7M", 10700000},   {"2ghz", 2000000000}, {"5 GHz", 5000000000}, {"455 KHZ", 455000},
        {"7,1 MHz", 7100000},  {"100 hz", 100},     {"7.100.000 Hz", 7100000}, {"0x10", 16},
        {"1.5", -222},         {"1e-3", -222},      {"0.5 kHz", 500},     {"99999999999999999999", -222},
        {"abc", -224},         {"10.7MH", -224},    {"nan", -224},        {"10.7 mhzz", -224},
        {"2.5e-3k", -222},     {"   10M", 10000000},  {"2.5e-10G", -222},   {"1.5e-9G", -222},
        {"1e-7M", -222},
    };
    for (const auto& f : faelle) {
        Stand t;
        t.s.empfangen("FREQ:STAR " + std::string(f.text) + "\n");
        EXPECT_EQ(f.hz < 0 ? t.fehlercode() : t.ziel.start, f.hz) << f.text;
    }
}

TEST(Fernsteuerung, Fehler) {
    const struct {
        const char* zeile;
        fern::Ergebnis ziel;
        const char* eintrag;
    } faelle[] = {
        {"FREQ:STAR", {}, "-109,\"Missing parameter\""},
        {"*CLS 5", {}, "-108,\"Parameter not allowed\""},
        {"FREQ:STAR? 5", {}, "-108,\"Parameter not allowed\""},
        {"MODE TRANS", {}, "-224,\"Illegal parameter value\""},
        {"DET PEAK", {}, "-224,\"Illegal parameter value\""},
        {"INIT:CONT 2", {}, "-224,\"Illegal parameter value\""},
        {"DISP:HEAD abc", {}, "-224,\"Illegal parameter value\""},
        {"DISP:HEAD \"abc", {}, "-224,\"Illegal parameter value\""},
        {"DISP:HEAD \"a\"b\"", {}, "-224,\"Illegal parameter value\""},
        {"DISP:HEAD \"\xC3\"", {}, "-224,\"Illegal parameter value\""},
        {"SWE:POIN 10.5", {}, "-222,\"Data out of range\""},
        {"SWE:POIN ten", {}, "-224,\"Illegal parameter value\""},
        {"FREQ:STAR 1\x01", {}, "-100,\"Command error\""},
        {"FREQ:STAR 1\xC3\xA9", {}, "-100,\"Command error\""},
        {"FOO", {}, "-113,\"Undefined header\""},
        {"FREQ:STAR 5", {-221, "Settings conflict; a sweep is running"}, "-221,\"Settings conflict; a sweep is running\""},
        {"MODE SPECTRUM", {-224, "say \"no\"\n"}, "-224,\"say \"\"no\"\"?\""},
        {"INIT", {-222, ""}, "-222,\"Data out of range\""},
        {"CALC:BAND?", {-230, "no band"}, "-230,\"no band\""},
        {"TRAC:DATA?", {-241, ""}, "-241,\"Hardware missing\""},
        {"SWE:RANG 1M,,5", {}, "-109,\"Missing parameter\""},
        {"SWE:RANG 1M,2k,5,6", {}, "-108,\"Parameter not allowed\""},
        {"SWE:RANG 1M,x,5", {}, "-224,\"Illegal parameter value\""},
        {"SWE:RANG 1M,2k,5.5", {}, "-222,\"Data out of range\""},
    };
    for (const auto& f : faelle) {
        Stand t;
        t.ziel.ergebnis = f.ziel;
        t.s.empfangen(std::string(f.zeile) + "\n");
        EXPECT_EQ(t.s.empfangen("SYST:ERR?\n"), std::string(f.eintrag) + "\n") << f.zeile;
    }
}

TEST(Fernsteuerung, Antworten) {
    const struct {
        const char* zeile;
        const char* antwort;
    } faelle[] = {
        {"SYST:PROT?", "4"},
        {"FREQ:STOP?", "1002000"},
        {"MODE?", "REFL"},
        {"DET?", "LOG"},
        {"INIT:CONT?", "0"},
        {"SWE:STAT?", "IDLE"},
        {"TRAC:DATA?", "1000000,-2.8,1001000,0.9975"},
        {"TRAC:RAW?", "12,345"},
        {"CALC:MAX?", "1001000,0.9975"},
        {"CALC:MIN?", "1000000,-2.8"},
        {"CALC:BAND?", "999000,1002500,3500"},
        {"CALC:CURS 1.5M;CALC:CURS?", "1500000"},
        {"FREQ:STAR 7.1M;FREQ:STAR?;FOO?;SWE:POIN?", "7100000;;3"},
        {"DISP:HEAD 'it''s \"\xC3\xBC\"; x';DISP:HEAD?", "\"it's \"\"\xC3\xBC\"\"; x\""},
        {"INIT:CONT 1;INIT:CONT?;SWE:STAT?", "1;RUN"},
        {"MODE vfo;MODE?;DET LINEAR;DET?", "VFO;LIN"},
        {"SWE:RANG 7.1M,2k,9;SWE:RANG?;FREQ:STAR?", "7100000,2000,9;7100000"},
        {"  ;;  SWE:POIN?  ;", "3"},
    };
    for (const auto& f : faelle) {
        Stand t;
        EXPECT_EQ(t.s.empfangen(std::string(f.zeile) + "\n"), std::string(f.antwort) + "\n") << f.zeile;
    }
    // Whatever the version text holds, *IDN? stays one line.
    Stand t;
    t.ziel.versionText = "7.3\r\n\x7f";
    EXPECT_EQ(t.s.empfangen("*IDN?\n"), "qzl7,qzl7,0,7.3   \n");
}

// MARKer<n>: the suffix picks the marker, none is 1, and only 1 to 8 exist.
TEST(Fernsteuerung, MarkenKoepfe) {
    const struct {
        const char* zeile;
        const char* antwort;
        int fehler;
        const char* aufruf;
    } faelle[] = {
        {"CALC:MARK3:FREQ 10.7M", "", 0, "marke3"},          {"calculate:marker8:state on", "", 0, "marke8"},
        {":CALC:MARK:STAT ON", "", 0, "marke1"},             {"CALC:MARKER1 ON", "", 0, "marke1"},
        {"CALC:MARK9:STAT ON", "", -114, ""},                {"CALC:MARK0 ON", "", -114, ""},
        {"CALC:MARK4294967297:FREQ?", "\n", -114, ""},       {"CALC:MARK99999999999:Y?", "\n", -114, ""},
        {"CALC2:MARK:STAT ON", "", -113, ""},                {"CALC:MARK:STAT2 ON", "", -113, ""},
        {"CALC:MARK4:MIN", "", 0, "suchen4 min"},            {"CALC:MARK:MAX", "", 0, "suchen1 max"},
        {"CALC:MARK5:MAXIMUM:LEFT", "", 0, "spitze5 links"}, {"CALC:MARK:MAX:RIGH", "", 0, "spitze1 rechts"},
        {"CALC:MARK:MAX?", "\n", -113, ""},                  {"CALC:MARK:MAX 3", "", -108, ""},
        {"CALC:MAX?", "1001000,0.9975\n", 0, ""},            {"TRAC:REF:STOR", "", 0, "referenz"},
        {"TRACE:REFERENCE:CLEAR", "", 0, "verwerfen"},       {"CALC:HOLD AVER", "", 0, "halten"},
        {"CALC:MATH DIFF", "", 0, "differenz"},              {"CALC:MARK2:SEAR:RANG:CLE", "", 0, "marke2"},
    };
    for (const auto& f : faelle) {
        Stand t;
        EXPECT_EQ(t.s.empfangen(std::string(f.zeile) + "\n"), f.antwort) << f.zeile;
        EXPECT_EQ(t.fehlercode(), f.fehler) << f.zeile;
        EXPECT_EQ(t.ziel.aufrufe.empty() ? "" : t.ziel.aufrufe.back(), f.aufruf) << f.zeile;
    }
}

TEST(Fernsteuerung, MarkenUndSpuren) {
    const std::string paare = "1000000,-2.8,1001000,0.9975";
    const struct {
        std::string zeile;
        std::string antwort;
    } faelle[] = {
        {"CALC:MARK2:FREQ 10.7M;CALC:MARK2?;CALC:MARK?;CALC:MARK2:FREQ?;CALC:MARK2:Y?", "1;0;1001000;0.9975"},
        {"CALC:MARK3 ON;CALC:MARK3 OFF;CALC:MARK3?", "0"},
        {"CALC:MARK:SEAR:RANG?;CALC:MARK:SEAR:RANG 1M, 2.5M;CALC:MARK:SEAR:RANG?;CALC:MARK:SEAR:RANG:CLE;"
         "CALC:MARK:SEAR:RANG?",
         "NONE;1000000,2500000;NONE"},
        {"CALC:MARK3:TRAC ON;CALC:MARK3:TRAC?;CALC:MARK:TRAC?", "1;0"},
        {"CALC:MARK2:DELT 1;CALC:MARK2:DELT?;CALC:MARK2:DELT:DATA?", "1;-1000,3.5"},
        // Edges in whole Hz, halves to even.
        {"CALC:MARK:BWID 3;CALC:MARK:BWID?;CALC:MARK:BWID:DATA?", "3;999000,1002502,3501,1000751,285.9"},
        {"CALC:MARK:BWID 6.5;CALC:MARK:BWID?;CALC:MARK:BWID 0;CALC:MARK:BWID?", "6.5;0"},
        {"CALC:HOLD?;CALC:HOLD AVER;CALC:AVER:COUN 16;CALC:HOLD?;CALC:AVER:COUN?;CALC:HOLD MAX;CALC:AVER:COUN?",
         "OFF;AVER;16;16"},
        {"CALC:MATH?;CALC:MATH DIFF;CALC:MATH?;CALC:MATH NONE;CALC:MATH?", "NONE;DIFF;NONE"},
        {"CALC:MATH:DATA?;CALC:HOLD:DATA?;TRAC:REF:DATA?", paare + ";" + paare + ";" + paare},
    };
    for (const auto& f : faelle) {
        Stand t;
        EXPECT_EQ(t.s.empfangen(f.zeile + "\n"), f.antwort + "\n") << f.zeile;
        EXPECT_EQ(t.fehlercode(), 0) << f.zeile;
    }
}

// A marker that reads nothing, and what it reads nothing of, is -230 with
// the reason; a malformed parameter is refused before the target sees it.
TEST(Fernsteuerung, MarkenFehler) {
    const struct {
        const char* zeile;
        const char* eintrag;
        bool an = true, aufKurve = true, delta = true, band = true;
    } faelle[] = {
        {"CALC:MARK:Y?", "-230,\"marker 1 is off\"", false},
        {"CALC:MARK4:FREQ?", "-230,\"marker 4 lies outside the curve\"", true, false},
        {"CALC:MARK2:DELT:DATA?", "-230,\"marker 2 has no delta: set its marker with DELTa\""},
        {"CALC:MARK2:DELT 3;CALC:MARK2:DELT:DATA?", "-230,\"marker 3, the delta's, is off or outside the curve\"",
         true, true, false},
        {"CALC:MARK:BWID:DATA?", "-230,\"marker 1 has no band: set its N dB with BWIDth\""},
        {"CALC:MARK:BWID 3;CALC:MARK:BWID:DATA?", "-230,\"the 3 dB band of marker 1 runs off an end of the curve\"",
         true, true, true, false},
        {"CALC:MARK:BWID:DATA?", "-230,\"marker 1 is off\"", false},
        {"CALC:MARK:STAT MAYBE", "-224,\"Illegal parameter value\""},
        {"CALC:MARK:TRAC", "-109,\"Missing parameter\""},
        {"CALC:MARK:FREQ abc", "-224,\"Illegal parameter value\""},
        {"CALC:MARK:SEAR:RANG 1M", "-109,\"Missing parameter\""},
        {"CALC:MARK:SEAR:RANG 1M,2M,3M", "-108,\"Parameter not allowed\""},
        {"CALC:MARK:SEAR:RANG 1M,x", "-224,\"Illegal parameter value\""},
        {"CALC:MARK:DELT 1.5", "-222,\"Data out of range\""},
        {"CALC:MARK:BWID 3dB", "-224,\"Illegal parameter value\""},
        {"CALC:HOLD PEAK", "-224,\"Illegal parameter value\""},
        {"CALC:MATH SUM", "-224,\"Illegal parameter value\""},
        {"CALC:AVER:COUN x", "-224,\"Illegal parameter value\""},
        {"CALC:MARK9:Y?", "-114,\"Header suffix out of range\""},
    };
    for (const auto& f : faelle) {
        Stand t;
        auto& w = t.ziel.ablesungWert;
        w.an = f.an;
        w.aufKurve = f.aufKurve;
        if (!f.delta) w.delta.reset();
        if (!f.band) w.band.reset();
        t.s.empfangen(std::string(f.zeile) + "\n");
        EXPECT_EQ(t.s.empfangen("SYST:ERR?\n"), std::string(f.eintrag) + "\n") << f.zeile;
        EXPECT_EQ(t.fehlercode(), 0) << f.zeile;
    }
}

// However the bytes arrive, the same lines are run.
TEST(Fernsteuerung, Stuecke) {
    const std::string eingabe = "FREQ:STAR 455k\r\n*IDN?\r\n\n  \r\nSWE:POIN?\n";
    for (const std::size_t groesse : {1, 2, 3, 7, 1000}) {
        Stand t;
        std::string antwort;
        for (std::size_t i = 0; i < eingabe.size(); i += groesse) antwort += t.s.empfangen(eingabe.substr(i, groesse));
        EXPECT_EQ(antwort, "qzl7,qzl7,0,7.3\n3\n") << groesse;
        EXPECT_EQ(t.ziel.start, 455000);
        EXPECT_EQ(t.fehlercode(), 0);
    }
}

TEST(Fernsteuerung, LangeZeilen) {
    for (const std::size_t laenge : {4096, 4097, 100000}) {
        Stand t;
        const std::string zeile = "DISP:HEAD '" + std::string(laenge - 12, 'x') + "'\r\n";
        for (std::size_t i = 0; i < zeile.size(); i += 1000) t.s.empfangen(zeile.substr(i, 1000));
        const bool zuLang = laenge > fern::Sitzung::zeilenGrenze;
        EXPECT_EQ(t.ziel.titel.size(), zuLang ? 6 : laenge - 12) << laenge;
        EXPECT_EQ(t.fehlercode(), zuLang ? -100 : 0) << laenge;
        EXPECT_EQ(t.fehlercode(), 0) << laenge;
        EXPECT_EQ(t.s.empfangen("SWE:POIN?\n"), "3\n") << laenge;
    }
}

TEST(Fernsteuerung, VolleSchlange) {
    Stand t;
    for (int i = 0; i < 40; ++i) t.s.empfangen("FOO\n");
    for (int i = 0; i < 15; ++i) EXPECT_EQ(t.fehlercode(), -113);
    EXPECT_EQ(t.s.empfangen("SYST:ERR?\n"), "-350,\"Queue overflow\"\n");
    EXPECT_EQ(t.fehlercode(), 0);
    t.s.empfangen("FOO\n*CLS\n");
    EXPECT_EQ(t.fehlercode(), 0);
}

TEST(Fernsteuerung, OpcHaelt) {
    const struct {
        const char* zeilen;
        const char* sofort;
        const char* danach;  // once the sweep is over
    } faelle[] = {
        {"*OPC?\n", "1\n", ""},
        {"INIT\nABOR\n*OPC?\n", "", "1\n"},
        {"INIT\n*OPC?\n*IDN?\nSWE:POIN 7\nSWE:POIN?\n", "", "1\nqzl7,qzl7,0,7.3\n7\n"},
        {"INIT;*OPC?;SWE:POIN?\n", "", "1;3\n"},
        // After ABORt, queries are answered while the pass ends; commands wait for its end.
        {"INIT:CONT ON\nABOR\nSWE:STAT?\nSWE:POIN 7\nSWE:POIN?\n", "RUN\n", "7\n"},
        {"INIT:CONT ON\nINIT:CONT OFF\nSWE:POIN?;SWE:POIN 7;SWE:POIN?\n", "", "3;7\n"},
        {"ABOR\nSWE:POIN 7\nSWE:POIN?\n", "7\n", ""},
    };
    for (const auto& f : faelle) {
        Stand t;
        t.ziel.abbruchSofort = false;
        EXPECT_EQ(t.s.empfangen(f.zeilen), f.sofort) << f.zeilen;
        EXPECT_EQ(t.s.weiter(), "") << f.zeilen;
        EXPECT_EQ(t.s.wartet(), *f.danach != '\0') << f.zeilen;
        t.ziel.offen = t.ziel.dauer = false;
        EXPECT_EQ(t.s.weiter(), f.danach) << f.zeilen;
        EXPECT_FALSE(t.s.wartet());
    }
}

// A sweep that ended on a silent instrument leaves -241 for the session
// that started it, once, in the queue before its next part runs.
TEST(Fernsteuerung, StummesEnde) {
    for (const char* start : {"INIT\n", "INIT:CONT ON\n", "INIT;*OPC?\n"}) {
        Stand t;
        fern::Sitzung andere{t.ziel};
        std::string antwort = t.s.empfangen(start);
        t.ziel.offen = t.ziel.dauer = false;
        t.ziel.ausgang = {-241, "silent"};
        antwort += t.s.weiter() + t.s.empfangen("SYST:ERR?;SYST:ERR?\n");
        EXPECT_EQ(antwort, std::string(start[4] == ';' ? "1\n" : "") + "-241,\"silent\";0,\"No error\"\n") << start;
        EXPECT_EQ(andere.empfangen("SYST:ERR?\n"), "0,\"No error\"\n");
    }
}

// A web page can make a browser send its request here: nothing of it runs,
// nor anything after it, however it arrives. (The window's own test sends
// whole requests, byte by byte and a WebSocket upgrade.)
TEST(Fernsteuerung, WebAnfrage) {
    const std::string koerper = "SENS:FREQ:STAR 1000000\nINIT\nINIT:CONT ON\n*IDN?\n";
    const struct {
        std::string eingabe;
        std::size_t stueck;
        std::size_t aufrufe;  // of the lines ahead of the request
        const char* antwort = "";
    } faelle[] = {
        {"POST / HTTP/1.1\r\nHost: 127.0.0.1:5025\r\n\r\n" + koerper, 1, 0},
        {"SWE:POIN 5\nSWE:POIN?\nhost: evil\n" + koerper, 100000, 1, "5\n"},
        {"OPTIONS /x HTTP/1.1\r\n" + koerper, 3, 0},
        {"put /a HTTP/1.0\n" + koerper, 100000, 0},
        {"DELETE /" + std::string(5000, 'x') + " HTTP/1.1\n" + koerper, 1000, 0},
        // behind a held *OPC?, nothing of it waits to run later
        {"INIT;*OPC?\nSWE:POIN 5\nPOST / HTTP/1.1\n" + koerper, 100000, 1},
    };
    for (const auto& f : faelle) {
        Stand t;
        std::string antwort;
        for (std::size_t i = 0; i < f.eingabe.size(); i += f.stueck) antwort += t.s.empfangen(f.eingabe.substr(i, f.stueck));
        EXPECT_TRUE(t.s.geschlossen()) << f.eingabe;
        EXPECT_EQ(antwort, f.antwort) << f.eingabe;
        t.ziel.offen = false;
        EXPECT_FALSE(t.s.wartet());
        EXPECT_EQ(t.s.weiter(), "");
        EXPECT_EQ(t.ziel.aufrufe.size(), f.aufrufe) << f.eingabe;
    }
    // Commands that merely look alike run.
    for (const char* zeile : {"GETX /\n", "POST/ x\n", "HOST?\n", "HOSTS: x\n", " GET / HTTP/1.1\n"}) {
        Stand t;
        t.s.empfangen(zeile);
        EXPECT_FALSE(t.s.geschlossen()) << zeile;
    }
}

// Behind a waiting *OPC? lines are kept up to haltGrenze bytes exactly; one
// beyond is dropped.
TEST(Fernsteuerung, HaltBegrenzt) {
    Stand t;
    t.s.empfangen("INIT\n*OPC?\n");
    const auto zeile = [](std::size_t bytes) { return "DISP:HEAD '" + std::string(bytes - 13, 'x') + "'\n"; };
    for (int i = 0; i < 65; ++i) t.s.empfangen(zeile(1000));
    t.s.empfangen(zeile(fern::Sitzung::haltGrenze - 65000));
    t.s.empfangen(zeile(1000));
    t.ziel.offen = false;
    EXPECT_EQ(t.s.weiter(), "1\n");
    EXPECT_EQ(t.ziel.aufrufe.size(), 1u + 65 + 1);
    EXPECT_EQ(t.fehlercode(), -100);
}

}  // namespace
}  // namespace qzl

namespace qzl {
namespace {

// Limits, files and presets: over TCP a file is a bare name in the session's
// folder and never replaces one; over the Unix socket it may be a path.
TEST(Fernsteuerung, GrenzenDateienUndVoreinstellungen) {
    const std::string ordner = ::testing::TempDir() + "qzl7-mmem-" + std::to_string(::getpid());
    std::filesystem::remove_all(ordner);
    const struct {
        bool vertraut;
        std::string zeile;
        std::string antwort;
        std::string aufruf;  // the target's last call, "" for none
        int fehler = 0;
    } faelle[] = {
        {false, "CALC:LIM:LOAD \"maske.lim\"", "", "grenzen " + ordner + "/maske.lim"},
        {false, "CALC:LIM:LOAD \"../maske.lim\"", "", "", -257},
        {false, "CALC:LIM:LOAD \"/etc/passwd\"", "", "", -257},
        {false, "CALC:LIM:LOAD maske.lim", "", "", -224},
        {true, "CALC:LIM:LOAD \"/tmp/m.lim\"", "", "grenzen /tmp/m.lim"},
        {true, "CALC:LIM:LOAD \"sub/m.lim\"", "", "grenzen " + ordner + "/sub/m.lim"},
        {false, "CALC:LIM:CLE;CALC:LIM:STAT OFF;CALC:LIM:STAT?", "0", "pruefen"},
        {false, "CALC:LIM:FAIL?;CALC:LIM:FAIL:POIN?", "1;11200000,11210000", ""},
        {false, "MMEM:CDIR?", "\"" + ordner + "\"", ""},
        {false, "MMEM:CDIR \"/tmp\";MMEM:CDIR?", "\"" + ordner + "\"", "", -221},
        {true, "MMEM:CDIR \"/tmp/\";MMEM:CDIR?", "\"/tmp\"", ""},
        {true, "MMEM:CDIR \"/nonexistent-qzl7\";MMEM:CDIR?", "\"" + ordner + "\"", "", -256},
        {false, "MMEM:STOR:TRAC \"a.csv\",CSV", "", "spur csv"},
        {false, "MMEM:STOR:TRAC \"a.csv\",XLS", "", "", -224},
        {false, "MMEM:STOR:TRAC \"a/b.csv\",CSV", "", "", -257},
        {false, "MMEM:STOR:TRAC \"a.csv\"", "", "", -109},
        {false, "MMEM:STOR:STAT \"filter\"", "", "speichern filter"},
        {true, "MMEM:STOR:STAT \"filter\"", "", "speichern filter ersetzen"},
        {true, "MMEM:LOAD:STAT \"../filter\"", "", "", -257},
        {false, "MMEM:LOAD:STAT \"filter\";MMEM:CAT:STAT?", "\"a\",\"b c\"", "laden filter"},
    };
    for (const auto& f : faelle) {
        test::FakeZiel ziel;
        fern::Sitzung s{ziel, f.vertraut, ordner};
        EXPECT_EQ(s.empfangen(f.zeile + "\n"), f.antwort.empty() && f.zeile.find('?') == std::string::npos
                                                    ? ""
                                                    : f.antwort + "\n")
            << f.zeile;
        EXPECT_EQ(ziel.aufrufe.empty() ? "" : ziel.aufrufe.back(), f.aufruf) << f.zeile;
        EXPECT_EQ(std::stoi(s.empfangen("SYST:ERR?\n")), f.fehler) << f.zeile;
    }

    // The trace lands in the folder, made on first use; over TCP a second
    // store of the name is refused and the file stays.
    test::FakeZiel ziel;
    fern::Sitzung tcp{ziel, false, ordner};
    tcp.empfangen("MMEM:STOR:TRAC \"b.csv\",CSV\n");
    EXPECT_EQ(tcp.empfangen("SYST:ERR?\n"), "0,\"No error\"\n");
    ziel.spurBytes = "anders";
    tcp.empfangen("MMEM:STOR:TRAC \"b.csv\",CSV\n");
    EXPECT_EQ(std::stoi(tcp.empfangen("SYST:ERR?\n")), -257);
    std::ifstream ein(ordner + "/b.csv");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(ein), {}), "frequency_hz,reading,level_db\n");
    fern::Sitzung unix{ziel, true, ordner};
    unix.empfangen("MMEM:STOR:TRAC \"b.csv\",CSV\n");
    EXPECT_EQ(unix.empfangen("SYST:ERR?\n"), "0,\"No error\"\n");
    // A refused pass writes nothing.
    ziel.ergebnis = {-241, "synthesised"};
    tcp.empfangen("MMEM:STOR:TRAC \"c.csv\",CSV\n");
    EXPECT_EQ(std::stoi(tcp.empfangen("SYST:ERR?\n")), -241);
    EXPECT_FALSE(std::filesystem::exists(ordner + "/c.csv"));
    std::filesystem::remove_all(ordner);

    for (const char* name : {"", ".", "..", "a/b", "a\\b", "x..y", "\x01"}) EXPECT_FALSE(fern::blosserName(name)) << name;
    EXPECT_TRUE(fern::blosserName("filter 10.7 MHz.csv"));
    EXPECT_EQ(fern::standardOrdner("/x", "/home/u"), "/x/qzl7");
    EXPECT_EQ(fern::standardOrdner("rel", "/home/u"), "/home/u/.local/share/qzl7");
    EXPECT_EQ(fern::standardOrdner(nullptr, nullptr), "");
}

// The crystal: its figures in one line, 9.91E37 for what was not measured;
// MEASure? holds the session like *OPC? until the measurement has ended.
TEST(Fernsteuerung, Quarz) {
    const std::string figuren = "10000012.35,9.91E37,12.5,0.01594232,1.589123e-14,4.1e-12,1234.568,60000,1.9,0.0523,42";
    const struct {
        std::string zeilen;
        fern::Ergebnis fehler;  // of the fit
        std::string sofort, danach;
        int code = 0;
    } faelle[] = {
        {"CALC:CRYS?;CALC:CRYS:WARN?\n", {}, figuren + ";\"\"\n", ""},
        {"CALC:CRYS?\n", {-230, "no resonance"}, "\n", "", -230},
        {"CALC:CRYS:MEAS?\n*IDN?\nCALC:CRYS:FIXT 75\n", {}, "", figuren + "\nqzl7,qzl7,0,7.3\n"},
        {"CALC:CRYS:MEAS?;SWE:POIN?\n", {-241, "silent"}, "", ";3\n", -241},
        {"CALC:CRYS:FIXT 12.5;CALC:CRYS:FIXT?\n", {}, "12.5\n", ""},
        {"CALC:CRYS:FIXT 50 Ohm\n", {}, "", "", -224},
        {"CALC:CRYS:FIXT? 5\n", {}, "\n", "", -108},
    };
    for (const auto& f : faelle) {
        Stand t;
        t.ziel.quarzFehler = f.fehler;
        EXPECT_EQ(t.s.empfangen(f.zeilen), f.sofort) << f.zeilen;
        EXPECT_EQ(t.s.wartet(), !f.danach.empty()) << f.zeilen;
        t.ziel.offen = false;
        EXPECT_EQ(t.s.weiter(), f.danach) << f.zeilen;
        EXPECT_EQ(t.fehlercode(), f.code) << f.zeilen;
    }
    // The warning is that of the session's last figures; a refusal takes it back.
    Stand t;
    t.ziel.quarzWerte.warnung = "the loss is \"small\"";
    EXPECT_EQ(t.s.empfangen("CALC:CRYS?;:CALC:CRYS:WARN?\n"), figuren + ";\"the loss is \"\"small\"\"\"\n");
    t.ziel.ergebnis = {-221, "a sweep is running"};
    EXPECT_EQ(t.s.empfangen("CALC:CRYS:MEAS?;:CALC:CRYS:WARN?\n"), ";\"\"\n");
    EXPECT_EQ(t.s.empfangen("CALC:CRYS:FIXT 0\nSYST:ERR?\n"), "-221,\"a sweep is running\"\n");
}

}  // namespace
}  // namespace qzl
