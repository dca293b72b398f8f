#include "picturefile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace symbol {

namespace {

// Packs the pixels from x on into out, one bit a pixel (black 1, white 0),
// and zeroes the rest of out's bytes; false when a pixel is neither.
bool PackRest(const QRgb* in, int x, int width, uchar* out, qsizetype bytes) {
    std::fill(out + (x >> 3), out + bytes, 0);
    for (; x < width; ++x) {
        if (in[x] == kBlack)
            out[x >> 3] |= uchar(0x80 >> (x & 7));
        else if (in[x] != kWhite)
            return false;
    }
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define STRIPEWELL_PACK_AVX2
// A byte with its bits in the opposite order: a vector's mask has the
// leftmost pixel in the low bit, a row of bits has it in the high bit.
constexpr std::array<uchar, 256> kReversed = [] {
    std::array<uchar, 256> reversed{};
    for (int i = 0; i < 256; ++i)
        for (int bit = 0; bit < 8; ++bit)
            if (i >> bit & 1)
                reversed[i] |= uchar(0x80 >> bit);
    return reversed;
}();

// Eight pixels in one register where the processor has AVX2.
__attribute__((target("avx2"))) bool PackRowAvx2(const QRgb* in, int width, uchar* out,
                                                 qsizetype bytes) {
    const __m256i black = _mm256_set1_epi32(int(kBlack));
    const __m256i white = _mm256_set1_epi32(int(kWhite));
    __m256i known = _mm256_set1_epi32(-1);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
        const __m256i isBlack = _mm256_cmpeq_epi32(pixels, black);
        known =
            _mm256_and_si256(known, _mm256_or_si256(isBlack, _mm256_cmpeq_epi32(pixels, white)));
        out[x >> 3] = kReversed[_mm256_movemask_ps(_mm256_castsi256_ps(isBlack))];
    }
    if (_mm256_movemask_epi8(known) != -1)
        return false;
    return PackRest(in, x, width, out, bytes);
}
#endif

// Packs a row of black and white pixels into bits (black 1, white 0) over
// out, which holds the padding too; false when a pixel is neither. Eight
// pixels at a time where the processor can: packing took a fifth of the
// drawing and encoding of a window picture.
bool PackRow(const QRgb* in, int width, uchar* out, qsizetype bytes) {
#if defined(STRIPEWELL_PACK_AVX2)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return PackRowAvx2(in, width, out, bytes);
#endif
    return PackRest(in, 0, width, out, bytes);
}

// The picture at one bit a pixel (white colour 0, black colour 1, the
// padding of each row zero), or a null image when a pixel is neither black
// nor white (a colour glyph in a name). One pass: a check for black and
// white and Qt's own conversion took three times as long as drawing.
QImage OneBitPicture(const QImage& picture) {
    QImage oneBit(picture.size(), QImage::Format_Mono);
    oneBit.setColorTable({kWhite, kBlack});
    oneBit.setDotsPerMeterX(picture.dotsPerMeterX());
    oneBit.setDotsPerMeterY(picture.dotsPerMeterY());
    const qsizetype stride = oneBit.bytesPerLine();
    const size_t rowBytes = picture.width() * sizeof(QRgb);
    uchar* out = oneBit.bits();
    const uchar* above = nullptr;
    for (int y = 0; y < picture.height(); ++y, out += stride) {
        const uchar* row = picture.constScanLine(y);
        // A row like the one above packs the same: the bar rows are all alike.
        if (above && std::memcmp(row, above, rowBytes) == 0)
            std::memcpy(out, out - stride, stride);
        else if (!PackRow(reinterpret_cast<const QRgb*>(row), picture.width(), out, stride))
            return QImage();
        above = row;
    }
    return oneBit;
}

// Writes value at the bytes from at on, low byte first, and moves at past them.
void Put(char*& at, quint32 value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i, value >>= 8)
        *at++ = char(value & 0xff);
}

// The BMP file that Qt's writer makes of a picture of one bit a pixel,
// white colour 0 and black colour 1, of the size and resolution of picture:
// its headers written, the rows (bottom up, each padded to four bytes, as
// in Format_Mono) left to fill from the returned place on.
uchar* OneBitBmpHeaders(const QImage& picture, QByteArray* bytes) {
    constexpr int kHeaders = 14 + 40 + 2 * 4;  // file, information, two colours
    const qsizetype stride = (picture.width() + 31) / 32 * 4;
    const qsizetype rows = stride * picture.height();
    *bytes = QByteArray(kHeaders + rows, Qt::Uninitialized);
    char* at = bytes->data();
    *at++ = 'B';
    *at++ = 'M';
    Put(at, bytes->size());
    Put(at, 0);  // reserved
    Put(at, kHeaders);
    Put(at, 40);
    Put(at, picture.width());
    Put(at, picture.height());
    Put(at, 1, 2);  // planes
    Put(at, 1, 2);  // bits a pixel
    Put(at, 0);     // no compression
    Put(at, rows);
    Put(at, picture.dotsPerMeterX());
    Put(at, picture.dotsPerMeterY());
    Put(at, 2);  // colours used
    Put(at, 2);  // colours that matter
    Put(at, kWhite & 0xffffff);
    Put(at, kBlack & 0xffffff);
    return reinterpret_cast<uchar*>(at);
}

// The picture as the BMP file that Qt's writer makes of OneBitPicture(),
// byte for byte, packed straight from its rows. Empty when a pixel is
// neither black nor white.
QByteArray OneBitBmp(const QImage& picture) {
    QByteArray bytes;
    uchar* out = OneBitBmpHeaders(picture, &bytes);
    const qsizetype stride = (picture.width() + 31) / 32 * 4;
    const size_t rowBytes = picture.width() * sizeof(QRgb);
    const uchar* below = nullptr;
    for (int y = picture.height() - 1; y >= 0; --y, out += stride) {
        const uchar* row = picture.constScanLine(y);
        // A row like the one below packs the same: the bar rows are all alike.
        if (below && std::memcmp(row, below, rowBytes) == 0)
            std::memcpy(out, out - stride, stride);
        else if (!PackRow(reinterpret_cast<const QRgb*>(row), picture.width(), out, stride))
            return QByteArray();
        below = row;
    }
    return bytes;
}

// A picture already at one bit a pixel, white colour 0 and black colour 1,
// as the same file: its rows as they stand.
QByteArray MonoBmp(const QImage& picture) {
    QByteArray bytes;
    uchar* out = OneBitBmpHeaders(picture, &bytes);
    const qsizetype stride = picture.bytesPerLine();
    for (int y = picture.height() - 1; y >= 0; --y, out += stride)
        std::memcpy(out, picture.constScanLine(y), stride);
    return bytes;
}

}  // namespace

QByteArray EncodePicture(const QImage& picture, const char* format, QString* error) {
    // A symbol is black on white: one bit a pixel holds it exactly, in a
    // twentieth of the bytes. Only RGB32 pictures are looked at.
    const bool rgb = picture.format() == QImage::Format_RGB32;
    const bool bmp = qstricmp(format, "bmp") == 0;
    if (rgb && bmp) {
        QByteArray bytes = OneBitBmp(picture);
        if (!bytes.isEmpty())
            return bytes;
    }
    if (bmp && picture.format() == QImage::Format_Mono &&
        picture.colorTable() == QList<QRgb>{kWhite, kBlack} &&
        picture.bytesPerLine() == (picture.width() + 31) / 32 * 4)
        return MonoBmp(picture);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter encoder(&buffer, format);
    // PNG at zlib's level 3 (Qt's scale is 0 to 100): a third of the time of
    // the default level, which took as long as drawing and writing, for a
    // file a third larger (a symbol's rows repeat, which any level finds).
    if (qstricmp(format, "png") == 0)
        encoder.setCompression(40);
    const QImage oneBit = rgb ? OneBitPicture(picture) : QImage();
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
