#include "cli/ausgabe.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "ausgabe/bericht.h"
#include "cli/cli.h"
#include "cli/plattform.h"
#include "platform/uhr.h"
#include "platform/datei.h"

namespace qzl::cli {

namespace {

std::string zeitText(const std::tm& t, const char* format) {
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, format, &t);
    return std::string(text, n);
}

}  // namespace

std::string englisch(const IoFehler& f) {
    // strerror speaks the C locale's English: main() sets only the time's locale.
    if (f.systemFehler != 0) return std::strerror(f.systemFehler);
    return "system error " + std::to_string(f.code);
}

bool aufStandardausgabe(const Auftrag& a) { return a.ausgabe.empty() || a.ausgabe == "-"; }

bool nurBericht(const Auftrag& a) { return a.bericht && a.ausgabe.empty() && !a.format; }

bool aufGeraet(const Auftrag& a) {
    std::error_code fehler;
    const auto art = std::filesystem::status(a.ausgabe, fehler).type();
    return !aufStandardausgabe(a) && !fehler && art != std::filesystem::file_type::regular &&
           art != std::filesystem::file_type::directory && art != std::filesystem::file_type::not_found;
}

std::string formatBestimmen(const Auftrag& a, const Ausgabeformat*& format) {
    if (a.format) {
        format = a.format;
    } else if (aufStandardausgabe(a)) {
        format = formatAusName("csv");
    } else if (const auto f = formatAusEndung(a.ausgabe)) {
        format = f;
    } else if (a.ausgabe.find('.', a.ausgabe.find_last_of("/\\") + 1) == std::string::npos) {
        format = formatAusName("csv");
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

std::string zeitName(const std::string& pfad, std::time_t t, int nummer) {
    const auto punkt = pfad.rfind('.');
    const auto trenner = pfad.find_last_of("/\\");
    const bool mitEndung = punkt != std::string::npos && (trenner == std::string::npos || punkt > trenner + 1);
    const std::string stamm = (mitEndung ? pfad.substr(0, punkt) : pfad) + "-" + zeitText(ortszeit(t), "%Y%m%d-%H%M%S");
    return stamm + (nummer > 1 ? "-" + std::to_string(nummer) : "") + (mitEndung ? pfad.substr(punkt) : "");
}

int ausgabePruefen(Konsole& k, const std::string& befehl, const Auftrag& a, const Ausgabeformat& format,
                   bool neueDateien) {
    if (aufStandardausgabe(a)) {
        if (format.name != "png" || !k.ausgabeTerminal()) return erledigt;
        return bedienfehlerMelden(k, befehl, "png: a PNG to the terminal would only garble it; give -o FILE.png, "
                                             "or send standard output to a file or a pipe");
    }
    const auto fehler = schreibbar(a.ausgabe, neueDateien);
    if (!fehler) return erledigt;
    std::string grund = englisch(*fehler);
    if (fehler->systemFehler == ENOENT) {
        // Only a folder can be missing: a file that is not there is made.
        const auto trenner = a.ausgabe.find_last_of("/\\");
        grund = "the folder " + a.ausgabe.substr(0, trenner) + " does not exist";
    }
    k.melden("qzl7-cli: cannot write " + a.ausgabe + ": " + grund);
    return schreibfehler;
}

bool ergebnisSchreiben(Konsole& k, const std::string& pfad, const std::string& daten, bool anhaengen) {
    if (pfad.empty() || pfad == "-") {
        if (k.ausgeben(daten)) return true;
        k.melden("qzl7-cli: cannot write to standard output");
        return false;
    }
    if (const auto fehler = anhaengen ? dateiAnhaengen(pfad, daten) : dateiSchreiben(pfad, daten)) {
        k.melden("qzl7-cli: cannot write " + pfad + ": " + englisch(*fehler));
        return false;
    }
    return true;
}

namespace {

// A new file for the time, never one that is there: the name of the file
// written, or "" after the failure was reported.
std::string neueDateiSchreiben(Konsole& k, const std::string& pfad, std::time_t zeit, const std::string& daten) {
    for (int nummer = 1;; ++nummer) {
        const std::string name = zeitName(pfad, zeit, nummer);
        const auto fehler = dateiNeuSchreiben(name, daten);
        if (!fehler) return name;
        if (fehler->systemFehler != EEXIST) {
            k.melden("qzl7-cli: cannot write " + name + ": " + englisch(*fehler));
            return {};
        }
    }
}

}  // namespace

int ergebnisAbliefern(Konsole& k, const Auftrag& a, const Ausgabeformat& format, const InstrumentState& st, Kopf kopf,
                      const std::string& ziel, std::optional<std::time_t> zeit) {
    const auto verstoesse = grenzenPruefen(st, a.grenzen, kopf.differenz);
    kopf.grenzen = &a.grenzen;
    kopf.verstoesse = &verstoesse;
    kopf.bandDb = a.bandDb;
    const std::string daten = format.schreiber(st, kopf);
    if (daten.empty()) {
        k.melden("qzl7-cli: the picture could not be encoded");
        return schreibfehler;
    }
    const bool nurText = nurBericht(a);
    const std::string name = zeit ? neueDateiSchreiben(k, ziel, *zeit, daten) : ziel;
    const bool geschrieben = zeit ? !name.empty() : nurText || ergebnisSchreiben(k, ziel, daten, format.zeilen);
    // The verdict stands whether or not the data could be written.
    std::string text = zeit && geschrieben && (a.bericht || !a.grenzen.empty()) ? "file: " + name + "\n" : "";
    if (a.bericht) text += berichtText(st, a.bandDb);
    if (!a.grenzen.empty()) text += grenzenText(st, verstoesse);
    if (!text.empty()) nebenbeiSagen(k, aufStandardausgabe(a) && !nurText, text);
    return !geschrieben ? schreibfehler : verstoesse.empty() ? erledigt : grenzeVerletzt;
}

}  // namespace qzl::cli
