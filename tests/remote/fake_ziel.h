#pragma once
// A target that keeps what it is told and notes each setter and action. Its
// ergebnis is every setter's, action's and result query's answer.
#include <string>
#include <tuple>
#include <vector>

#include "remote/fernziel.h"

namespace qzl::test {

struct FakeZiel : fern::Fernziel {
    std::vector<std::string> aufrufe;
    fern::Ergebnis ergebnis;
    std::int64_t start = 1000000, schritt = 1000, cursorHz = 0;
    std::int32_t punkte = 3;
    Messart art = Messart::reflexion;
    fern::Detektor det = fern::Detektor::logarithmisch;
    bool dauer = false, offen = false, demoAn = false;
    std::uint64_t durchlaeufe = 0;
    fern::Ergebnis ausgang;  // how the last sweep ended
    bool abbruchSofort = true;  // else ABORt leaves the sweep finishing its pass
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
    fern::Ergebnis bereichSetzen(std::int64_t s, std::int64_t d, std::int64_t n) override {
        const fern::Ergebnis e = merken("bereich");
        if (e.code == 0) std::tie(start, schritt, punkte) = std::tuple(s, d, static_cast<std::int32_t>(n));
        return e;
    }
    Messart messart() override { return art; }
    fern::Ergebnis messartSetzen(Messart a) override { return setzen(art, a, "messart"); }
    fern::Detektor detektor() override { return det; }
    fern::Ergebnis detektorSetzen(fern::Detektor d) override { return setzen(det, d, "detektor"); }
    fern::Wert<std::uint64_t> starten(const char* name, bool& laufend) {
        if (merken(name).code == 0) {
            laufend = true;
            ++durchlaeufe;
        }
        return wert(durchlaeufe);
    }
    fern::Wert<std::uint64_t> durchlaufStarten() override { return starten("init", offen); }
    fern::Wert<std::uint64_t> dauerlaufStarten() override { return starten("dauerlauf", dauer); }
    bool durchlaufOffen(std::uint64_t n) override { return (offen || dauer) && n == durchlaeufe; }
    fern::Ergebnis durchlaufAusgang(std::uint64_t n) override { return n == durchlaeufe ? ausgang : fern::Ergebnis{}; }
    bool dauerlauf() override { return dauer; }
    fern::Wert<std::uint64_t> abbrechen() override {
        const bool lief = laeuft();
        if (merken("abbrechen").code == 0 && abbruchSofort) offen = dauer = false;
        return wert(lief ? durchlaeufe : 0);
    }
    bool laeuft() override { return offen || dauer; }
    bool demo() override { return demoAn; }
    fern::Wert<fern::Kurve> kurve() override { return wert(kurveDaten); }
    fern::Wert<fern::Punkt> maximum() override { return wert(fern::Punkt{1001000, 0.9975}); }
    fern::Wert<fern::Punkt> minimum() override { return wert(fern::Punkt{1000000, -2.8}); }
    fern::Wert<fern::Band> band() override { return wert(fern::Band{999000, 1002500}); }
    std::int64_t cursor() override { return cursorHz; }
    fern::Ergebnis cursorSetzen(std::int64_t hz) override { return setzen(cursorHz, hz, "cursor"); }
    std::string ueberschrift() override { return titel; }
    fern::Ergebnis ueberschriftSetzen(const std::string& t) override { return setzen(titel, t, "ueberschrift"); }

    Spureinstellungen spurE;
    // Halves on the frequencies, to see them rounded to even.
    fern::Markenwert ablesungWert{true, true, 1001000, 0.9975, std::pair{-1000, 3.5},
                                  fern::Markenwert::Bandwerte{999000.5, 1002501.5, 3501, 1000751, 285.9}};
    Spureinstellungen spur() override { return spurE; }
    fern::Ergebnis markeAendern(int n, const std::function<void(Messmarke&)>& aenderung) override {
        Messmarke m = spurE.marken.at(static_cast<std::size_t>(n - 1));
        aenderung(m);
        return setzen(spurE.marken.at(static_cast<std::size_t>(n - 1)), m, "marke" + std::to_string(n));
    }
    fern::Ergebnis markeSuchen(int n, Suche s) override {
        return merken("suchen" + std::to_string(n) + (s == Suche::maximum ? " max" : " min"));
    }
    fern::Ergebnis markeSpitzeSuchen(int n, bool rechts) override {
        return merken("spitze" + std::to_string(n) + (rechts ? " rechts" : " links"));
    }
    fern::Wert<fern::Markenwert> markeAblesen(int) override { return wert(ablesungWert); }
    fern::Ergebnis haltenSetzen(Halten h, std::int32_t n) override {
        const fern::Ergebnis e = merken("halten");
        if (e.code == 0) std::tie(spurE.halten, spurE.mittelAnzahl) = std::tuple(h, n);
        return e;
    }
    fern::Wert<fern::Kurve> gehalten() override { return wert(kurveDaten); }
    fern::Ergebnis referenzUebernehmen() override { return merken("referenz"); }
    fern::Ergebnis referenzVerwerfen() override { return merken("verwerfen"); }
    fern::Wert<fern::Kurve> referenz() override { return wert(kurveDaten); }
    fern::Ergebnis differenzZeigen(bool an) override { return setzen(spurE.differenz, an, "differenz"); }
    fern::Wert<fern::Kurve> differenz() override { return wert(kurveDaten); }

    bool pruefen = true;
    std::vector<std::int64_t> fehlerHz{11200000, 11210000};
    std::string spurBytes = "frequency_hz,reading,level_db\n";
    std::vector<std::string> namen{"a", "b c"};
    fern::Ergebnis grenzenLaden(const std::string& pfad) override { return merken("grenzen " + pfad); }
    fern::Ergebnis grenzenVerwerfen() override { return merken("grenzen weg"); }
    fern::Ergebnis grenzenPruefenSetzen(bool an) override { return setzen(pruefen, an, "pruefen"); }
    bool grenzenPruefen() override { return pruefen; }
    fern::Wert<std::vector<std::int64_t>> grenzFehler() override { return wert(fehlerHz); }
    fern::Wert<std::string> spurDaten(const std::string& format) override {
        merken("spur " + format);
        return wert(spurBytes);
    }
    fern::Ergebnis voreinstellungSpeichern(const std::string& name, bool ersetzen) override {
        return merken("speichern " + name + (ersetzen ? " ersetzen" : ""));
    }
    fern::Ergebnis voreinstellungLaden(const std::string& name) override { return merken("laden " + name); }
    fern::Wert<std::vector<std::string>> voreinstellungen() override { return wert(namen); }

    double fassung = 50;
    fern::Quarz quarzWerte{10000012.345, std::nullopt, 12.5, 0.015942321, 1.5891234e-14, 4.1e-12, 1234.5678,
                           60000, 1.9, 0.0523, 42, ""};
    fern::Ergebnis quarzFehler;  // how a fit or a measurement ends
    double quarzFassung() override { return fassung; }
    fern::Ergebnis quarzFassungSetzen(double ohm) override { return setzen(fassung, ohm, "fassung"); }
    fern::Wert<fern::Quarz> quarzAuswerten() override {
        merken("quarz");
        return {quarzWerte, quarzFehler};
    }
    fern::Wert<std::uint64_t> quarzMessungStarten() override { return starten("quarz messen", offen); }
    fern::Wert<fern::Quarz> quarzErgebnis(std::uint64_t) override { return {quarzWerte, quarzFehler}; }
};

}  // namespace qzl::test
