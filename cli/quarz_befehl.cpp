// `qzl7-cli crystal`: a crystal's equivalent circuit, measured over its
// resonance in the series fixture and fitted.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "ausgabe/formate.h"
#include "cli/ausgabe.h"
#include "cli/cli.h"
#include "cli/einstellungen.h"
#include "cli/hilfe.h"
#include "cli/messlauf.h"
#include "engine/geraet.h"
#include "serial/port_fabrik.h"

namespace qzl::cli {

namespace {

// The first pass looks for the resonance over the whole range.
constexpr std::int32_t erstePunkte = 300;

struct Feld {
    const char* schluessel;
    const char* name;
    const char* einheit;
    std::optional<double> wert;
    bool frequenz = false;
};

std::vector<Feld> felder(const Quarzwerte& w) {
    return {
        {"fs_hz", "series resonance fs", "Hz", w.fs, true},
        {"fp_hz", "parallel resonance fp", "Hz", w.fp, true},
        {"rm_ohm", "motional resistance Rm", "ohm", w.rm},
        {"lm_h", "motional inductance Lm", "H", w.lm},
        {"cm_f", "motional capacitance Cm", "F", w.cm},
        {"c0_f", "parallel capacitance C0", "F", w.c0},
        {"q_loaded", "loaded Q", "", w.qBelastet},
        {"q_unloaded", "unloaded Q", "", w.qUnbelastet},
        {"loss_db", "loss at fs", "dB", w.verlustDb},
        {"residual_db", "fit residual (rms)", "dB", w.restDb},
        {"band_points", "points in the 3 dB band", "", static_cast<double>(w.bandPunkte)},
    };
}

// Frequencies to the hundredth of a hertz, the rest to seven digits, as
// the command socket answers them, so that the two compare digit by digit.
std::string zahl(const Feld& f) {
    char text[64];
    std::snprintf(text, sizeof text, f.frequenz ? "%.2f" : "%.7g", *f.wert);
    return text;
}

bool gemessen(const Feld& f) { return f.wert && std::isfinite(*f.wert); }

// Henries and farads of a crystal lie far below 1: with a prefix a person
// reads them at a glance.
std::string fuerMenschen(const Feld& f) {
    if (!gemessen(f)) return "not measured";
    const std::string einheit = f.einheit;
    if ((einheit == "H" || einheit == "F") && *f.wert != 0) {
        constexpr std::pair<double, const char*> vorsaetze[] = {{1, ""}, {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"},
                                                                {1e-12, "p"}, {1e-15, "f"}};
        for (const auto& [faktor, vorsatz] : vorsaetze)
            if (std::fabs(*f.wert) >= faktor || faktor == 1e-15) {
                Feld skaliert = f;
                skaliert.wert = *f.wert / faktor;
                return zahl(skaliert) + " " + vorsatz + einheit;
            }
    }
    return zahl(f) + (einheit.empty() ? "" : " " + einheit);
}

std::string ausgabeText(const Quarzwerte& w, Quarzformat format) {
    const auto fs = felder(w);
    std::string t;
    switch (format) {
        case Quarzformat::text:
            for (const Feld& f : fs) {
                std::string name = f.name;
                name.resize(std::max<std::size_t>(name.size() + 2, 26), ' ');
                t += name + fuerMenschen(f) + "\n";
            }
            if (!w.warnung.empty()) t += "warning: " + w.warnung + "\n";
            return t;
        case Quarzformat::json:
            for (const Feld& f : fs)
                t += std::string(t.empty() ? "{" : ", ") + "\"" + f.schluessel + "\": " + (gemessen(f) ? zahl(f) : "null");
            if (!w.warnung.empty()) t += ", \"warning\": " + jsonZeichenkette(w.warnung);
            return t + "}\n";
        case Quarzformat::csv: {
            std::string zeile;
            for (const Feld& f : fs) {
                t += std::string(t.empty() ? "" : ",") + f.schluessel;
                zeile += std::string(zeile.empty() ? "" : ",") + (gemessen(f) ? zahl(f) : "");
            }
            return t + "\n" + zeile + "\n";
        }
    }
    return t;
}

}  // namespace

int quarzBefehl(const std::vector<std::string>& argumente, Konsole& k, Uhr& uhr) {
    Auftrag a;
    if (const auto fehler = quarzOptionenLesen(argumente, a); !fehler.empty())
        return bedienfehlerMelden(k, "crystal", fehler);
    if (a.hilfe) {
        k.ausgeben(quarzHilfe);
        return erledigt;
    }
    a.punkte = erstePunkte;
    const bool ausUmgebung = portAusUmgebung(a);
    auto zustand = std::make_unique<InstrumentState>();
    PortNamen namen;
    const auto port = seriellenPortAnlegen(namen);
    Geraet g(*zustand, *port, uhr);
    std::string fehler = einstellungenVorbereiten(a, g, namen);
    // 300 points on a range narrower than 299 Hz would stand on one another.
    if (fehler.empty() && g.st.schrittweite <= 0)
        fehler = "--stop: " + std::to_string(*a.stop - *a.start) + " Hz is too narrow a range for " +
                 std::to_string(erstePunkte) + " points 1 Hz apart or more";
    if (fehler.empty() && a.fassung)
        if (const auto e = api::quarzFassungSetzen(g, *a.fassung); !e) fehler = "--fixture: " + e.text;
    if (!fehler.empty()) return bedienfehlerMelden(k, "crystal", fehler);

    if (const auto grund = portBereiten(g, namen, a.portPfad.has_value(), ausUmgebung); !grund.empty()) {
        k.melden(grund);
        return portfehler;
    }
    k.abbruchVerbinden(g.beenden);
    g.verlustNichtAbwarten = true;
    Konsole* anzeige = k.terminal() && !a.leise ? &k : nullptr;
    const api::Quarzanalyse q =
        api::quarzMessen(g, a.durchgaenge, anzeige ? fortschrittsZeile(g, *anzeige, "crystal") : api::Fortschritt{});
    if (anzeige) anzeige->fortschritt("");
    const std::string portName = namen.name(g.st.comport);
    if (q.mess.ende == api::MessEnde::stumm) return stilleMelden(k, *port, portName, q.mess);
    port->schliessen();
    if (q.mess.ende == api::MessEnde::abgebrochen || g.beenden) {
        k.melden("qzl7-cli: interrupted; the crystal was not measured to the end");
        return k.abbruchStatus();
    }
    if (!q.werte) {
        k.melden("qzl7-cli crystal: " + (q.einwand.text.empty() ? q.ergebnis.text : q.einwand.text));
        return bedienfehler;
    }
    const Quarzformat format = a.quarzFormat.value_or(Quarzformat::text);
    // csv has no place for it; a script still hears of it.
    if (format == Quarzformat::csv && !q.werte->warnung.empty())
        k.melden("qzl7-cli crystal: warning: " + q.werte->warnung);
    if (ergebnisSchreiben(k, "", ausgabeText(*q.werte, format))) return erledigt;
    // A reader that went away: the status is the signal's.
    return g.beenden ? k.abbruchStatus() : schreibfehler;
}

}  // namespace qzl::cli
