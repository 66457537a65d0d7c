#include "ui/dialoge.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/bildschirm_mittig.h"

namespace qzl::ui {

namespace {

constexpr int eingabeMaxLaenge = 255;

}  // namespace

namespace {
void boxZeigen(QWidget* eltern, QMessageBox::Icon symbol, const QString& titel, const QString& text) {
    BildschirmMittig<QMessageBox> box(eltern);
    box.setIcon(symbol);
    box.setWindowTitle(titel);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // Own button instead of the standard one, whose text depends on the Qt translation.
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
}  // namespace

void informationZeigen(QWidget* eltern, const QString& text) {
    boxZeigen(eltern, QMessageBox::Information, QStringLiteral("Information"), text);
}

void fehlerZeigen(QWidget* eltern, const QString& text) {
    boxZeigen(eltern, QMessageBox::Critical, QStringLiteral("qzl7"), text);
}

bool bestaetigungAbfragen(QWidget* eltern, const QString& text) {
    BildschirmMittig<QMessageBox> box(eltern);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Bestätigung"));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    QPushButton* ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    // Overwriting and deleting cannot be undone: a hasty Enter does neither.
    box.setDefaultButton(nein);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}

std::optional<QString> abfragen(QWidget* eltern, const QString& titel, const QString& frage,
                                const QString& vorgabe) {
    BildschirmMittig<QDialog> dlg(eltern);
    dlg.setWindowTitle(titel);
    dlg.setWindowFlags(dialogRahmen);

    auto* frageText = new QLabel(frage, &dlg);
    frageText->setTextFormat(Qt::PlainText);
    auto* feld = new QLineEdit(&dlg);
    feld->setMaxLength(eingabeMaxLaenge);
    feld->setText(vorgabe);
    feld->selectAll();
    feld->setMinimumWidth(260);

    auto* ok = new QPushButton(QStringLiteral("OK"), &dlg);
    auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), &dlg);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dlg, &QDialog::accept);
    QObject::connect(abbrechen, &QPushButton::clicked, &dlg, &QDialog::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    knoepfe->addWidget(abbrechen);
    auto* spalte = new QVBoxLayout(&dlg);
    spalte->addWidget(frageText);
    spalte->addWidget(feld);
    spalte->addLayout(knoepfe);
    spalte->setSizeConstraint(QLayout::SetFixedSize);
    feld->setFocus();

    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return feld->text();
}

QString eingabeAbfragen(QWidget* eltern, const QString& titel, const QString& frage,
                        const QString& vorgabe) {
    return abfragen(eltern, titel, frage, vorgabe).value_or(vorgabe);
}

}  // namespace qzl::ui
