// The info dialog with its picture, and the help in its viewer.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

#include "fenster_fixture.h"
#include "modal.h"
#include "ui/daten_ordner.h"
#include "ui/hilfe_fenster.h"
#include "ui/info_dialog.h"
#include "ui/jpeg_lesen.h"

namespace {

QByteArray lesen(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<qzl::ui::RgbBild> dekodieren(const QByteArray& b) {
    return qzl::ui::jpegLesen({reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())});
}

TEST(InfoDialog, TitelBildNotizUndOk) {
    qzl::ui::InfoDialog dlg(" V7.3 ", qzl::ui::datenDatei("info.jpg"), nullptr);
    EXPECT_EQ(dlg.windowTitle(), "Info");
    EXPECT_EQ(dlg.size(), QSize(702, 570));
    auto* titel = dlg.findChild<QLabel*>("Label1");
    ASSERT_NE(titel, nullptr);
    EXPECT_EQ(titel->text(), "Quarzolin  V7.3 ");
    EXPECT_EQ(titel->pos(), QPoint(504, 24));
    EXPECT_TRUE(titel->font().bold());
    EXPECT_EQ(titel->font().pixelSize(), 16);
    auto* bild = dlg.findChild<QLabel*>("Image1");
    ASSERT_NE(bild, nullptr);
    EXPECT_EQ(bild->geometry(), QRect(16, 8, 473, 569));
    EXPECT_EQ(bild->pixmap().size(), QSize(468, 560));  // unscaled, top left
    EXPECT_EQ(bild->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_FALSE(bild->hasScaledContents());
    auto* memo = dlg.findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->geometry(), QRect(504, 56, 185, 153));
    EXPECT_EQ(memo->blockCount(), 11);
    EXPECT_TRUE(memo->isReadOnly());
    auto* ok = dlg.findChild<QPushButton*>("Button1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(536, 520, 121, 33));
    EXPECT_EQ(ok->text(), "OK");

    QObject waechter;
    beiModalDialog(waechter, [&](QWidget*) { ok->click(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    beiModalDialog(waechter, [&](QWidget* w) { w->close(); });
    dlg.exec();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(titel->text(), "Quarzolin  V7.3 ");
}

TEST(InfoDialog, BildIstEinBaselineJpegUndWirdMitLibjpegGelesen) {
    const QByteArray jpeg = lesen(qzl::ui::datenDatei("info.jpg"));
    ASSERT_FALSE(jpeg.isEmpty());
    EXPECT_TRUE(jpeg.contains(QByteArray("\xFF\xC0", 2)));   // baseline frame
    EXPECT_FALSE(jpeg.contains(QByteArray("\xFF\xC2", 2)));  // not progressive
    const auto bild = dekodieren(jpeg);
    ASSERT_TRUE(bild.has_value());
    EXPECT_EQ(bild->breite, 468);
    EXPECT_EQ(bild->hoehe, 560);
    EXPECT_EQ(bild->pixel.size(), 468u * 560u * 3u);

    EXPECT_FALSE(dekodieren(jpeg.left(jpeg.size() / 2)).has_value());
    EXPECT_FALSE(dekodieren(QByteArray("kein Bild")).has_value());
    EXPECT_FALSE(dekodieren(QByteArray()).has_value());
    // Without the file the dialog comes up all the same, without a picture.
    qzl::ui::InfoDialog ohne(" V7.3 ", "/nicht/da.jpg", nullptr);
    EXPECT_TRUE(ohne.findChild<QLabel*>("Image1")->pixmap().isNull());
}

TEST(Hilfe, DatenNebenDemProgramm) {
    EXPECT_EQ(qzl::ui::datenOrdner("/opt/q/bin"), "/opt/q/share/qzl7");
    EXPECT_TRUE(QFile::exists(qzl::ui::datenDatei("hilfe/index.html")));
}

// Every link of every page leads to an existing page and anchor, nothing
// points outside, and every page can be reached from the contents.
TEST(Hilfe, AlleVerweiseFuehrenZuEinemZiel) {
    const QDir ordner(qzl::ui::datenDatei("hilfe"));
    const QRegularExpression verweis(QStringLiteral("href=\"([^\"]*)\""));
    QSet<QString> erreicht{"index.html"};
    QStringList offen{"index.html"};
    int verweise = 0;
    while (!offen.isEmpty()) {
        const QString seite = offen.takeFirst();
        const QString text = QString::fromUtf8(lesen(ordner.filePath(seite)));
        ASSERT_FALSE(text.isEmpty()) << seite.toStdString();
        for (const auto& m : verweis.globalMatch(text)) {
            ++verweise;
            const QString ziel = m.captured(1);
            EXPECT_FALSE(ziel.contains(QLatin1Char(':'))) << ziel.toStdString();
            QString datei = ziel.section(QLatin1Char('#'), 0, 0);
            const QString anker = ziel.section(QLatin1Char('#'), 1);
            if (datei.isEmpty()) datei = seite;
            const QString zielText = QString::fromUtf8(lesen(ordner.filePath(datei)));
            ASSERT_FALSE(zielText.isEmpty()) << seite.toStdString() << " -> " << ziel.toStdString();
            if (!anker.isEmpty()) {
                EXPECT_TRUE(zielText.contains(QStringLiteral("id=\"%1\"").arg(anker)))
                    << seite.toStdString() << " -> " << ziel.toStdString();
            }
            if (!erreicht.contains(datei)) {
                erreicht.insert(datei);
                offen << datei;
            }
        }
    }
    EXPECT_GT(verweise, 20);
    for (const QString& datei : ordner.entryList({"*.html"}, QDir::Files))
        EXPECT_TRUE(erreicht.contains(datei)) << datei.toStdString();
}

TEST_F(FensterTest, HilfeOeffnetAmInhalt) {
    fenster.hilfeZeigen();
    auto* hilfe = fenster.hilfeFenster();
    ASSERT_NE(hilfe, nullptr);
    EXPECT_TRUE(hilfe->isVisible());
    auto* browser = hilfe->browser();
    EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "index.html");
    EXPECT_TRUE(browser->toPlainText().contains("Inhalt"));
    browser->setSource(QUrl(QStringLiteral("einstellungen.html")));
    auto* zurueck = hilfe->findChild<QPushButton*>("HilfeZurueck");
    ASSERT_TRUE(zurueck->isEnabled());
    zurueck->click();
    EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "index.html");
    browser->setSource(QUrl(QStringLiteral("einstellungen.html")));
    fenster.hilfeZeigen();  // again: back at the contents, same window
    EXPECT_EQ(fenster.hilfeFenster(), hilfe);
    EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "index.html");
    hilfe->close();
}

// F1 opens the help from the main window and leads back to its contents
// inside it; Escape closes it.
TEST_F(FensterTest, HilfeTastenF1UndEscape) {
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    QTest::keyClick(&fenster, Qt::Key_F1);
    EXPECT_EQ(ausgeloest, std::vector<qzl::Element>{qzl::Element::Hilfe1});

    fenster.hilfeZeigen();
    auto* hilfe = fenster.hilfeFenster();
    hilfe->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == hilfe; }));
    auto* browser = hilfe->browser();
    browser->setSource(QUrl(QStringLiteral("einstellungen.html")));
    QTest::keyClick(browser, Qt::Key_F1);
    EXPECT_EQ(QFileInfo(browser->source().toLocalFile()).fileName(), "index.html");
    QTest::keyClick(browser, Qt::Key_Escape);
    EXPECT_FALSE(hilfe->isVisible());
}

}  // namespace
