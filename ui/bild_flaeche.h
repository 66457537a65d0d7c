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
    // Schedules a repaint of the bitmap's columns von..bis, rows 1..480.
    void spaltenNeuZeichnen(int von, int bis);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AnzeigeBitmap& bitmap_;
};

}  // namespace qzl::ui
