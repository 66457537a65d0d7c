// One measurement against an instrument that answers with any bytes at any
// time, at 8 or 10 bits: the reading stays in range, the wait ends, and a
// reply either counts or ends in the time-out.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/geraet.h"
#include "umgebung.h"

namespace {

// The input, front to back, little-endian: a flag byte (bit 0 10-bit, 1 lin,
// 2 demo, 3 IF on, 4-5 IF rule, 6-7 stray bytes), delay (16 bits), clock, IF,
// tick offset, point, frequency (32 bits each), the stray bytes, then the
// reply: per byte the ms since the one before (16 bits) and the byte.
struct Leser {
    const std::uint8_t* d;
    std::size_t n;
    template <class T>
    T nimm() {
        std::uint8_t b[sizeof(T)] = {};
        const std::size_t k = std::min(sizeof(T), n);
        std::memcpy(b, d, k);
        d += k;
        n -= k;
        T v;
        std::memcpy(&v, b, sizeof v);
        return v;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using namespace qzl;
    using fuzz::pruefen;
    auto& u = fuzz::Umgebung::frisch();
    auto& st = u.st;
    Leser ein{d, n};
    const auto flags = ein.nimm<std::uint8_t>();
    st.messgenauigkeit = flags & 1 ? 10 : 8;
    st.linModus = (flags & 2) != 0;
    st.demoModus = (flags & 4) != 0;
    st.zfAktiv = (flags & 8) != 0;
    st.zfBerechnung = flags >> 4 & 3;
    st.delay = ein.nimm<std::int16_t>();
    st.taktfrequenz = ein.nimm<std::int32_t>();
    st.zwischenfrequenz = ein.nimm<std::int32_t>();
    u.uhr.tickVersatz = ein.nimm<std::uint32_t>();
    const auto punkt = ein.nimm<std::int32_t>();
    const auto frequenz = ein.nimm<std::int32_t>();
    std::vector<std::uint8_t> streu;
    for (int k = flags >> 6; k > 0 && ein.n > 0; --k) streu.push_back(ein.nimm<std::uint8_t>());
    u.port.eingang.assign(streu.begin(), streu.end());
    struct Byte {
        std::int64_t ab;  // ms after the command byte
        std::uint8_t wert;
    };
    std::vector<Byte> antwort;
    for (std::int64_t ab = 0; ein.n >= 3;) {
        ab += ein.nimm<std::uint16_t>();
        antwort.push_back({ab, ein.nimm<std::uint8_t>()});
    }
    u.port.beiBefehl = [&](test::FakePort& port, std::uint8_t) {
        for (const auto& b : antwort) port.antwortIn(b.ab, {b.wert});
    };
    const std::uint16_t vorher = 777;
    st.rohwert = vorher;
    const std::int64_t beginn = u.uhr.jetzt;

    einzelmessung(u.p.geraet, punkt, frequenz);

    const bool zehn = st.messgenauigkeit == 10;
    pruefen(u.port.geschrieben.size() == 5 && u.port.geschrieben[4] == befehlsbyte(st.messgenauigkeit, st.linModus));
    pruefen(u.uhr.jetzt - beginn <= std::max<std::int64_t>(st.delay, 0) + 60 + antwortGrenzeMs + 1000);
    pruefen(st.rohwert <= (zehn ? 1023 : 255) || st.rohwert == vorher);
    const bool abgelaufen = st.uebertragungsfehler;
    pruefen(u.fenster.meldungen.size() == (abgelaufen ? 1u : 0u));
    pruefen(!abgelaufen || (st.demoModus && st.messart == Messart::demo && st.rohwert == vorher));
    if (!abgelaufen) pruefen(st.messart == Messart::durchgang);
    if (!streu.empty()) return 0;

    if (st.demoModus && !abgelaufen) {
        pruefen(st.rohwert == demoRohwert(punkt));
        return 0;
    }
    // Without stray bytes the outcome follows from the reply's timing alone.
    const bool erstesRecht = !antwort.empty() && antwort[0].ab < antwortGrenzeMs;
    const bool zweitesRecht = antwort.size() >= 2 &&
                              antwort[1].ab < std::max(antwortGrenzeMs, antwort[0].ab + 1000);
    const bool gilt = erstesRecht && (!zehn || zweitesRecht);
    pruefen(abgelaufen == !gilt);
    if (gilt) pruefen(st.rohwert == (zehn ? zehnBitWert(antwort[0].wert, antwort[1].wert) : antwort[0].wert));
    return 0;
}
