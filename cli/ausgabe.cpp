#include "cli/ausgabe.h"

#include <cstdio>
#include <cstdlib>

#include "cli/bericht.h"
#include "cli/cli.h"
#include "cli/plattform.h"
#include "platform/uhr.h"
#include "platform/datei.h"

namespace qzl::cli {

namespace {

// The run time's codes in the English of a command-line tool.
std::string englisch(const IoFehler& f) {
    switch (f.code) {
        case 2: return "file not found";
        case 3: return "invalid file name";
        case 4: return "too many open files";
        case 5: return "access denied";
        case 101: return "disk full";
        default: return "I/O error " + std::to_string(f.code);
    }
}

std::string zeitText(const std::tm& t, const char* format) {
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, format, &t);
    return std::string(text, n);
}

}  // namespace

bool aufStandardausgabe(const Auftrag& a) { return a.ausgabe.empty() || a.ausgabe == "-"; }

std::string formatBestimmen(const Auftrag& a, const Ausgabeformat*& format) {
    if (a.format) {
        format = a.format;
    } else if (aufStandardausgabe(a)) {
        format = formatAusName("csv");
    } else if (const auto f = formatAusEndung(a.ausgabe)) {
        format = f;
    } else {
        return "--output " + a.ausgabe + ": no format known by that extension; give --format";
    }
    return {};
}

std::string isoZeit(std::time_t t) {
    const std::tm ort = ortszeit(t);
    const std::tm welt = weltzeit(t);
    // The local offset from the two broken-down times, across a day or year boundary.
    int tage = ort.tm_yday - welt.tm_yday;
    if (ort.tm_year != welt.tm_year) tage = ort.tm_year > welt.tm_year ? 1 : -1;
    const int minuten = tage * 1440 + (ort.tm_hour - welt.tm_hour) * 60 + (ort.tm_min - welt.tm_min);
    char versatz[16];
    std::snprintf(versatz, sizeof versatz, "%c%02d:%02d", minuten < 0 ? '-' : '+', std::abs(minuten) / 60,
                  std::abs(minuten) % 60);
    return zeitText(ort, "%Y-%m-%dT%H:%M:%S") + versatz;
}

std::string zeitName(const std::string& pfad, std::time_t t, std::set<std::string>& vergeben) {
    const auto punkt = pfad.rfind('.');
    const auto trenner = pfad.find_last_of("/\\");
    const bool mitEndung = punkt != std::string::npos && (trenner == std::string::npos || punkt > trenner + 1);
    const std::string stamm = (mitEndung ? pfad.substr(0, punkt) : pfad) + "-" + zeitText(ortszeit(t), "%Y%m%d-%H%M%S");
    const std::string endung = mitEndung ? pfad.substr(punkt) : "";
    std::string name = stamm + endung;
    for (int n = 2; vergeben.count(name); ++n) name = stamm + "-" + std::to_string(n) + endung;
    vergeben.insert(name);
    return name;
}

bool ergebnisSchreiben(Konsole& k, const std::string& pfad, const std::string& daten) {
    if (pfad.empty() || pfad == "-") {
        if (k.ausgeben(daten)) return true;
        k.melden("qzl7-cli: cannot write to standard output");
        return false;
    }
    if (const auto fehler = dateiSchreiben(pfad, daten)) {
        k.melden("qzl7-cli: cannot write " + pfad + ": " + englisch(*fehler));
        return false;
    }
    return true;
}

int ergebnisAbliefern(Konsole& k, const Auftrag& a, const Ausgabeformat& format, InstrumentState& st, Kopf kopf,
                      const std::string& ziel, bool dateiNennen) {
    const auto verstoesse = grenzenPruefen(st, a.grenzen);
    kopf.grenzen = &a.grenzen;
    kopf.verstoesse = &verstoesse;
    const std::string daten = format.schreiber(st, kopf);
    if (daten.empty()) {
        k.melden("qzl7-cli: the picture could not be encoded");
        return schreibfehler;
    }
    if (!ergebnisSchreiben(k, ziel, daten)) return schreibfehler;
    std::string text = dateiNennen && (a.bericht || !a.grenzen.empty()) ? "file: " + ziel + "\n" : "";
    if (a.bericht) text += berichtText(st);
    if (!a.grenzen.empty()) text += grenzenText(st, verstoesse);
    if (!text.empty()) nebenbeiSagen(k, aufStandardausgabe(a), text);
    return verstoesse.empty() ? erledigt : grenzeVerletzt;
}

}  // namespace qzl::cli
