#include "cli/einstellungen.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "cli/ausgabe.h"
#include "engine/api.h"
#include "formats/konfiguration.h"
#include "formats/voreinstellung.h"
#include "state/kurve.h"
#include "state/regeln.h"
#include "platform/datei.h"

namespace qzl::cli {

namespace {

std::string jenseits(std::int64_t hz) {
    return (hz == std::numeric_limits<std::int64_t>::max() ? std::string("the value") : std::to_string(hz) + " Hz") +
           " lies beyond 32 bits (2147483647 Hz at most)";
}

// The folder of qzl7 --user-config, with its slash; "" for the working folder.
std::string einstellungsOrdner(const Auftrag& a) {
    if (!a.benutzerOrdner) return {};
    const std::string ordner = benutzerEinstellungsOrdner(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return ordner.empty() ? ordner : ordner + "/";
}

// The settings file into the engine, its path in geladen ("" for the start values).
std::string konfigurationLaden(const Auftrag& a, Geraet& g, std::string& geladen) {
    const std::string pfad = a.konfig.value_or(einstellungsOrdner(a) + "qzl7.cfg");
    const std::string name = a.konfig ? "--config " + pfad : pfad;
    std::optional<IoFehler> fehler;
    auto daten = dateiLesen(pfad, &fehler, textdateiGrenze);
    // Only a missing qzl7.cfg means the start values; one the user named, or
    // one that is there but cannot be read, is an error.
    if (!daten && !a.konfig && !fehler) return {};
    if (!daten) return name + ": cannot be read: " + englisch(fehler.value_or(IoFehler{2, "", ENOENT}));
    if (!api::konfigurationUebernehmen(g, std::move(*daten))) return name + ": not a settings file of qzl7";
    geladen = pfad;
    return {};
}

// The preset over the settings file, before the options. Its limits must be
// there when they judge, or a sweep would pass that nothing judged; its
// markers and reference are the window's and play no part here.
std::string voreinstellungNehmen(const Auftrag& a, Geraet& g) {
    if (!a.voreinstellung) return {};
    const std::string wer = "--preset " + *a.voreinstellung + ": ";
    const std::string ordner = voreinstellungsOrdner(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    const auto grund = [](const api::Ergebnis& e) { return e.io ? "cannot be read: " + englisch(*e.io) : e.text; };
    const api::Voreinstellungsladung l = api::voreinstellungHolen(g, ordner, *a.voreinstellung);
    if (l.ergebnis.io) return wer + api::voreinstellungsPfad(ordner, *a.voreinstellung) + ": " + grund(l.ergebnis);
    if (!l.ergebnis) return wer + l.ergebnis.text;
    if (l.grenzen && api::spurAnsicht(g).grenzenAn) return wer + "the limit file " + l.grenzen->datei + ": " + grund(l.grenzen->grund);
    if (g.st.messart == Messart::vfo && !a.messart)
        return wer + "the VFO sweeps nothing; give --mode transmission, reflection or spectrum";
    // The Smith figure is reflection's readings.
    if (g.st.messart == Messart::smith) api::messartWaehlen(g, Messart::reflexion);
    return {};
}

// Every point tuned with the IF must stay a frequency the generator can be
// given: the tuning word of one below 0 Hz would be that of a wrapped one.
std::string zwischenfrequenzPruefen(const Auftrag& a, const InstrumentState& st) {
    const auto e = api::zfEinwand(st);
    if (!e) return {};
    const bool addieren = (st.zfBerechnung & 2) != 0;
    return std::string(a.zf ? "--if" : "--if-mode") + ": point " + std::to_string(e->punkt) + " (" +
           std::to_string(e->frequenz) + " Hz) " + (addieren ? "plus" : "minus") + " the IF of " +
           std::to_string(st.zwischenfrequenz.load()) + " Hz tunes the generator to " +
           std::to_string(e->abgestimmt) + " Hz, " +
           (e->abgestimmt < 0 ? "below 0 Hz" : "beyond 32 bits (2147483647 Hz at most)");
}

// The readings become levels through the correction factors of the kind and
// detector, which a calibration makes at one resolution.
std::string kalibrierungPruefen(const Auftrag& a, const InstrumentState& st, const std::string& geladen,
                                std::int32_t dateiBits) {
    const auto kalibriert = api::kalibrierteBits(st, dateiBits);
    const std::int32_t bits = st.messgenauigkeit;
    if (!kalibriert || bits == *kalibriert) return {};
    const std::string wo = geladen.empty() ? "of the start values (no qzl7.cfg)" : "in " + geladen;
    if (!a.bits)
        return geladen + ": Messgenauigkeit " + std::to_string(bits) +
               " with the start values' calibration, made for 8 bits; calibrate at " + std::to_string(bits) +
               " bits in the window, or give --bits 8";
    return "--bits " + std::to_string(bits) + ": the calibration " + wo + " was made for " +
           std::to_string(*kalibriert) + " bits; calibrate at " + std::to_string(bits) +
           " bits in the window or give a configuration that was";
}

// Start, step and points from the options over the file's; the reason in
// the options' words when they do not make a sweep.
std::string bereichBestimmen(const Auftrag& a, Geraet& g, const std::string& geladen) {
    const InstrumentState& st = g.st;
    if (a.start && *a.start > hoechsteFrequenz) return "--start: " + jenseits(*a.start);
    const std::int64_t start = a.start.value_or(st.startfrequenz);
    if (a.schritt && *a.schritt > hoechsteFrequenz) return "--step: " + jenseits(*a.schritt);
    std::int64_t schritt = a.schritt.value_or(st.schrittweite);
    std::int64_t punkte = a.punkte.value_or(st.messpunkte);
    if (a.stop) {
        if (*a.stop > hoechsteFrequenz) return "--stop: " + jenseits(*a.stop);
        const std::int64_t spanne = *a.stop - start;
        if (a.schritt && a.punkte) return "--stop: give two of --stop, --step and --points, not all three";
        if (spanne <= 0) return "--stop: " + std::to_string(*a.stop) + " Hz does not lie above the start, " +
                                std::to_string(start) + " Hz";
        if (a.schritt) {
            if (*a.schritt <= 0) return "--step: must be above 0 Hz with --stop";
            punkte = spanne / *a.schritt + 1;
            if (!punkteErlaubt(punkte))
                return "--stop: with --step " + std::to_string(*a.schritt) + " Hz that makes " +
                       std::to_string(punkte) + " points, " + std::to_string(maxMesspunkte) + " at most";
        } else {
            if (punkte < 2) return "--stop: a sweep from start to stop needs 2 points or more";
            // Whole hertz, halves to even: the last point lies within half a
            // hertz per step of the stop frequency; down when up would carry
            // it beyond 32 bits.
            const double genau = static_cast<double>(spanne) / static_cast<double>(punkte - 1);
            schritt = static_cast<std::int64_t>(std::nearbyint(genau));
            if (start + (punkte - 1) * schritt > hoechsteFrequenz) schritt = static_cast<std::int64_t>(std::floor(genau));
        }
    }
    const auto e = api::bereichSetzen(g, start, schritt, punkte);
    if (e) return {};
    if (e.grund != api::Grund::ausserhalb) return e.text;
    // Options can only make frequencies of 0 Hz and more; the rest comes from the file.
    if (start < 0) return geladen + ": the first sweep point, " + std::to_string(start) + " Hz, lies below 0 Hz";
    const std::int64_t letzte = start + (punkte - 1) * schritt;
    const std::string schuld =
        a.stop ? "--stop" : a.schritt ? "--step" : a.punkte ? "--points" : a.start ? "--start" : geladen;
    return schuld + ": the last sweep point, " + std::to_string(letzte) + " Hz, lies " +
           (letzte < 0 ? "below 0 Hz" : "beyond 32 bits (2147483647 Hz at most)");
}

}  // namespace

std::string einstellungenVorbereiten(const Auftrag& a, Geraet& g, PortNamen& namen) {
    const InstrumentState& st = g.st;
    api::startwerteSetzen(g, false);
    // Markers are drawn into the diagram, so a picture shows them as the window does.
    if (auto marken = dateiLesen(einstellungsOrdner(a) + "frequenz.cfg", nullptr, textdateiGrenze))
        api::freqMarkenUebernehmen(g, std::move(*marken));
    std::string geladen;
    if (auto fehler = konfigurationLaden(a, g, geladen); !fehler.empty()) return fehler;
    if (auto fehler = voreinstellungNehmen(a, g); !fehler.empty()) return fehler;
    const std::int32_t dateiBits = st.messgenauigkeit;

    // Without a preset, transmission and log unless the options say otherwise.
    if (a.messart || !a.voreinstellung) api::messartWaehlen(g, a.messart.value_or(Messart::durchgang));
    if (a.lin || !a.voreinstellung) api::detektorWaehlen(g, a.lin.value_or(false));
    api::demoModusSetzen(g, a.demo);
    if (auto e = api::schnittstelleSetzen(g, a.com, a.baud, a.bits); !e) return e.text;
    namen.ausArgumenten(a.comOptionen);  // checked when they were read
    if (a.portPfad) namen.setzen(st.comport, *a.portPfad);

    if (a.zf || a.zfAddieren) {
        if (a.zf && *a.zf > hoechsteFrequenz) return "--if: " + jenseits(*a.zf);
        if (auto e = api::zfEinschalten(g, a.zf, a.zfAddieren); !e) return "--if: " + e.text;
    }
    if (auto fehler = bereichBestimmen(a, g, geladen); !fehler.empty()) return fehler;
    api::cursorZurMitte(g);
    if (auto fehler = zwischenfrequenzPruefen(a, st); !fehler.empty()) return fehler;
    return kalibrierungPruefen(a, st, geladen, dateiBits);
}

}  // namespace qzl::cli
