// The qzl::Fenster surface of the main window: what the logic may set, ask
// and open.
#include <QAbstractButton>
#include <QAction>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

#include "ui/bild_flaeche.h"
#include "ui/dialoge.h"
#include "ui/fenster_tabelle.h"
#include "ui/haupt_fenster.h"

namespace qzl {

namespace {

QString qText(const std::string& utf8) { return QString::fromStdString(utf8); }

// "Beschreibung|*.x|Alle|*.*" becomes {"Beschreibung (*.x)", "Alle (*)"}:
// "*.*" matches a name without a dot only on Windows, "*" everywhere.
QStringList filterListe(const char* filter) {
    const QStringList teile = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList liste;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
        const QString& muster = teile[i + 1];
        liste << QStringLiteral("%1 (%2)").arg(teile[i], muster == QLatin1String("*.*") ? QStringLiteral("*") : muster);
    }
    return liste;
}

}  // namespace

void HauptFenster::textSetzen(Element e, const std::string& text) {
    const QString t = qText(text);
    if (e == Element::Caption) {
        setWindowTitle(t);
    } else if (auto* label = qobject_cast<QLabel*>(objekt(e))) {
        label->setText(t);
        label->adjustSize();
        if (const QVariant rechts = label->property("rechtsBis"); rechts.isValid())
            label->move(rechts.toInt() - label->width(), label->y());
    } else if (auto* knopf = qobject_cast<QAbstractButton*>(objekt(e))) {
        knopf->setText(t);
    } else if (auto* a = aktion(e)) {
        a->setText(t);
    }
}

std::string HauptFenster::text(Element e) const {
    if (e == Element::Caption) return windowTitle().toStdString();
    if (auto* label = qobject_cast<QLabel*>(objekt(e))) return label->text().toStdString();
    if (auto* knopf = qobject_cast<QAbstractButton*>(objekt(e))) return knopf->text().toStdString();
    if (auto* a = aktion(e)) return a->text().toStdString();
    return {};
}

void HauptFenster::aktivieren(Element e, bool an) {
    if (auto* w = qobject_cast<QWidget*>(objekt(e)))
        w->setEnabled(an);
    else if (auto* a = aktion(e))
        a->setEnabled(an);
}

bool HauptFenster::aktiv(Element e) const {
    if (auto* w = qobject_cast<QWidget*>(objekt(e))) return w->isEnabled();
    if (auto* a = aktion(e)) return a->isEnabled();
    return false;
}

void HauptFenster::abhaken(Element menuePunkt, bool an) {
    if (auto* a = aktion(menuePunkt)) {
        a->setCheckable(true);
        a->setChecked(an);
    }
}

bool HauptFenster::abgehakt(Element menuePunkt) const {
    const QAction* a = aktion(menuePunkt);
    return a && a->isChecked();
}

void HauptFenster::timerSchalten(Element e, bool an) {
    QTimer* t = timer(e);
    if (!t) return;
    if (!an)
        t->stop();
    else if (!t->isActive())  // start() on a running timer would restart its interval
        t->start();
}

bool HauptFenster::timerLaeuft(Element e) const {
    const QTimer* t = timer(e);
    return t && t->isActive();
}

void HauptFenster::meldung(const std::string& text) { ui::informationZeigen(this, qText(text)); }

void HauptFenster::fehler(const std::string& text) { ui::fehlerZeigen(this, qText(text)); }

bool HauptFenster::bestaetigen(const std::string& text) { return ui::bestaetigungAbfragen(this, qText(text)); }

std::string HauptFenster::eingabe(const std::string& titel, const std::string& frage,
                                  const std::string& vorgabe) {
    return ui::eingabeAbfragen(this, qText(titel), qText(frage), qText(vorgabe)).toStdString();
}

std::optional<std::string> HauptFenster::abfrage(const std::string& titel, const std::string& frage,
                                                 const std::string& vorgabe) {
    const auto antwort = ui::abfragen(this, qText(titel), qText(frage), qText(vorgabe));
    if (!antwort) return std::nullopt;
    return antwort->toStdString();
}

std::optional<std::string> HauptFenster::dateiDialog(Element dialog) {
    for (const auto& art : ui::dateiDialoge()) {
        if (art.element != dialog) continue;
        QFileDialog*& dlg = dateiDialoge_[static_cast<std::size_t>(dialog)];
        if (!dlg) {
            dlg = new QFileDialog(this);
            dlg->setObjectName(QString::fromUtf8(art.name));
            dlg->setAcceptMode(art.speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            // An existing file is replaced without a question.
            if (art.speichern) dlg->setOption(QFileDialog::DontConfirmOverwrite);
            dlg->setDefaultSuffix(QString::fromUtf8(art.endung));
            dlg->setNameFilters(filterListe(art.filter));
            if (*art.dateiname) dlg->selectFile(QString::fromUtf8(art.dateiname));
        }
        const int ergebnis = dlg->exec();
        // A name typed in full and confirmed with Enter leaves the dialog's
        // completion list open over the main window; it goes with the dialog.
        for (auto* ergaenzung : dlg->findChildren<QCompleter*>()) ergaenzung->popup()->hide();
        if (ergebnis != QDialog::Accepted) return std::nullopt;
        const QStringList gewaehlt = dlg->selectedFiles();
        if (gewaehlt.isEmpty()) return std::nullopt;
        return QFile::encodeName(gewaehlt.first()).toStdString();
    }
    return std::nullopt;
}

void HauptFenster::wartendAuffrischen() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void HauptFenster::bildZeigen() { flaeche_->bildNeuZeichnen(); }

void HauptFenster::bildTeilZeigen(int links, int oben, int rechts, int unten) {
    flaeche_->teilNeuZeichnen(QRect(QPoint(links, oben), QPoint(rechts, unten)));
}

}  // namespace qzl
