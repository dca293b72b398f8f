#pragma once

// A description at its printed size in millimetres: the bars as rectangles
// and every text as outlines, so that the file looks the same on a machine
// without our fonts. Written as SVG or as a one-page PDF of the box's size.

#include <QByteArray>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

#include "layout.h"

namespace symbol {

struct VectorSymbol {
    QSizeF size;         // the box
    QList<QRectF> bars;  // narrowed by the bar width reduction
    QPainterPath text;   // every text's outlines
};

// The description with modules of moduleMm, every bar narrowed by bwrMm
// about its middle.
VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm);

QByteArray SvgFile(const VectorSymbol& symbol);

// A PDF 1.4 file of one page the size of the box. Written directly: Qt's
// PDF writer rounds the page to whole points, up to 0.18 mm off the box.
QByteArray PdfFile(const VectorSymbol& symbol);

}  // namespace symbol
