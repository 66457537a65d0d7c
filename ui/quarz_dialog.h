#pragma once
// The dialog "Quarzanalyse": the figures of a crystal as a table, the
// warning below them, "Kopieren" for the clipboard and "OK".
#include <QDialog>

#include <functional>

#include "handlers/fenster.h"

namespace qzl::ui {

class QuarzDialog : public QDialog {
    Q_OBJECT
public:
    // kopieren puts the table's text on the clipboard.
    QuarzDialog(const Quarztafel& tafel, std::function<void()> kopieren, QWidget* parent = nullptr);
};

}  // namespace qzl::ui
