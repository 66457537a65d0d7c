#include "ui/messmarken_fenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "state/frequenz_text.h"
#include "state/hz_text.h"

namespace qzl::ui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

enum ArtIndex { normal, delta, spitze, minimum, band };

// As the window writes frequencies ("10.700.000 Hz", "10,7 MHz") or as a script does ("10.7M").
std::optional<std::int64_t> hz(const QLineEdit* feld) {
    const std::string text = feld->text().toStdString();
    if (const auto f = frequenzLesen(text)) return *f;
    return hertzLesen(text);
}

}  // namespace

MessmarkenFenster::MessmarkenFenster(MarkenBedienung& bedienung, QWidget* parent)
    : QWidget(parent, Qt::Tool), bedienung_(bedienung) {
    setObjectName(QStringLiteral("Messmarken"));
    setWindowTitle(QStringLiteral("Messmarken"));
    auto* spalten = new QVBoxLayout(this);

    tabelle_ = new QTableWidget(anzahlMessmarken, 5, this);
    tabelle_->setHorizontalHeaderLabels(
        {QStringLiteral("Nr."), QStringLiteral("Art"), QStringLiteral("Frequenz"), QStringLiteral("Pegel"),
         QString::fromUtf8("Δ / Band")});
    tabelle_->verticalHeader()->hide();
    tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabelle_->horizontalHeader()->setStretchLastSection(true);
    tabelle_->setMinimumWidth(620);
    for (int z = 0; z < anzahlMessmarken; ++z)
        for (int s = 0; s < 5; ++s) tabelle_->setItem(z, s, new QTableWidgetItem);
    connect(tabelle_, &QTableWidget::currentCellChanged, this, [this](int zeile, int, int, int) {
        if (zeile >= 0 && zeile + 1 != aktiv()) bedienung_.aktivieren(zeile + 1);
        auffrischen();
    });
    spalten->addWidget(tabelle_);

    auto* form = new QFormLayout;
    an_ = new QCheckBox(QStringLiteral("an"), this);
    art_ = new QComboBox(this);
    art_->addItems({QStringLiteral("Normal"), QStringLiteral("Delta"), QStringLiteral("Spitze"),
                    QStringLiteral("Minimum"), QStringLiteral("Band")});
    frequenz_ = new QLineEdit(this);
    bezug_ = new QSpinBox(this);
    bezug_->setRange(1, anzahlMessmarken);
    ndb_ = new QDoubleSpinBox(this);
    ndb_->setRange(0.1, 200);
    ndb_->setDecimals(1);
    ndb_->setValue(3);
    ndb_->setSuffix(QStringLiteral(" dB"));
    ganz_ = new QCheckBox(QStringLiteral("ganzer Durchlauf"), this);
    von_ = new QLineEdit(this);
    bis_ = new QLineEdit(this);
    frequenz_->setObjectName(QStringLiteral("Frequenz"));
    von_->setObjectName(QStringLiteral("Von"));
    bis_->setObjectName(QStringLiteral("Bis"));
    folgen_ = new QCheckBox(QString::fromUtf8("folgt der Kurve bei jedem Durchlauf"), this);
    auto* bereich = new QHBoxLayout;
    bereich->addWidget(ganz_);
    bereich->addWidget(von_);
    bereich->addWidget(new QLabel(QStringLiteral("bis"), this));
    bereich->addWidget(bis_);
    form->addRow(QStringLiteral("Messmarke:"), an_);
    form->addRow(QStringLiteral("Art:"), art_);
    form->addRow(QStringLiteral("Frequenz:"), frequenz_);
    form->addRow(QStringLiteral("Delta zu:"), bezug_);
    form->addRow(QStringLiteral("Band:"), ndb_);
    form->addRow(QStringLiteral("Suchbereich:"), bereich);
    form->addRow(QString(), folgen_);
    spalten->addLayout(form);

    auto* knoepfe = new QHBoxLayout;
    const auto knopf = [&](const char* text, auto tun) {
        auto* k = new QPushButton(QString::fromUtf8(text), this);
        connect(k, &QPushButton::clicked, this, tun);
        knoepfe->addWidget(k);
    };
    knopf("&Übernehmen", [this] { uebernehmen(); });
    knopf("&Spitze", [this] { antwort(bedienung_.suchen(aktiv(), Suche::maximum)); });
    knopf("M&inimum", [this] { antwort(bedienung_.suchen(aktiv(), Suche::minimum)); });
    knopf("◀ Spitze", [this] { antwort(bedienung_.spitze(aktiv(), false)); });
    knopf("Spitze ▶", [this] { antwort(bedienung_.spitze(aktiv(), true)); });
    spalten->addLayout(knoepfe);
    meldung_ = new QLabel(this);
    meldung_->setWordWrap(true);
    spalten->addWidget(meldung_);

    // Changes come from elsewhere too; a tenth of a second is quick enough to read.
    auto* takt = new QTimer(this);
    connect(takt, &QTimer::timeout, this, [this] {
        if (isVisible() && bedienung_.version() != version_) auffrischen();
    });
    takt->start(100);
}

int MessmarkenFenster::aktiv() const { return std::max(tabelle_->currentRow(), 0) + 1; }

void MessmarkenFenster::auffrischen() {
    const MarkenTafel t = bedienung_.tafel();
    version_ = bedienung_.version();
    for (int z = 0; z < anzahlMessmarken; ++z) {
        const MarkenZeile& zeile = t.zeilen[static_cast<std::size_t>(z)];
        const std::string texte[] = {zeile.nummer, zeile.art, zeile.frequenz, zeile.pegel, zeile.werte};
        for (int s = 0; s < 5; ++s) tabelle_->item(z, s)->setText(q(texte[s]));
    }
    if (tabelle_->currentRow() != t.e.aktiv - 1) {
        const QSignalBlocker still(tabelle_);
        tabelle_->setCurrentCell(t.e.aktiv - 1, 0);
    }
    editorFuellen(t);
}

void MessmarkenFenster::editorFuellen(const MarkenTafel& t) {
    // What the user is setting stays, while passes come and go, until it is
    // taken or another marker is chosen; the row above shows the marker as it is.
    if (editorMarke_ == t.e.aktiv) return;
    editorMarke_ = t.e.aktiv;
    const Messmarke& m = t.e.marken[static_cast<std::size_t>(t.e.aktiv - 1)];
    an_->setChecked(m.an);
    art_->setCurrentIndex(m.bandDb ? band : m.bezug ? delta : m.suche == Suche::maximum ? spitze
                                                        : m.suche == Suche::minimum ? minimum
                                                                                    : normal);
    frequenz_->setText(q(hzText(m.frequenz)));
    if (m.bezug) bezug_->setValue(m.bezug);
    if (m.bandDb) ndb_->setValue(*m.bandDb);
    ganz_->setChecked(!m.bereich);
    von_->setText(m.bereich ? q(hzText(m.bereich->first)) : QString());
    bis_->setText(m.bereich ? q(hzText(m.bereich->second)) : QString());
    folgen_->setChecked(m.verfolgen);
}

void MessmarkenFenster::uebernehmen() {
    const int n = aktiv();
    Messmarke m;
    m.an = an_->isChecked();
    const auto f = hz(frequenz_);
    if (!f) return antwort("Die Frequenz ist keine Zahl in Hz.");
    m.frequenz = *f;
    const int art = art_->currentIndex();
    m.verfolgen = folgen_->isChecked();
    if (art == delta) m.bezug = bezug_->value();
    if (art == band) m.bandDb = ndb_->value();
    // A band that follows the curve follows its peak.
    m.suche = art == spitze || (art == band && m.verfolgen) ? Suche::maximum
              : art == minimum                              ? Suche::minimum
                                                            : Suche::keine;
    if (!ganz_->isChecked()) {
        const auto von = hz(von_), bis = hz(bis_);
        if (!von || !bis) return antwort("Der Suchbereich braucht zwei Frequenzen in Hz.");
        m.bereich = std::pair{std::min(*von, *bis), std::max(*von, *bis)};
    }
    std::string fehler = bedienung_.aendern(n, m);
    if (fehler.empty() && m.an && m.suche != Suche::keine) fehler = bedienung_.suchen(n, m.suche);
    antwort(fehler);
}

void MessmarkenFenster::antwort(const std::string& fehler) {
    meldung_->setText(q(fehler));
    editorMarke_ = 0;
    auffrischen();
}

}  // namespace qzl::ui
