#pragma once

// Labels on sheets from the command line: one code or every line of a list,
// each as many times as asked, into one PDF of A4 pages.

#include <QSizeF>
#include <memory>
#include <optional>

#include "exitstatus.h"
#include "options.h"
#include "pipeline/labelplan.h"
#include "pipeline/pagesink.h"
#include "pipeline/sheet.h"
#include "pipeline/sheetpainter.h"

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
    // The dots per inch the label plan makes every module a whole number of.
    virtual int Dpi() const = 0;
    // The style's settings for the device's dots: the bars' edges kept
    // inside them (symbol::EdgeInsetMm) and where their grid starts.
    virtual void FitToDots(pipeline::LabelStyle* style) const = 0;
    // The device's pages, its paper set for the sheet's; null when none.
    virtual std::unique_ptr<pipeline::PageSink> Pages(QString* error) = 0;
    // After the painting ended: whether the pages went out.
    virtual bool Finish(QString* error) = 0;
};

// What the options ask to put on the labels, with addon as the symbol's.
pipeline::LabelAsk LabelAskOf(const Options& options, const QString& addon);

// The size of a tag written to a file of its own: --label-size, or its
// design's own.
QSizeF TagLabelMm(const Options& options);

// Writes the PDF of options.file, or sends the pages to target when one is
// given. The sheet, the fitted magnification and the list's bad lines are
// reported on standard error; nothing is written or sent when the sheet or
// its labels do not allow a symbol.
ExitStatus RunSheet(const Options& options, PageTarget* target = nullptr);

}  // namespace render
