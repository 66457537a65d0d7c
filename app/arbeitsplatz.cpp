#include "app/arbeitsplatz.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/daten_ordner.h"

namespace qzl {

bool qtUebersetzungLaden(QApplication& app, const QLocale& sprache) {
    auto* uebersetzung = new QTranslator(&app);
    if (!uebersetzung->load(sprache, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzung;
        return false;
    }
    return QApplication::installTranslator(uebersetzung);
}

void arbeitsplatzAngaben() {
    // The X11 window class follows the name; the desktop entry's
    // StartupWMClass says the same.
    QApplication::setApplicationName(QStringLiteral("qzl7"));
    QApplication::setApplicationVersion(QStringLiteral(QZL7_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QZL7_ID));
    // share/icons lies beside share/qzl7, in the build folder as installed.
    QIcon symbol;
    for (int groesse : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString datei = QDir::cleanPath(
            ui::datenDatei(QStringLiteral("../icons/hicolor/%1x%1/apps/" QZL7_ID ".png").arg(groesse)));
        if (QFile::exists(datei)) symbol.addFile(datei, QSize(groesse, groesse));
    }
    if (symbol.isNull()) symbol = QIcon::fromTheme(QStringLiteral(QZL7_ID));
    QApplication::setWindowIcon(symbol);
}

}  // namespace qzl
