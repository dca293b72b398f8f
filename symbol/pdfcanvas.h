#pragma once

// A PDF page's content: its units, and what it shows drawn as PDF operators.

#include <QList>
#include <QRectF>
#include <QTransform>
#include <cstddef>
#include <string>

#include "layout.h"

namespace symbol {

// The units a PDF page is written in. Outlines are written point by point:
// placed through a PDF matrix, poppler's edges moved by up to a third of a
// 600-dpi dot.
struct PdfUnits {
    // The page's unit per millimetre (1: millimetres), and the decimals its
    // lengths are written with.
    double perMm = 1;
    int decimals = 3;
    // Every rectangle filled on its own: poppler then puts its edges on its
    // nearest pixels, as for Qt's PDF writer, whose pages had this. Otherwise
    // the rectangles of a call make one shape.
    bool rectsAlone = false;
    // With a unit other than the millimetre, rectangles are written in
    // millimetres with these decimals through the unit's matrix, as Qt's
    // writer wrote them: at 600 dpi a bar edge may lie within a millionth of
    // a millimetre of a pixel's middle, and any other arithmetic turns a
    // row of pixels over.
    int rectDecimals = 7;
};

class PdfPages;

// What one page of a PDF shows, in millimetres from its top-left corner:
// black rectangles, texts as outlines and thin frames.
class PdfCanvas {
public:
    // For a page heightPt points tall. With forms, a text placed a whole
    // number of units from the page's corner draws each of its characters
    // as a form of that file, written once for the character at its place.
    explicit PdfCanvas(double heightPt, const PdfUnits& units = {}, PdfPages* forms = nullptr);

    // The rectangles filled in white or black.
    void FillRects(const QList<QRectF>& mm, bool white = false);
    // A text of a description, its modules taken to millimetres by toMm.
    void FillText(const TextPlace& text, const QTransform& toMm);
    // The rectangle's edge as a line lineMm wide.
    void StrokeRect(const QRectF& mm, double lineMm);

    bool IsEmpty() const { return content_.size() == start_; }
    const std::string& Content() const { return content_; }
    // Takes the content, leaving an empty page of the same height.
    std::string Take();

private:
    PdfUnits units_;
    PdfPages* forms_;
    std::string rectMatrix_;  // into millimetres, for a unit that is not
    std::string content_;
    size_t start_ = 0;
};

}  // namespace symbol
