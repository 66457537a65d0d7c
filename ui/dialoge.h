#pragma once
// The program's two small modal boxes: every message goes through the
// information box, every single-value entry through the input prompt.
#include <QString>

#include <optional>

class QWidget;

namespace qzl::ui {

// Caption "Information", information icon, one "OK"; returns when closed.
void informationZeigen(QWidget* eltern, const QString& text);

// The standard error box: error icon, the program's name as caption, one "OK".
void fehlerZeigen(QWidget* eltern, const QString& text);

// Question icon, "Ja" and "Nein" (the default, and Escape); true for "Ja".
bool bestaetigungAbfragen(QWidget* eltern, const QString& text);

// Returns the edited text on "OK"; on "Abbrechen", Escape or closing the box
// it returns vorgabe unchanged, so cancelling yields what was shown.
QString eingabeAbfragen(QWidget* eltern, const QString& titel, const QString& frage,
                        const QString& vorgabe);
// The same prompt; nothing on "Abbrechen", Escape or closing the box.
std::optional<QString> abfragen(QWidget* eltern, const QString& titel, const QString& frage,
                                const QString& vorgabe);

}  // namespace qzl::ui
