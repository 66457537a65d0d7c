// The device link through the real serial code against the simulator on a
// pseudo-terminal.
#include <gtest/gtest.h>

#include "engine/geraet.h"
#include "handlers/verbindung.h"
#include "serial/port_posix.h"
#include "sim_verbindung.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace qzl {
namespace {

using Verbindung = test::SimVerbindung;

TEST(LinkSim, DrahtBytesUndAntworten) {
    struct Fall {
        bool zfAktiv;
        int zfBerechnung;
        std::int32_t frequenz;
        int genauigkeit;
        bool lin;
        std::vector<std::uint8_t> bytes;
        double tatsaechlichHz;
        std::uint16_t roh;
    };
    const std::uint32_t minus8 = static_cast<std::uint32_t>(-343597384);
    const std::vector<std::uint8_t> minus8Bytes = {
        static_cast<std::uint8_t>(minus8), static_cast<std::uint8_t>(minus8 >> 8),
        static_cast<std::uint8_t>(minus8 >> 16), static_cast<std::uint8_t>(minus8 >> 24), 80};
    // The device under test loses 0.125 dB: the log detector reads 50 + 2 x
    // 79.875 = 209.75 on the 8-bit scale, so 210 in 8 bits and 839 in 10 bits
    // (binary 11010001 11: both low bits cross the line in the second byte).
    // The linear detector reads 50 + 160 x 10^(-0.125 / 20) = 207.71, so 208
    // and 831.
    const Fall faelle[] = {
        {false, 0, 10000000, 8, false, {0x9A, 0x99, 0x99, 0x19, 80}, 10e6, 210},
        {false, 0, 10000000, 10, false, {0x9A, 0x99, 0x99, 0x19, 84}, 10e6, 839},
        {false, 0, 10000000, 10, true, {0x9A, 0x99, 0x99, 0x19, 85}, 10e6, 831},
        {false, 0, 10000000, 8, true, {0x9A, 0x99, 0x99, 0x19, 81}, 10e6, 208},
        {true, 3, 1000000, 8, false, {0x9A, 0x99, 0x99, 0x19, 80}, 10e6, 210},
        {true, 1, 1000000, 8, false, minus8Bytes, 0, 210},
        {false, 3, 1, 8, false, {43, 0, 0, 0, 80}, 1, 210},
    };
    sim::SimOptionen opt;
    opt.modell = *sim::modellLesen("reflection:0.125");
    Verbindung v(opt);
    v.st->comport = 2;
    PortSetzen(v.p);
    ASSERT_TRUE(v.port.offen());
    std::size_t bisher = 0;
    for (const auto& f : faelle) {
        v.st->zfAktiv = f.zfAktiv;
        v.st->zfBerechnung = f.zfBerechnung;
        v.st->messgenauigkeit = f.genauigkeit;
        v.st->linModus = f.lin;
        einzelmessung(v.p.geraet, 1, f.frequenz);
        const auto alle = v.simulator.empfangen();
        ASSERT_EQ(alle.size(), bisher + 5);
        EXPECT_EQ(std::vector<std::uint8_t>(alle.begin() + static_cast<long>(bisher), alle.end()), f.bytes)
            << f.frequenz;
        bisher = alle.size();
        EXPECT_EQ(v.st->rohwert, f.roh) << f.frequenz << " " << f.genauigkeit << (f.lin ? " lin" : " log");
        if (f.tatsaechlichHz > 0) {
            EXPECT_NEAR(v.simulator.protokoll().back().frequenzHz, f.tatsaechlichHz, 0.05);
        }
    }
    EXPECT_TRUE(v.fenster.meldungen.empty());
}

TEST(LinkSim, BandpassPegel) {
    Verbindung v;  // default model: band-pass at 11.4 MHz
    PortSetzen(v.p);
    einzelmessung(v.p.geraet, 1, 11400000);
    const auto mitte = v.st->rohwert.load();
    einzelmessung(v.p.geraet, 1, 10000000);
    const auto daneben = v.st->rohwert.load();
    // -2 dB in the pass band: 50 + 2 x 78. At 10 MHz the detuning is
    // 22.8 x (10 / 11.4 - 11.4 / 10) = -5.99, the loss 10 log(1 + 5.99^4) + 2
    // = 33.1 dB: 50 + 2 x 46.9 = 143.8.
    EXPECT_EQ(mitte, 206);
    EXPECT_EQ(daneben, 144);
}

TEST(LinkSim, AbgeschnitteneZehnBitAntwort) {
    sim::SimOptionen opt;
    opt.zehnBitAbschneiden = true;
    Verbindung v(opt);
    test::FakeUhr schnell;  // the real line, a fast clock so the limit passes soon
    schnell.schrittJeAbfrage = 100;
    Programm p(*v.st, v.fenster, v.port, schnell);
    PortSetzen(p);
    v.st->messgenauigkeit = 10;
    v.st->rohwert = 9;
    einzelmessung(p.geraet, 1, 10000000);
    EXPECT_EQ(v.fenster.meldungen.size(), 1u);
    EXPECT_EQ(v.st->messart, Messart::demo);
    EXPECT_EQ(v.st->rohwert, 9);
}

TEST(LinkSim, PortNamenUndExklusiv) {
    PortNamen n;
    EXPECT_EQ(n.name(1), "/dev/ttyS0");
    EXPECT_EQ(n.name(4), "/dev/ttyS3");
    EXPECT_EQ(n.name(0), "");
    EXPECT_EQ(n.name(5), "");
    n.ausArgumenten({"-c", "--com3=/tmp/x", "--com9=/y", "--com1", "--com4=/dev/pts/7", "--com2=", "--com0=/z"});
    EXPECT_EQ(n.name(3), "/tmp/x");
    EXPECT_EQ(n.name(4), "/dev/pts/7");
    EXPECT_EQ(n.name(1), "/dev/ttyS0");
    EXPECT_EQ(n.name(2), "/dev/ttyS1");
    n.ausArgumenten({"--com1=a"});  // the shortest mapping: one character
    EXPECT_EQ(n.name(1), "a");
    n.setzen(0, "/z");
    n.setzen(5, "/z");
    EXPECT_EQ(n.name(0), "");
    EXPECT_EQ(n.name(5), "");

    Verbindung v;
    // The port holds the line twice (writing, and reading that waits); closed
    // or refused, it holds nothing.
    auto deskriptoren = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto vorher = deskriptoren();
    PosixPort erster(v.namen), zweiter(v.namen);
    ASSERT_TRUE(erster.oeffnen(2));
    // Nothing waiting: reading returns at once with nothing.
    std::uint8_t puffer[4];
    EXPECT_EQ(erster.lesen(puffer, sizeof puffer), 0u);
    EXPECT_FALSE(zweiter.oeffnen(2));  // exclusive access
    EXPECT_EQ(zweiter.handle(), -1);
    erster.schliessen();
    EXPECT_TRUE(zweiter.oeffnen(2));
    EXPECT_FALSE(zweiter.oeffnenPfad("/dev/does-not-exist"));
    EXPECT_FALSE(zweiter.offen());
    EXPECT_FALSE(zweiter.oeffnen(5));  // no device name at all
    EXPECT_FALSE(zweiter.offen());
    EXPECT_EQ(deskriptoren(), vorher);
}

TEST(LinkSim, LeitungseinstellungenRoh8N1) {
    const std::pair<int, speed_t> faelle[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {12345, B9600}, {115200, B9600}};
    Verbindung v;
    for (auto [baud, speed] : faelle) {
        v.st->baudrate = baud;
        v.port.schliessen();
        PortSetzen(v.p);
        termios t{};
        ASSERT_EQ(::tcgetattr(v.port.handle(), &t), 0);
        EXPECT_EQ(::cfgetospeed(&t), speed) << baud;
        EXPECT_EQ(::cfgetispeed(&t), speed) << baud;
        EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK | ISTRIP | ICRNL | INLCR | IGNCR | PARMRK), 0u);
        EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(t.c_cc[VMIN], 0);
        EXPECT_EQ(t.c_cc[VTIME], 1);  // a blocking read waits a tenth of a second
    }
}

TEST(LinkSim, AufgelegteLeitungMeldetKeineDaten) {
    Verbindung v;
    PortSetzen(v.p);
    v.simulator.stoppen();  // the other end hangs up
    EXPECT_FALSE(v.port.warten(30));
    EXPECT_EQ(v.port.wartend(), 0u);
    std::uint8_t b[2];
    EXPECT_EQ(v.port.empfangen(b, 2, 30), 0u);
    EXPECT_EQ(v.port.empfangen(b, 2, 250), 0u);  // waiting in the read itself
}

// The controlling side of a new pseudo-terminal, whose other side
// (ptsname) is a port; -1 if none can be had.
int pseudoTerminal() {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd >= 0 && (::grantpt(fd) != 0 || ::unlockpt(fd) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The port opened on the other side of gegenstelle, at 9600 bit/s.
bool oeffnenGegenueber(PosixPort& port, int gegenstelle) {
    if (!port.oeffnenPfad(::ptsname(gegenstelle))) return false;
    port.konfigurieren(9600);
    return true;
}

// Reads what is there, up to the number asked for, in one go.
TEST(LinkSim, EmpfangenLiestWasDaIst) {
    const int gegenstelle = pseudoTerminal();
    ASSERT_GE(gegenstelle, 0);
    PortNamen namen;
    PosixPort port(namen);
    ASSERT_TRUE(oeffnenGegenueber(port, gegenstelle));
    std::uint8_t b[2] = {0, 0};
    EXPECT_EQ(port.empfangen(b, 2, 0), 0u);
    EXPECT_FALSE(port.warten(0));
    EXPECT_FALSE(port.warten(20));
    const std::uint8_t drei[3] = {0x11, 0x22, 0x33};
    ASSERT_EQ(::write(gegenstelle, drei, 3), 3);
    EXPECT_TRUE(port.warten(2000));  // waiting takes nothing away
    EXPECT_TRUE(port.warten(0));
    ASSERT_EQ(port.empfangen(b, 2, 2000), 2u);
    EXPECT_EQ(b[0], 0x11);
    EXPECT_EQ(b[1], 0x22);
    ASSERT_EQ(port.empfangen(b, 2, 2000), 1u);
    EXPECT_EQ(b[0], 0x33);
    EXPECT_EQ(port.empfangen(b, 0, 0), 0u);
    ::close(gegenstelle);
    EXPECT_EQ(port.empfangen(b, 2, 20), 0u);
}

}  // namespace
}  // namespace qzl

namespace qzl {
namespace {

// Started with standard input closed (as some launchers do), the port gets
// descriptor 0; that is a port like any other.
TEST(LinkSim, PortAufDeskriptorNull) {
    // Descriptor 0 taken while the other end is made, then freed for the port.
    if (::fcntl(0, F_GETFD) < 0) ::open("/dev/null", O_RDONLY);
    const int gegenstelle = pseudoTerminal();
    ASSERT_GE(gegenstelle, 0);
    const int eingabe = ::dup(0);
    ASSERT_GE(eingabe, 0);
    ::close(0);
    PortNamen namen;
    PosixPort port(namen);
    const bool offen = port.oeffnenPfad(::ptsname(gegenstelle));
    const int handle = port.handle();
    port.schliessen();
    ::dup2(eingabe, 0);
    ::close(eingabe);
    ::close(gegenstelle);
    EXPECT_TRUE(offen);
    EXPECT_EQ(handle, 0);
}

}  // namespace
}  // namespace qzl

namespace qzl {
namespace {

// More than the line's queue holds: written in pieces as the other end takes
// them, each piece continuing where the last one ended.
TEST(LinkSim, SchreibenInStueckenBleibtInOrdnung) {
    const int gegenstelle = pseudoTerminal();
    ASSERT_GE(gegenstelle, 0);
    PortNamen namen;
    PosixPort port(namen);
    ASSERT_TRUE(oeffnenGegenueber(port, gegenstelle));
    std::vector<std::uint8_t> daten(20 * 1024);
    for (std::size_t i = 0; i < daten.size(); ++i) daten[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    std::vector<std::uint8_t> angekommen;
    std::thread leser([&] {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::vector<std::uint8_t> puffer(64 * 1024);
        while (angekommen.size() < daten.size() && std::chrono::steady_clock::now() < ende) {
            pollfd p{gegenstelle, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            const ssize_t n = ::read(gegenstelle, puffer.data(), puffer.size());
            if (n > 0) angekommen.insert(angekommen.end(), puffer.begin(), puffer.begin() + n);
        }
    });
    port.schreiben(daten.data(), daten.size());
    leser.join();
    port.schliessen();
    ::close(gegenstelle);
    EXPECT_TRUE(angekommen == daten) << angekommen.size() << " bytes";
}

}  // namespace
}  // namespace qzl
