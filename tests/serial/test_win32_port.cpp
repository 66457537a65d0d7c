// The Win32 port under Wine, with the simulator on the other side of the
// line (am_simulator.sh maps it as the port QZL7_TEST_PORT).
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "engine/geraet.h"
#include "handlers/verbindung.h"
#include "state/instrument_state.h"
#include "handlers/programm.h"
#include "fakes.h"
#include "serial/port_liste.h"
#include "serial/port_win32.h"
#include "temp_ordner.h"

namespace qzl {
namespace {

std::string testPort() {
    const char* name = std::getenv("QZL7_TEST_PORT");
    return name ? name : "";
}

DCB leitung(HANDLE h) {
    DCB d{};
    d.DCBlength = sizeof d;
    EXPECT_TRUE(::GetCommState(h, &d));
    return d;
}

// The line speed another program left behind.
void fremdEinstellen(const std::string& port) {
    const HANDLE h = ::CreateFileW(win32GeraetePfad(port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DCB d = leitung(h);
    d.BaudRate = 19200;
    EXPECT_TRUE(::SetCommState(h, &d));
    ::CloseHandle(h);
}

TEST(Win32Port, AustauschMitDemSimulator) {
    const std::string port = testPort();
    ASSERT_FALSE(port.empty()) << "run through am_simulator.sh";
    fremdEinstellen(port);

    PortNamen namen;
    namen.setzen(2, port);
    Win32Port p2(namen);
    test::FakeFenster fenster;
    SystemUhr uhr;
    auto st = std::make_unique<InstrumentState>();
    st->comport = 2;
    st->baudrate = 57600;
    Programm p(*st, fenster, p2, uhr);
    PortSetzen(p);
    ASSERT_TRUE(p2.offen()) << p2.fehlerMeldung();
    EXPECT_EQ(p2.fehlerMeldung(), "");
    const DCB d = leitung(p2.handle());
    EXPECT_EQ(d.BaudRate, 57600u);
    EXPECT_EQ(d.ByteSize, 8);
    EXPECT_EQ(d.Parity, NOPARITY);
    EXPECT_EQ(d.StopBits, ONESTOPBIT);
    EXPECT_TRUE(d.fBinary);
    EXPECT_FALSE(d.fOutxCtsFlow || d.fOutxDsrFlow || d.fOutX || d.fInX);

    // The default model's band-pass: 206 in the pass band, 144 at 10 MHz
    // (the Linux link tests' figures), exchange after exchange.
    const int anzahl = 2000;
    int falsch = 0;
    const auto beginn = std::chrono::steady_clock::now();
    for (int i = 0; i < anzahl; ++i) {
        const bool mitte = i % 2 == 0;
        einzelmessung(p.geraet, 1, mitte ? 11400000 : 10000000);
        falsch += st->rohwert != (mitte ? 206 : 144);
    }
    const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
    std::cout << "exchanges per second under Wine: " << anzahl / sekunden << "\n";
    EXPECT_EQ(falsch, 0);
    EXPECT_TRUE(fenster.meldungen.empty());

    // Waiting keeps what came for the read; discarding drops it too.
    const std::uint8_t befehl[] = {0x9A, 0x99, 0x99, 0x19, 80};
    std::uint8_t antwort[4] = {};
    p2.schreiben(befehl, sizeof befehl);
    ASSERT_TRUE(p2.warten(4000));
    EXPECT_EQ(p2.wartend(), 1u);
    p2.eingangVerwerfen();
    EXPECT_EQ(p2.wartend(), 0u);
    EXPECT_EQ(p2.empfangen(antwort, sizeof antwort, 50), 0u);
    p2.schreiben(befehl, sizeof befehl);
    ASSERT_TRUE(p2.warten(4000));
    EXPECT_EQ(p2.empfangen(antwort, 1, 4000), 1u);
    p2.schreiben(befehl, sizeof befehl);
    EXPECT_EQ(p2.empfangen(antwort, 1, 4000), 1u);
    EXPECT_EQ(antwort[0], 144);  // 10 MHz
    EXPECT_EQ(p2.lesen(antwort, sizeof antwort), 0u);
    // Three replies: the one warten() took and the next one are read, the
    // third stays.
    for (int i = 0; i < 3; ++i) p2.schreiben(befehl, sizeof befehl);
    ASSERT_TRUE(p2.warten(4000));
    for (int i = 0; i < 400 && p2.wartend() < 3; ++i) ::Sleep(10);
    ASSERT_EQ(p2.wartend(), 3u);
    EXPECT_EQ(p2.lesen(antwort, 2), 2u);
    EXPECT_EQ(p2.wartend(), 1u);

    // Closed, the other program's settings are back.
    p2.schliessen();
    const HANDLE h = ::CreateFileW(win32GeraetePfad(port).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const DCB danach = leitung(h);
    ::CloseHandle(h);
    EXPECT_EQ(danach.BaudRate, 19200u);
}

bool endetMit(const std::string& text, const std::string& ende) {
    return text.size() >= ende.size() && text.compare(text.size() - ende.size(), ende.size(), ende) == 0;
}

TEST(Win32Port, FehlschlaegeNennenPortUndGrund) {
    const std::string port = testPort();
    ASSERT_FALSE(port.empty()) << "run through am_simulator.sh";
    test::TempOrdner ordner;
    ordner.schreiben("keinport.txt", "x");
    const std::string datei = ordner.datei("keinport.txt");
    PortNamen namen;
    namen.setzen(2, port);
    namen.setzen(3, "COM250");
    const std::string keinPort = "; no such port: is the adapter plugged in? qzl7-cli list-ports shows the "
                                 "serial ports, --port picks one";
    const std::string keinSeriellerPort = "; not a serial port: qzl7-cli list-ports shows the serial ports";

    struct Fall {
        std::string pfad;  // "COM n" for a number
        std::string anfang;  // "": it opens
        std::string hinweis;
        Zugang zugang;
    };
    const Fall faelle[] = {
        {port, "", "", Zugang::frei},
        {"\\\\.\\" + port, "", "", Zugang::frei},
        {"com" + port.substr(3), "", "", Zugang::frei},
        {"COM 2", "", "", Zugang::frei},
        {"COM 3", "qzl7: cannot open COM 3 (COM250): ", keinPort, Zugang::fehlt},
        {"COM251", "qzl7: cannot open COM251: ", keinPort, Zugang::fehlt},
        {datei, "qzl7: cannot open " + datei + ": ", keinSeriellerPort, Zugang::keinGeraet},
    };
    for (const auto& f : faelle) {
        Win32Port w(namen);
        const bool nummer = f.pfad.rfind("COM ", 0) == 0;
        const bool offen = nummer ? w.oeffnen(f.pfad[4] - '0') : w.oeffnenPfad(f.pfad);
        EXPECT_EQ(offen, f.anfang.empty()) << f.pfad;
        EXPECT_EQ(w.offen(), offen) << f.pfad;
        const std::string meldung = w.fehlerMeldung();
        EXPECT_EQ(meldung.rfind(f.anfang, 0), 0u) << f.pfad << ": " << meldung;
        EXPECT_TRUE(endetMit(meldung, f.hinweis)) << f.pfad << ": " << meldung;
        // Between them the system's reason, without its full stop and line end.
        if (!offen) {
            const std::string grund = meldung.substr(f.anfang.size(), meldung.size() - f.anfang.size() - f.hinweis.size());
            EXPECT_TRUE(!grund.empty() && std::isalnum(static_cast<unsigned char>(grund.back()))) << meldung;
        }
        w.schliessen();
        if (!nummer) {
            EXPECT_EQ(zugangPruefen(f.pfad).zugang, f.zugang) << f.pfad;
        }
    }

    // Wine lets a second program open a port; Windows itself refuses it
    // with "access denied".
    const std::string belegt = win32OeffnenFehlerText("COM4", 4, ERROR_ACCESS_DENIED);
    EXPECT_EQ(belegt.rfind("qzl7: cannot open COM 4 (COM4): ", 0), 0u) << belegt;
    EXPECT_TRUE(endetMit(belegt, "; another program is using the port, close it first")) << belegt;
    EXPECT_TRUE(endetMit(win32OeffnenFehlerText("COM4", 0, ERROR_FILE_NOT_FOUND), keinPort));
    EXPECT_EQ(win32OeffnenFehlerText("COM4", 0, ERROR_GEN_FAILURE).find(';'), std::string::npos);

    // COM 7 names no port: refused without a word of the port's own. Closed,
    // the port lets the time pass and has nothing.
    Win32Port zu(namen);
    EXPECT_FALSE(zu.oeffnen(7));
    EXPECT_EQ(zu.fehlerMeldung(), "");
    std::uint8_t b[2];
    EXPECT_FALSE(zu.warten(20));
    EXPECT_EQ(zu.empfangen(b, 2, 20), 0u);
    EXPECT_EQ(zu.wartend(), 0u);
    EXPECT_EQ(zu.lesen(b, 2), 0u);
}

// COM names get the device prefix that COM10 and above need; any other
// name is left as it is.
TEST(Win32Port, GeraetePfade) {
    const std::pair<std::string, std::wstring> faelle[] = {
        {"COM7", L"\\\\.\\COM7"}, {"com10", L"\\\\.\\com10"}, {"COM19", L"\\\\.\\COM19"},
        {"\\\\.\\COM3", L"\\\\.\\COM3"},
        {"COMX", L"COMX"}, {"CON5", L"CON5"}, {"COM", L"COM"}, {"C:\\x", L"C:\\x"}, {"xOM5", L"xOM5"},
    };
    for (const auto& [name, pfad] : faelle) EXPECT_TRUE(win32GeraetePfad(name) == pfad) << name;
}

// Ports without a device entry are known from the registry's list: COM9
// (not there) comes before the test's port (10 and up), each with whether
// it can be opened.
TEST(Win32Port, PortListe) {
    const std::string port = testPort();
    ASSERT_FALSE(port.empty()) << "run through am_simulator.sh";
    HKEY liste{};
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &liste, nullptr),
              ERROR_SUCCESS);
    const std::wstring breit(port.begin(), port.end());
    const std::wstring neun = L"COM9";
    ::RegSetValueExW(liste, L"\\Device\\qzl7a", 0, REG_SZ, reinterpret_cast<const BYTE*>(breit.c_str()),
                     static_cast<DWORD>((breit.size() + 1) * sizeof(wchar_t)));
    ::RegSetValueExW(liste, L"\\Device\\qzl7b", 0, REG_SZ, reinterpret_cast<const BYTE*>(neun.c_str()),
                     static_cast<DWORD>((neun.size() + 1) * sizeof(wchar_t)));
    const std::string text = portListe(serielleGeraeteSuchen(), PortNamen{});
    ::RegDeleteValueW(liste, L"\\Device\\qzl7a");
    ::RegDeleteValueW(liste, L"\\Device\\qzl7b");
    ::RegCloseKey(liste);
    const auto neunDa = text.find("COM9  does not exist\n");
    const auto portDa = text.find(port + "  can be opened\n");
    EXPECT_NE(neunDa, std::string::npos) << text;
    EXPECT_NE(portDa, std::string::npos) << text;
    EXPECT_LT(neunDa, portDa) << text;
}

}  // namespace
}  // namespace qzl
