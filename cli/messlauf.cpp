#include "cli/messlauf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "cli/einstellungen.h"
#include "core/ganzzahl.h"
#include "core/sweep.h"
#include "diagram/diagramm.h"

namespace qzl::cli {

namespace {

constexpr std::int64_t anzeigeAbstandMs = 200;

void fortschrittZeigen(Konsole& k, std::int64_t fertig, std::int64_t gesamt, std::int64_t ms) {
    const double rate = ms > 0 ? fertig * 1000.0 / ms : 0.0;
    const auto rest = rate > 0 ? static_cast<long>((gesamt - fertig) / rate + 0.5) : 0L;
    char text[128];
    std::snprintf(text, sizeof text, "%lld/%lld points  %.0f points/s  %ld:%02ld left",
                  static_cast<long long>(fertig), static_cast<long long>(gesamt), rate, rest / 60, rest % 60);
    k.fortschritt(text);
}

}  // namespace

LaufErgebnis sweepMessen(Programm& p, int durchgaenge, Kombination regel, Konsole* anzeige) {
    auto& st = p.st;
    diagrammZeichnen(st);
    const std::int32_t n = std::min<std::int32_t>(st.messpunkte, maxMesspunkte);
    const std::size_t groesse = static_cast<std::size_t>(n) + 1;
    // Per point: the sum of the passes, or their highest or lowest reading.
    std::vector<std::int64_t> gesammelt(groesse, 0);

    const std::int64_t beginn = p.uhr.monotonMs();
    std::int64_t gezeigt = beginn;
    const std::int64_t gesamt = std::int64_t{n} * durchgaenge;
    for (int d = 0; d < durchgaenge; ++d) {
        for (std::int32_t i = 1; i <= n; ++i) {
            if (p.beenden) return {LaufEnde::abgebrochen, i, punktFrequenz(st, i)};
            const std::int64_t f = punktFrequenz(st, i);
            messpunkt(p, i, static_cast<std::int32_t>(f));
            if (st.uebertragungsfehler) return {LaufEnde::stumm, i, f};
            const std::int64_t v = st.messwerte[static_cast<std::size_t>(i)];
            auto& g = gesammelt[static_cast<std::size_t>(i)];
            if (regel == Kombination::mittel) g += v;
            if (regel == Kombination::max) g = d == 0 ? v : std::max(g, v);
            if (regel == Kombination::min) g = d == 0 ? v : std::min(g, v);
            if (anzeige && p.uhr.monotonMs() - gezeigt >= anzeigeAbstandMs) {
                gezeigt = p.uhr.monotonMs();
                fortschrittZeigen(*anzeige, std::int64_t{d} * n + i, gesamt, gezeigt - beginn);
            }
        }
    }
    // A wait cut short by the request may have stored a stale reading.
    if (p.beenden) return {LaufEnde::abgebrochen, n, punktFrequenz(st, n)};
    if (anzeige) anzeige->fortschritt("");

    if (regel != Kombination::letzte) {
        for (std::int32_t i = 1; i <= n; ++i) {
            const auto g = gesammelt[static_cast<std::size_t>(i)];
            st.messwerte[static_cast<std::size_t>(i)] =
                regel == Kombination::mittel
                    ? static_cast<std::int32_t>(std::nearbyint(static_cast<double>(g) / durchgaenge))
                    : static_cast<std::int32_t>(g);
        }
        st.messwerte[0] = st.messwerte[1].load();
        // The curve as a pass with these readings would leave it.
        for (std::int32_t i = 2; i < n; ++i) punktZeichnen(st, i);
    }
    return {};
}

}  // namespace qzl::cli
