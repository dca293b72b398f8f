#include "scan.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

namespace verify {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kDefaultPdfDpi = 600;

bool IsPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

Scan ReadPdf(const QString& path, double dpi) {
    Scan scan;
    if (dpi <= 0)
        dpi = kDefaultPdfDpi;
    QTemporaryDir dir;
    QProcess pdftoppm;
    pdftoppm.start(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-gray"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForFinished(-1) || pdftoppm.exitCode() != 0) {
        scan.error =
            pdftoppm.error() == QProcess::FailedToStart
                ? QStringLiteral("reading a PDF needs pdftoppm (poppler-utils)")
                : QStringLiteral("pdftoppm could not read it: %1")
                      .arg(QString::fromLocal8Bit(pdftoppm.readAllStandardError()).trimmed());
        return scan;
    }
    return ScanOf(QImage(dir.filePath(QStringLiteral("page.png"))), dpi);
}

}  // namespace

Scan ScanOf(const QImage& image, double dpi) {
    Scan scan;
    if (image.isNull()) {
        scan.error = QStringLiteral("not a picture");
        return scan;
    }
    // Files store dots per metre, in whole numbers: 1200 dpi comes back as
    // 1199.9976.
    scan.dpi = dpi > 0 ? dpi : std::round(image.dotsPerMeterX() * kMmPerInch / 100.0) / 10;
    if (image.isGrayscale()) {
        scan.grey = image.convertToFormat(QImage::Format_Grayscale8);
        return scan;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    scan.grey = QImage(rgb.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = scan.grey.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = uchar(qRed(in[x]));
    }
    return scan;
}

Scan ReadScan(const QString& path, double dpi) {
    if (IsPdf(path))
        return ReadPdf(path, dpi);
    QImageReader reader(path);
    reader.setAllocationLimit(0);
    const QImage image = reader.read();
    if (image.isNull()) {
        Scan scan;
        scan.error = reader.errorString();
        return scan;
    }
    return ScanOf(image, dpi);
}

}  // namespace verify
