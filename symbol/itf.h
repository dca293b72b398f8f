#pragma once

// ITF-14, the GS1 case code (集合包装用商品コード): a GTIN-14 in Interleaved
// 2 of 5, two widths of bars and spaces. Its geometry follows the GS1 General
// Specifications: X from 0.495 to 1.016 mm, bars 31.75 mm tall and quiet
// zones of 10 X (their table of symbol dimensions, as GS1 Sweden's size
// guide restates it); wide elements 2.25 to 3 narrow ones, 2.5 the target
// (their ITF-14 section, which counts 16 modules a character pair at 2.5).
// Bearer bars: at least twice the narrow bar; 4.83 mm nominal for printing
// straight on corrugated board, a figure not checked against GS1's own text
// here (a published ITF-14 encoder gives 4.8 mm as GS1's nominal).

#include <QList>
#include <QString>

#include "layout.h"

namespace symbol {

inline constexpr double kItfMinModuleMm = 0.495;
inline constexpr double kItfMaxModuleMm = 1.016;
inline constexpr double kItfMinRatio = 2.25;
inline constexpr double kItfMaxRatio = 3;
inline constexpr double kItfDefaultRatio = 2.5;
inline constexpr double kItfBarHeightMm = 31.75;
inline constexpr int kItfQuietZone = 10;
inline constexpr double kItfCorrugatedBearerMm = 4.83;

// The elements of an even number of digits, bars and spaces alternating from
// a bar: "n" narrow, "w" wide. The start is four narrow elements; each pair
// of digits interleaves the first's five bars with the second's five spaces,
// two of each five wide; the stop is a wide bar, a narrow space and a narrow
// bar.
QString ItfElements(const QString& digits);

// The width, in narrow elements, of a symbol of so many digits without its
// quiet zones, at a wide-to-narrow ratio.
double ItfWidth(int digits, double ratio);

// The bars of the digits at a ratio, the first bar's left edge at left.
QList<BarRun> ItfBarRuns(const QString& digits, double ratio, double left, double top,
                         double bottom);

// ITF-14's description, as its row holds it: the retail layout whatever the
// layout asked (its wide bars are not whole modules), without a quiet zone
// marker. Quiet zones of 10 X each side of the bars, bars 31.75 mm tall, the
// bearer bars 4.83 mm around all of it or 2 X above and below the bars and
// quiet zones, the digits below; the sizes in millimetres from symbol.itf.
Description DescribeItf14(Layout layout, const SymbolCode& symbol, const QString& name,
                          bool quietZoneMarker);

// The GTIN-14 of a case holding items of a 13-digit JAN: the indicator digit
// (0 to 9), the JAN's first twelve digits and a new check digit.
QString Gtin14FromJan(int indicator, const QString& jan);

}  // namespace symbol
