#pragma once

// The symbol as drawn on the window's canvas: the name line at the top left,
// one vertical line per bar module, and the thirteen digits in three groups
// underneath, where the window layout of layout.h puts them.

#include <QString>

#include "canvas.h"
#include "layout.h"

namespace symbol {

// Clears the canvas and prints the name at the top left, ending the line.
// A name too long for the canvas is clipped at its right edge.
void PrintName(Canvas& canvas, const QString& name);

// Draws the bars of a module pattern ("1" bar, "2" guard bar, anything else
// nothing) and the digits of a 13-character code, printed as they stand.
void DrawSymbol(Canvas& canvas, const QString& code, const QString& pattern);

}  // namespace symbol
