#pragma once

// A scan as the verifier reads it: grey levels and a resolution.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace verify {

// What a scan may be. A4 at 1200 dpi is 9921 x 14031 pixels (139.2
// million), Letter 10200 x 13200 (134.6 million): both fit, and so does an
// uncompressed colour BMP or TIFF of either page (418 MB at 3 bytes a pixel,
// 557 MB at 4).
inline constexpr qint64 kMaxScanBytes = qint64(640) << 20;
inline constexpr qint64 kMaxScanPixels = 150'000'000;
// The resolutions a scan may state or be given, in dots per inch.
inline constexpr double kMinScanDpi = 72;
inline constexpr double kMaxScanDpi = 9600;
// A PDF is rendered at this resolution unless --dpi says otherwise.
inline constexpr double kDefaultPdfDpi = 600;

struct Scan {
    // One byte per pixel: the red channel of a colour scan (what a verifier's
    // 660 nm red light sees), the grey of a grey one.
    QImage grey;
    double dpi = 0;
    QString error;  // why the file could not be read
    // The file the scan was read from, to tell it from a file to be written.
    bool identified = false;
    quint64 device = 0;
    quint64 inode = 0;
};

// The resolution a picture's header states, in dots per inch: a PNG's pHYs
// in pixels a metre, a BMP's pixels a metre, a TIFF's XResolution with its
// unit, a JPEG's JFIF density. Not stated: no such field, a zero BMP field,
// a unit that is only an aspect ratio.
struct StatedResolution {
    bool stated = false;
    double dpi = 0;  // may be anything the file says: 0, negative, huge
};
StatedResolution StatedDpi(const QByteArray& bytes);

// A scan from a file read once into memory, at most kMaxScanBytes: "-" is
// standard input; a fifo or a pipe is read as a file is. PNG, BMP, TIFF,
// JPEG and whatever else Qt reads, at the resolution the file states or at
// dpi when it is above 0 (a file that states none needs dpi); a PDF's first
// page rasterised by pdftoppm at dpi (kDefaultPdfDpi when not given). At
// most kMaxScanPixels; damaged pictures are refused.
Scan ReadScan(const QString& path, double dpi);

// The same for a file's bytes.
Scan ScanOfBytes(QByteArray bytes, double dpi);

// The same for a picture already in memory, at dpi (at its own dots per
// metre when dpi is 0). Transparent pixels lie on white paper.
Scan ScanOf(const QImage& image, double dpi);

}  // namespace verify
