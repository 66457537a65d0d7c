#pragma once
// The program's data files (help, info picture) lie in share/qzl7 beside the
// program's bin folder: in the build folder as in an installation.
#include <QString>

namespace qzl::ui {

// The data folder for a program in programmOrdner.
QString datenOrdner(const QString& programmOrdner);
// A data file of the running program; the path even when the file is missing.
QString datenDatei(const QString& name);

}  // namespace qzl::ui
