// The main window's dialogs as the logic sees them: printing, the settings
// and info dialogs, and the help.
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cstring>

#include "ui/daten_ordner.h"
#include "ui/einstell_dialog.h"
#include "ui/haupt_fenster.h"
#include "ui/hilfe_fenster.h"
#include "ui/info_dialog.h"
#include "ui/messmarken_fenster.h"
#include "ui/quarz_dialog.h"
#include "ui/voreinstellungen_dialog.h"

namespace qzl {

namespace {

// The display bitmap with its palette indices, so the page gets the colours
// of the colour table and nothing the screen did to them.
QImage indexBild(const AnzeigeBitmap& bitmap) {
    QImage bild(bitmapBreite, bitmapHoehe, QImage::Format_Indexed8);
    const auto& farben = farbtabelle();
    bild.setColorTable(QList<QRgb>(farben.begin(), farben.end()));
    for (int zeile = 0; zeile < bitmapHoehe; ++zeile)
        std::memcpy(bild.scanLine(zeile), bitmap.indizes.data() + static_cast<std::size_t>(zeile) * bitmapBreite,
                    bitmapBreite);
    return bild;
}

void textDrucken(QPainter& maler, const DruckText& t) {
    // The position is the text's top-left corner; Qt places the baseline.
    if (!t.text.empty()) maler.drawText(t.x, t.y + maler.fontMetrics().ascent(), QString::fromStdString(t.text));
}

}  // namespace

void HauptFenster::messmarkenZeigen() {
    if (!markenBedienung_) return;
    if (!messmarkenFenster_) messmarkenFenster_ = new ui::MessmarkenFenster(*markenBedienung_, this);
    messmarkenFenster_->auffrischen();
    messmarkenFenster_->show();
    messmarkenFenster_->raise();
}

void HauptFenster::voreinstellungenZeigen() {
    if (!voreinstellungsBedienung_) return;
    ui::VoreinstellungenDialog dialog(*voreinstellungsBedienung_, this);
    dialog.exec();
}

void HauptFenster::quarzZeigen(const Quarztafel& tafel) {
    ui::QuarzDialog dialog(tafel, [this, text = tafel.kopiertext] { zwischenablageSetzen(text, ""); }, this);
    dialog.exec();
}

void HauptFenster::dialogeAnlegen() {
    if (!infoDialog_) infoDialog_ = new ui::InfoDialog(st_.versionText, ui::datenDatei(QStringLiteral("info.jpg")), this);
    if (!einstellDialog_) einstellDialog_ = new ui::EinstellDialog(st_, this);
}

QPrinter& HauptFenster::drucker() {
    // Qt's default is screen resolution, which gives a coarse page.
    if (!drucker_) drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *drucker_;
}

std::optional<int> HauptFenster::druckDialog() {
    QPrintDialog dialog(&drucker(), this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return drucker_->width();
}

std::optional<std::string> HauptFenster::seiteDrucken(const DruckSeite& seite, const AnzeigeBitmap& bild) {
    QPainter maler;
    if (!maler.begin(&drucker())) return "Der Druckauftrag konnte nicht gestartet werden.";
    // Without it Qt stores the picture in a PDF as JPEG, which smears the palette colours.
    maler.setRenderHint(QPainter::LosslessImageRendering);
    textDrucken(maler, seite.ueberschrift);
    maler.drawImage(QRect(QPoint(seite.bildLinks, seite.bildOben),
                          QSize(seite.bildRechts - seite.bildLinks, seite.bildUnten - seite.bildOben)),
                    indexBild(bild));
    for (const auto& zeile : seite.zeilen) textDrucken(maler, zeile);
    if (!maler.end() || drucker_->printerState() == QPrinter::Error) return "Fehler beim Drucken.";
    return std::nullopt;
}

std::optional<EinstellWerte> HauptFenster::einstellungenZeigen() {
    dialogeAnlegen();
    return einstellDialog_->zeigen();
}

void HauptFenster::infoZeigen() {
    dialogeAnlegen();
    infoDialog_->exec();
}

void HauptFenster::hilfeZeigen() {
    if (!hilfeFenster_) hilfeFenster_ = new ui::HilfeFenster(ui::datenDatei(QStringLiteral("hilfe/index.html")), this);
    hilfeFenster_->inhaltZeigen();
}

}  // namespace qzl
