// Layout, texts, enabled states and menu tree of the main window, checked
// against tables written out here on their own.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "fenster_fixture.h"

using qzl::Element;

namespace {

struct Knopf {
    Element e;
    const char* name;
    QRect rahmen;
    const char* text;
    bool aktiv;
};

const Knopf knoepfe[] = {
    {Element::Button5, "Button5", {656, 0, 121, 25}, "&Start", true},
    {Element::Button6, "Button6", {656, 32, 121, 25}, "Sto&p", false},
    {Element::Button3, "Button3", {656, 96, 49, 25}, "&Minus", true},
    {Element::Button2, "Button2", {728, 96, 49, 25}, "Pl&us", true},
    {Element::Button1, "Button1", {656, 128, 121, 25}, "&Frequenz", true},
    {Element::Button4, "Button4", {656, 192, 121, 25}, "Schritt&weite", true},
    {Element::Button12, "Button12", {656, 256, 41, 25}, "&-", true},
    {Element::Button13, "Button13", {736, 256, 41, 25}, "&+", true},
    {Element::Button14, "Button14", {656, 288, 121, 25}, "&Cursor", true},
    {Element::Button7, "Button7", {656, 520, 121, 25}, "&Quit", true},
    {Element::Button19, "Button19", {424, 8, 33, 17}, "max", true},
    {Element::Button16, "Button16", {472, 8, 41, 17}, "lo&g.", true},
    {Element::Button17, "Button17", {528, 8, 41, 17}, "li&n.", true},
    {Element::Button18, "Button18", {584, 8, 41, 17}, "Smith", false},
    {Element::Button8, "Button8", {8, 520, 113, 25}, "Durchgangsmessung", true},
    {Element::Button9, "Button9", {136, 520, 121, 25}, "Reflexionsmessung", true},
    {Element::Button10, "Button10", {272, 520, 113, 25}, "Spektralmessung", true},
    {Element::Button11, "Button11", {400, 520, 113, 25}, "Label", true},
    {Element::Button15, "Button15", {528, 520, 113, 25}, "VFO", true},
};

struct Beschriftung {
    Element e;  // Anzahl: a fixed caption, found by its text
    const char* name;
    bool inGruppe;
    QPoint ort;
    const char* text;
    bool fett;
};

const Beschriftung beschriftungen[] = {
    {Element::Label1, "Label1", false, {656, 72}, "", true},
    {Element::Label2, "Label2", false, {656, 168}, "", true},
    {Element::Label12, "Label12", false, {656, 232}, "", false},
    {Element::Label5, "Label5", false, {16, 8}, "Durchgangsmessung", false},
    {Element::LabelDifferenz, "LabelDifferenz", false, {260, 8}, "", false},
    {Element::Anzahl, "", true, {8, 8}, "Maximum:", false},
    {Element::Label7, "Label7", true, {8, 24}, "", false},
    {Element::Anzahl, "", true, {8, 40}, "Minimum:", false},
    {Element::Label8, "Label8", true, {8, 56}, "", false},
    {Element::Anzahl, "", true, {8, 80}, "Bandbreite", false},
    {Element::Label9, "Label9", true, {8, 96}, "", false},
    {Element::Label10, "Label10", true, {8, 112}, "", false},
    {Element::Label11, "Label11", true, {8, 128}, "", false},
    {Element::Anzahl, "", true, {8, 152}, "Cursor:", false},
    {Element::Label14, "Label14", true, {8, 168}, "", false},
};

struct Punkt {
    Element e;  // Anzahl: separator
    const char* name;
    const char* text;
    const char* taste;
    bool aktiv;
    bool abhakbar;
};
const Punkt T{Element::Anzahl, "", "", "", true, false};

struct Menue {
    Element e;
    const char* name;
    const char* titel;
    std::vector<Punkt> punkte;
};

const std::vector<Menue> menues = {
    {Element::Datei1, "Datei1", "&Datei",
     {{Element::ffnen1, "ffnen1", "&Öffnen", "F3", true, false},
      {Element::Speichern1, "Speichern1", "&Speichern", "F2", true, false},
      T,
      {Element::MessreiheSpeichern1, "MessreiheSpeichern1", "Messreihe S&peichern", "", true, false},
      {Element::Exportieren1, "Exportieren1", "&Exportieren…", "", true, false},
      {Element::Messreiheladen1, "Messreiheladen1", "Messreihe &Laden", "", true, false},
      {Element::ReferenzLaden1, "ReferenzLaden1", "Messreihe als &Referenz laden…", "", true, false},
      T,
      {Element::Diagrammdrucken1, "Diagrammdrucken1", "&Diagramm drucken", "", true, false},
      T,
      {Element::Beenden1, "Beenden1", "&Beenden", "Alt+F4", true, false}}},
    {Element::Messung1, "Messung1", "&Messung",
     {{Element::Durchgangsmessung1, "Durchgangsmessung1", "&Durchgangsmessung", "", true, false},
      {Element::Reflexionsmessung1, "Reflexionsmessung1", "&Reflexionsmessung", "", true, false},
      {Element::Spektralmessung1, "Spektralmessung1", "&Spektralmessung", "", true, false},
      T,
      {Element::VFO1, "VFO1", "&VFO", "", true, false},
      T,
      {Element::Messmarken1, "Messmarken1", "&Messmarken…", "F9", true, false},
      {Element::Referenzuebernehmen1, "Referenzuebernehmen1", "Referen&z übernehmen", "", true, false},
      {Element::Referenzverwerfen1, "Referenzverwerfen1", "Referenz verw&erfen", "", true, false},
      {Element::Differenzanzeigen1, "Differenzanzeigen1", "Di&fferenz anzeigen", "", true, true},
      {Element::Halten1, "Halten1", "&Halten", "", true, false},
      {Element::Grenzwerteladen1, "Grenzwerteladen1", "&Grenzwerte laden…", "", true, false},
      {Element::Grenzwerteverwerfen1, "Grenzwerteverwerfen1", "Grenzwerte ver&werfen", "", true, false},
      {Element::Grenzwertepruefen1, "Grenzwertepruefen1", "Grenzwerte &prüfen", "", true, true},
      T,
      {Element::Quarzanalysieren1, "Quarzanalysieren1", "&Quarz analysieren…", "", true, false}}},
    {Element::Einstellungen1, "Einstellungen1", "&Einstellungen",
     {{Element::Frequenz1, "Frequenz1", "Frequenz", "F5", true, false},
      {Element::Minus1, "Minus1", "Minus", "F6", true, false},
      {Element::Plus1, "Plus1", "Plus", "F7", true, false},
      {Element::Schrittweite1, "Schrittweite1", "Schrittweite", "F8", true, false},
      T,
      {Element::ZFEingabe1, "ZFEingabe1", "ZF Eingabe", "", false, false},
      {Element::Zwischenfrequenz1, "Zwischenfrequenz1", "Zwischenfrequenz einrechnen", "", false, true},
      {Element::AdditionvsSubtraktion1, "AdditionvsSubtraktion1", "Addition vs. Subtraktion", "", false, true},
      T,
      {Element::Bandbreite1, "Bandbreite1", "&Optionen", "", true, false},
      {Element::Voreinstellungen1, "Voreinstellungen1", "&Voreinstellungen…", "", true, false}}},
    {Element::Eichung1, "Eichung1", "&Kalibrieren",
     {{Element::Durchgangsmessung2, "Durchgangsmessung2", "&Durchgangsmessung", "", true, false},
      T,
      {Element::Reflexionsmessung2, "Reflexionsmessung2", "&Reflexionsmessung", "", false, false},
      {Element::Linie11, "Linie11", "Linie &1", "", false, false},
      {Element::Linie21, "Linie21", "Linie &2", "", false, false},
      {Element::Linie31, "Linie31", "Linie &3", "", false, false},
      {Element::Linie41, "Linie41", "Linie &4", "", false, false},
      {Element::Linie51, "Linie51", "Linie &5", "", false, false},
      {Element::Linie61, "Linie61", "Linie &6", "", false, false},
      {Element::Linie71, "Linie71", "Linie &7", "", false, false},
      T,
      {Element::Spektralmessung2, "Spektralmessung2", "&Spektralmessung", "", false, false},
      T,
      {Element::Taktgenerator1, "Taktgenerator1", "&Taktgenerator", "", true, false}}},
    {Element::N1, "N1", "&?",
     {{Element::Hilfe1, "Hilfe1", "Hilfe", "", true, false},
      {Element::ber1, "ber1", "Über", "", true, false}}},
};

const std::vector<Punkt> haltenPunkte = {
    {Element::HaltenAus1, "HaltenAus1", "&Aus", "", true, false},
    {Element::HaltenMaximum1, "HaltenMaximum1", "Ma&ximum", "", true, true},
    {Element::HaltenMinimum1, "HaltenMinimum1", "M&inimum", "", true, true},
    {Element::HaltenMittelwert1, "HaltenMittelwert1", "&Mittelwert…", "", true, true},
};

}  // namespace

TEST_F(FensterTest, KnoepfeStehenMitTextUndZustandAmPlatzUndLoesenIhrElementAus) {
    for (const auto& k : knoepfe) {
        SCOPED_TRACE(k.name);
        auto* knopf = fenster.findChild<QPushButton*>(k.name);
        ASSERT_NE(knopf, nullptr);
        EXPECT_EQ(knopf->parentWidget(), fenster.centralWidget());
        EXPECT_EQ(knopf->geometry(), k.rahmen);
        EXPECT_EQ(knopf->text(), QString::fromUtf8(k.text));
        EXPECT_EQ(fenster.text(k.e), k.text);
        EXPECT_EQ(fenster.aktiv(k.e), k.aktiv);
        EXPECT_EQ(knopf->isEnabled(), k.aktiv);

        fenster.aktivieren(k.e, true);
        ausgeloest.clear();
        knopf->click();
        EXPECT_EQ(ausgeloest, std::vector<Element>{k.e});
        fenster.aktivieren(k.e, false);
        EXPECT_FALSE(knopf->isEnabled());
        knopf->click();
        EXPECT_EQ(ausgeloest.size(), 1u);
    }
}

TEST_F(FensterTest, BeschriftungenStehenAmPlatzUndPassenIhreGroesseDemTextAn) {
    auto* gruppe = fenster.findChild<QGroupBox*>("GroupBox1");
    ASSERT_NE(gruppe, nullptr);
    EXPECT_EQ(gruppe->geometry(), QRect(656, 320, 121, 193));
    EXPECT_TRUE(gruppe->title().isEmpty());

    for (const auto& b : beschriftungen) {
        SCOPED_TRACE(std::string(b.name) + b.text);
        QWidget* eltern = b.inGruppe ? static_cast<QWidget*>(gruppe) : fenster.centralWidget();
        QLabel* label = nullptr;
        for (auto* l : eltern->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (b.e != Element::Anzahl ? l->objectName() == b.name : l->text() == b.text) label = l;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->pos(), b.ort);
        EXPECT_EQ(label->text(), QString::fromUtf8(b.text));
        EXPECT_TRUE(label->isEnabled());  // a greyed read-out is hard to read
        EXPECT_EQ(label->size(), label->sizeHint());
        EXPECT_EQ(label->font().bold(), b.fett);
        if (b.fett) {
            EXPECT_EQ(label->font().pixelSize(), 13);
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        if (b.e == Element::Anzahl) continue;

        EXPECT_EQ(fenster.text(b.e), b.text);
        const QSize vorher = label->size();
        fenster.textSetzen(b.e, "35.000.000 Hz und noch etwas mehr");
        EXPECT_EQ(fenster.text(b.e), "35.000.000 Hz und noch etwas mehr");
        EXPECT_EQ(label->pos(), b.ort);
        EXPECT_EQ(label->size(), label->sizeHint());
        EXPECT_GT(label->width(), vorher.width());
    }
}

// The verdict stands flush right before the heading's buttons, clear of the
// heading itself, whatever its length.
TEST_F(FensterTest, UrteilRechtsBuendigInDerKopfzeile) {
    auto* urteil = fenster.findChild<QLabel*>(QStringLiteral("LabelUrteil"));
    auto* kopf = fenster.findChild<QLabel*>(QStringLiteral("Label5"));
    ASSERT_TRUE(urteil && kopf);
    EXPECT_TRUE(urteil->font().bold());
    EXPECT_EQ(fenster.text(Element::LabelUrteil), "");
    fenster.textSetzen(Element::Label5, "Durchgangsmessung   09.12.2026  04:35:12");
    for (const char* text : {"BESTANDEN", "FEHLER bei 11.200.000 Hz", "BESTANDEN (Demo)"}) {
        SCOPED_TRACE(text);
        fenster.textSetzen(Element::LabelUrteil, text);
        EXPECT_EQ(urteil->geometry().right() + 1, 414);
        EXPECT_EQ(urteil->y(), 8);
        EXPECT_GT(urteil->x(), kopf->geometry().right());
    }
}

TEST_F(FensterTest, MenueBaumMitTrennernTastenUndZustaenden) {
    QMenuBar* leiste = fenster.menuBar();
    EXPECT_EQ(leiste->objectName(), "MainMenu1");
    // The caption, the timers and the file dialogs have nothing to enable.
    for (Element e : {Element::Caption, Element::Timer1, Element::OpenDialog2}) EXPECT_FALSE(fenster.aktiv(e));
    const QList<QAction*> titel = leiste->actions();
    ASSERT_EQ(titel.size(), static_cast<qsizetype>(menues.size()));
    for (std::size_t m = 0; m < menues.size(); ++m) {
        const Menue& soll = menues[m];
        SCOPED_TRACE(soll.name);
        QMenu* menue = titel[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menue, nullptr);
        EXPECT_EQ(menue->objectName(), soll.name);
        EXPECT_EQ(menue->title(), QString::fromUtf8(soll.titel));
        EXPECT_TRUE(fenster.aktiv(soll.e));
        fenster.aktivieren(soll.e, false);
        EXPECT_FALSE(menue->menuAction()->isEnabled());
        EXPECT_FALSE(fenster.aktiv(soll.e));
        fenster.aktivieren(soll.e, true);

        QList<QAction*> ist = menue->actions();
        std::vector<Punkt> punkte = soll.punkte;
        // The submenu's items follow the menu's own entries.
        if (soll.e == Element::Messung1) {
            const auto unter = std::ranges::find_if(ist, [](QAction* a) { return a->menu() != nullptr; });
            ASSERT_NE(unter, ist.end());
            ist += (*unter)->menu()->actions();
            punkte.insert(punkte.end(), haltenPunkte.begin(), haltenPunkte.end());
        }
        ASSERT_EQ(ist.size(), static_cast<qsizetype>(punkte.size()));
        for (std::size_t i = 0; i < punkte.size(); ++i) {
            const Punkt& p = punkte[i];
            QAction* a = ist[static_cast<qsizetype>(i)];
            SCOPED_TRACE(i);
            EXPECT_EQ(a->isSeparator(), p.e == Element::Anzahl);
            if (a->isSeparator()) continue;
            EXPECT_EQ(a->objectName(), p.name);
            EXPECT_EQ(a->text(), QString::fromUtf8(p.text));
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(p.taste)));
            EXPECT_EQ(a->isEnabled(), p.aktiv);
            EXPECT_EQ(fenster.aktiv(p.e), p.aktiv);
            EXPECT_EQ(a->isCheckable(), p.abhakbar);
            EXPECT_FALSE(a->isChecked());

            fenster.aktivieren(p.e, true);
            if (a->menu()) continue;
            ausgeloest.clear();
            a->trigger();
            EXPECT_EQ(ausgeloest, std::vector<Element>{p.e});
        }
    }
}

TEST_F(FensterTest, FensterHatFesteGroesseUndKeinenMaximierknopf) {
    EXPECT_EQ(fenster.windowTitle(), "Quarzolin (MIRFO)");
    const Qt::WindowFlags f = fenster.windowFlags();
    EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowTitleHint));

    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    EXPECT_EQ(fenster.centralWidget()->size(), QSize(792, 554));
    EXPECT_EQ(fenster.minimumSize(), fenster.maximumSize());
    EXPECT_EQ(fenster.size(), fenster.minimumSize());
    EXPECT_EQ(fenster.centralWidget()->y(), fenster.menuBar()->height());

    fenster.startGeometrie();
    EXPECT_EQ(fenster.pos(), QPoint(1, 1));

    fenster.textSetzen(Element::Caption, "Quarzolin 7 Demo");
    EXPECT_EQ(fenster.windowTitle(), "Quarzolin 7 Demo");
    EXPECT_EQ(fenster.text(Element::Caption), "Quarzolin 7 Demo");
}

// The longest read-out of each label and every button caption must be readable
// whole with the window's font: nothing is cut off at the panel or window edge.
TEST_F(FensterTest, AblesungenUndKnopftextePassenGanz) {
    const struct {
        Element e;
        const char* name;
        const char* laengster;
    } ablesungen[] = {
        {Element::Label7, "Label7", "-2.147.483.648 Hz -80 dB"}, {Element::Label8, "Label8", "-2.147.483.648 Hz 0,750"},
        {Element::Label9, "Label9", "-2.147.483.648 Hz"},        {Element::Label10, "Label10", "-2.147.483.648 Hz"},
        {Element::Label11, "Label11", "2.147.483.647 Hz (6 dB)"}, {Element::Label14, "Label14", "-2.147.483.648 Hz -80 dB"},
        {Element::Label12, "Label12", "-2.147.483.648 Hz"},       {Element::Label1, "Label1", "-2.147.483.648 Hz"},
        {Element::Label2, "Label2", "-2.147.483.648 Hz"},
    };
    for (const auto& a : ablesungen) {
        fenster.textSetzen(a.e, a.laengster);
        auto* label = fenster.findChild<QLabel*>(a.name);
        ASSERT_NE(label, nullptr);
        const QWidget* eltern = label->parentWidget();
        const int rechterRand = eltern == fenster.centralWidget() ? 792 : eltern->contentsRect().right() + 1;
        const int breite = label->fontMetrics().horizontalAdvance(QString::fromUtf8(a.laengster));
        EXPECT_LE(label->x() + breite, rechterRand) << a.laengster;
        EXPECT_EQ(label->font().family(), "Liberation Sans Narrow");
    }
    for (const auto& k : knoepfe) {
        auto* knopf = fenster.findChild<QPushButton*>(k.name);
        const QString text = QString::fromUtf8(k.text).remove(QLatin1Char('&'));
        // two pixels of frame on either side
        EXPECT_LE(knopf->fontMetrics().horizontalAdvance(text) + 4, knopf->width()) << k.name;
    }
}
