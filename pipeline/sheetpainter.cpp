#include "sheetpainter.h"

#include <algorithm>
#include <cmath>

#include "symbol/layout.h"
#include "symbol/vector.h"

namespace pipeline {

namespace {

// What a label shows, in millimetres from the page's corner: the black
// rectangles and the texts, each with the transform from its place to the
// page. Every device paints this, so that a printer and a file stay alike.
struct LabelContent {
    QList<QRectF> bars;
    QList<std::pair<symbol::TextPlace, QTransform>> texts;
};

// The symbol's corner falls on a whole dot of dotsPerMm, so that a module of
// whole dots keeps every bar edge on a dot.
LabelContent Content(const QRectF& label, const QString& name,
                     const symbol::Description& description, double module, const LabelStyle& style,
                     double dotsPerMm) {
    const QSizeF size = description.box * module;
    const QRectF inner =
        label.adjusted(kLabelMarginMm, kLabelMarginMm, -kLabelMarginMm, -kLabelMarginMm);

    // The name's line: what the room above the symbol allows, at most the
    // symbol's own.
    const bool withName = style.names && !name.isEmpty();
    const symbol::NameLine line =
        withName ? symbol::LabelNameLine(module, inner.height() - size.height())
                 : symbol::NameLine{};
    const double nameLine = line.band;
    const double top = inner.center().y() - (size.height() + nameLine) / 2 + nameLine;
    const double left = inner.center().x() - size.width() / 2;
    const QPointF origin = style.dotOriginMm;
    const QPointF corner(std::round((left - origin.x()) * dotsPerMm) / dotsPerMm + origin.x(),
                         std::round((top - origin.y()) * dotsPerMm) / dotsPerMm + origin.y());

    LabelContent content;
    content.bars = symbol::BarRects(description, module, style.bwrMm);
    for (QRectF& bar : content.bars)
        bar = bar.translated(corner).adjusted(style.edgeInsetMm, 0, -style.edgeInsetMm, 0);
    const QTransform toPage(module, 0, 0, module, corner.x(), corner.y());
    for (const symbol::TextPlace& text : description.texts)
        content.texts.append({text, toPage});
    // The name from the symbol's corner too: in every label alike where the
    // names are alike in length.
    if (withName)
        content.texts.append(
            {symbol::TextPlace{name, symbol::Face::Name, line.em,
                               QPointF(inner.center().x() - corner.x(), -nameLine + line.baseline),
                               true, inner.width()},
             QTransform::fromTranslate(corner.x(), corner.y())});
    return content;
}

}  // namespace

SheetPainter::SheetPainter(std::unique_ptr<PageSink> sink, const LabelPlan& plan)
    : sink_(std::move(sink)), plan_(plan) {}

SheetPainter::~SheetPainter() = default;

bool SheetPainter::Start() {
    if (!sink_->Start())
        return false;
    StartPage();
    return true;
}

bool SheetPainter::NewPage() {
    if (!sink_->NewPage())
        return false;
    StartPage();
    return true;
}

// A test print shows every label's edge, the empty ones too.
void SheetPainter::StartPage() {
    if (!plan_.style.outline)
        return;
    constexpr double kEdgeLineMm = 0.1;
    QList<QRectF> edges;
    for (int i = 0; i < plan_.sheet.LabelsPerPage(); ++i)
        edges.append(plan_.sheet.LabelRect(i));
    sink_->StrokeRects(edges, kEdgeLineMm);
}

SheetPainter::Added SheetPainter::Add(const QString& name, const symbol::SymbolCode& code,
                                      const std::optional<TagPrice>& price) {
    if (plan_.tag.design != Design::Symbol && !price)
        return Added::NoPrice;
    const LabelSlot slot = plan_.Place(painted_);
    const QRectF label = plan_.sheet.LabelRect(slot.index);
    const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
    symbol::Description described;
    double module = 0;
    if (OneSizePerRun(row)) {
        // Every such code has the same size, fitted to the labels beforehand.
        symbol::SymbolCode sized = code;
        sized.itf = plan_.style.itf;
        sized = AtMagnification(sized, plan_.style.magnification);
        described = symbol::Describe(symbol::Layout::Retail, sized, {});
        module = sized.itf.moduleMm;
    } else {
        described = symbol::Describe(symbol::Layout::Retail, code, {});
        const double room = (label.width() - 2 * kLabelMarginMm) / described.box.width();
        module = std::min(symbol::ModuleMmAt(row, plan_.style.magnification), room);
        if (module < symbol::ModuleMmAt(row, row.minMagnification))
            return Added::TooLarge;
    }
    if (!symbol::LeavesHalfModule(plan_.style.bwrMm, module))
        return Added::BarsTooThin;
    // Painting starts with the first label, so that a run that has none
    // leaves the device as it was: a printer gets no job, not a blank page.
    if (!sink_->Started() && !Start())
        return Added::DeviceFailed;
    ++painted_;
    while (slot.page > page_) {
        if (!NewPage())
            return Added::DeviceFailed;
        ++page_;
    }
    PaintLabel(label, name, described, module);
    return Added::Painted;
}

void SheetPainter::PaintLabel(const QRectF& label, const QString& name,
                              const symbol::Description& description, double module) {
    const LabelContent content =
        Content(label, name, description, module, plan_.style, sink_->DotsPerMm());
    sink_->FillRects(content.bars);
    for (const auto& [text, toPage] : content.texts)
        sink_->FillText(text, toPage);
}

}  // namespace pipeline
