#include "handlers/druckseite.h"

#include <cmath>

namespace qzl {

namespace {

int runden(double v) { return static_cast<int>(std::nearbyint(v)); }

// Each read-out line: its prefix, blanks counted, and the label behind it;
// the empty lines only advance the position.
struct Zeile {
    const char* praefix;
    Element label;
};
constexpr Zeile zeilen[] = {
    {"Marker   :        ", Element::Label12},
    {"", Element::Anzahl},
    {"Maximum   :        ", Element::Label7},
    {"Minimum   :        ", Element::Label8},
    {"", Element::Anzahl},
    {"Fmin      :        ", Element::Label9},
    {"Fmax      :        ", Element::Label10},
    {"Bandbreite:        ", Element::Label11},
};

}  // namespace

DruckLayout druckLayout(int breite) {
    const double w = breite;
    DruckLayout l{};
    l.rand = runden(w / 10);
    l.bildLinks = l.rand;
    l.bildOben = 2 * l.rand;
    l.bildRechts = runden(w - w / 10);
    l.bildUnten = runden((w - w / 10) * 3 / 4) + l.rand;
    l.y0 = runden((w - w / 10) * 3 / 4 + w / 5);
    l.zeilenabstand = runden(w / 50);
    return l;
}

DruckSeite druckSeite(int breite, const Fenster& f) {
    const DruckLayout l = druckLayout(breite);
    DruckSeite s;
    s.ueberschrift = {l.rand, l.rand, f.text(Element::Label5)};
    s.bildLinks = l.bildLinks;
    s.bildOben = l.bildOben;
    s.bildRechts = l.bildRechts;
    s.bildUnten = l.bildUnten;
    int y = l.y0;
    for (const auto& z : zeilen) {
        s.zeilen.push_back({l.rand, y, z.label == Element::Anzahl ? std::string() : z.praefix + f.text(z.label)});
        y += l.zeilenabstand;
    }
    // Only while limits judge, so that a page without them is as it was.
    if (const std::string urteil = f.text(Element::LabelUrteil); !urteil.empty())
        s.zeilen.push_back({l.rand, y, "Grenzwerte:        " + urteil});
    return s;
}

void Diagrammdrucken1Click(Programm& p) {
    Fenster& f = p.fenster;
    const auto breite = f.druckDialog();
    if (!breite) return;
    if (const auto fehler = f.seiteDrucken(druckSeite(*breite, f), p.st.anzeigeBitmap)) f.fehler(*fehler);
}

}  // namespace qzl
