#pragma once
// The markers' tool window: a row per marker, and below it the active
// marker's settings. Not modal; it works while a sweep runs, and follows
// changes that come from elsewhere (keys, mouse, the command socket).
#include <QWidget>

#include <cstdint>

#include "handlers/markenbedienung.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace qzl::ui {

class MessmarkenFenster : public QWidget {
    Q_OBJECT
public:
    MessmarkenFenster(MarkenBedienung& bedienung, QWidget* parent = nullptr);

    // The rows and, unless it is being edited, the active marker's settings.
    void auffrischen();

private:
    void editorFuellen(const MarkenTafel& t);
    void uebernehmen();
    void antwort(const std::string& fehler);
    int aktiv() const;

    MarkenBedienung& bedienung_;
    std::uint64_t version_ = UINT64_MAX;
    int editorMarke_ = 0;
    QTableWidget* tabelle_;
    QCheckBox* an_;
    QComboBox* art_;
    QLineEdit* frequenz_;
    QSpinBox* bezug_;
    QDoubleSpinBox* ndb_;
    QCheckBox* ganz_;
    QLineEdit* von_;
    QLineEdit* bis_;
    QCheckBox* folgen_;
    QLabel* meldung_;
};

}  // namespace qzl::ui
