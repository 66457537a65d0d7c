#pragma once
// The main window. Builds its controls and menus from the layout tables,
// forwards every click, shortcut and timer tick to the program's logic as an
// Element, and offers the logic the qzl::Fenster surface.
#include <QMainWindow>

#include <array>
#include <functional>

#include "core/fenster.h"
#include "core/instrument_state.h"

class QAction;
class QCloseEvent;
class QFileDialog;
class QTimer;

namespace qzl::ui {
class BildFlaeche;
}

namespace qzl {

class HauptFenster : public QMainWindow, public Fenster {
    Q_OBJECT
public:
    HauptFenster(InstrumentState& st, std::function<void(Element)> ausloesen,
                 QWidget* parent = nullptr);
    ~HauptFenster() override;

    // Moves the frame to (1, 1); the outer size follows from the fixed client area.
    void startGeometrie();

    void textSetzen(Element e, const std::string& text) override;
    std::string text(Element e) const override;
    void aktivieren(Element e, bool an) override;
    bool aktiv(Element e) const override;
    void abhaken(Element menuePunkt, bool an) override;
    void timerSchalten(Element timer, bool an) override;
    bool timerLaeuft(Element timer) const override;
    void meldung(const std::string& text) override;
    void fehler(const std::string& text) override;
    std::string eingabe(const std::string& titel, const std::string& frage,
                        const std::string& vorgabe) override;
    std::optional<std::string> dateiDialog(Element dialog) override;
    void bildZeigen() override;
    void bildTeilZeigen(int links, int oben, int rechts, int unten) override;
    void schliessen() override;

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

    std::function<void(Element)> ausloesen_;
    ui::BildFlaeche* flaeche_;
    // Widget, menu action or timer of each element; null where there is none.
    std::array<QObject*, elementAnzahl> objekte_{};
    // Kept between calls so that a dialog remembers its folder and last name.
    std::array<QFileDialog*, elementAnzahl> dateiDialoge_{};
    bool schliessenAngefordert_ = false;
};

}  // namespace qzl
