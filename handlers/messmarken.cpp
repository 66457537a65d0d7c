#include "handlers/messmarken.h"

#include <cmath>
#include <cstdio>

#include "engine/api.h"
#include "handlers/start.h"
#include "state/ganzzahl.h"
#include "state/hz_text.h"

namespace qzl {

namespace {

const std::string keineKurve = "Es gibt noch keine Messkurve zu den Einstellungen: bitte erst einen Durchlauf messen.";

// The engine's refusal in the window's words.
std::string grundText(const api::Ergebnis& e) {
    switch (e.grund) {
        case api::Grund::keiner: return {};
        case api::Grund::keineDaten: return keineKurve;
        case api::Grund::unpassend:
            return e.text.starts_with("no reference") ? "Es gibt keine Referenz: bitte erst eine übernehmen oder laden."
                                                      : "Die Referenz wurde bei anderen Frequenzen, mit dem anderen "
                                                        "Detektor oder in einer anderen Messart gemessen.";
        default: return "Ungültige Angabe für die Messmarke.";
    }
}

void zeigen(Programm& p, const api::Ergebnis& e) {
    if (!e) p.fenster.meldung(grundText(e));
    spurenZeigen(p);
    neuZeichnenZeigen(p);
}

std::string zahl(double d, int stellen, char dezimalzeichen) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", stellen, d);
    std::string s = text;
    for (char& c : s)
        if (c == '.') c = dezimalzeichen;
    return s;
}

std::string pegelFein(double pegel, bool lin, char dezimalzeichen) {
    return lin ? zahl(pegel, 3, dezimalzeichen) : zahl(pegel, 1, dezimalzeichen) + " dB";
}

std::string rund(double hz) { return hzText(static_cast<std::int64_t>(std::nearbyint(hz))); }

std::string artText(const Messmarke& m) {
    std::string t = m.bandDb ? "Band" : m.bezug ? "Delta zu " + std::to_string(m.bezug)
                                 : m.suche == Suche::maximum ? "Spitze"
                                 : m.suche == Suche::minimum ? "Minimum"
                                                             : "Normal";
    if (m.verfolgen && m.suche != Suche::keine) t += " (folgt)";
    return t;
}

MarkenTafel tafelVon(const api::Spuransicht& a, char dez) {
    MarkenTafel t;
    t.e = a.e;
    const bool lin = a.kurve && a.kurve->lin;
    for (std::size_t i = 0; i < t.zeilen.size(); ++i) {
        const Messmarke& m = a.e.marken[i];
        const MarkenAblesung& ab = a.ablesungen[i];
        auto& z = t.zeilen[i];
        z.nummer = std::to_string(i + 1);
        if (!m.an) {
            z.art = "aus";
            continue;
        }
        z.art = artText(m);
        if (!ab.punkt) {
            z.frequenz = hzText(m.frequenz);
            z.pegel = a.kurve ? "außerhalb" : "–";
            continue;
        }
        z.frequenz = hzText(ab.frequenz);
        z.pegel = pegelFein(ab.pegel, lin, dez);
        if (m.bandDb) {
            z.werte = ab.band ? zahl(*m.bandDb, 1, dez) + " dB: " + rund(ab.band->unten) + " … " + rund(ab.band->oben) +
                                    ", B " + rund(ab.band->breite) + ", Q " + zahl(ab.band->q, 1, dez)
                              : "Band läuft über den Rand";
            if (ab.formfaktor) z.werte += ", Formfaktor " + zahl(*ab.formfaktor, 2, dez);
        } else if (m.bezug) {
            z.werte = ab.delta ? "Δ " + hzText(ab.delta->first) + ", " + pegelFein(ab.delta->second, lin, dez)
                               : "Messmarke " + std::to_string(m.bezug) + " ist aus";
        }
    }
    return t;
}

class Bedienung : public MarkenBedienung {
public:
    explicit Bedienung(Programm& p) : p_(p) {}
    MarkenTafel tafel() override { return tafelVon(api::spurAnsicht(p_.geraet), p_.st.dezimalzeichen); }
    std::uint64_t version() override { return api::spurVersion(p_.geraet); }
    std::string aendern(int n, const Messmarke& m) override { return getan(api::markeSetzen(p_.geraet, n, m)); }
    std::string suchen(int n, Suche suche) override { return getan(api::markeSuchen(p_.geraet, n, suche)); }
    std::string spitze(int n, bool rechts) override {
        const api::Ergebnis e = api::markeSpitzeSuchen(p_.geraet, n, rechts);
        if (e.grund == api::Grund::keineDaten && !e.text.starts_with("no curve"))
            return getan(e, std::string("Keine Spitze von 3 dB ") + (rechts ? "rechts" : "links") + " der Messmarke.");
        return getan(e);
    }
    void aktivieren(int n) override { getan(api::aktiveMarkeSetzen(p_.geraet, n)); }
    bool taste(int punkte) override {
        const int n = aktiveAn();
        return n && !getan(api::markeSchieben(p_.geraet, n, punkte)).size();
    }
    bool klick(int spalte) override {
        const int n = aktiveAn();
        if (!n) return false;
        const api::Spuransicht a = api::spurAnsicht(p_.geraet);
        // Point k is drawn at column origin + 2k + 1, or 2k - 1 for a series;
        // a column between two points takes the lower one.
        const int versatz = a.versetzt ? -1 : 1;
        const auto k = static_cast<std::int32_t>(std::floor((spalte - p_.st.xUrsprung - versatz) / 2.0));
        getan(api::markeAufPunkt(p_.geraet, n, k));
        return true;
    }

private:
    // The active marker when it is on, else 0.
    int aktiveAn() {
        const auto e = api::spurAnsicht(p_.geraet).e;
        return e.marken[static_cast<std::size_t>(e.aktiv - 1)].an ? e.aktiv : 0;
    }
    std::string getan(const api::Ergebnis& e, std::string text = {}) {
        spurenZeigen(p_);
        neuZeichnenZeigen(p_);
        if (e) return {};
        return text.empty() ? grundText(e) : text;
    }
    Programm& p_;
};

}  // namespace

void Messmarken1Click(Programm& p) { p.fenster.messmarkenZeigen(); }

void Referenzuebernehmen1Click(Programm& p) {
    const api::Ergebnis e = api::referenzUebernehmen(p.geraet);
    if (!e) {
        p.fenster.meldung("Es gibt noch keinen vollständigen Durchlauf, der Referenz werden könnte.");
        return;
    }
    zeigen(p, e);
}

void Referenzverwerfen1Click(Programm& p) {
    api::referenzVerwerfen(p.geraet);
    zeigen(p, {});
}

void Differenzanzeigen1Click(Programm& p) {
    zeigen(p, api::differenzZeigen(p.geraet, !api::spurAnsicht(p.geraet).e.differenz));
}

void haltenWaehlen(Programm& p, Halten halten) {
    zeigen(p, api::haltenSetzen(p.geraet, halten, api::spurAnsicht(p.geraet).e.mittelAnzahl));
}

void HaltenMittelwert1Click(Programm& p) {
    const std::string vorher = std::to_string(api::spurAnsicht(p.geraet).e.mittelAnzahl);
    const std::string antwort = p.fenster.eingabe("Mittelwert", "Mittelwert über wie viele Durchläufe (1 bis 100)?", vorher);
    const auto anzahl = ganzzahlLesen(antwort);
    if (!anzahl || *anzahl < 1 || *anzahl > hoechsteMittelAnzahl) {
        p.fenster.meldung("Bitte eine Anzahl von 1 bis 100 eingeben.");
        return;
    }
    zeigen(p, api::haltenSetzen(p.geraet, Halten::mittel, static_cast<std::int32_t>(*anzahl)));
}

void ReferenzLaden1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::OpenDialog2);
    if (!pfad) return;
    const api::Ergebnis e = api::referenzLaden(p.geraet, *pfad);
    if (e.grund == api::Grund::dateifehler && e.io) return p.fenster.fehler(e.io->text);
    if (e.grund == api::Grund::falscheDatei) return p.fenster.meldung("Keine Messreihe: " + *pfad);
    zeigen(p, e);
}

void Grenzwerteladen1Click(Programm& p) {
    const auto pfad = p.fenster.dateiDialog(Element::OpenDialog3);
    if (!pfad) return;
    const api::Ergebnis e = api::grenzenLaden(p.geraet, *pfad);
    if (e.grund == api::Grund::dateifehler && e.io) return p.fenster.fehler(e.io->text);
    if (e.grund == api::Grund::falscheDatei) return p.fenster.meldung("Keine Grenzwertdatei: " + e.text);
    const auto a = api::spurAnsicht(p.geraet);
    // Limits that cannot judge this sweep would otherwise just say so in capitals.
    if (a.urteil && !a.urteil->einwand.empty()) p.fenster.meldung("Die Grenzwerte passen nicht zum Sweep: " + a.urteil->einwand);
    zeigen(p, e);
}

void Grenzwerteverwerfen1Click(Programm& p) {
    api::grenzenVerwerfen(p.geraet);
    zeigen(p, {});
}

void Grenzwertepruefen1Click(Programm& p) {
    const auto a = api::spurAnsicht(p.geraet);
    if (a.grenzen.empty()) return p.fenster.meldung("Es sind keine Grenzwerte geladen.");
    api::grenzenPruefenSetzen(p.geraet, !a.grenzenAn);
    zeigen(p, {});
}

std::string urteilText(const api::Spuransicht& a) {
    if (a.grenzen.empty() || !a.urteil) return "";
    const Grenzurteil& u = *a.urteil;
    const std::string text = !u.einwand.empty() ? "KEIN URTEIL"
                             : u.fehler.empty() ? "BESTANDEN"
                                                : "FEHLER bei " + hzText(u.fehler.front());
    // Synthesised readings judge nothing about the device.
    return u.synthetisch ? text + " (Demo)" : text;
}

void spurenZeigen(Programm& p) {
    auto& jetzt = p.spurenanzeige;
    if (api::spurVersion(p.geraet) == jetzt.version) return;
    const api::Spuransicht a = api::spurAnsicht(p.geraet);
    jetzt.version = a.version;
    auto& f = p.fenster;
    // Only what changed: the window without traces is not touched at all.
    if (a.differenz.has_value() != jetzt.differenz) {
        jetzt.differenz = a.differenz.has_value();
        f.textSetzen(Element::LabelDifferenz, jetzt.differenz ? "Differenz zur Referenz" : "");
    }
    if (a.e.differenz != jetzt.abgehakt) f.abhaken(Element::Differenzanzeigen1, jetzt.abgehakt = a.e.differenz);
    if (const std::string urteil = urteilText(a); urteil != jetzt.urteil)
        f.textSetzen(Element::LabelUrteil, jetzt.urteil = urteil);
    if (const bool pruefen = a.grenzenAn && !a.grenzen.empty(); pruefen != jetzt.pruefen)
        f.abhaken(Element::Grenzwertepruefen1, jetzt.pruefen = pruefen);
    if (a.e.halten != jetzt.halten) {
        const auto punkt = [](Halten h) {
            return h == Halten::max ? Element::HaltenMaximum1 : h == Halten::min ? Element::HaltenMinimum1
                                                                                 : Element::HaltenMittelwert1;
        };
        if (jetzt.halten != Halten::aus) f.abhaken(punkt(jetzt.halten), false);
        if (a.e.halten != Halten::aus) f.abhaken(punkt(a.e.halten), true);
        jetzt.halten = a.e.halten;
    }
}

std::string markendateiPfad(const std::string& konfiguration) {
    const auto schraegstrich = konfiguration.find_last_of("/\\");
    const auto punkt = konfiguration.rfind('.');
    const bool endung = punkt != std::string::npos && (schraegstrich == std::string::npos || punkt > schraegstrich);
    return (endung ? konfiguration.substr(0, punkt) : konfiguration) + ".mrk";
}

std::unique_ptr<MarkenBedienung> markenBedienung(Programm& p) { return std::make_unique<Bedienung>(p); }

}  // namespace qzl
