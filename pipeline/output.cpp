#include "output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "folderwriter.h"
#include "messages.h"

namespace pipeline {

bool IsStandardOutput(const QString& path) {
    if (path == u"-")
        return true;
    const QByteArray native = QFile::encodeName(path);
    struct stat link, target, output;
    return lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode) &&
           stat(native.constData(), &target) == 0 && fstat(STDOUT_FILENO, &output) == 0 &&
           target.st_dev == output.st_dev && target.st_ino == output.st_ino;
}

bool WriteSymbolFile(const QString& path, const QByteArray& bytes, bool force, QString* error) {
    if (IsStandardOutput(path)) {
        if (WriteWhole(STDOUT_FILENO, bytes))
            return true;
        *error = Msg::tr("cannot write to the standard output: %1").arg(qt_error_string());
        return false;
    }
    const qsizetype slash = path.lastIndexOf(u'/');
    FolderWriter folder(slash < 0 ? QString() : path.left(qMax(slash, 1)));
    if (!folder.OpenError().isEmpty()) {
        *error = folder.OpenError();
        return false;
    }
    return folder.Write(path.mid(slash + 1), bytes, force, error) && folder.Sync(error);
}

}  // namespace pipeline
