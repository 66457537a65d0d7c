#include "cli/messlauf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "diagram/diagramm.h"
#include "diagram/kurve.h"
#include "engine/durchlauf.h"
#include "state/kurve.h"

namespace qzl::cli {

namespace {

constexpr std::int64_t anzeigeAbstandMs = 200;

// Without a time measured yet there is no rate to tell.
void fortschrittZeigen(Konsole& k, const std::string& vorsatz, std::int64_t fertig, std::int64_t gesamt,
                       std::int64_t ms) {
    const double rate = ms > 0 ? fertig * 1000.0 / ms : 0.0;
    const auto rest = rate > 0 ? static_cast<long>((gesamt - fertig) / rate + 0.5) : 0L;
    char text[128];
    std::snprintf(text, sizeof text, "%lld/%lld points", static_cast<long long>(fertig), static_cast<long long>(gesamt));
    std::string zeile = (vorsatz.empty() ? "" : vorsatz + "  ") + text;
    if (rate > 0) {
        std::snprintf(text, sizeof text, "  %.0f points/s  %ld:%02ld left", rate, rest / 60, rest % 60);
        zeile += text;
    }
    k.fortschritt(zeile);
}

}  // namespace

LaufErgebnis sweepMessen(Geraet& g, int durchgaenge, Kombination regel, Konsole* anzeige,
                         const std::string& vorsatz) {
    auto& st = g.st;
    diagrammZeichnen(st);
    const std::int32_t n = punktAnzahl(st);
    const std::size_t groesse = static_cast<std::size_t>(std::max(n, 0)) + 1;
    // Per point: the sum of the passes, or their highest or lowest reading.
    std::vector<std::int64_t> gesammelt(groesse, 0);

    const std::int64_t beginn = g.uhr.monotonMs();
    // The first point shows the line at once, so that a short sweep has one too.
    std::int64_t gezeigt = beginn - anzeigeAbstandMs;
    const std::int64_t gesamt = std::int64_t{n} * durchgaenge;
    LaufErgebnis ergebnis;
    for (int d = 0; d < durchgaenge; ++d) {
        const DurchlaufEnde ende = durchlauf(g, [&](std::int32_t i, Antwort antwort) {
            if (antwort == Antwort::stumm) {
                ergebnis = {LaufEnde::stumm, i, punktFrequenz(st, i)};
                return false;
            }
            if (anzeige && g.uhr.monotonMs() - gezeigt >= anzeigeAbstandMs) {
                gezeigt = g.uhr.monotonMs();
                fortschrittZeigen(*anzeige, vorsatz, std::int64_t{d} * n + i, gesamt, gezeigt - beginn);
            }
            return true;
        });
        if (ende == DurchlaufEnde::abgebrochen) return ergebnis;
        // A wait cut short by the request may have stored a stale reading.
        if (ende == DurchlaufEnde::beendet || g.beenden) return {LaufEnde::abgebrochen, n, punktFrequenz(st, n)};
        for (std::int32_t i = 1; i <= n; ++i) {
            const std::int64_t v = wertBei(st, i);
            auto& s = gesammelt[static_cast<std::size_t>(i)];
            if (regel == Kombination::mittel) s += v;
            if (regel == Kombination::max) s = d == 0 ? v : std::max(s, v);
            if (regel == Kombination::min) s = d == 0 ? v : std::min(s, v);
        }
    }
    if (anzeige) anzeige->fortschritt("");

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

}  // namespace qzl::cli
