#include "qt_folder_chooser.h"

#include <QFileDialog>

std::optional<QString> QtFolderChooser::chooseFolder(const QString &title, const QString &acceptLabel,
                                                     const QString &startFolder)
{
    QFileDialog dialog(m_parent, title, startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::ReadOnly, false); // the "new folder" button
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, acceptLabel);
    dialog.setWindowModality(Qt::ApplicationModal);
    // The panel is a tool window that may not hold focus; bring the dialog forward itself.
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}
