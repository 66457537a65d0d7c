#include "ui/quarz_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/bildschirm_mittig.h"

namespace qzl::ui {

QuarzDialog::QuarzDialog(const Quarztafel& tafel, std::function<void()> kopieren, QWidget* parent)
    : QDialog(parent, dialogRahmen) {
    setObjectName(QStringLiteral("Quarzanalyse"));
    setWindowTitle(QStringLiteral("Quarzanalyse"));

    auto* tabelle = new QGridLayout;
    tabelle->setHorizontalSpacing(16);
    int zeile = 0;
    for (const auto& [name, wert] : tafel.zeilen) {
        auto* n = new QLabel(QString::fromStdString(name + ":"), this);
        auto* w = new QLabel(QString::fromStdString(wert), this);
        w->setObjectName(QString::fromStdString("Wert " + name));
        // Figures right-aligned, so that their units stand in a column.
        w->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        w->setTextInteractionFlags(Qt::TextSelectableByMouse);
        tabelle->addWidget(n, zeile, 0);
        tabelle->addWidget(w, zeile, 1);
        ++zeile;
    }
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(tabelle);
    if (!tafel.warnung.empty()) {
        auto* warnung = new QLabel(QString::fromStdString(tafel.warnung), this);
        warnung->setObjectName(QStringLiteral("Warnung"));
        warnung->setTextFormat(Qt::PlainText);
        warnung->setWordWrap(true);
        warnung->setStyleSheet(QStringLiteral("color: #a00000"));
        spalte->addWidget(warnung);
    }

    auto* kopierKnopf = new QPushButton(QStringLiteral("Kopieren"), this);
    kopierKnopf->setObjectName(QStringLiteral("Kopieren"));
    kopierKnopf->setAutoDefault(false);
    connect(kopierKnopf, &QPushButton::clicked, this, [kopieren = std::move(kopieren)] { kopieren(); });
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(kopierKnopf);
    knoepfe->addWidget(ok);
    spalte->addLayout(knoepfe);
    spalte->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace qzl::ui
