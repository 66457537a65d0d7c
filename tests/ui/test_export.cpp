// The export's save dialog, the clipboard, and Ctrl+C on the diagram.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include "fenster_fixture.h"
#include "modal.h"

namespace {

// The filter offered first, and another chosen in the dialog with its extension.
TEST_F(FensterTest, ExportDialogWaehltFormatUndEndung) {
    QObject waechter;
    beiModalDialog(waechter, [](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_EQ(dlg->nameFilters(), QStringList({"CSV (*.csv)", "JSON (*.json)", "Bild (*.png)"}));
        EXPECT_EQ(dlg->selectedNameFilter(), "JSON (*.json)");
        dlg->selectNameFilter("Bild (*.png)");
        emit dlg->filterSelected("Bild (*.png)");
        dlg->findChild<QLineEdit*>("fileNameEdit")->setText("qzl");
        QMetaObject::invokeMethod(dlg, "accept");
    });
    const auto wahl = fenster.exportDialog({{"CSV", "csv"}, {"JSON", "json"}, {"Bild", "png"}}, 1);
    ASSERT_TRUE(wahl.has_value());
    EXPECT_EQ(QFileInfo(QString::fromStdString(wahl->pfad)).fileName(), "qzl.png");
    EXPECT_EQ(wahl->filter, 2u);
}

TEST_F(FensterTest, StrgCKopiertTextUndBildZusammen) {
    QTest::keyClick(fenster.findChild<QPushButton*>("Button5"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ausgeloest, std::vector<qzl::Element>{qzl::Element::Kopieren1});
    QImage bild(3, 2, QImage::Format_RGB32);
    QByteArray png;
    QBuffer puffer(&png);
    bild.save(&puffer, "PNG");
    fenster.zwischenablageSetzen("frequency_hz\treading\n", png.toStdString());
    const QMimeData* daten = QApplication::clipboard()->mimeData();
    EXPECT_EQ(daten->text(), "frequency_hz\treading\n");
    EXPECT_EQ(qvariant_cast<QImage>(daten->imageData()).size(), QSize(3, 2));
}

}  // namespace
