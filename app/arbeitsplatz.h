#pragma once
// What makes the program at home on the desktop: Qt's own texts in the
// user's language, and the name and icon by which docks and the window
// system tie the window to the menu entry.
#include <QLocale>

class QApplication;

namespace qzl {

// Loads Qt's translation (qtbase) for the language; false where there is
// none, e.g. for English.
bool qtUebersetzungLaden(QApplication& app, const QLocale& sprache);

// Application name and id (the desktop entry's base name, which Wayland
// matches the window by) and the window icon, read from the icon folder
// beside the program's data.
void arbeitsplatzAngaben();

}  // namespace qzl
