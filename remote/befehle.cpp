#include "remote/befehle.h"

#include <algorithm>
#include <array>
#include <vector>

#include "remote/datei_befehle.h"
#include "remote/durchlauf_befehle.h"
#include "remote/quarz_befehle.h"
#include "remote/spur_befehle.h"
#include "remote/zahlen.h"
#include "state/messmarken.h"

namespace qzl::fern {

bool erledigt(Lage& l, const Ergebnis& e) {
    if (e.code != 0) l.fehler.melden(e.code, e.text);
    return e.code == 0;
}

std::optional<bool> schalter(std::string_view p) {
    if (wortPasst("ON", p) || p == "1") return true;
    if (wortPasst("OFF", p) || p == "0") return false;
    return std::nullopt;
}

bool felderLesen(Lage& l, std::string_view p, std::span<std::string_view> felder) {
    std::size_t n = 0;
    for (; n < felder.size() && !p.empty(); ++n) {
        const std::size_t komma = p.find(',');
        felder[n] = ohneRand(p.substr(0, komma));
        p = komma == std::string_view::npos ? std::string_view{} : p.substr(komma + 1);
    }
    const bool voll = n == felder.size() && std::ranges::none_of(felder, &std::string_view::empty);
    if (p.empty() && voll) return true;
    l.fehler.melden(p.empty() ? -109 : -108);
    return false;
}

std::string paar(std::int64_t frequenz, double pegel) { return std::to_string(frequenz) + ',' + zahlText(pegel); }

std::string paare(const Kurve& k) {
    std::string t;
    for (std::size_t i = 0; i < std::min(k.frequenzen.size(), k.pegel.size()); ++i)
        t += (i ? "," : "") + paar(k.frequenzen[i], k.pegel[i]);
    return t;
}

namespace {

constexpr std::array<std::string_view, 4> artNamen{"TRANsmission", "REFLection", "SPECtrum", "VFO"};
constexpr std::array<Messart, 4> arten{Messart::durchgang, Messart::reflexion, Messart::spektrum, Messart::vfo};
constexpr std::array<std::string_view, 2> detektorNamen{"LOGarithmic", "LINear"};

void frequenzSetzen(Lage& l, std::string_view p, Ergebnis (Fernziel::*setzen)(std::int64_t)) {
    const Zahl z = frequenzArgument(p);
    if (z.fehler != 0)
        l.fehler.melden(z.fehler);
    else
        erledigt(l, (l.ziel.*setzen)(z.wert));
}

template <class T, class F>
std::string liste(const std::vector<T>& werte, F text) {
    std::string t;
    for (const T& w : werte) t += (t.empty() ? "" : ",") + text(w);
    return t;
}

std::string einzeilig(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

Antwort ausserhalb(Lage& l) {
    l.fehler.melden(-222);
    return std::nullopt;
}

Antwort stopfrequenz(Lage& l) {
    const std::int64_t start = l.ziel.startfrequenz();
    const std::int64_t schritt = l.ziel.schrittweite();
    const std::int64_t punkte = l.ziel.punktzahl();
    std::int64_t weg = 0, stop = 0;
    if (__builtin_mul_overflow(punkte - 1, schritt, &weg) || __builtin_add_overflow(start, weg, &stop))
        return ausserhalb(l);
    return std::to_string(stop);
}

Antwort kurveText(Lage& l) { return mitWert(l, l.ziel.kurve(), paare); }

Antwort bandText(Lage& l) {
    const Wert<Band> b = l.ziel.band();
    std::int64_t breite = 0;
    if (!erledigt(l, b.fehler)) return std::nullopt;
    if (__builtin_sub_overflow(b.wert.oben, b.wert.unten, &breite)) return ausserhalb(l);
    return std::to_string(b.wert.unten) + ',' + std::to_string(b.wert.oben) + ',' + std::to_string(breite);
}

// START,STEP,POINTS: every field read before anything is set.
void bereichSetzen(Lage& l, std::string_view p) {
    std::array<std::string_view, 3> felder;
    if (!felderLesen(l, p, felder)) return;
    const Zahl start = frequenzArgument(felder[0]), schritt = frequenzArgument(felder[1]),
               punkte = ganzzahlArgument(felder[2]);
    for (const Zahl& z : {start, schritt, punkte})
        if (z.fehler != 0) return l.fehler.melden(z.fehler);
    erledigt(l, l.ziel.bereichSetzen(start.wert, schritt.wert, punkte.wert));
}

void punkteSetzen(Lage& l, std::string_view p) {
    const Zahl z = ganzzahlArgument(p);
    if (z.fehler != 0)
        l.fehler.melden(z.fehler);
    else
        erledigt(l, l.ziel.punktzahlSetzen(static_cast<std::int32_t>(z.wert)));
}

void messartSetzen(Lage& l, std::string_view p) {
    if (const auto i = auswahl(artNamen, p))
        erledigt(l, l.ziel.messartSetzen(arten[*i]));
    else
        l.fehler.melden(-224);
}

void detektorSetzen(Lage& l, std::string_view p) {
    if (const auto i = auswahl(detektorNamen, p))
        erledigt(l, l.ziel.detektorSetzen(static_cast<Detektor>(*i)));
    else
        l.fehler.melden(-224);
}

void ueberschriftSetzen(Lage& l, std::string_view p) {
    if (const auto text = zeichenketteLesen(p))
        erledigt(l, l.ziel.ueberschriftSetzen(*text));
    else
        l.fehler.melden(-224);
}

constexpr Eintrag tafel[] = {
    {"*IDN", [](Lage& l) -> Antwort { return "qzl7,qzl7,0," + einzeilig(l.ziel.version()); }, nullptr, false},
    {"*CLS", nullptr, [](Lage& l, std::string_view) { l.fehler.leeren(); }, false},
    {"*OPC", fertig, nullptr, false},
    {"SYSTem:ERRor:[NEXT]", [](Lage& l) -> Antwort { return l.fehler.naechster(); }, nullptr, false},
    {"SYSTem:PROTocol", [](Lage&) -> Antwort { return "4"; }, nullptr, false},
    {"SYSTem:DEMO", [](Lage& l) -> Antwort { return l.ziel.demo() ? "1" : "0"; }, nullptr, false},
    {"[SENSe]:FREQuency:STARt", [](Lage& l) -> Antwort { return std::to_string(l.ziel.startfrequenz()); },
     [](Lage& l, std::string_view p) { frequenzSetzen(l, p, &Fernziel::startfrequenzSetzen); }, true},
    {"[SENSe]:FREQuency:STEP", [](Lage& l) -> Antwort { return std::to_string(l.ziel.schrittweite()); },
     [](Lage& l, std::string_view p) { frequenzSetzen(l, p, &Fernziel::schrittweiteSetzen); }, true},
    {"[SENSe]:FREQuency:STOP", stopfrequenz, nullptr, false},
    {"[SENSe]:SWEep:POINts", [](Lage& l) -> Antwort { return std::to_string(l.ziel.punktzahl()); }, punkteSetzen,
     true},
    {"[SENSe]:SWEep:RANGe",
     [](Lage& l) -> Antwort {
         return std::to_string(l.ziel.startfrequenz()) + ',' + std::to_string(l.ziel.schrittweite()) + ',' +
                std::to_string(l.ziel.punktzahl());
     },
     bereichSetzen, true},
    {"[SENSe]:SWEep:STATe", [](Lage& l) -> Antwort { return l.ziel.laeuft() ? "RUN" : "IDLE"; }, nullptr, false},
    {"[SENSe]:MODE",
     [](Lage& l) -> Antwort {
         const auto art = std::ranges::find(arten, l.ziel.messart());
         return kurzform(artNamen, static_cast<std::size_t>(art - arten.begin()));
     },
     messartSetzen, true},
    {"[SENSe]:DETector",
     [](Lage& l) -> Antwort { return kurzform(detektorNamen, static_cast<std::size_t>(l.ziel.detektor())); },
     detektorSetzen, true},
    {"INITiate:[IMMediate]", nullptr, [](Lage& l, std::string_view) { starten(l); }, false},
    {"INITiate:CONTinuous", [](Lage& l) -> Antwort { return l.ziel.dauerlauf() ? "1" : "0"; },
     [](Lage& l, std::string_view p) { dauerlaufSchalten(l, p); }, true},
    {"ABORt", nullptr, [](Lage& l, std::string_view) { abbrechen(l); }, false},
    {"TRACe:DATA", kurveText, nullptr, false},
    {"TRACe:RAW",
     [](Lage& l) -> Antwort {
         return mitWert(l, l.ziel.kurve(), [](const Kurve& k) {
             return liste(k.rohwerte, [](std::int32_t r) { return std::to_string(r); });
         });
     },
     nullptr, false},
    {"CALCulate:MAXimum",
     [](Lage& l) -> Antwort { return mitWert(l, l.ziel.maximum(), [](Punkt p) { return paar(p.frequenz, p.pegel); }); },
     nullptr, false},
    {"CALCulate:MINimum",
     [](Lage& l) -> Antwort { return mitWert(l, l.ziel.minimum(), [](Punkt p) { return paar(p.frequenz, p.pegel); }); },
     nullptr, false},
    {"CALCulate:BANDwidth", bandText, nullptr, false},
    {"CALCulate:CURSor", [](Lage& l) -> Antwort { return std::to_string(l.ziel.cursor()); },
     [](Lage& l, std::string_view p) { frequenzSetzen(l, p, &Fernziel::cursorSetzen); }, true},
    {"DISPlay:HEADing", [](Lage& l) -> Antwort { return zeichenketteText(l.ziel.ueberschrift()); },
     ueberschriftSetzen, true},
};

static_assert(tafelStimmig(tafel));

// The entry kopf names, with its suffix.
const Eintrag* eintragZu(std::string_view kopf, int& suffix) {
    for (const std::span<const Eintrag> t : {std::span<const Eintrag>(tafel), spurTafel(), dateiTafel(), quarzTafel()})
        for (const Eintrag& e : t)
            if (const auto s = kopfSuffix(e.muster, kopf)) {
                suffix = *s;
                return &e;
            }
    return nullptr;
}

}  // namespace

Ausfuehrung ausfuehren(std::string_view teil, Lage& lage) {
    Ausfuehrung a;
    ausgangMelden(lage);
    const std::size_t blank = teil.find(' ');
    std::string_view kopf = teil.substr(0, blank);
    std::string_view parameter = blank == std::string_view::npos ? std::string_view{} : teil.substr(blank + 1);
    while (parameter.starts_with(' ')) parameter.remove_prefix(1);
    // A query's answer is owed even when the line is no command at all.
    a.abfrage = kopf.ends_with('?');
    if (!zeichenErlaubt(teil)) {
        lage.fehler.melden(-100);
        return a;
    }
    if (!a.abfrage && befehlWartet(lage)) {
        a.warten = true;
        return a;
    }
    if (a.abfrage) kopf.remove_suffix(1);
    const Eintrag* e = eintragZu(kopf, lage.suffix);
    if (e == nullptr || !(a.abfrage ? e->abfrage != nullptr : e->befehl != nullptr)) {
        lage.fehler.melden(-113);
    } else if (lage.suffix < 1 || lage.suffix > anzahlMessmarken) {
        lage.fehler.melden(-114);
    } else if (!parameter.empty() && (a.abfrage || !e->mitParameter)) {
        lage.fehler.melden(-108);
    } else if (a.abfrage) {
        lage.warten = false;
        const Antwort antwort = e->abfrage(lage);
        a.warten = lage.warten;
        a.antwort = antwort.value_or("");
    } else if (parameter.empty() && e->mitParameter) {
        lage.fehler.melden(-109);
    } else {
        e->befehl(lage, parameter);
    }
    return a;
}

}  // namespace qzl::fern
