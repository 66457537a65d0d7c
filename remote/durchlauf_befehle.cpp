#include "remote/durchlauf_befehle.h"

namespace qzl::fern {

namespace {

void gestartet(Lage& l, const Wert<std::uint64_t>& w, bool einmal) {
    if (!erledigt(l, w.fehler)) return;
    l.gestartet = w.wert;
    if (einmal) l.durchlauf = w.wert;
}

}  // namespace

void starten(Lage& l) { gestartet(l, l.ziel.durchlaufStarten(), true); }

void dauerlaufSchalten(Lage& l, std::string_view p) {
    const auto an = schalter(p);
    if (!an)
        l.fehler.melden(-224);
    else if (*an)
        gestartet(l, l.ziel.dauerlaufStarten(), false);
    else
        abbrechen(l);
}

void abbrechen(Lage& l) {
    const Wert<std::uint64_t> w = l.ziel.abbrechen();
    if (!erledigt(l, w.fehler) || w.wert == 0) return;
    l.durchlauf = w.wert;
    l.befehleHalten = true;
}

std::optional<std::string> fertig(Lage& l) {
    if (l.durchlauf && l.ziel.durchlaufOffen(*l.durchlauf)) {
        l.warten = true;
        return std::nullopt;
    }
    return "1";
}

void ausgangMelden(Lage& l) {
    if (!l.gestartet) return;
    if (const Ergebnis e = l.ziel.durchlaufAusgang(*l.gestartet); e.code != 0) {
        l.fehler.melden(e.code, e.text);
        l.gestartet.reset();
    } else if (!l.ziel.durchlaufOffen(*l.gestartet)) {
        l.gestartet.reset();
    }
}

bool befehlWartet(Lage& l) {
    if (!l.befehleHalten) return false;
    if (l.durchlauf && l.ziel.durchlaufOffen(*l.durchlauf)) return true;
    l.befehleHalten = false;
    return false;
}

}  // namespace qzl::fern
