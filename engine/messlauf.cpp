// Passes on the caller's thread, combined point by point: a script's sweep.
#include <algorithm>
#include <cmath>
#include <vector>

#include "diagram/diagramm.h"
#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/zustand.h"
#include "state/kurve.h"

namespace qzl::api {

MessErgebnis durchlaeufeMessen(Geraet& g, int durchgaenge, Kombination regel, const Fortschritt& fortschritt) {
    auto& st = zustand(g);
    diagrammZeichnen(st);
    const std::int32_t n = punktAnzahl(st);
    const std::size_t groesse = static_cast<std::size_t>(std::max(n, 0)) + 1;
    // Per point: the sum of the passes, or their highest or lowest reading.
    std::vector<std::int64_t> gesammelt(groesse, 0);
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
        for (std::int32_t i = 1; i <= n; ++i) {
            const std::int64_t v = wertBei(st, i);
            auto& s = gesammelt[static_cast<std::size_t>(i)];
            if (regel == Kombination::mittel) s += v;
            if (regel == Kombination::max) s = d == 0 ? v : std::max(s, v);
            if (regel == Kombination::min) s = d == 0 ? v : std::min(s, v);
        }
    }

    if (regel != Kombination::letzte) {
        for (std::int32_t i = 1; i <= n; ++i) {
            const auto s = gesammelt[static_cast<std::size_t>(i)];
            st.messwerte[static_cast<std::size_t>(i)] =
                regel == Kombination::mittel
                    ? static_cast<std::int32_t>(std::nearbyint(static_cast<double>(s) / durchgaenge))
                    : static_cast<std::int32_t>(s);
        }
        st.messwerte[0] = st.messwerte[1].load();
        // The curve as a pass with these readings would leave it.
        for (std::int32_t i = 2; i < n; ++i) punktZeichnen(st, i);
    }
    // A pass draws toward each next point with that point's reading of the
    // pass before, and never redraws the last segment: after one pass it
    // would fall to the start value. Drawn again, it shows the last reading,
    // as the window's next pass would.
    if (regel == Kombination::letzte) punktZeichnen(st, n - 1);
    return {};
}

}  // namespace qzl::api
