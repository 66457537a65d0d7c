#include "remote/quarz_befehle.h"

#include <cmath>
#include <cstdio>

#include "remote/zahlen.h"

namespace qzl::fern {

namespace {

// What was not measured: the instruments' custom for "not a number".
constexpr const char* ungemessen = "9.91E37";

// Frequencies to the hundredth of a hertz, the rest to seven digits, as
// qzl7-cli crystal writes them.
std::string zahl(std::optional<double> wert, bool frequenz = false) {
    if (!wert || !std::isfinite(*wert)) return ungemessen;
    char text[64];
    std::snprintf(text, sizeof text, frequenz ? "%.2f" : "%.7g", *wert);
    return text;
}

// FS,FP,RM,LM,CM,C0,QL,QU,LOSS,RESIDUAL,POINTS; the warning kept for
// CALCulate:CRYStal:WARNing?.
Antwort figuren(Lage& l, const Wert<Quarz>& w) {
    l.quarzWarnung.clear();
    if (!erledigt(l, w.fehler)) return std::nullopt;
    const Quarz& q = w.wert;
    l.quarzWarnung = q.warnung;
    return zahl(q.fs, true) + ',' + zahl(q.fp, true) + ',' + zahl(q.rm) + ',' + zahl(q.lm) + ',' + zahl(q.cm) + ',' +
           zahl(q.c0) + ',' + zahl(q.qBelastet) + ',' + zahl(q.qUnbelastet) + ',' + zahl(q.verlustDb) + ',' +
           zahl(q.restDb) + ',' + std::to_string(q.bandPunkte);
}

// Started on the first call, answered on the call after its end; the
// session holds its later lines meanwhile, as behind *OPC?.
Antwort messen(Lage& l) {
    if (!l.quarzMessung) {
        const Wert<std::uint64_t> w = l.ziel.quarzMessungStarten();
        if (!erledigt(l, w.fehler)) {
            l.quarzWarnung.clear();
            return std::nullopt;
        }
        l.quarzMessung = w.wert;
    }
    if (l.ziel.durchlaufOffen(*l.quarzMessung)) {
        l.warten = true;
        return std::nullopt;
    }
    const std::uint64_t nummer = *l.quarzMessung;
    l.quarzMessung.reset();
    return figuren(l, l.ziel.quarzErgebnis(nummer));
}

void fassungSetzen(Lage& l, std::string_view p) {
    if (const auto ohm = kommazahlArgument(p))
        erledigt(l, l.ziel.quarzFassungSetzen(*ohm));
    else
        l.fehler.melden(-224, "give the fixture's resistance in ohms, e.g. 50 or 12.5");
}

constexpr Eintrag tafel[] = {
    {"CALCulate:CRYStal", [](Lage& l) { return figuren(l, l.ziel.quarzAuswerten()); }, nullptr, false},
    {"CALCulate:CRYStal:MEASure", messen, nullptr, false},
    {"CALCulate:CRYStal:FIXTure", [](Lage& l) -> Antwort { return zahlText(l.ziel.quarzFassung()); },
     fassungSetzen, true},
    {"CALCulate:CRYStal:WARNing", [](Lage& l) -> Antwort { return zeichenketteText(l.quarzWarnung); }, nullptr,
     false},
};

static_assert(tafelStimmig(tafel));

}  // namespace

std::span<const Eintrag> quarzTafel() { return tafel; }

}  // namespace qzl::fern
