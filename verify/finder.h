#pragma once

// Finding the symbol in a scan: where it stands, which way it reads, how far
// it is turned, and where its bars end.

#include <QImage>
#include <QPointF>
#include <QString>

#include "symbol/family.h"

#include "messages.h"

namespace verify {

// The symbol's own axes in the picture: s along the scan line in reading
// order, t along the bars towards their bottom, both in pixels from the
// leading edge of the first bar on the middle row that was read.
struct Frame {
    QPointF origin;
    QPointF u;          // unit vector of s
    QPointF v;          // unit vector of t
    double module = 0;  // a first estimate of X, in pixels
    double width = 0;   // first bar's leading edge to last bar's trailing edge
    double top = 0;     // t of the top and bottom of the normal bars
    double bottom = 0;
    double degrees = 0;  // the bars' tilt from upright, clockwise
    bool upsideDown = false;
    symbol::Symbology symbology = symbol::kDefaultSymbology;
    QString code;

    QPointF At(double s, double t) const { return origin + s * u + t * v; }
};

struct Found {
    bool ok = false;
    Frame frame;
    QString reason;  // why no symbol was found, in English (the JSON report)
    QString shown;   // the same in the reader's language (the text report)

    void Refuse(const Said& why) {
        ok = false;
        reason = why.english;
        shown = why.shown;
    }
};

// Scan lines across the whole picture, each as the aperture sees it and
// binarised at its own midpoint, looking for EAN-13, EAN-8 and UPC-A symbols
// upright or upside down, turned by a few degrees at most. Exactly one
// symbol is accepted; without one, the reason says why (nothing reads, a
// blank scan, contrast too low, no quiet zone, too small, several).
Found FindSymbol(const QImage& grey, double dpi);

// The fewest pixels per module with which a symbol is graded: below that the
// aperture and the edges fall within a pixel or two.
inline constexpr double kMinModulePixels = 3;

}  // namespace verify
