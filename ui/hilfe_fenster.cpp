#include "ui/hilfe_fenster.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qzl::ui {

HilfeFenster::HilfeFenster(const QString& inhalt, QWidget* eltern)
    : QWidget(eltern, Qt::Window), inhalt_(inhalt), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Quarzolin – Hilfe"));
    resize(720, 600);
    browser_->setObjectName(QStringLiteral("HilfeText"));
    browser_->setOpenExternalLinks(true);

    auto* inhaltKnopf = new QPushButton(QStringLiteral("&Inhalt"), this);
    auto* zurueck = new QPushButton(QStringLiteral("&Zurück"), this);
    auto* vor = new QPushButton(QStringLiteral("&Vor"), this);
    inhaltKnopf->setObjectName(QStringLiteral("HilfeInhalt"));
    zurueck->setObjectName(QStringLiteral("HilfeZurueck"));
    vor->setObjectName(QStringLiteral("HilfeVor"));
    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(inhaltKnopf, &QPushButton::clicked, this, &HilfeFenster::inhaltZeigen);
    connect(zurueck, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);

    // As in every help viewer: F1 leads back to the contents, Escape closes.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &HilfeFenster::inhaltZeigen);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(inhaltKnopf);
    knoepfe->addWidget(zurueck);
    knoepfe->addWidget(vor);
    knoepfe->addStretch();
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(knoepfe);
    spalte->addWidget(browser_);
}

void HilfeFenster::inhaltZeigen() {
    // The viewer's own word when the help is missing; the program adds none.
    if (QFileInfo::exists(inhalt_))
        browser_->setSource(QUrl::fromLocalFile(inhalt_));
    else
        browser_->setPlainText(QStringLiteral("Die Hilfedatei %1 wurde nicht gefunden.").arg(inhalt_));
    show();
    raise();
    activateWindow();
}

}  // namespace qzl::ui
