// `qzl7-cli convert`: a series saved by the window into the other formats.
#include <memory>

#include "cli/ausgabe.h"
#include "ausgabe/bericht.h"
#include "cli/cli.h"
#include "ausgabe/formate.h"
#include "cli/hilfe.h"
#include "cli/reihe_lesen.h"
#include "engine/api.h"
#include "formats/messreihe.h"
#include "platform/datei.h"

namespace qzl::cli {

int convertBefehl(const std::vector<std::string>& argumente, Konsole& k) {
    Auftrag a;
    if (const auto fehler = convertOptionenLesen(argumente, a); !fehler.empty())
        return bedienfehlerMelden(k, "convert", fehler);
    if (a.hilfe) {
        k.ausgeben(hilfeText(convertHilfe));
        return erledigt;
    }
    if (a.eingabe.empty()) return bedienfehlerMelden(k, "convert", "name the series file to convert (FILE.dat)");
    IoFehler io;
    const auto daten = gewaehlteDateiLesen(a.eingabe, io, textdateiGrenze + 1);
    if (!daten) return bedienfehlerMelden(k, "convert", a.eingabe + ": cannot be read: " + englisch(io));
    Messreihe reihe;
    if (auto fehler = reiheStrengLesen(*daten, reihe); !fehler.empty())
        return bedienfehlerMelden(k, "convert", a.eingabe + ", " + fehler);
    // The points end long before this; what is left is no series.
    if (daten->size() > textdateiGrenze)
        return bedienfehlerMelden(k, "convert", a.eingabe + ": more than 1 MiB, no series file of qzl7");

    // The state a window has after loading the series: its kind, detector,
    // frequencies and readings, and its picture in the layers.
    const auto st = api::reiheZustand(reihe, a.ueberschrift);

    const Ausgabeformat* format = nullptr;
    std::string fehler = formatBestimmen(a, format);
    if (fehler.empty()) fehler = formatEinwand(*format, *st, true);
    if (fehler.empty()) fehler = grenzenEinwand(*st, a.grenzen);
    if (!fehler.empty()) return bedienfehlerMelden(k, "convert", fehler);
    if (const int ende = ausgabePruefen(k, "convert", a, *format, false); ende != erledigt) return ende;

    return ergebnisAbliefern(k, a, *format, *st, {"", "file " + a.eingabe}, a.ausgabe, std::nullopt);
}

}  // namespace qzl::cli
