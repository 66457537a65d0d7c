#pragma once
// Scripted stand-ins for the window, the port and the clock.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "handlers/fenster.h"
#include "serial/serieller_port.h"
#include "platform/uhr.h"

namespace qzl::test {

class FakeUhr : public Uhr {
public:
    std::int64_t jetzt = 1000;
    std::uint32_t tickVersatz = 0;  // moves the tick counter near its wrap
    std::int64_t geschlafen = 0;
    // Lets time run fast beside a real port, whose waits do not move this clock.
    std::int64_t schrittJeAbfrage = 0;
    std::uint32_t tickMs() override { return static_cast<std::uint32_t>(jetzt) + tickVersatz; }
    std::int64_t monotonMs() override { return jetzt += schrittJeAbfrage; }
    // Every wait moves the clock, even one of 0 ms or less: a loop whose
    // limit is off by one then ends at once instead of spinning forever.
    void schlafenMs(std::int64_t ms) override {
        const std::int64_t schritt = std::max<std::int64_t>(ms, 1);
        jetzt += schritt;
        geschlafen += schritt;
    }
    std::string datumText() override { return "07.12.2026"; }
    std::string zeitText() override { return "07:42:17"; }
};

// In-memory port. A reply can be scheduled for the moment a command byte is
// written; waiting advances the fake clock, always by at least 1 ms.
class FakePort : public SeriellerPort {
public:
    explicit FakePort(FakeUhr& uhr) : uhr_(uhr) {}
    bool oeffnenGelingt = true;
    bool istOffen = false;
    int geoeffnetAls = 0;
    int baud = 0;
    std::vector<std::uint8_t> geschrieben;
    std::vector<std::size_t> schreibLaengen;  // bytes of each write, in order
    std::deque<std::uint8_t> eingang;
    // Bytes that become readable once the clock reaches the time.
    std::multimap<std::int64_t, std::uint8_t> spaeter;
    // Called after each command byte (80, 81, 84, 85) is written, alone or
    // behind the tuning word.
    std::function<void(FakePort&, std::uint8_t befehl)> beiBefehl;
    std::int64_t gewartet = 0;

    void antwortIn(std::int64_t ms, std::vector<std::uint8_t> bytes) {
        for (auto b : bytes) spaeter.emplace(uhr_.jetzt + ms, b);
    }

    bool oeffnen(int n) override {
        geoeffnetAls = n;
        istOffen = oeffnenGelingt;
        return istOffen;
    }
    bool offen() const override { return istOffen; }
    void schliessen() override { istOffen = false; }
    void konfigurieren(int b) override { baud = b; }
    void schreiben(const std::uint8_t* d, std::size_t n) override {
        geschrieben.insert(geschrieben.end(), d, d + n);
        schreibLaengen.push_back(n);
        if ((n == 1 || n == 5) && beiBefehl) beiBefehl(*this, d[n - 1]);
    }
    std::size_t wartend() override {
        faellige();
        return eingang.size();
    }
    std::size_t lesen(std::uint8_t* ziel, std::size_t n) override {
        faellige();
        std::size_t k = 0;
        while (k < n && !eingang.empty()) {
            ziel[k++] = eingang.front();
            eingang.pop_front();
        }
        return k;
    }
    bool warten(std::int64_t ms) override {
        faellige();
        if (!eingang.empty()) return true;
        std::int64_t bis = uhr_.jetzt + std::max<std::int64_t>(ms, 1);
        if (!spaeter.empty() && spaeter.begin()->first < bis) bis = spaeter.begin()->first;
        gewartet += bis - uhr_.jetzt;
        uhr_.jetzt = bis;
        faellige();
        return !eingang.empty();
    }

private:
    void faellige() {
        while (!spaeter.empty() && spaeter.begin()->first <= uhr_.jetzt) {
            eingang.push_back(spaeter.begin()->second);
            spaeter.erase(spaeter.begin());
        }
    }
    FakeUhr& uhr_;
};

// Records what the logic sets; answers prompts and dialogs from a script.
class FakeFenster : public Fenster {
public:
    FakeFenster();
    std::map<Element, std::string> texte;
    std::map<Element, bool> aktivState;
    std::map<Element, bool> haken;
    std::set<Element> laufendeTimer;
    std::vector<std::string> meldungen;
    std::vector<std::string> fehlerMeldungen;
    struct Frage {
        std::string titel, frage, vorgabe;
    };
    std::vector<Frage> fragen;          // every input prompt shown, in order
    std::vector<Element> dialoge;       // every file dialog run, in order
    std::deque<std::string> eingabeAntworten;
    // An answer that cancels a prompt that tells cancelling (abfrage).
    static constexpr const char* abbrechen = "<Abbrechen>";
    std::vector<std::string> bestaetigungen;  // every question asked, in order
    std::deque<bool> bestaetigungAntworten;   // "Ja" or "Nein"; none left: "Nein"
    std::deque<std::optional<std::string>> dialogAntworten;
    std::vector<std::size_t> exportVorwahlen;  // the filter each export dialog offered first
    std::deque<std::optional<DateiWahl>> exportAntworten;
    std::pair<std::string, std::string> zwischenablage;  // the text and the picture put there last
    std::vector<Quarztafel> quarztafeln;  // every crystal analysis's dialog, in order
    std::vector<std::string> protokoll;  // "aktivieren Button1 0", "timer Timer2 1", ...
    int bilder = 0;
    struct Teilbild {
        int links, oben, rechts, unten;
    };
    std::vector<Teilbild> teilbilder;  // every partial repaint
    bool geschlossen = false;
    std::function<void(const std::string&)> beiMeldung;
    std::deque<std::optional<int>> druckAntworten;  // print dialog: the width, or cancelled
    std::vector<DruckSeite> seiten;                 // every page printed
    std::optional<std::string> druckFehler;         // what printing a page reports
    std::function<void()> beiEinstellungen;         // the user's doing in the settings dialog
    std::optional<EinstellWerte> einstellungenOk;   // what "&OK" hands out; nothing: "Abbrechen"

    void textSetzen(Element e, const std::string& t) override;
    std::string text(Element e) const override;
    void aktivieren(Element e, bool an) override;
    bool aktiv(Element e) const override;
    void abhaken(Element e, bool an) override;
    bool abgehakt(Element e) const override { return haken.count(e) > 0 && haken.at(e); }
    void timerSchalten(Element t, bool an) override;
    bool timerLaeuft(Element t) const override { return laufendeTimer.count(t) > 0; }
    void meldung(const std::string& t) override;
    void fehler(const std::string& t) override;
    bool bestaetigen(const std::string& t) override;
    std::string eingabe(const std::string& titel, const std::string& frage, const std::string& vorgabe) override;
    std::optional<std::string> abfrage(const std::string& titel, const std::string& frage,
                                       const std::string& vorgabe) override;
    std::optional<std::string> dateiDialog(Element dialog) override;
    void bildZeigen() override { ++bilder; }
    void bildTeilZeigen(int links, int oben, int rechts, int unten) override {
        ++bilder;
        teilbilder.push_back({links, oben, rechts, unten});
    }
    void schliessen() override { geschlossen = true; }
    std::optional<int> druckDialog() override;
    std::optional<std::string> seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) override;
    std::optional<EinstellWerte> einstellungenZeigen() override;
    void infoZeigen() override { protokoll.push_back("info"); }
    void hilfeZeigen() override { protokoll.push_back("hilfe"); }
    void messmarkenZeigen() override { protokoll.push_back("messmarken"); }
    std::optional<DateiWahl> exportDialog(const std::vector<DateiFilter>& filter, std::size_t vorwahl) override;
    void zwischenablageSetzen(const std::string& text, const std::string& png) override { zwischenablage = {text, png}; }
    void voreinstellungenZeigen() override { protokoll.push_back("voreinstellungen"); }
    void quarzZeigen(const Quarztafel& tafel) override {
        protokoll.push_back("quarz");
        quarztafeln.push_back(tafel);
    }
};

std::string name(Element e);

}  // namespace qzl::test
