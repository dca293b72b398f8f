#pragma once

// Labels on sheets of paper: retail symbols placed one per label, left to
// right and top to bottom, on the pages of any paged device (a PDF file, a
// printer), in millimetres, with every text as outlines.

#include <QPainter>
#include <QRectF>
#include <QString>

#include <memory>

#include "sheet.h"
#include "symbol/layout.h"

class QPagedPaintDevice;

namespace symbol {
class PdfCanvas;
class PdfPages;
}  // namespace symbol

namespace pipeline {

// Clear room kept between a label's edge and what is printed on it.
inline constexpr double kLabelMarginMm = 1.0;

struct LabelStyle {
    double magnification = 100;  // percent, as fitted to the label
    double bwrMm = 0;            // bar width reduction
    bool names = true;           // print each label's name above its symbol
    bool outline = false;        // draw each label's edge
    // On a printer: bar edges kept inside their dots, and where its grid of
    // dots starts (the corner of the area it prints), from the paper's corner.
    double edgeInsetMm = 0;
    QPointF dotOriginMm;
    // ITF-14's ratio and bearers; its module is the magnification's.
    symbol::ItfGeometry itf;
};

// The size a label must have for a retail symbol of the symbology (its
// add-on, if any, too) at magnification percent, with a line for its name
// when withName, margins included.
QSizeF NeededLabelSize(double magnification, bool withName, const symbol::SymbolCode& symbol = {});

// The magnification to print at on labels of that size: the asked one when
// it fits, else the largest that fits (to a tenth of a percent), at least
// 80 percent; 0 when even 80 percent does not fit.
double FitMagnification(QSizeF labelMm, double asked, bool withName,
                        const symbol::SymbolCode& symbol = {});

// The sheet for one symbol per page: one label as large as the page.
SheetTemplate WholePageSheet(QSizeF pageMm);

class SheetPainter {
public:
    // Paints on device, whose pages must be the sheet's paper, from its
    // corner (no margins), from the first label on; skip places of the
    // first page are left empty.
    SheetPainter(QPagedPaintDevice* device, const SheetTemplate& sheet, int skip,
                 const LabelStyle& style);
    // The same into a PDF file written page by page, whose pages must be
    // the sheet's paper; each page goes out when the next one starts, and
    // the last when the painter is gone (before pdf->Finish()).
    SheetPainter(symbol::PdfPages* pdf, const SheetTemplate& sheet, int skip,
                 const LabelStyle& style);
    ~SheetPainter();

    enum class Added { Painted, TooLarge, BarsTooThin, DeviceFailed };
    // The next label: a whole code under a name. A symbol that the style's
    // magnification makes too wide for the label (an add-on) is drawn
    // smaller, down to 80 percent; below that it is left out (TooLarge)
    // and its place goes to the next label, as when the smaller module
    // leaves less than half of it after the bar width reduction (BarsTooThin).
    Added Add(const QString& name, const symbol::SymbolCode& code);

    int Pages() const { return page_ + 1; }

private:
    bool Started() const;
    bool Start();
    bool NewPage();
    void StartPage();
    double DotsPerMm() const;
    void PaintLabel(const QRectF& label, const QString& name, const symbol::Description& symbol,
                    double module);

    QPagedPaintDevice* device_ = nullptr;
    symbol::PdfPages* pdf_ = nullptr;
    std::unique_ptr<symbol::PdfCanvas> canvas_;  // the PDF's page being painted
    SheetTemplate sheet_;
    LabelStyle style_;
    QPainter painter_;
    int next_;  // the place of the next label on the sheet's pages
    int page_ = 0;
};

}  // namespace pipeline
