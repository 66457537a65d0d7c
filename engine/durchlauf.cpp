#include "engine/durchlauf.h"
#include "engine/zustand.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>

#include "diagram/kurve.h"
#include "state/ganzzahl.h"
#include "state/kurve.h"

namespace qzl {

std::int32_t umrechnen(std::uint16_t rohwert, std::int32_t k1, std::int32_t k2) {
    // The product wraps in 32 bits, as the instrument's arithmetic always did.
    const std::int32_t produkt = wrap32((std::int64_t{rohwert} - k1) * k2);
    return static_cast<std::int32_t>(std::nearbyint(produkt / 100.0));
}

std::int32_t mittelwert(const InstrumentState& st) {
    const std::int32_t n = punktAnzahl(st);
    if (n < 1) return 0;
    std::int32_t summe = 0;
    for (std::int32_t i = 1; i <= n; ++i) summe = wrap32(std::int64_t{summe} + st.messwerte[i]);
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(summe) / n));
}

namespace {

// Converts, stores and draws the reading of point i from rohwert.
void punktEintragen(InstrumentState& st, std::int32_t i) {
    // Kinds without a slot (VFO, Smith) leave the entry as it was.
    std::int32_t wert = st.messwerte[i];
    const Messart art = st.messart;
    if (const auto s = korrSlot(art, st.linModus)) {
        wert = umrechnen(st.rohwert, st.korrfaktor1[*s], st.korrfaktor2[*s]);
    } else if (art == Messart::demo) {
        wert = st.rohwert;
    }
    if (wert < 1) wert = 1;
    st.messwerte[i] = wert;
    if (i == 1) st.messwerte[0] = wert;

    punktZeichnen(st, i);
}

}  // namespace

Antwort messpunkt(Geraet& g, std::int32_t i, std::int32_t frequenz) {
    const Antwort antwort = einzelmessung(g, i, frequenz);
    punktEintragen(zustand(g), i);
    return antwort;
}

DurchlaufEnde durchlauf(Geraet& g, const JePunkt& jePunkt) {
    auto& st = zustand(g);
    std::int32_t f = st.startfrequenz;
    const std::int32_t n = punktAnzahl(st);
    // Each point's reading is stored and drawn while the instrument
    // measures the next one, so that the way from a reply to the next
    // command is as short as the bare exchange's. Drawing toward the
    // next point still uses its reading of the last pass, as before.
    for (std::int32_t i = 1; i <= n && !g.beenden; ++i) {
        const std::int64_t gesendet = befehlSenden(g, f);
        // A pseudo-terminal hands the command on in a kernel worker
        // woken on this core, which would wait for the drawing; give
        // it the core first, so that the drawing overlaps the
        // instrument's work instead of delaying the command.
        std::this_thread::yield();
        if (i > 1) punktEintragen(st, i - 1);
        const Antwort antwort = antwortNehmen(g, i, gesendet);
        if (jePunkt && !jePunkt(i, antwort)) return DurchlaufEnde::abgebrochen;
        f = wrap32(std::int64_t{f} + st.schrittweite);
    }
    // Quitting leaves the point under way without a reply to store.
    if (g.beenden) return DurchlaufEnde::beendet;
    if (n >= 1) punktEintragen(st, n);
    return DurchlaufEnde::fertig;
}

void dauerlauf(Geraet& g, const std::function<void()>& amEnde) {
    auto& st = zustand(g);
    bool stumm = false;
    const JePunkt jePunkt = [&](std::int32_t, Antwort antwort) {
        if (antwort != Antwort::stumm) return true;
        stumm = true;
        return g.beiStille != BeiStille::beenden;
    };
    // Nothing thrown here may escape the thread.
    try {
        while (!g.beenden) {
            stumm = false;
            const DurchlaufEnde ende = durchlauf(g, jePunkt);
            if (ende == DurchlaufEnde::fertig || (ende == DurchlaufEnde::abgebrochen && stumm)) {
                Kurvenbild bild = kurvenbild(st);
                // Demonstration is never left during a pass, so it is seen at the end.
                bild.synthetisch = bild.synthetisch || stumm;
                spurenNachDurchlauf(g, bild);
                std::lock_guard sperre(g.durchlaufSperre);
                g.letzterDurchlauf = std::move(bild);
            }
            if (ende == DurchlaufEnde::abgebrochen) {
                g.verstummt = g.sweepNummer;
                break;
            }
            // Without a device (or with an empty pass) nothing paces the loop;
            // a pause of one refresh period keeps it from spinning a core.
            if (punktAnzahl(st) < 1 || st.demoModus) g.uhr.schlafenMs(10);
            if (st.stopAnforderung) break;
        }
    } catch (...) {
    }
    st.sweepFertig = true;
    if (amEnde) amEnde();
}

bool sweepLaeuft(const Geraet& g) { return g.sweepThread.joinable(); }

bool sweepStarten(Geraet& g, bool nurEinDurchlauf, std::function<void()> amEnde, BeiStille beiStille) {
    if (sweepLaeuft(g)) return false;
    g.beiStille = beiStille;
    ++g.sweepNummer;
    g.geladeneReihe.reset();  // the sweep replaces the readings
    spurenNeu(g);
    zustand(g).sweepFertig = false;
    zustand(g).stopAnforderung = nurEinDurchlauf;
    try {
        g.sweepThread = std::thread([&g, amEnde = std::move(amEnde)] { dauerlauf(g, amEnde); });
    } catch (const std::system_error&) {
        zustand(g).sweepFertig = true;
        return false;
    }
    return true;
}

}  // namespace qzl
