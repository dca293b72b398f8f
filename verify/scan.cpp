#include "scan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <utility>

#include "messages.h"

namespace verify {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;
constexpr double kCmPerInch = 2.54;
// Enough for kMaxScanPixels at 8 bytes a pixel, the most Qt decodes into
// (16 bits a channel).
constexpr int kAllocationLimitMb = int(kMaxScanPixels * 8 / (1 << 20)) + 1;
constexpr int kPdfInfoMs = 60000;

// Whether standard input was open when the program started: once it has
// started, the first file it opens (Qt opens some) would take its number.
const bool kStandardInputOpen = fcntl(STDIN_FILENO, F_GETFD) != -1;

QString Millions(qint64 pixels) {
    return QString::number(double(pixels) / 1e6, 'f', 1);
}

QString PixelLimit() {
    return Msg::tr("at most %1 million pixels are read (an A4 or Letter page at 1200 dpi)")
        .arg(Millions(kMaxScanPixels));
}

// Reading a header's numbers; at must leave room for them.
bool Has(const QByteArray& b, qint64 at, qint64 n) {
    return at >= 0 && n >= 0 && at <= b.size() && n <= b.size() - at;
}
quint32 U8(const QByteArray& b, qint64 at) {
    return uchar(b[at]);
}
quint32 Be16(const QByteArray& b, qint64 at) {
    return U8(b, at) << 8 | U8(b, at + 1);
}
quint32 Be32(const QByteArray& b, qint64 at) {
    return Be16(b, at) << 16 | Be16(b, at + 2);
}
quint32 Le16(const QByteArray& b, qint64 at) {
    return U8(b, at) | U8(b, at + 1) << 8;
}
quint32 Le32(const QByteArray& b, qint64 at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

StatedResolution PerMetre(double pixelsPerMetre) {
    return {true, pixelsPerMetre / kInchesPerMetre};
}

// Files store pixels a metre in whole numbers: 1200 dpi comes back as
// 1199.9976, taken to a tenth.
double Tenths(double dpi) {
    return std::round(dpi * 10) / 10;
}

// A resolution in a message: to a tenth, or to three places when below one.
QString DpiText(double dpi) {
    return std::abs(dpi) >= 1 || dpi == 0 || !std::isfinite(dpi) ? QString::number(dpi, 'f', 1)
                                                                 : QString::number(dpi, 'g', 3);
}

StatedResolution PngDpi(const QByteArray& b) {
    // Chunks: length, type, data, CRC. pHYs comes before the image data.
    qint64 at = 8;
    while (Has(b, at, 8)) {
        const qint64 length = Be32(b, at);
        const QByteArray type = b.mid(at + 4, 4);
        if (type == "IDAT" || type == "IEND" || !Has(b, at + 8, length + 4))
            break;
        if (type == "pHYs" && length >= 9) {
            // Unit 1 is the metre; 0 gives only the pixels' aspect.
            if (U8(b, at + 16) != 1)
                return {};
            return PerMetre(Be32(b, at + 8));
        }
        at += 12 + length;
    }
    return {};
}

StatedResolution BmpDpi(const QByteArray& b) {
    // BITMAPINFOHEADER and its successors; the old 12-byte header states none.
    if (!Has(b, 14, 4) || Le32(b, 14) < 40 || !Has(b, 38, 4))
        return {};
    const qint32 perMetre = qint32(Le32(b, 38));
    if (perMetre == 0)
        return {};
    return PerMetre(perMetre);
}

StatedResolution TiffDpi(const QByteArray& b) {
    const bool little = b.startsWith("II");
    auto u16 = [&](qint64 at) { return little ? Le16(b, at) : Be16(b, at); };
    auto u32 = [&](qint64 at) { return little ? Le32(b, at) : Be32(b, at); };
    if (!Has(b, 4, 4))
        return {};
    const qint64 directory = u32(4);
    if (!Has(b, directory, 2))
        return {};
    const qint64 entries = u16(directory);
    bool found = false;
    double resolution = 0;
    quint32 unit = 2;  // inches unless the file says otherwise
    for (qint64 i = 0; i < entries; ++i) {
        const qint64 entry = directory + 2 + 12 * i;
        if (!Has(b, entry, 12))
            break;
        const quint32 tag = u16(entry), type = u16(entry + 2);
        if (tag == 282) {     // XResolution
            if (type == 5) {  // a fraction, where the value points
                const qint64 at = u32(entry + 8);
                if (!Has(b, at, 8))
                    continue;
                const double numerator = u32(at), denominator = u32(at + 4);
                resolution = numerator / denominator;  // n/0 is infinite, 0/0 not a number
                found = true;
            } else if (type == 3 || type == 4) {
                resolution = type == 3 ? u16(entry + 8) : u32(entry + 8);
                found = true;
            }
        } else if (tag == 296 && type == 3) {  // ResolutionUnit
            unit = u16(entry + 8);
        }
    }
    // Unit 1: an aspect ratio only.
    if (!found || unit == 1)
        return {};
    const double dpi = unit == 3 ? resolution * kCmPerInch : resolution;
    return {true, dpi};
}

StatedResolution JpegDpi(const QByteArray& b) {
    qint64 at = 2;
    while (Has(b, at, 4) && U8(b, at) == 0xFF) {
        const quint32 marker = U8(b, at + 1);
        if (marker == 0xFF) {  // fill
            ++at;
            continue;
        }
        if (marker == 0xDA)  // the image data starts
            break;
        const qint64 length = Be16(b, at + 2);
        if (marker == 0xE0 && length >= 14 && Has(b, at + 4, 12) &&
            b.mid(at + 4, 5) == QByteArray("JFIF", 5)) {
            const quint32 units = U8(b, at + 11), density = Be16(b, at + 12);
            if (units == 1)
                return {true, double(density)};
            if (units == 2)
                return {true, density * kCmPerInch};
            return {};
        }
        at += 2 + length;
    }
    return {};
}

bool IsPng(const QByteArray& b) {
    return b.startsWith("\x89PNG\r\n\x1a\n");
}
bool IsBmp(const QByteArray& b) {
    return b.startsWith("BM");
}
bool IsTiff(const QByteArray& b) {
    return b.startsWith(QByteArray("II*\0", 4)) || b.startsWith(QByteArray("MM\0*", 4));
}
bool IsJpeg(const QByteArray& b) {
    return b.startsWith("\xFF\xD8");
}
bool IsPdf(const QByteArray& b) {
    return b.startsWith("%PDF-");
}

// Qt's BMP reader leaves the rows a short file lacks blank, without a word:
// the pixel data the header promises has to be there.
bool BmpIsShort(const QByteArray& b) {
    if (!Has(b, 14, 4))
        return true;
    const quint32 header = Le32(b, 14);
    double width, height, bits, compression = 0, imageSize = 0;
    if (header == 12 && Has(b, 14, 12)) {
        width = Le16(b, 18), height = Le16(b, 20), bits = Le16(b, 24);
    } else if (header >= 40 && Has(b, 14, 40)) {
        width = std::abs(double(qint32(Le32(b, 18))));
        height = std::abs(double(qint32(Le32(b, 22))));
        bits = Le16(b, 28), compression = Le32(b, 30), imageSize = Le32(b, 34);
    } else {
        return true;
    }
    const double offset = Le32(b, 10);
    // Uncompressed rows (and bit fields) are padded to 4 bytes; for run
    // lengths and embedded pictures the header gives the size.
    const bool rows = compression == 0 || compression == 3 || compression == 6;
    const double data = rows ? std::ceil(width * bits / 32) * 4 * height : imageSize;
    return double(b.size()) < offset + data;
}

// What Qt's readers say while they decode (libjpeg's warnings about a file
// cut short, libtiff's read errors) is kept here instead of going to
// standard error: it tells a damaged picture that still decodes. One decode
// at a time.
QStringList* decodeMessages = nullptr;

void KeepMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (decodeMessages)
        decodeMessages->append(message);
}

bool SaysDamaged(const QStringList& messages) {
    static const QRegularExpression damage(
        QStringLiteral("corrupt|premature end|read error|truncat|short read|unexpected end"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& message : messages)
        if (damage.match(message).hasMatch())
            return true;
    return false;
}

Scan Refused(const QString& error) {
    Scan scan;
    scan.error = error;
    return scan;
}

// A picture's bytes, at dpi (above 0) or at the resolution it states. The
// bytes are let go once decoded.
Scan DecodePicture(QByteArray bytes, double dpi) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMb);
    if (!reader.canRead())
        return Refused(Msg::tr("not a picture (PNG, BMP, TIFF, JPEG or PDF)"));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxScanPixels)
        return Refused(Msg::tr("it is %1 x %2 pixels (%3 million); %4")
                           .arg(size.width())
                           .arg(size.height())
                           .arg(Millions(qint64(size.width()) * size.height()), PixelLimit()));
    if (dpi <= 0) {
        const StatedResolution stated = StatedDpi(bytes);
        if (!stated.stated)
            return Refused(
                Msg::tr("it does not state its resolution: give the resolution it was scanned at "
                        "with --dpi"));
        if (!(stated.dpi >= kMinScanDpi && stated.dpi <= kMaxScanDpi))
            return Refused(Msg::tr("it states %1 dpi, outside %2 to %3: give the "
                                   "resolution it was scanned at with --dpi")
                               .arg(DpiText(stated.dpi))
                               .arg(kMinScanDpi)
                               .arg(kMaxScanDpi));
        dpi = Tenths(stated.dpi);
    }
    if (IsBmp(bytes) && BmpIsShort(bytes))
        return Refused(
            Msg::tr("the picture is damaged: it is shorter than its header "
                    "says (cut short?)"));
    QStringList messages;
    decodeMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(KeepMessage);
    QImage image = reader.read();
    qInstallMessageHandler(previous);
    decodeMessages = nullptr;
    if (image.isNull())
        return Refused(Msg::tr("the picture cannot be read: %1").arg(reader.errorString()));
    if (SaysDamaged(messages))
        return Refused(Msg::tr("the picture is damaged: %1").arg(messages.first()));
    buffer.close();
    bytes = QByteArray();
    const Scan scan = ScanOf(image, dpi);
    image = QImage();
    return scan;
}

// Appends what fd gives until its end, or until bytes holds more than
// kMaxScanBytes; 0 or the errno value of a read that failed.
int ReadUpToLimit(int fd, QByteArray* bytes) {
    char chunk[1 << 16];
    while (bytes->size() <= kMaxScanBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0)
            bytes->append(chunk, got);
        else if (got == 0)
            return 0;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

// What a stat mode is when it cannot be a scan; empty when it can.
QString NotAScan(mode_t mode) {
    if (S_ISDIR(mode))
        return Msg::tr("it is a folder, not a scan");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Msg::tr("it is a device, not a scan");
    if (S_ISSOCK(mode))
        return Msg::tr("it is a socket, not a scan");
    return QString();
}

// The system's reason a scan cannot be opened or read, as the C library
// words it; the catalogue gives it a sentence of the reader's language.
QString CannotOpen(int err) {
    return Msg::tr("%1", "the system's reason the scan cannot be opened").arg(qt_error_string(err));
}

QString CannotRead(int err) {
    return Msg::tr("%1", "the system's reason the scan cannot be read").arg(qt_error_string(err));
}

QString SizeLimit() {
    return Msg::tr(
               "at most %1 MiB are read (an A4 or Letter page at 1200 dpi, "
               "uncompressed)")
        .arg(kMaxScanBytes >> 20);
}

// The whole file, read once: a fifo or a pipe gives its bytes only once.
QString ReadOnce(const QString& path, QByteArray* bytes, Scan* scan) {
    const bool fromStdin = path == u"-";
    int fd = STDIN_FILENO;
    if (fromStdin) {
        if (!kStandardInputOpen)
            return Msg::tr("the standard input is closed");
    } else {
        const QByteArray native = QFile::encodeName(path);
        struct stat status;
        if (stat(native.constData(), &status) != 0)
            return errno == ELOOP ? Msg::tr("it is a loop of symbolic links") : CannotOpen(errno);
        if (const QString kind = NotAScan(status.st_mode); !kind.isEmpty())
            return kind;
        // A fifo waits here for its writer, as any reader of a fifo does.
        fd = open(native.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return CannotOpen(errno);
    }
    struct stat status;
    QString error;
    if (fstat(fd, &status) != 0) {
        error = CannotOpen(errno);
    } else if (const QString kind = NotAScan(status.st_mode);
               !kind.isEmpty() && !(fromStdin && S_ISSOCK(status.st_mode))) {
        error = kind;
    } else if (S_ISREG(status.st_mode) && status.st_size > kMaxScanBytes) {
        error = Msg::tr("it is %1 MiB; %2")
                    .arg(QString::number(double(status.st_size) / (1 << 20), 'f', 1), SizeLimit());
    } else {
        scan->identified = true;
        scan->device = status.st_dev;
        scan->inode = status.st_ino;
        // A file's size is known: one allocation, not one per doubling.
        if (S_ISREG(status.st_mode))
            bytes->reserve(qsizetype(status.st_size) + 1);
        if (const int err = ReadUpToLimit(fd, bytes))
            error = CannotRead(err);
        else if (bytes->size() > kMaxScanBytes)
            error =
                Msg::tr("it is larger than %1 MiB; %2").arg(kMaxScanBytes >> 20).arg(SizeLimit());
        else if (bytes->isEmpty())
            error = S_ISFIFO(status.st_mode) ? Msg::tr("the pipe or fifo gave nothing")
                                             : Msg::tr("it is empty");
    }
    if (!fromStdin)
        close(fd);
    return error;
}

Scan ReadPdf(const QByteArray& bytes, double dpi) {
    if (dpi <= 0)
        dpi = kDefaultPdfDpi;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scan.pdf"));
    QFile file(pdf);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.flush())
        return Refused(
            Msg::tr("the PDF cannot be put aside for pdftoppm: %1").arg(file.errorString()));
    file.close();
    // The page's size first, so that a page too large is refused before it
    // is rendered.
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("1"), pdf});
    if (!pdfinfo.waitForFinished(kPdfInfoMs) || pdfinfo.exitCode() != 0) {
        pdfinfo.kill();
        return Refused(pdfinfo.error() == QProcess::FailedToStart
                           ? Msg::tr("reading a PDF needs pdfinfo and pdftoppm "
                                     "(poppler-utils)")
                           : Msg::tr("pdfinfo could not read it: %1")
                                 .arg(QString::fromLocal8Bit(pdfinfo.readAllStandardError())
                                          .section(u'\n', 0, 0)
                                          .trimmed()));
    }
    static const QRegularExpression pageSize(
        QStringLiteral("Page +1 size: +([0-9.]+) x ([0-9.]+) pts"));
    const QRegularExpressionMatch match =
        pageSize.match(QString::fromLocal8Bit(pdfinfo.readAllStandardOutput()));
    if (!match.hasMatch())
        return Refused(Msg::tr("pdfinfo does not tell the size of its first page"));
    const double widthPt = match.captured(1).toDouble(), heightPt = match.captured(2).toDouble();
    const double width = std::ceil(widthPt / 72 * dpi), height = std::ceil(heightPt / 72 * dpi);
    if (width * height > double(kMaxScanPixels))
        return Refused(Msg::tr("its first page, %1 x %2 mm, is %3 x %4 pixels at %5 dpi (%6 "
                               "million); %7: give a lower --dpi")
                           .arg(widthPt / 72 * 25.4, 0, 'f', 0)
                           .arg(heightPt / 72 * 25.4, 0, 'f', 0)
                           .arg(width, 0, 'f', 0)
                           .arg(height, 0, 'f', 0)
                           .arg(dpi)
                           .arg(QString::number(width * height / 1e6, 'f', 1), PixelLimit()));
    // A grey PGM: ten times faster to write than a PNG, and read at a byte a
    // pixel (pdftoppm's grey PNG is RGB, four bytes a pixel once decoded).
    QProcess pdftoppm;
    pdftoppm.start(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForFinished(-1) || pdftoppm.exitCode() != 0)
        return Refused(
            pdftoppm.error() == QProcess::FailedToStart
                ? Msg::tr("reading a PDF needs pdftoppm (poppler-utils)")
                : Msg::tr("pdftoppm could not read it: %1")
                      .arg(QString::fromLocal8Bit(pdftoppm.readAllStandardError()).trimmed()));
    QByteArray page;
    Scan scan;
    if (const QString error = ReadOnce(dir.filePath(QStringLiteral("page.pgm")), &page, &scan);
        !error.isEmpty())
        return Refused(Msg::tr("pdftoppm's page cannot be read: %1").arg(error));
    return DecodePicture(std::move(page), dpi);
}

}  // namespace

StatedResolution StatedDpi(const QByteArray& bytes) {
    if (IsPng(bytes))
        return PngDpi(bytes);
    if (IsBmp(bytes))
        return BmpDpi(bytes);
    if (IsTiff(bytes))
        return TiffDpi(bytes);
    if (IsJpeg(bytes))
        return JpegDpi(bytes);
    return {};
}

Scan ScanOf(const QImage& image, double dpi) {
    Scan scan;
    if (image.isNull()) {
        scan.error = Msg::tr("not a picture");
        return scan;
    }
    scan.dpi = dpi > 0 ? dpi : Tenths(PerMetre(image.dotsPerMeterX()).dpi);
    // A grey picture with an alpha channel is grey too: its transparency
    // has to be laid on white first.
    if (!image.hasAlphaChannel() && image.isGrayscale()) {
        scan.grey = image.convertToFormat(QImage::Format_Grayscale8);
        return scan;
    }
    const QImage rgb = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    scan.grey = QImage(rgb.size(), QImage::Format_Grayscale8);
    if (scan.grey.isNull()) {
        scan.error = Msg::tr("there is not enough memory for it");
        return scan;
    }
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = scan.grey.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            // Over white paper: what is transparent is white.
            const int alpha = qAlpha(in[x]);
            out[x] = uchar((qRed(in[x]) * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    return scan;
}

Scan ScanOfBytes(QByteArray bytes, double dpi) {
    if (IsPdf(bytes))
        return ReadPdf(bytes, dpi);
    return DecodePicture(std::move(bytes), dpi);
}

Scan ReadScan(const QString& path, double dpi) {
    QByteArray bytes;
    Scan source;
    if (const QString error = ReadOnce(path, &bytes, &source); !error.isEmpty())
        return Refused(error);
    Scan scan = ScanOfBytes(std::move(bytes), dpi);
    scan.identified = source.identified;
    scan.device = source.device;
    scan.inode = source.inode;
    return scan;
}

}  // namespace verify
