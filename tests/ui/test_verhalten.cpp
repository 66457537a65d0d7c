// Check marks, shortcuts, timers, painting the display bitmap and closing.
#include <QAction>
#include <QPaintEvent>
#include <QTimer>

#include "fenster_fixture.h"
#include "handlers/markenbedienung.h"
#include "ui/messmarken_fenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <array>

using qzl::Element;

TEST_F(FensterTest, HakenSetztNurDasProgrammNichtDerKlick) {
    auto* punkt = fenster.findChild<QAction*>("Zwischenfrequenz1");
    ASSERT_NE(punkt, nullptr);
    fenster.aktivieren(Element::Zwischenfrequenz1, true);
    punkt->trigger();
    EXPECT_FALSE(punkt->isChecked());
    EXPECT_EQ(ausgeloest, std::vector<Element>{Element::Zwischenfrequenz1});

    fenster.abhaken(Element::Zwischenfrequenz1, true);
    EXPECT_TRUE(punkt->isChecked());
    punkt->trigger();
    EXPECT_TRUE(punkt->isChecked());
    fenster.abhaken(Element::Zwischenfrequenz1, false);
    EXPECT_FALSE(punkt->isChecked());
}

TEST_F(FensterTest, TastenkuerzelLoesenIhrenMenuepunktAus) {
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    // A sweep disables the whole menu: its shortcuts must die with it.
    const struct {
        Qt::Key taste;
        Qt::KeyboardModifiers mod;
        Element e;
        Element menue;
    } faelle[] = {
        {Qt::Key_F3, Qt::NoModifier, Element::ffnen1, Element::Datei1},
        {Qt::Key_F2, Qt::NoModifier, Element::Speichern1, Element::Datei1},
        {Qt::Key_F4, Qt::AltModifier, Element::Beenden1, Element::Datei1},
        {Qt::Key_F5, Qt::NoModifier, Element::Frequenz1, Element::Einstellungen1},
        {Qt::Key_F6, Qt::NoModifier, Element::Minus1, Element::Einstellungen1},
        {Qt::Key_F7, Qt::NoModifier, Element::Plus1, Element::Einstellungen1},
        {Qt::Key_F8, Qt::NoModifier, Element::Schrittweite1, Element::Einstellungen1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(static_cast<int>(f.e));
        ausgeloest.clear();
        QTest::keyClick(&fenster, f.taste, f.mod);
        EXPECT_EQ(ausgeloest, std::vector<Element>{f.e});

        fenster.aktivieren(f.e, false);
        QTest::keyClick(&fenster, f.taste, f.mod);
        EXPECT_EQ(ausgeloest.size(), 1u);
        fenster.aktivieren(f.e, true);

        fenster.aktivieren(f.menue, false);
        QTest::keyClick(&fenster, f.taste, f.mod);
        EXPECT_EQ(ausgeloest.size(), 1u);
        fenster.aktivieren(f.menue, true);
    }
}

TEST_F(FensterTest, AltMKlicktMinusStattDasMenueZuOeffnen) {
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    for (int mal = 1; mal <= 3; ++mal) {
        QTest::keyClick(&fenster, Qt::Key_M, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ausgeloest.size() == static_cast<std::size_t>(mal); }));
        EXPECT_EQ(ausgeloest.back(), Element::Button3);
    }
    // Without the button the menu has the letter to itself.
    fenster.aktivieren(Element::Button3, false);
    QTest::keyClick(&fenster, Qt::Key_M, Qt::AltModifier);
    QTest::qWait(50);
    EXPECT_EQ(ausgeloest.size(), 3u);
}

TEST_F(FensterTest, TimerLaufenWiederholtUndStartenNichtNeu) {
    const struct {
        Element e;
        const char* name;
        int ms;
    } faelle[] = {{Element::Timer2, "Timer2", 10}, {Element::Timer1, "Timer1", 1000}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        auto* t = fenster.findChild<QTimer*>(f.name);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->interval(), f.ms);
        EXPECT_FALSE(t->isSingleShot());
        EXPECT_FALSE(fenster.timerLaeuft(f.e));

        // A restart would set the remaining time back to the whole interval.
        // A long, precise interval lets some milliseconds pass without a
        // tick in between, however slowly the machine runs.
        t->setTimerType(Qt::PreciseTimer);
        t->setInterval(60000);
        fenster.timerSchalten(f.e, true);
        EXPECT_TRUE(fenster.timerLaeuft(f.e));
        ASSERT_TRUE(QTest::qWaitFor([&] { return t->remainingTime() < 59990; }));
        const int rest = t->remainingTime();
        fenster.timerSchalten(f.e, true);
        EXPECT_LE(t->remainingTime(), rest);

        fenster.timerSchalten(f.e, false);
        EXPECT_FALSE(fenster.timerLaeuft(f.e));
        fenster.timerSchalten(f.e, false);
        EXPECT_FALSE(fenster.timerLaeuft(f.e));

        // Shortened so that the tick arrives soon; the handler decides when it stops.
        t->setInterval(1);
        ausgeloest.clear();
        fenster.timerSchalten(f.e, true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ausgeloest.size() >= 2; }, 5000));
        EXPECT_EQ(ausgeloest.front(), f.e);
        EXPECT_TRUE(fenster.timerLaeuft(f.e));
        fenster.timerSchalten(f.e, false);
    }
}

namespace {

// Collects the region of every paint event of a widget.
struct MalBeobachter : QObject {
    QRegion gemalt;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) gemalt += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

}  // namespace

TEST_F(FensterTest, BildZeigenMaltDieAnzeigeBei5Und30) {
    const struct {
        int x, y;
        std::uint32_t farbe;
    } punkte[] = {{0, 0, 0xFF123456}, {640, 480, 0xFFA0B0C0}, {320, 200, 0xFFFF0000}, {1, 479, 0xFF00FF01}};
    auto& rgb = st->anzeigeBitmap.rgb;
    for (const auto& p : punkte) rgb[static_cast<std::size_t>(p.y * qzl::bitmapBreite + p.x)] = p.farbe;

    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    MalBeobachter beobachter;
    fenster.centralWidget()->installEventFilter(&beobachter);
    QTest::qWait(50);  // let the first full paint after showing pass
    beobachter.gemalt = {};
    fenster.bildZeigen();
    const QRect bild(5, 30, 641, 481);
    EXPECT_TRUE(QTest::qWaitFor([&] { return (QRegion(bild) - beobachter.gemalt).isEmpty(); }, 5000));

    const QImage aufnahme = fenster.centralWidget()->grab().toImage();
    for (const auto& p : punkte) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(aufnahme.pixel(5 + p.x, 30 + p.y), p.farbe);
    }
    EXPECT_EQ(aufnahme.pixel(5 + 2, 30 + 2), rgb[2 * qzl::bitmapBreite + 2]);
    EXPECT_NE(aufnahme.pixel(4, 30), 0xFF123456u);
    EXPECT_NE(aufnahme.pixel(5, 29), 0xFF123456u);
}

// A partial repaint asks for exactly the changed rectangle and copies each of
// its pixels to its own place.
TEST_F(FensterTest, TeilbildMaltNurDasGemeldeteRechteck) {
    auto& rgb = st->anzeigeBitmap.rgb;
    for (int r = 0; r < qzl::bitmapHoehe; ++r)
        for (int c = 0; c < qzl::bitmapBreite; ++c)
            rgb[static_cast<std::size_t>(r * qzl::bitmapBreite + c)] = 0xFF000000u | static_cast<unsigned>(c << 9 | r);
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    QWidget* flaeche = fenster.centralWidget();
    MalBeobachter beobachter;
    flaeche->installEventFilter(&beobachter);
    QTest::qWait(50);
    beobachter.gemalt = {};
    fenster.bildTeilZeigen(100, 50, 120, 60);
    const QRect streifen(5 + 100, 30 + 50, 21, 11);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !beobachter.gemalt.isEmpty(); }, 5000));
    EXPECT_EQ(beobachter.gemalt, QRegion(streifen));

    QImage bild(flaeche->size(), QImage::Format_RGB32);
    bild.fill(Qt::magenta);
    flaeche->render(&bild, streifen.topLeft(), QRegion(streifen), QWidget::RenderFlags());
    const QRgb leer = QColor(Qt::magenta).rgb();
    const struct { int c, r; bool gemalt; } punkte[] = {
        {100, 50, true}, {120, 60, true}, {110, 55, true}, {99, 55, false}, {121, 55, false}, {110, 49, false},
        {110, 61, false}};
    for (const auto& p : punkte)
        EXPECT_EQ(bild.pixel(5 + p.c, 30 + p.r), p.gemalt ? rgb[static_cast<std::size_t>(p.r * qzl::bitmapBreite + p.c)] : leer)
            << p.c << "," << p.r;
}

TEST_F(FensterTest, SchliessenVonAussenGehtUeberDenBeendenHandler) {
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));

    EXPECT_FALSE(fenster.close());
    EXPECT_TRUE(fenster.isVisible());
    EXPECT_EQ(ausgeloest, std::vector<Element>{Element::Beenden1});

    // The quit handler ends by closing the window itself.
    weiter = [this](Element e) {
        if (e == Element::Beenden1) fenster.schliessen();
    };
    EXPECT_TRUE(fenster.close());
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_EQ(ausgeloest.size(), 2u);
}

TEST_F(FensterTest, SchliessenDurchDasProgrammFragtNicht) {
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    fenster.schliessen();
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_TRUE(ausgeloest.empty());
}

namespace {
// Records what the window asks of the markers; a marker is on when an is set.
struct MarkenProbe : qzl::MarkenBedienung {
    bool an = false;
    std::vector<int> tasten, klicks;
    qzl::MarkenTafel zeigt;
    std::vector<std::pair<int, qzl::Messmarke>> geaendert;
    std::vector<qzl::Suche> gesucht;
    qzl::MarkenTafel tafel() override { return zeigt; }
    std::uint64_t version() override { return 0; }
    std::string aendern(int n, const qzl::Messmarke& m) override {
        geaendert.emplace_back(n, m);
        return {};
    }
    std::string suchen(int, qzl::Suche s) override {
        gesucht.push_back(s);
        return "Keine Spitze.";
    }
    std::string spitze(int, bool) override { return {}; }
    void aktivieren(int) override {}
    bool taste(int punkte) override {
        tasten.push_back(punkte);
        return an;
    }
    bool klick(int spalte) override {
        klicks.push_back(spalte);
        return an;
    }
};
}  // namespace

TEST_F(FensterTest, MessmarkenTastenUndMaus) {
    MarkenProbe probe;
    fenster.markenBedienungSetzen(&probe);
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    QTest::keyClick(&fenster, Qt::Key_F9);
    EXPECT_EQ(ausgeloest, std::vector<Element>{Element::Messmarken1});
    // While a sweep has the menus disabled, F9 still opens the tool window.
    fenster.aktivieren(Element::Messung1, false);
    QTest::keyClick(&fenster, Qt::Key_F9);
    ASSERT_NE(fenster.messmarkenFenster(), nullptr);
    EXPECT_TRUE(fenster.messmarkenFenster()->isVisible());
    EXPECT_EQ(fenster.messmarkenFenster()->windowTitle(), "Messmarken");

    QTest::keyClick(&fenster, Qt::Key_Left);
    QTest::keyClick(&fenster, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(probe.tasten, (std::vector<int>{-1, 10}));
    QWidget* flaeche = fenster.centralWidget();
    QTest::mouseClick(flaeche, Qt::LeftButton, {}, QPoint(5 + 100, 30 + 50));
    QTest::mouseClick(flaeche, Qt::LeftButton, {}, QPoint(2, 30 + 50));  // left of the picture
    EXPECT_EQ(probe.klicks, std::vector<int>{100});
}

TEST_F(FensterTest, MessmarkenFensterZeigtZeilenUndNimmtDieEinstellungen) {
    MarkenProbe probe;
    probe.zeigt.zeilen[1] = {"2", "Band", "10.700.000 Hz", "-3.2 dB", "3.0 dB: …"};
    probe.zeigt.e.aktiv = 2;
    probe.zeigt.e.marken[1] = {.an = true, .frequenz = 10700000, .bandDb = 3.0};
    fenster.markenBedienungSetzen(&probe);
    fenster.messmarkenZeigen();
    auto* w = fenster.messmarkenFenster();
    auto* tabelle = w->findChild<QTableWidget*>();
    ASSERT_NE(tabelle, nullptr);
    EXPECT_EQ(tabelle->currentRow(), 1);
    const auto& z = probe.zeigt.zeilen[1];
    const std::array texte{z.nummer, z.art, z.frequenz, z.pegel, z.werte};
    for (int s = 0; s < 5; ++s) EXPECT_EQ(tabelle->item(1, s)->text().toStdString(), texte[static_cast<std::size_t>(s)]);

    // The editor holds the active marker; taken back as it stands, it is the same marker.
    auto knopf = [&](const char* text) {
        for (auto* k : w->findChildren<QPushButton*>())
            if (k->text() == QString::fromUtf8(text)) return k;
        return static_cast<QPushButton*>(nullptr);
    };
    knopf("&Übernehmen")->click();
    ASSERT_EQ(probe.geaendert.size(), 1u);
    EXPECT_EQ(probe.geaendert[0].first, 2);
    EXPECT_EQ(probe.geaendert[0].second, probe.zeigt.e.marken[1]);

    // A peak that follows the curve, searched within its range at once; the reason shows.
    auto* art = w->findChild<QComboBox*>();
    art->setCurrentIndex(2);
    for (auto* c : w->findChildren<QCheckBox*>()) c->setChecked(c->text() != "ganzer Durchlauf");
    w->findChild<QLineEdit*>("Von")->setText("10,6 MHz");
    w->findChild<QLineEdit*>("Bis")->setText("10.5M");
    knopf("&Übernehmen")->click();
    ASSERT_EQ(probe.geaendert.size(), 2u);
    const qzl::Messmarke soll{.an = true, .frequenz = 10700000, .suche = qzl::Suche::maximum, .verfolgen = true,
                              .bereich = std::pair{10500000, 10600000}};
    EXPECT_EQ(probe.geaendert[1].second, soll);
    EXPECT_EQ(probe.gesucht, std::vector{qzl::Suche::maximum});
    w->findChild<QLineEdit*>("Frequenz")->setText("zehn");
    knopf("&Übernehmen")->click();
    EXPECT_EQ(probe.geaendert.size(), 2u);
}
