#include "ausgabe/bildtafel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "diagram/spuren_bild.h"
#include "raster/beschriftung.h"
#include "state/hz_text.h"

namespace qzl {

namespace {

// Fixed decimals whatever the C locale, which the window's toolkit sets.
std::string fest(double wert, int stellen, char dezimalzeichen) {
    char text[64];
    const auto [ende, ec] = std::to_chars(text, text + sizeof text, wert, std::chars_format::fixed, stellen);
    std::string s = ec == std::errc{} ? std::string(text, ende) : std::string("?");
    std::replace(s.begin(), s.end(), '.', dezimalzeichen);
    return s;
}

std::string pegelText(double pegel, bool lin, char dez) {
    return lin ? fest(pegel, 3, dez) : fest(pegel, 1, dez) + " dB";
}

std::string hz(double wert) { return hzText(static_cast<std::int64_t>(std::nearbyint(wert))); }

constexpr int zeilenHoehe = 10;
constexpr int rand = 3;

}  // namespace

std::vector<std::string> bildtafelZeilen(const MarkenAblesungen& ablesungen, const Spureinstellungen& e, bool lin,
                                         bool synthetisch, char dez) {
    std::vector<std::string> z;
    if (synthetisch) z.emplace_back("Synthetische Messwerte (Demonstration), nicht gemessen");
    for (std::size_t i = 0; i < ablesungen.size(); ++i) {
        const Messmarke& m = e.marken[i];
        const MarkenAblesung& ab = ablesungen[i];
        if (!m.an) continue;
        const std::string name = "M" + std::to_string(i + 1) + " ";
        if (!ab.punkt) {
            z.push_back(name + hzText(m.frequenz) + "  außerhalb");
            continue;
        }
        z.push_back(name + hzText(ab.frequenz) + "  " + pegelText(ab.pegel, lin, dez));
        const std::string einzug = "   ";
        if (m.bandDb) {
            const std::string tiefe = einzug + fest(*m.bandDb, 1, dez) + " dB: ";
            if (!ab.band) {
                z.push_back(tiefe + "Band läuft über den Rand");
                continue;
            }
            z.push_back(tiefe + hz(ab.band->unten) + " … " + hz(ab.band->oben));
            z.push_back(einzug + "B " + hz(ab.band->breite) + ", Q " + fest(ab.band->q, 1, dez) +
                        (ab.formfaktor ? ", Formfaktor " + fest(*ab.formfaktor, 2, dez) : ""));
        } else if (m.bezug) {
            const std::string zu = einzug + "Δ zu M" + std::to_string(m.bezug) + ": ";
            z.push_back(ab.delta ? zu + hzText(ab.delta->first) + ", " + pegelText(ab.delta->second, lin, dez)
                                 : zu + "aus");
        }
    }
    return z;
}

void bildtafelZeichnen(AnzeigeBitmap& bild, const InstrumentState& st, const std::vector<std::string>& zeilen) {
    if (zeilen.empty()) return;
    int zellen = 0;
    for (const auto& z : zeilen) zellen = std::max(zellen, beschriftungZellen(z));
    const int breite = std::min(zellen * 8 + 2 * rand, rasterBreite - 2);
    const int hoehe = std::min(static_cast<int>(zeilen.size()) * zeilenHoehe + 2 * rand, rasterHoehe - 2);

    // The diagram's area, and what in it is neither background nor grid.
    const int links = std::clamp<int>(st.xUrsprung + 3, 2, rasterBreite - breite);
    const int rechts = std::max(links, rasterBreite - 2 - breite);
    const int oben = std::clamp<int>(st.yBasis - 400 + 3, 2, rasterHoehe - hoehe);
    const int unten = std::clamp<int>(st.yBasis - 3 - hoehe, oben, rasterHoehe - 1 - hoehe);
    const auto hintergrund = static_cast<std::uint8_t>(st.hintergrundfarbe);
    const auto gitter = static_cast<std::uint8_t>(st.diagrammfarbe);
    const auto verdeckt = [&](int x0, int y0) {
        int n = 0;
        for (int y = y0; y < y0 + hoehe; ++y)
            for (int x = x0; x < x0 + breite; ++x) {
                const std::uint8_t i = bild.index(x, y);
                n += i != hintergrund && i != gitter;
            }
        return n;
    };
    const std::pair<int, int> ecken[] = {{rechts, oben}, {links, oben}, {rechts, unten}, {links, unten}};
    auto beste = ecken[0];
    int wenigste = verdeckt(beste.first, beste.second);
    for (const auto& e : ecken)
        if (const int n = verdeckt(e.first, e.second); n < wenigste) {
            wenigste = n;
            beste = e;
        }

    // Drawn on a white layer of its own, then laid over the picture whole.
    const auto [x0, y0] = beste;
    auto tafel = std::make_unique<Raster>();
    rasterFuellen(*tafel, 255);
    const int x1 = x0 + breite - 1, y1 = y0 + hoehe - 1;
    linieZeichnen(*tafel, x0, y0, x1, y0, gitter);
    linieZeichnen(*tafel, x1, y0, x1, y1, gitter);
    linieZeichnen(*tafel, x1, y1, x0, y1, gitter);
    linieZeichnen(*tafel, x0, y1, x0, y0, gitter);
    for (std::size_t k = 0; k < zeilen.size(); ++k)
        beschriftungZeichnen(*tafel, x0 + rand - 1, y0 + rand + static_cast<int>(k) * zeilenHoehe, zeilen[k],
                             messmarkenFarbe);
    const auto& farben = farbtabelle();
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const auto i = static_cast<std::size_t>(y) * bitmapBreite + static_cast<std::size_t>(x);
            bild.indizes[i] = tafel->at(x, y);
            bild.rgb[i] = farben[bild.indizes[i]];
        }
}

}  // namespace qzl
