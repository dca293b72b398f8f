#include "vector.h"

#include <QTransform>
#include <cmath>

#include "numbers.h"
#include "outline.h"
#include "raster.h"
#include "svgwriter.h"

namespace symbol {

QList<QRectF> BarRects(const Description& description, double moduleMm, double bwrMm) {
    QList<QRectF> rects;
    rects.reserve(description.bars.size() + description.bearers.size());
    for (const BarRun& bar : description.bars)
        rects.append(QRectF(bar.x * moduleMm + bwrMm / 2, bar.top * moduleMm,
                            bar.width * moduleMm - bwrMm, (bar.bottom - bar.top) * moduleMm));
    for (const QRectF& bearer : description.bearers)
        rects.append(QRectF(bearer.topLeft() * moduleMm, bearer.size() * moduleMm));
    return rects;
}

VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm) {
    VectorSymbol symbol;
    symbol.size = description.box * moduleMm;
    symbol.bars = BarRects(description, moduleMm, bwrMm);
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts)
        symbol.text.addPath(toMm.map(TextOutline(text)));
    return symbol;
}

namespace {

FilePage AtModule(const Description& description, double moduleMm, double bwrMm) {
    return {moduleMm, description.box * moduleMm, BarRects(description, moduleMm, bwrMm)};
}

// For a file that another program prints on a printer of dots.dpi: every
// bar edge and the page's edges on its dots, so that its driver has nothing
// to resample, each edge a little inside its dot, so that every rasteriser
// fills the same dots. An odd reduction takes its extra dot off the right
// edge, as in the bitmaps.
FilePage OnPrinterDots(const Description& description, const PrinterDots& dots) {
    const double dotMm = 25.4 / dots.dpi;
    const double moduleMm = dots.moduleDots * dotMm;
    const double inset = EdgeInsetMm(dots.dpi);
    FilePage page{moduleMm, QSizeF(), BarRects(description, moduleMm, dots.bwrDots * dotMm)};
    for (qsizetype i = 0; i < page.bars.size(); ++i) {
        const double shift = i < description.bars.size() ? -(dots.bwrDots % 2) * dotMm / 2 : 0;
        page.bars[i] = page.bars[i].translated(shift, 0).adjusted(inset, 0, -inset, 0);
    }
    const QSizeF box = description.box * moduleMm;
    page.size = QSizeF(std::ceil(box.width() / dotMm - 1e-6) * dotMm,
                       std::ceil(box.height() / dotMm - 1e-6) * dotMm);
    return page;
}

QByteArray Pdf(const Description& description, const FilePage& page) {
    const QSizeF sizePt = page.size * kPointsPerMm;
    PdfCanvas canvas(sizePt.height());
    canvas.FillRects({QRectF(QPointF(), page.size)}, true);
    canvas.FillRects(page.bars);
    const QTransform toMm = QTransform::fromScale(page.moduleMm, page.moduleMm);
    for (const TextPlace& text : description.texts)
        canvas.FillText(text, toMm);
    QByteArray pdf;
    pdf.reserve(qsizetype(canvas.Content().size()) + 1024);
    PdfPages file(sizePt, [&pdf](QByteArrayView bytes) {
        pdf += bytes;
        return true;
    });
    file.AddPage(canvas.Take());
    file.Finish();
    return pdf;
}

}  // namespace

QByteArray SvgFile(const Description& description, double moduleMm, double bwrMm) {
    return SvgOfPage(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray SvgFile(const Description& description, const PrinterDots& dots) {
    return SvgOfPage(description, OnPrinterDots(description, dots));
}

QByteArray PdfFile(const Description& description, double moduleMm, double bwrMm) {
    return Pdf(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray PdfFile(const Description& description, const PrinterDots& dots) {
    return Pdf(description, OnPrinterDots(description, dots));
}

}  // namespace symbol
