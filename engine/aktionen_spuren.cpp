// The API's markers, reference, difference and hold.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "diagram/spuren_bild.h"
#include "evaluation/grenzen.h"
#include "engine/api.h"
#include "engine/durchlauf.h"
#include "engine/einwaende.h"
#include "engine/zustand.h"
#include "formats/markendatei.h"
#include "formats/messreihe.h"
#include "platform/datei.h"
#include "state/ganzzahl.h"

namespace qzl {

namespace {

// Whether a curve was measured with the sweep's present settings, so that
// it belongs to the diagram as it is drawn now.
bool passtZumDiagramm(const InstrumentState& st, const Kurvenbild& k) {
    return k.start == st.startfrequenz && k.schritt == st.schrittweite &&
           static_cast<std::int32_t>(k.werte.size()) == punktAnzahl(st) && k.lin == st.linModus;
}

// The curve the markers read: the hold while it is on, else the curve the
// diagram shows.
std::optional<Kurvenbild> markenKurve(const InstrumentState& st, const Spurspeicher& s) {
    if (!s.versetzt && s.e.halten != Halten::aus && s.gehalten && passtZumDiagramm(st, *s.gehalten))
        return s.gehalten;
    if (s.gezeigt && (s.versetzt || passtZumDiagramm(st, *s.gezeigt))) return s.gezeigt;
    return std::nullopt;
}

void halterNeu(Spurspeicher& s) {
    const auto regel = s.e.halten == Halten::min ? Kombination::min
                       : s.e.halten == Halten::mittel ? Kombination::mittel
                                                      : Kombination::max;
    s.halter = Kombinierer(regel, s.e.halten == Halten::mittel ? static_cast<std::size_t>(s.e.mittelAnzahl) : 0);
    s.gehalten.reset();
}

void verfolgen(const InstrumentState& st, Spurspeicher& s) {
    const auto kurve = markenKurve(st, s);
    if (!kurve) return;
    for (auto& m : s.e.marken)
        if (m.an && m.verfolgen && m.suche != Suche::keine)
            if (const auto f = suchziel(*kurve, m)) m.frequenz = *f;
}

}  // namespace

void urteilFaellen(const InstrumentState& st, Spurspeicher& s) {
    s.urteil.reset();
    if (s.grenzen.empty() || !s.grenzenAn || !s.gezeigt || s.versetzt || !passtZumDiagramm(st, *s.gezeigt)) return;
    s.urteil = grenzurteil(*s.gezeigt, s.grenzen);
}

void spurenNachDurchlauf(Geraet& g, const Kurvenbild& bild) {
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    s.gezeigt = bild;
    s.versetzt = false;
    if (s.e.halten != Halten::aus) {
        s.halter.dazu(bild.werte);
        const bool synthetisch = (s.gehalten && s.gehalten->synthetisch) || bild.synthetisch;
        s.gehalten = bild;
        s.gehalten->werte = s.halter.ergebnis();
        s.gehalten->synthetisch = synthetisch;
    }
    verfolgen(g.st, s);
    urteilFaellen(g.st, s);
    ++s.version;
}

void spurenNeu(Geraet& g, std::optional<Kurvenbild> gezeigt, bool versetzt) {
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    s.gezeigt = std::move(gezeigt);
    s.versetzt = versetzt;
    s.urteil.reset();
    s.quarzKurve.reset();
    halterNeu(s);
    ++s.version;
}

void spurenNormiert(Geraet& g, std::int32_t verschiebung) {
    std::lock_guard sperre(g.spurSperre);
    auto& s = g.spuren;
    if (!s.gezeigt) return;
    for (auto& w : s.gezeigt->werte) w = wrap32(std::int64_t{w} + verschiebung);
    s.versetzt = true;
    ++s.version;
}

namespace {

// What the layer shows of a view; kinds without a level scale show nothing.
Spurzeichnung zeichnung(const InstrumentState& st, const api::Spuransicht& a) {
    Spurzeichnung z;
    const Messart art = st.messart;
    if (art == Messart::vfo || art == Messart::smith) return z;
    z.versetzt = a.versetzt;
    const Kurvenbild raster = a.versetzt && a.kurve ? *a.kurve : kurvenbild(st);
    if (a.referenz && gitterEinwand(raster, *a.referenz).empty()) z.referenz = &*a.referenz;
    if (a.gehalten) z.gehalten = &*a.gehalten;
    if (a.differenz) z.differenz = &*a.differenz;
    if (a.quarzKurve) z.quarz = &*a.quarzKurve;
    for (int n = 1; n <= anzahlMessmarken; ++n) {
        const auto& ab = a.ablesungen[static_cast<std::size_t>(n - 1)];
        if (ab.punkt && a.kurve) z.marken.push_back({n, *ab.punkt, a.kurve->werte[static_cast<std::size_t>(*ab.punkt - 1)]});
    }
    for (const auto& g : a.grenzen) {
        std::int32_t von = 0, bis = 0;
        for (std::int32_t i = 1; i <= static_cast<std::int32_t>(raster.werte.size()); ++i) {
            const std::int64_t f = frequenzBei(raster, i);
            if (f < g.f1 || f > g.f2) continue;
            if (!von) von = i;
            bis = i;
        }
        const double wert = std::clamp(wertFuerPegel(g.pegel, raster.art, raster.lin), -1.0e5, 1.0e5);
        if (von) z.grenzen.push_back({von, bis, static_cast<std::int32_t>(std::nearbyint(wert))});
    }
    return z;
}

}  // namespace

Aenderung spurRasterAuffrischen(Geraet& g, bool diagrammNeu) {
    if (api::spurVersion(g) == g.spurRasterVersion && !diagrammNeu) return {};
    const api::Spuransicht a = api::spurAnsicht(g);
    g.spurRasterVersion = a.version;
    const Spurzeichnung z = zeichnung(g.st, a);
    if (z.leer()) {
        if (!g.spurRasterAn) return {};
        g.spurRasterAn = false;
        return Aenderung::alles();
    }
    spurenZeichnen(g.spurRaster, g.st, z);
    g.spurRaster.aenderungenNehmen();
    g.spurRasterAn = true;
    return Aenderung::alles();
}

std::unique_ptr<Raster> spurRasterBild(Geraet& g) {
    const api::Spuransicht a = api::spurAnsicht(g);
    const Spurzeichnung z = zeichnung(g.st, a);
    if (z.leer()) return nullptr;
    auto r = std::make_unique<Raster>();
    spurenZeichnen(*r, g.st, z);
    return r;
}

}  // namespace qzl

namespace qzl::api {

namespace {

std::optional<Ergebnis> markeFehlt(int n) {
    if (n >= 1 && n <= anzahlMessmarken) return std::nullopt;
    return abgelehnt(Grund::ausserhalb, "there are markers 1 to 8, not " + std::to_string(n));
}

std::optional<Ergebnis> markeEinwand(int n, const Messmarke& m) {
    if (auto e = markeFehlt(n)) return e;
    if (m.bezug < 0 || m.bezug > anzahlMessmarken || m.bezug == n)
        return abgelehnt(Grund::ausserhalb, "a delta refers to another marker, 1 to 8, or to none (0)");
    if (m.bandDb && !(*m.bandDb > 0 && *m.bandDb <= 200))
        return abgelehnt(Grund::ausserhalb, "a band lies more than 0 and at most 200 dB below its marker");
    if (m.bereich && m.bereich->first > m.bereich->second)
        return abgelehnt(Grund::ausserhalb, "a search range runs from its lower to its upper frequency");
    return std::nullopt;
}

Messmarke& marke(Geraet& g, int n) { return g.spuren.e.marken[static_cast<std::size_t>(n - 1)]; }

const Ergebnis keineKurve{Grund::keineDaten, "no curve for the present settings: measure a pass first", std::nullopt};

// Marker n changed by aenderung against the curve the markers read, under
// the lock; the change counts only when it is done.
template <class F>
Ergebnis aufKurve(Geraet& g, int n, F aenderung) {
    if (auto e = markeFehlt(n)) return *e;
    std::lock_guard sperre(g.spurSperre);
    const auto kurve = markenKurve(g.st, g.spuren);
    if (!kurve || kurve->werte.empty()) return keineKurve;
    Ergebnis e = aenderung(*kurve, marke(g, n));
    if (e) ++g.spuren.version;
    return e;
}

// Marker n put by the user on point punkt (clamped to the curve); it stays there.
template <class F>
Ergebnis aufPunkt(Geraet& g, int n, F punkt) {
    return aufKurve(g, n, [&](const Kurvenbild& k, Messmarke& m) {
        m.frequenz = frequenzBei(k, std::clamp(punkt(k, m), 1, static_cast<std::int32_t>(k.werte.size())));
        m.an = true;
        m.suche = Suche::keine;
        return Ergebnis{};
    });
}

}  // namespace

Ergebnis markeSetzen(Geraet& g, int n, const Messmarke& m) {
    if (auto e = markeEinwand(n, m)) return *e;
    std::lock_guard sperre(g.spurSperre);
    marke(g, n) = m;
    ++g.spuren.version;
    return {};
}

Ergebnis markeAendern(Geraet& g, int n, const std::function<void(Messmarke&)>& aenderung) {
    if (auto e = markeFehlt(n)) return *e;
    std::lock_guard sperre(g.spurSperre);
    Messmarke m = marke(g, n);
    aenderung(m);
    if (auto e = markeEinwand(n, m)) return *e;
    marke(g, n) = m;
    ++g.spuren.version;
    return {};
}

Ergebnis aktiveMarkeSetzen(Geraet& g, int n) {
    if (auto e = markeFehlt(n)) return *e;
    std::lock_guard sperre(g.spurSperre);
    g.spuren.e.aktiv = n;
    ++g.spuren.version;
    return {};
}

Ergebnis markeSuchen(Geraet& g, int n, Suche suche) {
    return aufKurve(g, n, [&](const Kurvenbild& k, Messmarke& m) {
        Messmarke gesucht = m;
        gesucht.suche = suche;
        const auto f = suchziel(k, gesucht);
        if (!f)
            return abgelehnt(Grund::keineDaten,
                             "no point of the curve lies in marker " + std::to_string(n) + "'s search range");
        m = gesucht;
        m.frequenz = *f;
        m.an = true;
        return Ergebnis{};
    });
}

Ergebnis markeSpitzeSuchen(Geraet& g, int n, bool rechts) {
    return aufKurve(g, n, [&](const Kurvenbild& k, Messmarke& m) {
        // A marker outside the curve searches from the end it lies beyond.
        std::int32_t ab = m.frequenz < k.start ? 0 : static_cast<std::int32_t>(k.werte.size()) + 1;
        if (const auto p = punktBei(k, m.frequenz)) ab = *p;
        const auto spitze = naechsteSpitze(k, ab, rechts);
        if (!spitze)
            return abgelehnt(Grund::keineDaten, std::string("no peak of 3 dB lies ") + (rechts ? "right" : "left") +
                                                    " of marker " + std::to_string(n));
        m.frequenz = frequenzBei(k, *spitze);
        m.an = true;
        m.suche = Suche::keine;
        return Ergebnis{};
    });
}

Ergebnis markeAufPunkt(Geraet& g, int n, std::int32_t punkt) {
    return aufPunkt(g, n, [&](const Kurvenbild&, const Messmarke&) { return punkt; });
}

Ergebnis markeSchieben(Geraet& g, int n, std::int32_t punkte) {
    return aufPunkt(g, n, [&](const Kurvenbild& k, const Messmarke& m) {
        // Outside, the first step lands on the nearest end.
        if (const auto p = punktBei(k, m.frequenz)) return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{*p} + punkte, INT32_MIN, INT32_MAX));
        return m.frequenz < k.start ? 1 : static_cast<std::int32_t>(k.werte.size());
    });
}

Ergebnis haltenSetzen(Geraet& g, Halten halten, std::int32_t mittelAnzahl) {
    if (mittelAnzahl < 1 || mittelAnzahl > hoechsteMittelAnzahl)
        return abgelehnt(Grund::ausserhalb, "the mean is taken over 1 to 100 passes");
    std::lock_guard sperre(g.spurSperre);
    g.spuren.e.halten = halten;
    g.spuren.e.mittelAnzahl = mittelAnzahl;
    halterNeu(g.spuren);
    ++g.spuren.version;
    return {};
}

namespace {
// The grid a difference is taken on: the series shown, else the settings'.
std::string differenzEinwand(const InstrumentState& st, const Spurspeicher& s) {
    if (!s.referenz) return "no reference: store the last pass or load a series as the reference first";
    const Kurvenbild raster = s.versetzt && s.gezeigt ? *s.gezeigt : kurvenbild(st);
    // A reflection is no reference for a transmission: the levels mean other things.
    if (raster.art != s.referenz->art) return "the reference was measured in another kind of measurement";
    return gitterEinwand(raster, *s.referenz);
}
}  // namespace

Ergebnis differenzZeigen(Geraet& g, bool an) {
    std::lock_guard sperre(g.spurSperre);
    if (an)
        if (auto text = differenzEinwand(g.st, g.spuren); !text.empty()) return abgelehnt(Grund::unpassend, text);
    g.spuren.e.differenz = an;
    ++g.spuren.version;
    return {};
}

Ergebnis referenzUebernehmen(Geraet& g) {
    auto pass = letzterDurchlauf(g);
    if (!pass) return abgelehnt(Grund::keineDaten, "no complete pass yet to store as the reference");
    std::lock_guard sperre(g.spurSperre);
    g.spuren.referenz = std::move(pass);
    g.spuren.referenzDatei.clear();
    ++g.spuren.version;
    return {};
}

Ergebnis referenzLaden(Geraet& g, const std::string& pfad) {
    IoFehler fehler;
    auto daten = gewaehlteDateiLesen(pfad, fehler, textdateiGrenze);
    if (!daten) return {Grund::dateifehler, fehler.text, fehler};
    const auto reihe = messreiheLesen(std::move(*daten));
    if (!reihe) return abgelehnt(Grund::falscheDatei, pfad + " is no series file");
    std::lock_guard sperre(g.spurSperre);
    g.spuren.referenz = reiheKurve(*reihe);
    g.spuren.referenzDatei = pfad;
    ++g.spuren.version;
    return {};
}

void referenzVerwerfen(Geraet& g) {
    std::lock_guard sperre(g.spurSperre);
    g.spuren.referenz.reset();
    g.spuren.referenzDatei.clear();
    g.spuren.e.differenz = false;
    ++g.spuren.version;
}

std::optional<Ergebnis> spurEinwand(const Spureinstellungen& e) {
    for (int n = 1; n <= anzahlMessmarken; ++n)
        if (auto f = markeEinwand(n, e.marken[static_cast<std::size_t>(n - 1)])) return f;
    if (auto f = markeFehlt(e.aktiv)) return f;
    if (e.mittelAnzahl < 1 || e.mittelAnzahl > hoechsteMittelAnzahl)
        return abgelehnt(Grund::ausserhalb, "the mean is taken over 1 to 100 passes");
    if (!fassungGueltig(e.quarzFassung)) return abgelehnt(Grund::ausserhalb, fassungText);
    return std::nullopt;
}

Ergebnis spurEinstellungenSetzen(Geraet& g, const Spureinstellungen& e) {
    if (auto f = spurEinwand(e)) return *f;
    std::lock_guard sperre(g.spurSperre);
    const bool haltenNeu = e.halten != g.spuren.e.halten || e.mittelAnzahl != g.spuren.e.mittelAnzahl;
    g.spuren.e = e;
    if (haltenNeu) halterNeu(g.spuren);
    ++g.spuren.version;
    return {};
}

Spuransicht spurAnsicht(Geraet& g) {
    std::lock_guard sperre(g.spurSperre);
    const auto& s = g.spuren;
    Spuransicht a;
    a.e = s.e;
    a.kurve = markenKurve(g.st, s);
    a.versetzt = s.versetzt;
    a.version = s.version;
    a.referenz = s.referenz;
    a.referenzDatei = s.referenzDatei;
    a.grenzen = s.grenzen;
    a.grenzDatei = s.grenzDatei;
    a.grenzenAn = s.grenzenAn;
    a.urteil = s.urteil;
    if (s.quarzKurve && passtZumDiagramm(g.st, *s.quarzKurve)) a.quarzKurve = s.quarzKurve;
    if (s.e.halten != Halten::aus && !s.versetzt && s.gehalten && passtZumDiagramm(g.st, *s.gehalten))
        a.gehalten = s.gehalten;
    if (s.e.differenz) {
        a.differenzEinwand = differenzEinwand(g.st, s);
        if (a.differenzEinwand.empty() && !a.kurve) a.differenzEinwand = keineKurve.text;
        if (a.differenzEinwand.empty()) a.differenz = differenz(*a.kurve, *s.referenz);
    }
    a.ablesungen = markenAblesen(a.kurve, s.e);
    return a;
}

std::uint64_t spurVersion(Geraet& g) {
    std::lock_guard sperre(g.spurSperre);
    return g.spuren.version;
}

Ergebnis markenSpeichern(Geraet& g, const std::string& pfad) {
    Spureinstellungen e;
    {
        std::lock_guard sperre(g.spurSperre);
        e = g.spuren.e;
    }
    if (auto fehler = dateiSchreiben(pfad, markendateiText(e))) return {Grund::dateifehler, fehler->text, *fehler};
    return {};
}

Ergebnis markenLaden(Geraet& g, const std::string& pfad) {
    IoFehler fehler;
    auto daten = gewaehlteDateiLesen(pfad, fehler, textdateiGrenze);
    if (!daten) return {Grund::dateifehler, fehler.text, fehler};
    Ergebnis e = markenUebernehmen(g, *daten);
    if (!e) e.text = pfad + ": " + e.text;
    return e;
}

Ergebnis markenUebernehmen(Geraet& g, const std::string& daten) {
    auto gelesen = markendateiLesen(daten);
    if (!gelesen.einstellungen) return abgelehnt(Grund::falscheDatei, gelesen.fehler);
    Ergebnis e = spurEinstellungenSetzen(g, *gelesen.einstellungen);
    if (!e) e.grund = Grund::falscheDatei;
    return e;
}

}  // namespace qzl::api
