#include "picturefile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>

namespace symbol {

QByteArray EncodePicture(const QImage& picture, const char* format, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter encoder(&buffer, format);
    if (!encoder.write(picture)) {
        *error = encoder.errorString();
        return QByteArray();
    }
    return bytes;
}

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error) {
    // Unbuffered, a short write (a full disk, a size limit) shows in the count
    // that write() returns instead of vanishing in a flush at commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        file.commit();  // discards the temporary file; the old file stays
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace symbol
