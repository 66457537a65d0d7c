// `qzl7-cli convert`: a series saved by the window into the other formats.
#include <memory>

#include "cli/ausgabe.h"
#include "cli/bericht.h"
#include "cli/cli.h"
#include "cli/formate.h"
#include "cli/hilfe.h"
#include "diagram/kurve.h"
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
    auto daten = dateiLesen(a.eingabe, nullptr, textdateiGrenze);
    if (!daten) return bedienfehlerMelden(k, "convert", a.eingabe + ": cannot be read");
    const auto reihe = messreiheLesen(std::move(*daten));
    if (!reihe)
        return bedienfehlerMelden(k, "convert", a.eingabe + ": not a series file of qzl7 (\"Keine QZL7-Messdatendatei\")");

    // The state a window has after loading the series: its kind, detector,
    // frequencies and readings, and its picture in the layers.
    auto st = std::make_unique<InstrumentState>();
    messreiheEinstellen(*st, *reihe);
    if (a.ueberschrift) st->messzeit = *a.ueberschrift;
    reiheZeichnen(*st, *reihe);

    const Ausgabeformat* format = nullptr;
    std::string fehler = formatBestimmen(a, format);
    if (fehler.empty()) fehler = formatEinwand(*format, *st);
    if (fehler.empty()) fehler = grenzenEinwand(*st, a.grenzen);
    if (!fehler.empty()) return bedienfehlerMelden(k, "convert", fehler);

    return ergebnisAbliefern(k, a, *format, *st, {"", "file " + a.eingabe}, a.ausgabe, std::nullopt);
}

}  // namespace qzl::cli
