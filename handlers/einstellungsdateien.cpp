#include "handlers/einstellungsdateien.h"

#include "engine/api.h"
#include "formats/konfiguration.h"
#include "handlers/messmarken.h"
#include "handlers/start.h"
#include "platform/datei.h"

namespace qzl {

namespace {

const std::string keineKonfiguration = "Keine QZL7-Konfigurationsdatei";

std::string imArbeitsordner(const Programm& p, const char* name) {
    return p.geraet.arbeitsordner.empty() ? std::string(name) : p.geraet.arbeitsordner + "/" + name;
}

}  // namespace

void markenDateiLesen(Programm& p) {
    if (auto daten = dateiLesen(imArbeitsordner(p, "frequenz.cfg"), nullptr, textdateiGrenze))
        api::freqMarkenUebernehmen(p.geraet, std::move(*daten));
}

void messmarkenLesen(Programm& p, const std::string& konfiguration) {
    const std::string pfad = markendateiPfad(konfiguration);
    std::optional<IoFehler> fehler;
    auto daten = dateiLesen(pfad, &fehler, textdateiGrenze);
    if (fehler) return p.fenster.fehler(fehler->text);
    // Without one, the markers stay as they are.
    if (!daten) return;
    if (!api::markenUebernehmen(p.geraet, *daten)) p.fenster.meldung("Keine QZL7-Messmarkendatei: " + pfad);
    spurenZeigen(p);
}

void konfigDateiStart(Programm& p) {
    const std::string pfad = imArbeitsordner(p, "qzl7.cfg");
    std::optional<IoFehler> fehler;
    auto daten = dateiLesen(pfad, &fehler, textdateiGrenze);
    // A file that is there but cannot be read, or holds something else, is
    // the user's: it is reported and left alone, and the start values stay.
    if (fehler) {
        p.fenster.fehler(fehler->text);
        return;
    }
    // An empty file has nothing to keep; it is filled like a missing one.
    if (daten && !daten->empty()) {
        if (!api::konfigurationUebernehmen(p.geraet, std::move(*daten))) p.fenster.meldung(keineKonfiguration + ": " + pfad);
        return;
    }
    if (auto f = dateiSchreiben(pfad, konfigurationText(p.st))) p.fenster.fehler(f->text);
}

void messmarkenStart(Programm& p) { messmarkenLesen(p, imArbeitsordner(p, "qzl7.cfg")); }

// The engine's refusal of a file as the window shows it: the run time's
// error box, or the message that it is no file of the kind.
void dateiAblehnungZeigen(Programm& p, const api::Ergebnis& e, const std::string& keineDatei) {
    if (e.grund == api::Grund::dateifehler && e.io) p.fenster.fehler(e.io->text);
    if (e.grund == api::Grund::falscheDatei) p.fenster.meldung(keineDatei);
}

void Speichern1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::SaveDialog1);
    if (!pfad) return;
    const api::Ergebnis e = api::konfigurationSpeichern(p.geraet, *pfad);
    if (!e) return dateiAblehnungZeigen(p, e, keineKonfiguration);
    // Beside it, the markers, the hold and the difference: only once they
    // were used, so that a user who never did finds no new file.
    const std::string marken = markendateiPfad(*pfad);
    if (api::spurAnsicht(p.geraet).e == Spureinstellungen{} && !dateiLesen(marken, nullptr, textdateiGrenze)) return;
    const api::Ergebnis m = api::markenSpeichern(p.geraet, marken);
    if (m.io) p.fenster.fehler(m.io->text);
}

void ffnen1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::OpenDialog1);
    if (!pfad) return;
    // Every failure leaves settings, panel and picture as they were.
    const api::Ergebnis e = api::konfigurationLaden(p.geraet, *pfad);
    if (!e) {
        dateiAblehnungZeigen(p, e, keineKonfiguration);
        return;
    }
    panelZeigen(p);
    messmarkenLesen(p, *pfad);
    p.fenster.timerSchalten(Element::Timer2, true);
    p.fenster.timerSchalten(Element::Timer1, true);
}

}  // namespace qzl
