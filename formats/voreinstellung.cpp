#include "formats/voreinstellung.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>
#include <vector>

#include "formats/konfiguration.h"
#include "formats/markendatei.h"
#include "formats/textzeilen.h"
#include "state/einstellwerte.h"
#include "state/regeln.h"

namespace qzl {

namespace {

constexpr std::string_view kopf = "qzl7 preset 1";

constexpr std::pair<Messart, std::string_view> artNamen[] = {{Messart::durchgang, "transmission"},
                                                             {Messart::reflexion, "reflection"},
                                                             {Messart::spektrum, "spectrum"},
                                                             {Messart::vfo, "vfo"},
                                                             {Messart::smith, "smith"}};
// The kinds of the correction slots, in KorrSlot order within a detector.
constexpr std::string_view slotArten[] = {"transmission", "reflection", "spectrum"};

// What each key takes, for the reason of a line that is no such line.
constexpr std::pair<std::string_view, std::string_view> formen[] = {
    {"start", "start HZ"},
    {"step", "step HZ"},
    {"points", "points N, N from 1 to 300"},
    {"if", "if HZ on|off add|sub"},
    {"mode", "mode transmission|reflection|spectrum|vfo|smith"},
    {"detector", "detector log|lin"},
    {"fmarker", "fmarker K HZ, K from 1 to 20, HZ from 0 to 2147483647"},
    {"limits", "limits PATH"},
    {"limits-judge", "limits-judge on|off"},
    {"reference", "reference PATH"},
    {"correction", "correction transmission|reflection|spectrum log|lin OFFSET SPAN"},
    {"line", "line N VALUE TEXT, N from 1 to 7"},
    {"com", "com N, N from 1 to 4"},
    {"baud", "baud 9600|19200|38400|57600"},
    {"bits", "bits 8|10"},
    {"clock", "clock HZ, HZ from 1 to 2147483647"},
    {"marker", "a marker's line of the markers' file"},
    {"active", "active N, N from 1 to 8"},
    {"hold", "hold off|max|min|average N"},
    {"math", "math none|diff"},
};
constexpr std::string_view pflicht[] = {"start", "step", "points", "if", "mode", "detector"};


// The rest of the line after the key, leading blanks dropped.
std::string rest(const std::string& zeile) {
    const auto ende = zeile.find_first_of(" \t", zeile.find_first_not_of(" \t"));
    const auto a = ende == std::string::npos ? ende : zeile.find_first_not_of(" \t", ende);
    return a == std::string::npos ? std::string() : zeile.substr(a);
}

// What a line stands for, so that a second one of it is found.
std::string identitaet(const std::vector<std::string>& w) {
    if ((w[0] == "fmarker" || w[0] == "marker" || w[0] == "line") && w.size() > 1) return w[0] + ' ' + w[1];
    if (w[0] == "correction" && w.size() > 2) return w[0] + ' ' + w[1] + ' ' + w[2];
    return w[0];
}

bool korrekturLesen(const std::vector<std::string>& w, Kalibrierwerte& k) {
    if (w.size() != 5 || (w[2] != "log" && w[2] != "lin")) return false;
    const auto art = std::find(std::begin(slotArten), std::end(slotArten), w[1]);
    std::pair<std::int32_t, std::int32_t> werte;
    if (art == std::end(slotArten) || !zahlLesen(w[3], werte.first) || !zahlLesen(w[4], werte.second)) return false;
    const auto slot = (w[2] == "lin" ? Dlin : Dlog) + (art - std::begin(slotArten));
    k.korrektur[static_cast<std::size_t>(slot)] = werte;
    return true;
}

bool einstellungLesen(const std::vector<std::string>& w, Voreinstellung& v) {
    const auto& k = w[0];
    auto& kal = v.kalibrierung;
    std::int32_t n = 0;
    if (k == "start") return w.size() == 2 && zahlLesen(w[1], v.start);
    if (k == "step") return w.size() == 2 && zahlLesen(w[1], v.schritt);
    if (k == "points") return w.size() == 2 && zahlLesen(w[1], v.punkte) && punkteErlaubt(v.punkte);
    if (k == "if") {
        if (w.size() != 4 || !zahlLesen(w[1], v.zwischenfrequenz) || !schalterLesen(w[2], v.zfAn) ||
            (w[3] != "add" && w[3] != "sub"))
            return false;
        v.zfAddieren = w[3] == "add";
        return true;
    }
    if (k == "mode") {
        const auto art = std::find_if(std::begin(artNamen), std::end(artNamen),
                                      [&](const auto& a) { return w.size() == 2 && w[1] == a.second; });
        if (art == std::end(artNamen)) return false;
        v.art = art->first;
        return true;
    }
    if (k == "detector") {
        if (w.size() != 2 || (w[1] != "log" && w[1] != "lin")) return false;
        v.lin = w[1] == "lin";
        return true;
    }
    if (k == "fmarker") {
        std::int64_t hz = 0;
        if (w.size() != 3 || !zahlLesen(w[1], n) || n < 1 || n > anzahlFreqMarken || !zahlLesen(w[2], hz) || !frequenzErlaubt(hz))
            return false;
        v.freqMarken[static_cast<std::size_t>(n)] = static_cast<std::int32_t>(hz);
        return true;
    }
    if (k == "limits-judge") return w.size() == 2 && schalterLesen(w[1], v.grenzenAn);
    if (k == "correction") return korrekturLesen(w, kal);
    if (k == "line") {
        std::pair<std::int32_t, std::int32_t> linie;
        if (w.size() != 4 || !zahlLesen(w[1], n) || n < 1 || n > anzahlLinien || !zahlLesen(w[2], linie.first) ||
            !zahlLesen(w[3], linie.second))
            return false;
        kal.linien[static_cast<std::size_t>(n)] = linie;
        return true;
    }
    // By the rules of the settings dialog and of the clock's calibration.
    const auto einzeln = [&](std::optional<std::int32_t>& ziel, auto erlaubt) {
        if (w.size() != 2 || !zahlLesen(w[1], n) || !erlaubt(n)) return false;
        ziel = n;
        return true;
    };
    if (k == "com") return einzeln(kal.comport, [](std::int32_t c) { return c >= 1 && c <= 4; });
    if (k == "baud")
        return einzeln(kal.baudrate,
                       [](std::int32_t b) { return std::find(baudraten.begin(), baudraten.end(), b) != baudraten.end(); });
    if (k == "bits") return einzeln(kal.messgenauigkeit, [](std::int32_t b) { return b == 8 || b == 10; });
    if (k == "clock") return einzeln(kal.taktfrequenz, [](std::int32_t t) { return t > 0; });
    return false;
}

}  // namespace

std::string voreinstellungText(const Voreinstellung& v) {
    std::vector<std::string> z{std::string(kopf)};
    z.push_back("start " + std::to_string(v.start));
    z.push_back("step " + std::to_string(v.schritt));
    z.push_back("points " + std::to_string(v.punkte));
    z.push_back("if " + std::to_string(v.zwischenfrequenz) + (v.zfAn ? " on" : " off") + (v.zfAddieren ? " add" : " sub"));
    for (const auto& [art, name] : artNamen)
        if (art == v.art) z.push_back("mode " + std::string(name));
    z.push_back(std::string("detector ") + (v.lin ? "lin" : "log"));
    for (std::size_t k = 1; k < v.freqMarken.size(); ++k)
        if (v.freqMarken[k]) z.push_back("fmarker " + std::to_string(k) + ' ' + std::to_string(v.freqMarken[k]));
    for (auto& m : markendateiZeilen(v.spuren)) z.push_back(std::move(m));
    if (!v.grenzDatei.empty()) z.push_back("limits " + v.grenzDatei);
    z.push_back(std::string("limits-judge ") + (v.grenzenAn ? "on" : "off"));
    if (!v.referenzDatei.empty()) z.push_back("reference " + v.referenzDatei);
    const auto& kal = v.kalibrierung;
    for (std::size_t s = 0; s < kal.korrektur.size(); ++s)
        if (const auto& w = kal.korrektur[s])
            z.push_back("correction " + std::string(slotArten[s % 3]) + (s >= Dlin ? " lin " : " log ") +
                        std::to_string(w->first) + ' ' + std::to_string(w->second));
    for (std::size_t n = 1; n < kal.linien.size(); ++n)
        if (const auto& l = kal.linien[n])
            z.push_back("line " + std::to_string(n) + ' ' + std::to_string(l->first) + ' ' + std::to_string(l->second));
    if (kal.comport) z.push_back("com " + std::to_string(*kal.comport));
    if (kal.baudrate) z.push_back("baud " + std::to_string(*kal.baudrate));
    if (kal.messgenauigkeit) z.push_back("bits " + std::to_string(*kal.messgenauigkeit));
    if (kal.taktfrequenz) z.push_back("clock " + std::to_string(*kal.taktfrequenz));
    return textZeilen(z);
}

VoreinstellungGelesen voreinstellungLesen(const std::string& daten) {
    TextLeser leser(daten);
    if (leser.zeile() != kopf) return {std::nullopt, "line 1 is not \"" + std::string(kopf) + "\"", true};
    Voreinstellung v;
    std::set<std::string> gesehen;
    for (int nummer = 2; !leser.ende(); ++nummer) {
        const std::string zeile = leser.zeile();
        const auto w = woerter(zeile);
        if (w.empty() || w[0].starts_with('#')) continue;
        const std::string wo = "line " + std::to_string(nummer) + " (\"" + zeile + "\"): ";
        if (!gesehen.insert(identitaet(w)).second) return {std::nullopt, wo + "a second \"" + identitaet(w) + "\""};
        const auto form = std::find_if(std::begin(formen), std::end(formen), [&](const auto& f) { return f.first == w[0]; });
        if (form == std::end(formen)) return {std::nullopt, wo + "no such key"};
        bool gut = false;
        if (w[0] == "limits" || w[0] == "reference")
            gut = !(w[0] == "limits" ? v.grenzDatei : v.referenzDatei).assign(rest(zeile)).empty();
        else if (w[0] == "marker" || w[0] == "active" || w[0] == "hold" || w[0] == "math")
            gut = markendateiZeile(zeile, v.spuren);
        else
            gut = einstellungLesen(w, v);
        if (!gut) return {std::nullopt, wo + "expected " + std::string(form->second)};
    }
    for (const auto k : pflicht)
        if (!gesehen.count(std::string(k))) return {std::nullopt, "no \"" + std::string(k) + "\" line"};
    return {v, {}};
}

std::optional<std::string> voreinstellungNameEinwand(std::string_view name) {
    if (name.empty()) return "a preset needs a name";
    if (name.size() > voreinstellungNameLaenge)
        return "a preset's name has at most " + std::to_string(voreinstellungNameLaenge) + " bytes";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "a preset's name holds no control characters";
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            return "a preset's name holds none of / \\ : * ? \" < > |";
    }
    if (name.find("..") != std::string_view::npos) return "a preset's name holds no \"..\"";
    if (name.front() == ' ' || name.back() == ' ' || name.back() == '.')
        return "a preset's name neither starts nor ends with a blank, nor ends with a dot";
    return std::nullopt;
}

std::string voreinstellungsOrdner(const char* xdgConfigHome, const char* home) {
    const std::string ordner = benutzerEinstellungsOrdner(xdgConfigHome, home);
    return ordner.empty() ? ordner : ordner + "/presets";
}

}  // namespace qzl
