#include "app/fernziel_fenster.h"

#include <cerrno>
#include <cstdlib>

#include "engine/api.h"
#include "evaluation/auswertung.h"
#include "evaluation/messmarken.h"
#include "handlers/ablesung.h"
#include "handlers/frequenzeingabe.h"
#include "handlers/messartwahl.h"
#include "handlers/quarzanalyse.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "handlers/voreinstellungen.h"
#include "formats/voreinstellung.h"
#include "state/hz_text.h"
#include "state/kurve.h"

namespace qzl {

namespace {

fern::Ergebnis uebersetzt(const api::Ergebnis& e) {
    switch (e.grund) {
        case api::Grund::keiner: return {};
        case api::Grund::ausserhalb: return {-222, e.text};
        case api::Grund::unbekannt: return {-224, e.text};
        case api::Grund::keineDaten: return {-230, e.text};
        case api::Grund::vorhanden: return {-257, e.text};
        case api::Grund::falscheDatei: return {-224, e.text};
        case api::Grund::dateifehler:
            return {e.io && e.io->systemFehler == ENOENT ? -256 : -250, e.text};
        default: return {-221, e.text};
    }
}

const fern::Ergebnis keinDurchlauf{-230, "no complete pass yet"};
const fern::Ergebnis synthetisch{-241, "Hardware missing; the last pass holds synthesised readings, not measured ones"};

// A change through the engine's API, unless the window objects; what the
// engine took is then shown as its control shows it.
template <class Aktion, class Zeigen>
fern::Ergebnis aendern(const fern::Ergebnis& einwand, Aktion aktion, Zeigen zeigen) {
    if (einwand.code) return einwand;
    const api::Ergebnis e = aktion();
    if (e) zeigen();
    return uebersetzt(e);
}

}  // namespace

fern::Ergebnis FensterZiel::einwand() const {
    if (modalOffen_ && modalOffen_()) return {-221, "a box or dialog of the window is open"};
    return {};
}

std::string FensterZiel::version() { return QZL7_VERSION; }

std::int64_t FensterZiel::startfrequenz() { return p_.st.startfrequenz; }

fern::Ergebnis FensterZiel::startfrequenzSetzen(std::int64_t hz) {
    return aendern(einwand(), [&] { return api::startfrequenzSetzen(p_.geraet, hz); },
                   [&] { startfrequenzGeaendert(p_, true); });
}

std::int64_t FensterZiel::schrittweite() { return p_.st.schrittweite; }

fern::Ergebnis FensterZiel::schrittweiteSetzen(std::int64_t hz) {
    return aendern(einwand(), [&] { return api::schrittweiteSetzen(p_.geraet, hz); },
                   [&] { schrittweiteGeaendert(p_); });
}

std::int32_t FensterZiel::punktzahl() { return p_.st.messpunkte; }

fern::Ergebnis FensterZiel::punktzahlSetzen(std::int32_t anzahl) {
    // As after the settings dialog: the diagram with its new axis.
    return aendern(einwand(), [&] { return api::messpunkteSetzen(p_.geraet, anzahl); },
                   [&] {
                       dm_diagramm(p_);
                       clear_messwerte(p_);
                   });
}

fern::Ergebnis FensterZiel::bereichSetzen(std::int64_t start, std::int64_t schritt, std::int64_t punkte) {
    return aendern(einwand(), [&] { return api::bereichSetzen(p_.geraet, start, schritt, punkte); },
                   [&] {
                       p_.fenster.textSetzen(Element::Label2, hzText(p_.st.schrittweite));
                       startfrequenzGeaendert(p_, true);
                   });
}

Messart FensterZiel::messart() {
    Messart art = p_.st.messart;
    // The demonstration after a time-out stands in for the kind chosen.
    if (art == Messart::demo) art = p_.geraet.messartVorAusfall;
    switch (art) {
        case Messart::reflexion: case Messart::smith: return Messart::reflexion;
        case Messart::spektrum: return Messart::spektrum;
        case Messart::vfo: return Messart::vfo;
        default: return Messart::durchgang;
    }
}

fern::Ergebnis FensterZiel::messartSetzen(Messart art) {
    return aendern(einwand(), [&] { return api::messartWaehlen(p_.geraet, art); },
                   [&] {
                       messartZeigen(p_, art);
                       // As its button: the VFO's generator goes to its frequency at once.
                       if (art == Messart::vfo) api::generatorAbstimmen(p_.geraet);
                   });
}

fern::Detektor FensterZiel::detektor() {
    return p_.st.linModus ? fern::Detektor::linear : fern::Detektor::logarithmisch;
}

fern::Ergebnis FensterZiel::detektorSetzen(fern::Detektor art) {
    return aendern(einwand(), [&] { return api::detektorWaehlen(p_.geraet, art == fern::Detektor::linear); },
                   [&] { neuZeichnenZeigen(p_); });
}

fern::Ergebnis FensterZiel::startEinwand() const {
    // Checked first: a script must learn that its readings would be invented.
    if (p_.st.demoModus)
        return {-241, "Hardware missing; the readings are synthesised since the instrument stopped answering: "
                      "reconnect it, then press OK under Einstellungen, Optionen"};
    if (auto e = einwand(); e.code) return e;
    if (sweepLaeuft(p_)) return {-221, "a sweep is running"};
    // As its button: the VFO has no sweep.
    if (!p_.fenster.aktiv(Element::Button5)) return {-221, "this measurement kind has no sweep"};
    return {};
}

fern::Wert<std::uint64_t> FensterZiel::sweepStarten(bool nurEinDurchlauf) {
    if (auto e = startEinwand(); e.code) return {0, e};
    sweepNeu(p_, nurEinDurchlauf, BeiStille::beenden);
    if (!sweepLaeuft(p_)) return {0, {-221, "the sweep could not be started"}};
    return {p_.geraet.sweepNummer, {}};
}

fern::Wert<std::uint64_t> FensterZiel::durchlaufStarten() { return sweepStarten(true); }

fern::Wert<std::uint64_t> FensterZiel::dauerlaufStarten() {
    if (sweepLaeuft(p_) && !p_.st.demoModus) {
        if (api::quarzMessungLaeuft(p_.geraet)) return {0, {-221, "a crystal measurement is running"}};
        if (p_.st.stopAnforderung) return {0, {-221, "a single pass is running, or the sweep is stopping"}};
        return {p_.geraet.sweepNummer, {}};
    }
    return sweepStarten(false);
}

bool FensterZiel::durchlaufOffen(std::uint64_t nummer) {
    return nummer == p_.geraet.sweepNummer && sweepLaeuft(p_);
}

fern::Ergebnis FensterZiel::durchlaufAusgang(std::uint64_t nummer) {
    if (nummer == 0 || nummer != p_.geraet.verstummt) return {};
    return {-241, "Hardware missing; the instrument did not answer within 4 s"};
}

bool FensterZiel::dauerlauf() {
    return sweepLaeuft(p_) && !p_.st.stopAnforderung && !api::quarzMessungLaeuft(p_.geraet);
}

fern::Wert<std::uint64_t> FensterZiel::abbrechen() {
    if (!sweepLaeuft(p_)) return {0, {}};
    if (auto e = einwand(); e.code) return {0, e};
    stoppVerlangen(p_);
    return {p_.geraet.sweepNummer, {}};
}

bool FensterZiel::laeuft() { return sweepLaeuft(p_); }

bool FensterZiel::demo() { return p_.st.demoModus; }

namespace {
// The last pass, or why it is not handed out.
std::optional<Kurvenbild> messbarerDurchlauf(Programm& p, fern::Ergebnis& fehler) {
    auto bild = api::letzterDurchlauf(p.geraet);
    if (!bild)
        fehler = keinDurchlauf;
    else if (bild->synthetisch)
        fehler = synthetisch;
    else
        return bild;
    return std::nullopt;
}
}  // namespace

namespace {
// Its points with their levels: of the readings, or, for a difference, of
// the differences of readings.
fern::Kurve kurveAus(const Kurvenbild& bild, bool differenz = false) {
    fern::Kurve k;
    for (std::int32_t i = 1; i <= static_cast<std::int32_t>(bild.werte.size()); ++i) {
        const std::int32_t w = bild.werte[static_cast<std::size_t>(i - 1)];
        k.frequenzen.push_back(frequenzBei(bild, i));
        k.pegel.push_back(differenz ? differenzPegel(w, bild.lin) : pegelBei(bild, i));
        k.rohwerte.push_back(w);
    }
    return k;
}
}  // namespace

fern::Wert<fern::Kurve> FensterZiel::kurve() {
    fern::Ergebnis fehler;
    const auto bild = messbarerDurchlauf(p_, fehler);
    if (!bild) return {{}, fehler};
    return {kurveAus(*bild), {}};
}

namespace {
fern::Punkt punkt(const Kurvenpunkt& k, const Kurvenbild& bild) {
    return {k.frequenz, pegel(k.wert, bild.art, bild.lin)};
}
}  // namespace

fern::Wert<fern::Punkt> FensterZiel::maximum() {
    fern::Ergebnis fehler;
    const auto bild = messbarerDurchlauf(p_, fehler);
    if (!bild) return {{}, fehler};
    return {punkt(kurveAuswerten(*bild).maximum, *bild), {}};
}

fern::Wert<fern::Punkt> FensterZiel::minimum() {
    fern::Ergebnis fehler;
    const auto bild = messbarerDurchlauf(p_, fehler);
    if (!bild) return {{}, fehler};
    return {punkt(kurveAuswerten(*bild).minimum, *bild), {}};
}

fern::Wert<fern::Band> FensterZiel::band() {
    fern::Ergebnis fehler;
    const auto bild = messbarerDurchlauf(p_, fehler);
    if (!bild) return {{}, fehler};
    const auto band = kurveAuswerten(*bild).band;
    if (!band) return {{}, {-230, "the curve has no band"}};
    return {{band->fl, band->fr}, {}};
}

std::int64_t FensterZiel::cursor() { return cursorFrequenz(p_.st); }

fern::Ergebnis FensterZiel::cursorSetzen(std::int64_t hz) {
    return aendern(einwand(), [&] { return api::cursorSetzen(p_.geraet, hz); }, [&] { cursorZeigen(p_); });
}

std::string FensterZiel::ueberschrift() { return p_.st.messzeit; }

fern::Ergebnis FensterZiel::ueberschriftSetzen(const std::string& text) {
    return aendern(einwand(), [&] { return api::ueberschriftSetzen(p_.geraet, text); },
                   [&] { p_.fenster.textSetzen(Element::Label5, text); });
}

template <class Aktion>
fern::Ergebnis FensterZiel::spurAendern(Aktion aktion) {
    return aendern(einwand(), aktion, [&] { neuZeichnenZeigen(p_); });
}

Spureinstellungen FensterZiel::spur() { return api::spurAnsicht(p_.geraet).e; }

fern::Ergebnis FensterZiel::markeAendern(int n, const std::function<void(Messmarke&)>& aenderung) {
    return spurAendern([&] { return api::markeAendern(p_.geraet, n, aenderung); });
}

fern::Ergebnis FensterZiel::markeSuchen(int n, Suche suche) {
    return spurAendern([&] { return api::markeSuchen(p_.geraet, n, suche); });
}

fern::Ergebnis FensterZiel::markeSpitzeSuchen(int n, bool rechts) {
    return spurAendern([&] { return api::markeSpitzeSuchen(p_.geraet, n, rechts); });
}

namespace {
// A curve of the traces, or why it is not handed out.
fern::Wert<fern::Kurve> spurKurve(const std::optional<Kurvenbild>& bild, const std::string& fehlt, const char* was,
                                  bool differenz = false) {
    if (!bild) return {{}, {-230, fehlt}};
    if (bild->synthetisch)
        return {{}, {-241, std::string("Hardware missing; ") + was + " holds synthesised readings, not measured ones"}};
    return {kurveAus(*bild, differenz), {}};
}
}  // namespace

fern::Wert<fern::Markenwert> FensterZiel::markeAblesen(int n) {
    const api::Spuransicht a = api::spurAnsicht(p_.geraet);
    const auto geprueft = spurKurve(a.kurve, "no curve for the present settings: measure a pass first",
                                    "the curve the markers read");
    if (geprueft.fehler.code) return {{}, geprueft.fehler};
    const MarkenAblesung& ab = a.ablesungen.at(static_cast<std::size_t>(n - 1));
    fern::Markenwert w{ab.an, ab.punkt.has_value(), ab.frequenz, ab.pegel, ab.delta, std::nullopt};
    if (ab.band) w.band = fern::Markenwert::Bandwerte{ab.band->unten, ab.band->oben, ab.band->breite, ab.band->mitte,
                                                      ab.band->q};
    return {w, {}};
}

fern::Ergebnis FensterZiel::haltenSetzen(Halten halten, std::int32_t mittelAnzahl) {
    return spurAendern([&] { return api::haltenSetzen(p_.geraet, halten, mittelAnzahl); });
}

fern::Wert<fern::Kurve> FensterZiel::gehalten() {
    const api::Spuransicht a = api::spurAnsicht(p_.geraet);
    if (a.e.halten == Halten::aus) return {{}, {-230, "the hold is off"}};
    return spurKurve(a.gehalten, "no pass held yet with the present settings", "the hold");
}

fern::Ergebnis FensterZiel::referenzUebernehmen() {
    return spurAendern([&] { return api::referenzUebernehmen(p_.geraet); });
}

fern::Ergebnis FensterZiel::referenzVerwerfen() {
    return spurAendern([&] {
        api::referenzVerwerfen(p_.geraet);
        return api::Ergebnis{};
    });
}

fern::Wert<fern::Kurve> FensterZiel::referenz() {
    return spurKurve(api::spurAnsicht(p_.geraet).referenz, "no reference stored", "the reference");
}

fern::Ergebnis FensterZiel::differenzZeigen(bool an) {
    return spurAendern([&] { return api::differenzZeigen(p_.geraet, an); });
}

fern::Wert<fern::Kurve> FensterZiel::differenz() {
    const api::Spuransicht a = api::spurAnsicht(p_.geraet);
    if (!a.e.differenz) return {{}, {-230, "the difference is off"}};
    if (!a.differenz) return {{}, {-230, a.differenzEinwand}};
    return spurKurve(a.differenz, {}, "the difference", true);
}

fern::Ergebnis FensterZiel::grenzenLaden(const std::string& pfad) {
    return spurAendern([&] { return api::grenzenLaden(p_.geraet, pfad); });
}

fern::Ergebnis FensterZiel::grenzenVerwerfen() {
    return spurAendern([&] {
        api::grenzenVerwerfen(p_.geraet);
        return api::Ergebnis{};
    });
}

fern::Ergebnis FensterZiel::grenzenPruefenSetzen(bool an) {
    return spurAendern([&] {
        api::grenzenPruefenSetzen(p_.geraet, an);
        return api::Ergebnis{};
    });
}

bool FensterZiel::grenzenPruefen() { return api::spurAnsicht(p_.geraet).grenzenAn; }

fern::Wert<std::vector<std::int64_t>> FensterZiel::grenzFehler() {
    const api::Spuransicht a = api::spurAnsicht(p_.geraet);
    if (a.grenzen.empty()) return {{}, {-230, "no limits loaded: load a limit file first"}};
    if (!a.grenzenAn) return {{}, {-230, "judging is off: CALC:LIM:STAT ON"}};
    if (!a.urteil) return {{}, {-230, "no pass judged yet: measure a pass with the present settings"}};
    if (!a.urteil->einwand.empty()) return {{}, {-230, a.urteil->einwand}};
    if (a.urteil->synthetisch) return {{}, synthetisch};
    return {a.urteil->fehler, {}};
}

fern::Wert<std::string> FensterZiel::spurDaten(const std::string& format) {
    api::Ausfuhr a = api::exportieren(p_.geraet, format, api::Synthese::ablehnen);
    if (a.synthetisch) return {{}, synthetisch};
    if (!a.ergebnis) return {{}, uebersetzt(a.ergebnis)};
    return {std::move(a.daten), {}};
}

fern::Ergebnis FensterZiel::voreinstellungSpeichern(const std::string& name, bool ersetzen) {
    return uebersetzt(api::voreinstellungAblegen(p_.geraet, ordner(), name, false, ersetzen));
}

fern::Ergebnis FensterZiel::voreinstellungLaden(const std::string& name) {
    if (auto e = einwand(); e.code) return e;
    const api::Voreinstellungsladung l = voreinstellungFernLaden(p_, ordner(), name);
    if (!l.ergebnis) return uebersetzt(l.ergebnis);
    // The rest was taken; the file it could not load is the script's to know.
    for (const auto& n : {l.grenzen, l.referenz})
        if (n) return {-256, "loaded, but " + n->datei + " could not be: " + n->grund.text};
    return {};
}

fern::Wert<std::vector<std::string>> FensterZiel::voreinstellungen() {
    api::Voreinstellungsliste liste = api::voreinstellungenListen(ordner());
    if (!liste.ergebnis) return {{}, uebersetzt(liste.ergebnis)};
    return {std::move(liste.namen), {}};
}

double FensterZiel::quarzFassung() { return api::spurAnsicht(p_.geraet).e.quarzFassung; }

fern::Ergebnis FensterZiel::quarzFassungSetzen(double ohm) {
    return aendern(einwand(), [&] { return api::quarzFassungSetzen(p_.geraet, ohm); }, [] {});
}

namespace {
// The figures, or the refusal in the socket's codes.
fern::Wert<fern::Quarz> quarzWert(const api::Quarzanalyse& a) {
    if (a.werte) {
        const Quarzwerte& w = *a.werte;
        return {{w.fs, w.fp, w.rm, w.lm, w.cm, w.c0, w.qBelastet, w.qUnbelastet, w.verlustDb, w.restDb, w.bandPunkte,
                 w.warnung},
                {}};
    }
    if (a.mess.ende == api::MessEnde::stumm) return {{}, {-241, "Hardware missing; the instrument did not answer within 4 s"}};
    using A = Quarzeinwand::Art;
    switch (a.einwand.art) {
        case A::keiner: return {{}, uebersetzt(a.ergebnis)};
        case A::synthetisch: return {{}, {-241, "Hardware missing; " + a.einwand.text}};
        case A::messart: case A::linear: return {{}, {-221, a.einwand.text}};
        default: return {{}, {-230, a.einwand.text}};
    }
}
}  // namespace

fern::Wert<fern::Quarz> FensterZiel::quarzAuswerten() {
    fern::Ergebnis fehler;
    if (!messbarerDurchlauf(p_, fehler)) return {{}, fehler};
    const auto w = quarzWert(api::quarzAuswerten(p_.geraet));
    // The fitted curve over the pass.
    if (!w.fehler.code) neuZeichnenZeigen(p_);
    return w;
}

fern::Wert<std::uint64_t> FensterZiel::quarzMessungStarten() {
    if (auto e = startEinwand(); e.code) return {0, e};
    // As the menu's analysis, but the figures go to the script, not into
    // a dialog that would hold up its next command.
    dm_diagramm(p_);
    p_.nachDemSweep = [&p = p_] { quarzBereichZeigen(p); };
    const api::Ergebnis e = messungStarten(p_, [&](std::function<void()> amEnde) {
        return api::quarzMessungStarten(p_.geraet, 1, std::move(amEnde), BeiStille::beenden);
    });
    if (!e) {
        p_.nachDemSweep = nullptr;
        return {0, uebersetzt(e)};
    }
    return {p_.geraet.sweepNummer, {}};
}

fern::Wert<fern::Quarz> FensterZiel::quarzErgebnis(std::uint64_t nummer) {
    const auto a = api::quarzErgebnis(p_.geraet);
    if (!a || nummer != p_.geraet.sweepNummer) return {{}, {-230, "another sweep has replaced the measurement"}};
    return quarzWert(*a);
}

std::string FensterZiel::ordner() const { return voreinstellungsOrdner(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

}  // namespace qzl
