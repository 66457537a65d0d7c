#include "handlers/exportieren.h"

#include <algorithm>

#include "ausgabe/formate.h"
#include "engine/api.h"
#include "handlers/einstellungsdateien.h"

namespace qzl {

namespace {

constexpr std::pair<std::string_view, std::string_view> beschreibungen[] = {
    {"csv", "CSV, durch Kommas getrennt"},
    {"tsv", "TSV, durch Tabulatoren getrennt"},
    {"json", "JSON"},
    {"dat", "Messreihe"},
    {"s1p", "Touchstone S11, Reflexion"},
    {"s2p", "Touchstone S21, Durchgang"},
    {"png", "Bild des Diagramms"},
};

std::vector<DateiFilter> filterListe(const std::vector<std::string>& formate) {
    std::vector<DateiFilter> liste;
    for (const auto& f : formate) {
        const auto* b = std::find_if(std::begin(beschreibungen), std::end(beschreibungen),
                                     [&](const auto& b) { return b.first == f; });
        liste.push_back({b == std::end(beschreibungen) ? f : std::string(b->second), f});
    }
    return liste;
}

// The engine's refusal in the window's words.
std::string grundText(const api::Ergebnis& e, const std::string& format) {
    const std::string& t = e.text;
    const auto steht = [&](std::string_view teil) { return t.find(teil) != std::string::npos; };
    if (e.grund == api::Grund::keineDaten)
        return "Das Diagramm zeigt keine Messkurve: bitte erst einen Durchlauf messen oder eine Messreihe laden.";
    if (steht("synthesised"))
        return "Eine Messreihe kann nicht sagen, dass ihre Werte synthetisch sind (Demonstration): bitte als CSV, "
               "TSV oder JSON exportieren.";
    if (steht("VFO")) return "Im VFO-Betrieb und im Smith-Diagramm gibt es keine Pegel zu exportieren.";
    if (steht("spectrum"))
        return "Touchstone hält Netzwerkparameter, ein Spektrum ist keiner: bitte als CSV, TSV oder JSON exportieren.";
    if (steht("logarithmic")) return "Touchstone braucht Pegel in dB, die nur der logarithmische Detektor misst.";
    if (t.starts_with("s1p holds"))
        return "s1p hält eine Reflexionsmessung (S11), das Diagramm zeigt eine Durchgangsmessung: bitte s2p wählen.";
    if (t.starts_with("s2p holds"))
        return "s2p hält eine Durchgangsmessung (S21), das Diagramm zeigt eine Reflexionsmessung: bitte s1p wählen.";
    if (steht("rising frequencies")) return "Touchstone braucht steigende Frequenzen.";
    return "Die gezeigte Messkurve lässt sich nicht als " + format + " exportieren.";
}

}  // namespace

void Exportieren1Click(Programm& p) {
    const auto formate = api::exportFormate();
    const auto zuletzt = std::find(formate.begin(), formate.end(), p.exportFormat);
    const std::size_t vorwahl = zuletzt == formate.end() ? 0 : static_cast<std::size_t>(zuletzt - formate.begin());
    const auto wahl = p.fenster.exportDialog(filterListe(formate), vorwahl);
    if (!wahl || wahl->filter >= formate.size()) return;
    // The name says what the file is, when it ends in a format's extension.
    std::string format = formate[wahl->filter];
    if (const Ausgabeformat* f = formatAusEndung(wahl->pfad);
        f && std::find(formate.begin(), formate.end(), f->name) != formate.end())
        format = f->name;
    p.exportFormat = format;
    const api::Ergebnis e = api::exportSpeichern(p.geraet, wahl->pfad, format);
    if (e.grund == api::Grund::dateifehler)
        dateiAblehnungZeigen(p, e, "");
    else if (!e)
        p.fenster.meldung(grundText(e, format));
}

void Kopieren1Click(Programm& p) {
    const api::Ausfuhr tabelle = api::exportieren(p.geraet, "tsv");
    if (!tabelle.ergebnis) return p.fenster.meldung(grundText(tabelle.ergebnis, "tsv"));
    const api::Ausfuhr bild = api::exportieren(p.geraet, "png");
    p.fenster.zwischenablageSetzen(tabelle.daten, bild.ergebnis ? bild.daten : std::string());
}

}  // namespace qzl
