#include "remote/datei_befehle.h"

#include <array>
#include <cerrno>

#include "platform/datei.h"
#include "platform/ordner.h"
#include "remote/satzbau.h"

namespace qzl::fern {

namespace {

constexpr std::array<std::string_view, 7> formatNamen{"CSV", "TSV", "JSON", "S1P", "S2P", "DAT", "PNG"};
constexpr std::array<std::string_view, 7> formatEndungen{"csv", "tsv", "json", "s1p", "s2p", "dat", "png"};

bool absolut(std::string_view pfad) { return pfad.starts_with('/'); }

// The file a name given by the client refers to; nothing after -257.
std::optional<std::string> dateiPfad(Lage& l, const std::string& name) {
    if (l.vertraut && !name.empty() && absolut(name)) return name;
    if (!l.vertraut && !blosserName(name)) {
        l.fehler.melden(-257, "over TCP a file is a bare name inside " + l.ordner + " (no '/', no '..')");
        return std::nullopt;
    }
    if (name.empty() || l.ordner.empty()) {
        l.fehler.melden(-257, name.empty() ? "the file name is empty" : "there is no folder for files: set one with MMEM:CDIR");
        return std::nullopt;
    }
    return l.ordner + "/" + name;
}

// The folder made on first use, as the desktop's rules ask of data folders.
bool ordnerDa(Lage& l) {
    if (const auto fehler = ordnerAnlegen(l.ordner)) {
        l.fehler.melden(-250, l.ordner + ": " + fehler->text);
        return false;
    }
    return true;
}

std::optional<std::string> zeichenkette(Lage& l, std::string_view p) {
    auto text = zeichenketteLesen(p);
    if (!text) l.fehler.melden(-224, "give the name in quotes");
    return text;
}

void grenzenLaden(Lage& l, std::string_view p) {
    const auto name = zeichenkette(l, p);
    if (!name) return;
    if (const auto pfad = dateiPfad(l, *name)) erledigt(l, l.ziel.grenzenLaden(*pfad));
}

void grenzenPruefen(Lage& l, std::string_view p) {
    if (const auto an = schalter(p))
        erledigt(l, l.ziel.grenzenPruefenSetzen(*an));
    else
        l.fehler.melden(-224);
}

Antwort fehlerPunkte(Lage& l) {
    return mitWert(l, l.ziel.grenzFehler(), [](const std::vector<std::int64_t>& f) {
        std::string t;
        for (std::size_t i = 0; i < f.size(); ++i) t += (i ? "," : "") + std::to_string(f[i]);
        return t;
    });
}

void ordnerWechseln(Lage& l, std::string_view p) {
    const auto name = zeichenkette(l, p);
    if (!name) return;
    if (!l.vertraut) return l.fehler.melden(-221, "the folder cannot be changed over TCP");
    std::string ordner = absolut(*name) || l.ordner.empty() ? *name : l.ordner + "/" + *name;
    while (ordner.size() > 1 && ordner.ends_with('/')) ordner.pop_back();
    // A file written there must be able to land: the same check as a save.
    if (const auto fehler = schreibbar(ordner + "/.qzl7-probe", true); fehler || ordner.empty())
        return l.fehler.melden(-256, ordner + (fehler ? ": " + fehler->text : ": no folder"));
    l.ordner = std::move(ordner);
}

void spurSpeichern(Lage& l, std::string_view p) {
    std::array<std::string_view, 2> felder;
    const std::size_t ende = p.rfind(',');
    if (ende == std::string_view::npos) return l.fehler.melden(-109, "give \"NAME\",FORMAT");
    felder[0] = ohneRand(p.substr(0, ende));
    felder[1] = ohneRand(p.substr(ende + 1));
    const auto format = auswahl(formatNamen, felder[1]);
    if (!format) return l.fehler.melden(-224, "the formats are CSV, TSV, JSON, S1P, S2P, DAT and PNG");
    const auto name = zeichenkette(l, felder[0]);
    if (!name) return;
    const auto pfad = dateiPfad(l, *name);
    if (!pfad) return;
    const Wert<std::string> daten = l.ziel.spurDaten(std::string(formatEndungen[*format]));
    if (!erledigt(l, daten.fehler)) return;
    if (!absolut(*name) && !ordnerDa(l)) return;
    const auto fehler = l.vertraut ? dateiSchreiben(*pfad, daten.wert) : dateiNeuSchreiben(*pfad, daten.wert);
    if (!fehler) return;
    if (fehler->systemFehler == EEXIST)
        return l.fehler.melden(-257, *name + " exists: over TCP a file is never replaced; choose a new name");
    l.fehler.melden(fehler->systemFehler == ENOENT ? -256 : -250, *pfad + ": " + fehler->text);
}

void voreinstellungSpeichern(Lage& l, std::string_view p) {
    const auto name = zeichenkette(l, p);
    if (!name) return;
    if (!blosserName(*name)) return l.fehler.melden(-257, "a preset's name is a bare name (no '/', no '..')");
    erledigt(l, l.ziel.voreinstellungSpeichern(*name, l.vertraut));
}

void voreinstellungLaden(Lage& l, std::string_view p) {
    const auto name = zeichenkette(l, p);
    if (!name) return;
    if (!blosserName(*name)) return l.fehler.melden(-257, "a preset's name is a bare name (no '/', no '..')");
    erledigt(l, l.ziel.voreinstellungLaden(*name));
}

Antwort voreinstellungen(Lage& l) {
    return mitWert(l, l.ziel.voreinstellungen(), [](const std::vector<std::string>& namen) {
        std::string t;
        for (std::size_t i = 0; i < namen.size(); ++i) t += (i ? "," : "") + zeichenketteText(namen[i]);
        return t;
    });
}

constexpr Eintrag tafel[] = {
    {"CALCulate:LIMit:LOAD", nullptr, grenzenLaden, true},
    {"CALCulate:LIMit:CLEar", nullptr, [](Lage& l, std::string_view) { erledigt(l, l.ziel.grenzenVerwerfen()); },
     false},
    {"CALCulate:LIMit:STATe", [](Lage& l) -> Antwort { return l.ziel.grenzenPruefen() ? "1" : "0"; },
     grenzenPruefen, true},
    {"CALCulate:LIMit:FAIL",
     [](Lage& l) { return mitWert(l, l.ziel.grenzFehler(), [](const auto& f) { return f.empty() ? "0" : "1"; }); },
     nullptr, false},
    {"CALCulate:LIMit:FAIL:POINts", fehlerPunkte, nullptr, false},
    {"MMEMory:CDIRectory", [](Lage& l) -> Antwort { return zeichenketteText(l.ordner); }, ordnerWechseln, true},
    {"MMEMory:STORe:TRACe", nullptr, spurSpeichern, true},
    {"MMEMory:STORe:STATe", nullptr, voreinstellungSpeichern, true},
    {"MMEMory:LOAD:STATe", nullptr, voreinstellungLaden, true},
    {"MMEMory:CATalog:STATe", voreinstellungen, nullptr, false},
};

static_assert(tafelStimmig(tafel));

}  // namespace

std::span<const Eintrag> dateiTafel() { return tafel; }

std::string standardOrdner(const char* xdgDataHome, const char* home) {
    // The desktop's rule: only an absolute XDG_DATA_HOME counts.
    if (xdgDataHome && absolut(xdgDataHome)) return std::string(xdgDataHome) + "/qzl7";
    if (home && *home) return std::string(home) + "/.local/share/qzl7";
    return {};
}

bool blosserName(std::string_view name) {
    if (name.empty() || name == "." || name.size() > 255 || name.find("..") != std::string_view::npos) return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7f) return false;
    }
    return true;
}

}  // namespace qzl::fern
