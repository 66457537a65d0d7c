#include "remote/spur_befehle.h"

#include <cmath>

#include "remote/zahlen.h"

namespace qzl::fern {

namespace {

constexpr std::array<std::string_view, 4> haltNamen{"OFF", "MAXimum", "MINimum", "AVERage"};
constexpr std::array<Halten, 4> halteArten{Halten::aus, Halten::max, Halten::min, Halten::mittel};
constexpr std::array<std::string_view, 2> mathNamen{"NONE", "DIFFerence"};

std::string name(const Lage& l) { return "marker " + std::to_string(l.suffix); }

Messmarke marke(Lage& l) { return l.ziel.spur().marken[static_cast<std::size_t>(l.suffix - 1)]; }

// Marker n with one change; the target judges it as a whole.
template <class F>
void aendern(Lage& l, F aenderung) {
    erledigt(l, l.ziel.markeAendern(l.suffix, aenderung));
}

Antwort veraltet(Lage& l, const std::string& warum) {
    l.fehler.melden(-230, warum);
    return std::nullopt;
}

// What marker n reads, or nothing when it reads no point.
std::optional<Markenwert> ablesung(Lage& l) {
    const Wert<Markenwert> w = l.ziel.markeAblesen(l.suffix);
    if (!erledigt(l, w.fehler)) return std::nullopt;
    if (w.wert.an && w.wert.aufKurve) return w.wert;
    veraltet(l, name(l) + (w.wert.an ? " lies outside the curve" : " is off"));
    return std::nullopt;
}

template <class F>
Antwort abgelesen(Lage& l, F format) {
    const auto w = ablesung(l);
    return w ? Antwort(format(*w)) : std::nullopt;
}

// A frequency of an interpolated edge, in whole Hz, halves to even (the
// rounding mode's default).
std::string hertz(double hz) { return std::to_string(static_cast<std::int64_t>(std::nearbyint(hz))); }

Antwort deltaText(Lage& l) {
    const auto w = ablesung(l);
    if (!w) return std::nullopt;
    const std::int32_t bezug = marke(l).bezug;
    if (bezug == 0) return veraltet(l, name(l) + " has no delta: set its marker with DELTa");
    if (!w->delta) return veraltet(l, "marker " + std::to_string(bezug) + ", the delta's, is off or outside the curve");
    return paar(w->delta->first, w->delta->second);
}

Antwort bandText(Lage& l) {
    const auto w = ablesung(l);
    if (!w) return std::nullopt;
    const auto ndb = marke(l).bandDb;
    if (!ndb) return veraltet(l, name(l) + " has no band: set its N dB with BWIDth");
    if (!w->band)
        return veraltet(l, "the " + zahlText(*ndb) + " dB band of " + name(l) + " runs off an end of the curve");
    const auto& b = *w->band;
    return hertz(b.unten) + ',' + hertz(b.oben) + ',' + hertz(b.breite) + ',' + hertz(b.mitte) + ',' + zahlText(b.q);
}

void anSetzen(Lage& l, std::string_view p) {
    if (const auto an = schalter(p))
        aendern(l, [&](Messmarke& m) { m.an = *an; });
    else
        l.fehler.melden(-224);
}

// Put by hand: on, and it stays there.
void ankerSetzen(Lage& l, std::string_view p) {
    const Zahl z = frequenzArgument(p);
    if (z.fehler != 0) return l.fehler.melden(z.fehler);
    aendern(l, [&](Messmarke& m) {
        m.frequenz = z.wert;
        m.an = true;
        m.suche = Suche::keine;
    });
}

void bereichSetzen(Lage& l, std::string_view p) {
    std::array<std::string_view, 2> felder;
    if (!felderLesen(l, p, felder)) return;
    const Zahl von = frequenzArgument(felder[0]), bis = frequenzArgument(felder[1]);
    for (const Zahl& z : {von, bis})
        if (z.fehler != 0) return l.fehler.melden(z.fehler);
    aendern(l, [&](Messmarke& m) { m.bereich = std::pair{von.wert, bis.wert}; });
}

Antwort bereichText(Lage& l) {
    const auto b = marke(l).bereich;
    return b ? std::to_string(b->first) + ',' + std::to_string(b->second) : "NONE";
}

void verfolgenSetzen(Lage& l, std::string_view p) {
    if (const auto an = schalter(p))
        aendern(l, [&](Messmarke& m) { m.verfolgen = *an; });
    else
        l.fehler.melden(-224);
}

void deltaSetzen(Lage& l, std::string_view p) {
    const Zahl z = ganzzahlArgument(p);
    if (z.fehler != 0) return l.fehler.melden(z.fehler);
    aendern(l, [&](Messmarke& m) { m.bezug = static_cast<std::int32_t>(z.wert); });
}

// 0 dB: no band.
void bandSetzen(Lage& l, std::string_view p) {
    const auto ndb = kommazahlArgument(p);
    if (!ndb) return l.fehler.melden(-224);
    aendern(l, [&](Messmarke& m) { m.bandDb = *ndb == 0 ? std::nullopt : ndb; });
}

void haltenWaehlen(Lage& l, std::string_view p) {
    if (const auto i = auswahl(haltNamen, p))
        erledigt(l, l.ziel.haltenSetzen(halteArten[*i], l.ziel.spur().mittelAnzahl));
    else
        l.fehler.melden(-224);
}

void mittelAnzahlSetzen(Lage& l, std::string_view p) {
    const Zahl z = ganzzahlArgument(p);
    if (z.fehler != 0) return l.fehler.melden(z.fehler);
    erledigt(l, l.ziel.haltenSetzen(l.ziel.spur().halten, static_cast<std::int32_t>(z.wert)));
}

void differenzWaehlen(Lage& l, std::string_view p) {
    if (const auto i = auswahl(mathNamen, p))
        erledigt(l, l.ziel.differenzZeigen(*i == 1));
    else
        l.fehler.melden(-224);
}

constexpr Eintrag tafel[] = {
    {"CALCulate:MARKer#:[STATe]", [](Lage& l) -> Antwort { return marke(l).an ? "1" : "0"; }, anSetzen, true},
    {"CALCulate:MARKer#:FREQuency",
     [](Lage& l) { return abgelesen(l, [](const Markenwert& w) { return std::to_string(w.frequenz); }); },
     ankerSetzen, true},
    {"CALCulate:MARKer#:Y", [](Lage& l) { return abgelesen(l, [](const Markenwert& w) { return zahlText(w.pegel); }); },
     nullptr, false},
    {"CALCulate:MARKer#:MAXimum", nullptr,
     [](Lage& l, std::string_view) { erledigt(l, l.ziel.markeSuchen(l.suffix, Suche::maximum)); }, false},
    {"CALCulate:MARKer#:MINimum", nullptr,
     [](Lage& l, std::string_view) { erledigt(l, l.ziel.markeSuchen(l.suffix, Suche::minimum)); }, false},
    {"CALCulate:MARKer#:MAXimum:LEFT", nullptr,
     [](Lage& l, std::string_view) { erledigt(l, l.ziel.markeSpitzeSuchen(l.suffix, false)); }, false},
    {"CALCulate:MARKer#:MAXimum:RIGHt", nullptr,
     [](Lage& l, std::string_view) { erledigt(l, l.ziel.markeSpitzeSuchen(l.suffix, true)); }, false},
    {"CALCulate:MARKer#:SEARch:RANGe", bereichText, bereichSetzen, true},
    {"CALCulate:MARKer#:SEARch:RANGe:CLEar", nullptr,
     [](Lage& l, std::string_view) { aendern(l, [](Messmarke& m) { m.bereich.reset(); }); }, false},
    {"CALCulate:MARKer#:TRACking", [](Lage& l) -> Antwort { return marke(l).verfolgen ? "1" : "0"; },
     verfolgenSetzen, true},
    {"CALCulate:MARKer#:DELTa", [](Lage& l) -> Antwort { return std::to_string(marke(l).bezug); }, deltaSetzen,
     true},
    {"CALCulate:MARKer#:DELTa:DATA", deltaText, nullptr, false},
    {"CALCulate:MARKer#:BWIDth",
     [](Lage& l) -> Antwort {
         const auto ndb = marke(l).bandDb;
         return ndb ? zahlText(*ndb) : "0";
     },
     bandSetzen, true},
    {"CALCulate:MARKer#:BWIDth:DATA", bandText, nullptr, false},
    {"CALCulate:MATH", [](Lage& l) -> Antwort { return kurzform(mathNamen, l.ziel.spur().differenz ? 1 : 0); },
     differenzWaehlen, true},
    {"CALCulate:MATH:DATA", [](Lage& l) { return mitWert(l, l.ziel.differenz(), paare); }, nullptr, false},
    {"CALCulate:HOLD",
     [](Lage& l) -> Antwort {
         const auto art = std::ranges::find(halteArten, l.ziel.spur().halten);
         return kurzform(haltNamen, static_cast<std::size_t>(art - halteArten.begin()));
     },
     haltenWaehlen, true},
    {"CALCulate:HOLD:DATA", [](Lage& l) { return mitWert(l, l.ziel.gehalten(), paare); }, nullptr, false},
    {"CALCulate:AVERage:COUNt", [](Lage& l) -> Antwort { return std::to_string(l.ziel.spur().mittelAnzahl); },
     mittelAnzahlSetzen, true},
    {"TRACe:REFerence:STORe", nullptr, [](Lage& l, std::string_view) { erledigt(l, l.ziel.referenzUebernehmen()); },
     false},
    {"TRACe:REFerence:CLEar", nullptr, [](Lage& l, std::string_view) { erledigt(l, l.ziel.referenzVerwerfen()); },
     false},
    {"TRACe:REFerence:DATA", [](Lage& l) { return mitWert(l, l.ziel.referenz(), paare); }, nullptr, false},
};

static_assert(tafelStimmig(tafel));

}  // namespace

std::span<const Eintrag> spurTafel() { return tafel; }

}  // namespace qzl::fern
