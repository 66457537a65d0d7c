#pragma once
// "Info": the picture, the program's title and version and a short note.
// Created once at start and shown modally from "Über".
#include <QDialog>

#include <string>

#include "ui/bildschirm_mittig.h"

namespace qzl::ui {

class InfoDialog : public FesterDialog {
public:
    // The title is set here once and does not follow later changes.
    InfoDialog(const std::string& versionText, const QString& bildPfad, QWidget* eltern);
};

}  // namespace qzl::ui
