#include "ui/daten_ordner.h"

#include <QCoreApplication>
#include <QDir>

namespace qzl::ui {

QString datenOrdner(const QString& programmOrdner) {
    return QDir::cleanPath(programmOrdner + QLatin1Char('/') + QStringLiteral(QZL7_DATEN_RELATIV));
}

QString datenDatei(const QString& name) {
    return datenOrdner(QCoreApplication::applicationDirPath()) + QLatin1Char('/') + name;
}

}  // namespace qzl::ui
