#include "ui/bild_flaeche.h"

#include <QImage>
#include <QPainter>
#include <QPaintEvent>

#include "ui/fenster_tabelle.h"

namespace qzl::ui {

BildFlaeche::BildFlaeche(const AnzeigeBitmap& bitmap, QWidget* parent)
    : QWidget(parent), bitmap_(bitmap) {
    setFixedSize(clientBreite, clientHoehe);
}

void BildFlaeche::bildNeuZeichnen() {
    update(bildLinks, bildOben, bitmapBreite, bitmapHoehe);
}

void BildFlaeche::teilNeuZeichnen(const QRect& teil) {
    update((teil & QRect(0, 0, bitmapBreite, bitmapHoehe)).translated(bildLinks, bildOben));
}

void BildFlaeche::paintEvent(QPaintEvent* event) {
    const QRect ziel(bildLinks, bildOben, bitmapBreite, bitmapHoehe);
    const QRegion teile = event->region() & ziel;
    if (teile.isEmpty()) return;
    // Wraps the pixels in place; the image lives only for this paint.
    const QImage bild(reinterpret_cast<const uchar*>(bitmap_.rgb.data()), bitmapBreite,
                      bitmapHoehe, bitmapBreite * 4, QImage::Format_RGB32);
    QPainter maler(this);
    // Only the parts asked for: a sweep repaints a few columns per tick.
    for (const QRect& teil : teile) maler.drawImage(teil.topLeft(), bild, teil.translated(-ziel.topLeft()));
}

}  // namespace qzl::ui
