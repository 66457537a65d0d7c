// The modal boxes, driven from a timer while they run.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "fenster_fixture.h"
#include "modal.h"

using qzl::Element;

namespace {

class DialogTest : public FensterTest {
protected:
    void beiDialog(std::function<void(QWidget*)> tu) { beiModalDialog(waechter, std::move(tu)); }

    static void erwarteBildschirmMitte(const QWidget* w) {
        const QPoint mitte = w->screen()->availableGeometry().center();
        EXPECT_LE((w->geometry().center() - mitte).manhattanLength(), 2);
    }

    static QStringList knopfTexte(const QWidget* w) {
        QStringList texte;
        for (auto* k : w->findChildren<QPushButton*>()) texte << k->text();
        return texte;
    }

    QObject waechter;
};

}  // namespace

TEST_F(DialogTest, MeldungUndFehlerMitEinemOk) {
    const struct {
        bool fehler;
        const char* titel;
        QMessageBox::Icon symbol;
    } faelle[] = {{false, "Information", QMessageBox::Information}, {true, "qzl7", QMessageBox::Critical}};
    for (const auto& f : faelle) {
        bool gesehen = false;
        beiDialog([&](QWidget* w) {
            gesehen = true;
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), f.titel);
            EXPECT_EQ(box->text(), "Datenübertragungsfehler\n<b>nicht fett</b>");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), f.symbol);
            EXPECT_EQ(knopfTexte(box), QStringList{"OK"});
            erwarteBildschirmMitte(box);
            box->findChild<QPushButton*>()->click();
        });
        if (f.fehler)
            fenster.fehler("Datenübertragungsfehler\n<b>nicht fett</b>");
        else
            fenster.meldung("Datenübertragungsfehler\n<b>nicht fett</b>");
        EXPECT_TRUE(gesehen) << f.titel;
    }
}

TEST_F(DialogTest, EingabeLiefertNurBeiOkDenNeuenText) {
    enum Weg { Ok, Abbrechen, Escape, Schliessen };
    const struct {
        Weg weg;
        const char* erwartet;
    } faelle[] = {{Ok, "12345"}, {Abbrechen, "10.000.000"}, {Escape, "10.000.000"}, {Schliessen, "10.000.000"}};
    // abfrage is the same prompt, and tells the cancelling ways as nothing.
    for (const bool abfrage : {false, true})
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.weg);
        beiDialog([&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Startfrequenz");
            auto* feld = w->findChild<QLineEdit*>();
            ASSERT_NE(feld, nullptr);
            EXPECT_EQ(feld->maxLength(), 255);
            EXPECT_EQ(feld->text(), "10.000.000");
            EXPECT_EQ(feld->selectedText(), "10.000.000");
            // The window may not be active yet; the field is the one that gets the focus.
            EXPECT_EQ(w->focusWidget(), feld);
            bool frageDa = false;
            for (auto* l : w->findChildren<QLabel*>()) frageDa |= l->text() == "Frequenz in Hz:";
            EXPECT_TRUE(frageDa);
            EXPECT_EQ(knopfTexte(w), (QStringList{"OK", "Abbrechen"}));
            erwarteBildschirmMitte(w);

            QTest::keyClicks(feld, "12345");
            switch (f.weg) {
            case Ok: QTest::keyClick(feld, Qt::Key_Return); break;
            case Abbrechen:
                for (auto* k : w->findChildren<QPushButton*>())
                    if (k->text() == "Abbrechen") k->click();
                break;
            case Escape: QTest::keyClick(feld, Qt::Key_Escape); break;
            case Schliessen: w->close(); break;
            }
        });
        if (!abfrage) {
            EXPECT_EQ(fenster.eingabe("Startfrequenz", "Frequenz in Hz:", "10.000.000"), f.erwartet);
            continue;
        }
        const auto antwort = fenster.abfrage("Startfrequenz", "Frequenz in Hz:", "10.000.000");
        EXPECT_EQ(antwort, f.weg == Ok ? std::optional<std::string>("12345") : std::nullopt);
    }
}

TEST_F(DialogTest, QuarzanalyseMitWarnungUndKopieren) {
    const qzl::Quarztafel tafel{{{"Rm", "20,36 Ω"}, {"C0", "nicht gemessen"}}, "Der Verlust bei fs …", "Quarzanalyse\nRm\t20,36 Ω\n"};
    beiDialog([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Quarzanalyse");
        EXPECT_EQ(w->findChild<QLabel*>("Wert C0")->text(), "nicht gemessen");
        EXPECT_EQ(w->findChild<QLabel*>("Warnung")->text(), "Der Verlust bei fs …");
        EXPECT_EQ(knopfTexte(w), (QStringList{"Kopieren", "OK"}));
        w->findChild<QPushButton*>("Kopieren")->click();
        w->findChild<QPushButton*>("OK")->click();
    });
    fenster.quarzZeigen(tafel);
    EXPECT_EQ(QApplication::clipboard()->text(), "Quarzanalyse\nRm\t20,36 Ω\n");
}

TEST_F(DialogTest, DateiDialogeMitEndungVorgabeUndFilter) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(ordner.path());

    const struct {
        Element e;
        const char* name;
        bool speichern;
        const char* endung;
        const char* vorgabe;
        QStringList filter;
        const char* getippt;  // nullptr: keep the preset name
        const char* ergebnis;
    } faelle[] = {
        {Element::SaveDialog1, "SaveDialog1", true, "cfg", "qzl7", {"Konfiguration (*.cfg)", "Alle (*)"}, nullptr, "qzl7.cfg"},
        {Element::OpenDialog1, "OpenDialog1", false, "cfg", "qzl7", {"Konfiguration (*.cfg)", "Alle (*)"}, "alt", "alt.cfg"},
        {Element::SaveDialog2, "SaveDialog2", true, "dat", "qzl", {"Daten (*.dat)", "Alle (*)"}, nullptr, "qzl.dat"},
        {Element::OpenDialog2, "OpenDialog2", false, "dat", "", {"Messreihe (*.dat)", "Alle (*)"}, "reihe", "reihe.dat"},
        {Element::OpenDialog3, "OpenDialog3", false, "lim", "", {"Grenzwerte (*.lim *.txt)", "Alle (*)"}, "maske", "maske.lim"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        for (bool annehmen : {false, true}) {
            beiDialog([&](QWidget* w) {
                auto* dlg = qobject_cast<QFileDialog*>(w);
                ASSERT_NE(dlg, nullptr);
                EXPECT_EQ(dlg->objectName(), f.name);
                EXPECT_EQ(dlg->acceptMode(), f.speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
                EXPECT_EQ(dlg->defaultSuffix(), f.endung);
                EXPECT_EQ(dlg->nameFilters(), f.filter);
                auto* name = dlg->findChild<QLineEdit*>("fileNameEdit");
                ASSERT_NE(name, nullptr);
                EXPECT_EQ(name->text(), f.vorgabe);
                if (!annehmen) return dlg->reject();
                if (f.getippt) name->setText(f.getippt);
                QMetaObject::invokeMethod(dlg, "accept");
            });
            const auto pfad = fenster.dateiDialog(f.e);
            if (!annehmen) {
                EXPECT_FALSE(pfad.has_value());
                continue;
            }
            ASSERT_TRUE(pfad.has_value());
            EXPECT_EQ(QFileInfo(QString::fromStdString(*pfad)).fileName(), f.ergebnis);
        }
    }
    QDir::setCurrent(vorher);
}

// "Alle" shows every file, also one whose name has no dot.
TEST_F(DialogTest, DateiDialogAlleZeigtDateienOhnePunkt) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    for (const char* name : {"messung", "reihe.dat"}) {
        QFile f(QDir(ordner.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList gezeigt;
    beiDialog([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        dlg->setDirectory(ordner.path());
        dlg->selectNameFilter(dlg->nameFilters().last());
        auto* liste = dlg->findChild<QListView*>("listView");
        // The folder is read in the background; the view fills a moment later.
        const bool beide = QTest::qWaitFor([&] {
            gezeigt.clear();
            const QModelIndex wurzel = liste->rootIndex();
            for (int i = 0; i < liste->model()->rowCount(wurzel); ++i)
                if (const QModelIndex z = liste->model()->index(i, 0, wurzel); z.flags() & Qt::ItemIsEnabled)
                    gezeigt << z.data().toString();
            return gezeigt.size() >= 2;
        });
        EXPECT_TRUE(beide);
        dlg->reject();
    });
    fenster.dateiDialog(Element::OpenDialog2);
    gezeigt.sort();
    EXPECT_EQ(gezeigt, QStringList({"messung", "reihe.dat"}));
}
