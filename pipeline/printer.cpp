#include "printer.h"

#include <cups/cups.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrintEngine>
#include <QPrinter>
#include <cmath>

#include "symbol/layout.h"
#include "symbol/raster.h"

namespace pipeline {

int PrinterDpi(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, utf8.constData(), nullptr);
    if (!dest)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        dpi =
            ResolutionDpi(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution"));
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return dpi;
}

int ResolutionDpi(ipp_attribute_t* attribute) {
    if (!attribute || ippGetValueTag(attribute) != IPP_TAG_RESOLUTION)
        return 0;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attribute, 0, &y, &units);
    return units == IPP_RES_PER_CM ? int(std::lround(x * 2.54)) : x;
}

void UsePrintersDots(QPrinter* printer) {
    if (printer->outputFormat() != QPrinter::NativeFormat)
        return;
    if (const int dpi = PrinterDpi(printer->printerName()); dpi > 0)
        printer->setResolution(dpi);
}

bool SetPrintersPage(QPrinter* printer, const QPageSize& page) {
    const bool own = page.isValid() && page.key().startsWith(u"Custom.");
    if (!printer->setPageSize(own ? QPageSize(page.sizePoints(), page.name(), QPageSize::ExactMatch)
                                  : page))
        return false;
    const QPageSize sent = printer->pageLayout().pageSize();
    if (printer->outputFormat() != QPrinter::NativeFormat || !sent.key().startsWith(u"Custom."))
        return true;
    // Qt's print support passes these options on with the job (its
    // PPK_CupsOptions: option names and values in turn); those its print
    // dialog's properties put there stay, but for a PageSize.
    constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    QPrintEngine* engine = printer->printEngine();
    const QStringList given = engine->property(kCupsOptions).toStringList();
    QStringList options;
    for (qsizetype i = 0; i + 1 < given.size(); i += 2)
        if (given[i] != u"PageSize")
            options << given[i] << given[i + 1];
    const QSize points = sent.sizePoints();
    options << QStringLiteral("PageSize")
            << QStringLiteral("Custom.%1x%2").arg(points.width()).arg(points.height());
    engine->setProperty(kCupsOptions, options);
    return true;
}

// A driver's raster starts at the corner of the area its printer can print,
// which need not fall on a whole dot from the paper's corner. The margins in
// points, as the print service gives them: Qt rounds millimetres.
void FitStyleToPrinter(const QPrinter& printer, LabelStyle* style) {
    style->edgeInsetMm = symbol::EdgeInsetMm(printer.resolution());
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    style->dotOriginMm =
        QPointF(layout.minimumMargins().left(), layout.minimumMargins().top()) * 25.4 / 72;
}

// Qt turns a landscape page onto the paper with the print service's
// landscape option, which turns it a quarter anticlockwise: the paper's
// first row of dots lies at the page's right end, its first column along
// the page's top. Its dots start on the page there, at the length of the
// paper less the area's top margin, which need not be a whole number of dots
// (a label 50 mm long is 400.36 dots at 203 dpi).
void FitStyleToPrintersPage(const QPrinter& printer, LabelStyle* style) {
    FitStyleToPrinter(printer, style);
    QPageLayout paper = printer.pageLayout();
    if (paper.orientation() != QPageLayout::Landscape)
        return;
    paper.setOrientation(QPageLayout::Portrait);
    paper.setUnits(QPageLayout::Point);
    const QMarginsF margins = paper.minimumMargins();
    style->dotOriginMm =
        QPointF(paper.fullRect().height() - margins.top(), margins.left()) * 25.4 / 72;
}

}  // namespace pipeline
