#include "sheetpainter.h"

#include <QPagedPaintDevice>
#include <QPen>
#include <cmath>

#include "symbol/book.h"
#include "symbol/family.h"
#include "symbol/layout.h"
#include "symbol/outline.h"
#include "symbol/vector.h"

namespace pipeline {

namespace {

// The name's line as the symbol's layout has it.
constexpr double kNameMinEmMm = symbol::kLabelNameMinEmMm;
constexpr double kNameEmModules = symbol::kNameEmModules;
constexpr double kNameLine = symbol::kNameBandEm;

// The symbol's box in modules; any code of its length gives the same.
QSizeF SymbolBox(const symbol::SymbolCode& symbol) {
    symbol::SymbolCode sample = symbol;
    sample.code = symbol.symbology == symbol::Symbology::Book
                      ? symbol::BookSampleText()
                      : QString(symbol::DataDigitCount(symbol.symbology) + 1, u'0');
    sample.addon.fill(u'0');
    return symbol::Describe(symbol::Layout::Retail, sample, {}).box;
}

}  // namespace

QSizeF NeededLabelSize(double magnification, bool withName, const symbol::SymbolCode& code) {
    const QSizeF box = SymbolBox(code) * symbol::ModuleMm(magnification);
    const double name = withName ? kNameMinEmMm * kNameLine : 0;
    return {box.width() + 2 * kLabelMarginMm, box.height() + name + 2 * kLabelMarginMm};
}

double FitMagnification(QSizeF labelMm, double asked, bool withName,
                        const symbol::SymbolCode& code) {
    const QSizeF at100 = SymbolBox(code) * symbol::ModuleMm(100);
    const double name = withName ? kNameMinEmMm * kNameLine : 0;
    const double room = std::min((labelMm.width() - 2 * kLabelMarginMm) / at100.width(),
                                 (labelMm.height() - 2 * kLabelMarginMm - name) / at100.height());
    const double fits = std::floor(room * 1000) / 10;
    if (fits >= asked)
        return asked;
    return fits >= symbol::kMinMagnification ? fits : 0;
}

SheetTemplate WholePageSheet(QSizeF pageMm) {
    return {QStringLiteral("page"),
            QStringLiteral("one symbol on the page"),
            0,
            0,
            pageMm.width(),
            pageMm.height(),
            pageMm.width(),
            pageMm.height(),
            1,
            1};
}

SheetPainter::SheetPainter(QPagedPaintDevice* device, const SheetTemplate& sheet, int skip,
                           const LabelStyle& style)
    : device_(device), sheet_(sheet), style_(style), next_(skip) {}

// A test print shows every label's edge, the empty ones too.
void SheetPainter::StartPage() {
    const double dotsPerMm = device_->logicalDpiX() / 25.4;
    painter_.setTransform(QTransform::fromScale(dotsPerMm, dotsPerMm));
    if (!style_.outline)
        return;
    painter_.setPen(QPen(Qt::black, 0.1));
    painter_.setBrush(Qt::NoBrush);
    for (int i = 0; i < sheet_.LabelsPerPage(); ++i)
        painter_.drawRect(sheet_.LabelRect(i));
}

SheetPainter::~SheetPainter() {
    if (painter_.isActive())
        painter_.end();
}

SheetPainter::Added SheetPainter::Add(const QString& name, const symbol::SymbolCode& code) {
    const symbol::Description described = symbol::Describe(symbol::Layout::Retail, code, {});
    const QRectF label = sheet_.LabelRect(SlotOf(sheet_, 0, next_).index);
    const double room = (label.width() - 2 * kLabelMarginMm) / described.box.width();
    const double module = std::min(symbol::ModuleMm(style_.magnification), room);
    if (module < symbol::ModuleMm(symbol::kMinMagnification))
        return Added::TooLarge;
    if (2 * style_.bwrMm > module)
        return Added::BarsTooThin;
    // Painting starts with the first label, so that a run that has none
    // leaves the device as it was: a printer gets no job, not a blank page.
    if (!painter_.isActive()) {
        if (!painter_.begin(device_))
            return Added::DeviceFailed;
        StartPage();
    }
    const LabelSlot slot = SlotOf(sheet_, 0, next_++);
    while (slot.page > page_) {
        if (!device_->newPage())
            return Added::DeviceFailed;
        ++page_;
        StartPage();
    }
    PaintLabel(label, name, described, module);
    return Added::Painted;
}

// In millimetres from the page's corner, the device's dots scaled. The
// symbol's corner falls on a whole dot, so that a module of whole dots keeps
// every bar edge on a dot.
void SheetPainter::PaintLabel(const QRectF& label, const QString& name,
                              const symbol::Description& description, double module) {
    const double dotsPerMm = device_->logicalDpiX() / 25.4;
    const symbol::VectorSymbol drawn = symbol::Vectorise(description, module, style_.bwrMm);
    const QRectF inner =
        label.adjusted(kLabelMarginMm, kLabelMarginMm, -kLabelMarginMm, -kLabelMarginMm);

    // The name's em: what the room above the symbol allows, at most 10 modules.
    const bool withName = style_.names && !name.isEmpty();
    const double em = withName ? std::min(kNameEmModules * module,
                                          (inner.height() - drawn.size.height()) / kNameLine)
                               : 0;
    const double nameLine = em * kNameLine;
    const double top = inner.center().y() - (drawn.size.height() + nameLine) / 2 + nameLine;
    const double left = inner.center().x() - drawn.size.width() / 2;
    const QPointF origin = style_.dotOriginMm;
    const QPointF corner(std::round((left - origin.x()) * dotsPerMm) / dotsPerMm + origin.x(),
                         std::round((top - origin.y()) * dotsPerMm) / dotsPerMm + origin.y());

    for (const QRectF& bar : drawn.bars)
        painter_.fillRect(
            bar.translated(corner).adjusted(style_.edgeInsetMm, 0, -style_.edgeInsetMm, 0),
            Qt::black);
    painter_.fillPath(drawn.text.translated(corner), Qt::black);
    if (withName) {
        const symbol::TextPlace place{
            name, symbol::Face::Name,
            em,   QPointF(inner.center().x(), corner.y() - nameLine + 0.9 * em),
            true, inner.width()};
        painter_.fillPath(symbol::TextOutline(place), Qt::black);
    }
}

}  // namespace pipeline
