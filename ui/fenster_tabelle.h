#pragma once
// The main window's layout and menu tree as data: the window builds itself
// from these tables, so a control's place and text are written exactly once.
#include <span>

#include "handlers/fenster.h"

namespace qzl::ui {

enum class Art { Knopf, Beschriftung, Gruppe };

// Positions are client pixels below the menu bar; children of the group box
// are relative to it. Labels size themselves to their text, so only left/top
// count for them; a label with a width stands flush right in it.
struct Steuerelement {
    Element element;     // Element::Anzahl for the captions the logic never touches
    const char* name;    // object name; empty for those captions
    Art art;
    int links, oben, breite, hoehe;
    const char* text;
    bool aktiv;
    bool inGruppe;       // child of GroupBox1
    bool fett;           // bold 10 pt, black
};

enum class MenueArt { Menue, Punkt, Trenner, Untermenue, UntermenueEnde };

// Flat menu tree: each Menue row opens a top-level menu, the rows after it are
// its items and separators; the rows between Untermenue and UntermenueEnde
// go into a submenu of it.
struct MenueEintrag {
    MenueArt art;
    Element element;
    const char* name;
    const char* text;
    const char* taste;   // portable key sequence text, "" for none
    bool aktiv;
    bool abhakbar;
};

// The four file dialogs: filter pairs "description|pattern|...".
struct DateiDialogArt {
    Element element;
    const char* name;
    bool speichern;
    const char* endung;
    const char* dateiname;
    const char* filter;
};

inline constexpr int clientBreite = 792;
inline constexpr int clientHoehe = 554;
inline constexpr int bildLinks = 5;
inline constexpr int bildOben = 30;

std::span<const Steuerelement> steuerelemente();
std::span<const MenueEintrag> menueBaum();
std::span<const DateiDialogArt> dateiDialoge();

}  // namespace qzl::ui
