#pragma once

// A description at its printed size in millimetres: the bars as rectangles
// and every text as outlines, so that the file looks the same on a machine
// without our fonts. Written as SVG or as a one-page PDF of the box's size,
// or as shapes for a painter.

#include <QByteArray>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>

#include "layout.h"
// The PDF files are written with these; those who write pages of their own
// (label sheets) take them from here too.
#include "pdfcanvas.h"
#include "pdfdocument.h"

namespace symbol {

struct VectorSymbol {
    QSizeF size;         // the box
    QList<QRectF> bars;  // narrowed by the bar width reduction
    QPainterPath text;   // every text's outlines
};

// Every black rectangle of the description in millimetres, modules of
// moduleMm: the bars narrowed by bwrMm about their middles, then the bearer
// bars as they are.
QList<QRectF> BarRects(const Description& description, double moduleMm, double bwrMm);

// The description with modules of moduleMm, every bar narrowed by bwrMm
// about its middle.
VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm);

// The same as an SVG file. Each digit is written once per thread and placed
// by a matrix: its outline in font units is the same in every symbol. The
// window's layout is written as the window shows it, a user unit a module
// and its texts as text in the canvas font, and without reduction.
QByteArray SvgFile(const Description& description, double moduleMm, double bwrMm);

// The same as a PDF 1.4 file of one page the size of the box. Written
// directly: Qt's PDF writer rounds the page to whole points, up to 0.18 mm
// off the box.
QByteArray PdfFile(const Description& description, double moduleMm, double bwrMm);

// A file for a printer of dpi dots per inch that another program prints:
// modules of moduleDots dots and bars narrowed by bwrDots (an odd dot off
// the right edge, as in the bitmaps), every bar edge and the page's edges on
// the printer's dots.
struct PrinterDots {
    int dpi;
    int moduleDots;
    int bwrDots;
};
QByteArray SvgFile(const Description& description, const PrinterDots& dots);
QByteArray PdfFile(const Description& description, const PrinterDots& dots);

}  // namespace symbol
