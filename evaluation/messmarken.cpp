#include "evaluation/messmarken.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace qzl {

namespace {

std::int32_t anzahl(const Kurvenbild& k) { return static_cast<std::int32_t>(k.werte.size()); }
std::int32_t wert(const Kurvenbild& k, std::int32_t i) { return k.werte[static_cast<std::size_t>(i - 1)]; }

// The level ndb below pegel: in dB the difference, linear the ratio.
double unterhalb(const Kurvenbild& k, double pegel, double ndb) {
    return k.lin ? pegel * std::pow(10.0, -ndb / 20.0) : pegel - ndb;
}

}  // namespace

std::int64_t frequenzBei(const Kurvenbild& k, std::int32_t i) {
    return std::int64_t{k.start} + std::int64_t{i - 1} * k.schritt;
}

double pegelBei(const Kurvenbild& k, std::int32_t i) { return pegel(wert(k, i), k.art, k.lin); }

std::optional<std::int32_t> punktBei(const Kurvenbild& k, std::int64_t hz) {
    const std::int32_t n = anzahl(k);
    if (n < 1 || k.schritt <= 0 || hz < k.start || hz > frequenzBei(k, n)) return std::nullopt;
    const std::int64_t abstand = hz - k.start;
    std::int64_t q = abstand / k.schritt;
    // Halfway between two points reads the lower one.
    if (2 * (abstand % k.schritt) > k.schritt) ++q;
    return static_cast<std::int32_t>(q + 1);
}

std::optional<std::int32_t> extremum(const Kurvenbild& k, Suche suche, const Suchbereich& bereich) {
    std::optional<std::int32_t> bester;
    for (std::int32_t i = 1; i <= anzahl(k); ++i) {
        const std::int64_t f = frequenzBei(k, i);
        if (bereich && (f < bereich->first || f > bereich->second)) continue;
        const bool besser = !bester || (suche == Suche::minimum ? wert(k, i) < wert(k, *bester)
                                                                 : wert(k, i) > wert(k, *bester));
        if (besser) bester = i;
    }
    return bester;
}

std::optional<std::int32_t> naechsteSpitze(const Kurvenbild& k, std::int32_t i, bool rechts) {
    const std::int32_t n = anzahl(k);
    std::optional<std::int32_t> gefunden;
    for (std::int32_t a = 2; a < n; ++a) {
        std::int32_t b = a;
        while (b < n && wert(k, b + 1) == wert(k, a)) ++b;
        const bool spitze = wert(k, a - 1) < wert(k, a) && b < n && wert(k, b + 1) < wert(k, b);
        const bool richtig = rechts ? a > i : b < i;
        if (spitze && richtig) {
            std::int32_t l = a, r = b;
            while (l > 1 && wert(k, l - 1) <= wert(k, l)) --l;
            while (r < n && wert(k, r + 1) <= wert(k, r)) ++r;
            const double tal = std::min(pegelBei(k, l), pegelBei(k, r));
            if (tal <= unterhalb(k, pegelBei(k, a), 3.0)) {
                gefunden = a;
                if (rechts) return gefunden;
            }
        }
        a = b;
    }
    return gefunden;
}

std::optional<BandWerte> bandUm(const Kurvenbild& k, std::int32_t i, double ndb) {
    const std::int32_t n = anzahl(k);
    if (i < 1 || i > n || !(ndb > 0)) return std::nullopt;
    const double grenze = unterhalb(k, pegelBei(k, i), ndb);
    if (!(pegelBei(k, i) > grenze)) return std::nullopt;
    // The edge between the first point at or below the limit and its
    // neighbour towards i, which lies above it.
    const auto kante = [&](std::int32_t richtung) -> std::optional<double> {
        for (std::int32_t j = i + richtung; j >= 1 && j <= n; j += richtung) {
            if (pegelBei(k, j) > grenze) continue;
            const std::int32_t innen = j - richtung;
            const double anteil = (pegelBei(k, innen) - grenze) / (pegelBei(k, innen) - pegelBei(k, j));
            const double fi = static_cast<double>(frequenzBei(k, innen));
            return fi + (static_cast<double>(frequenzBei(k, j)) - fi) * anteil;
        }
        return std::nullopt;
    };
    const auto unten = kante(-1), oben = kante(+1);
    if (!unten || !oben) return std::nullopt;
    BandWerte b{*unten, *oben, *oben - *unten, (*unten + *oben) / 2, 0};
    b.q = b.mitte / b.breite;
    return b;
}

std::optional<double> formfaktor(const Kurvenbild& k, std::int32_t i) {
    const auto sechs = bandUm(k, i, 6), sechzig = bandUm(k, i, 60);
    if (!sechs || !sechzig) return std::nullopt;
    return sechzig->breite / sechs->breite;
}

MarkenAblesungen markenAblesen(const std::optional<Kurvenbild>& k, const Spureinstellungen& e) {
    MarkenAblesungen a;
    for (std::size_t m = 0; m < a.size(); ++m) {
        const Messmarke& marke = e.marken[m];
        auto& ab = a[m];
        ab.an = marke.an;
        if (!marke.an || !k) continue;
        ab.punkt = punktBei(*k, marke.frequenz);
        if (!ab.punkt) continue;
        ab.frequenz = frequenzBei(*k, *ab.punkt);
        ab.wert = wert(*k, *ab.punkt);
        ab.pegel = pegelBei(*k, *ab.punkt);
        if (marke.bandDb) {
            ab.band = bandUm(*k, *ab.punkt, *marke.bandDb);
            ab.formfaktor = formfaktor(*k, *ab.punkt);
        }
    }
    for (std::size_t m = 0; m < a.size(); ++m) {
        const std::int32_t bezug = e.marken[m].bezug;
        if (!a[m].punkt || bezug < 1 || bezug > anzahlMessmarken) continue;
        const auto& andere = a.at(static_cast<std::size_t>(bezug - 1));
        // From the readings, so that -6.6 dB reads -6.6 and not -6.600000000000001.
        if (andere.punkt)
            a[m].delta = std::pair{a[m].frequenz - andere.frequenz,
                                   differenzPegel(std::int64_t{a[m].wert} - andere.wert, k->lin)};
    }
    return a;
}

std::optional<std::int64_t> suchziel(const Kurvenbild& k, const Messmarke& m) {
    const auto punkt = extremum(k, m.suche, m.bereich);
    if (!punkt) return std::nullopt;
    return frequenzBei(k, *punkt);
}

std::string gitterEinwand(const Kurvenbild& gemessen, const Kurvenbild& referenz) {
    if (gemessen.werte.size() != referenz.werte.size() || gemessen.start != referenz.start ||
        (gemessen.werte.size() > 1 && gemessen.schritt != referenz.schritt))
        return "the reference was measured at other frequencies (" + std::to_string(referenz.werte.size()) +
               " points from " + std::to_string(referenz.start) + " Hz in steps of " +
               std::to_string(referenz.schritt) + " Hz)";
    if (gemessen.lin != referenz.lin) return "the reference was measured with the other detector";
    return {};
}

Kurvenbild differenz(const Kurvenbild& gemessen, const Kurvenbild& referenz) {
    Kurvenbild d = gemessen;
    d.synthetisch = gemessen.synthetisch || referenz.synthetisch;
    for (std::size_t i = 0; i < d.werte.size() && i < referenz.werte.size(); ++i)
        d.werte[i] = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{gemessen.werte[i]} - referenz.werte[i], INT32_MIN, INT32_MAX));
    return d;
}

double differenzPegel(std::int64_t d, bool lin) {
    return lin ? static_cast<double>(d) / 400.0 : static_cast<double>(d) / 5.0;
}

}  // namespace qzl
