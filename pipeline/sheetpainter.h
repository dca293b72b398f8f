#pragma once

// Labels on sheets of paper: retail symbols placed one per label, left to
// right and top to bottom, on the pages of a page sink (a PDF file, a
// printer), in millimetres, with every text as outlines, as a label plan
// sizes them.

#include <QString>
#include <optional>

#include "labelplan.h"
#include "pagesink.h"
#include "price.h"

namespace pipeline {

class SheetPainter {
public:
    // Paints the plan's labels where it places them on the sink's pages,
    // which must be the plan's sheet of paper, from its corner (no margins).
    // The sink's last page goes out when the painter is gone.
    SheetPainter(std::unique_ptr<PageSink> sink, const LabelPlan& plan);
    ~SheetPainter();

    enum class Added { Painted, TooLarge, BarsTooThin, DeviceFailed, NoPrice };
    // The next label: a whole code under a name. A symbol that the style's
    // magnification makes too wide for the label (an add-on) is drawn
    // smaller, down to the symbology's smallest magnification; below that
    // it is left out (TooLarge) and its place goes to the next label, as
    // when the smaller module leaves less than half of it after the bar
    // width reduction (BarsTooThin). A tag design shows the price given; a
    // label without one is left out (NoPrice): no tag goes out unpriced.
    Added Add(const QString& name, const symbol::SymbolCode& code,
              const std::optional<TagPrice>& price = std::nullopt);

    int Pages() const { return page_ + 1; }

private:
    bool Start();
    bool NewPage();
    void StartPage();

    std::unique_ptr<PageSink> sink_;
    const LabelPlan plan_;
    int painted_ = 0;
    int page_ = 0;
};

}  // namespace pipeline
