#pragma once
#include <QDialog>
#include <QRect>
#include <QScreen>
#include <QShowEvent>

namespace qzl::ui {

// Qt centres a dialog over its parent; the program's boxes and dialogs sit in
// the middle of the screen instead. Done after the base class has sized them.
template <class Basis>
class BildschirmMittig : public Basis {
public:
    using Basis::Basis;

protected:
    void showEvent(QShowEvent* event) override {
        Basis::showEvent(event);
        if (event->spontaneous()) return;
        const QRect frei = this->screen()->availableGeometry();
        this->move(frei.center() - QPoint(this->width() / 2, this->height() / 2));
    }
};

// The dialogs' frame: a title with the system menu and close box only.
inline constexpr Qt::WindowFlags dialogRahmen = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A dialog of fixed client size in the program's 8-point font, with its
// controls placed by hand like the main window's.
class FesterDialog : public BildschirmMittig<QDialog> {
public:
    FesterDialog(const char* name, const char* titel, QSize groesse, QWidget* eltern)
        : BildschirmMittig<QDialog>(eltern) {
        setObjectName(QString::fromUtf8(name));
        setWindowTitle(QString::fromUtf8(titel));
        setWindowFlags(dialogRahmen);
        QFont schrift = font();
        schrift.setPointSize(8);
        setFont(schrift);
        setFixedSize(groesse);
    }
};

}  // namespace qzl::ui
