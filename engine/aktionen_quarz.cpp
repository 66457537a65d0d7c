// The API's crystal analysis: the passes it needs, the fit, and the fitted
// curve over the measured one.
#include <cmath>
#include <mutex>
#include <system_error>

#include "diagram/diagramm.h"
#include "engine/api.h"
#include "engine/einwaende.h"
#include "engine/spuren.h"
#include "engine/zustand.h"
#include "state/kurve.h"

namespace qzl {

struct Quarzlauf {
    std::uint64_t nummer = 0;  // the sweep number it runs under
    std::mutex sperre;
    std::optional<api::Quarzanalyse> ergebnis;
};

namespace api {

namespace {

double fassung(Geraet& g) {
    std::lock_guard sperre(g.spurSperre);
    return g.spuren.e.quarzFassung;
}

std::int32_t bits(const InstrumentState& st) { return st.messgenauigkeit >= 10 ? 10 : 8; }
// The span of transmission's logarithmic calibration, whose rounding the
// warning weighs.
std::int32_t spanne(const InstrumentState& st) {
    const auto slot = korrSlot(Messart::durchgang, false);
    return slot ? st.korrfaktor2[*slot].load() : 0;
}

Quarzanalyse verweigert(const Quarzeinwand& e, MessErgebnis mess = {}) {
    const Grund grund = e.art == Quarzeinwand::Art::abgebrochen ? Grund::keineDaten : Grund::unpassend;
    return {abgelehnt(grund, e.text), e, std::nullopt, mess};
}

// What the settings alone refuse, before any pass is spent on it.
std::optional<Quarzeinwand> vorabEinwand(const InstrumentState& st) {
    Kurvenbild k{st.startfrequenz, st.schrittweite, st.messart, st.linModus, {}, st.demoModus};
    const auto e = resonanzSuchen(k).einwand;
    using A = Quarzeinwand::Art;
    if (e.art == A::messart || e.art == A::linear || e.art == A::synthetisch) return e;
    return std::nullopt;
}

// The fitted curve at the pass's points, in readings, for the diagram.
void kurveZeigen(Geraet& g, const Kurvenbild& pass, const Quarzmodell& m, double ohm) {
    Kurvenbild k = pass;
    for (std::size_t i = 0; i < k.werte.size(); ++i) {
        const double f = static_cast<double>(frequenzBei(k, static_cast<std::int32_t>(i + 1)));
        const double w = wertFuerPegel(quarzPegelDb(m, ohm, f), k.art, k.lin);
        k.werte[i] = static_cast<std::int32_t>(std::nearbyint(std::clamp(w, -1.0e5, 1.0e5)));
    }
    std::lock_guard sperre(g.spurSperre);
    g.spuren.quarzKurve = std::move(k);
    ++g.spuren.version;
}

Quarzanalyse auswerten(Geraet& g, const Quarzbefund& befund, const Kurvenbild& pass, double ohm) {
    if (!befund.werte) return verweigert(befund.einwand);
    kurveZeigen(g, pass, *befund.modell, ohm);
    return {{}, {}, befund.werte, {}};
}

// Both passes with the worker's or the caller's thread: each range's
// passes averaged, the fine range set through the same rules as a user's.
Quarzanalyse messen(Geraet& g, int durchgaenge, const Fortschritt& fortschritt) {
    auto& st = zustand(g);
    const double ohm = fassung(g);
    if (auto e = vorabEinwand(st)) return verweigert(*e);
    const Kombination regel = durchgaenge > 1 ? Kombination::mittel : Kombination::letzte;
    MessErgebnis mess;
    std::optional<Ergebnis> bereichFehler;
    const auto pass = [&]() -> std::optional<Kurvenbild> {
        // The picture belongs to the front-end's main thread.
        const std::function<void()> zeichnen = [&st] { diagrammZeichnen(st); };
        if (g.imHauptfaden)
            g.imHauptfaden(zeichnen);
        else
            zeichnen();
        mess = durchgaengeKombinieren(g, durchgaenge, regel, fortschritt);
        if (mess.ende != MessEnde::fertig) return std::nullopt;
        Kurvenbild k = kurvenbild(st);
        std::lock_guard sperre(g.durchlaufSperre);
        g.letzterDurchlauf = k;
        return k;
    };
    const auto erster = pass();
    if (!erster) return verweigert({Quarzeinwand::Art::abgebrochen, "the measurement was stopped"}, mess);
    const Bereichsmessung fein = [&](const Feinbereich& b) -> std::optional<Kurvenbild> {
        if (st.stopAnforderung || g.beenden) {
            mess = {MessEnde::abgebrochen, 0, 0};
            return std::nullopt;
        }
        if (auto r = bereichUebernehmen(g, b.start, b.schritt, b.punkte); !r) {
            bereichFehler = r;
            return std::nullopt;
        }
        return pass();
    };
    const auto befund = quarzMessen(*erster, fein, ohm, bits(st), spanne(st));
    if (bereichFehler) {
        const Quarzeinwand e{Quarzeinwand::Art::keineResonanz, "the range around the resonance cannot be swept: " +
                                                                    bereichFehler->text};
        return verweigert(e);
    }
    if (befund.einwand.art == Quarzeinwand::Art::abgebrochen) return verweigert(befund.einwand, mess);
    return auswerten(g, befund, kurvenbild(st), ohm);
}

}  // namespace

Ergebnis quarzFassungSetzen(Geraet& g, double ohm) {
    if (!fassungGueltig(ohm)) return abgelehnt(Grund::ausserhalb, fassungText);
    std::lock_guard sperre(g.spurSperre);
    g.spuren.e.quarzFassung = ohm;
    ++g.spuren.version;
    return {};
}

Quarzanalyse quarzAuswerten(Geraet& g) {
    const auto k = letzterDurchlauf(g);
    if (!k) return {abgelehnt(Grund::keineDaten, "there is no complete pass to evaluate"), {}, std::nullopt, {}};
    const double ohm = fassung(g);
    const auto befund = quarzAuswerten(*k, ohm, bits(g.st), spanne(g.st));
    if (!befund.werte) return verweigert(befund.einwand);
    // Only a pass the diagram still shows gets the fitted curve drawn over it.
    if (k->start == g.st.startfrequenz && k->schritt == g.st.schrittweite) kurveZeigen(g, *k, *befund.modell, ohm);
    return {{}, {}, befund.werte, {}};
}

Quarzanalyse quarzMessen(Geraet& g, int durchgaenge, const Fortschritt& fortschritt) {
    if (auto e = laeuftSchon(g)) return {*e, {}, std::nullopt, {}};
    return messen(g, durchgaenge, fortschritt);
}

Ergebnis quarzMessungStarten(Geraet& g, int durchgaenge, std::function<void()> amEnde, BeiStille beiStille) {
    if (auto e = laeuftSchon(g)) return *e;
    auto& st = zustand(g);
    g.beiStille = beiStille;
    ++g.sweepNummer;
    g.geladeneReihe.reset();
    spurenNeu(g);
    st.sweepFertig = false;
    st.stopAnforderung = false;
    auto lauf = std::make_shared<Quarzlauf>();
    lauf->nummer = g.sweepNummer;
    g.quarzLauf = lauf;
    try {
        g.sweepThread = std::thread([&g, &st, lauf, durchgaenge, amEnde = std::move(amEnde)] {
            // Nothing thrown here may escape the thread.
            try {
                auto ergebnis = messen(g, durchgaenge, {});
                if (ergebnis.mess.ende == MessEnde::stumm) g.verstummt = g.sweepNummer;
                std::lock_guard sperre(lauf->sperre);
                lauf->ergebnis = std::move(ergebnis);
            } catch (...) {
            }
            st.sweepFertig = true;
            if (amEnde) amEnde();
        });
    } catch (const std::system_error&) {
        st.sweepFertig = true;
        return abgelehnt(Grund::sweepLaeuft, "no thread for the measurement");
    }
    return {};
}

bool quarzMessungLaeuft(const Geraet& g) {
    return sweepLaeuft(g) && g.quarzLauf && g.quarzLauf->nummer == g.sweepNummer;
}

std::optional<Quarzanalyse> quarzErgebnis(Geraet& g) {
    const auto lauf = g.quarzLauf;
    if (!lauf) return std::nullopt;
    std::lock_guard sperre(lauf->sperre);
    return lauf->ergebnis;
}

}  // namespace api
}  // namespace qzl
