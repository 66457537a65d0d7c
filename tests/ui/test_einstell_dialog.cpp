// The settings dialog: its controls against the layout table, filling on
// activation, storing only on "&OK".
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "modal.h"
#include "ui/einstell_dialog.h"

namespace {

class EinstellDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<qzl::InstrumentState> st = std::make_unique<qzl::InstrumentState>();
    qzl::ui::EinstellDialog dlg{*st, nullptr};
    QObject waechter;

    template <class T>
    T* kind(const char* name) {
        auto* w = dlg.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* feld(const char* name) { return kind<QLineEdit>(name); }
};

TEST_F(EinstellDialogTest, SteuerelementeWieImEntwurf) {
    dlg.show();  // lays out the radio groups
    EXPECT_EQ(dlg.windowTitle(), "Einstellungen");
    EXPECT_EQ(dlg.size(), QSize(496, 368));
    const struct {
        const char* name;
        QRect ort;  // labels: only the top-left corner counts
        const char* text;
    } teile[] = {
        {"Label9", {32, 168, 0, 0}, "Taktfrequenz"}, {"Edit8", {144, 168, 89, 21}, nullptr},
        {"Label10", {32, 192, 0, 0}, "Eichfrequenz"}, {"Edit9", {144, 192, 89, 21}, nullptr},
        {"Label11", {32, 216, 0, 0}, "Fmax"},        {"Edit10", {144, 216, 89, 21}, nullptr},
        {"Label2", {32, 240, 0, 0}, "Delay"},        {"Edit11", {144, 240, 41, 21}, nullptr},
        {"Label12", {32, 264, 0, 0}, "Messpunkte"},  {"Edit12", {144, 264, 41, 21}, nullptr},
        {"Label13", {368, 8, 0, 0}, "Text"},         {"Label14", {424, 8, 0, 0}, "Lage"},
        {"CheckBox1", {368, 272, 17, 17}, ""},
        {"Label15", {392, 272, 0, 0}, "cont. Bildaufbau"}, {"Button2", {272, 328, 97, 25}, "&Cancel"},
        {"Button1", {384, 328, 81, 25}, "&OK"},
    };
    for (const auto& t : teile) {
        auto* w = kind<QWidget>(t.name);
        if (!w) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(l->pos(), t.ort.topLeft()) << t.name;
            EXPECT_EQ(l->text(), t.text) << t.name;
            continue;
        }
        EXPECT_EQ(w->geometry(), t.ort) << t.name;
        if (auto* k = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(k->text(), t.text) << t.name;
        }
    }
    // The reference-line rows, 32 pixels apart from the top at 40.
    const char* zeilenLabel[] = {"Label3", "Label4", "Label5", "Label1", "Label6", "Label7", "Label8"};
    for (int j = 1; j <= 7; ++j) {
        const int oben = 40 + 32 * (j - 1);
        EXPECT_EQ(kind<QLabel>(zeilenLabel[j - 1])->text(), QString("Linie %1").arg(j));
        EXPECT_EQ(kind<QLabel>(zeilenLabel[j - 1])->pos(), QPoint(304, oben));
        EXPECT_EQ(feld(("Edit" + std::to_string(j)).c_str())->geometry(), QRect(368, oben, 33, 21));
        EXPECT_EQ(feld(("Edit" + std::to_string(j + 12)).c_str())->geometry(), QRect(424, oben, 33, 21));
    }
    const struct {
        const char* name;
        QRect ort;
        const char* titel;
        QStringList punkte;
    } gruppen[] = {
        {"RadioGroup1", {32, 24, 81, 121}, "COM", {"Com 1", "Com 2", "Com3", "Com4"}},
        {"RadioGroup2", {144, 24, 97, 121}, "Baudrate", {"  9600 Bit/s", "19200 Bit/s", "38400 Bit/s", "57600 Bit/s"}},
        {"RadioGroup3", {32, 304, 209, 49}, "Messgenauigkeit", {"8 Bit", "10 Bit"}},
    };
    for (const auto& g : gruppen) {
        auto* kasten = kind<QGroupBox>(g.name);
        ASSERT_NE(kasten, nullptr);
        EXPECT_EQ(kasten->geometry(), g.ort);
        EXPECT_EQ(kasten->title(), g.titel);
        QStringList punkte;
        for (auto* r : kasten->findChildren<QRadioButton*>()) punkte << r->text();
        EXPECT_EQ(punkte, g.punkte);
    }
    auto* acht = kind<QRadioButton>("RadioGroup3_0");
    auto* zehn = kind<QRadioButton>("RadioGroup3_1");
    EXPECT_EQ(acht->y(), zehn->y());  // two columns
    EXPECT_LT(acht->x(), zehn->x());
}

TEST_F(EinstellDialogTest, TabulatorFolge) {
    QStringList folge;
    QWidget* w = kind<QWidget>("Button1");
    for (int i = 0; i < 100 && w; ++i, w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->objectName().isEmpty()) continue;
        // A radio group is one stop in the order.
        const QString name = w->objectName().section(QLatin1Char('_'), 0, 0);
        if (folge.size() > 1 && name == folge.first()) break;
        if (folge.isEmpty() || folge.last() != name) folge << name;
    }
    const QStringList erwartet = {"Button1", "Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7",
                                  "RadioGroup1", "RadioGroup2", "Button2", "Edit8", "Edit9", "Edit10", "Edit11",
                                  "Edit12", "RadioGroup3", "Edit13", "Edit14", "Edit15", "Edit16", "Edit17",
                                  "Edit18", "Edit19", "CheckBox1"};
    EXPECT_EQ(folge, erwartet);
}

TEST_F(EinstellDialogTest, OkSpeichertAbbrechenUndSchliessenNicht) {
    st->baudrate = 4800;
    st->comport = 0;
    st->linie[2] = 77;
    beiModalDialog(waechter, [&](QWidget*) {
        EXPECT_TRUE(kind<QRadioButton>("RadioGroup2_0")->isChecked());  // 4800 shows as 9600
        EXPECT_TRUE(kind<QRadioButton>("RadioGroup3_0")->isChecked());
        for (int i = 0; i < 4; ++i)
            EXPECT_FALSE(kind<QRadioButton>(("RadioGroup1_" + std::to_string(i)).c_str())->isChecked());
        auto* ok = kind<QPushButton>("Button1");
        EXPECT_FALSE(ok->isEnabled());  // no port chosen yet
        EXPECT_EQ(feld("Edit14")->text(), "77");
        EXPECT_EQ(feld("Edit12")->text(), "280");
        feld("Edit12")->setText("500");
        feld("Edit9")->clear();
        QTest::mouseClick(kind<QRadioButton>("RadioGroup1_2"), Qt::LeftButton);
        QTest::mouseClick(kind<QRadioButton>("RadioGroup3_1"), Qt::LeftButton);
        EXPECT_TRUE(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        if (dlg.isVisible()) dlg.reject();  // a stuck dialog fails below instead of hanging
    });
    const auto ok = dlg.zeigen();
    ASSERT_TRUE(ok);
    const qzl::Einstellungen e = qzl::einstellungenAus(*ok);
    EXPECT_EQ(e.messpunkte, 300);
    EXPECT_EQ(e.eichfrequenz, 50000000);
    EXPECT_EQ(e.comport, 3);
    EXPECT_EQ(e.baudrate, 9600);
    EXPECT_EQ(e.messgenauigkeit, 10);
    EXPECT_EQ(e.linie[1], 77);
    st->messpunkte = e.messpunkte;

    for (bool schliessen : {false, true}) {
        beiModalDialog(waechter, [&](QWidget* w) {
            EXPECT_EQ(feld("Edit12")->text(), "300");
            feld("Edit12")->setText("7");
            QTest::mouseClick(kind<QRadioButton>("RadioGroup2_3"), Qt::LeftButton);
            if (schliessen)
                w->close();
            else
                QTest::mouseClick(kind<QPushButton>("Button2"), Qt::LeftButton);
        });
        EXPECT_FALSE(dlg.zeigen());
    }
}

TEST_F(EinstellDialogTest, AktivierungLaedtNeu) {
    st->delay = 5;
    dlg.show();
    feld("Edit11")->setText("99");
    kind<QCheckBox>("CheckBox1")->setChecked(true);
    QEvent aktiv(QEvent::WindowActivate);
    QApplication::sendEvent(&dlg, &aktiv);
    EXPECT_EQ(feld("Edit11")->text(), "5");
    EXPECT_FALSE(kind<QCheckBox>("CheckBox1")->isChecked());
    dlg.hide();
}

}  // namespace
