#include "engine/geraet.h"
#include "engine/zustand.h"

#include "serial/port_diagnose.h"
#include "state/einstellwerte.h"
#include "state/zf_regel.h"

#include <algorithm>
#include <cmath>

namespace qzl {

namespace {
// Waits run in slices of this length so that quitting stays prompt; the port
// still wakes at once for input.
constexpr std::int64_t scheibeMs = 50;
// Waiting for a reply goes in slices of the line's read timer, so that a
// port can wait in the read itself (one system call instead of poll and
// read); quitting then waits at most that.
constexpr std::int64_t antwortScheibeMs = SeriellerPort::leseTaktMs;

}  // namespace

std::uint32_t abstimmwort(std::int32_t taktfrequenz, std::int64_t frequenz) {
    if (taktfrequenz <= 0) return 0;
    const double q = 4294967296.0 / taktfrequenz;
    const double x = q * static_cast<double>(frequenz);
    // Default rounding mode: to nearest, ties to even; fmod of a finite double is exact.
    double m = std::fmod(std::nearbyint(x), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<std::uint32_t>(m);
}

std::uint8_t befehlsbyte(std::int32_t messgenauigkeit, bool linModus) {
    const std::uint8_t basis = messgenauigkeit > 8 ? 84 : 80;
    return static_cast<std::uint8_t>(basis | (linModus ? 1 : 0));
}

std::uint16_t demoRohwert(std::int32_t punktIndex) {
    const double s = 125.0 * std::sin(punktIndex / 25.0);
    return static_cast<std::uint16_t>(static_cast<int>(std::nearbyint(s)) + 127);
}

std::uint16_t zehnBitWert(std::uint8_t b0, std::uint8_t b1) {
    return static_cast<std::uint16_t>(b0 * 4 + (b1 >> 6));
}

std::string portOeffnen(Geraet& g) {
    const int n = zustand(g).comport;
    const bool nummerGueltig = n >= 1 && n <= 4;
    if (nummerGueltig) g.port.oeffnen(n);
    // Driver queue sizes do not exist on this platform.
    g.port.konfigurieren(leitungsGeschwindigkeit(zustand(g).baudrate));
    return nummerGueltig ? g.port.fehlerMeldung() : portNummerText(n);
}

void demoEinschalten(Geraet& g) {
    auto& st = zustand(g);
    st.demoModus = true;
    // A probe that times out again in demonstration keeps the kind from before.
    if (st.messart != Messart::demo) g.messartVorAusfall = st.messart.load();
    st.messart = Messart::demo;
}

namespace {

// Reads up to anzahl reply bytes as soon as the first is there; 0 if none
// came before the deadline (which wins a tie) or the program is quitting.
std::size_t empfangenBis(Geraet& p, std::uint8_t* ziel, std::size_t anzahl, std::int64_t frist) {
    for (;;) {
        const std::int64_t jetzt = p.uhr.monotonMs();
        if (jetzt >= frist || p.beenden || (p.verlustNichtAbwarten && p.port.verschwunden())) return 0;
        const std::size_t n = p.port.empfangen(ziel, anzahl, std::min(frist - jetzt, antwortScheibeMs));
        if (n > 0) return p.uhr.monotonMs() < frist ? n : 0;
    }
}

}  // namespace

std::int64_t befehlSenden(Geraet& p, std::int32_t frequenz) {
    auto& st = zustand(p);
    const std::int64_t abgestimmt =
        st.zfAktiv ? mitZwischenfrequenz(frequenz, st.zwischenfrequenz, st.zfBerechnung) : frequenz;

    const std::uint32_t wort = abstimmwort(st.taktfrequenz, abgestimmt);
    const std::uint8_t bytes[5] = {static_cast<std::uint8_t>(wort), static_cast<std::uint8_t>(wort >> 8),
                                   static_cast<std::uint8_t>(wort >> 16), static_cast<std::uint8_t>(wort >> 24),
                                   befehlsbyte(st.messgenauigkeit, st.linModus)};

    // Anything already waiting (a stray byte, a reply that came too late)
    // would be taken for this reply; dropped, it costs at most one reading.
    const std::int32_t delay = st.delay;
    if (delay <= 1) {
        // Nothing to wait for between tuning and measuring: one write, so a
        // sweep point costs one system call and one wake-up of the line fewer.
        p.port.eingangVerwerfen();
        p.port.schreiben(bytes, 5);
    } else {
        p.port.schreiben(bytes, 4);
        // Settle: the tick must advance by more than delay; sleeping, not
        // spinning, in slices so that quitting need not wait for a long delay.
        const std::uint32_t start = p.uhr.tickMs();
        for (;;) {
            const std::uint32_t vergangen = p.uhr.tickMs() - start;
            if (vergangen > static_cast<std::uint32_t>(delay) || p.beenden) break;
            const std::int64_t rest = static_cast<std::int64_t>(static_cast<std::uint32_t>(delay) - vergangen) + 1;
            p.uhr.schlafenMs(std::min(rest, scheibeMs));
        }
        p.port.eingangVerwerfen();
        p.port.schreiben(bytes + 4, 1);
    }

    return p.uhr.monotonMs();
}

Antwort antwortNehmen(Geraet& p, std::int32_t punktIndex, std::int64_t t0) {
    auto& st = zustand(p);
    st.uebertragungsfehler = false;
    if (st.demoModus) {
        st.rohwert = demoRohwert(punktIndex);
        return Antwort::beantwortet;
    }

    const bool zehnBit = st.messgenauigkeit > 8;
    std::uint8_t antwort[2] = {0, 0};
    std::size_t da = empfangenBis(p, antwort, zehnBit ? 2 : 1, t0 + antwortGrenzeMs);
    // The second byte gets the rest of the limit, but at least a second: a
    // reply cut short counts as no reply instead of hanging.
    if (zehnBit && da == 1)
        da += empfangenBis(p, antwort + 1, 1, std::max(t0 + antwortGrenzeMs, p.uhr.monotonMs() + 1000));
    if (da < (zehnBit ? 2u : 1u)) {
        if (p.beenden) return Antwort::beendet;
        st.uebertragungsfehler = true;
        if (p.stilleMelden) p.stilleMelden();
        return Antwort::stumm;
    }
    st.rohwert = zehnBit ? zehnBitWert(antwort[0], antwort[1]) : antwort[0];
    return Antwort::beantwortet;
}

Antwort einzelmessung(Geraet& p, std::int32_t punktIndex, std::int32_t frequenz) {
    return antwortNehmen(p, punktIndex, befehlSenden(p, frequenz));
}

Geraet::~Geraet() {
    if (sweepThread.joinable()) {
        beenden = true;
        zustand_.stopAnforderung = true;
        sweepThread.join();
    }
}

}  // namespace qzl
