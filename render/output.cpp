#include "output.h"

#include <QFileInfo>

#include "symbol/picturefile.h"

namespace render {

bool MayWrite(const QString& path, bool force, QString* error) {
    if (force)
        return true;
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        *error = QStringLiteral("%1 already exists; give --force to replace it").arg(path);
        return false;
    }
    return true;
}

bool WriteSymbolFile(const QString& path, const QByteArray& bytes, bool force, QString* error) {
    if (!MayWrite(path, force, error))
        return false;
    QString reason;
    if (!symbol::WriteFileSafely(path, bytes, &reason)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, reason);
        return false;
    }
    return true;
}

}  // namespace render
