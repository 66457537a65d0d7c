#include "files/messreihe.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/ganzzahl.h"
#include "core/textdatei.h"

namespace qzl {

namespace {

constexpr std::array<std::string_view, 4> koepfe{"", "Durchgangsmessung QZL7", "Reflexionsmessung QZL7",
                                                  "Spektralmessung QZL7"};

std::string_view erstesFeld(std::string_view zeile) {
    const auto pos = zeile.find(';');
    return pos == std::string_view::npos ? std::string_view() : zeile.substr(0, pos);
}

// Everything after the first ";", or the whole line without one.
std::string_view nachDemErsten(std::string_view zeile) {
    const auto pos = zeile.find(';');
    return pos == std::string_view::npos ? zeile : zeile.substr(pos + 1);
}

// The reading: between the first and the second ";", so a point line needs both.
std::string_view zweitesFeld(std::string_view zeile) {
    const auto pos = zeile.find(';');
    return pos == std::string_view::npos ? std::string_view() : erstesFeld(zeile.substr(pos + 1));
}

}  // namespace

std::int32_t feldZahl(std::string_view feld) {
    std::size_t i = 0;
    while (i < feld.size() && feld[i] == ' ') ++i;
    bool negativ = false;
    if (i < feld.size() && (feld[i] == '+' || feld[i] == '-')) negativ = feld[i++] == '-';
    std::uint32_t betrag = 0;  // unsigned, so that long digit runs wrap instead of overflowing
    for (; i < feld.size() && feld[i] >= '0' && feld[i] <= '9'; ++i)
        betrag = betrag * 10u + static_cast<std::uint32_t>(feld[i] - '0');
    return wrap32(negativ ? -std::int64_t{betrag} : std::int64_t{betrag});
}

std::string messreiheText(const InstrumentState& st) {
    const std::int32_t art = st.messart;
    if (art < 1 || art > 3) return {};
    std::vector<std::string> zeilen{std::string(koepfe[static_cast<std::size_t>(art)]), st.messzeit};
    if (art == 2)
        for (std::size_t j = 1; j <= anzahlLinien; ++j)
            zeilen.push_back(std::to_string(st.linie[j].load()) + ";" + std::to_string(st.linieText[j].load()));
    const bool lin = st.linModus;
    const auto slot = static_cast<std::size_t>((lin ? Dlin : Dlog) + art - 1);
    zeilen.push_back(lin ? "lin" : "log");
    zeilen.push_back("Korrekturfaktor1 =" + std::to_string(st.korrfaktor1[slot].load()));
    zeilen.push_back("Korrekturfaktor2 =" + std::to_string(st.korrfaktor2[slot].load()));

    std::int32_t f = st.startfrequenz;
    const std::int32_t schritt = st.schrittweite;
    const std::int32_t n = std::min<std::int32_t>(st.messpunkte, maxMesspunkte);
    for (std::int32_t k = 1; k <= n; ++k) {
        const std::int32_t v = st.messwerte[static_cast<std::size_t>(k)];
        const auto w = art == 1 ? static_cast<std::int32_t>(std::nearbyint((v - 320.0) / 4.0)) : v;
        zeilen.push_back(std::to_string(f) + ";" + std::to_string(v) + ";" + std::to_string(w));
        f = wrap32(std::int64_t{f} + schritt);
    }
    return textZeilen(zeilen);
}

std::optional<Messreihe> messreiheLesen(std::string daten) {
    TextLeser leser(std::move(daten));
    Messreihe r;
    const std::string kopf = leser.zeile();
    const auto gefunden = std::find(koepfe.begin() + 1, koepfe.end(), kopf);
    if (gefunden == koepfe.end()) return std::nullopt;
    r.art = static_cast<std::int32_t>(gefunden - koepfe.begin());
    r.ueberschrift = leser.zeile();
    if (r.art == 2) {
        for (std::size_t j = 1; j <= anzahlLinien; ++j) {
            const std::string z = leser.zeile();
            r.linien.hoehe[j] = feldZahl(erstesFeld(z));
            r.linien.zehntel[j] = feldZahl(nachDemErsten(z));
        }
    }
    r.lin = leser.zeile() == "lin";
    leser.zeile();  // the two factor lines are for the reader of the file only
    leser.zeile();

    std::string z = leser.zeile();
    r.f1 = feldZahl(erstesFeld(z));
    r.werte[1] = feldZahl(zweitesFeld(z));
    z = leser.zeile();
    r.s = wrap32(std::int64_t{feldZahl(erstesFeld(z))} - r.f1);
    r.werte[2] = feldZahl(zweitesFeld(z));
    // The readings have room for maxMesspunkte points; further lines are ignored.
    r.n = 2;
    while (!leser.ende() && r.n < maxMesspunkte)
        r.werte[static_cast<std::size_t>(++r.n)] = feldZahl(zweitesFeld(leser.zeile()));
    return r;
}

void MessreiheSpeichern1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::SaveDialog2);
    if (!pfad) return;
    if (auto fehler = dateiSchreiben(*pfad, messreiheText(p.st))) p.fenster.fehler(fehler->text);
}

void Messreiheladen1Click(Programm& p) {
    Fenster& f = p.fenster;
    if (const auto pfad = f.dateiDialog(Element::OpenDialog2)) {
        std::optional<IoFehler> fehler;
        auto daten = dateiLesen(*pfad, &fehler, textdateiGrenze);
        if (fehler) {
            f.fehler(fehler->text);
            return;
        }
        if (daten) {
            if (const auto reihe = messreiheLesen(std::move(*daten)))
                messreiheZeigen(p, *reihe);
            else
                f.meldung("Keine QZL7-Messdatendatei");
        }
    }
    // Whatever happened, the display is refreshed for a second, as after a redraw.
    f.timerSchalten(Element::Timer2, true);
    f.timerSchalten(Element::Timer1, true);
}

}  // namespace qzl
