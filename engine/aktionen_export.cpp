// The API's export: the pass the diagram shows in the output formats.
#include <mutex>

#include "ausgabe/bildtafel.h"
#include "ausgabe/formate.h"
#include "ausgabe/png.h"
#include "engine/api.h"
#include "engine/einwaende.h"
#include "formats/messreihe.h"

namespace qzl::api {

namespace {

struct Gezeigt {
    Kurvenbild kurve;
    Messreihe reihe;  // as messreiheSpeichern writes it
    bool geladen = false;
};

std::optional<Gezeigt> gezeigterDurchlauf(Geraet& g) {
    std::optional<Kurvenbild> kurve;
    {
        std::lock_guard sperre(g.spurSperre);
        const auto& k = g.spuren.gezeigt;
        // A pass of other settings than the diagram's is not what it shows.
        if (k && (g.spuren.versetzt || (k->start == g.st.startfrequenz && k->schritt == g.st.schrittweite &&
                                        k->lin == g.st.linModus &&
                                        static_cast<std::int32_t>(k->werte.size()) == punktAnzahl(g.st))))
            kurve = k;
    }
    if (!kurve || kurve->werte.empty()) return std::nullopt;
    Gezeigt z{*kurve, g.geladeneReihe ? *g.geladeneReihe : messreiheAusEinstellungen(g.st), g.geladeneReihe.has_value()};
    // The readings as drawn: a series' moved by "max", and while a sweep
    // runs the last complete pass rather than the one under way.
    for (std::size_t k = 1; k <= kurve->werte.size(); ++k) z.reihe.werte[k] = kurve->werte[k - 1];
    return z;
}

// The state the writers read: a loaded series' as qzl7-cli convert builds
// it, a pass's with the settings its sweep's files tell beyond the series.
std::unique_ptr<const InstrumentState> schreibZustand(const Geraet& g, const Gezeigt& z) {
    if (z.geladen) return reiheZustand(z.reihe, std::nullopt);
    auto st = std::make_unique<InstrumentState>();
    messreiheEinstellen(*st, z.reihe);
    for (std::int32_t k = 1; k <= z.reihe.n; ++k)
        st->messwerte[static_cast<std::size_t>(k)] = z.reihe.werte[static_cast<std::size_t>(k)];
    st->messgenauigkeit = g.st.messgenauigkeit.load();
    st->taktfrequenz = g.st.taktfrequenz.load();
    st->baudrate = g.st.baudrate.load();
    st->delay = g.st.delay.load();
    st->zfAktiv = g.st.zfAktiv.load();
    st->zwischenfrequenz = g.st.zwischenfrequenz.load();
    st->zfBerechnung = g.st.zfBerechnung.load();
    return st;
}

Zusatzspalte spalte(std::string schluessel, const Kurvenbild& k, bool differenz) {
    Zusatzspalte s{std::move(schluessel), {}};
    for (std::size_t i = 0; i < k.werte.size(); ++i)
        s.pegel.push_back(differenz ? differenzPegel(k.werte[i], k.lin) : pegelBei(k, static_cast<std::int32_t>(i + 1)));
    return s;
}

// The traces the diagram draws beside the pass, as columns; synthetisch
// when any of them holds synthesised readings.
std::vector<Zusatzspalte> spurSpalten(const Spuransicht& a, const Kurvenbild& kurve, bool& synthetisch) {
    const std::string einheit = kurve.lin ? "lin" : "db";
    std::vector<Zusatzspalte> s;
    const auto dazu = [&](const std::string& name, const Kurvenbild& k, bool differenz) {
        s.push_back(spalte(name + "_level_" + einheit, k, differenz));
        synthetisch = synthetisch || k.synthetisch;
    };
    if (a.referenz && gitterEinwand(kurve, *a.referenz).empty()) dazu("reference", *a.referenz, false);
    if (a.gehalten) dazu("hold", *a.gehalten, false);
    if (a.differenz) dazu("diff", *a.differenz, true);
    return s;
}

std::string geraetName(const Geraet& g) {
    if (g.st.demoModus) return "demo";
    const std::int32_t com = g.st.comport;
    return g.portName ? g.portName(com) : "COM" + std::to_string(com);
}

}  // namespace

std::vector<std::string> exportFormate() {
    std::vector<std::string> namen;
    for (const auto& f : ausgabeformate())
        if (!f.zeilen) namen.emplace_back(f.name);
    return namen;
}

Ausfuhr exportieren(Geraet& g, const std::string& name, Synthese synthese) {
    const Ausgabeformat* format = formatAusName(name);
    if (!format || format->zeilen) {
        std::string namen;
        for (const auto& n : exportFormate()) namen += (namen.empty() ? "" : ", ") + n;
        return {abgelehnt(Grund::unbekannt, "the formats are " + namen + ", not " + name)};
    }
    const auto z = gezeigterDurchlauf(g);
    if (!z) return {abgelehnt(Grund::keineDaten, "no pass is shown: measure one or load a series first")};
    const Messart art = static_cast<Messart>(z->reihe.art);
    if (art == Messart::vfo || art == Messart::smith)
        return {abgelehnt(Grund::unpassend, "the VFO and the Smith figure show no levels to export")};

    // Touchstone and the series file are the measurement alone; the
    // tables take the traces as columns, the picture shows them.
    const bool spalten = format->name == "csv" || format->name == "tsv" || format->name == "json";
    const Spuransicht a = spurAnsicht(g);
    bool spurenSynthetisch = false;
    Kopf kopf{"", z->geladen ? "file " + g.geladenerPfad : geraetName(g)};
    auto spuren = spurSpalten(a, z->kurve, spurenSynthetisch);
    if (spalten) kopf.spalten = std::move(spuren);
    const bool synthetisch = z->kurve.synthetisch || ((spalten || format->name == "png") && spurenSynthetisch);
    kopf.synthetisch = synthetisch;
    const auto ablehnen = [&](Grund grund, std::string text) {
        return Ausfuhr{abgelehnt(grund, std::move(text)), {}, synthetisch};
    };
    if (synthetisch && synthese == Synthese::ablehnen)
        return ablehnen(Grund::unpassend, "the readings were synthesised (demonstration), not measured");

    const auto st = schreibZustand(g, *z);
    if (const auto einwand = formatEinwand(*format, *st, true); !einwand.empty())
        return ablehnen(Grund::unpassend, einwand);
    Ausfuhr aus{{}, {}, synthetisch};
    if (format->name == "dat") {
        if (synthetisch)
            return ablehnen(Grund::unpassend, "a series file has no room to say that its readings were synthesised; "
                                              "export csv, tsv or json");
        aus.daten = messreiheText(z->reihe);
    } else if (format->name == "png") {
        AnzeigeBitmap bild = anzeigeBild(g);
        bildtafelZeichnen(bild, g.st, bildtafelZeilen(a.ablesungen, a.e, z->kurve.lin, synthetisch, g.st.dezimalzeichen));
        aus.daten = pngKodieren(bild);
    } else {
        aus.daten = format->schreiber(*st, kopf);
    }
    if (aus.daten.empty()) return ablehnen(Grund::unpassend, "the " + name + " file could not be made");
    return aus;
}

Ergebnis exportSpeichern(Geraet& g, const std::string& pfad, const std::string& format, Synthese synthese) {
    Ausfuhr a = exportieren(g, format, synthese);
    if (!a.ergebnis) return a.ergebnis;
    if (auto fehler = dateiSchreiben(pfad, a.daten)) return {Grund::dateifehler, fehler->text, *fehler};
    return {};
}

}  // namespace qzl::api
