#include "printer.h"

#include <cups/cups.h>

#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "symbol/layout.h"

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

symbol::WholeDots WholeDotModule(int dpi, double asked, double largest) {
    return symbol::NearestWholeDots(
        symbol::ModuleMm(asked), dpi, symbol::ModuleMm(symbol::kMinMagnification),
        symbol::ModuleMm(std::min<double>(largest, symbol::kMaxMagnification)));
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

}  // namespace pipeline
