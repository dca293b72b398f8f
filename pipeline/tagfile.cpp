#include "tagfile.h"

#include <QImage>
#include <cmath>

#include "messages.h"
#include "sheetpainter.h"
#include "symbol/pdfdocument.h"
#include "symbol/picturefile.h"
#include "symbol/raster.h"

namespace pipeline {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
// The grid vector files are drawn on, as the sheets' PDF files.
constexpr double kVectorDotsPerMm = 1200 / 25.4;
// A picture is painted whole in memory, four bytes a dot: a 100 x 100 mm
// tag at 2400 dpi has 89 million dots, a 60 x 40 mm one at 4800 dpi 86
// million.
constexpr qint64 kMaxPictureDots = 100'000'000;

QString Mm(double value) {
    return QString::number(value, 'g', 4);
}

// Paints the tag onto sink: false, with the reason in error, when it was
// not painted.
bool PaintTag(std::unique_ptr<PageSink> sink, const LabelPlan& plan, const QString& name,
              const symbol::SymbolCode& code, const std::optional<TagPrice>& price,
              QString* error) {
    SheetPainter painter(std::move(sink), plan);
    switch (painter.Add(name, code, price)) {
        case SheetPainter::Added::Painted:
            return true;
        case SheetPainter::Added::NoPrice:
            *error = Msg::tr("a tag needs its price");
            return false;
        case SheetPainter::Added::TooLarge:
            *error = Msg::tr("with its add-on the symbol is too wide for the tag");
            return false;
        case SheetPainter::Added::BarsTooThin:
            *error = Msg::tr("the bar width reduction leaves bars narrower than half a module");
            return false;
        case SheetPainter::Added::DeviceFailed:
            break;
    }
    *error = Msg::tr("the tag could not be drawn");
    return false;
}

QByteArray TagPdf(const LabelPlan& plan, QSizeF labelMm, const QString& name,
                  const symbol::SymbolCode& code, const std::optional<TagPrice>& price,
                  QString* error) {
    QByteArray bytes;
    symbol::PdfPages pdf(labelMm * kPointsPerMm, [&bytes](QByteArrayView written) {
        bytes.append(written);
        return true;
    });
    if (!PaintTag(PdfPageSink(&pdf), plan, name, code, price, error))
        return {};
    if (!pdf.Finish()) {
        *error = Msg::tr("the PDF file could not be made");
        return {};
    }
    return bytes;
}

QByteArray TagPicture(const SymbolOutput& output, LabelPlan plan, QSizeF labelMm,
                      const QString& name, const symbol::SymbolCode& code,
                      const std::optional<TagPrice>& price, QString* error) {
    const double dotsPerMm = output.dpi / 25.4;
    const QSize dots(int(std::round(labelMm.width() * dotsPerMm)),
                     int(std::round(labelMm.height() * dotsPerMm)));
    if (qint64(dots.width()) * dots.height() > kMaxPictureDots) {
        *error = Msg::tr(
                     "a picture of %1 x %2 dots is over the %3 million a tag's picture may "
                     "have: lower --dpi or --label-size, or write a PDF or SVG file")
                     .arg(dots.width())
                     .arg(dots.height())
                     .arg(kMaxPictureDots / 1'000'000);
        return {};
    }
    QImage picture(dots, QImage::Format_RGB32);
    if (picture.isNull()) {
        *error = Msg::tr("a picture of %1 x %2 dots cannot be made")
                     .arg(dots.width())
                     .arg(dots.height());
        return {};
    }
    picture.fill(Qt::white);
    picture.setDotsPerMeterX(int(std::round(dotsPerMm * 1000)));
    picture.setDotsPerMeterY(picture.dotsPerMeterX());
    plan.style.edgeInsetMm = symbol::EdgeInsetMm(output.dpi);
    if (!PaintTag(PicturePageSink(&picture, dotsPerMm), plan, name, code, price, error))
        return {};
    return symbol::EncodePicture(picture, FormatName(output.format), error);
}

}  // namespace

QByteArray TagFile(const SymbolOutput& output, QSizeF labelMm, const LabelAsk& ask,
                   const QString& name, const symbol::SymbolCode& code,
                   const std::optional<TagPrice>& price, QString* error, bool* doesNotFit) {
    // A picture's symbol has a module of whole dots, as a printer's, where
    // one fits the tag; else the module the tag holds, its edges on the
    // nearest dots. A picture keeps the layout its PDF file has.
    const bool picture = output.format == Format::Png || output.format == Format::Bmp;
    const int dpi = picture || output.vectorDots ? output.dpi : 0;
    LabelPlan plan = PlanLabels(WholePageSheet(labelMm), 0, ask, dpi);
    if (!output.vectorDots) {
        const LabelPlan anyDots = PlanLabels(WholePageSheet(labelMm), 0, ask);
        if (plan.refusal == LabelPlan::Refusal::NoWholeDots || plan.layout != anyDots.layout)
            plan = anyDots;
    }
    if (doesNotFit)
        *doesNotFit = plan.refusal != LabelPlan::Refusal::None;
    if (plan.refusal == LabelPlan::Refusal::NoWholeDots) {
        // The next module of whole dots, and the label it takes.
        const symbol::SymbologyRow& row = symbol::RowOf(code.symbology);
        const symbol::WholeDots next = symbol::WholeDotModule(row, output.dpi, plan.largest,
                                                              plan.largest, row.maxMagnification);
        if (next.dots > 0) {
            // The fit counts whole tenths of a percent, downwards.
            const QSizeF needed = plan.Needed(std::ceil(next.magnification * 10) / 10 + 0.1);
            *error = Msg::tr(
                         "no module of whole dots at %1 dpi fits the tag's symbol between %2 "
                         "and %3 percent; at %4 dots (%5 percent) it needs at least %6 x %7 mm")
                         .arg(output.dpi)
                         .arg(kTagMinMagnification)
                         .arg(plan.largest)
                         .arg(next.dots)
                         .arg(next.magnification, 0, 'f', 1)
                         .arg(Mm(needed.width()), Mm(needed.height()));
        } else {
            *error = Msg::tr(
                         "no module of whole dots at %1 dpi fits the tag's symbol between %2 "
                         "and %3 percent")
                         .arg(output.dpi)
                         .arg(kTagMinMagnification)
                         .arg(plan.largest);
        }
        return {};
    }
    if (plan.refusal == LabelPlan::Refusal::BarsTooThin) {
        *error = Msg::tr("the bar width reduction leaves bars narrower than half a module");
        return {};
    }
    if (plan.refusal != LabelPlan::Refusal::None) {
        const QSizeF needed = plan.Needed(kTagMinMagnification);
        *error = Msg::tr(
                     "the tag does not fit a label of %1 x %2 mm; it needs at least "
                     "%3 x %4 mm")
                     .arg(Mm(labelMm.width()), Mm(labelMm.height()), Mm(needed.width()),
                          Mm(needed.height()));
        return {};
    }
    switch (output.format) {
        case Format::Pdf:
            return TagPdf(plan, labelMm, name, code, price, error);
        case Format::Svg: {
            QByteArray svg;
            if (!PaintTag(SvgPageSink(&svg, labelMm, dpi > 0 ? dpi / 25.4 : kVectorDotsPerMm), plan,
                          name, code, price, error))
                return {};
            return svg;
        }
        case Format::Png:
        case Format::Bmp:
            break;
    }
    return TagPicture(output, plan, labelMm, name, code, price, error);
}

}  // namespace pipeline
