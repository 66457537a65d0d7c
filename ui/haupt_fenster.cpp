#include "ui/haupt_fenster.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTimer>

#include <utility>

#include "handlers/markenbedienung.h"
#include "ui/bild_flaeche.h"
#include "ui/fenster_tabelle.h"
#include "ui/messmarken_fenster.h"

namespace qzl {

namespace {

std::size_t index(Element e) { return static_cast<std::size_t>(e); }

QString qText(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

HauptFenster::HauptFenster(const InstrumentState& st, std::function<void(Element)> ausloesen,
                           QWidget* parent)
    : QMainWindow(parent), st_(st), ausloesen_(std::move(ausloesen)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Quarzolin (MIRFO)"));
    // Before any child exists, so that labels size themselves with the final font.
    setFont(fensterSchrift());

    flaeche_ = new ui::BildFlaeche(st.anzeigeBitmap, this);
    setCentralWidget(flaeche_);
    menueAnlegen();
    steuerelementeAnlegen();
    timerAnlegen();
    // The window is exactly the client area plus the menu bar; no resizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Alt+M belongs to both "&Minus" and "&Messung"; the button wins, as users
    // of the program know it.
    menuBar()->installEventFilter(this);
    for (auto* knopf : flaeche_->findChildren<QPushButton*>()) knopf->installEventFilter(this);
    flaeche_->installEventFilter(this);
    installEventFilter(this);
    // F1 asks for help as everywhere on the desktop; the menu item keeps its
    // caption without a key.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [this] {
        if (QAction* hilfe = aktion(Element::Hilfe1); hilfe && hilfe->isEnabled()) hilfe->trigger();
    });
}

bool HauptFenster::eventFilter(QObject* objekt, QEvent* event) {
    // Ctrl+C copies the pass the diagram shows, whichever control has the focus.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        ausloesen_(Element::Kopieren1);
        return true;
    }
    if (markenBedienung_ && event->type() == QEvent::KeyPress) {
        // The arrows step the active marker while it is on; else they do what they did.
        const auto* taste = static_cast<QKeyEvent*>(event);
        const int schritt = (taste->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        if (taste->key() == Qt::Key_Left && markenBedienung_->taste(-schritt)) return true;
        if (taste->key() == Qt::Key_Right && markenBedienung_->taste(schritt)) return true;
        // While a sweep has the menus disabled, the markers' window still opens.
        if (taste->key() == Qt::Key_F9 && !aktiv(Element::Messung1)) {
            messmarkenZeigen();
            return true;
        }
    }
    if (markenBedienung_ && objekt == flaeche_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        const auto* maus = static_cast<QMouseEvent*>(event);
        const QPoint stelle = maus->position().toPoint() - QPoint(ui::bildLinks, ui::bildOben);
        if ((maus->buttons() & Qt::LeftButton) && stelle.x() >= 1 && stelle.x() <= rasterBreite && stelle.y() >= 1 &&
            stelle.y() <= rasterHoehe && markenBedienung_->klick(stelle.x()))
            return true;
    }
    if (event->type() == QEvent::Shortcut) {
        auto* kurz = static_cast<QShortcutEvent*>(event);
        if (kurz->isAmbiguous()) {
            for (auto* knopf : flaeche_->findChildren<QPushButton*>()) {
                if (knopf->isEnabled() && knopf->isVisible() &&
                    QKeySequence::mnemonic(knopf->text()) == kurz->key()) {
                    knopf->animateClick();
                    return true;
                }
            }
        }
    }
    return QMainWindow::eventFilter(objekt, event);
}

HauptFenster::~HauptFenster() = default;

QFont HauptFenster::fensterSchrift() {
    QFont schrift(QStringLiteral("Liberation Sans Narrow"));
    schrift.setPixelSize(11);
    return schrift;
}

void HauptFenster::startGeometrie() { move(1, 1); }

void HauptFenster::steuerelementeAnlegen() {
    QGroupBox* gruppe = nullptr;
    for (const auto& s : ui::steuerelemente()) {
        QWidget* eltern = s.inGruppe ? static_cast<QWidget*>(gruppe) : flaeche_;
        QWidget* w = nullptr;
        switch (s.art) {
        case ui::Art::Knopf: {
            auto* knopf = new QPushButton(qText(s.text), eltern);
            knopf->setGeometry(s.links, s.oben, s.breite, s.hoehe);
            const Element e = s.element;
            connect(knopf, &QPushButton::clicked, this, [this, e] { ausloesen_(e); });
            w = knopf;
            break;
        }
        case ui::Art::Beschriftung: {
            auto* label = new QLabel(eltern);
            label->setTextFormat(Qt::PlainText);
            if (s.fett) {
                QFont f = label->font();
                f.setBold(true);
                f.setPixelSize(13);
                label->setFont(f);
                QPalette farben = label->palette();
                farben.setColor(QPalette::WindowText, Qt::black);
                label->setPalette(farben);
            }
            label->setText(qText(s.text));
            label->move(s.links, s.oben);
            label->adjustSize();
            if (s.breite > 0) {
                label->setProperty("rechtsBis", s.links + s.breite);
                label->move(s.links + s.breite - label->width(), s.oben);
            }
            w = label;
            break;
        }
        case ui::Art::Gruppe:
            gruppe = new QGroupBox(eltern);
            gruppe->setGeometry(s.links, s.oben, s.breite, s.hoehe);
            w = gruppe;
            break;
        }
        w->setObjectName(qText(s.name));
        w->setEnabled(s.aktiv);
        if (s.element != Element::Anzahl) objekte_[index(s.element)] = w;
    }
}

void HauptFenster::menueAnlegen() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* menue = nullptr;
    QMenu* oberMenue = nullptr;  // while a submenu is filled: the menu it belongs to
    for (const auto& m : ui::menueBaum()) {
        switch (m.art) {
        case ui::MenueArt::Menue:
            menue = menuBar()->addMenu(qText(m.text));
            menue->setObjectName(qText(m.name));
            menue->menuAction()->setObjectName(qText(m.name));
            objekte_[index(m.element)] = menue->menuAction();
            break;
        case ui::MenueArt::Untermenue:
            oberMenue = menue;
            menue = menue->addMenu(qText(m.text));
            menue->setObjectName(qText(m.name));
            menue->menuAction()->setObjectName(qText(m.name));
            objekte_[index(m.element)] = menue->menuAction();
            break;
        case ui::MenueArt::UntermenueEnde:
            menue = oberMenue;
            break;
        case ui::MenueArt::Trenner:
            menue->addSeparator();
            break;
        case ui::MenueArt::Punkt: {
            QAction* a = menue->addAction(qText(m.text));
            a->setObjectName(qText(m.name));
            if (*m.taste) a->setShortcut(QKeySequence(qText(m.taste), QKeySequence::PortableText));
            a->setCheckable(m.abhakbar);
            a->setEnabled(m.aktiv);
            const Element e = m.element;
            connect(a, &QAction::triggered, this, [this, a, e](bool gehakt) {
                // Only the handler decides about the check mark, so undo Qt's own toggle.
                if (a->isCheckable()) a->setChecked(!gehakt);
                ausloesen_(e);
            });
            objekte_[index(e)] = a;
            break;
        }
        }
    }
}

void HauptFenster::timerAnlegen() {
    const std::pair<Element, int> timerListe[] = {{Element::Timer2, 10}, {Element::Timer1, 1000}};
    for (const auto& [e, ms] : timerListe) {
        auto* t = new QTimer(this);
        t->setObjectName(e == Element::Timer1 ? QStringLiteral("Timer1") : QStringLiteral("Timer2"));
        t->setInterval(ms);
        connect(t, &QTimer::timeout, this, [this, e] { ausloesen_(e); });
        objekte_[index(e)] = t;
    }
}

void HauptFenster::schliessen() {
    schliessenAngefordert_ = true;
    close();
}

void HauptFenster::closeEvent(QCloseEvent* event) {
    // A close from outside (title bar, window manager) goes through the quit
    // handler, which may decline or end up in schliessen().
    if (!schliessenAngefordert_) ausloesen_(Element::Beenden1);
    if (schliessenAngefordert_)
        event->accept();
    else
        event->ignore();
}

QObject* HauptFenster::objekt(Element e) const {
    const auto i = index(e);
    return i < objekte_.size() ? objekte_[i] : nullptr;
}

QAction* HauptFenster::aktion(Element e) const { return qobject_cast<QAction*>(objekt(e)); }

QTimer* HauptFenster::timer(Element e) const { return qobject_cast<QTimer*>(objekt(e)); }

}  // namespace qzl
