// `qzl7-cli sweep`: settings, port, one or more sweeps, outputs, checks.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cli/ausgabe.h"
#include "ausgabe/bericht.h"
#include "cli/cli.h"
#include "cli/einstellungen.h"
#include "ausgabe/formate.h"
#include "cli/hilfe.h"
#include "cli/messlauf.h"
#include "cli/plattform.h"
#include "cli/referenz.h"
#include "engine/geraet.h"
#include "evaluation/messmarken.h"
#include "serial/port_diagnose.h"
#include "serial/port_fabrik.h"

namespace qzl::cli {

namespace {

// Waits until the monotonic time `ziel`, or until the run is to end; the
// progress line, if any, counts down the seconds to the sweep `vorsatz` names.
void wartenBis(Geraet& g, std::int64_t ziel, Konsole* anzeige, const std::string& vorsatz) {
    std::int64_t gezeigt = -1;
    for (std::int64_t jetzt = g.uhr.monotonMs(); jetzt < ziel && !g.beenden; jetzt = g.uhr.monotonMs()) {
        const std::int64_t rest = (ziel - jetzt + 999) / 1000;
        if (anzeige && rest != gezeigt) {
            char text[32];
            std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(rest / 60),
                          static_cast<long long>(rest % 60));
            anzeige->fortschritt(vorsatz + " starts in " + text);
            gezeigt = rest;
        }
        g.uhr.schlafenMs(std::min<std::int64_t>(ziel - jetzt, 100));
    }
    if (anzeige && gezeigt >= 0) anzeige->fortschritt("");
}

}  // namespace

int sweepBefehl(const std::vector<std::string>& argumente, Konsole& k, Uhr& uhr) {
    Auftrag a;
    if (const auto fehler = sweepOptionenLesen(argumente, a); !fehler.empty())
        return bedienfehlerMelden(k, "sweep", fehler);
    if (a.hilfe) {
        k.ausgeben(hilfeText(sweepHilfe));
        return erledigt;
    }
    const bool ausUmgebung = portAusUmgebung(a);
    auto zustand = std::make_unique<InstrumentState>();
    // The port follows the names, which the settings fill in.
    PortNamen namen;
    const auto port = seriellenPortAnlegen(namen);
    Geraet g(*zustand, *port, uhr);
    const InstrumentState& st = g.st;
    const Ausgabeformat* format = nullptr;
    std::string fehler = einstellungenVorbereiten(a, g, namen);
    // A preset's limits judge as --limits would.
    if (const auto s = api::spurAnsicht(g); fehler.empty() && a.voreinstellung && s.grenzenAn)
        a.grenzen.insert(a.grenzen.end(), s.grenzen.begin(), s.grenzen.end());
    if (fehler.empty()) fehler = formatBestimmen(a, format);
    if (fehler.empty()) fehler = formatEinwand(*format, st);
    if (fehler.empty() && a.differenz) fehler = differenzEinwand(*format);
    // The reference is held to the grid the sweep will have, so that a
    // mismatch is found before anything is measured.
    std::optional<Kurvenbild> referenz;
    if (fehler.empty() && a.referenz) fehler = referenzLaden(*a.referenz, kurvenbild(st), referenz);
    if (fehler.empty()) fehler = grenzenEinwand(st, a.grenzen, a.differenz);
    if (!fehler.empty()) return bedienfehlerMelden(k, "sweep", fehler);
    // 0: until interrupted.
    const int wiederholungen = a.wiederholungen.value_or(1);
    const bool zeitNamen =
        wiederholungen != 1 && !format->zeilen && !aufStandardausgabe(a) && !nurBericht(a) && !aufGeraet(a);
    if (const int ende = ausgabePruefen(k, "sweep", a, *format, zeitNamen); ende != erledigt) return ende;

    if (!a.demo) {
        if (const auto grund = portBereiten(g, namen, a.portPfad.has_value(), ausUmgebung); !grund.empty()) {
            k.melden(grund);
            return portfehler;
        }
    }
    k.abbruchVerbinden(g.beenden);
    g.verlustNichtAbwarten = true;
    const std::string portName = a.demo ? "demo" : namen.name(st.comport);
    Konsole* anzeige = k.terminal() && !a.leise ? &k : nullptr;
    int ende = erledigt;
    int geliefert = 0;
    bool wartet = false;        // between two sweeps
    bool unterbrochen = false;  // a signal cut the run short

    const std::int64_t beginn = uhr.monotonMs();
    for (int w = 0; (wiederholungen == 0 || w < wiederholungen) && ende != schreibfehler; ++w) {
        const std::string vorsatz = wiederholungen == 1 ? ""
                                    : "sweep " + std::to_string(w + 1) +
                                          (wiederholungen > 1 ? "/" + std::to_string(wiederholungen) : "");
        wartet = w > 0;
        if (wartet)
            wartenBis(g, beginn + static_cast<std::int64_t>(w * a.intervall.value_or(0) * 1000.0), anzeige, vorsatz);
        if ((unterbrochen = g.beenden)) break;
        wartet = false;
        const std::time_t startzeit = std::time(nullptr);
        api::ueberschriftSetzen(g, a.ueberschrift.value_or(uhr.datumText() + "  " + uhr.zeitText()));
        const api::MessErgebnis lauf = sweepMessen(g, a.durchgaenge, a.kombination, anzeige, vorsatz);
        if ((unterbrochen = lauf.ende == api::MessEnde::abgebrochen)) break;
        if (lauf.ende == api::MessEnde::stumm) return stilleMelden(k, *port, portName, lauf);
        Kopf kopf{isoZeit(startzeit), portName, a.durchgaenge, a.kombination, w + 1};
        Kurvenbild unterschied;
        if (referenz) {
            unterschied = differenz(kurvenbild(st), *referenz);
            kopf.differenz = &unterschied;
            kopf.referenz = *a.referenz;
        }
        const int status = ergebnisAbliefern(k, a, *format, st, kopf, a.ausgabe,
                                             zeitNamen ? std::optional(startzeit) : std::nullopt);
        if (status != erledigt) ende = status;
        ++geliefert;
    }
    port->schliessen();
    // A reader that went away during a write has been told of as that
    // write's failure; the status is still the signal's.
    if (g.beenden && ende == schreibfehler) return k.abbruchStatus();
    if (unterbrochen) {
        const std::string vorher = std::to_string(geliefert) + " written";
        k.melden(wartet ? "qzl7-cli: interrupted while waiting for the next sweep; " + vorher
                        : "qzl7-cli: interrupted; the sweep in progress was not written" +
                              (geliefert > 0 ? "; " + vorher + " before it" : ""));
        return k.abbruchStatus();
    }
    return ende;
}

}  // namespace qzl::cli
