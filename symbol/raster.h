#pragma once

// A description painted in whole device dots: each module a whole number of
// dots, pure black and white, no smoothing, so that a printer of that
// resolution prints every bar as drawn.

#include <QImage>

#include "layout.h"
#include "sizing.h"

namespace symbol {

// How far inside the dots that bound it a bar's vector edge is kept, so that
// a rasteriser that fills every dot a shape touches (Ghostscript) and one
// that fills the dots whose middle it covers (Poppler) both fill exactly the
// whole dots, whatever rounding the file's numbers brought: a twentieth of a
// dot, and at least the micrometre the vector files are written to.
double EdgeInsetMm(int dpi);

// The description at dots per module, every bar narrowed by bwrDots (the
// left edge moves in by half, rounded down), as an RGB32 picture of black
// and white that states dotsPerMetre.
QImage PaintRaster(const Description& description, int dots, int bwrDots, int dotsPerMetre);

// The same picture at one bit a pixel (QImage::Format_Mono, white colour 0
// and black colour 1), as a file holds it, where nothing in it needs
// QPainter (the window's face does); otherwise PaintRaster()'s picture.
QImage PaintRasterBits(const Description& description, int dots, int bwrDots, int dotsPerMetre);

}  // namespace symbol
