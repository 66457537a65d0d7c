#include "handlers/auftragspost.h"

namespace qzl {

void Auftragspost::weckerSetzen(std::function<void()> wecker) {
    std::lock_guard lk(mutex_);
    wecker_ = std::move(wecker);
}

bool Auftragspost::ausfuehren(Auftrag auftrag) {
    auto eintrag = std::make_shared<Eintrag>();
    eintrag->auftrag = std::move(auftrag);
    std::function<void()> wecker;
    {
        std::lock_guard lk(mutex_);
        if (abgebrochen_) return false;
        warteschlange_.push_back(eintrag);
        wecker = wecker_;
    }
    cv_.notify_all();
    if (wecker) wecker();
    std::unique_lock lk(mutex_);
    cv_.wait(lk, [&] { return eintrag->erledigt || abgebrochen_; });
    return eintrag->erledigt;
}

void Auftragspost::einreichen(Auftrag auftrag) {
    auto eintrag = std::make_shared<Eintrag>();
    eintrag->auftrag = std::move(auftrag);
    std::function<void()> wecker;
    {
        std::lock_guard lk(mutex_);
        if (abgebrochen_) return;
        warteschlange_.push_back(std::move(eintrag));
        wecker = wecker_;
    }
    cv_.notify_all();
    if (wecker) wecker();
}

void Auftragspost::abarbeiten(Fenster& fenster) {
    for (;;) {
        std::shared_ptr<Eintrag> eintrag;
        {
            std::lock_guard lk(mutex_);
            if (warteschlange_.empty()) return;
            eintrag = warteschlange_.front();
            warteschlange_.pop_front();
        }
        eintrag->auftrag(fenster);
        {
            std::lock_guard lk(mutex_);
            eintrag->erledigt = true;
        }
        cv_.notify_all();
    }
}

void Auftragspost::warten(const std::function<bool()>& fertig, std::int64_t hoechstensMs) {
    std::unique_lock lk(mutex_);
    const auto bereit = [&] { return !warteschlange_.empty() || fertig(); };
    if (hoechstensMs < 0)
        cv_.wait(lk, bereit);
    else
        cv_.wait_for(lk, std::chrono::milliseconds(hoechstensMs), bereit);
}

void Auftragspost::anstossen() {
    { std::lock_guard lk(mutex_); }
    cv_.notify_all();
}

void Auftragspost::abbrechen() {
    {
        std::lock_guard lk(mutex_);
        abgebrochen_ = true;
        warteschlange_.clear();
    }
    cv_.notify_all();
}

// Every piece of work captures copies and reports through shared results, so
// an aborted wait (quitting) leaves nothing pointing into the caller's stack.
void PostFenster::textSetzen(Element e, const std::string& t) {
    post_.ausfuehren([e, t](Fenster& f) { f.textSetzen(e, t); });
}
std::string PostFenster::text(Element e) const {
    auto t = std::make_shared<std::string>();
    post_.ausfuehren([e, t](Fenster& f) { *t = f.text(e); });
    return *t;
}
void PostFenster::aktivieren(Element e, bool an) {
    post_.ausfuehren([e, an](Fenster& f) { f.aktivieren(e, an); });
}
bool PostFenster::aktiv(Element e) const {
    auto a = std::make_shared<bool>(false);
    post_.ausfuehren([e, a](Fenster& f) { *a = f.aktiv(e); });
    return *a;
}
void PostFenster::abhaken(Element e, bool an) {
    post_.ausfuehren([e, an](Fenster& f) { f.abhaken(e, an); });
}
bool PostFenster::abgehakt(Element e) const {
    auto a = std::make_shared<bool>(false);
    post_.ausfuehren([e, a](Fenster& f) { *a = f.abgehakt(e); });
    return *a;
}
void PostFenster::timerSchalten(Element t, bool an) {
    post_.ausfuehren([t, an](Fenster& f) { f.timerSchalten(t, an); });
}
bool PostFenster::timerLaeuft(Element t) const {
    auto l = std::make_shared<bool>(false);
    post_.ausfuehren([t, l](Fenster& f) { *l = f.timerLaeuft(t); });
    return *l;
}
void PostFenster::meldung(const std::string& t) {
    post_.ausfuehren([t](Fenster& f) { f.meldung(t); });
}
void PostFenster::fehler(const std::string& t) {
    post_.ausfuehren([t](Fenster& f) { f.fehler(t); });
}
bool PostFenster::bestaetigen(const std::string& t) {
    auto ja = std::make_shared<bool>(false);
    post_.ausfuehren([t, ja](Fenster& f) { *ja = f.bestaetigen(t); });
    return *ja;
}
std::string PostFenster::eingabe(const std::string& titel, const std::string& frage, const std::string& vorgabe) {
    auto antwort = std::make_shared<std::string>(vorgabe);
    post_.ausfuehren([titel, frage, vorgabe, antwort](Fenster& f) { *antwort = f.eingabe(titel, frage, vorgabe); });
    return *antwort;
}
std::optional<std::string> PostFenster::dateiDialog(Element dialog) {
    auto pfad = std::make_shared<std::optional<std::string>>();
    post_.ausfuehren([dialog, pfad](Fenster& f) { *pfad = f.dateiDialog(dialog); });
    return *pfad;
}
void PostFenster::bildZeigen() {
    post_.ausfuehren([](Fenster& f) { f.bildZeigen(); });
}
void PostFenster::schliessen() {
    post_.ausfuehren([](Fenster& f) { f.schliessen(); });
}
std::optional<int> PostFenster::druckDialog() {
    auto breite = std::make_shared<std::optional<int>>();
    post_.ausfuehren([breite](Fenster& f) { *breite = f.druckDialog(); });
    return *breite;
}
// The bitmap is the state's, which outlives any aborted wait.
std::optional<std::string> PostFenster::seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) {
    auto fehler = std::make_shared<std::optional<std::string>>();
    const AnzeigeBitmap* b = &bild;
    post_.ausfuehren([seite, b, fehler](Fenster& f) { *fehler = f.seiteDrucken(seite, *b); });
    return *fehler;
}
std::optional<EinstellWerte> PostFenster::einstellungenZeigen() {
    auto werte = std::make_shared<std::optional<EinstellWerte>>();
    post_.ausfuehren([werte](Fenster& f) { *werte = f.einstellungenZeigen(); });
    return *werte;
}
void PostFenster::infoZeigen() {
    post_.ausfuehren([](Fenster& f) { f.infoZeigen(); });
}
void PostFenster::hilfeZeigen() {
    post_.ausfuehren([](Fenster& f) { f.hilfeZeigen(); });
}

void PostFenster::messmarkenZeigen() {
    post_.ausfuehren([](Fenster& f) { f.messmarkenZeigen(); });
}

void PostFenster::voreinstellungenZeigen() {
    post_.ausfuehren([](Fenster& f) { f.voreinstellungenZeigen(); });
}

}  // namespace qzl
