#pragma once
// The command line of qzl7-cli: what each subcommand was asked to do. Values
// are checked here as far as they can be without the settings file; each
// refusal names its option.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ausgabe/formate.h"
#include "engine/api.h"

namespace qzl::cli {

using api::Kombination;

enum class Quarzformat { text, json, csv };

struct Auftrag {
    bool hilfe = false;
    // sweep: settings
    std::optional<std::string> konfig;
    bool benutzerOrdner = false;  // --user-config: the folder the menu's qzl7 keeps its settings in
    std::optional<std::string> voreinstellung;  // --preset NAME
    std::optional<std::string> portPfad;
    std::optional<int> com;
    std::vector<std::string> comOptionen;  // --comN=PATH, as given
    std::optional<int> baud, bits, punkte;
    std::optional<Messart> messart;
    std::optional<bool> lin;
    std::optional<std::int64_t> start, stop, schritt, zf;
    std::optional<bool> zfAddieren;
    bool demo = false;
    // convert: the series file
    std::string eingabe;
    // both: output
    std::string ausgabe;  // "" or "-": standard output
    const Ausgabeformat* format = nullptr;  // --format; none: by the output's extension
    std::optional<std::string> ueberschrift;
    bool bericht = false;
    std::optional<double> bandDb;  // --band N: adds that band to the report (and asks for one)
    std::optional<std::string> referenz;  // --reference FILE
    bool differenz = false;  // --math diff: measured minus the reference, per point
    bool leise = false;
    int durchgaenge = 1;
    Kombination kombination = Kombination::letzte;
    std::optional<int> wiederholungen;
    std::optional<double> intervall;  // seconds between the starts of repetitions
    std::vector<Grenze> grenzen;
    // crystal
    std::optional<double> fassung;  // --fixture OHMS
    std::optional<Quarzformat> quarzFormat;
};

// "F1:F2:LEVEL" of --above / --below; a range running downward says so in grund.
std::optional<Grenze> grenzeLesen(std::string_view text, bool oben, std::string* grund = nullptr);

// Arguments after the subcommand's name. The refusal text, or "".
std::string sweepOptionenLesen(const std::vector<std::string>& argumente, Auftrag& auftrag);
std::string convertOptionenLesen(const std::vector<std::string>& argumente, Auftrag& auftrag);
std::string quarzOptionenLesen(const std::vector<std::string>& argumente, Auftrag& auftrag);

}  // namespace qzl::cli
