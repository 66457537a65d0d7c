#include "cli/messlauf.h"

#include <cstdio>

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

api::MessErgebnis sweepMessen(Geraet& g, int durchgaenge, api::Kombination regel, Konsole* anzeige,
                              const std::string& vorsatz) {
    const std::int64_t beginn = g.uhr.monotonMs();
    // The first point shows the line at once, so that a short sweep has one too.
    std::int64_t gezeigt = beginn - anzeigeAbstandMs;
    api::Fortschritt fortschritt;
    if (anzeige)
        fortschritt = [&](std::int64_t fertig, std::int64_t gesamt) {
            if (g.uhr.monotonMs() - gezeigt < anzeigeAbstandMs) return;
            gezeigt = g.uhr.monotonMs();
            fortschrittZeigen(*anzeige, vorsatz, fertig, gesamt, gezeigt - beginn);
        };
    const api::MessErgebnis ergebnis = api::durchlaeufeMessen(g, durchgaenge, regel, fortschritt);
    if (anzeige && ergebnis.ende == api::MessEnde::fertig) anzeige->fortschritt("");
    return ergebnis;
}

}  // namespace qzl::cli
