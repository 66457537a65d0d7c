#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "sim/simulator.h"

namespace qzl::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 10 MHz at a 100 MHz clock.
Bytes rahmen(std::uint8_t befehl, std::uint32_t wort = 0x1999999A) {
    return {static_cast<std::uint8_t>(wort), static_cast<std::uint8_t>(wort >> 8),
            static_cast<std::uint8_t>(wort >> 16), static_cast<std::uint8_t>(wort >> 24), befehl};
}

Bytes verbinden(std::initializer_list<Bytes> teile) {
    Bytes alle;
    for (const auto& t : teile) alle.insert(alle.end(), t.begin(), t.end());
    return alle;
}

// The client side, as a program would open a serial port.
class Klient {
public:
    explicit Klient(const std::string& pfad) : fd_(::open(pfad.c_str(), O_RDWR | O_NOCTTY)) {
        if (fd_ < 0) return;
        termios t{};
        ::tcgetattr(fd_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd_, TCSANOW, &t);
    }
    ~Klient() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool offen() const { return fd_ >= 0; }

    void schreiben(const Bytes& b) { ASSERT_EQ(::write(fd_, b.data(), b.size()), static_cast<ssize_t>(b.size())); }

    // Reads until n bytes came or nothing arrived for a while; the limit only
    // keeps a broken simulator from hanging the test.
    Bytes lesen(std::size_t n, int grenzeMs = 3000) {
        Bytes b;
        while (b.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, grenzeMs) <= 0) break;
            std::uint8_t puffer[64];
            const ssize_t r = ::read(fd_, puffer, std::min(sizeof puffer, n - b.size()));
            if (r <= 0) break;
            b.insert(b.end(), puffer, puffer + r);
        }
        return b;
    }

    bool stillFuer(int ms) {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, ms) == 0;
    }

private:
    int fd_;
};

bool wartenAufAustausch(const Simulator& sim, std::uint64_t anzahl) {
    for (int i = 0; i < 3000 && sim.austauschAnzahl() < anzahl; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return sim.austauschAnzahl() >= anzahl;
}

SimOptionen mitModell(const char* text) {
    SimOptionen o;
    o.modell = *modellLesen(text);
    return o;
}

TEST(Simulator, Austausche) {
    struct Fall {
        const char* name;
        SimOptionen optionen;
        Bytes senden;
        Bytes antwort;
    };
    auto mit = [](const char* modell, auto aendern) {
        auto o = mitModell(modell);
        aendern(o);
        return o;
    };
    const Fall faelle[] = {
        {"8-bit log, through", mitModell("through"), rahmen('P'), {210}},
        {"8-bit lin, through", mitModell("through"), rahmen('Q'), {210}},
        {"10-bit log, through", mitModell("through"), rahmen('T'), {0xD2, 0x00}},
        {"10-bit lin, low bits in the second byte", mitModell("reflection:6"), rahmen('U'), {0x82, 0x40}},
        {"reflection log", mitModell("reflection:20"), rahmen('P'), {170}},
        {"open log", mitModell("open"), rahmen('P'), {0}},
        {"open lin", mitModell("open"), rahmen('Q'), {50}},
        {"clock scales the frequency", mit("lowpass:5e6", [](SimOptionen& o) { o.taktHz = 50e6; }), rahmen('P'), {204}},
        {"stray byte before the exchange", mitModell("through"), verbinden({{0x00}, rahmen('P')}), {210}},
        {"several exchanges in one write", mitModell("reflection:20"), verbinden({rahmen('P'), rahmen('Q'), rahmen('T')}),
         {170, 66, 170, 0}},
        {"10-bit reply cut after its first byte",
         mit("reflection:20", [](SimOptionen& o) { o.zehnBitAbschneiden = true; }),
         verbinden({rahmen('T'), rahmen('Q'), rahmen('P')}), {170, 66, 170}},
        {"paced at 9600 baud with latency",
         mit("through", [](SimOptionen& o) {
             o.baud = 9600;
             o.latenzMs = 5;
         }),
         verbinden({rahmen('T'), rahmen('P')}), {0xD2, 0x00, 210}},
        {"paced at 57600 baud", mit("through", [](SimOptionen& o) { o.baud = 57600; }), rahmen('U'), {0xD2, 0x00}},
        // -2 dB in the pass band: 50 + 2 x 78
        {"default model passes its centre", SimOptionen{}, rahmen('P', 0x1D2F1AA0), {206}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Simulator sim(f.optionen);
        std::string fehler;
        ASSERT_TRUE(sim.starten(&fehler)) << fehler;
        Klient k(sim.pfad());
        ASSERT_TRUE(k.offen());
        k.schreiben(f.senden);
        EXPECT_EQ(k.lesen(f.antwort.size()), f.antwort);
        EXPECT_EQ(sim.empfangen(), f.senden);
    }
}

TEST(Simulator, ProtokollHaeltJedenAustauschFest) {
    Simulator sim(mitModell("through"));
    ASSERT_TRUE(sim.starten());
    Klient k(sim.pfad());
    k.schreiben(verbinden({{0x77}, rahmen('P'), rahmen('T', 43)}));
    ASSERT_EQ(k.lesen(3).size(), 3u);

    const auto p = sim.protokoll();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(sim.austauschAnzahl(), 2u);
    EXPECT_EQ(p[0].abstimmwort, 0x1999999Au);
    EXPECT_EQ(p[0].befehl, 'P');
    EXPECT_NEAR(p[0].frequenzHz, 10e6, 0.02);
    EXPECT_EQ(p[0].roh, 210);
    EXPECT_EQ(p[0].antwort, Bytes{210});
    EXPECT_EQ(p[1].abstimmwort, 43u);
    EXPECT_EQ(p[1].befehl, 'T');
    EXPECT_NEAR(p[1].frequenzHz, 1.0, 0.01);
    EXPECT_EQ(p[1].roh, 840);
    EXPECT_EQ(p[1].antwort, (Bytes{0xD2, 0x00}));
    EXPECT_EQ(sim.empfangen().front(), 0x77);
}

TEST(Simulator, RauschenWiederholtSichMitDerSaat) {
    auto lauf = [](std::uint64_t saat) {
        auto o = mitModell("reflection:20");
        o.rauschenStufen = 1.0;
        o.saat = saat;
        Simulator sim(o);
        EXPECT_TRUE(sim.starten());
        Klient k(sim.pfad());
        Bytes alle;
        for (int i = 0; i < 40; ++i) alle = verbinden({alle, rahmen('P')});
        k.schreiben(alle);
        EXPECT_EQ(k.lesen(40).size(), 40u);
        std::vector<int> roh;
        for (const auto& a : sim.protokoll()) roh.push_back(a.roh);
        return roh;
    };
    const auto erster = lauf(3);
    ASSERT_EQ(erster.size(), 40u);
    EXPECT_EQ(lauf(3), erster);
    EXPECT_NE(lauf(4), erster);
    int abseits = 0;
    for (int r : erster) {
        EXPECT_NEAR(r, 170, 5);  // 5 standard deviations
        abseits += r != 170;
    }
    EXPECT_GT(abseits, 10);
}

TEST(Simulator, VerstummtNachNAustauschen) {
    auto o = mitModell("through");
    o.stummNach = 2;
    Simulator sim(o);
    ASSERT_TRUE(sim.starten());
    Klient k(sim.pfad());
    for (int i = 0; i < 2; ++i) {
        k.schreiben(rahmen('P'));
        EXPECT_EQ(k.lesen(1), Bytes{210});
    }
    k.schreiben(rahmen('T'));
    ASSERT_TRUE(wartenAufAustausch(sim, 3));
    EXPECT_TRUE(k.stillFuer(100));
    const auto p = sim.protokoll();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_TRUE(p[2].antwort.empty());
    EXPECT_EQ(p[2].roh, 840);  // still measured and recorded
}

TEST(Simulator, StummLaesstSichUmschalten) {
    auto o = mitModell("reflection:20");
    o.stumm = true;
    Simulator sim(o);
    ASSERT_TRUE(sim.starten());
    Klient k(sim.pfad());
    k.schreiben(rahmen('P'));
    ASSERT_TRUE(wartenAufAustausch(sim, 1));
    EXPECT_TRUE(k.stillFuer(50));

    sim.stummSetzen(false);
    k.schreiben(rahmen('Q'));
    EXPECT_EQ(k.lesen(1), Bytes{66});  // the silent exchange left nothing behind

    sim.stummSetzen(true);
    k.schreiben(rahmen('P'));
    ASSERT_TRUE(wartenAufAustausch(sim, 3));
    EXPECT_TRUE(k.stillFuer(50));
}

TEST(Simulator, UeberlebtSchliessenUndWiederoeffnen) {
    Simulator sim(mitModell("through"));
    ASSERT_TRUE(sim.starten());
    for (int runde = 0; runde < 3; ++runde) {
        SCOPED_TRACE(runde);
        Klient k(sim.pfad());
        ASSERT_TRUE(k.offen());
        k.schreiben(rahmen('P'));
        EXPECT_EQ(k.lesen(1), Bytes{210});
    }
    EXPECT_EQ(sim.austauschAnzahl(), 3u);
}

TEST(Simulator, LogdateiNenntWortUndAntwort) {
    const std::string log = ::testing::TempDir() + "qzl7-sim-test.log";
    auto o = mitModell("through");
    o.logPfad = log;
    {
        Simulator sim(o);
        ASSERT_TRUE(sim.starten());
        Klient k(sim.pfad());
        k.schreiben(verbinden({{0x42}, rahmen('T')}));
        ASSERT_EQ(k.lesen(2).size(), 2u);
    }
    std::ifstream datei(log);
    std::stringstream inhalt;
    inhalt << datei.rdbuf();
    const auto text = inhalt.str();
    EXPECT_NE(text.find("1999999A"), std::string::npos) << text;
    EXPECT_NE(text.find("D2 00"), std::string::npos) << text;
    EXPECT_NE(text.find("raw 840"), std::string::npos) << text;
    EXPECT_NE(text.find("stray byte 42"), std::string::npos) << text;
    std::remove(log.c_str());
}

TEST(Simulator, StartenUndStoppen) {
    {
        Simulator nieGestartet{SimOptionen{}};
        nieGestartet.stoppen();
    }
    Simulator sim{SimOptionen{}};
    ASSERT_TRUE(sim.starten());
    EXPECT_EQ(sim.pfad().rfind("/dev/", 0), 0u);
    std::string fehler;
    EXPECT_FALSE(sim.starten(&fehler));
    EXPECT_FALSE(fehler.empty());
    sim.stoppen();
    sim.stoppen();

    auto o = mitModell("through");
    o.logPfad = "/nonexistent-dir/x.log";
    Simulator ohneLog(o);
    EXPECT_FALSE(ohneLog.starten(&fehler));
    EXPECT_NE(fehler.find("x.log"), std::string::npos);
}

}  // namespace
}  // namespace qzl::sim
