// Feeds arbitrary bytes to the verifier's scan reader as a scan file: the
// headers of PNG, BMP, TIFF and JPEG and the resolution they state. What it
// takes must be a grey picture within the limits at a resolution in range;
// what it refuses must say why on one line. PDFs go to pdftoppm, not here.

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "require.h"
#include "verify/scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.startsWith("%PDF-"))
        return 0;
    const verify::StatedResolution stated = verify::StatedDpi(bytes);
    Require(stated.stated || stated.dpi == 0);
    // Once at the resolution the header states, once at one given.
    for (const double dpi : {0.0, 600.0}) {
        const verify::Scan scan = verify::ScanOfBytes(bytes, dpi);
        if (!scan.error.isEmpty()) {
            Require(scan.grey.isNull() && IsOneLineMessage(scan.error));
            continue;
        }
        Require(scan.grey.format() == QImage::Format_Grayscale8);
        Require(qint64(scan.grey.width()) * scan.grey.height() <= verify::kMaxScanPixels);
        Require(scan.dpi >= verify::kMinScanDpi && scan.dpi <= verify::kMaxScanDpi);
        Require(dpi == 0 ? stated.stated && std::abs(scan.dpi - stated.dpi) <= 0.05
                         : scan.dpi == dpi);
    }
    return 0;
}
