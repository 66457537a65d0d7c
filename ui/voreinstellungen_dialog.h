#pragma once
// The presets' dialog: the list of presets, a name, "mit Kalibrierung" and
// a button for each thing to do; the doing is the handlers'.
#include <QDialog>

#include "handlers/voreinstellungsbedienung.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace qzl::ui {

class VoreinstellungenDialog : public QDialog {
    Q_OBJECT
public:
    VoreinstellungenDialog(VoreinstellungsBedienung& bedienung, QWidget* parent = nullptr);

private:
    // The list read afresh, with name selected when it is in it.
    void auffrischen(const std::string& name);

    VoreinstellungsBedienung& bedienung_;
    QListWidget* liste_;
    QLineEdit* name_;
    QCheckBox* mitKalibrierung_;
};

}  // namespace qzl::ui
