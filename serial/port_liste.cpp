// The lines of the port listing, the same on every platform.
#include "serial/port_liste.h"

namespace qzl {

std::string zugangText(const Pruefung& p) {
    switch (p.zugang) {
        case Zugang::frei: return "can be opened";
        case Zugang::keinGeraet: return "not a serial device";
        case Zugang::belegt: return "in use by another program";
        case Zugang::keinRecht:
            // Root's group cannot be joined usefully; any other can.
            if (p.gruppe.empty() || p.gruppe == "root") return "no permission";
            return "no permission: join group " + p.gruppe + " (sudo usermod -aG " + p.gruppe +
                   " $USER), then log in again";
        case Zugang::fehlt: break;
    }
    return "does not exist";
}

std::string portListe(const std::vector<SeriellerFund>& funde, const PortNamen& namen,
                      const std::function<Pruefung(const std::string&)>& pruefen) {
    std::string text;
    auto zeile = [&](const std::string& links, const std::string& pfad) {
        text += links + "  " + zugangText(pruefen(pfad)) + "\n";
    };
    for (const auto& f : funde) {
        std::string links = f.ziel.empty() ? f.pfad : f.pfad + " -> " + f.ziel;
        if (!f.beschreibung.empty()) links += " (" + f.beschreibung + ")";
        zeile(links, f.pfad);
    }
    if (funde.empty()) text += "no serial devices found\n";
    for (int n = 1; n <= 4; ++n)
        if (namen.vonKommandozeile(n)) zeile("COM " + std::to_string(n) + " = " + namen.name(n), namen.name(n));
    return text;
}

}  // namespace qzl
