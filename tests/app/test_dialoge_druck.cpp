// The dialogs and the printed page through the real window, with the
// simulator as the instrument.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "engine/zustand.h"
#include "app/anwendung.h"
#include "modal.h"
#include "sim/simulator.h"
#include "ui/hilfe_fenster.h"
#include "ui/info_dialog.h"

namespace qzl {
namespace {

struct Lauf {
    Lauf() : simulator(opt()) {
        simulator.starten();
        anwendung = std::make_unique<Anwendung>(std::vector<std::string>{"--com2=" + simulator.pfad()}, uhr);
        anwendung->starten();
    }
    static sim::SimOptionen opt() {
        sim::SimOptionen o;
        o.modell = *sim::modellLesen("through");
        return o;
    }
    HauptFenster& fenster() { return anwendung->fenster(); }
    void menue(const char* name) { fenster().findChild<QAction*>(name)->trigger(); }

    sim::Simulator simulator;
    SystemUhr uhr;
    std::unique_ptr<Anwendung> anwendung;
    QObject waechter;
};

TEST(Dialoge, EinstellungenAendernPunkteUndAufloesungDerNaechstenMessung) {
    Lauf l;
    ASSERT_EQ(l.simulator.austauschAnzahl(), 1u);
    beiModalDialog(l.waechter, [](QWidget* w) {
        EXPECT_EQ(w->objectName(), "TEin");
        w->findChild<QLineEdit*>("Edit12")->setText("5");
        w->findChild<QRadioButton*>("RadioGroup3_1")->click();
        w->findChild<QPushButton*>("Button1")->click();
        if (w->isVisible()) static_cast<QDialog*>(w)->reject();  // fails below instead of hanging
    });
    l.menue("Bandbreite1");
    EXPECT_EQ(l.anwendung->st().messpunkte, 5);
    ASSERT_EQ(l.simulator.austauschAnzahl(), 2u);  // the probe after the dialog
    EXPECT_EQ(l.simulator.protokoll().back().befehl, 84);

    QTest::mouseClick(l.fenster().findChild<QPushButton*>("Button5"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.simulator.austauschAnzahl() >= 12; }, 20000));
    QTest::mouseClick(l.fenster().findChild<QPushButton*>("Button6"), Qt::LeftButton);
    const auto log = l.simulator.protokoll();
    EXPECT_EQ((log.size() - 2) % 5, 0u);  // whole passes of five points
    for (const auto& a : log) {
        if (&a == &log.front()) continue;
        EXPECT_EQ(a.befehl, 84);
        EXPECT_EQ(a.antwort.size(), 2u);
    }
    EXPECT_NEAR(log.back().frequenzHz, 10040000, 0.05);
}

TEST(Dialoge, UeberUndHilfe) {
    Lauf l;
    auto* info = l.fenster().infoDialog();
    ASSERT_NE(info, nullptr);  // both made at start
    ASSERT_NE(l.fenster().einstellDialog(), nullptr);
    bool gesehen = false;
    beiModalDialog(l.waechter, [&](QWidget* w) {
        gesehen = w == info;
        EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "Quarzolin  V7.3 ");
        EXPECT_EQ(w->findChild<QLabel*>("Image1")->pixmap().size(), QSize(468, 560));
        w->findChild<QPushButton*>("Button1")->click();
    });
    l.menue("ber1");
    EXPECT_TRUE(gesehen);

    l.menue("Hilfe1");
    auto* hilfe = l.fenster().hilfeFenster();
    ASSERT_NE(hilfe, nullptr);
    EXPECT_TRUE(hilfe->isVisible());
    EXPECT_EQ(QFileInfo(hilfe->browser()->source().toLocalFile()).fileName(), "index.html");
    hilfe->close();
}

// Runs a poppler tool; its output, or a failure naming the missing package.
QByteArray werkzeug(const QString& name, const QStringList& argumente) {
    QProcess p;
    p.start(name, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << name.toStdString() << " failed; poppler-utils missing? (tools/install-deps)";
        return {};
    }
    return p.readAllStandardOutput();
}

struct Wort {
    double x, y;
};

TEST(Druck, SeiteAlsPdfMitUeberschriftBildUndAusgaben) {
    Lauf l;
    auto& f = l.fenster();
    f.timerSchalten(Element::Timer1, false);  // the refresh must not repaint the bitmap
    f.timerSchalten(Element::Timer2, false);
    auto& bitmap = zustand(l.anwendung->programm().geraet).anzeigeBitmap;
    bitmap.indizes.fill(0);
    for (int x = 0; x < bitmapBreite; ++x) bitmap.indizes[static_cast<std::size_t>(x)] = 249;
    for (int y = 0; y < bitmapHoehe; ++y) bitmap.indizes[static_cast<std::size_t>(y * bitmapBreite)] = 249;
    for (int k = 0; k < 256; ++k)
        bitmap.indizes[static_cast<std::size_t>((100 + k / 16) * bitmapBreite + 100 + k % 16)] = static_cast<std::uint8_t>(k);
    f.textSetzen(Element::Label5, "Testkurve");
    f.textSetzen(Element::Label12, "11.400.000 Hz");
    f.textSetzen(Element::Label7, "11.410.000 Hz -1 dB");
    f.textSetzen(Element::Label9, "11.200.000 Hz");

    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("seite.pdf");
    QPrinter& drucker = f.drucker();
    drucker.setOutputFileName(pdf);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    ASSERT_EQ(drucker.resolution(), 1200);  // full resolution, not the screen's
    // A4 is 595 pt wide: (595 - 20) pt at 1200 dpi give W = 9583 printer pixels,
    // so L = 958, picture (958, 1916)-(8625, 7427), y0 = 8385, d = 192.
    const auto punkt = [](int px) { return 10 + px * 72.0 / 1200; };

    beiModalDialog(l.waechter, [](QWidget* w) {
        EXPECT_EQ(w->objectName(), "PrintDialog1");
        w->close();
    });
    l.menue("Diagrammdrucken1");
    EXPECT_FALSE(QFile::exists(pdf));  // cancelled
    beiModalDialog(l.waechter, [&l](QWidget* w) {
        QMetaObject::invokeMethod(w, "accept");
        beiModalDialog(l.waechter, [](QWidget* box) {  // an error box would wait for ever
            ADD_FAILURE() << box->windowTitle().toStdString();
            box->close();
        });
    });
    l.menue("Diagrammdrucken1");
    ASSERT_TRUE(QFile::exists(pdf));

    QFile datei(pdf);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_FALSE(datei.readAll().contains("/DCTDecode"));

    // Texts: the first word of each line at its place.
    const QString xhtml = QString::fromUtf8(werkzeug("pdftotext", {"-bbox", pdf, "-"}));
    EXPECT_EQ(xhtml.count("<page "), 1);
    std::map<QString, Wort> woerter;
    const QRegularExpression wort(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (const auto& m : wort.globalMatch(xhtml))
        woerter.emplace(m.captured(3), Wort{m.captured(1).toDouble(), m.captured(2).toDouble()});
    const std::pair<const char*, int> zeilen[] = {
        {"Testkurve", 958},        {"Marker", 8385}, {"Maximum", 8385 + 2 * 192}, {"Minimum", 8385 + 3 * 192},
        {"Fmin", 8385 + 5 * 192}, {"Fmax", 8385 + 6 * 192}, {"Bandbreite:", 8385 + 7 * 192},
    };
    for (const auto& [text, y] : zeilen) {
        ASSERT_EQ(woerter.count(text), 1u) << text;
        EXPECT_NEAR(woerter[text].x, punkt(958), 1.0) << text;
        EXPECT_NEAR(woerter[text].y, punkt(y), 1.0) << text;
    }
    EXPECT_NEAR(woerter["11.400.000"].y, punkt(8385), 1.0);
    EXPECT_NEAR(woerter["11.200.000"].y, punkt(8385 + 5 * 192), 1.0);

    // The picture: stored losslessly, pixel for pixel in the table's colours.
    const QString liste = QString::fromUtf8(werkzeug("pdfimages", {"-list", pdf}));
    EXPECT_TRUE(liste.contains(QRegularExpression(R"(\n\s*1\s+0\s+image\s+641\s+481\s+rgb\s+3\s+8\s+image\s)"))) << liste.toStdString();
    werkzeug("pdfimages", {"-png", pdf, ordner.filePath("bild")});
    const QImage bild(ordner.filePath("bild-000.png"));
    ASSERT_EQ(bild.size(), QSize(bitmapBreite, bitmapHoehe));
    const auto& farben = farbtabelle();
    for (int y = 0; y < bitmapHoehe; ++y)
        for (int x = 0; x < bitmapBreite; ++x)
            if (bild.pixel(x, y) != farben[bitmap.index(x, y)]) {
                ADD_FAILURE() << "pixel " << x << ", " << y;
                return;
            }

    // Its rectangle on the rendered page, 2 pixels per point.
    werkzeug("pdftoppm", {"-r", "144", "-gray", pdf, ordner.filePath("seite")});
    const QImage seite(ordner.filePath("seite-1.pgm"));
    ASSERT_FALSE(seite.isNull());
    const auto dunkel = [&](int x, int y) { return qGray(seite.pixel(x, y)) < 128; };
    const int mitteY = static_cast<int>(2 * punkt((1916 + 7427) / 2)), mitteX = static_cast<int>(2 * punkt((958 + 8625) / 2));
    int links = 0, rechts = seite.width() - 1, oben = static_cast<int>(2 * punkt(1916)) - 60, unten = static_cast<int>(2 * punkt(7427)) + 60;
    while (links < rechts && !dunkel(links, mitteY)) ++links;
    while (rechts > links && !dunkel(rechts, mitteY)) --rechts;
    while (oben < unten && !dunkel(mitteX, oben)) ++oben;
    while (unten > oben && !dunkel(mitteX, unten)) --unten;
    EXPECT_NEAR(links, 2 * punkt(958), 2);
    EXPECT_NEAR(rechts + 1, 2 * punkt(8625), 2);
    EXPECT_NEAR(oben, 2 * punkt(1916), 2);
    EXPECT_NEAR(unten + 1, 2 * punkt(7427), 2);
}

TEST(Druck, FehlerDesDruckauftragsMitText) {
    Lauf l;
    l.fenster().drucker().setOutputFileName("/nicht/vorhanden/seite.pdf");
    const auto fehler = l.fenster().seiteDrucken(DruckSeite{}, l.anwendung->st().anzeigeBitmap);
    ASSERT_TRUE(fehler.has_value());
    EXPECT_EQ(*fehler, "Der Druckauftrag konnte nicht gestartet werden.");
}

}  // namespace
}  // namespace qzl
