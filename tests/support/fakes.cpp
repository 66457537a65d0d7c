#include "fakes.h"

namespace qzl::test {

std::string name(Element e) {
    static const char* const namen[] = {
        "Caption", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7", "Button8",
        "Button9", "Button10", "Button11", "Button12", "Button13", "Button14", "Button15", "Button16",
        "Button17", "Button18", "Button19", "Label1", "Label2", "Label5", "Label7", "Label8", "Label9",
        "Label10", "Label11", "Label12", "Label14", "LabelDifferenz", "LabelUrteil", "Datei1", "Messung1", "Einstellungen1", "Eichung1", "N1",
        "ffnen1", "Speichern1", "MessreiheSpeichern1", "Messreiheladen1", "Diagrammdrucken1", "Beenden1",
        "Durchgangsmessung1", "Reflexionsmessung1", "Spektralmessung1", "VFO1", "Frequenz1", "Minus1",
        "Plus1", "Schrittweite1", "ZFEingabe1", "Zwischenfrequenz1", "AdditionvsSubtraktion1", "Bandbreite1",
        "Voreinstellungen1", "SaveDialogVoreinstellung", "OpenDialogVoreinstellung",
        "Durchgangsmessung2", "Reflexionsmessung2", "Linie11", "Linie21", "Linie31", "Linie41", "Linie51",
        "Linie61", "Linie71", "Spektralmessung2", "Taktgenerator1", "Hilfe1", "ber1", "Messmarken1", "Referenzuebernehmen1", "Referenzverwerfen1",
        "Differenzanzeigen1", "Halten1", "HaltenAus1", "HaltenMaximum1", "HaltenMinimum1", "HaltenMittelwert1",
        "ReferenzLaden1", "Exportieren1", "Kopieren1", "Grenzwerteladen1", "Grenzwerteverwerfen1", "Grenzwertepruefen1", "Quarzanalysieren1", "Timer1", "Timer2",
        "SaveDialog1", "OpenDialog1", "SaveDialog2", "OpenDialog2", "OpenDialog3"};
    static_assert(sizeof namen / sizeof namen[0] == elementAnzahl);
    return namen[static_cast<int>(e)];
}

FakeFenster::FakeFenster() {
    for (Element e : {Element::Button6, Element::Button18, Element::ZFEingabe1, Element::Zwischenfrequenz1,
                      Element::AdditionvsSubtraktion1, Element::Reflexionsmessung2, Element::Linie11,
                      Element::Linie21, Element::Linie31, Element::Linie41, Element::Linie51, Element::Linie61,
                      Element::Linie71, Element::Spektralmessung2})
        aktivState[e] = false;
}

void FakeFenster::textSetzen(Element e, const std::string& t) {
    texte[e] = t;
    protokoll.push_back("text " + name(e) + " " + t);
}

std::string FakeFenster::text(Element e) const {
    auto it = texte.find(e);
    return it == texte.end() ? std::string() : it->second;
}

void FakeFenster::aktivieren(Element e, bool an) {
    aktivState[e] = an;
    protokoll.push_back("aktivieren " + name(e) + (an ? " 1" : " 0"));
}

bool FakeFenster::aktiv(Element e) const {
    auto it = aktivState.find(e);
    return it == aktivState.end() ? true : it->second;
}

void FakeFenster::abhaken(Element e, bool an) {
    haken[e] = an;
    protokoll.push_back("abhaken " + name(e) + (an ? " 1" : " 0"));
}

void FakeFenster::timerSchalten(Element t, bool an) {
    if (an) laufendeTimer.insert(t);
    else laufendeTimer.erase(t);
    protokoll.push_back("timer " + name(t) + (an ? " 1" : " 0"));
}

void FakeFenster::meldung(const std::string& t) {
    meldungen.push_back(t);
    protokoll.push_back("meldung " + t);
    if (beiMeldung) beiMeldung(t);
}

void FakeFenster::fehler(const std::string& t) {
    fehlerMeldungen.push_back(t);
    protokoll.push_back("fehler " + t);
}

bool FakeFenster::bestaetigen(const std::string& t) {
    bestaetigungen.push_back(t);
    protokoll.push_back("bestaetigen " + t);
    if (bestaetigungAntworten.empty()) return false;
    const bool ja = bestaetigungAntworten.front();
    bestaetigungAntworten.pop_front();
    return ja;
}

std::string FakeFenster::eingabe(const std::string& titel, const std::string& frage, const std::string& vorgabe) {
    fragen.push_back({titel, frage, vorgabe});
    protokoll.push_back("eingabe " + titel);
    if (eingabeAntworten.empty()) return vorgabe;
    std::string a = eingabeAntworten.front();
    eingabeAntworten.pop_front();
    return a;
}

std::optional<std::string> FakeFenster::abfrage(const std::string& titel, const std::string& frage,
                                                const std::string& vorgabe) {
    const std::string antwort = eingabe(titel, frage, vorgabe);
    if (antwort == abbrechen) return std::nullopt;
    return antwort;
}

std::optional<std::string> FakeFenster::dateiDialog(Element dialog) {
    dialoge.push_back(dialog);
    protokoll.push_back("dialog " + name(dialog));
    if (dialogAntworten.empty()) return std::nullopt;
    auto a = dialogAntworten.front();
    dialogAntworten.pop_front();
    return a;
}

std::optional<DateiWahl> FakeFenster::exportDialog(const std::vector<DateiFilter>&, std::size_t vorwahl) {
    exportVorwahlen.push_back(vorwahl);
    if (exportAntworten.empty()) return std::nullopt;
    auto a = exportAntworten.front();
    exportAntworten.pop_front();
    return a;
}

std::optional<int> FakeFenster::druckDialog() {
    protokoll.push_back("druckdialog");
    if (druckAntworten.empty()) return std::nullopt;
    auto a = druckAntworten.front();
    druckAntworten.pop_front();
    return a;
}

std::optional<std::string> FakeFenster::seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap&) {
    protokoll.push_back("drucken");
    seiten.push_back(seite);
    return druckFehler;
}

std::optional<EinstellWerte> FakeFenster::einstellungenZeigen() {
    protokoll.push_back("einstellungen");
    if (beiEinstellungen) beiEinstellungen();
    return einstellungenOk;
}

}  // namespace qzl::test
