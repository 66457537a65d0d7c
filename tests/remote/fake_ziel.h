#pragma once
// A target that keeps what it is told and notes each setter and action. Its
// ergebnis is every setter's, action's and result query's answer.
#include <string>
#include <vector>

#include "remote/fernziel.h"

namespace qzl::test {

struct FakeZiel : fern::Fernziel {
    std::vector<std::string> aufrufe;
    fern::Ergebnis ergebnis;
    std::int64_t start = 1000000, schritt = 1000, cursorHz = 0;
    std::int32_t punkte = 3;
    fern::Messart art = fern::Messart::reflexion;
    fern::Detektor det = fern::Detektor::logarithmisch;
    bool dauer = false, offen = false;
    std::uint64_t durchlaeufe = 0;
    std::string titel = "Filter";
    fern::Kurve kurveDaten{{1000000, 1001000}, {-2.8, 0.9975}, {12, 345}};

    fern::Ergebnis merken(std::string aufruf) {
        aufrufe.push_back(std::move(aufruf));
        return ergebnis;
    }
    template <class T>
    fern::Ergebnis setzen(T& feld, T wert, const std::string& name) {
        const fern::Ergebnis e = merken(name);
        if (e.code == 0) feld = wert;
        return e;
    }
    template <class T>
    fern::Wert<T> wert(T w) {
        return {std::move(w), ergebnis};
    }

    std::string versionText = "7.3";
    std::string version() override { return versionText; }
    std::int64_t startfrequenz() override { return start; }
    fern::Ergebnis startfrequenzSetzen(std::int64_t hz) override { return setzen(start, hz, "start"); }
    std::int64_t schrittweite() override { return schritt; }
    fern::Ergebnis schrittweiteSetzen(std::int64_t hz) override { return setzen(schritt, hz, "schritt"); }
    std::int32_t punktzahl() override { return punkte; }
    fern::Ergebnis punktzahlSetzen(std::int32_t n) override { return setzen(punkte, n, "punkte"); }
    fern::Messart messart() override { return art; }
    fern::Ergebnis messartSetzen(fern::Messart a) override { return setzen(art, a, "messart"); }
    fern::Detektor detektor() override { return det; }
    fern::Ergebnis detektorSetzen(fern::Detektor d) override { return setzen(det, d, "detektor"); }
    fern::Wert<std::uint64_t> durchlaufStarten() override {
        if (merken("init").code == 0) offen = true;
        return wert(++durchlaeufe);
    }
    bool durchlaufOffen(std::uint64_t n) override { return offen && n == durchlaeufe; }
    bool dauerlauf() override { return dauer; }
    fern::Ergebnis dauerlaufSetzen(bool an) override { return setzen(dauer, an, "dauerlauf"); }
    fern::Ergebnis abbrechen() override { return setzen(offen, false, "abbrechen"); }
    bool laeuft() override { return offen || dauer; }
    fern::Wert<fern::Kurve> kurve() override { return wert(kurveDaten); }
    fern::Wert<fern::Punkt> maximum() override { return wert(fern::Punkt{1001000, 0.9975}); }
    fern::Wert<fern::Punkt> minimum() override { return wert(fern::Punkt{1000000, -2.8}); }
    fern::Wert<fern::Band> band() override { return wert(fern::Band{999000, 1002500}); }
    std::int64_t cursor() override { return cursorHz; }
    fern::Ergebnis cursorSetzen(std::int64_t hz) override { return setzen(cursorHz, hz, "cursor"); }
    std::string ueberschrift() override { return titel; }
    fern::Ergebnis ueberschriftSetzen(const std::string& t) override { return setzen(titel, t, "ueberschrift"); }
};

}  // namespace qzl::test
