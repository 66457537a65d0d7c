#include "ausgabe/formate.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <memory>

#include "ausgabe/png.h"
#include "evaluation/auswertung.h"
#include "state/kurve.h"
#include "formats/messreihe.h"

namespace qzl {

namespace {

constexpr std::string_view kindName[] = {"", "transmission", "reflection", "spectrum"};
constexpr std::string_view regelName[] = {"last", "average", "max", "min"};



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

constexpr std::string_view syntheseText = "synthesised readings (demonstration), not measured by the instrument";

// Point i's values of the further columns, each behind vor and its key's text.
std::string spaltenWerte(const Kopf& kopf, std::int32_t i, const std::string& vor, bool schluessel) {
    std::string s;
    for (const auto& z : kopf.spalten)
        s += vor + (schluessel ? "\"" + z.schluessel + "\": " : "") +
             zahlText(z.pegel[static_cast<std::size_t>(i - 1)]);
    return s;
}

}  // namespace

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

std::string_view artName(const InstrumentState& st) {
    const std::int32_t art = zahl(st.messart);
    return art >= 1 && art <= 3 ? kindName[art] : std::string_view("demonstration");
}

std::string tabelleText(const InstrumentState& st, char trenner, const Kopf& kopf) {
    const std::string t(1, trenner);
    const Kurvenbild* d = kopf.differenz;
    std::string text = kopf.synthetisch ? "# " + std::string(syntheseText) + "\n" : "";
    text += "frequency_hz" + t + wertSchluessel(d) + t + pegelSchluessel(st, d);
    for (const auto& z : kopf.spalten) text += t + z.schluessel;
    text += "\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i)
        text += std::to_string(punktFrequenz(st, i)) + t + std::to_string(ausgabeWert(st, d, i)) + t +
                zahlText(ausgabePegel(st, d, i)) + spaltenWerte(kopf, i, t, false) + "\n";
    return text;
}

std::string jsonText(const InstrumentState& st, const Kopf& kopf) {
    std::string j = "{\n  \"program\": \"qzl7-cli\",\n  \"version\": " + jsonZeichenkette(QZL7_VERSION) +
                    ",\n  \"time\": " + (kopf.zeit.empty() ? std::string("null") : jsonZeichenkette(kopf.zeit)) + ",\n  \"port\": " + jsonZeichenkette(kopf.port) +
                    ",\n  \"heading\": " + jsonZeichenkette(st.messzeit) + ",\n";
    if (kopf.synthetisch) j += "  \"synthesised\": true,\n";
    const Kurvenbild* d = kopf.differenz;
    if (d) j += "  \"math\": \"diff\",\n  \"reference\": " + jsonZeichenkette(kopf.referenz) + ",\n";
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
    const std::string pegelName = "\"" + pegelSchluessel(st, d) + "\": ";
    const std::string wertName = "\"" + wertSchluessel(d) + "\": ";
    j += "  \"points\": [\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i)
        j += "    {\"frequency_hz\": " + std::to_string(punktFrequenz(st, i)) + ", " + wertName +
             std::to_string(ausgabeWert(st, d, i)) + ", " + pegelName + zahlText(ausgabePegel(st, d, i)) +
             spaltenWerte(kopf, i, ", ", true) + "}" +
             (i < punktAnzahl(st) ? ",\n" : "\n");
    j += "  ],\n  \"evaluation\": {";
    const auto werte = kennwerte(st, kopf.bandDb);
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
                     pegelName + zahlText(v.pegel) + ", \"limit\": " + jsonZeichenkette(v.grenze->text) + "}";
            }
        j += "]}";
    }
    return j + "\n}\n";
}

std::string touchstoneText(const InstrumentState& st, const Kopf& kopf) {
    const bool zweiTor = st.messart == Messart::durchgang;
    std::string t = std::string("! qzl7-cli " QZL7_VERSION) + (kopf.zeit.empty() ? "" : ", sweep started " + kopf.zeit) +
                    ", from " + kopf.port + "\n";
    if (kopf.synthetisch) t += "! " + std::string(syntheseText) + "\n";
    t += zweiTor ? "! transmission, logarithmic detector: only S21 was measured; S11, S12 and S22 are written 0 0\n"
                 : "! reflection, logarithmic detector: S11\n";
    t += "! the phase was not measured: every angle is written 0\n";
    t += "! " + einstellungenZeile(st) + "\n";
    if (!st.messzeit.empty()) t += "! heading: " + st.messzeit + "\n";
    if (kopf.differenz)
        t += "! math diff: each magnitude is the measured one over the reference's, from " + kopf.referenz + "\n";
    t += "# Hz S MA R 50\n";
    for (std::int32_t i = 1; i <= punktAnzahl(st); ++i) {
        const std::string betrag = zahlText(std::pow(10.0, ausgabePegel(st, kopf.differenz, i) / 20.0));
        t += std::to_string(punktFrequenz(st, i)) + (zweiTor ? " 0 0 " + betrag + " 0 0 0 0 0\n" : " " + betrag + " 0\n");
    }
    return t;
}

namespace {

std::string touchstoneEinwand(const Ausgabeformat& f, const InstrumentState& st, bool ausReihe) {
    const std::string name(f.name);
    if (st.messart == Messart::spektrum)
        return name + ": a spectrum " + (ausReihe ? "series holds" : "sweep measures") +
               " a signal's level, not a network parameter; write csv, tsv or json";
    if (st.linModus)
        return name + ": Touchstone magnitudes come from the level in dB, which only the logarithmic detector "
                      "gives; " + (ausReihe ? "the series was measured with the linear one" : "sweep with --detector log");
    // A series is what it is: only the other Touchstone file can hold it.
    if (name == "s1p" && st.messart != Messart::reflexion)
        return ausReihe ? "s1p holds a reflection (S11); the series is a transmission: write s2p"
                        : "s1p holds a reflection (S11): sweep with --mode reflection, or write s2p for a transmission";
    if (name == "s2p" && st.messart != Messart::durchgang)
        return ausReihe ? "s2p holds a transmission (S21); the series is a reflection: write s1p"
                        : "s2p holds a transmission (S21): sweep with --mode transmission, or write s1p for a reflection";
    if (st.schrittweite <= 0 && punktAnzahl(st) > 1)
        return name + ": Touchstone needs rising frequencies; the step is " +
               std::to_string(st.schrittweite.load()) + " Hz";
    return {};
}

std::string touchstone(const InstrumentState& st, const Kopf& kopf) { return touchstoneText(st, kopf); }

// Written after the sweep, with no pass drawing into the layers.
std::string pngText(const InstrumentState& st, const Kopf&) {
    auto bild = std::make_unique<AnzeigeBitmap>();
    rasterKombinieren(*bild, st.gitterRaster, st.kurvenRaster);
    return pngKodieren(*bild);
}

constexpr Ausgabeformat formate[] = {
    {"csv", "frequency, reading and level, comma-separated", false, nullptr,
     [](const InstrumentState& st, const Kopf& kopf) { return tabelleText(st, ',', kopf); }},
    {"tsv", "the same, tab-separated", false, nullptr,
     [](const InstrumentState& st, const Kopf& kopf) { return tabelleText(st, '\t', kopf); }},
    {"json", "settings, points, evaluation and limits", false, nullptr,
     [](const InstrumentState& st, const Kopf& kopf) { return jsonText(st, kopf); }},
    {"dat", "the series file of qzl7 (Messreihe Laden)", false, nullptr,
     [](const InstrumentState& st, const Kopf&) { return messreiheText(st); }, false},
    {"s1p", "Touchstone, a reflection (S11)", false, touchstoneEinwand, touchstone},
    {"s2p", "Touchstone, a transmission (S21)", false, touchstoneEinwand, touchstone},
    {"png", "the diagram as the window shows it", false, nullptr, pngText, false},
    {"jsonl", "a JSON line per sweep, appended, flushed", true, nullptr,
     [](const InstrumentState& st, const Kopf& kopf) { return jsonlZeile(st, kopf); }},
    {"rtl_power", "a line per sweep as heatmap tools read it", true, rtlPowerEinwand,
     [](const InstrumentState& st, const Kopf& kopf) { return rtlPowerZeile(st, kopf); }, false},
};

}  // namespace

std::span<const Ausgabeformat> ausgabeformate() { return formate; }

const Ausgabeformat* formatAusName(std::string_view name) {
    for (const auto& f : formate)
        if (f.name == name) return &f;
    return nullptr;
}

const Ausgabeformat* formatAusEndung(std::string_view pfad) {
    const auto punkt = pfad.rfind('.');
    const auto trenner = pfad.find_last_of("/\\");
    if (punkt == std::string_view::npos || (trenner != std::string_view::npos && punkt < trenner)) return nullptr;
    std::string endung(pfad.substr(punkt + 1));
    std::transform(endung.begin(), endung.end(), endung.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return formatAusName(endung);
}

std::string formatListe(std::string_view letzterTrenner) {
    std::string liste;
    const std::size_t n = std::size(formate);
    for (std::size_t k = 0; k < n; ++k)
        liste += (k == 0 ? "" : k + 1 == n ? std::string(letzterTrenner) : ", ") + std::string(formate[k].name);
    return liste;
}

std::string formatHilfe(int einzug) {
    std::size_t breite = 0;
    for (const auto& f : formate) breite = std::max(breite, f.name.size() + 2);
    std::string text;
    for (const auto& f : formate) {
        std::string name(f.name);
        name.resize(breite, ' ');
        text += std::string(static_cast<std::size_t>(einzug), ' ') + name + std::string(f.hilfe) + "\n";
    }
    return text;
}

std::string formatEinwand(const Ausgabeformat& f, const InstrumentState& st, bool ausReihe) {
    return f.einwand ? f.einwand(f, st, ausReihe) : "";
}

std::string differenzEinwand(const Ausgabeformat& f) {
    if (f.differenz) return {};
    std::string fassen;
    for (const auto& g : formate)
        if (g.differenz) fassen += (fassen.empty() ? "" : ", ") + std::string(g.name);
    return std::string(f.name) + (f.name == "rtl_power" ? " lines have no room to say they hold a difference"
                                                        : " holds the measurement itself, not a difference") +
           "; --math diff writes " + fassen;
}

}  // namespace qzl
