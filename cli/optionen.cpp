#include "cli/optionen.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

#include "cli/ausgabe.h"
#include "formats/grenzdatei.h"
#include "formats/voreinstellung.h"
#include "platform/datei.h"
#include "state/regeln.h"
#include "ausgabe/formate.h"
#include "state/frequenz_text.h"
#include "serial/port_namen.h"

namespace qzl::cli {

namespace {


std::optional<int> ganzeZahl(std::string_view text) {
    int wert = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (ec != std::errc{} || p != text.data() + text.size() || text.empty()) return std::nullopt;
    return wert;
}

std::optional<double> kommazahl(std::string_view text) {
    double wert = 0.0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (ec != std::errc{} || p != text.data() + text.size() || text.empty() || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

std::string zitiert(std::string_view text) { return "'" + std::string(text) + "'"; }

const char* const frequenzHinweis = " is not a whole number of hertz (e.g. 10700000, 10.7M, 455k, 1.5e6)";

// The options of one subcommand: name without "--", whether a value follows,
// and what to do with it (the refusal without the option's name, or "").
struct Option {
    std::string_view name;
    bool mitWert;
    std::function<std::string(std::string_view)> setzen;
};

std::string optionenLesen(const std::vector<Option>& optionen, const std::vector<std::string>& argumente,
                          Auftrag& auftrag, const std::function<std::string(const std::string&)>& sonst) {
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        const std::string& a = argumente[i];
        if (a == "--help" || a == "-h") {
            auftrag.hilfe = true;
            continue;
        }
        std::string name = a;
        if (a == "-o") name = "--output";
        if (a == "-q") name = "--quiet";
        if (name.size() < 3 || name.compare(0, 2, "--") != 0) {
            if (auto fehler = sonst(a); !fehler.empty()) return fehler;
            continue;
        }
        std::optional<std::string> wert;
        if (const auto gleich = name.find('='); gleich != std::string::npos) {
            wert = name.substr(gleich + 1);
            name.resize(gleich);
        }
        const auto option = std::find_if(optionen.begin(), optionen.end(),
                                         [&](const Option& o) { return name.substr(2) == o.name; });
        if (option == optionen.end()) {
            if (auto fehler = sonst(a); !fehler.empty()) return fehler;
            continue;
        }
        if (option->mitWert && !wert) {
            if (i + 1 >= argumente.size()) return name + " needs a value";
            wert = argumente[++i];
        }
        if (!option->mitWert && wert) return name + " takes no value";
        if (auto fehler = option->setzen(wert.value_or("")); !fehler.empty()) return name + ": " + fehler;
    }
    return {};
}

std::function<std::string(std::string_view)> frequenz(std::optional<std::int64_t>& ziel) {
    return [&ziel](std::string_view w) -> std::string {
        ziel = hertzLesen(w);
        if (ziel) return "";
        // A frequency is never below 0 Hz; a minus before one is no typing slip to guess at.
        if (w.starts_with('-') && hertzLesen(w.substr(1))) return zitiert(w) + " is negative: give 0 Hz or more";
        return zitiert(w) + frequenzHinweis;
    };
}

// A count of one or more.
template <typename Ziel>
std::function<std::string(std::string_view)> anzahl(Ziel& ziel, const char* was, int mindestens = 1) {
    return [&ziel, was, mindestens](std::string_view w) -> std::string {
        const auto n = ganzeZahl(w);
        if (!n || *n < mindestens)
            return zitiert(w) + " is not a number of " + was + (mindestens ? " (1 or more)" : " (0 for no end, or more)");
        ziel = *n;
        return "";
    };
}

template <typename T>
std::function<std::string(std::string_view)> auswahl(std::optional<T>& ziel,
                                                     std::vector<std::pair<std::string_view, T>> werte) {
    return [&ziel, werte = std::move(werte)](std::string_view w) -> std::string {
        std::string liste;
        for (const auto& [name, zahl] : werte) {
            if (w == name) {
                ziel = zahl;
                return "";
            }
            liste += (liste.empty() ? "" : ", ") + std::string(name);
        }
        return zitiert(w) + " is none of " + liste;
    };
}

// Options that both subcommands take: where the result goes and its checks.
std::vector<Option> ausgabeOptionen(Auftrag& a) {
    return {
        {"output", true, [&a](std::string_view w) { a.ausgabe = w; return std::string(); }},
        {"format", true,
         [&a](std::string_view w) -> std::string {
             a.format = formatAusName(w);
             return a.format ? "" : zitiert(w) + " is none of " + formatListe(", ");
         }},
        {"heading", true,
         [&a](std::string_view w) -> std::string {
             // A line end inside would shift every line of a series file after it.
             if (w.find_first_of("\r\n\x1A") != std::string_view::npos) return "the heading must be one line";
             a.ueberschrift = std::string(w);
             return "";
         }},
        {"report", false, [&a](std::string_view) { a.bericht = true; return std::string(); }},
        {"band", true,
         [&a](std::string_view w) -> std::string {
             const auto n = kommazahl(w);
             if (!n || !(*n > 0)) return zitiert(w) + " is not a number of dB above 0 (e.g. 3)";
             a.bandDb = *n;
             // A band alone would be measured for nobody.
             a.bericht = true;
             return "";
         }},
        {"quiet", false, [&a](std::string_view) { a.leise = true; return std::string(); }},
        {"above", true,
         [&a](std::string_view w) -> std::string {
             std::string grund;
             auto g = grenzeLesen(w, true, &grund);
             if (!g) return zitiert(w) + (grund.empty() ? " is not F1:F2:LEVEL (e.g. 10.9M:11.9M:-8)" : grund);
             a.grenzen.push_back(*g);
             return "";
         }},
        {"below", true,
         [&a](std::string_view w) -> std::string {
             std::string grund;
             auto g = grenzeLesen(w, false, &grund);
             if (!g) return zitiert(w) + (grund.empty() ? " is not F1:F2:LEVEL (e.g. 9M:10M:-40)" : grund);
             a.grenzen.push_back(*g);
             return "";
         }},
        {"limits", true,
         [&a](std::string_view w) -> std::string {
             const std::string pfad(w);
             IoFehler io;
             const auto daten = gewaehlteDateiLesen(pfad, io, textdateiGrenze + 1);
             if (!daten) return pfad + ": cannot be read: " + englisch(io);
             if (daten->size() > textdateiGrenze) return pfad + ": more than 1 MiB, no limit file";
             std::string grund;
             const auto grenzen = grenzdateiLesen(*daten, pfad, &grund);
             if (!grenzen) return grund;
             a.grenzen.insert(a.grenzen.end(), grenzen->begin(), grenzen->end());
             return "";
         }},
    };
}

// Where the instrument is and how its link is set up: sweep's and crystal's.
std::vector<Option> geraeteOptionen(Auftrag& a) {
    return {
        {"config", true, [&a](std::string_view w) { a.konfig = std::string(w); return std::string(); }},
        {"user-config", false, [&a](std::string_view) { a.benutzerOrdner = true; return std::string(); }},
        {"port", true,
         [&a](std::string_view w) -> std::string {
             if (w.empty()) return "the device path is empty";
             a.portPfad = std::string(w);
             return "";
         }},
        {"com", true, auswahl<int>(a.com, {{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}})},
        {"baud", true, auswahl<int>(a.baud, {{"9600", 9600}, {"19200", 19200}, {"38400", 38400}, {"57600", 57600}})},
        {"bits", true, auswahl<int>(a.bits, {{"8", 8}, {"10", 10}})},
    };
}

// What is no option of the list: --comN=PATH by the window's rule, else refused.
std::function<std::string(const std::string&)> portOderFremd(Auftrag& a, std::string befehl) {
    return [&a, befehl = std::move(befehl)](const std::string& arg) -> std::string {
        if (istPortOption(arg)) {
            if (!portOptionEinwand(arg).empty()) return arg + ": write --comN=PATH with N from 1 to 4, or --com N";
            a.comOptionen.push_back(arg);
            return "";
        }
        if (arg.compare(0, 1, "-") != 0 || arg == "-")
            return "unexpected argument " + zitiert(arg) + ": " + befehl + " takes options only";
        return "unknown option " + zitiert(arg);
    };
}

}  // namespace

std::optional<Grenze> grenzeLesen(std::string_view text, bool oben, std::string* grund) {
    const auto a = text.find(':');
    const auto b = a == std::string_view::npos ? a : text.find(':', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    const auto f1 = hertzLesen(text.substr(0, a));
    const auto f2 = hertzLesen(text.substr(a + 1, b - a - 1));
    std::string_view pegelText = text.substr(b + 1);
    if (pegelText.size() > 2 && pegelText.substr(pegelText.size() - 2) == "dB") pegelText.remove_suffix(2);
    const auto pegel = kommazahl(pegelText);
    if (!f1 || !f2 || !pegel) return std::nullopt;
    if (*f1 > *f2) {
        if (grund)
            *grund = " runs downward: give the lower frequency first (" + std::string(text.substr(a + 1, b - a - 1)) +
                     ":" + std::string(text.substr(0, a)) + ":" + std::string(text.substr(b + 1)) + ")";
        return std::nullopt;
    }
    return Grenze{oben, *f1, *f2, *pegel, std::string(oben ? "--above " : "--below ") + std::string(text)};
}

std::string sweepOptionenLesen(const std::vector<std::string>& argumente, Auftrag& a) {
    std::vector<Option> optionen{
        {"preset", true,
         [&a](std::string_view w) -> std::string {
             if (auto grund = voreinstellungNameEinwand(w)) return zitiert(w) + ": " + *grund;
             a.voreinstellung = std::string(w);
             return "";
         }},
        {"mode", true, auswahl<Messart>(a.messart, {{"transmission", Messart::durchgang},
                                                  {"reflection", Messart::reflexion},
                                                  {"spectrum", Messart::spektrum}})},
        {"detector", true,
         [&a](std::string_view w) -> std::string {
             if (w != "log" && w != "lin") return zitiert(w) + " is none of log, lin";
             a.lin = w == "lin";
             return "";
         }},
        {"start", true, frequenz(a.start)},
        {"stop", true, frequenz(a.stop)},
        {"step", true, frequenz(a.schritt)},
        {"points", true,
         [&a](std::string_view w) -> std::string {
             a.punkte = ganzeZahl(w);
             // The window's series holds at most 300 points.
             if (!a.punkte || !punkteErlaubt(*a.punkte))
                 return zitiert(w) + " is not a number from 1 to " + std::to_string(maxMesspunkte);
             return "";
         }},
        {"if", true, frequenz(a.zf)},
        {"if-mode", true,
         [&a](std::string_view w) -> std::string {
             if (w != "add" && w != "sub") return zitiert(w) + " is none of add, sub";
             a.zfAddieren = w == "add";
             return "";
         }},
        {"demo", false, [&a](std::string_view) { a.demo = true; return std::string(); }},
        {"passes", true, anzahl(a.durchgaenge, "passes")},
        {"combine", true,
         [&a](std::string_view w) -> std::string {
             constexpr std::pair<std::string_view, Kombination> regeln[] = {{"last", Kombination::letzte},
                                                                             {"average", Kombination::mittel},
                                                                             {"max", Kombination::max},
                                                                             {"min", Kombination::min}};
             for (const auto& [name, regel] : regeln)
                 if (w == name) {
                     a.kombination = regel;
                     return "";
                 }
             return zitiert(w) + " is none of last, average, max, min";
         }},
        {"reference", true,
         [&a](std::string_view w) -> std::string {
             if (w.empty()) return "the file name is empty";
             a.referenz = std::string(w);
             return "";
         }},
        {"math", true,
         [&a](std::string_view w) -> std::string {
             if (w != "diff") return zitiert(w) + " is none of diff";
             a.differenz = true;
             return "";
         }},
        {"repeat", true, anzahl(a.wiederholungen, "repetitions", 0)},
        {"interval", true,
         [&a](std::string_view w) -> std::string {
             const auto s = kommazahl(w);
             if (!s || *s < 0 || *s > 31536000) return zitiert(w) + " is not a number of seconds";
             a.intervall = *s;
             return "";
         }},
    };
    for (auto& o : ausgabeOptionen(a)) optionen.push_back(std::move(o));
    for (auto& o : geraeteOptionen(a)) optionen.push_back(std::move(o));
    auto fehler = optionenLesen(optionen, argumente, a, portOderFremd(a, "sweep"));
    // A pause after the only sweep would be waited for nothing.
    if (fehler.empty() && a.intervall && !a.wiederholungen)
        fehler = "--interval: only with --repeat N, as the time from one sweep's start to the next";
    if (fehler.empty() && a.differenz && !a.referenz)
        fehler = "--math diff: name the reference to subtract with --reference FILE";
    // A reference that changes nothing would leave the levels looking compared.
    if (fehler.empty() && a.referenz && !a.differenz)
        fehler = "--reference: only with --math diff, which writes the sweep minus the reference";
    return fehler;
}

std::string convertOptionenLesen(const std::vector<std::string>& argumente, Auftrag& a) {
    return optionenLesen(ausgabeOptionen(a), argumente, a, [&a](const std::string& arg) -> std::string {
        if (arg.compare(0, 1, "-") != 0 || arg == "-") {
            if (!a.eingabe.empty()) return "one series file only: " + zitiert(a.eingabe) + " and " + zitiert(arg);
            a.eingabe = arg;
            return "";
        }
        return "unknown option " + zitiert(arg);
    });
}

std::string quarzOptionenLesen(const std::vector<std::string>& argumente, Auftrag& a) {
    std::vector<Option> optionen{
        {"start", true, frequenz(a.start)},
        {"stop", true, frequenz(a.stop)},
        {"passes", true, anzahl(a.durchgaenge, "passes")},
        // The engine judges the value, and says which it takes.
        {"fixture", true,
         [&a](std::string_view w) -> std::string {
             a.fassung = kommazahl(w);
             return a.fassung ? "" : zitiert(w) + " is not a number of ohms (e.g. 50, 12.5)";
         }},
        {"format", true,
         auswahl<Quarzformat>(a.quarzFormat,
                              {{"text", Quarzformat::text}, {"json", Quarzformat::json}, {"csv", Quarzformat::csv}})},
        {"quiet", false, [&a](std::string_view) { a.leise = true; return std::string(); }},
    };
    for (auto& o : geraeteOptionen(a)) optionen.push_back(std::move(o));
    auto fehler = optionenLesen(optionen, argumente, a, portOderFremd(a, "crystal"));
    if (fehler.empty() && !a.hilfe && (!a.start || !a.stop))
        fehler = "give the range to search for the resonance with --start and --stop";
    return fehler;
}

}  // namespace qzl::cli
