#include "formats/messreihe.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "state/ganzzahl.h"
#include "formats/textzeilen.h"
#include "state/zeichensatz.h"

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

std::string_view nachDemGleich(std::string_view zeile) {
    const auto pos = zeile.find('=');
    return pos == std::string_view::npos ? std::string_view() : zeile.substr(pos + 1);
}

}  // namespace

std::string_view messreiheKopf(std::int32_t art) {
    return art >= 1 && art <= 3 ? koepfe[static_cast<std::size_t>(art)] : std::string_view();
}

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

Messreihe messreiheAusEinstellungen(const InstrumentState& st) {
    Messreihe r;
    r.art = zahl(st.messart);
    r.ueberschrift = st.messzeit;
    r.linien = bezugslinienVon(st);
    r.lin = st.linModus;
    if (const auto slot = korrSlot(st.messart, r.lin)) {
        r.korrfaktor1 = st.korrfaktor1[*slot];
        r.korrfaktor2 = st.korrfaktor2[*slot];
    }
    r.f1 = st.startfrequenz;
    r.s = st.schrittweite;
    r.n = std::clamp<std::int32_t>(st.messpunkte, 1, maxMesspunkte);
    for (std::int32_t k = 1; k <= r.n; ++k)
        r.werte[static_cast<std::size_t>(k)] = st.messwerte[static_cast<std::size_t>(k)];
    return r;
}

void messreiheEinstellen(InstrumentState& st, const Messreihe& r) {
    st.messart = static_cast<Messart>(r.art);
    st.messzeit = r.ueberschrift;
    st.linModus = r.lin;
    for (std::size_t j = 1; j <= anzahlLinien; ++j) {
        st.linie[j] = r.linien.hoehe[j];
        st.linieText[j] = r.linien.zehntel[j];
    }
    if (r.art >= 1 && r.art <= 3) {
        const auto slot = static_cast<std::size_t>((r.lin ? Dlin : Dlog) + r.art - 1);
        st.korrfaktor1[slot] = r.korrfaktor1;
        st.korrfaktor2[slot] = r.korrfaktor2;
    }
    st.startfrequenz = r.f1;
    st.schrittweite = r.s;
    st.messpunkte = r.n;
}

std::string messreiheText(const Messreihe& r) {
    if (r.art < 1 || r.art > 3) return {};
    std::vector<std::string> zeilen{std::string(koepfe[static_cast<std::size_t>(r.art)]), textFuerDatei(r.ueberschrift)};
    if (r.art == 2)
        for (std::size_t j = 1; j <= anzahlLinien; ++j)
            zeilen.push_back(std::to_string(r.linien.hoehe[j]) + ";" + std::to_string(r.linien.zehntel[j]));
    zeilen.push_back(r.lin ? "lin" : "log");
    zeilen.push_back("Korrekturfaktor1 =" + std::to_string(r.korrfaktor1));
    zeilen.push_back("Korrekturfaktor2 =" + std::to_string(r.korrfaktor2));

    std::int32_t f = r.f1;
    for (std::int32_t k = 1; k <= std::min<std::int32_t>(r.n, maxMesspunkte); ++k) {
        const std::int32_t v = r.werte[static_cast<std::size_t>(k)];
        const auto w = r.art == 1 ? static_cast<std::int32_t>(std::nearbyint((v - 320.0) / 4.0)) : v;
        zeilen.push_back(std::to_string(f) + ";" + std::to_string(v) + ";" + std::to_string(w));
        f = wrap32(std::int64_t{f} + r.s);
    }
    return textZeilen(zeilen);
}

std::string messreiheText(const InstrumentState& st) { return messreiheText(messreiheAusEinstellungen(st)); }

std::optional<Messreihe> messreiheLesen(std::string daten) {
    TextLeser leser(std::move(daten));
    Messreihe r;
    const std::string kopf = leser.zeile();
    const auto gefunden = std::find(koepfe.begin() + 1, koepfe.end(), kopf);
    if (gefunden == koepfe.end()) return std::nullopt;
    r.art = static_cast<std::int32_t>(gefunden - koepfe.begin());
    r.ueberschrift = textAusDatei(leser.zeile());
    if (r.art == 2) {
        for (std::size_t j = 1; j <= anzahlLinien; ++j) {
            const std::string z = leser.zeile();
            r.linien.hoehe[j] = feldZahl(erstesFeld(z));
            r.linien.zehntel[j] = feldZahl(nachDemErsten(z));
        }
    }
    r.lin = leser.zeile() == "lin";
    // The factors are for the reader of the file only; kept to be written again.
    r.korrfaktor1 = feldZahl(nachDemGleich(leser.zeile()));
    r.korrfaktor2 = feldZahl(nachDemGleich(leser.zeile()));

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

}  // namespace qzl
