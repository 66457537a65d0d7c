#include "cli/einstellungen.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "cli/ausgabe.h"
#include "formats/konfiguration.h"
#include "state/kurve.h"
#include "state/zf_regel.h"
#include "platform/datei.h"

namespace qzl::cli {

namespace {

constexpr std::int64_t hoechsteFrequenz = std::numeric_limits<std::int32_t>::max();

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

// The settings file into st, its path in geladen ("" for the start values).
std::string konfigurationLaden(const Auftrag& a, InstrumentState& st, std::string& geladen) {
    const std::string pfad = a.konfig.value_or(einstellungsOrdner(a) + "qzl7.cfg");
    const std::string name = a.konfig ? "--config " + pfad : pfad;
    std::optional<IoFehler> fehler;
    auto daten = dateiLesen(pfad, &fehler, textdateiGrenze);
    // Only a missing qzl7.cfg means the start values; one the user named, or
    // one that is there but cannot be read, is an error.
    if (!daten && !a.konfig && !fehler) return {};
    if (!daten) return name + ": cannot be read: " + englisch(fehler.value_or(IoFehler{2, "", ENOENT}));
    if (!konfigurationLesen(st, std::move(*daten))) return name + ": not a settings file of qzl7";
    geladen = pfad;
    return {};
}

// Every point tuned with the IF must stay a frequency the generator can be
// given: the tuning word of one below 0 Hz would be that of a wrapped one.
std::string zwischenfrequenzPruefen(const Auftrag& a, const InstrumentState& st) {
    if (!st.zfAktiv) return {};
    const bool addieren = (st.zfBerechnung & 2) != 0;
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::int64_t f = punktFrequenz(st, i);
        const std::int64_t t = mitZwischenfrequenz(static_cast<std::int32_t>(f), st.zwischenfrequenz, st.zfBerechnung);
        if (t >= 0 && t <= hoechsteFrequenz) continue;
        return std::string(a.zf ? "--if" : "--if-mode") + ": point " + std::to_string(i) + " (" + std::to_string(f) +
               " Hz) " + (addieren ? "plus" : "minus") + " the IF of " + std::to_string(st.zwischenfrequenz.load()) +
               " Hz tunes the generator to " + std::to_string(t) + " Hz, " +
               (t < 0 ? "below 0 Hz" : "beyond 32 bits (2147483647 Hz at most)");
    }
    return {};
}

// The readings become levels through the correction factors of the kind and
// detector, which a calibration makes at one resolution: the start values'
// at 8 bits, a file's at its Messgenauigkeit.
std::string kalibrierungPruefen(const Auftrag& a, const InstrumentState& st, const std::string& geladen,
                                std::int32_t dateiBits) {
    const std::int32_t art = st.messart;
    if (art < 1 || art > 3) return {};
    const auto slot = static_cast<std::size_t>((st.linModus ? Dlin : Dlog) + art - 1);
    const bool startwerte = st.korrfaktor1[slot] == 50 && st.korrfaktor2[slot] == 250;
    const std::int32_t kalibriert = startwerte ? 8 : dateiBits;
    const std::int32_t bits = st.messgenauigkeit;
    if (bits == kalibriert) return {};
    const std::string wo = geladen.empty() ? "of the start values (no qzl7.cfg)" : "in " + geladen;
    if (!a.bits)
        return geladen + ": Messgenauigkeit " + std::to_string(bits) +
               " with the start values' calibration, made for 8 bits; calibrate at " + std::to_string(bits) +
               " bits in the window, or give --bits 8";
    return "--bits " + std::to_string(bits) + ": the calibration " + wo + " was made for " +
           std::to_string(kalibriert) + " bits; calibrate at " + std::to_string(bits) +
           " bits in the window or give a configuration that was";
}

}  // namespace

std::string einstellungenVorbereiten(const Auftrag& a, InstrumentState& st, PortNamen& namen) {
    st.startwerteSetzen();
    // Markers are drawn into the diagram, so a picture shows them as the window does.
    if (auto marken = dateiLesen(einstellungsOrdner(a) + "frequenz.cfg", nullptr, textdateiGrenze))
        freqMarkenLesen(st, std::move(*marken));
    std::string geladen;
    if (auto fehler = konfigurationLaden(a, st, geladen); !fehler.empty()) return fehler;
    const std::int32_t dateiBits = st.messgenauigkeit;

    st.messart = a.messart.value_or(1);
    st.linModus = a.lin.value_or(false);
    st.demoModus = a.demo;
    if (a.baud) st.baudrate = *a.baud;
    if (a.bits) st.messgenauigkeit = *a.bits;
    if (a.com) st.comport = *a.com;
    namen.ausArgumenten(a.comOptionen);  // checked when they were read
    if (a.portPfad) namen.setzen(st.comport, *a.portPfad);

    if (a.zf || a.zfAddieren) {
        if (a.zf && *a.zf > hoechsteFrequenz) return "--if: " + jenseits(*a.zf);
        if (a.zf) st.zwischenfrequenz = static_cast<std::int32_t>(*a.zf);
        const std::int32_t richtung = a.zfAddieren ? (*a.zfAddieren ? 2 : 0) : (st.zfBerechnung & 2);
        st.zfBerechnung = (st.zfBerechnung & ~3) | 1 | richtung;
        st.zfAktiv = true;
    }

    if (a.start && *a.start > hoechsteFrequenz) return "--start: " + jenseits(*a.start);
    if (a.start) st.startfrequenz = static_cast<std::int32_t>(*a.start);
    if (a.schritt && *a.schritt > hoechsteFrequenz) return "--step: " + jenseits(*a.schritt);
    if (a.schritt) st.schrittweite = static_cast<std::int32_t>(*a.schritt);
    if (a.punkte) st.messpunkte = *a.punkte;
    if (a.stop) {
        if (*a.stop > hoechsteFrequenz) return "--stop: " + jenseits(*a.stop);
        const std::int64_t spanne = *a.stop - st.startfrequenz;
        if (a.schritt && a.punkte) return "--stop: give two of --stop, --step and --points, not all three";
        if (spanne <= 0) return "--stop: " + std::to_string(*a.stop) + " Hz does not lie above the start, " +
                                std::to_string(st.startfrequenz.load()) + " Hz";
        if (a.schritt) {
            if (*a.schritt <= 0) return "--step: must be above 0 Hz with --stop";
            if (spanne / *a.schritt + 1 > 300)
                return "--stop: with --step " + std::to_string(*a.schritt) + " Hz that makes " +
                       std::to_string(spanne / *a.schritt + 1) + " points, 300 at most";
            st.messpunkte = static_cast<std::int32_t>(spanne / *a.schritt + 1);
        } else {
            if (st.messpunkte < 2) return "--stop: a sweep from start to stop needs 2 points or more";
            // Whole hertz, halves to even: the last point lies within half a
            // hertz per step of the stop frequency; down when up would carry
            // it beyond 32 bits.
            const double schritt = static_cast<double>(spanne) / (st.messpunkte - 1);
            st.schrittweite = static_cast<std::int32_t>(std::nearbyint(schritt));
            if (punktFrequenz(st, st.messpunkte) > hoechsteFrequenz)
                st.schrittweite = static_cast<std::int32_t>(std::floor(schritt));
        }
    }
    const std::int64_t letzte = punktFrequenz(st, st.messpunkte);
    // Options can only make frequencies of 0 Hz and more; the rest comes from the file.
    if (st.startfrequenz < 0)
        return geladen + ": the first sweep point, " + std::to_string(st.startfrequenz.load()) + " Hz, lies below 0 Hz";
    if (letzte > hoechsteFrequenz || letzte < 0) {
        const std::string schuld =
            a.stop ? "--stop" : a.schritt ? "--step" : a.punkte ? "--points" : a.start ? "--start" : geladen;
        return schuld + ": the last sweep point, " + std::to_string(letzte) + " Hz, lies " +
               (letzte < 0 ? "below 0 Hz" : "beyond 32 bits (2147483647 Hz at most)");
    }
    st.cursorIndex = cursorMitte(st.messpunkte);
    if (auto fehler = zwischenfrequenzPruefen(a, st); !fehler.empty()) return fehler;
    return kalibrierungPruefen(a, st, geladen, dateiBits);
}

}  // namespace qzl::cli
