#include "picturefile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>

namespace symbol {

namespace {

bool BlackAndWhiteOnly(const QImage& picture) {
    if (picture.format() != QImage::Format_RGB32)
        return false;
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* pixel = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (pixel[x] != 0xff000000 && pixel[x] != 0xffffffff)
                return false;
    }
    return true;
}

}  // namespace

QByteArray EncodePicture(const QImage& picture, const char* format, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter encoder(&buffer, format);
    // A symbol is black on white: one bit a pixel holds it exactly, in a
    // twentieth of the bytes.
    const QImage written = BlackAndWhiteOnly(picture)
                               ? picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                               : picture;
    if (!encoder.write(written)) {
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
