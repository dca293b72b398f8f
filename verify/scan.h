#pragma once

// A scan as the verifier reads it: grey levels and a resolution.

#include <QImage>
#include <QString>

namespace verify {

struct Scan {
    // One byte per pixel: the red channel of a colour scan (what a verifier's
    // 660 nm red light sees), the grey of a grey one.
    QImage grey;
    double dpi = 0;
    QString error;  // why the file could not be read
};

// PNG, BMP, TIFF and whatever else Qt reads at the file's own resolution, or
// at dpi when it is above 0; a PDF's first page rasterised by pdftoppm at dpi
// (600 when not given).
Scan ReadScan(const QString& path, double dpi);

// The same for a picture already in memory.
Scan ScanOf(const QImage& image, double dpi);

}  // namespace verify
