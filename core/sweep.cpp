#include "core/sweep.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>
#include <thread>

#include "core/geraet.h"
#include "core/ganzzahl.h"
#include "core/start.h"
#include "diagram/auswertung.h"

namespace qzl {

namespace {


// What the sweep takes away from the user, in the order it is taken.
constexpr std::array gesperrteKnoepfe = {Element::Button1, Element::Button2,  Element::Button3,  Element::Button4,
                                         Element::Button5, Element::Button8,  Element::Button9,  Element::Button10,
                                         Element::Button11, Element::Button15, Element::Button16, Element::Button17,
                                         Element::Button19};
constexpr std::array gesperrteMenues = {Element::Datei1, Element::Messung1, Element::Einstellungen1,
                                        Element::Eichung1};

constexpr std::int64_t auffrischMs = 10;

// messwerte has room for 300 points, whatever a configuration file says.
std::int32_t punktGrenze(std::int32_t n) { return std::min(n, maxMesspunkte); }

}  // namespace

std::int32_t umrechnen(std::uint16_t rohwert, std::int32_t k1, std::int32_t k2) {
    // The product wraps in 32 bits, as the instrument's arithmetic always did.
    const std::int32_t produkt = wrap32((std::int64_t{rohwert} - k1) * k2);
    return static_cast<std::int32_t>(std::nearbyint(produkt / 100.0));
}

std::int32_t mittelwert(const InstrumentState& st) {
    const std::int32_t n = punktGrenze(st.messpunkte);
    if (n < 1) return 0;
    std::int32_t summe = 0;
    for (std::int32_t i = 1; i <= n; ++i) summe = wrap32(std::int64_t{summe} + st.messwerte[i]);
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(summe) / n));
}

namespace {

// Converts, stores and draws the reading of point i from rohwert.
void punktEintragen(Programm& p, std::int32_t i) {
    auto& st = p.st;
    // Kinds without a slot (VFO, Smith) leave the entry as it was.
    std::int32_t wert = st.messwerte[i];
    const std::int32_t art = st.messart;
    if (art >= 1 && art <= 3) {
        const int s = (st.linModus ? 3 : 0) + art - 1;
        wert = umrechnen(st.rohwert, st.korrfaktor1[s], st.korrfaktor2[s]);
    } else if (art == 4) {
        wert = st.rohwert;
    }
    if (wert < 1) wert = 1;
    st.messwerte[i] = wert;
    if (i == 1) st.messwerte[0] = wert;

    punktZeichnen(st, i);
}

}  // namespace

void punktZeichnen(InstrumentState& st, std::int32_t i) {
    const std::int32_t n = punktGrenze(st.messpunkte);
    if (i > 1 && i < n) {
        const std::int32_t xU = st.xUrsprung;
        const std::int32_t yB = st.yBasis;
        const std::int32_t x = xU + 2 * i;
        // Readings can be far off the raster; keep the rows inside int32.
        auto zeile = [&](std::int32_t wert) { return wrap32(std::int64_t{yB} - wert); };
        const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
        std::lock_guard lk(st.kurvenSperre);
        messpunktMarke(st.kurvenRaster, xU, yB, i, st.cursorIndex, st.messwerte[i],
                       static_cast<std::uint8_t>(st.hintergrundfarbe), static_cast<std::uint8_t>(st.cursorfarbe));
        linieZeichnen(st.kurvenRaster, x - 1, zeile(st.messwerte[i - 1]), x + 1, zeile(st.messwerte[i]), kurve);
        linieZeichnen(st.kurvenRaster, x + 1, zeile(st.messwerte[i]), x + 3, zeile(st.messwerte[i + 1]), kurve);
    }
}

void messpunkt(Programm& p, std::int32_t i, std::int32_t frequenz) {
    einzelmessung(p, i, frequenz);
    punktEintragen(p, i);
}

void messschleife(Programm& p) {
    auto& st = p.st;
    // Nothing thrown here may escape the thread.
    try {
        while (!p.beenden) {
            std::int32_t f = st.startfrequenz;
            const std::int32_t n = punktGrenze(st.messpunkte);
            // Each point's reading is stored and drawn while the instrument
            // measures the next one, so that the way from a reply to the next
            // command is as short as the bare exchange's. Drawing toward the
            // next point still uses its reading of the last pass, as before.
            for (std::int32_t i = 1; i <= n && !p.beenden; ++i) {
                const std::int64_t gesendet = befehlSenden(p, f);
                // A pseudo-terminal hands the command on in a kernel worker
                // woken on this core, which would wait for the drawing; give
                // it the core first, so that the drawing overlaps the
                // instrument's work instead of delaying the command.
                std::this_thread::yield();
                if (i > 1) punktEintragen(p, i - 1);
                antwortNehmen(p, i, gesendet);
                f = wrap32(std::int64_t{f} + st.schrittweite);
            }
            // Quitting leaves the point under way without a reply to store.
            if (!p.beenden && n >= 1) punktEintragen(p, n);
            // Without a device (or with an empty pass) nothing paces the loop;
            // a pause of one refresh period keeps it from spinning a core.
            if (n < 1 || st.demoModus) p.uhr.schlafenMs(10);
            if (st.stopAnforderung) break;
        }
    } catch (...) {
    }
    st.sweepFertig = true;
    p.post.anstossen();
}

bool sweepLaeuft(const Programm& p) { return p.sweepThread.joinable(); }

namespace {
void steuerungZurueckgeben(Programm& p) {
    auto& f = p.fenster;
    for (Element e : gesperrteKnoepfe) f.aktivieren(e, true);
    for (Element e : gesperrteMenues) f.aktivieren(e, true);
    f.aktivieren(Element::Button18, p.smithVorSweep);
    if (!p.st.contBildaufbau) f.timerSchalten(Element::Timer2, false);
}
}  // namespace

void startmessung(Programm& p) {
    auto& f = p.fenster;
    if (sweepLaeuft(p)) return;
    p.geladeneReihe.reset();  // the sweep replaces the readings
    f.timerSchalten(Element::Timer2, true);
    clear_messwerte(p);
    for (Element e : gesperrteKnoepfe) f.aktivieren(e, false);
    f.aktivieren(Element::Button6, true);
    for (Element e : gesperrteMenues) f.aktivieren(e, false);
    // "Smith" would redraw the diagram under the running sweep.
    p.smithVorSweep = f.aktiv(Element::Button18);
    f.aktivieren(Element::Button18, false);
    p.st.sweepFertig = false;
    p.st.stopAnforderung = false;
    try {
        p.sweepThread = std::thread([&p] { messschleife(p); });
    } catch (const std::system_error&) {
        // No thread to be had: give the controls back instead of hanging
        // with everything disabled.
        p.st.sweepFertig = true;
        f.aktivieren(Element::Button6, false);
        steuerungZurueckgeben(p);
    }
}

void stopmessung(Programm& p) {
    auto& st = p.st;
    auto& f = p.fenster;
    f.aktivieren(Element::Button6, false);
    st.stopAnforderung = true;
    if (sweepLaeuft(p)) {
        // The sweep may still need the window for a time-out message, and a
        // slow instrument may take long for the pass: the window keeps
        // painting meanwhile, at the refresh timer's pace.
        while (!st.sweepFertig) {
            p.post.warten([&] { return st.sweepFertig.load(); }, auffrischMs);
            p.post.abarbeiten(f);
            f.wartendAuffrischen();
        }
        // Quitting from within the wait (a signal, the window closed) has
        // joined the thread already.
        if (p.sweepThread.joinable()) p.sweepThread.join();
    }
    steuerungZurueckgeben(p);
}

void Button5Click(Programm& p) {
    dm_diagramm(p);
    startmessung(p);
}

void Button6Click(Programm& p) {
    stopmessung(p);
    maxminwert(p);
}

void Timer1Timer(Programm& p) {
    p.fenster.timerSchalten(Element::Timer1, false);
    if (!p.st.contBildaufbau) p.fenster.timerSchalten(Element::Timer2, false);
}

// Composites and paints only what either layer changed since the last tick:
// a sweep point touches five columns and a few rows of them, so an idle or
// sweeping display costs next to nothing. The rest of the picture stays
// right, since the bitmap, the copy and the change records move together.
void Timer2Timer(Programm& p) {
    auto& st = p.st;
    Aenderung teil;
    {
        std::lock_guard lk(st.kurvenSperre);
        teil = st.kurvenRaster.aenderungenNehmen();
        spaltenKopieren(st.kurvenKopie, st.kurvenRaster, teil.spalten);
    }
    teil.dazu(st.gitterRaster.aenderungenNehmen());
    rasterKombinieren(st.anzeigeBitmap, st.gitterRaster, st.kurvenKopie, teil);
    teil.spalten.laeufe([&](int von, int bis) { p.fenster.bildTeilZeigen(von, teil.oben, bis, teil.unten); });
}

}  // namespace qzl
