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

// The symbol's box in modules; any code of its length gives the same.
QSizeF SymbolBox(const symbol::SymbolCode& symbol) {
    symbol::SymbolCode sample = symbol;
    sample.code = symbol.symbology == symbol::Symbology::Book
                      ? symbol::BookSampleText()
                      : QString(symbol::DataDigitCount(symbol.symbology) + 1, u'0');
    sample.addon.fill(u'0');
    return symbol::Describe(symbol::Layout::Retail, sample, {}).box;
}

// ITF-14's module at a magnification, and the code drawn with it: its bars
// are 31.75 mm tall whatever the module, so its box is no fixed number of
// modules.
double ItfModuleMm(double magnification) {
    return symbol::NominalModuleMm(symbol::Symbology::Itf14) * magnification / 100;
}

symbol::SymbolCode AtItfModule(symbol::SymbolCode code, double magnification) {
    code.itf.moduleMm = ItfModuleMm(magnification);
    return code;
}

QSizeF ItfBoxMm(const symbol::SymbolCode& code, double magnification) {
    symbol::SymbolCode sample = AtItfModule(code, magnification);
    sample.code = QString(symbol::DataDigitCount(code.symbology) + 1, u'0');
    return symbol::Describe(symbol::Layout::Retail, sample, {}).box * sample.itf.moduleMm;
}

// The largest magnification, in tenths of a percent from the asked one
// down, at which ITF-14 fits the room; 0 when none does.
double FitItf(QSizeF roomMm, double asked, const symbol::SymbolCode& code) {
    const int floor = symbol::MinMagnification(code.symbology) * 10;
    for (int tenths = int(std::floor(asked * 10)); tenths >= floor; --tenths) {
        const double magnification = tenths / 10.0;
        const QSizeF box = ItfBoxMm(code, magnification);
        if (box.width() <= roomMm.width() && box.height() <= roomMm.height())
            return tenths == asked * 10 ? asked : magnification;
    }
    return 0;
}

}  // namespace

QSizeF NeededLabelSize(double magnification, bool withName, const symbol::SymbolCode& code) {
    const QSizeF box = code.symbology == symbol::Symbology::Itf14
                           ? ItfBoxMm(code, magnification)
                           : SymbolBox(code) * symbol::ModuleMm(magnification);
    const double name = withName ? symbol::kLabelNameMinBandMm : 0;
    return {box.width() + 2 * kLabelMarginMm, box.height() + name + 2 * kLabelMarginMm};
}

double FitMagnification(QSizeF labelMm, double asked, bool withName,
                        const symbol::SymbolCode& code) {
    if (code.symbology == symbol::Symbology::Itf14) {
        const double name = withName ? symbol::kLabelNameMinBandMm : 0;
        return FitItf(QSizeF(labelMm.width() - 2 * kLabelMarginMm,
                             labelMm.height() - 2 * kLabelMarginMm - name),
                      asked, code);
    }
    const QSizeF at100 = SymbolBox(code) * symbol::ModuleMm(100);
    const double name = withName ? symbol::kLabelNameMinBandMm : 0;
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

namespace {

// A PDF's labels stand on a grid of 1200 dots per inch, and its pages are
// written in those dots, each bar filled on its own, as Qt's PDF writer
// wrote them, so that every edge that stands on the middle of a pixel at
// 600 dpi goes to the side it went to before.
constexpr double kPdfDotsPerInch = 1200;
const symbol::PdfUnits kPdfUnits{kPdfDotsPerInch / 25.4, 5, true};

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

SheetPainter::SheetPainter(QPagedPaintDevice* device, const SheetTemplate& sheet, int skip,
                           const LabelStyle& style)
    : device_(device), sheet_(sheet), style_(style), next_(skip) {}

SheetPainter::SheetPainter(symbol::PdfPages* pdf, const SheetTemplate& sheet, int skip,
                           const LabelStyle& style)
    : pdf_(pdf), sheet_(sheet), style_(style), next_(skip) {}

double SheetPainter::DotsPerMm() const {
    return (pdf_ ? kPdfDotsPerInch : device_->logicalDpiX()) / 25.4;
}

bool SheetPainter::Started() const {
    return pdf_ ? canvas_ != nullptr : painter_.isActive();
}

bool SheetPainter::Start() {
    if (pdf_)
        canvas_ = std::make_unique<symbol::PdfCanvas>(pdf_->PageSizePt().height(), kPdfUnits, pdf_);
    else if (!painter_.begin(device_))
        return false;
    StartPage();
    return true;
}

bool SheetPainter::NewPage() {
    if (pdf_) {
        if (!pdf_->AddPage(canvas_->Take()))
            return false;
    } else if (!device_->newPage()) {
        return false;
    }
    StartPage();
    return true;
}

// A test print shows every label's edge, the empty ones too.
void SheetPainter::StartPage() {
    if (!pdf_) {
        const double dotsPerMm = DotsPerMm();
        painter_.setTransform(QTransform::fromScale(dotsPerMm, dotsPerMm));
    }
    if (!style_.outline)
        return;
    constexpr double kEdgeLineMm = 0.1;
    if (!pdf_) {
        painter_.setPen(QPen(Qt::black, kEdgeLineMm));
        painter_.setBrush(Qt::NoBrush);
    }
    for (int i = 0; i < sheet_.LabelsPerPage(); ++i) {
        if (pdf_)
            canvas_->StrokeRect(sheet_.LabelRect(i), kEdgeLineMm);
        else
            painter_.drawRect(sheet_.LabelRect(i));
    }
}

SheetPainter::~SheetPainter() {
    if (painter_.isActive())
        painter_.end();
    if (canvas_)
        pdf_->AddPage(canvas_->Take());
}

SheetPainter::Added SheetPainter::Add(const QString& name, const symbol::SymbolCode& code) {
    const QRectF label = sheet_.LabelRect(SlotOf(sheet_, 0, next_).index);
    symbol::Description described;
    double module = 0;
    if (code.symbology == symbol::Symbology::Itf14) {
        // Every case code has the same size, fitted to the labels beforehand.
        symbol::SymbolCode itf = code;
        itf.itf = style_.itf;
        itf = AtItfModule(itf, style_.magnification);
        described = symbol::Describe(symbol::Layout::Retail, itf, {});
        module = itf.itf.moduleMm;
    } else {
        described = symbol::Describe(symbol::Layout::Retail, code, {});
        const double room = (label.width() - 2 * kLabelMarginMm) / described.box.width();
        module = std::min(symbol::ModuleMm(style_.magnification), room);
        if (module < symbol::ModuleMm(symbol::kMinMagnification))
            return Added::TooLarge;
    }
    if (2 * style_.bwrMm > module)
        return Added::BarsTooThin;
    // Painting starts with the first label, so that a run that has none
    // leaves the device as it was: a printer gets no job, not a blank page.
    if (!Started() && !Start())
        return Added::DeviceFailed;
    const LabelSlot slot = SlotOf(sheet_, 0, next_++);
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
    const LabelContent content = Content(label, name, description, module, style_, DotsPerMm());
    if (pdf_) {
        canvas_->FillRects(content.bars);
        for (const auto& [text, toPage] : content.texts)
            canvas_->FillText(text, toPage);
        return;
    }
    for (const QRectF& bar : content.bars)
        painter_.fillRect(bar, Qt::black);
    for (const auto& [text, toPage] : content.texts)
        painter_.fillPath(toPage.map(symbol::TextOutline(text)), Qt::black);
}

}  // namespace pipeline
