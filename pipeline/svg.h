#pragma once

// The symbol as an SVG drawing: the window's layout with one user unit per
// module, the bars as rectangles and the name and digits as text, sized in
// millimetres from the nominal module width.

#include <QByteArray>
#include <QString>
#include <array>

#include "symbol/layout.h"

namespace pipeline {

// What the layout takes from the canvas font, measured once.
struct SvgTextMetrics {
    double ascent = 0;                      // from the top of a text to its baseline
    std::array<double, 10> digitAdvance{};  // advance of "0" to "9"
};

// Measures the canvas font.
SvgTextMetrics MeasureCanvasFont();

// magnification in percent.
QByteArray SymbolSvg(const QString& name, const symbol::SymbolCode& symbol, int magnification,
                     const SvgTextMetrics& metrics);

}  // namespace pipeline
