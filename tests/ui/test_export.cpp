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

// The filter offered first, and one chosen in the dialog, each with its extension.
TEST_F(FensterTest, ExportDialogWaehltFormatUndEndung) {
    const std::vector<qzl::DateiFilter> filter{{"CSV", "csv"}, {"JSON", "json"}, {"Bild", "png"}};
    QObject waechter;
    for (const auto& [vorwahl, gewaehlt, name] : {std::tuple{1, 1, "qzl.json"}, {0, 2, "qzl.png"}}) {
        beiModalDialog(waechter, [&, vorwahl = vorwahl, gewaehlt = gewaehlt](QWidget* w) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            ASSERT_EQ(dlg->nameFilters(), QStringList({"CSV (*.csv)", "JSON (*.json)", "Bild (*.png)"}));
            EXPECT_EQ(dlg->selectedNameFilter(), dlg->nameFilters()[vorwahl]);
            dlg->selectNameFilter(dlg->nameFilters()[gewaehlt]);
            emit dlg->filterSelected(dlg->nameFilters()[gewaehlt]);
            dlg->findChild<QLineEdit*>("fileNameEdit")->setText("qzl");
            QMetaObject::invokeMethod(dlg, "accept");
        });
        const auto wahl = fenster.exportDialog(filter, static_cast<std::size_t>(vorwahl));
        ASSERT_TRUE(wahl.has_value());
        EXPECT_EQ(QFileInfo(QString::fromStdString(wahl->pfad)).fileName(), name);
        EXPECT_EQ(wahl->filter, static_cast<std::size_t>(gewaehlt));
    }
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
