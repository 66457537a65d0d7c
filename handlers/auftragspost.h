#pragma once
// Hands work from the sweep thread to the window's thread and waits until it
// is done: the sweep thread never touches a widget. The window's thread runs
// the work from its event loop (through the wake-up hook), from inside any
// modal box, or while it waits for the sweep to end.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "handlers/fenster.h"

namespace qzl {

class Auftragspost {
public:
    using Auftrag = std::function<void(Fenster&)>;

    // Called from the posting thread whenever work is waiting; the window
    // side answers by calling abarbeiten() on its own thread soon.
    void weckerSetzen(std::function<void()> wecker);

    // Sweep thread: run the work on the window's thread and wait for it.
    // Returns false at once, without running it, once abgebrochen.
    bool ausfuehren(Auftrag auftrag);

    // Any thread: run the work on the window's thread, without waiting for
    // it; dropped once abgebrochen.
    void einreichen(Auftrag auftrag);

    // Window's thread: run all waiting work.
    void abarbeiten(Fenster& fenster);
    // Window's thread: block until work is waiting or fertig() holds, or
    // for at most hoechstensMs (negative: no limit).
    void warten(const std::function<bool()>& fertig, std::int64_t hoechstensMs = -1);
    // Wakes warten() after the condition it checks has changed.
    void anstossen();

    // Quitting: waiting and future ausfuehren() calls return at once.
    void abbrechen();

private:
    struct Eintrag {
        Auftrag auftrag;
        bool erledigt = false;
    };
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::shared_ptr<Eintrag>> warteschlange_;
    std::function<void()> wecker_;
    bool abgebrochen_ = false;
};

// A window for the sweep thread: every call goes through the post.
class PostFenster : public Fenster {
public:
    explicit PostFenster(Auftragspost& post) : post_(post) {}
    void textSetzen(Element e, const std::string& text) override;
    std::string text(Element e) const override;
    void aktivieren(Element e, bool an) override;
    bool aktiv(Element e) const override;
    void abhaken(Element e, bool an) override;
    bool abgehakt(Element e) const override;
    void timerSchalten(Element t, bool an) override;
    bool timerLaeuft(Element t) const override;
    void meldung(const std::string& text) override;
    void fehler(const std::string& text) override;
    bool bestaetigen(const std::string& text) override;
    std::string eingabe(const std::string& titel, const std::string& frage, const std::string& vorgabe) override;
    std::optional<std::string> dateiDialog(Element dialog) override;
    void bildZeigen() override;
    void schliessen() override;
    std::optional<int> druckDialog() override;
    std::optional<std::string> seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) override;
    std::optional<EinstellWerte> einstellungenZeigen() override;
    void infoZeigen() override;
    void hilfeZeigen() override;
    void messmarkenZeigen() override;
    void voreinstellungenZeigen() override;

private:
    Auftragspost& post_;
};

}  // namespace qzl
