#include "itf.h"

#include <array>

#include "code.h"

namespace symbol {

namespace {

// The five elements of each digit; two of them wide.
constexpr std::array<const char*, 10> kDigitElements = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};

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

QString Gtin14FromJan(int indicator, const QString& jan) {
    const QString data = QString::number(indicator) + jan.left(12);
    return data + QChar(u'0' + CheckDigitOf(data));
}

}  // namespace symbol
