#include "handlers/quarzanalyse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "handlers/ablesung.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "state/hz_text.h"

namespace qzl {

namespace {

constexpr const char* titel = "Quarzanalyse";
constexpr const char* ungemessen = "nicht gemessen";

// German figures: a decimal comma, and points between the thousands as the
// window writes its frequencies.
std::string dezimal(double wert, int stellen) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", stellen, std::fabs(wert));
    std::string s = text;
    std::size_t ende = s.find('.');
    if (ende == std::string::npos)
        ende = s.size();
    else
        s[ende] = ',';
    for (std::size_t i = ende; i > 3; i -= 3) s.insert(i - 3, ".");
    return (wert < 0 ? "-" : "") + s;
}

// Four significant digits: more than the fit resolves would only mislead.
std::string signifikant(double wert, const char* einheit) {
    const int stellen = wert > 0 ? std::clamp(3 - static_cast<int>(std::floor(std::log10(wert))), 0, 6) : 0;
    return dezimal(wert, stellen) + " " + einheit;
}

std::string ohmText(double ohm) {
    std::string t = zahlText(ohm);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

// "50", "50,5", "75.0", "1e3": a point or a comma, blanks around, no unit.
std::optional<double> ohmLesen(std::string text) {
    const auto anfang = text.find_first_not_of(' ');
    if (anfang == std::string::npos) return std::nullopt;
    text = text.substr(anfang, text.find_last_not_of(' ') - anfang + 1);
    std::replace(text.begin(), text.end(), ',', '.');
    double ohm = 0;
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), ohm);
    if (fehler != std::errc{} || ende != text.data() + text.size()) return std::nullopt;
    return ohm;
}

// The reason with what to change; "" for Stop.
std::string quarzEinwandText(Quarzeinwand::Art art) {
    using A = Quarzeinwand::Art;
    switch (art) {
        case A::messart:
            return "Die Quarzanalyse misst den Durchgang: bitte die Durchgangsmessung (Transmission) wählen.";
        case A::linear:
            return "Die Quarzanalyse braucht Pegel in dB: bitte auf den logarithmischen Detektor (log.) umschalten.";
        case A::synthetisch:
            return "Die Messwerte sind synthetisch (Demonstration ohne Gerät): bitte das Gerät anschließen und unter "
                   "„Optionen“ mit OK neu verbinden.";
        case A::keineResonanz:
            return "Im Messbereich liegt keine Resonanz: bitte den Bereich um die Frequenz des Quarzes erweitern.";
        case A::boden:
            return "Die Spitze liegt am Boden der Skala: bitte prüfen, ob der Quarz in der Fassung sitzt und die "
                   "Durchgangsmessung kalibriert ist.";
        case A::zuWenigPunkte:
            return "Selbst mit 1 Hz Schrittweite liegen weniger als 20 Punkte im 3-dB-Band: das Band dieses Quarzes "
                   "ist für das Gerät zu schmal.";
        case A::zuGrob:
            return "Im 3-dB-Band liegen weniger als 20 Punkte: bitte den Bereich enger um die Spitze wählen.";
        case A::anpassung:
            return "Das Ersatzschaltbild ließ sich den Messwerten nicht anpassen: bitte die Kalibrierung und den "
                   "Widerstand der Fassung prüfen und erneut messen.";
        case A::keiner:
        case A::abgebrochen: break;
    }
    return "";
}

void quarzFertig(Programm& p) {
    quarzBereichZeigen(p);
    if (const auto a = api::quarzErgebnis(p.geraet)) quarzAnalyseZeigen(p, *a);
}

}  // namespace

void quarzBereichZeigen(Programm& p) {
    // The range of the last pass stays set, as after a frequency entry.
    einstellungenAnzeigen(p);
    maxminwert(p);
}

Quarztafel quarztafel(const Quarzwerte& w, double fassungOhm) {
    Quarztafel t;
    t.zeilen = {
        {"Serienresonanz fs", dezimal(w.fs, 1) + " Hz"},
        {"Parallelresonanz fp", w.fp ? dezimal(*w.fp, 1) + " Hz" : ungemessen},
        {"Rm", signifikant(w.rm, "Ω")},
        {"Lm", signifikant(w.lm * 1e3, "mH")},
        {"Cm", signifikant(w.cm * 1e15, "fF")},
        {"C0", w.c0 ? signifikant(*w.c0 * 1e12, "pF") : ungemessen},
        {"Güte belastet", dezimal(w.qBelastet, 0)},
        {"Güte unbelastet", dezimal(w.qUnbelastet, 0)},
        {"Verlust bei fs", dezimal(w.verlustDb, 2) + " dB"},
        {"Restfehler (rms)", dezimal(w.restDb, 2) + " dB"},
        {"Punkte im Band", std::to_string(w.bandPunkte)},
        {"Fassung", ohmText(fassungOhm) + " Ω"},
    };
    // Each warning weighs how little Rm moves the level at fs against what
    // blurs that level: the converter's steps, the calibration's rounding.
    if (w.warnVerlust)
        t.warnung = "Rm, Lm und Cm sind ungenauer als die üblichen wenigen Prozent: Der Verlust bei fs (" +
                    dezimal(w.verlustDb, 2) +
                    " dB) ist klein gegen die Stufen des Wandlers. Eine Fassung mit kleinerem Widerstand zeigt Rm "
                    "besser.";
    if (w.warnSpanne)
        t.warnung += std::string(t.warnung.empty() ? "" : " ") +
                     "Die Spanne der Kalibrierung ist auf eine ganze Zahl gerundet: Der Pegel bei fs und mit ihm Rm "
                     "können darum mehr als die üblichen wenigen Prozent abweichen.";
    t.kopiertext = std::string(titel) + "\n";
    for (const auto& [name, wert] : t.zeilen) t.kopiertext += name + "\t" + wert + "\n";
    if (!t.warnung.empty()) t.kopiertext += t.warnung + "\n";
    return t;
}

void quarzAnalyseZeigen(Programm& p, const api::Quarzanalyse& a) {
    if (a.werte) return p.fenster.quarzZeigen(quarztafel(*a.werte, api::spurAnsicht(p.geraet).e.quarzFassung));
    // Stopped by the user: nothing to say; by a silent instrument: its box came first.
    if (a.einwand.art == Quarzeinwand::Art::abgebrochen && a.mess.ende == api::MessEnde::stumm)
        return p.fenster.meldung("Das Gerät hat bei " + hzText(a.mess.frequenz) +
                                 " nicht geantwortet: die Quarzanalyse ist abgebrochen.");
    if (const std::string text = quarzEinwandText(a.einwand.art); !text.empty()) p.fenster.meldung(text);
}

void Quarzanalysieren1Click(Programm& p) {
    if (sweepLaeuft(p)) return;
    const auto antwort = p.fenster.abfrage(titel, "Widerstand der Quarzfassung (Quelle und Last) in Ohm:",
                                           ohmText(api::spurAnsicht(p.geraet).e.quarzFassung));
    if (!antwort) return;
    const auto ohm = ohmLesen(*antwort);
    if (!ohm || !fassungGueltig(*ohm) || !api::quarzFassungSetzen(p.geraet, *ohm))
        return p.fenster.meldung("Bitte einen Widerstand von mehr als 0 bis 10000 Ohm eingeben.");
    dm_diagramm(p);
    p.nachDemSweep = [&p] { quarzFertig(p); };
    const api::Ergebnis e = messungStarten(
        p, [&](std::function<void()> amEnde) { return api::quarzMessungStarten(p.geraet, 1, std::move(amEnde)); });
    // Refused only while a sweep runs or without a thread: nothing to tell.
    if (!e) p.nachDemSweep = nullptr;
}

}  // namespace qzl
