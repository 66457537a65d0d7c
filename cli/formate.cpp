#include "cli/formate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "cli/einstellungen.h"
#include "cli/plattform.h"
#include "evaluation/auswertung.h"
#include "state/kurve.h"
#include "formats/messreihe.h"

namespace qzl::cli {

namespace {

constexpr std::string_view kindName[] = {"", "transmission", "reflection", "spectrum"};
constexpr std::string_view regelName[] = {"last", "average", "max", "min"};


std::string_view artName(const InstrumentState& st) {
    const std::int32_t art = st.messart;
    return art >= 1 && art <= 3 ? kindName[art] : std::string_view("demonstration");
}

std::string jsonZeichenkette(std::string_view text) {
    std::string s = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (u < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", u);
            s += esc;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::string einstellungenZeile(const InstrumentState& st) {
    std::string s = "start " + std::to_string(st.startfrequenz.load()) + " Hz, step " +
                    std::to_string(st.schrittweite.load()) + " Hz, " + std::to_string(punktAnzahl(st)) + " points, " +
                    std::to_string(st.messgenauigkeit.load()) + " bits, clock " +
                    std::to_string(st.taktfrequenz.load()) + " Hz";
    if (st.zfAktiv)
        s += ", IF " + std::to_string(st.zwischenfrequenz.load()) + " Hz " +
             ((st.zfBerechnung & 2) ? "added" : "subtracted");
    return s;
}

}  // namespace

std::string tabelleText(const InstrumentState& st, char trenner) {
    const std::string t(1, trenner);
    std::string text = "frequency_hz" + t + "reading" + t + "level_" + pegelEinheit(st) + "\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i)
        text += std::to_string(punktFrequenz(st, i)) + t + std::to_string(wertBei(st, i)) + t +
                zahlText(pegelBei(st, i)) + "\n";
    return text;
}

std::string jsonText(const InstrumentState& st, const Kopf& kopf) {
    std::string j = "{\n  \"program\": \"qzl7-cli\",\n  \"version\": " + jsonZeichenkette(QZL7_VERSION) +
                    ",\n  \"time\": " + (kopf.zeit.empty() ? std::string("null") : jsonZeichenkette(kopf.zeit)) + ",\n  \"port\": " + jsonZeichenkette(kopf.port) +
                    ",\n  \"heading\": " + jsonZeichenkette(st.messzeit) + ",\n";
    j += "  \"settings\": {\"mode\": " + jsonZeichenkette(artName(st)) + ", \"detector\": \"" +
         (st.linModus ? "lin" : "log") + "\", \"start_hz\": " + std::to_string(st.startfrequenz.load()) +
         ", \"step_hz\": " + std::to_string(st.schrittweite.load()) + ", \"points\": " + std::to_string(punktAnzahl(st)) +
         ", \"bits\": " + std::to_string(st.messgenauigkeit.load()) + ", \"baud\": " +
         std::to_string(st.baudrate.load()) + ", \"clock_hz\": " + std::to_string(st.taktfrequenz.load()) +
         ", \"delay_ms\": " + std::to_string(st.delay.load()) + ", \"if_hz\": " +
         (st.zfAktiv ? std::to_string(st.zwischenfrequenz.load()) : "null") + ", \"if_mode\": " +
         (st.zfAktiv ? ((st.zfBerechnung & 2) ? "\"add\"" : "\"sub\"") : "null") +
         ", \"passes\": " + std::to_string(kopf.durchgaenge) + ", \"combine\": \"" +
         std::string(regelName[static_cast<int>(kopf.regel)]) + "\"},\n";
    const std::string pegelSchluessel = std::string("\"level_") + pegelEinheit(st) + "\": ";
    j += "  \"points\": [\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i)
        j += "    {\"frequency_hz\": " + std::to_string(punktFrequenz(st, i)) + ", \"reading\": " +
             std::to_string(wertBei(st, i)) + ", " + pegelSchluessel + zahlText(pegelBei(st, i)) + "}" +
             (i < punktAnzahl(st) ? ",\n" : "\n");
    j += "  ],\n  \"evaluation\": {";
    const auto werte = kennwerte(st);
    for (std::size_t k = 0; k < werte.size(); ++k)
        j += (k ? ", " : "") + jsonZeichenkette(werte[k].first) + ": " +
             (werte[k].second == "none" ? "null" : werte[k].second);
    j += "}";
    if (kopf.grenzen && !kopf.grenzen->empty()) {
        j += ",\n  \"limits\": {\"result\": \"";
        j += kopf.verstoesse && !kopf.verstoesse->empty() ? "FAIL" : "PASS";
        j += "\", \"limits\": [";
        for (std::size_t k = 0; k < kopf.grenzen->size(); ++k) j += (k ? ", " : "") + jsonZeichenkette((*kopf.grenzen)[k].text);
        j += "], \"failures\": [";
        if (kopf.verstoesse)
            for (std::size_t k = 0; k < kopf.verstoesse->size(); ++k) {
                const auto& v = (*kopf.verstoesse)[k];
                j += std::string(k ? ", " : "") + "{\"frequency_hz\": " + std::to_string(v.frequenz) + ", " +
                     pegelSchluessel + zahlText(v.pegel) + ", \"limit\": " + jsonZeichenkette(v.grenze->text) + "}";
            }
        j += "]}";
    }
    return j + "\n}\n";
}

std::string formatEinwand(Format f, const InstrumentState& st) {
    if (f != Format::s1p && f != Format::s2p) return {};
    const std::string name(formatName(f));
    if (st.messart == 3)
        return name + ": a spectrum sweep measures a signal's level, not a network parameter; "
                      "write csv, tsv or json";
    if (st.linModus)
        return name + ": Touchstone magnitudes come from the level in dB, which only the logarithmic detector "
                      "gives; sweep with --detector log";
    if (f == Format::s1p && st.messart != 2)
        return "s1p holds a reflection (S11): sweep with --mode reflection, or write s2p for a transmission";
    if (f == Format::s2p && st.messart != 1)
        return "s2p holds a transmission (S21): sweep with --mode transmission, or write s1p for a reflection";
    if (st.schrittweite <= 0 && punktAnzahl(st) > 1)
        return name + ": Touchstone needs rising frequencies; the step is " +
               std::to_string(st.schrittweite.load()) + " Hz";
    return {};
}

std::string touchstoneText(const InstrumentState& st, const Kopf& kopf) {
    const bool zweiTor = st.messart == 1;
    std::string t = std::string("! qzl7-cli " QZL7_VERSION) + (kopf.zeit.empty() ? "" : ", sweep started " + kopf.zeit) +
                    ", from " + kopf.port + "\n";
    t += zweiTor ? "! transmission, logarithmic detector: only S21 was measured; S11, S12 and S22 are written 0 0\n"
                 : "! reflection, logarithmic detector: S11\n";
    t += "! the phase was not measured: every angle is written 0\n";
    t += "! " + einstellungenZeile(st) + "\n";
    if (!st.messzeit.empty()) t += "! heading: " + st.messzeit + "\n";
    t += "# Hz S MA R 50\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::string betrag = zahlText(std::pow(10.0, pegelBei(st, i) / 20.0));
        t += std::to_string(punktFrequenz(st, i)) + (zweiTor ? " 0 0 " + betrag + " 0 0 0 0 0\n" : " " + betrag + " 0\n");
    }
    return t;
}

std::string formatDaten(Format f, InstrumentState& st, const Kopf& kopf) {
    switch (f) {
        case Format::csv: return tabelleText(st, ',');
        case Format::tsv: return tabelleText(st, '\t');
        case Format::json: return jsonText(st, kopf);
        case Format::dat: return messreiheText(st);
        case Format::s1p:
        case Format::s2p: return touchstoneText(st, kopf);
        case Format::png: {
            std::lock_guard sperre(st.kurvenSperre);
            rasterKombinieren(st.anzeigeBitmap, st.gitterRaster, st.kurvenRaster);
            return pngKodieren(st.anzeigeBitmap);
        }
    }
    return {};
}

}  // namespace qzl::cli
