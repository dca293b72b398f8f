#include "Module1.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLibrary>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cerrno>

#include "symbol/picturefile.h"

namespace Module1 {

namespace {

// The common causes of a failed write, as a person is told them.
struct Cause {
    int errorCode;
    const char16_t* reason;
};
constexpr Cause kCauses[] = {
    {EACCES, u"このフォルダーまたはファイルに書き込む権限がありません。"},
    {EPERM, u"このフォルダーまたはファイルに書き込む権限がありません。"},
    {ENOSPC, u"ディスクの空き容量が足りません。"},
    {EROFS, u"読み取り専用のドライブには書き込めません。"},
    {ENOENT, u"フォルダーが見つかりません。"},
    {EISDIR, u"同じ名前のフォルダーがあります。"},
    {ENAMETOOLONG, u"ファイル名が長すぎます。"},
    {EFBIG, u"ファイルが大きすぎます。"},
};

// Why the save dialog cannot take path, or "" when it can.
QString Refusal(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir())
        return QString();  // the dialog opens the folder
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QString::fromUtf16(
                   u"フォルダー「%1」が見つかりません。\nフォルダー名を確かめてください。")
            .arg(QDir::toNativeSeparators(folder));
    const long maxBytes = pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (maxBytes > 0 && QFile::encodeName(file.fileName()).size() > maxBytes)
        return QString::fromUtf16(u"ファイル名が長すぎます。\nもっと短い名前にしてください。");
    return QString();
}

// The toolkit's save dialog, which refuses in itself a path that cannot be
// written, keeping the person in the dialog.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        const QString refusal = files.isEmpty() ? QString() : Refusal(files.constFirst());
        if (refusal.isEmpty())
            QFileDialog::accept();
        else
            Warn(this, windowTitle(), refusal);
    }
};

// The dialog keeps its last folder and a history in the user's settings of
// the toolkit; the program keeps no state, so they go into a folder that
// lives only as long as the program.
void KeepDialogStateOutOfHome() {
    static const QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
}

}  // namespace

bool LoadJapanese() {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

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

    KeepDialogStateOutOfHome();
    SaveDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Names only: the details' sizes and dates follow the system's locale,
    // not the program's Japanese.
    dialog.setViewMode(QFileDialog::List);
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
    if (bytes.isEmpty())
        return false;
    errno = 0;
    if (symbol::WriteFileSafely(path, bytes, error))
        return true;
    *error = FailureReason(*error, errno);
    return false;
}

QString FailureReason(const QString& errorText, int errorCode) {
    // A short write (a full disk, a size limit) leaves the file without a
    // reason of its own; the errno of the failed write gives it.
    const bool unknown = errorText == QCoreApplication::translate("QIODevice", "Unknown error");
    for (const Cause& cause : kCauses) {
        const bool named = errorText.contains(qt_error_string(cause.errorCode)) ||
                           (cause.errorCode == EISDIR &&
                            errorText == QSaveFile::tr("Filename refers to a directory"));
        if (named || (unknown && errorCode == cause.errorCode))
            return QString::fromUtf16(cause.reason);
    }
    return errorText;
}

void Warn(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(QString::fromUtf16(u"閉じる"));
    box.exec();
}

QStringList PrintDialogPlaces() {
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList places;
    for (const char* name : {STRIPEWELL_PRINT_DIALOG, "stripewell-print-dialog.so"})
        places << QFileInfo(folder + u'/' + QString::fromUtf8(name)).absoluteFilePath();
    return places;
}

PrintDialogFactory LoadPrintDialog(const QStringList& places, QString* reason) {
    const auto it = std::find_if(places.begin(), places.end(),
                                 [](const QString& place) { return QFileInfo(place).isFile(); });
    if (it == places.end()) {
        QStringList shown;
        for (const QString& place : places)
            shown << QDir::toNativeSeparators(place);
        *reason = QString::fromUtf16(u"印刷の部品が見つかりません。探した場所:\n%1")
                      .arg(shown.join(u'\n'));
        return nullptr;
    }
    // Not unloaded when this ends: the dialogs made go on using its code.
    QLibrary module(*it);
    const QString shown = QDir::toNativeSeparators(*it);
    if (!module.load()) {
        *reason = QString::fromUtf16(u"印刷の部品 %1 を読み込めません。\n詳細: %2")
                      .arg(shown, module.errorString());
        return nullptr;
    }
    auto factory = reinterpret_cast<PrintDialogFactory>(module.resolve(kPrintDialogFactory));
    if (factory == nullptr)
        *reason = QString::fromUtf16(u"%1 は印刷の部品ではありません。").arg(shown);
    return factory;
}

}  // namespace Module1
