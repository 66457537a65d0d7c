#include "handlers/kalibrierung.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/api.h"
#include "engine/durchlauf.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "state/ganzzahl.h"
#include "state/hz_text.h"
#include "state/kurve.h"

namespace qzl {

namespace {

// Offset from a first set-up that should read 0, span from a second that
// should read 400, for the slot of kind art (1 D, 2 R, 3 S) and the present
// detection. On failure the slot keeps the offset and the neutral span 100.
void faktorpaarKalibrieren(Programm& p, Messart art, const char* erste, const char* zweite) {
    api::kalibrierungBeginnen(p.geraet, art);
    kalibrierSchritt(p, erste);
    api::nullpunktUebernehmen(p.geraet, art);
    kalibrierSchritt(p, zweite);
    if (!api::spanneUebernehmen(p.geraet, art))
        p.fenster.meldung(art == Messart::spektrum ? "Fehler - keine Korrektur" : "Messfehler - keine Korrektur");
}

}  // namespace

void kalibrierSchritt(Programm& p, const std::string& aufforderung) {
    // A refresh period left over from a recent redraw would end the live
    // picture behind the prompt; the sweep's own refresh runs until the stop.
    p.fenster.timerSchalten(Element::Timer1, false);
    startmessung(p);
    p.fenster.meldung(aufforderung);
    stopmessung(p);
}

void Durchgangsmessung2Click(Programm& p) {
    if (p.st.linModus)
        faktorpaarKalibrieren(p, Messart::durchgang, "Eingang offen (0 mV)", "Ein- und Ausgang verbunden ");
    else
        faktorpaarKalibrieren(p, Messart::durchgang, "Eingang -80 dB (offen)", "Ein- und Ausgang verbunden ( 0 dB)");
}

void Reflexionsmessung2Click(Programm& p) {
    faktorpaarKalibrieren(p, Messart::reflexion, "Anpassung 50 Ohm", "Kurzschluß oder Leerlauf");
}

void Spektralmessung2Click(Programm& p) {
    faktorpaarKalibrieren(p, Messart::spektrum, "Eingang offen",
                          p.st.linModus ? "Kalibriersignal 707 mV anlegen" : "Kalibriersignal 10 dBm anlegen");
}

void linieKalibrieren(Programm& p, int n) {
    // There are seven lines; any other number would write beside them.
    if (n < 1 || n > anzahlLinien) return;
    kalibrierSchritt(p, "Linie " + std::to_string(n) + (n <= 2 ? " " : "  "));
    api::linieKalibrieren(p.geraet, n);
    dm_diagramm(p);
}

void Linie11Click(Programm& p) { linieKalibrieren(p, 1); }
void Linie21Click(Programm& p) { linieKalibrieren(p, 2); }
void Linie31Click(Programm& p) { linieKalibrieren(p, 3); }
void Linie41Click(Programm& p) { linieKalibrieren(p, 4); }
void Linie51Click(Programm& p) { linieKalibrieren(p, 5); }
void Linie61Click(Programm& p) { linieKalibrieren(p, 6); }
void Linie71Click(Programm& p) { linieKalibrieren(p, 7); }

void Taktgenerator1Click(Programm& p) {
    auto& st = p.st;
    // A nominal 10 MHz from the nominal clock: the output is a tenth of the real one.
    api::taktKalibrierungBeginnen(p.geraet);
    p.fenster.textSetzen(Element::Label1, hzText(10000000));
    api::generatorAbstimmen(p.geraet);

    const auto vorgabe = static_cast<std::int32_t>(std::nearbyint(st.taktfrequenz / 10.0));
    const std::string antwort =
        p.fenster.eingabe("Takt", "Bitte die gemessene Frequenz eingeben:", std::to_string(vorgabe));
    // The clock divides every tuning: an entry that is no positive number
    // whose tenfold fits 32 bits counts as no number.
    const std::int32_t gemessen = ganzzahlLesen(antwort).value_or(vorgabe);
    if (!api::taktfrequenzSetzen(p.geraet, 10 * std::int64_t{gemessen})) api::taktfrequenzSetzen(p.geraet, 10 * std::int64_t{vorgabe});

    dm_diagramm(p);
    clear_messwerte(p);
}

}  // namespace qzl
