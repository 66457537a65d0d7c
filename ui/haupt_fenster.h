#pragma once
// The main window. Builds its controls and menus from the layout tables,
// forwards every click, shortcut and timer tick to the program's logic as an
// Element, and offers the logic the qzl::Fenster surface.
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "handlers/fenster.h"
#include "state/instrument_state.h"

class QAction;
class QCloseEvent;
class QFileDialog;
class QPrinter;
class QTimer;

namespace qzl {
class MarkenBedienung;
class VoreinstellungsBedienung;
}
namespace qzl::ui {
class BildFlaeche;
class MessmarkenFenster;
class EinstellDialog;
class HilfeFenster;
class InfoDialog;
}

namespace qzl {

class HauptFenster : public QMainWindow, public Fenster {
    Q_OBJECT
public:
    HauptFenster(const InstrumentState& st, std::function<void(Element)> ausloesen,
                 QWidget* parent = nullptr);
    ~HauptFenster() override;

    // A narrow face, 11 pixels high: a read-out such as "10.000.000 Hz -80 dB"
    // must fit the 121-pixel panel, and every caption its button.
    static QFont fensterSchrift();

    // Moves the frame to (1, 1); the outer size follows from the fixed client area.
    void startGeometrie();
    // The info dialog, then the settings dialog; after start-up, which sets
    // the version text of the info dialog's title.
    void dialogeAnlegen();
    // The printer that the print dialog sets up, at its full resolution.
    QPrinter& drucker();
    ui::EinstellDialog* einstellDialog() const { return einstellDialog_; }
    ui::InfoDialog* infoDialog() const { return infoDialog_; }
    ui::HilfeFenster* hilfeFenster() const { return hilfeFenster_; }

    void textSetzen(Element e, const std::string& text) override;
    std::string text(Element e) const override;
    void aktivieren(Element e, bool an) override;
    bool aktiv(Element e) const override;
    void abhaken(Element menuePunkt, bool an) override;
    bool abgehakt(Element menuePunkt) const override;
    void timerSchalten(Element timer, bool an) override;
    bool timerLaeuft(Element timer) const override;
    void meldung(const std::string& text) override;
    void fehler(const std::string& text) override;
    bool bestaetigen(const std::string& text) override;
    std::string eingabe(const std::string& titel, const std::string& frage,
                        const std::string& vorgabe) override;
    std::optional<std::string> abfrage(const std::string& titel, const std::string& frage,
                                       const std::string& vorgabe) override;
    std::optional<std::string> dateiDialog(Element dialog) override;
    void bildZeigen() override;
    void bildTeilZeigen(int links, int oben, int rechts, int unten) override;
    void wartendAuffrischen() override;
    void schliessen() override;
    std::optional<int> druckDialog() override;
    std::optional<std::string> seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) override;
    std::optional<EinstellWerte> einstellungenZeigen() override;
    void infoZeigen() override;
    void hilfeZeigen() override;
    void messmarkenZeigen() override;
    std::optional<DateiWahl> exportDialog(const std::vector<DateiFilter>& filter, std::size_t vorwahl) override;
    void zwischenablageSetzen(const std::string& text, const std::string& png) override;
    void voreinstellungenZeigen() override;
    void quarzZeigen(const Quarztafel& tafel) override;

    // What the markers' tool window, the arrow keys and the mouse on the
    // diagram act on; without it they do what they always did.
    void markenBedienungSetzen(MarkenBedienung* bedienung) { markenBedienung_ = bedienung; }
    ui::MessmarkenFenster* messmarkenFenster() const { return messmarkenFenster_; }
    // What the presets' dialog acts on; without it the menu entry opens nothing.
    void voreinstellungsBedienungSetzen(VoreinstellungsBedienung* bedienung) { voreinstellungsBedienung_ = bedienung; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void steuerelementeAnlegen();
    void menueAnlegen();
    void timerAnlegen();
    QObject* objekt(Element e) const;
    QAction* aktion(Element e) const;
    QTimer* timer(Element e) const;

    const InstrumentState& st_;
    std::function<void(Element)> ausloesen_;
    ui::BildFlaeche* flaeche_;
    // Widget, menu action or timer of each element; null where there is none.
    std::array<QObject*, elementAnzahl> objekte_{};
    // Kept between calls so that a dialog remembers its folder and last name.
    std::array<QFileDialog*, elementAnzahl> dateiDialoge_{};
    QFileDialog* exportDialog_ = nullptr;
    bool schliessenAngefordert_ = false;
    std::unique_ptr<QPrinter> drucker_;
    ui::InfoDialog* infoDialog_ = nullptr;
    ui::EinstellDialog* einstellDialog_ = nullptr;
    ui::HilfeFenster* hilfeFenster_ = nullptr;
    MarkenBedienung* markenBedienung_ = nullptr;
    ui::MessmarkenFenster* messmarkenFenster_ = nullptr;
    VoreinstellungsBedienung* voreinstellungsBedienung_ = nullptr;
};

}  // namespace qzl
