// The streaming formats: one line per sweep, for pipes and for tools that
// read line by line.
#include <cstdio>

#include "ausgabe/bericht.h"
#include "ausgabe/formate.h"
#include "state/kurve.h"

namespace qzl {

namespace {

std::string liste(const InstrumentState& st, std::string (*zahl)(const InstrumentState&, std::int32_t)) {
    std::string s = "[";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) s += (i > 1 ? ", " : "") + zahl(st, i);
    return s + "]";
}

std::string pegelListe(const InstrumentState& st, const Kurvenbild* differenz) {
    std::string s = "[";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) s += (i > 1 ? ", " : "") + zahlText(ausgabePegel(st, differenz, i));
    return s + "]";
}

std::string zweiStellen(double wert) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", wert);
    return text;
}

}  // namespace

std::string jsonlZeile(const InstrumentState& st, const Kopf& kopf) {
    return "{\"time\": \"" + kopf.zeit + "\", \"pass\": " + std::to_string(kopf.sweep) + ", \"mode\": \"" +
           std::string(artName(st)) + "\", \"detector\": \"" + (st.linModus ? "lin" : "log") +
           "\", \"start_hz\": " + std::to_string(st.startfrequenz.load()) + ", \"step_hz\": " +
           std::to_string(st.schrittweite.load()) + ", \"points\": " + std::to_string(punktAnzahl(st)) +
           ", \"frequency_hz\": " +
           liste(st, [](const InstrumentState& s, std::int32_t i) { return std::to_string(punktFrequenz(s, i)); }) +
           (kopf.differenz ? ", \"math\": \"diff\", \"reference\": " + jsonZeichenkette(kopf.referenz) : "") +
           ", \"" + pegelSchluessel(st, kopf.differenz) + "\": " + pegelListe(st, kopf.differenz) + "}\n";
}

std::string rtlPowerZeile(const InstrumentState& st, const Kopf& kopf) {
    // The date and time of day of the ISO time, as those tools write them.
    std::string z = kopf.zeit.substr(0, 10) + ", " + kopf.zeit.substr(11, 8) + ", " +
                    std::to_string(punktFrequenz(st, 1)) + ", " +
                    std::to_string(punktFrequenz(st, punktAnzahl(st)) + st.schrittweite) + ", " +
                    zweiStellen(st.schrittweite) + ", 1";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) z += ", " + zweiStellen(pegelBei(st, i));
    return z + "\n";
}

std::string rtlPowerEinwand(const Ausgabeformat&, const InstrumentState& st, bool) {
    if (st.linModus) return "rtl_power lines hold levels in dB, which only the logarithmic detector gives; "
                            "sweep with --detector log";
    if (st.schrittweite <= 0) return "rtl_power lines need rising frequencies; the step is " +
                                     std::to_string(st.schrittweite.load()) + " Hz";
    return {};
}

}  // namespace qzl
