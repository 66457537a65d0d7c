// A remote-control client sending any bytes. Whole or in pieces, a session
// answers the same and calls its target the same; its answers are whole
// lines of text; its error queue holds 16 entries at most. A second run cuts
// passes short at random between pieces and sends the input up to four
// times over, so that the lines held behind *OPC? reach their limit.
//
// The first byte chooses the pieces and the repeats; the rest is the input.
#include <cstdint>
#include <string>
#include <string_view>

#include "state/zeichensatz.h"
#include "fake_ziel.h"
#include "remote/sitzung.h"

namespace {

void pruefen(bool gilt) {
    if (!gilt) __builtin_trap();
}

void antwortPruefen(const std::string& antwort) {
    pruefen(antwort.empty() || antwort.back() == '\n');
    for (const char c : antwort) pruefen(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F));
}

struct Zufall {
    std::uint32_t zustand;
    std::uint32_t operator()() {
        zustand = zustand * 1664525u + 1013904223u;
        return zustand >> 8;
    }
    std::size_t stueck() {
        const std::uint32_t r = (*this)();
        return 1 + (*this)() % (r % 2 ? 8 : 5000);
    }
};

// Ends the last line, lets every sweep end and every held line run, then
// reads the whole queue. A session that met an HTTP request says nothing more.
std::string abschliessen(qzl::test::FakeZiel& ziel, qzl::fern::Sitzung& s) {
    std::string rest = s.empfangen("\n");
    while (s.wartet()) {
        ziel.offen = ziel.dauer = false;
        rest += s.weiter();
    }
    for (std::size_t i = 0; i <= qzl::fern::Fehlerschlange::platz; ++i) rest += s.empfangen("SYST:ERR?\n");
    pruefen(s.geschlossen() ? rest.empty() : rest.ends_with("0,\"No error\"\n"));
    antwortPruefen(rest);
    pruefen(qzl::gueltigesUtf8(ziel.titel));
    return rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    if (n == 0) return 0;
    Zufall zufall{d[0] * 2654435761u};
    const std::string_view eingabe(reinterpret_cast<const char*>(d + 1), n - 1);

    qzl::test::FakeZiel zielGanz, zielStuecke;
    qzl::fern::Sitzung ganz(zielGanz), stuecke(zielStuecke);
    std::string antwortGanz = ganz.empfangen(eingabe), antwortStuecke;
    for (std::size_t i = 0; i < eingabe.size();) {
        const std::string_view teil = eingabe.substr(i, zufall.stueck());
        antwortStuecke += stuecke.empfangen(teil);
        i += teil.size();
    }
    antwortPruefen(antwortGanz);
    antwortGanz += abschliessen(zielGanz, ganz);
    antwortStuecke += abschliessen(zielStuecke, stuecke);
    pruefen(antwortGanz == antwortStuecke);
    pruefen(zielGanz.aufrufe == zielStuecke.aufrufe);
    pruefen(ganz.geschlossen() == stuecke.geschlossen());

    qzl::test::FakeZiel ziel;
    qzl::fern::Sitzung s(ziel);
    for (std::uint32_t mal = 1 + d[0] % 4u; mal-- > 0;) {
        for (std::size_t i = 0; i < eingabe.size();) {
            const std::string_view teil = eingabe.substr(i, zufall.stueck());
            antwortPruefen(s.empfangen(teil));
            i += teil.size();
            if (zufall() % 4 == 0) ziel.offen = ziel.dauer = false;
            antwortPruefen(s.weiter());
        }
    }
    abschliessen(ziel, s);
    return 0;
}
