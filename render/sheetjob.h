#pragma once

// Labels on sheets from the command line: one code or every line of a list,
// each as many times as asked, into one PDF of A4 pages.

#include <QSizeF>

#include "exitstatus.h"
#include "options.h"
#include "pipeline/sheet.h"
#include "pipeline/sheetpainter.h"

class QPagedPaintDevice;

namespace render {

// Where the labels go instead of a PDF file: a printer, which has its own
// paper and its own dots. Each step says why it cannot go on.
class PageTarget {
public:
    virtual ~PageTarget() = default;
    // The sheet to paint: the label sheet asked for, on the device's A4, or
    // when none is, one label as large as the device's page.
    virtual std::optional<pipeline::SheetTemplate> PageSheet(
        const std::optional<pipeline::SheetTemplate>& asked, QString* error) = 0;
    // The magnification nearest asked that the device prints on whole dots,
    // at most largest (what fits the label); 0 when none. note: a line for
    // standard error when it moved.
    virtual double Magnification(double asked, double largest, QString* note) = 0;
    // The style's settings for the device's dots: the bars' edges kept
    // inside them (symbol::EdgeInsetMm) and where their grid starts.
    virtual void FitToDots(pipeline::LabelStyle* style) const = 0;
    // The device, its paper set for the sheet's pages; null when none.
    virtual QPagedPaintDevice* Device(const pipeline::SheetTemplate& sheet, QString* error) = 0;
    // After the painting ended: whether the pages went out.
    virtual bool Finish(QString* error) = 0;
};

// Writes the PDF of options.output, or sends the pages to target when one is
// given. The sheet, the fitted magnification and the list's bad lines are
// reported on standard error; nothing is written or sent when the sheet or
// its labels do not allow a symbol.
ExitStatus RunSheet(const Options& options, PageTarget* target = nullptr);

}  // namespace render
