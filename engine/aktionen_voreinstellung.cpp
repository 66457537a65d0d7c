// The API's presets: a measurement setup saved and taken as a whole, and the
// folder that keeps them by name.
#include <algorithm>
#include <cerrno>
#include <mutex>

#include "diagram/kurve.h"
#include "engine/api.h"
#include "engine/einwaende.h"
#include "engine/messarten.h"
#include "engine/zustand.h"
#include "formats/voreinstellung.h"
#include "platform/datei.h"
#include "platform/ordner.h"

namespace qzl::api {

namespace {

Ergebnis dateiFehler(const IoFehler& f) { return {Grund::dateifehler, f.text, f}; }

// The kind the user chose, for which a time-out's demonstration stands in.
Messart gewaehlteArt(const Geraet& g) {
    const Messart art = g.st.messart;
    if (art != Messart::demo) return art;
    const Messart vorher = g.messartVorAusfall;
    return messartDaten(vorher) || vorher == Messart::smith ? vorher : Messart::durchgang;
}

Voreinstellung erfassen(Geraet& g, bool mitKalibrierung) {
    const InstrumentState& st = g.st;
    Voreinstellung v;
    v.start = st.startfrequenz;
    v.schritt = st.schrittweite;
    v.punkte = st.messpunkte;
    v.zwischenfrequenz = st.zwischenfrequenz;
    v.zfAn = (st.zfBerechnung & 1) != 0;
    v.zfAddieren = (st.zfBerechnung & 2) != 0;
    v.art = gewaehlteArt(g);
    v.lin = st.linModus;
    for (std::size_t k = 1; k < v.freqMarken.size(); ++k) v.freqMarken[k] = st.freqMarken[k];
    {
        std::lock_guard sperre(g.spurSperre);
        v.spuren = g.spuren.e;
        v.grenzDatei = g.spuren.grenzDatei;
        v.grenzenAn = g.spuren.grenzenAn;
        v.referenzDatei = g.spuren.referenzDatei;
    }
    if (!mitKalibrierung) return v;
    auto& k = v.kalibrierung;
    for (std::size_t s = 0; s < k.korrektur.size(); ++s) k.korrektur[s] = {st.korrfaktor1[s], st.korrfaktor2[s]};
    for (std::size_t n = 1; n < k.linien.size(); ++n) k.linien[n] = {st.linie[n], st.linieText[n]};
    k.comport = st.comport;
    k.baudrate = st.baudrate;
    k.messgenauigkeit = st.messgenauigkeit;
    k.taktfrequenz = st.taktfrequenz;
    return v;
}

// The preset's text; refused for a path it cannot hold on its line.
Ergebnis textErfassen(Geraet& g, bool mitKalibrierung, std::string& text) {
    const Voreinstellung v = erfassen(g, mitKalibrierung);
    for (const auto* pfad : {&v.grenzDatei, &v.referenzDatei})
        if (pfad->find_first_of("\r\n\x1A") != std::string::npos)
            return abgelehnt(Grund::unpassend, "a preset cannot hold the path " + *pfad + ", which breaks its line");
    text = voreinstellungText(v);
    return {};
}

void kalibrierungNehmen(InstrumentState& st, const Kalibrierwerte& k) {
    for (std::size_t s = 0; s < k.korrektur.size(); ++s)
        if (k.korrektur[s]) {
            st.korrfaktor1[s] = k.korrektur[s]->first;
            st.korrfaktor2[s] = k.korrektur[s]->second;
        }
    for (std::size_t n = 1; n < k.linien.size(); ++n)
        if (k.linien[n]) {
            st.linie[n] = k.linien[n]->first;
            st.linieText[n] = k.linien[n]->second;
        }
    if (k.comport) st.comport = *k.comport;
    if (k.baudrate) st.baudrate = *k.baudrate;
    if (k.messgenauigkeit) st.messgenauigkeit = *k.messgenauigkeit;
    if (k.taktfrequenz) st.taktfrequenz = *k.taktfrequenz;
}

std::optional<Ergebnis> ortEinwand(const std::string& ordner, const std::string& name) {
    if (ordner.empty()) return abgelehnt(Grund::unpassend, "there is no folder for presets");
    if (auto text = voreinstellungNameEinwand(name)) return abgelehnt(Grund::ausserhalb, "\"" + name + "\": " + *text);
    return std::nullopt;
}

Ergebnis ablegen(const std::string& ordner, const std::string& name, const std::string& daten, bool ersetzen) {
    if (auto f = ordnerAnlegen(ordner)) return dateiFehler(*f);
    const std::string pfad = voreinstellungsPfad(ordner, name);
    const auto f = ersetzen ? dateiSchreiben(pfad, daten) : dateiNeuSchreiben(pfad, daten);
    if (!f) return {};
    if (f->systemFehler == EEXIST) return abgelehnt(Grund::vorhanden, "there is a preset \"" + name + "\" already");
    return dateiFehler(*f);
}

std::optional<std::string> lesen(const std::string& pfad, Ergebnis& e) {
    IoFehler fehler;
    auto daten = gewaehlteDateiLesen(pfad, fehler, textdateiGrenze);
    if (!daten) e = dateiFehler(fehler);
    return daten;
}

}  // namespace

Ergebnis voreinstellungSpeichern(Geraet& g, const std::string& pfad, bool mitKalibrierung) {
    std::string text;
    if (auto e = textErfassen(g, mitKalibrierung, text); !e) return e;
    if (auto f = dateiSchreiben(pfad, text)) return dateiFehler(*f);
    return {};
}

Voreinstellungsladung voreinstellungUebernehmen(Geraet& g, const std::string& daten, const std::string& name,
                                                Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return {*e, {}, {}};
    const auto gelesen = voreinstellungLesen(daten);
    if (!gelesen.voreinstellung)
        return {abgelehnt(Grund::falscheDatei, name + (gelesen.kopfFehlt ? " is no preset of qzl7" : ": " + gelesen.fehler)),
                {}, {}};
    const Voreinstellung& v = *gelesen.voreinstellung;
    // Judged as the setters judge, all before anything changes.
    if (auto text = bereichEinwand(v.start, v.schritt, v.punkte, erlaubnis))
        return {abgelehnt(Grund::ausserhalb, name + ": " + *text), {}, {}};
    if (auto e = spurEinwand(v.spuren)) return {abgelehnt(Grund::ausserhalb, name + ": " + e->text), {}, {}};

    auto& st = zustand(g);
    st.linModus = v.lin;
    st.messart = v.art;
    // The Smith figure is shown on reflection's controls, with its IF.
    st.zfAktiv = messartDaten(v.art == Messart::smith ? Messart::reflexion : v.art)->zf;
    st.startfrequenz = static_cast<std::int32_t>(v.start);
    st.schrittweite = static_cast<std::int32_t>(v.schritt);
    st.messpunkte = v.punkte;
    st.zwischenfrequenz = v.zwischenfrequenz;
    st.zfBerechnung = (st.zfBerechnung & ~3) | (v.zfAn ? 1 : 0) | (v.zfAddieren ? 2 : 0);
    for (std::size_t k = 1; k < v.freqMarken.size(); ++k) st.freqMarken[k] = v.freqMarken[k];
    kalibrierungNehmen(st, v.kalibrierung);
    spurEinstellungenSetzen(g, v.spuren);

    // The files it names come last: one that is missing does not keep the
    // rest from being taken, so it is only said.
    Voreinstellungsladung l;
    grenzenVerwerfen(g);
    if (!v.grenzDatei.empty())
        if (Ergebnis e = grenzenLaden(g, v.grenzDatei); !e) l.grenzen = Nachladefehler{v.grenzDatei, e};
    grenzenPruefenSetzen(g, v.grenzenAn);
    if (!v.referenzDatei.empty())
        if (Ergebnis e = referenzLaden(g, v.referenzDatei); !e) l.referenz = Nachladefehler{v.referenzDatei, e};
    cursorZurMitte(g);
    diagrammNeu(g);
    if (v.art == Messart::vfo) vfoGrundlinie(st);
    return l;
}

Voreinstellungsladung voreinstellungLaden(Geraet& g, const std::string& pfad, Erlaubnis erlaubnis) {
    if (auto e = laeuftSchon(g)) return {*e, {}, {}};
    Ergebnis e;
    const auto daten = lesen(pfad, e);
    if (!daten) return {e, {}, {}};
    return voreinstellungUebernehmen(g, *daten, pfad, erlaubnis);
}

std::string voreinstellungsPfad(const std::string& ordner, const std::string& name) {
    return ordner + "/" + name + std::string(voreinstellungEndung);
}

Ergebnis voreinstellungAblegen(Geraet& g, const std::string& ordner, const std::string& name, bool mitKalibrierung,
                               bool ersetzen) {
    if (auto e = ortEinwand(ordner, name)) return *e;
    std::string text;
    if (auto e = textErfassen(g, mitKalibrierung, text); !e) return e;
    return ablegen(ordner, name, text, ersetzen);
}

Voreinstellungsladung voreinstellungHolen(Geraet& g, const std::string& ordner, const std::string& name,
                                          Erlaubnis erlaubnis) {
    if (auto e = ortEinwand(ordner, name)) return {*e, {}, {}};
    return voreinstellungLaden(g, voreinstellungsPfad(ordner, name), erlaubnis);
}

Voreinstellungsliste voreinstellungenListen(const std::string& ordner) {
    if (ordner.empty()) return {*ortEinwand(ordner, "-"), {}};
    IoFehler fehler;
    const auto dateien = dateienIm(ordner, fehler);
    if (!dateien) return {dateiFehler(fehler), {}};
    Voreinstellungsliste liste;
    for (const auto& datei : *dateien) {
        if (!datei.ends_with(voreinstellungEndung)) continue;
        const std::string name = datei.substr(0, datei.size() - voreinstellungEndung.size());
        if (!voreinstellungNameEinwand(name)) liste.namen.push_back(name);
    }
    std::sort(liste.namen.begin(), liste.namen.end());
    return liste;
}

bool voreinstellungVorhanden(const std::string& ordner, const std::string& name) {
    return !ortEinwand(ordner, name) && dateiLesen(voreinstellungsPfad(ordner, name), nullptr, 1).has_value();
}

Ergebnis voreinstellungUmbenennen(const std::string& ordner, const std::string& alt, const std::string& neu) {
    if (auto e = ortEinwand(ordner, alt)) return *e;
    if (auto e = ortEinwand(ordner, neu)) return *e;
    if (alt == neu) return {};
    Ergebnis e;
    const auto daten = lesen(voreinstellungsPfad(ordner, alt), e);
    if (!daten) return e;
    // A copy under the new name first, which never replaces another preset.
    if (e = ablegen(ordner, neu, *daten, false); !e) return e;
    if (auto f = dateiLoeschen(voreinstellungsPfad(ordner, alt))) {
        dateiLoeschen(voreinstellungsPfad(ordner, neu));
        return dateiFehler(*f);
    }
    return {};
}

Ergebnis voreinstellungLoeschen(const std::string& ordner, const std::string& name) {
    if (auto e = ortEinwand(ordner, name)) return *e;
    if (auto f = dateiLoeschen(voreinstellungsPfad(ordner, name))) return dateiFehler(*f);
    return {};
}

Ergebnis voreinstellungImportieren(const std::string& ordner, const std::string& name, const std::string& datei,
                                   bool ersetzen) {
    if (auto e = ortEinwand(ordner, name)) return *e;
    Ergebnis e;
    const auto daten = lesen(datei, e);
    if (!daten) return e;
    if (const auto gelesen = voreinstellungLesen(*daten); !gelesen.voreinstellung)
        return abgelehnt(Grund::falscheDatei, datei + (gelesen.kopfFehlt ? " is no preset of qzl7" : ": " + gelesen.fehler));
    return ablegen(ordner, name, *daten, ersetzen);
}

Ergebnis voreinstellungExportieren(const std::string& ordner, const std::string& name, const std::string& datei) {
    if (auto e = ortEinwand(ordner, name)) return *e;
    Ergebnis e;
    const auto daten = lesen(voreinstellungsPfad(ordner, name), e);
    if (!daten) return e;
    if (auto f = dateiSchreiben(datei, *daten)) return dateiFehler(*f);
    return {};
}

}  // namespace qzl::api
