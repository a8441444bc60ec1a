#include "settings/melody_file_dialogs.h"

#include "notation/melody_files.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QStringList>

namespace {

std::optional<std::filesystem::path> chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

} // namespace

std::optional<std::filesystem::path> QtMelodyFileDialogs::fileToImport()
{
    QFileDialog dialog(parent_, "Import Melody", QDir::homePath(), kNotationFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosen(dialog);
}

std::optional<std::filesystem::path>
QtMelodyFileDialogs::fileToExportTo(const std::string& suggestedName)
{
    QFileDialog dialog(parent_, "Export Melody",
                       QDir::home().filePath(QString::fromStdString(suggestedName)),
                       kNotationFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("musicxml"); // a name typed without an extension
    return chosen(dialog);
}

std::optional<std::size_t>
QtMelodyFileDialogs::partToImport(const std::vector<std::string>& partNames)
{
    QStringList items;
    for (std::size_t i = 0; i < partNames.size(); ++i)
        items << QString("%1. %2").arg(i + 1).arg(QString::fromStdString(partNames[i]));
    bool ok = false;
    const QString item =
        QInputDialog::getItem(parent_, "Import Melody",
                              "The file has several parts. Import the part:", items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return static_cast<std::size_t>(items.indexOf(item));
}
