// The export's save dialog and the clipboard.
#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "ui/haupt_fenster.h"

namespace qzl {

std::optional<DateiWahl> HauptFenster::exportDialog(const std::vector<DateiFilter>& filter, std::size_t vorwahl) {
    if (filter.empty()) return std::nullopt;
    QStringList namen, endungen;
    for (const auto& f : filter) {
        namen << QStringLiteral("%1 (*.%2)").arg(QString::fromStdString(f.text), QString::fromStdString(f.endung));
        endungen << QString::fromStdString(f.endung);
    }
    // Kept, like the other file dialogs, so that it remembers its folder and name.
    if (!exportDialog_) {
        exportDialog_ = new QFileDialog(this);
        exportDialog_->setObjectName(QStringLiteral("SaveDialogExport"));
        exportDialog_->setAcceptMode(QFileDialog::AcceptSave);
        exportDialog_->setOption(QFileDialog::DontConfirmOverwrite);
        exportDialog_->selectFile(QStringLiteral("qzl"));
    }
    QFileDialog* dlg = exportDialog_;
    dlg->disconnect(this);
    dlg->setNameFilters(namen);
    const auto gewaehlt = static_cast<qsizetype>(std::min(vorwahl, filter.size() - 1));
    dlg->selectNameFilter(namen[gewaehlt]);
    dlg->setDefaultSuffix(endungen[gewaehlt]);
    // A name typed without an extension gets the chosen filter's.
    connect(dlg, &QFileDialog::filterSelected, this, [dlg, namen, endungen](const QString& name) {
        if (const qsizetype i = namen.indexOf(name); i >= 0) dlg->setDefaultSuffix(endungen[i]);
    });
    const int ergebnis = dlg->exec();
    for (auto* ergaenzung : dlg->findChildren<QCompleter*>()) ergaenzung->popup()->hide();
    const QStringList dateien = dlg->selectedFiles();
    const qsizetype filterNummer = namen.indexOf(dlg->selectedNameFilter());
    if (ergebnis != QDialog::Accepted || dateien.isEmpty() || filterNummer < 0) return std::nullopt;
    return DateiWahl{QFile::encodeName(dateien.first()).toStdString(), static_cast<std::size_t>(filterNummer)};
}

void HauptFenster::zwischenablageSetzen(const std::string& text, const std::string& png) {
    auto* daten = new QMimeData;
    daten->setText(QString::fromStdString(text));
    if (!png.empty()) {
        const QByteArray bytes(png.data(), static_cast<qsizetype>(png.size()));
        daten->setImageData(QImage::fromData(bytes, "PNG"));
        daten->setData(QStringLiteral("image/png"), bytes);
    }
    QGuiApplication::clipboard()->setMimeData(daten);
}

}  // namespace qzl
