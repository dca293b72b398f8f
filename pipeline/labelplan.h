#pragma once

// The plan of a run of labels, for the print dialog and stripewell-render
// alike: given the labels of a sheet (or one label as large as a printer's
// page), the symbology, the magnification asked and the name line, where
// each label goes, the magnification every one gets (on a printer's dots,
// a module of whole dots) and the pages, or why no symbol fits, with the
// sizes that would.

#include <QPointF>
#include <QSizeF>

#include "sheet.h"
#include "symbol/layout.h"
#include "symbol/sizing.h"
#include "tagdesign.h"

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
// the symbology's smallest; 0 when even that does not fit.
double FitMagnification(QSizeF labelMm, double asked, bool withName,
                        const symbol::SymbolCode& symbol = {});

// Whether every symbol of the symbology has one size at a magnification:
// one whose bars have a height of their own in millimetres (ITF-14's) is no
// fixed number of modules tall, and is sized to the labels beforehand,
// whatever its code.
bool OneSizePerRun(const symbol::SymbologyRow& row);

// The code with its module set for magnification, where the symbology
// takes its module with the code (ITF-14).
symbol::SymbolCode AtMagnification(symbol::SymbolCode code, double magnification);

// The sheet for one symbol per page: one label as large as the page.
SheetTemplate WholePageSheet(QSizeF pageMm);

// What is to go on the labels.
struct LabelAsk {
    // The symbology, with the add-on of a single code (a list's add-ons are
    // fitted label by label) and ITF-14's geometry.
    symbol::SymbolCode symbol;
    double magnification = 100;
    bool names = true;
    bool outline = false;
    int bwrMicrons = 0;
    // The design of the labels: the plain symbol under its name, or a tag.
    TagStyle tag;
};

// Whether a symbol fits a page of that size better turned across it.
bool FitsBetterTurned(QSizeF pageMm, const LabelAsk& ask);

struct LabelPlan {
    enum class Refusal {
        None,
        TooSmall,     // not even the smallest magnification fits the labels
        NoWholeDots,  // no module of whole dots fits them
        BarsTooThin,  // the bar width reduction takes more than half a module
    };
    Refusal refusal = Refusal::None;
    SheetTemplate sheet;
    int skip = 0;       // places of the first page left empty
    LabelStyle style;   // its magnification the one every label gets
    double fitted = 0;  // the magnification the labels allow, before any dots
    int dpi = 0;        // the printer's, or 0
    // On a printer: the module of whole dots, and the magnification that
    // fits the labels at most.
    symbol::WholeDots module{};
    double largest = 0;

    // Where the n-th label (from 0) goes.
    LabelSlot Place(qint64 n) const;
    // The pages that count labels fill.
    qint64 Pages(qint64 count) const;
    QSizeF LabelMm() const { return {sheet.labelWidth, sheet.labelHeight}; }
    // The module the labels get, in micrometres.
    double ModuleUm() const;
    // The magnification of the fewest whole dots of the printer that make a
    // module of the symbology; 0 when none.
    double FewestDots() const;
    // The label, margins included, that a symbol at magnification takes,
    // with the plan's name line or without; for a tag, the smallest any of
    // its design's layouts takes.
    QSizeF Needed(double magnification) const;

    // Set by the plan: what the sizes are asked of.
    symbol::SymbolCode sized;
    // The design of the labels, and of its layouts the one they take.
    TagStyle tag;
    int layout = 0;
    const TagLayout& Layout() const;
};

// The plan of labels on sheet, skip places of its first page left empty;
// on a printer of dpi dots per inch (0 for a file) each module a whole
// number of its dots. The style's dots (edges and the grid's start) are the
// device's to set.
LabelPlan PlanLabels(const SheetTemplate& sheet, int skip, const LabelAsk& ask, int dpi = 0);

}  // namespace pipeline
