#pragma once

// The pages labels are painted on, in millimetres from the page's corner:
// a PDF file written page by page (symbol::PdfPages, through its canvas),
// any paged device of Qt (a printer, Qt's PDF writer) through a QPainter,
// or a single page as a picture or an SVG file.
// The label painter draws the same shapes on either.

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QTransform>
#include <memory>

#include "symbol/layout.h"

class QImage;
class QPagedPaintDevice;

namespace symbol {
class PdfPages;
}  // namespace symbol

namespace pipeline {

class PageSink {
public:
    virtual ~PageSink() = default;
    // The device's grid of dots, which every symbol's corner falls on.
    virtual double DotsPerMm() const = 0;
    // Whether the first page was begun.
    virtual bool Started() const = 0;
    // Begins the first page, then each next one; false when the device failed.
    virtual bool Start() = 0;
    virtual bool NewPage() = 0;
    // The edges of rectangles, lines widthMm wide.
    virtual void StrokeRects(const QList<QRectF>& rects, double widthMm) = 0;
    virtual void FillRects(const QList<QRectF>& rects) = 0;
    // A text as outlines, toPage taking its place onto the page.
    virtual void FillText(const symbol::TextPlace& text, const QTransform& toPage) = 0;
};

// The pages of a PDF file, written as they end; the last when the sink is
// gone. Its grid is 1200 dots per inch.
std::unique_ptr<PageSink> PdfPageSink(symbol::PdfPages* pdf);

// The pages of a paged device, on its own resolution; its painting ends
// with the sink.
std::unique_ptr<PageSink> DevicePageSink(QPagedPaintDevice* device);

// One page painted onto a picture (white where nothing is painted) of
// dotsPerMm, in black and white only, its shapes filling the dots whose
// middles they cover. A second page paints over the first.
std::unique_ptr<PageSink> PicturePageSink(QImage* picture, double dotsPerMm);

// One page written as an SVG file sizeMm large into svg when the sink is
// gone: rectangles and outlines filled black on white, in millimetres, on
// a grid of dotsPerMm.
std::unique_ptr<PageSink> SvgPageSink(QByteArray* svg, QSizeF sizeMm, double dotsPerMm);

}  // namespace pipeline
