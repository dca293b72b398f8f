#pragma once

// The reference decode of the EAN/UPC family: each symbol character read from
// its edge-to-similar-edge distances, so that ink spread, which moves both
// edges of a bar alike, does not change what is read.

#include <QList>
#include <QString>

#include "symbol/family.h"

namespace verify {

struct Decoded {
    bool ok = false;
    symbol::Symbology symbology = symbol::kDefaultSymbology;
    QString code;  // every digit, check digit included
    // How far the worst measurement stands from a decision threshold: 1 for
    // a perfect symbol, 0 on a threshold.
    double decodability = 0;
    QString failure;  // why nothing was read
};

// Elements of a symbol from its first bar to its last, in reading order: 59
// for the 13-digit symbols, 43 for the short JAN. A UPC-A is reported as
// such (a 13-digit symbol whose first digit is 0).
Decoded ReferenceDecode(const QList<double>& widths);

// The element counts of the two symbol lengths.
inline constexpr int kLongElements = 59;
inline constexpr int kShortElements = 43;

// Modules of each element of a pattern of "0", "1" and "2", in order.
QList<int> ElementModules(const QString& pattern);

}  // namespace verify
