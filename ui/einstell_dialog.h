#pragma once
// "Einstellungen": port, speed, resolution, clock, limits, delay, points,
// reference lines and continuous refresh. Created once at start, shown
// modally from "&Optionen"; it fills itself from the state whenever it
// becomes active and hands out what it holds only on "&OK", for the
// engine to take.
#include <QDialog>

#include <array>
#include <optional>

#include "state/einstellwerte.h"
#include "state/instrument_state.h"
#include "ui/bildschirm_mittig.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qzl::ui {

class EinstellDialog : public FesterDialog {
public:
    EinstellDialog(const InstrumentState& st, QWidget* eltern);

    // Shown modally: the controls' values on "&OK", nothing on "Abbrechen".
    std::optional<EinstellWerte> zeigen();

    // FormActivate: the controls from the state; edits not yet confirmed are lost.
    void fuellen();

protected:
    bool event(QEvent* e) override;

private:
    QLineEdit* feld(const char* name, int links, int oben, int breite);
    QButtonGroup* radioGruppe(const char* name, const char* titel, QRect ort, std::initializer_list<const char*> punkte,
                              bool zweiSpalten);
    void tabFolge();
    // Button1Click
    EinstellWerte gelesen() const;

    const InstrumentState& st_;
    std::optional<EinstellWerte> werte_;
    std::array<QLineEdit*, anzahlLinien> textFelder_{};  // Edit1 ... Edit7
    std::array<QLineEdit*, anzahlLinien> lageFelder_{};  // Edit13 ... Edit19
    QLineEdit* takt_ = nullptr;
    QLineEdit* eich_ = nullptr;
    QLineEdit* fmax_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QLineEdit* punkte_ = nullptr;
    QButtonGroup* ports_ = nullptr;
    QButtonGroup* bauds_ = nullptr;
    QButtonGroup* genauigkeit_ = nullptr;
    QCheckBox* cont_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* abbrechen_ = nullptr;
};

}  // namespace qzl::ui
