#include "picturefile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>

namespace symbol {

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

// The picture at one bit a pixel (white colour 0, black colour 1, the
// padding of each row zero), or a null image when a pixel is neither black
// nor white (a colour glyph in a name). One pass: a check for black and
// white and Qt's own conversion took three times as long as drawing.
QImage OneBitPicture(const QImage& picture) {
    if (picture.format() != QImage::Format_RGB32)
        return QImage();
    QImage oneBit(picture.size(), QImage::Format_Mono);
    oneBit.setColorTable({kWhite, kBlack});
    oneBit.setDotsPerMeterX(picture.dotsPerMeterX());
    oneBit.setDotsPerMeterY(picture.dotsPerMeterY());
    const int width = picture.width();
    const qsizetype stride = oneBit.bytesPerLine();
    uchar* out = oneBit.bits();
    for (int y = 0; y < picture.height(); ++y, out += stride) {
        std::fill(out, out + stride, 0);
        const QRgb* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (in[x] == kBlack)
                out[x >> 3] |= uchar(0x80 >> (x & 7));
            else if (in[x] != kWhite)
                return QImage();
        }
    }
    return oneBit;
}

}  // namespace

QByteArray EncodePicture(const QImage& picture, const char* format, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter encoder(&buffer, format);
    // A symbol is black on white: one bit a pixel holds it exactly, in a
    // twentieth of the bytes.
    const QImage oneBit = OneBitPicture(picture);
    const QImage& written = oneBit.isNull() ? picture : oneBit;
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
