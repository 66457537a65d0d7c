#include "handlers/messreihen.h"

#include "engine/api.h"
#include "evaluation/auswertung.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/start.h"
#include "state/ganzzahl.h"
#include "state/hz_text.h"

namespace qzl {

void messreiheZeigen(Programm& p, const Messreihe& r) {
    Fenster& f = p.fenster;
    f.textSetzen(Element::Label5, r.ueberschrift);
    clear_messwerte(p);
    const ReihenAuswertung a = reiheAuswerten(r);
    f.textSetzen(Element::Label7, hzText(a.maximumF));
    f.textSetzen(Element::Label8, hzText(a.minimumF));
    if (!a.band) return;
    const auto [unten, oben] = *a.band;
    f.textSetzen(Element::Label9, hzText(unten));
    f.textSetzen(Element::Label10, hzText(oben));
    f.textSetzen(Element::Label11, hzText(wrap32(std::int64_t{oben} - unten)) + (r.lin ? " (3 dB)" : " (6 dB)"));
}

void MessreiheSpeichern1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::SaveDialog2);
    if (!pfad) return;
    dateiAblehnungZeigen(p, api::messreiheSpeichern(p.geraet, *pfad), "");
}

void Messreiheladen1Click(Programm& p) {
    Fenster& f = p.fenster;
    if (const auto pfad = f.dateiDialog(Element::OpenDialog2)) {
        const api::Ergebnis e = api::messreiheLaden(p.geraet, *pfad);
        // A file that cannot be read leaves the picture as it was.
        if (e.grund == api::Grund::dateifehler) {
            dateiAblehnungZeigen(p, e, "");
            return;
        }
        if (e)
            messreiheZeigen(p, *p.geraet.geladeneReihe);
        else
            dateiAblehnungZeigen(p, e, "Keine QZL7-Messdatendatei");
    }
    // Whatever happened, the display is refreshed for a second, as after a redraw.
    f.timerSchalten(Element::Timer2, true);
    f.timerSchalten(Element::Timer1, true);
}

}  // namespace qzl
