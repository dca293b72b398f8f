#pragma once

// Labels on sheets of paper: retail symbols placed one per label, left to
// right and top to bottom, on the pages of a page sink (a PDF file, a
// printer), in millimetres, with every text as outlines, as a label plan
// sizes them.

#include <QString>

#include "labelplan.h"
#include "pagesink.h"  // declares the devices painted on

namespace pipeline {

class SheetPainter {
public:
    // Paints on the sink's pages, which must be the sheet's paper, from its
    // corner (no margins), from the first label on; skip places of the
    // first page are left empty. The sink's last page goes out when the
    // painter is gone.
    SheetPainter(std::unique_ptr<PageSink> sink, const SheetTemplate& sheet, int skip,
                 const LabelStyle& style);
    // On device, through a QPainter.
    SheetPainter(QPagedPaintDevice* device, const SheetTemplate& sheet, int skip,
                 const LabelStyle& style);
    // Into a PDF file written page by page (before pdf->Finish()).
    SheetPainter(symbol::PdfPages* pdf, const SheetTemplate& sheet, int skip,
                 const LabelStyle& style);
    // As a label plan has it.
    SheetPainter(std::unique_ptr<PageSink> sink, const LabelPlan& plan);
    ~SheetPainter();

    enum class Added { Painted, TooLarge, BarsTooThin, DeviceFailed };
    // The next label: a whole code under a name. A symbol that the style's
    // magnification makes too wide for the label (an add-on) is drawn
    // smaller, down to the symbology's smallest magnification; below that
    // it is left out (TooLarge) and its place goes to the next label, as
    // when the smaller module leaves less than half of it after the bar
    // width reduction (BarsTooThin).
    Added Add(const QString& name, const symbol::SymbolCode& code);

    int Pages() const { return page_ + 1; }

private:
    bool Start();
    bool NewPage();
    void StartPage();
    void PaintLabel(const QRectF& label, const QString& name, const symbol::Description& symbol,
                    double module);

    std::unique_ptr<PageSink> sink_;
    SheetTemplate sheet_;
    LabelStyle style_;
    int next_;  // the place of the next label on the sheet's pages
    int page_ = 0;
};

}  // namespace pipeline
