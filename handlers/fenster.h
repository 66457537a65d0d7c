#pragma once
// The main window as the program's logic sees it. The Qt window implements it;
// tests implement it with a scripted fake. Handlers talk only to this.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "state/einstellwerte.h"

namespace qzl {

struct AnzeigeBitmap;

// Every control, menu, menu item, timer and file dialog the logic addresses,
// named as in the window.
enum class Element {
    Caption,
    // buttons
    Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9, Button10,
    Button11, Button12, Button13, Button14, Button15, Button16, Button17, Button18, Button19,
    // labels
    Label1, Label2, Label5, Label7, Label8, Label9, Label10, Label11, Label12, Label14,
    LabelDifferenz, LabelUrteil,
    // top-level menus
    Datei1, Messung1, Einstellungen1, Eichung1, N1,
    // menu items
    ffnen1, Speichern1, MessreiheSpeichern1, Messreiheladen1, Diagrammdrucken1, Beenden1,
    Durchgangsmessung1, Reflexionsmessung1, Spektralmessung1, VFO1,
    Frequenz1, Minus1, Plus1, Schrittweite1, ZFEingabe1, Zwischenfrequenz1, AdditionvsSubtraktion1,
    Bandbreite1,
    // presets: the menu item and its two file dialogs
    Voreinstellungen1, SaveDialogVoreinstellung, OpenDialogVoreinstellung,
    Durchgangsmessung2, Reflexionsmessung2, Linie11, Linie21, Linie31, Linie41, Linie51, Linie61,
    Linie71, Spektralmessung2, Taktgenerator1,
    Hilfe1, ber1,
    // markers and traces
    Messmarken1, Referenzuebernehmen1, Referenzverwerfen1, Differenzanzeigen1, Halten1, HaltenAus1,
    HaltenMaximum1, HaltenMinimum1, HaltenMittelwert1, ReferenzLaden1,
    // export: the menu item, and Ctrl+C on the diagram
    Exportieren1, Kopieren1,
    // limits
    Grenzwerteladen1, Grenzwerteverwerfen1, Grenzwertepruefen1,
    // crystal analysis
    Quarzanalysieren1,
    // timers
    Timer1, Timer2,
    // file dialogs
    SaveDialog1, OpenDialog1, SaveDialog2, OpenDialog2, OpenDialog3,
    Anzahl
};

inline constexpr int elementAnzahl = static_cast<int>(Element::Anzahl);

// One printed page in printer pixels: each text by the top-left corner of its
// first character, and the rectangle (right and bottom exclusive) into which
// the display bitmap is stretched.
struct DruckText {
    int x = 0, y = 0;
    std::string text;
};
struct DruckSeite {
    DruckText ueberschrift;
    int bildLinks = 0, bildOben = 0, bildRechts = 0, bildUnten = 0;
    std::vector<DruckText> zeilen;
};

// A save dialog's filter: its description and the extension it asks for;
// and what the user chose in it.
struct DateiFilter {
    std::string text, endung;
};
struct DateiWahl {
    std::string pfad;
    std::size_t filter = 0;
};

// The crystal analysis's figures as the window shows them: a name and a
// value per row, a warning below them (or ""), and the text its "Kopieren"
// button puts on the clipboard.
struct Quarztafel {
    std::vector<std::pair<std::string, std::string>> zeilen;
    std::string warnung;
    std::string kopiertext;
};

class Fenster {
public:
    virtual ~Fenster() = default;

    // Text of a label, or the window caption (Element::Caption).
    virtual void textSetzen(Element e, const std::string& text) = 0;
    virtual std::string text(Element e) const = 0;
    // Buttons, top-level menus and menu items.
    virtual void aktivieren(Element e, bool an) = 0;
    virtual bool aktiv(Element e) const = 0;
    virtual void abhaken(Element menuePunkt, bool an) = 0;
    virtual bool abgehakt(Element menuePunkt) const = 0;
    // Switching on a running timer does not restart it.
    virtual void timerSchalten(Element timer, bool an) = 0;
    virtual bool timerLaeuft(Element timer) const = 0;
    // Modal information box ("Information", one "OK"); returns when closed.
    virtual void meldung(const std::string& text) = 0;
    // The standard error box of a failed operation (error icon, the program's
    // name as caption, one "OK"): the run time's text, e.g. "Dateizugriff verweigert".
    virtual void fehler(const std::string& text) = 0;
    // Modal question box with "Ja" and "Nein"; true for "Ja".
    virtual bool bestaetigen(const std::string& text) = 0;
    // Modal input prompt; returns the edited text on "OK", else the pre-filled one.
    virtual std::string eingabe(const std::string& titel, const std::string& frage,
                                const std::string& vorgabe) = 0;
    // The same prompt for a question that "Abbrechen" takes back: nothing then.
    virtual std::optional<std::string> abfrage(const std::string& titel, const std::string& frage,
                                               const std::string& vorgabe) {
        return eingabe(titel, frage, vorgabe);
    }
    // One of the four file dialogs; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> dateiDialog(Element dialog) = 0;
    // The display bitmap has changed: paint it at (5, 30) of the client area.
    virtual void bildZeigen() = 0;
    // Only the bitmap's rectangle of columns links..rechts and rows
    // oben..unten has changed; a window may repaint just that.
    virtual void bildTeilZeigen(int /*links*/, int /*oben*/, int /*rechts*/, int /*unten*/) { bildZeigen(); }
    // While the window's thread waits for a sweep to end: repaint and let the
    // timers run, but take no input.
    virtual void wartendAuffrischen() {}
    // Close the main window, which ends the program.
    virtual void schliessen() = 0;

    // The print dialog: the printable width of the chosen printer in its
    // pixels, or nothing when cancelled.
    virtual std::optional<int> druckDialog() = 0;
    // Prints one page on the printer chosen last, the heading first, then the
    // picture, then the lines. Returns the failure text, or nothing.
    virtual std::optional<std::string> seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) = 0;
    // The settings dialog, modal; returns when it is closed, with what the
    // controls held when "&OK" closed it, nothing when anything else did.
    virtual std::optional<EinstellWerte> einstellungenZeigen() = 0;
    // The info dialog, modal.
    virtual void infoZeigen() = 0;
    // The help viewer at the contents page.
    virtual void hilfeZeigen() = 0;
    // The markers' tool window, not modal; brought to the front when open.
    virtual void messmarkenZeigen() = 0;
    // The export's save dialog, one filter per format, the one at vorwahl
    // chosen; nothing when cancelled.
    virtual std::optional<DateiWahl> exportDialog(const std::vector<DateiFilter>& /*filter*/,
                                                  std::size_t /*vorwahl*/) {
        return std::nullopt;
    }
    // The clipboard holds the text and the picture (PNG bytes) together.
    virtual void zwischenablageSetzen(const std::string& /*text*/, const std::string& /*png*/) {}
    // The presets' dialog, modal; returns when it is closed.
    virtual void voreinstellungenZeigen() = 0;
    // The dialog "Quarzanalyse" with the figures, modal; returns when it is closed.
    virtual void quarzZeigen(const Quarztafel& /*tafel*/) {}
};

}  // namespace qzl
