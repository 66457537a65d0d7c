#pragma once
// The main window's client area: holds the controls and paints the display
// bitmap straight onto itself, like the original drawing on the form's canvas.
#include <QWidget>

#include "raster/anzeige_bitmap.h"

namespace qzl::ui {

class BildFlaeche : public QWidget {
    Q_OBJECT
public:
    BildFlaeche(const AnzeigeBitmap& bitmap, QWidget* parent = nullptr);

    // Schedules a repaint of the bitmap's rectangle only.
    void bildNeuZeichnen();
    // Schedules a repaint of a rectangle of the bitmap (bitmap pixels).
    void teilNeuZeichnen(const QRect& teil);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AnzeigeBitmap& bitmap_;
};

}  // namespace qzl::ui
