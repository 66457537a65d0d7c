#include "ui/voreinstellungen_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

#include "formats/voreinstellung.h"
#include "ui/bildschirm_mittig.h"

namespace qzl::ui {

VoreinstellungenDialog::VoreinstellungenDialog(VoreinstellungsBedienung& bedienung, QWidget* parent)
    : QDialog(parent, dialogRahmen), bedienung_(bedienung) {
    setObjectName(QStringLiteral("Voreinstellungen"));
    setWindowTitle(QStringLiteral("Voreinstellungen"));

    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral("Liste"));
    liste_->setMinimumSize(220, 200);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("Name"));
    name_->setMaxLength(static_cast<int>(voreinstellungNameLaenge));
    auto* nameText = new QLabel(QStringLiteral("&Name:"), this);
    nameText->setBuddy(name_);
    mitKalibrierung_ = new QCheckBox(QStringLiteral("mit &Kalibrierung"), this);
    mitKalibrierung_->setObjectName(QStringLiteral("MitKalibrierung"));
    mitKalibrierung_->setToolTip(QString::fromUtf8(
        "Speichert auch Kalibrierung, Schnittstelle und Takt; ohne sie lässt das Laden die jetzige Kalibrierung stehen."));

    auto* links = new QVBoxLayout;
    links->addWidget(liste_);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(nameText);
    zeile->addWidget(name_);
    links->addLayout(zeile);
    links->addWidget(mitKalibrierung_);

    auto* rechts = new QVBoxLayout;
    const auto knopf = [&](const char* objekt, const char* text, std::function<std::string(const std::string&)> tun) {
        auto* k = new QPushButton(QString::fromUtf8(text), this);
        k->setObjectName(QString::fromUtf8(objekt));
        k->setAutoDefault(false);
        rechts->addWidget(k);
        connect(k, &QPushButton::clicked, this, [this, tun] { auffrischen(tun(name_->text().toStdString())); });
    };
    knopf("Speichern", "&Speichern",
          [this](const std::string& n) { return bedienung_.speichern(n, mitKalibrierung_->isChecked()); });
    knopf("Laden", "&Laden", [this](const std::string& n) { return bedienung_.laden(n); });
    knopf("Umbenennen", "&Umbenennen", [this](const std::string& n) { return bedienung_.umbenennen(n); });
    knopf("Loeschen", "L&öschen", [this](const std::string& n) { return bedienung_.loeschen(n); });
    knopf("Importieren", "&Importieren…", [this](const std::string&) { return bedienung_.importieren(); });
    knopf("Exportieren", "&Exportieren…", [this](const std::string& n) { return bedienung_.exportieren(n); });
    rechts->addStretch();
    auto* schliessen = new QPushButton(QString::fromUtf8("S&chließen"), this);
    schliessen->setObjectName(QStringLiteral("Schliessen"));
    schliessen->setAutoDefault(false);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);
    rechts->addWidget(schliessen);

    auto* spalten = new QHBoxLayout(this);
    spalten->addLayout(links);
    spalten->addLayout(rechts);

    connect(liste_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (!text.isEmpty()) name_->setText(text);
    });
    connect(liste_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { auffrischen(bedienung_.laden(item->text().toStdString())); });
    auffrischen({});
}

void VoreinstellungenDialog::auffrischen(const std::string& name) {
    const QString gewaehlt = QString::fromStdString(name);
    const QSignalBlocker still(liste_);
    liste_->clear();
    for (const auto& n : bedienung_.namen()) {
        liste_->addItem(QString::fromStdString(n));
        if (n == name) liste_->setCurrentRow(liste_->count() - 1);
    }
    name_->setText(gewaehlt);
}

}  // namespace qzl::ui
