#include "sim/kommandozeile.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace qzl::sim {

namespace {

template <typename Zahl>
std::optional<Zahl> zahlLesen(std::string_view text, Zahl minimum) {
    Zahl wert{};
    const char* ende = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), ende, wert);
    if (ec != std::errc{} || p != ende || text.empty()) return std::nullopt;
    if constexpr (std::is_floating_point_v<Zahl>) {
        if (!std::isfinite(wert)) return std::nullopt;
    }
    if (wert < minimum) return std::nullopt;
    return wert;
}

}  // namespace

std::string benutzung() {
    return "usage: qzl7-sim [options]\n"
           "Simulates the analyser on a pseudo-terminal and prints its device path.\n"
           "\n"
           "  --model MODEL      device under test (default bandpass:11400000:500000):\n"
           "                       through | open | bandpass:CENTRE_HZ:BANDWIDTH_HZ |\n"
           "                       lowpass:CUTOFF_HZ | reflection:RETURNLOSS_DB |\n"
           "                       crystal:FS_HZ:RM_OHM:LM_H:C0_F[:R_OHM] (R: the fixture's\n"
           "                       source and load, default 50; e.g. crystal:10e6:20:12e-3:5e-12)\n"
           "  --clock HZ         DDS reference clock (default 100000000)\n"
           "  --noise STEPS      Gaussian noise on each reading before it is rounded to a step,\n"
           "                       standard deviation in steps of the converter read\n"
           "  --seed N           the noise's seed (default 1): the same seed, the same readings\n"
           "  --baud N           pace every byte as on a line at N baud (default: no pacing)\n"
           "  --latency MS       delay before each reply\n"
           "  --silent           read everything, never answer\n"
           "  --silent-after N   answer N exchanges, then fall silent\n"
           "  --cut-10bit        send only the first byte of each 10-bit reply\n"
           "  --garbage-after N  send stray bytes right behind the N-th reply\n"
           "  --garbage-count C  how many stray bytes (default 40)\n"
           "  --hangup-after N   vanish after N exchanges, as an unplugged adapter does\n"
           "  --link PATH        create the symlink PATH to the device (removed at exit)\n"
           "  --log FILE|-       log every exchange to FILE or to stderr\n"
           "  --help             show this text\n";
}

Aufruf aufrufLesen(const std::vector<std::string>& argumente) {
    Aufruf a;
    auto& o = a.optionen;
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string_view arg = argumente[i];
        std::optional<std::string> angehaengt;
        if (const auto gleich = arg.find('='); arg.starts_with("--") && gleich != std::string_view::npos) {
            angehaengt = std::string(arg.substr(gleich + 1));
            arg = arg.substr(0, gleich);
        }
        const std::string name(arg);
        auto fehler = [&](const std::string& text) {
            a.fehler = text;
            return a;
        };
        auto schalter = [&](bool& ziel) {
            if (angehaengt) return false;
            ziel = true;
            return true;
        };
        auto wert = [&]() -> std::optional<std::string> {
            if (angehaengt) return angehaengt;
            if (i + 1 >= argumente.size()) return std::nullopt;
            return argumente[++i];
        };

        if (name == "--help" || name == "-h") {
            if (!schalter(a.hilfe)) return fehler("option " + name + " takes no value");
            continue;
        }
        if (name == "--silent") {
            if (!schalter(o.stumm)) return fehler("option " + name + " takes no value");
            continue;
        }
        if (name == "--cut-10bit") {
            if (!schalter(o.zehnBitAbschneiden)) return fehler("option " + name + " takes no value");
            continue;
        }
        const bool mitWert = name == "--model" || name == "--clock" || name == "--baud" || name == "--latency" ||
                             name == "--silent-after" || name == "--link" || name == "--log" ||
                             name == "--garbage-after" || name == "--garbage-count" || name == "--hangup-after" ||
                             name == "--noise" || name == "--seed";
        if (!mitWert) {
            if (!name.starts_with("-")) return fehler("unexpected argument " + name);
            return fehler("unknown option " + name);
        }
        const auto text = wert();
        if (!text) return fehler("option " + name + " needs a value");
        auto ungueltig = [&] { return fehler("invalid value for " + name + ": '" + *text + "'"); };

        if (name == "--model") {
            auto m = modellLesen(*text);
            if (!m) return ungueltig();
            o.modell = *m;
        } else if (name == "--clock") {
            auto z = zahlLesen<double>(*text, std::numeric_limits<double>::min());
            if (!z) return ungueltig();
            o.taktHz = *z;
        } else if (name == "--noise") {
            auto z = zahlLesen<double>(*text, 0.0);
            if (!z) return ungueltig();
            o.rauschenStufen = *z;
        } else if (name == "--seed") {
            auto z = zahlLesen<unsigned long long>(*text, 0);
            if (!z) return ungueltig();
            o.saat = *z;
        } else if (name == "--baud") {
            auto z = zahlLesen<int>(*text, 0);
            if (!z) return ungueltig();
            o.baud = *z;
        } else if (name == "--latency") {
            auto z = zahlLesen<int>(*text, 0);
            if (!z) return ungueltig();
            o.latenzMs = *z;
        } else if (name == "--silent-after") {
            auto z = zahlLesen<long>(*text, 0);
            if (!z) return ungueltig();
            o.stummNach = *z;
        } else if (name == "--garbage-after" || name == "--hangup-after") {
            auto z = zahlLesen<long>(*text, 1);
            if (!z) return ungueltig();
            (name == "--garbage-after" ? o.muellNach : o.aufhaengenNach) = *z;
        } else if (name == "--garbage-count") {
            auto z = zahlLesen<int>(*text, 1);
            if (!z || *z > 4096) return ungueltig();
            o.muellAnzahl = *z;
        } else if (name == "--link") {
            if (text->empty()) return ungueltig();
            a.linkPfad = *text;
        } else {
            if (text->empty()) return ungueltig();
            o.logPfad = *text;
        }
    }
    return a;
}

}  // namespace qzl::sim
