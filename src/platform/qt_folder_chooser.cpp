#include "qt_folder_chooser.h"

#include <QFileDialog>
#include <QScreen>
#include <algorithm>

QRect QtFolderChooser::besideParent(QSize preferred, const QRect &parent, const QRect &available, int gap,
                                    const QMargins &frame)
{
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const int roomLeft = parent.left() - available.left() - 2 * gap - frameWidth;
    const int roomRight = available.right() - parent.right() - 2 * gap - frameWidth;
    const bool left = roomLeft >= roomRight;
    const int width = std::clamp(preferred.width(), 1, std::max(1, std::max(roomLeft, roomRight)));
    const int height = std::clamp(preferred.height(), 1, std::max(1, available.height() - 2 * gap - frameHeight));
    const int x = left ? parent.left() - gap - frame.right() - width : parent.right() + 1 + gap + frame.left();
    const int y = available.top() + (available.height() - height - frameHeight) / 2 + frame.top();
    return QRect(x, y, width, height);
}

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
    if (m_parent && m_parent->isVisible() && m_parent->screen()) {
        const QRect available = m_parent->screen()->availableGeometry();
        dialog.setGeometry(besideParent(dialog.sizeHint(), m_parent->frameGeometry(), available));
    }
    // The panel may not hold the focus; bring the dialog forward itself.
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
