#include "Module1.h"

#include <QFileDialog>
#include <QImage>
#include <QWidget>
#include <QWindow>

#include "symbol/picturefile.h"

namespace Module1 {

void SetTopmost(QWidget* window, bool on) {
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || !window->isVisible()) {
        // Not on screen yet: the flag goes with the window when it is shown.
        window->setWindowFlags(flags);
        return;
    }
    // QWidget::setWindowFlags would hide a shown window; the native window
    // takes the hint in place (on X11 as _NET_WM_STATE_ABOVE), and the widget
    // is told of it without a round trip through the window system.
    handle->setFlags(flags);
    window->overrideWindowFlags(flags);
}

QString ShowSaveDialog(QWidget* owner, const QString& title, const QString& filter,
                       const QString& initialDir, const QString& defaultName, int& filterIndex) {
    // The dialog shows a filter's text and matches by the pattern in its last
    // parentheses; with the details hidden, only the display text shows.
    const QStringList items = filter.split(QChar(0));
    QStringList displayTexts;
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < items.size() && !items[i].isEmpty(); i += 2) {
        const QString pattern = items[i + 1] == u"*.*" ? QStringLiteral("*") : items[i + 1];
        displayTexts << items[i];
        nameFilters << items[i] + QStringLiteral(" (") + pattern + u')';
    }

    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 0 && filterIndex < nameFilters.size())
        dialog.selectNameFilter(nameFilters[filterIndex]);
    if (!initialDir.isNull())
        dialog.setDirectory(initialDir);
    dialog.selectFile(defaultName);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    // The dialog names the chosen filter by what it shows.
    const QString chosen = dialog.selectedNameFilter();
    const qsizetype shown = displayTexts.indexOf(chosen);
    filterIndex = int(shown >= 0 ? shown : nameFilters.indexOf(chosen));
    return dialog.selectedFiles().constFirst();
}

bool SavePicture(const QImage& picture, const QString& path, QString* error) {
    const QByteArray bytes = symbol::EncodePicture(picture, "bmp", error);
    return !bytes.isEmpty() && symbol::WriteFileSafely(path, bytes, error);
}

}  // namespace Module1
