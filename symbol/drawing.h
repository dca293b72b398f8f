#pragma once

// The symbol as drawn on a canvas: the name line at the top left, one
// vertical line per bar module, and the thirteen digits in three groups
// underneath, all at fixed pixel positions.

#include <QList>
#include <QString>

#include "canvas.h"

namespace symbol {

// Top-left corner of the name.
inline constexpr int kNameX = 5;
inline constexpr int kNameY = 5;
// Module i (1 to 95) stands at x = i + kModuleOffset, so the symbol covers x = 21 to 115.
inline constexpr int kModuleOffset = 20;
// Every bar starts at kBarTop; a normal bar ends at kBarBottom, a guard bar
// 5 pixels further down at kGuardBottom (end points are not coloured).
inline constexpr int kBarTop = 20;
inline constexpr int kBarBottom = 65;
inline constexpr int kGuardBottom = 70;
// The human-readable digits: their top, and where each group starts.
inline constexpr int kDigitLine = 64;
inline constexpr int kFirstDigitX = 12;  // position 1, left of the start guard
inline constexpr int kLeftGroupX = 25;   // positions 2 to 7
inline constexpr int kRightGroupX = 71;  // positions 8 to 13

// A bar as drawn at larger sizes: neighbouring modules of one kind make one
// bar, from x (the first module's column) for width modules, from kBarTop
// down to bottom (not included).
struct BarRun {
    int x;
    int width;
    int bottom;
};

// The bars of a module pattern, left to right, one per run of "1" or of "2".
QList<BarRun> BarRuns(const QString& pattern);

// Clears the canvas and prints the name at the top left, ending the line.
// A name too long for the canvas is clipped at its right edge.
void PrintName(Canvas& canvas, const QString& name);

// Draws the bars of a module pattern ("1" bar, "2" guard bar, anything else
// nothing) and the digits of a 13-character code, printed as they stand.
void DrawSymbol(Canvas& canvas, const QString& code, const QString& pattern);

}  // namespace symbol
