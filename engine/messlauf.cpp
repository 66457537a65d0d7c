// Passes on the caller's thread, combined point by point: a script's sweep.
#include <algorithm>
#include <cmath>
#include <vector>

#include "diagram/diagramm.h"
#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/einwaende.h"
#include "engine/zustand.h"
#include "evaluation/kombinieren.h"
#include "state/kurve.h"

namespace qzl::api {

MessErgebnis durchlaeufeMessen(Geraet& g, int durchgaenge, Kombination regel, const Fortschritt& fortschritt) {
    diagrammZeichnen(zustand(g));
    return durchgaengeKombinieren(g, durchgaenge, regel, fortschritt);
}

MessErgebnis durchgaengeKombinieren(Geraet& g, int durchgaenge, Kombination regel, const Fortschritt& fortschritt) {
    auto& st = zustand(g);
    const std::int32_t n = punktAnzahl(st);
    Kombinierer kombiniert(regel);
    std::vector<std::int32_t> werte(static_cast<std::size_t>(std::max(n, 0)));
    const std::int64_t gesamt = std::int64_t{n} * durchgaenge;
    MessErgebnis ergebnis;
    for (int d = 0; d < durchgaenge; ++d) {
        const DurchlaufEnde ende = durchlauf(g, [&](std::int32_t i, Antwort antwort) {
            if (antwort == Antwort::stumm) {
                ergebnis = {MessEnde::stumm, i, punktFrequenz(st, i)};
                return false;
            }
            if (fortschritt) fortschritt(std::int64_t{d} * n + i, gesamt);
            return true;
        });
        if (ende == DurchlaufEnde::abgebrochen) return ergebnis;
        // A wait cut short by the request may have stored a stale reading.
        if (ende == DurchlaufEnde::beendet || g.beenden) return {MessEnde::abgebrochen, n, punktFrequenz(st, n)};
        for (std::int32_t i = 1; i <= n; ++i) werte[static_cast<std::size_t>(i - 1)] = wertBei(st, i);
        kombiniert.dazu(werte);
    }

    if (const auto zusammen = kombiniert.ergebnis(); regel != Kombination::letzte && !zusammen.empty()) {
        for (std::int32_t i = 1; i <= n; ++i)
            st.messwerte[static_cast<std::size_t>(i)] = zusammen[static_cast<std::size_t>(i - 1)];
        st.messwerte[0] = st.messwerte[1].load();
        // The curve as a pass with these readings would leave it.
        for (std::int32_t i = 2; i < n; ++i) punktZeichnen(st, i);
    }
    // A pass draws toward each next point with that point's reading of the
    // pass before, and never redraws the last segment: after one pass it
    // would fall to the start value. Drawn again, it shows the last reading,
    // as the window's next pass would.
    if (regel == Kombination::letzte) punktZeichnen(st, n - 1);
    spurenNachDurchlauf(g, kurvenbild(st));
    return {};
}

}  // namespace qzl::api
