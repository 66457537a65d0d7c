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

void BildFlaeche::paintEvent(QPaintEvent* event) {
    const QRect ziel(bildLinks, bildOben, bitmapBreite, bitmapHoehe);
    if (!event->rect().intersects(ziel)) return;
    // Wraps the pixels in place; the image lives only for this paint.
    const QImage bild(reinterpret_cast<const uchar*>(bitmap_.rgb.data()), bitmapBreite,
                      bitmapHoehe, bitmapBreite * 4, QImage::Format_RGB32);
    QPainter maler(this);
    maler.drawImage(ziel.topLeft(), bild);
}

}  // namespace qzl::ui
