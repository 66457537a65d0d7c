#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/detektor.h"
#include "sim/modell.h"
#include "sim/rahmen.h"
#include "sim/rauschen.h"

namespace qzl::sim {

struct SimOptionen {
    double taktHz = 100e6;
    Modell modell;               // default: band-pass 11.4 MHz, 500 kHz wide
    int baud = 0;                // 0: no pacing
    int latenzMs = 0;
    bool stumm = false;
    long stummNach = -1;         // answer N exchanges then fall silent
    bool zehnBitAbschneiden = false;  // send only the first byte of a 10-bit reply
    long muellNach = -1;         // stray bytes right behind reply N (1 = the first)
    int muellAnzahl = 40;        // how many
    long aufhaengenNach = -1;    // after N exchanges the device vanishes (unplugged)
    double rauschenStufen = 0.0; // Gaussian noise on each reading, standard deviation in converter steps
    std::uint64_t saat = 1;      // the noise's seed
    std::string logPfad;         // "" none, "-" stderr
    // Keeps every exchange and byte for protokoll() and empfangen(); tests
    // want it, a simulator running for hours must not grow without end.
    bool aufzeichnen = true;
};

// The instrument on a pseudo-terminal. A client opens pfad() like a serial
// port; a worker thread answers each exchange from the model.
class Simulator {
public:
    explicit Simulator(SimOptionen optionen);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool starten(std::string* fehler = nullptr);
    const std::string& pfad() const;
    void stoppen();
    void stummSetzen(bool stumm);
    // A new device under test, from the next exchange on (the user changing
    // the set-up during a calibration).
    void modellSetzen(const Modell& modell);
    std::uint64_t austauschAnzahl() const;

    struct Austausch {
        std::uint32_t abstimmwort;
        std::uint8_t befehl;
        double frequenzHz;
        std::uint16_t roh;
        std::vector<std::uint8_t> antwort;  // empty when silent
    };
    std::vector<Austausch> protokoll() const;
    std::vector<std::uint8_t> empfangen() const;

private:
    using Zeitpunkt = std::chrono::steady_clock::time_point;

    void arbeiten();
    bool austauschen(const Rahmen& rahmen, Zeitpunkt rxEnde, Zeitpunkt& txFrei);
    bool schlafenBis(Zeitpunkt zeit);
    void schreiben(const std::uint8_t* daten, std::size_t anzahl);
    void loggen(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void schliessen();

    const SimOptionen opt_;
    std::string pfad_;
    int master_ = -1;
    int slave_ = -1;       // held open so the master never sees a hang-up
    int weckLesen_ = -1;   // self-pipe: a byte here stops the worker
    int weckSchreiben_ = -1;
    std::FILE* log_ = nullptr;
    std::thread worker_;

    Modell modell_;  // guarded by mutex_
    Rauschen rauschen_;  // the worker's alone
    std::atomic<bool> stumm_;
    std::atomic<std::uint64_t> anzahl_{0};
    mutable std::mutex mutex_;
    std::vector<Austausch> protokoll_;
    std::vector<std::uint8_t> empfangen_;
};

}  // namespace qzl::sim
