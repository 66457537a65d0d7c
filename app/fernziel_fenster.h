#pragma once
// The command socket's commands on the running window: each change goes
// through the engine's API and is then shown as the control a user would
// have used shows it; queries read the state and the last complete pass.
#include <cstdint>
#include <functional>

#include "handlers/programm.h"
#include "remote/fernziel.h"

namespace qzl {

class FensterZiel : public fern::Fernziel {
public:
    // modalOffen: whether the window shows a modal box or dialog now, in
    // which case changes are refused and queries answered.
    FensterZiel(Programm& p, std::function<bool()> modalOffen) : p_(p), modalOffen_(std::move(modalOffen)) {}

    std::string version() override;
    std::int64_t startfrequenz() override;
    fern::Ergebnis startfrequenzSetzen(std::int64_t hz) override;
    std::int64_t schrittweite() override;
    fern::Ergebnis schrittweiteSetzen(std::int64_t hz) override;
    std::int32_t punktzahl() override;
    fern::Ergebnis punktzahlSetzen(std::int32_t anzahl) override;
    fern::Ergebnis bereichSetzen(std::int64_t start, std::int64_t schritt, std::int64_t punkte) override;
    Messart messart() override;
    fern::Ergebnis messartSetzen(Messart art) override;
    fern::Detektor detektor() override;
    fern::Ergebnis detektorSetzen(fern::Detektor art) override;
    fern::Wert<std::uint64_t> durchlaufStarten() override;
    fern::Wert<std::uint64_t> dauerlaufStarten() override;
    bool durchlaufOffen(std::uint64_t nummer) override;
    fern::Ergebnis durchlaufAusgang(std::uint64_t nummer) override;
    bool dauerlauf() override;
    fern::Wert<std::uint64_t> abbrechen() override;
    bool laeuft() override;
    bool demo() override;
    fern::Wert<fern::Kurve> kurve() override;
    fern::Wert<fern::Punkt> maximum() override;
    fern::Wert<fern::Punkt> minimum() override;
    fern::Wert<fern::Band> band() override;
    std::int64_t cursor() override;
    fern::Ergebnis cursorSetzen(std::int64_t hz) override;
    std::string ueberschrift() override;
    fern::Ergebnis ueberschriftSetzen(const std::string& text) override;
    Spureinstellungen spur() override;
    fern::Ergebnis markeAendern(int n, const std::function<void(Messmarke&)>& aenderung) override;
    fern::Ergebnis markeSuchen(int n, Suche suche) override;
    fern::Ergebnis markeSpitzeSuchen(int n, bool rechts) override;
    fern::Wert<fern::Markenwert> markeAblesen(int n) override;
    fern::Ergebnis haltenSetzen(Halten halten, std::int32_t mittelAnzahl) override;
    fern::Wert<fern::Kurve> gehalten() override;
    fern::Ergebnis referenzUebernehmen() override;
    fern::Ergebnis referenzVerwerfen() override;
    fern::Wert<fern::Kurve> referenz() override;
    fern::Ergebnis differenzZeigen(bool an) override;
    fern::Wert<fern::Kurve> differenz() override;
    fern::Ergebnis grenzenLaden(const std::string& pfad) override;
    fern::Ergebnis grenzenVerwerfen() override;
    fern::Ergebnis grenzenPruefenSetzen(bool an) override;
    bool grenzenPruefen() override;
    fern::Wert<std::vector<std::int64_t>> grenzFehler() override;
    fern::Wert<std::string> spurDaten(const std::string& format) override;
    fern::Ergebnis voreinstellungSpeichern(const std::string& name, bool ersetzen) override;
    fern::Ergebnis voreinstellungLaden(const std::string& name) override;
    fern::Wert<std::vector<std::string>> voreinstellungen() override;
    double quarzFassung() override;
    fern::Ergebnis quarzFassungSetzen(double ohm) override;
    fern::Wert<fern::Quarz> quarzAuswerten() override;
    fern::Wert<std::uint64_t> quarzMessungStarten() override;
    fern::Wert<fern::Quarz> quarzErgebnis(std::uint64_t nummer) override;

private:
    // Why no change can be made now: the window shows a modal box or dialog,
    // which a user would have to close first. Code 0 when it can.
    fern::Ergebnis einwand() const;
    // Why no sweep can start now; code 0 when one can.
    fern::Ergebnis startEinwand() const;
    // A script's sweep on a fresh diagram; it ends at a silent point.
    fern::Wert<std::uint64_t> sweepStarten(bool nurEinDurchlauf);
    // A change of markers or traces, then the picture drawn afresh.
    template <class Aktion>
    fern::Ergebnis spurAendern(Aktion aktion);
    // The presets' folder: the user's settings folder of qzl7.
    std::string ordner() const;

    Programm& p_;
    std::function<bool()> modalOffen_;
};

}  // namespace qzl
