#include "cli/messlauf.h"

#include <cstdio>
#include <cstdlib>

#include "cli/cli.h"
#include "serial/port_diagnose.h"

namespace qzl::cli {

namespace {

constexpr std::int64_t anzeigeAbstandMs = 200;

void ersetzen(std::string& text, const std::string& alt, const std::string& neu) {
    if (const auto stelle = text.find(alt); stelle != std::string::npos) text.replace(stelle, alt.size(), neu);
}

// Without a time measured yet there is no rate to tell.
void fortschrittZeigen(Konsole& k, const std::string& vorsatz, std::int64_t fertig, std::int64_t gesamt,
                       std::int64_t ms) {
    const double rate = ms > 0 ? fertig * 1000.0 / ms : 0.0;
    const auto rest = rate > 0 ? static_cast<long>((gesamt - fertig) / rate + 0.5) : 0L;
    char text[128];
    std::snprintf(text, sizeof text, "%lld/%lld points", static_cast<long long>(fertig), static_cast<long long>(gesamt));
    std::string zeile = (vorsatz.empty() ? "" : vorsatz + "  ") + text;
    if (rate > 0) {
        std::snprintf(text, sizeof text, "  %.0f points/s  %ld:%02ld left", rate, rest / 60, rest % 60);
        zeile += text;
    }
    k.fortschritt(zeile);
}

}  // namespace

api::Fortschritt fortschrittsZeile(Geraet& g, Konsole& anzeige, std::string vorsatz) {
    std::int64_t beginn = g.uhr.monotonMs();
    // The first point shows the line at once, so that a short sweep has one too.
    return [&g, &anzeige, vorsatz = std::move(vorsatz), beginn, gezeigt = beginn - anzeigeAbstandMs,
            zuletzt = std::int64_t{0}](std::int64_t fertig, std::int64_t gesamt) mutable {
        if (fertig < zuletzt) beginn = g.uhr.monotonMs();
        zuletzt = fertig;
        if (g.uhr.monotonMs() - gezeigt < anzeigeAbstandMs) return;
        gezeigt = g.uhr.monotonMs();
        fortschrittZeigen(anzeige, vorsatz, fertig, gesamt, gezeigt - beginn);
    };
}

api::MessErgebnis sweepMessen(Geraet& g, int durchgaenge, api::Kombination regel, Konsole* anzeige,
                              const std::string& vorsatz) {
    const api::MessErgebnis ergebnis = api::durchlaeufeMessen(
        g, durchgaenge, regel, anzeige ? fortschrittsZeile(g, *anzeige, vorsatz) : api::Fortschritt{});
    if (anzeige && ergebnis.ende == api::MessEnde::fertig) anzeige->fortschritt("");
    return ergebnis;
}

bool portAusUmgebung(Auftrag& a) {
    const char* umgebung = std::getenv("QZL7_PORT");
    const bool ausUmgebung = !a.portPfad && !a.com && a.comOptionen.empty() && umgebung && *umgebung;
    if (ausUmgebung) a.portPfad = umgebung;
    return ausUmgebung;
}

std::string portBereiten(Geraet& g, const PortNamen& namen, bool nachPfad, bool ausUmgebung) {
    std::string grund = portOeffnen(g);
    if (grund.empty() && !g.port.offen()) grund = "qzl7: the port cannot be opened";
    if (grund.empty()) g.port.eingangVerwerfen();
    // The port layer speaks as the window, in the name of this program.
    if (grund.rfind("qzl7: ", 0) == 0) grund.replace(0, 4, "qzl7-cli");
    const std::string pfad = namen.name(g.st.comport);
    if (nachPfad) ersetzen(grund, portBezeichnung(pfad, g.st.comport), pfad + (ausUmgebung ? " (QZL7_PORT)" : ""));
    ersetzen(grund, "qzl7 --list-ports", "qzl7-cli list-ports");
    ersetzen(grund, "--comN=PATH picks one", "--port PATH picks one");
    return grund;
}

int stilleMelden(Konsole& k, SeriellerPort& port, const std::string& portName, const api::MessErgebnis& lauf) {
    const std::string wo = "point " + std::to_string(lauf.punkt) + " (" + std::to_string(lauf.frequenz) + " Hz)";
    const bool weg = port.verschwunden();
    if (weg)
        k.melden("qzl7-cli: " + portName + " went away at " + wo + ": the device was unplugged, or its line hung up");
    else
        k.melden("qzl7-cli: the instrument did not answer within 4 seconds at " + wo + " on " + portName);
    port.schliessen();
    return weg ? portfehler : stumm;
}

}  // namespace qzl::cli
