// A misbehaving instrument and system, through the real serial code against
// the simulator's faults on a pseudo-terminal.
#include <gtest/gtest.h>

#include "engine/geraet.h"
#include "engine/durchlauf.h"
#include "handlers/verbindung.h"
#include "serial/port_diagnose.h"
#include "handlers/sweep.h"
#include "sim_verbindung.h"
#include "temp_ordner.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace qzl {
namespace {

using Verbindung = test::SimVerbindung;

// 40 stray bytes behind the third reply: without care every later reading
// would be one of them, then a reply 40 exchanges old.
TEST(Stoerung, StreubytesVerschiebenKeineMesswerte) {
    sim::SimOptionen opt;
    opt.muellNach = 3;
    Verbindung v(opt);
    PortSetzen(v.p);
    std::vector<std::uint16_t> gelesen;
    for (int k = 0; k < 10; ++k) {
        einzelmessung(v.p.geraet, 1, 11000000 + k * 100000);
        gelesen.push_back(v.st->rohwert);
        // Only the third reply brings them, in the same write.
        EXPECT_EQ(v.port.wartend(), k == 2 ? 40u : 0u) << k;
    }
    const auto protokoll = v.simulator.protokoll();
    ASSERT_EQ(protokoll.size(), 10u);
    for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(gelesen[k], protokoll[k].roh) << k;
    EXPECT_TRUE(v.fenster.meldungen.empty());
}

sim::SimOptionen durchgang() {
    sim::SimOptionen o;
    o.modell = *sim::modellLesen("through");  // reads 210, shown as 400
    return o;
}

// The adapter pulled after five exchanges: the sixth point times out once,
// then demonstration readings follow; plugged in again and the port reopened
// (as the settings dialog does), the instrument is back.
TEST(Stoerung, GeraetVerschwindetMittenImDurchlauf) {
    auto opt = durchgang();
    opt.aufhaengenNach = 5;
    Verbindung v(opt);
    test::FakeUhr uhr;
    uhr.schrittJeAbfrage = 1000;
    Programm p(*v.st, v.fenster, v.port, uhr);
    v.st->comport = 2;
    v.st->messart = Messart::durchgang;
    PortSetzen(p);
    for (int i = 1; i <= 10; ++i) messpunkt(p.geraet, i, 10000000 + (i - 1) * 10000);
    EXPECT_EQ(v.fenster.meldungen, std::vector<std::string>{"Datenübertragungsfehler"});
    EXPECT_EQ(v.st->messart, Messart::demo);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(v.st->messwerte[i], 400) << i;
    EXPECT_EQ(v.st->messwerte[6], 210);  // the last reading, unconverted
    // Demonstration readings 125 sin(i / 25) + 127, rounded.
    const std::int32_t demo[] = {162, 166, 171, 176};
    for (int i = 7; i <= 10; ++i) EXPECT_EQ(v.st->messwerte[i], demo[i - 7]) << i;

    sim::Simulator wieder(durchgang());
    ASSERT_TRUE(wieder.starten());
    v.namen.setzen(2, wieder.pfad());
    v.port.schliessen();
    PortSetzen(p);
    v.st->demoModus = false;
    v.st->rohwert = 0;
    einzelmessung(p.geraet, 1, 10000000);
    EXPECT_EQ(v.st->rohwert, 210);
    EXPECT_EQ(v.fenster.meldungen.size(), 1u);
    EXPECT_EQ(wieder.austauschAnzahl(), 1u);
}

// The real line, with the reply seen as if it came ms after the command: the
// limit is checked on the clock, and a test must not wait four seconds.
struct SpaeterPort : PosixPort {
    SpaeterPort(const PortNamen& n, test::FakeUhr& u, std::int64_t ms) : PosixPort(n), uhr(u), spaeter(ms) {}
    std::size_t empfangen(std::uint8_t* ziel, std::size_t anzahl, std::int64_t ms) override {
        const std::size_t n = PosixPort::empfangen(ziel, anzahl, ms);
        if (n > 0) uhr.jetzt += spaeter;
        return n;
    }
    test::FakeUhr& uhr;
    std::int64_t spaeter;
};

TEST(Stoerung, AntwortNach39SekundenGiltNach41Nicht) {
    for (auto [ms, gilt] : {std::pair<std::int64_t, bool>{3900, true}, {4100, false}}) {
        Verbindung v(durchgang());
        test::FakeUhr uhr;
        SpaeterPort port(v.namen, uhr, ms);
        Programm p(*v.st, v.fenster, port, uhr);
        v.st->comport = 2;
        v.st->rohwert = 7;
        PortSetzen(p);
        einzelmessung(p.geraet, 1, 10000000);
        EXPECT_EQ(v.st->rohwert, gilt ? 210 : 7) << ms;
        EXPECT_EQ(v.fenster.meldungen.size(), gilt ? 0u : 1u) << ms;
        EXPECT_EQ(v.st->demoModus.load(), !gilt) << ms;
    }
}

// The hint depends on the reason; running as root, the tests cannot make
// every reason happen, so the text is checked from the errno.
TEST(Diagnose, GrundUndHinweisJeFehler) {
    const struct {
        int fehler;
        const char* gruppe;
        const char* hinweis;  // "" none
    } faelle[] = {
        {EACCES, "dialout", "; add yourself to the group dialout (sudo usermod -aG dialout $USER) and log in again"},
        {EPERM, "uucp", "; add yourself to the group uucp (sudo usermod -aG uucp $USER) and log in again"},
        {EACCES, "root", "; you need read and write permission on the device"},
        {EACCES, "", "; you need read and write permission on the device"},
        {EBUSY, "dialout", "; another program (perhaps a second qzl7) is using the port, close it first"},
        {EWOULDBLOCK, "", "; another program (perhaps a second qzl7) is using the port, close it first"},
        {ENOENT, "", "; no such device: is the adapter plugged in? qzl7 --list-ports shows the serial devices, "
                     "--comN=PATH picks one"},
        {ENXIO, "", "; no such device: is the adapter plugged in? qzl7 --list-ports shows the serial devices, "
                    "--comN=PATH picks one"},
        {ENODEV, "", "; no such device: is the adapter plugged in? qzl7 --list-ports shows the serial devices, "
                     "--comN=PATH picks one"},
        {ENOTTY, "", "; not a serial device: qzl7 --list-ports shows the serial devices"},
        {EISDIR, "", "; not a serial device: qzl7 --list-ports shows the serial devices"},
        {EIO, "dialout", ""},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(portFehlerText("/dev/ttyS1", 2, f.fehler, f.gruppe),
                  std::string("qzl7: cannot open COM 2 (/dev/ttyS1): ") + std::strerror(f.fehler) + f.hinweis);
    }
    EXPECT_EQ(portFehlerText("/dev/x", 0, EIO, ""), std::string("qzl7: cannot open /dev/x: ") + std::strerror(EIO));
    EXPECT_EQ(einrichtFehlerText("/dev/x", 3, EIO),
              std::string("qzl7: cannot set up COM 3 (/dev/x) as a serial line: ") + std::strerror(EIO));
    EXPECT_EQ(geraeteGruppe("/"), "root");
    EXPECT_EQ(geraeteGruppe("/does/not/exist"), "");
}

// Each port that cannot be opened leaves one line on standard error, naming
// the device and the reason; the window still says nothing until the time-out.
TEST(Diagnose, PortDerNichtAufgeht) {
    test::TempOrdner ordner;
    const std::string datei = ordner.pfad + "/keine-leitung";
    std::ofstream(datei) << "x";
    Verbindung v;
    PosixPort besetzer(v.namen);
    const struct {
        std::string pfad;  // "" the simulator, held by another program
        int comport;
        std::string zeile;
    } faelle[] = {
        {"/dev/does-not-exist", 2, "qzl7: cannot open COM 2 (/dev/does-not-exist): " + std::string(std::strerror(ENOENT))},
        {ordner.pfad, 2, "qzl7: cannot open COM 2 (" + ordner.pfad + "): " + std::strerror(EISDIR)},
        {datei, 2, "qzl7: cannot open COM 2 (" + datei + "): " + std::strerror(ENOTTY)},
        {"", 2, "qzl7: cannot open COM 2 (" + v.simulator.pfad() + "): " + std::strerror(EWOULDBLOCK)},
        {"/dev/does-not-exist", 7, "qzl7: COM 7 names no device; only COM 1 to 4 can be used (menu Einstellungen)"},
    };
    std::vector<std::string> zeilen;
    v.p.diagnose = [&](const std::string& z) { zeilen.push_back(z); };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.pfad);
        zeilen.clear();
        v.namen.setzen(2, f.pfad.empty() ? v.simulator.pfad() : f.pfad);
        if (f.pfad.empty()) {
            ASSERT_TRUE(besetzer.oeffnen(2));
        }
        v.st->comport = f.comport;
        PortSetzen(v.p);
        EXPECT_FALSE(v.port.offen());
        ASSERT_EQ(zeilen.size(), 1u);
        EXPECT_EQ(zeilen[0].substr(0, f.zeile.size()), f.zeile);
        EXPECT_TRUE(v.fenster.meldungen.empty());
        besetzer.schliessen();
    }
    zeilen.clear();
    v.namen.setzen(2, v.simulator.pfad());
    v.st->comport = 2;
    PortSetzen(v.p);
    EXPECT_TRUE(v.port.offen());
    EXPECT_TRUE(zeilen.empty());
}

TEST(Diagnose, PortOptionenDieNichtGehen) {
    const std::vector<std::string> argumente = {"-c",       "--com2",      "X",      "--COM2=/a", "--Com3=/b",
                                                "--com9=/c", "--com0=/d", "--com2=", "--comport=/e", "--com4=/f", "--com"};
    PortNamen n;
    const auto warnungen = n.ausArgumenten(argumente);
    const std::string zusatz = " (--comN=PATH, N from 1 to 4)";
    EXPECT_EQ(warnungen, (std::vector<std::string>{
                             "qzl7: ignoring '--com2': the device path follows '=' in the same argument" + zusatz,
                             "qzl7: ignoring '--COM2=/a': write it in lower case" + zusatz,
                             "qzl7: ignoring '--Com3=/b': write it in lower case" + zusatz,
                             "qzl7: ignoring '--com9=/c': only COM 1 to 4 can be mapped" + zusatz,
                             "qzl7: ignoring '--com0=/d': only COM 1 to 4 can be mapped" + zusatz,
                             "qzl7: ignoring '--com2=': the device path is empty" + zusatz,
                             "qzl7: ignoring '--comport=/e': only COM 1 to 4 can be mapped" + zusatz,
                             "qzl7: ignoring '--com': only COM 1 to 4 can be mapped" + zusatz,
                         }));
    EXPECT_EQ(n.name(2), "/dev/ttyS1");
    EXPECT_EQ(n.name(3), "/dev/ttyS2");
    EXPECT_EQ(n.name(4), "/f");
    EXPECT_TRUE(n.ausArgumenten({"--co", "--list-ports", "-c", "--com1=/x"}).empty());
    EXPECT_EQ(n.name(1), "/x");
}

// A terminal given as the port gets its own settings back when the program
// lets go of it.
TEST(Stoerung, LeitungseinstellungenZurueckBeimSchliessen) {
    const int gegenstelle = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(gegenstelle, 0);
    ASSERT_EQ(::grantpt(gegenstelle), 0);
    ASSERT_EQ(::unlockpt(gegenstelle), 0);
    const std::string pfad = ::ptsname(gegenstelle);
    const int terminal = ::open(pfad.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    termios vorher{};
    ASSERT_EQ(::tcgetattr(terminal, &vorher), 0);
    vorher.c_lflag |= ICANON | ECHO | ISIG;
    vorher.c_iflag |= ICRNL | IXON;
    vorher.c_oflag |= OPOST;
    ::cfsetspeed(&vorher, B38400);
    ASSERT_EQ(::tcsetattr(terminal, TCSANOW, &vorher), 0);

    PortNamen namen;
    PosixPort port(namen);
    ASSERT_TRUE(port.oeffnenPfad(pfad));
    port.konfigurieren(9600);
    termios roh{};
    ASSERT_EQ(::tcgetattr(terminal, &roh), 0);
    EXPECT_EQ(roh.c_lflag & ICANON, 0u);
    port.schliessen();
    termios nachher{};
    ASSERT_EQ(::tcgetattr(terminal, &nachher), 0);
    EXPECT_EQ(nachher.c_lflag, vorher.c_lflag);
    EXPECT_EQ(nachher.c_iflag, vorher.c_iflag);
    EXPECT_EQ(nachher.c_oflag, vorher.c_oflag);
    EXPECT_EQ(nachher.c_cflag, vorher.c_cflag);
    EXPECT_EQ(::cfgetospeed(&nachher), B38400);
    ::close(terminal);
    ::close(gegenstelle);
}

}  // namespace
}  // namespace qzl
