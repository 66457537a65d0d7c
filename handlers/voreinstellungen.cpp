#include "handlers/voreinstellungen.h"

#include <cctype>

#include "engine/api.h"
#include "formats/voreinstellung.h"
#include "handlers/messartwahl.h"
#include "handlers/messmarken.h"
#include "handlers/start.h"
#include "handlers/verbindung.h"

namespace qzl {

namespace {

std::string zitat(const std::string& name) { return "„" + name + "“"; }

// The folder and the name fit a preset; else the box says why.
bool ortGut(Programm& p, const std::string& ordner, const std::string& name) {
    Fenster& f = p.fenster;
    if (ordner.empty())
        f.meldung("Es gibt keinen Ordner für Voreinstellungen: weder XDG_CONFIG_HOME noch HOME nennen einen.");
    else if (name.empty())
        f.meldung("Bitte eine Voreinstellung wählen oder einen Namen eingeben.");
    else if (voreinstellungNameEinwand(name))
        f.meldung(zitat(name) + " taugt nicht als Name einer Voreinstellung: höchstens 64 Zeichen, keines von "
                                "/ \\ : * ? \" < > |, kein „..“, kein Leerzeichen am Anfang oder Ende und kein "
                                "Punkt am Ende.");
    else
        return true;
    return false;
}

// A refusal of the engine as the window says it; a failed file operation
// in the error box with the run time's words.
void ablehnungZeigen(Programm& p, const api::Ergebnis& e, const std::string& text) {
    if (e.grund == api::Grund::dateifehler && e.io)
        p.fenster.fehler(e.io->text);
    else
        p.fenster.meldung(text);
}

std::string ladeAblehnung(const api::Ergebnis& e, const std::string& name, const std::string& pfad) {
    switch (e.grund) {
        case api::Grund::sweepLaeuft: return "Während eines Durchlaufs lässt sich keine Voreinstellung laden.";
        case api::Grund::ausserhalb:
            return "Die Voreinstellung " + zitat(name) +
                   " hält Werte, die keine Einstellung annimmt (Frequenzbereich oder Messmarken); nichts wurde "
                   "geändert.";
        default: break;
    }
    std::string text = zitat(name) + " ist keine gültige Voreinstellung";
    // The engine names the line at fault after the path.
    const auto zeile = e.text.find(": line ", pfad.size());
    if (zeile != std::string::npos) {
        std::string nummer;
        for (auto i = zeile + 7; i < e.text.size() && std::isdigit(static_cast<unsigned char>(e.text[i])); ++i)
            nummer += e.text[i];
        text += " (Zeile " + nummer + ")";
    }
    return text + "; nichts wurde geändert.";
}

std::string nachladeText(const api::Nachladefehler& n, const char* art, const char* keine, const char* folge) {
    const std::string grund = n.grund.io ? n.grund.io->text : keine;
    return std::string(art) + " " + n.datei + " ließ sich nicht laden (" + grund + "); " + folge;
}

// What loading a configuration shows, and the kind's controls and heading.
void geladenZeigen(Programm& p, std::int32_t comVorher, std::int32_t baudVorher) {
    const Messart art = p.st.messart;
    panelZeigen(p);
    clear_messwerte(p);
    messartZeigen(p, art == Messart::smith ? Messart::reflexion : art);
    spurenZeigen(p);
    // A preset with the calibration may name another port.
    if (p.st.comport != comVorher || p.st.baudrate != baudVorher) {
        p.port.schliessen();
        PortSetzen(p);
    }
    if (art == Messart::vfo) api::generatorAbstimmen(p.geraet);
}

bool holenUndZeigen(Programm& p, const std::string& ordner, const std::string& name) {
    if (!ortGut(p, ordner, name)) return false;
    const std::int32_t com = p.st.comport, baud = p.st.baudrate;
    const api::Voreinstellungsladung l = api::voreinstellungHolen(p.geraet, ordner, name, Erlaubnis::fenster);
    if (!l.ergebnis) {
        ablehnungZeigen(p, l.ergebnis, ladeAblehnung(l.ergebnis, name, api::voreinstellungsPfad(ordner, name)));
        return false;
    }
    geladenZeigen(p, com, baud);
    std::string hinweis;
    if (l.grenzen)
        hinweis = nachladeText(*l.grenzen, "Die Grenzwertdatei", "keine Grenzwertdatei", "es gelten keine Grenzwerte.");
    if (l.referenz)
        hinweis += (hinweis.empty() ? "" : "\n") +
                   nachladeText(*l.referenz, "Die Referenz", "keine Messreihe", "die bisherige Referenz bleibt.");
    if (!hinweis.empty()) p.fenster.meldung(hinweis);
    return true;
}

class Bedienung : public VoreinstellungsBedienung {
public:
    Bedienung(Programm& p, std::string ordner) : p_(p), ordner_(std::move(ordner)) {}

    std::vector<std::string> namen() override {
        if (ordner_.empty()) return {};
        const api::Voreinstellungsliste liste = api::voreinstellungenListen(ordner_);
        if (!liste.ergebnis) ablehnungZeigen(p_, liste.ergebnis, "Der Ordner der Voreinstellungen ließ sich nicht lesen.");
        return liste.namen;
    }

    std::string speichern(const std::string& name, bool mitKalibrierung) override {
        if (!ortGut(p_, ordner_, name)) return {};
        const bool ersetzen = api::voreinstellungVorhanden(ordner_, name);
        if (ersetzen && !p_.fenster.bestaetigen(vorhanden(name) + " Überschreiben?")) return name;
        const api::Ergebnis e = api::voreinstellungAblegen(p_.geraet, ordner_, name, mitKalibrierung, ersetzen);
        if (e.grund == api::Grund::unpassend)
            p_.fenster.meldung("Der Pfad der Grenzwertdatei oder der Referenz lässt sich in keiner Voreinstellung "
                               "speichern: er bricht die Zeile.");
        else if (!e)
            ablehnungZeigen(p_, e, vorhanden(name));
        return name;
    }

    std::string laden(const std::string& name) override {
        holenUndZeigen(p_, ordner_, name);
        return name;
    }

    std::string umbenennen(const std::string& name) override {
        if (!ortGut(p_, ordner_, name)) return {};
        const std::string neu = p_.fenster.eingabe("Umbenennen", "Neuer Name der Voreinstellung " + zitat(name) + ":", name);
        if (neu == name || !ortGut(p_, ordner_, neu)) return name;
        const api::Ergebnis e = api::voreinstellungUmbenennen(ordner_, name, neu);
        if (e) return neu;
        ablehnungZeigen(p_, e, vorhanden(neu));
        return name;
    }

    std::string loeschen(const std::string& name) override {
        if (!ortGut(p_, ordner_, name)) return {};
        if (!p_.fenster.bestaetigen("Die Voreinstellung " + zitat(name) + " löschen?")) return name;
        const api::Ergebnis e = api::voreinstellungLoeschen(ordner_, name);
        if (e) return {};
        ablehnungZeigen(p_, e, "Die Voreinstellung " + zitat(name) + " ließ sich nicht löschen.");
        return name;
    }

    std::string importieren() override {
        // Without a folder there is nowhere to import to.
        if (ordner_.empty()) {
            ortGut(p_, ordner_, {});
            return {};
        }
        const auto pfad = p_.fenster.dateiDialog(Element::OpenDialogVoreinstellung);
        if (!pfad) return {};
        // The file's name without folder and ending names the preset.
        std::string name = pfad->substr(pfad->find_last_of("/\\") + 1);
        if (name.ends_with(voreinstellungEndung)) name.resize(name.size() - voreinstellungEndung.size());
        if (!ortGut(p_, ordner_, name)) return {};
        const bool ersetzen = api::voreinstellungVorhanden(ordner_, name);
        if (ersetzen && !p_.fenster.bestaetigen(vorhanden(name) + " Überschreiben?")) return name;
        const api::Ergebnis e = api::voreinstellungImportieren(ordner_, name, *pfad, ersetzen);
        if (e.grund == api::Grund::falscheDatei)
            p_.fenster.meldung(*pfad + " ist keine Voreinstellung von QZL7.");
        else if (!e)
            ablehnungZeigen(p_, e, vorhanden(name));
        return name;
    }

    std::string exportieren(const std::string& name) override {
        if (!ortGut(p_, ordner_, name)) return {};
        if (const auto pfad = p_.fenster.dateiDialog(Element::SaveDialogVoreinstellung))
            if (const api::Ergebnis e = api::voreinstellungExportieren(ordner_, name, *pfad); !e)
                ablehnungZeigen(p_, e, "Die Voreinstellung " + zitat(name) + " ließ sich nicht exportieren.");
        return name;
    }

private:
    static std::string vorhanden(const std::string& name) {
        return "Eine Voreinstellung " + zitat(name) + " gibt es schon.";
    }

    Programm& p_;
    const std::string ordner_;
};

}  // namespace

void Voreinstellungen1Click(Programm& p) { p.fenster.voreinstellungenZeigen(); }

void voreinstellungAmStart(Programm& p, const std::string& ordner, const std::string& name) {
    holenUndZeigen(p, ordner, name);
}

std::unique_ptr<VoreinstellungsBedienung> voreinstellungsBedienung(Programm& p, std::string ordner) {
    return std::make_unique<Bedienung>(p, std::move(ordner));
}

api::Voreinstellungsladung voreinstellungFernLaden(Programm& p, const std::string& ordner, const std::string& name) {
    const std::int32_t com = p.st.comport, baud = p.st.baudrate;
    api::Voreinstellungsladung l = api::voreinstellungHolen(p.geraet, ordner, name);
    if (l.ergebnis) geladenZeigen(p, com, baud);
    return l;
}

}  // namespace qzl
