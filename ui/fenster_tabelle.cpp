#include "ui/fenster_tabelle.h"

#include <array>

namespace qzl::ui {

namespace {

using E = Element;
constexpr Art K = Art::Knopf;
constexpr Art B = Art::Beschriftung;

// Read-out labels start empty: the start-up code and the evaluation fill them.
constexpr std::array tabelle{
    Steuerelement{E::Button5, "Button5", K, 656, 0, 121, 25, "&Start", true, false, false},
    Steuerelement{E::Button6, "Button6", K, 656, 32, 121, 25, "Sto&p", false, false, false},
    Steuerelement{E::Label1, "Label1", B, 656, 72, 0, 0, "", true, false, true},
    Steuerelement{E::Button3, "Button3", K, 656, 96, 49, 25, "&Minus", true, false, false},
    Steuerelement{E::Button2, "Button2", K, 728, 96, 49, 25, "Pl&us", true, false, false},
    Steuerelement{E::Button1, "Button1", K, 656, 128, 121, 25, "&Frequenz", true, false, false},
    Steuerelement{E::Label2, "Label2", B, 656, 168, 0, 0, "", true, false, true},
    Steuerelement{E::Button4, "Button4", K, 656, 192, 121, 25, "Schritt&weite", true, false, false},
    Steuerelement{E::Label12, "Label12", B, 656, 232, 0, 0, "", true, false, false},
    Steuerelement{E::Button12, "Button12", K, 656, 256, 41, 25, "&-", true, false, false},
    Steuerelement{E::Button13, "Button13", K, 736, 256, 41, 25, "&+", true, false, false},
    Steuerelement{E::Button14, "Button14", K, 656, 288, 121, 25, "&Cursor", true, false, false},
    Steuerelement{E::Anzahl, "GroupBox1", Art::Gruppe, 656, 320, 121, 193, "", true, false, false},
    Steuerelement{E::Anzahl, "", B, 8, 8, 0, 0, "Maximum:", true, true, false},
    Steuerelement{E::Label7, "Label7", B, 8, 24, 0, 0, "", true, true, false},
    Steuerelement{E::Anzahl, "", B, 8, 40, 0, 0, "Minimum:", true, true, false},
    Steuerelement{E::Label8, "Label8", B, 8, 56, 0, 0, "", true, true, false},
    Steuerelement{E::Anzahl, "", B, 8, 80, 0, 0, "Bandbreite", true, true, false},
    Steuerelement{E::Label9, "Label9", B, 8, 96, 0, 0, "", true, true, false},
    Steuerelement{E::Label10, "Label10", B, 8, 112, 0, 0, "", true, true, false},
    Steuerelement{E::Label11, "Label11", B, 8, 128, 0, 0, "", true, true, false},
    Steuerelement{E::Anzahl, "", B, 8, 152, 0, 0, "Cursor:", true, true, false},
    Steuerelement{E::Label14, "Label14", B, 8, 168, 0, 0, "", true, true, false},
    Steuerelement{E::Button7, "Button7", K, 656, 520, 121, 25, "&Quit", true, false, false},
    Steuerelement{E::Label5, "Label5", B, 16, 8, 0, 0, "Durchgangsmessung", true, false, false},
    // Empty, and so invisible, unless the difference to the reference is shown.
    Steuerelement{E::LabelDifferenz, "LabelDifferenz", B, 260, 8, 0, 0, "", true, false, false},
    // The limits' verdict, bold and flush right against the heading's buttons;
    // empty, and so invisible, while no limits judge.
    Steuerelement{E::LabelUrteil, "LabelUrteil", B, 160, 8, 254, 0, "", true, false, true},
    Steuerelement{E::Button19, "Button19", K, 424, 8, 33, 17, "max", true, false, false},
    Steuerelement{E::Button16, "Button16", K, 472, 8, 41, 17, "lo&g.", true, false, false},
    Steuerelement{E::Button17, "Button17", K, 528, 8, 41, 17, "li&n.", true, false, false},
    Steuerelement{E::Button18, "Button18", K, 584, 8, 41, 17, "Smith", false, false, false},
    Steuerelement{E::Button8, "Button8", K, 8, 520, 113, 25, "Durchgangsmessung", true, false, false},
    Steuerelement{E::Button9, "Button9", K, 136, 520, 121, 25, "Reflexionsmessung", true, false, false},
    Steuerelement{E::Button10, "Button10", K, 272, 520, 113, 25, "Spektralmessung", true, false, false},
    Steuerelement{E::Button11, "Button11", K, 400, 520, 113, 25, "Label", true, false, false},
    Steuerelement{E::Button15, "Button15", K, 528, 520, 113, 25, "VFO", true, false, false},
};

constexpr MenueArt M = MenueArt::Menue;
constexpr MenueArt P = MenueArt::Punkt;
constexpr MenueEintrag trenner{MenueArt::Trenner, E::Anzahl, "", "", "", true, false};

constexpr std::array menue{
    MenueEintrag{M, E::Datei1, "Datei1", "&Datei", "", true, false},
    MenueEintrag{P, E::ffnen1, "ffnen1", "&Öffnen", "F3", true, false},
    MenueEintrag{P, E::Speichern1, "Speichern1", "&Speichern", "F2", true, false},
    trenner,
    MenueEintrag{P, E::MessreiheSpeichern1, "MessreiheSpeichern1", "Messreihe S&peichern", "", true, false},
    MenueEintrag{P, E::Exportieren1, "Exportieren1", "&Exportieren…", "", true, false},
    MenueEintrag{P, E::Messreiheladen1, "Messreiheladen1", "Messreihe &Laden", "", true, false},
    MenueEintrag{P, E::ReferenzLaden1, "ReferenzLaden1", "Messreihe als &Referenz laden…", "", true, false},
    trenner,
    MenueEintrag{P, E::Diagrammdrucken1, "Diagrammdrucken1", "&Diagramm drucken", "", true, false},
    trenner,
    MenueEintrag{P, E::Beenden1, "Beenden1", "&Beenden", "Alt+F4", true, false},

    MenueEintrag{M, E::Messung1, "Messung1", "&Messung", "", true, false},
    MenueEintrag{P, E::Durchgangsmessung1, "Durchgangsmessung1", "&Durchgangsmessung", "", true, false},
    MenueEintrag{P, E::Reflexionsmessung1, "Reflexionsmessung1", "&Reflexionsmessung", "", true, false},
    MenueEintrag{P, E::Spektralmessung1, "Spektralmessung1", "&Spektralmessung", "", true, false},
    trenner,
    MenueEintrag{P, E::VFO1, "VFO1", "&VFO", "", true, false},
    trenner,
    MenueEintrag{P, E::Messmarken1, "Messmarken1", "&Messmarken…", "F9", true, false},
    MenueEintrag{P, E::Referenzuebernehmen1, "Referenzuebernehmen1", "Referen&z übernehmen", "", true, false},
    MenueEintrag{P, E::Referenzverwerfen1, "Referenzverwerfen1", "Referenz verw&erfen", "", true, false},
    MenueEintrag{P, E::Differenzanzeigen1, "Differenzanzeigen1", "Di&fferenz anzeigen", "", true, true},
    MenueEintrag{MenueArt::Untermenue, E::Halten1, "Halten1", "&Halten", "", true, false},
    MenueEintrag{P, E::HaltenAus1, "HaltenAus1", "&Aus", "", true, false},
    MenueEintrag{P, E::HaltenMaximum1, "HaltenMaximum1", "Ma&ximum", "", true, true},
    MenueEintrag{P, E::HaltenMinimum1, "HaltenMinimum1", "M&inimum", "", true, true},
    MenueEintrag{P, E::HaltenMittelwert1, "HaltenMittelwert1", "&Mittelwert…", "", true, true},
    MenueEintrag{MenueArt::UntermenueEnde, E::Anzahl, "", "", "", true, false},
    MenueEintrag{P, E::Grenzwerteladen1, "Grenzwerteladen1", "&Grenzwerte laden…", "", true, false},
    MenueEintrag{P, E::Grenzwerteverwerfen1, "Grenzwerteverwerfen1", "Grenzwerte ver&werfen", "", true, false},
    MenueEintrag{P, E::Grenzwertepruefen1, "Grenzwertepruefen1", "Grenzwerte &prüfen", "", true, true},
    trenner,
    MenueEintrag{P, E::Quarzanalysieren1, "Quarzanalysieren1", "&Quarz analysieren…", "", true, false},

    MenueEintrag{M, E::Einstellungen1, "Einstellungen1", "&Einstellungen", "", true, false},
    MenueEintrag{P, E::Frequenz1, "Frequenz1", "Frequenz", "F5", true, false},
    MenueEintrag{P, E::Minus1, "Minus1", "Minus", "F6", true, false},
    MenueEintrag{P, E::Plus1, "Plus1", "Plus", "F7", true, false},
    MenueEintrag{P, E::Schrittweite1, "Schrittweite1", "Schrittweite", "F8", true, false},
    trenner,
    MenueEintrag{P, E::ZFEingabe1, "ZFEingabe1", "ZF Eingabe", "", false, false},
    MenueEintrag{P, E::Zwischenfrequenz1, "Zwischenfrequenz1", "Zwischenfrequenz einrechnen", "", false, true},
    MenueEintrag{P, E::AdditionvsSubtraktion1, "AdditionvsSubtraktion1", "Addition vs. Subtraktion", "", false, true},
    trenner,
    MenueEintrag{P, E::Bandbreite1, "Bandbreite1", "&Optionen", "", true, false},
    MenueEintrag{P, E::Voreinstellungen1, "Voreinstellungen1", "&Voreinstellungen…", "", true, false},

    MenueEintrag{M, E::Eichung1, "Eichung1", "&Kalibrieren", "", true, false},
    MenueEintrag{P, E::Durchgangsmessung2, "Durchgangsmessung2", "&Durchgangsmessung", "", true, false},
    trenner,
    MenueEintrag{P, E::Reflexionsmessung2, "Reflexionsmessung2", "&Reflexionsmessung", "", false, false},
    MenueEintrag{P, E::Linie11, "Linie11", "Linie &1", "", false, false},
    MenueEintrag{P, E::Linie21, "Linie21", "Linie &2", "", false, false},
    MenueEintrag{P, E::Linie31, "Linie31", "Linie &3", "", false, false},
    MenueEintrag{P, E::Linie41, "Linie41", "Linie &4", "", false, false},
    MenueEintrag{P, E::Linie51, "Linie51", "Linie &5", "", false, false},
    MenueEintrag{P, E::Linie61, "Linie61", "Linie &6", "", false, false},
    MenueEintrag{P, E::Linie71, "Linie71", "Linie &7", "", false, false},
    trenner,
    MenueEintrag{P, E::Spektralmessung2, "Spektralmessung2", "&Spektralmessung", "", false, false},
    trenner,
    MenueEintrag{P, E::Taktgenerator1, "Taktgenerator1", "&Taktgenerator", "", true, false},

    MenueEintrag{M, E::N1, "N1", "&?", "", true, false},
    MenueEintrag{P, E::Hilfe1, "Hilfe1", "Hilfe", "", true, false},
    MenueEintrag{P, E::ber1, "ber1", "Über", "", true, false},
};

constexpr std::array dialoge{
    DateiDialogArt{E::SaveDialog1, "SaveDialog1", true, "cfg", "qzl7", "Konfiguration|*.cfg|Alle|*.*"},
    DateiDialogArt{E::OpenDialog1, "OpenDialog1", false, "cfg", "qzl7", "Konfiguration|*.cfg|Alle|*.*"},
    DateiDialogArt{E::SaveDialog2, "SaveDialog2", true, "dat", "qzl", "Daten|*.dat|Alle|*.*"},
    DateiDialogArt{E::OpenDialog2, "OpenDialog2", false, "dat", "", "Messreihe|*.dat|Alle|*.*"},
    DateiDialogArt{E::SaveDialogVoreinstellung, "SaveDialogVoreinstellung", true, "preset", "",
                   "Voreinstellung|*.preset|Alle|*.*"},
    DateiDialogArt{E::OpenDialogVoreinstellung, "OpenDialogVoreinstellung", false, "preset", "",
                   "Voreinstellung|*.preset|Alle|*.*"},
    DateiDialogArt{E::OpenDialog3, "OpenDialog3", false, "lim", "", "Grenzwerte|*.lim *.txt|Alle|*.*"},
};

}  // namespace

std::span<const Steuerelement> steuerelemente() { return tabelle; }
std::span<const MenueEintrag> menueBaum() { return menue; }
std::span<const DateiDialogArt> dateiDialoge() { return dialoge; }

}  // namespace qzl::ui
