#include "handlers/sweep.h"

#include <array>
#include <utility>

#include "engine/api.h"
#include "engine/durchlauf.h"
#include "handlers/ablesung.h"
#include "handlers/messmarken.h"
#include "handlers/start.h"

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

void steuerungZurueckgeben(Programm& p) {
    auto& f = p.fenster;
    for (Element e : gesperrteKnoepfe) f.aktivieren(e, true);
    for (Element e : gesperrteMenues) f.aktivieren(e, true);
    f.aktivieren(Element::Button18, p.smithVorSweep);
    if (!p.st.contBildaufbau) f.timerSchalten(Element::Timer2, false);
}

}  // namespace

bool sweepLaeuft(const Programm& p) { return sweepLaeuft(p.geraet); }

api::Ergebnis messungStarten(Programm& p, const Starter& starten) {
    auto& f = p.fenster;
    if (sweepLaeuft(p)) return {api::Grund::sweepLaeuft, "a sweep runs", std::nullopt};
    f.timerSchalten(Element::Timer2, true);
    clear_messwerte(p);
    for (Element e : gesperrteKnoepfe) f.aktivieren(e, false);
    f.aktivieren(Element::Button6, true);
    for (Element e : gesperrteMenues) f.aktivieren(e, false);
    // "Smith" would redraw the diagram under the running sweep.
    p.smithVorSweep = f.aktiv(Element::Button18);
    f.aktivieren(Element::Button18, false);
    // The worker's end wakes a window waiting in stopmessung; a sweep that
    // ended by itself hands its stop to the window's thread, which joins
    // the worker.
    const auto amEnde = [&p] {
        p.post.anstossen();
        p.post.einreichen([&p](Fenster&) {
            if (!p.stoppt && sweepLaeuft(p) && p.st.sweepFertig) Button6Click(p);
        });
    };
    const api::Ergebnis e = starten(amEnde);
    if (!e) {
        // No thread to be had: give the controls back instead of hanging
        // with everything disabled.
        f.aktivieren(Element::Button6, false);
        steuerungZurueckgeben(p);
    }
    return e;
}

void startmessung(Programm& p, bool nurEinDurchlauf, BeiStille beiStille) {
    messungStarten(p, [&](std::function<void()> amEnde) {
        return nurEinDurchlauf ? api::einDurchlaufStarten(p.geraet, std::move(amEnde), beiStille)
                               : api::dauerlaufStarten(p.geraet, std::move(amEnde), beiStille);
    });
}

void stopmessung(Programm& p) {
    auto& st = p.st;
    auto& f = p.fenster;
    p.stoppt = true;
    f.aktivieren(Element::Button6, false);
    api::stoppAnfordern(p.geraet);
    // The sweep may still need the window for a time-out message, and a
    // slow instrument may take long for the pass: the window keeps
    // painting meanwhile, at the refresh timer's pace.
    api::sweepAbschliessen(p.geraet, [&] {
        p.post.warten([&] { return st.sweepFertig.load(); }, auffrischMs);
        p.post.abarbeiten(f);
        f.wartendAuffrischen();
    });
    p.stoppt = false;
    // The pass may have ended after the last refresh, or after the refresh
    // period: what the window shows and prints is the last pass.
    Timer2Timer(p);
    steuerungZurueckgeben(p);
    if (p.nachStopp) p.nachStopp();
    // After the stop's own doings (Sto&p's read-out), from the event loop.
    if (auto danach = std::exchange(p.nachDemSweep, nullptr)) p.post.einreichen([danach](Fenster&) { danach(); });
}

void stoppVerlangen(Programm& p) {
    if (!sweepLaeuft(p)) return;
    p.fenster.aktivieren(Element::Button6, false);
    api::stoppAnfordern(p.geraet);
}

void sweepNeu(Programm& p, bool nurEinDurchlauf, BeiStille beiStille) {
    dm_diagramm(p);
    startmessung(p, nurEinDurchlauf, beiStille);
}

void Button5Click(Programm& p) { sweepNeu(p, false, BeiStille::weiter); }

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
    const Aenderung teil = api::anzeigeAuffrischen(p.geraet);
    spurenZeigen(p);
    teil.spalten.laeufe([&](int von, int bis) { p.fenster.bildTeilZeigen(von, teil.oben, bis, teil.unten); });
}

}  // namespace qzl
