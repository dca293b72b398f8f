#include "itf.h"

#include <array>

#include "code.h"

namespace symbol {

namespace {

// The five elements of each digit; two of them wide.
constexpr std::array<const char*, 10> kDigitElements = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};

// ITF-14's digits: one line of OCR-B below the bearer bars, 5 mm em, 1 mm
// clear above and below it, whatever the X.
constexpr double kItfDigitEmMm = 5;
constexpr double kItfDigitGapMm = 1;
constexpr double kOcrBDigitHeight = 0.77;  // of the em

}  // namespace

QString ItfElements(const QString& digits) {
    QString elements = QStringLiteral("nnnn");
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        const char* bars = kDigitElements[DigitValue(digits[i])];
        const char* spaces = kDigitElements[DigitValue(digits[i + 1])];
        for (int e = 0; e < 5; ++e) {
            elements += QLatin1Char(bars[e]);
            elements += QLatin1Char(spaces[e]);
        }
    }
    return elements + QStringLiteral("wnn");
}

double ItfWidth(int digits, double ratio) {
    // Start 4 narrow, each pair 4 wide and 6 narrow, stop 1 wide and 2 narrow.
    return 4 + digits / 2 * (4 * ratio + 6) + ratio + 2;
}

QList<BarRun> ItfBarRuns(const QString& digits, double ratio, double left, double top,
                         double bottom) {
    QList<BarRun> bars;
    double x = left;
    const QString elements = ItfElements(digits);
    for (qsizetype i = 0; i < elements.size(); ++i) {
        const double width = elements[i] == u'w' ? ratio : 1;
        if (i % 2 == 0)
            bars.append({x, width, top, bottom});
        x += width;
    }
    return bars;
}

// A name stands above as on the family's symbols at 100 percent.
Description DescribeItf14(Layout, const SymbolCode& symbol, const QString& name, bool) {
    const ItfGeometry& itf = symbol.itf;
    const double mm = 1 / itf.moduleMm;  // modules in a millimetre
    const double bearer = itf.frame ? kItfCorrugatedBearerMm * mm : 2;
    const double side = itf.frame ? bearer : 0;
    const double width = ItfWidth(int(symbol.code.size()), itf.ratio);
    const double barHeight = kItfBarHeightMm * mm;
    const double nameScale = kNominalModuleMm * mm;
    const double top = name.isEmpty() ? 0 : kNameBandModules * nameScale;
    const double em = kItfDigitEmMm * mm;
    const double baseline =
        top + 2 * bearer + barHeight + kItfDigitGapMm * mm + kOcrBDigitHeight * em;

    Description d;
    d.layout = Layout::Retail;
    d.box = QSizeF(2 * side + 2 * kItfQuietZone + width, baseline + kItfDigitGapMm * mm);
    d.quietLeft = kItfQuietZone;
    d.quietRight = kItfQuietZone;
    d.symbolLeft = side + kItfQuietZone;
    d.barTop = top + bearer;
    d.barBottom = d.barTop + barHeight;
    d.guardBottom = d.barBottom;
    d.bars = ItfBarRuns(symbol.code, itf.ratio, d.symbolLeft, d.barTop, d.barBottom);
    const double right = d.box.width();
    d.bearers = {QRectF(0, top, right, bearer), QRectF(0, d.barBottom, right, bearer)};
    if (itf.frame)
        d.bearers += {QRectF(0, top, side, d.barBottom + bearer - top),
                      QRectF(right - side, top, side, d.barBottom + bearer - top)};
    d.texts.append({symbol.code, Face::Digits, em, QPointF(right / 2, baseline), true, width});
    if (!name.isEmpty())
        d.texts.append({name, Face::Name, kNameEmModules * nameScale,
                        QPointF(right / 2, kNameBaselineModules * nameScale), true, right});
    return d;
}

QString Gtin14FromJan(int indicator, const QString& jan) {
    const QString data = QString::number(indicator) + jan.left(12);
    return data + QChar(u'0' + CheckDigitOf(data));
}

}  // namespace symbol
