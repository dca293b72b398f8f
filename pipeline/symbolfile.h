#pragma once

// What a symbol file is made as, apart from its code: the format, the
// layout and the size. Both programs describe their files with it; the
// command line builds it from its options.

#include "symbol/layout.h"

namespace pipeline {

enum class Format { Bmp, Png, Svg, Pdf };

// The file name extension and the encoder name of a format: "bmp", "png", "svg", "pdf".
const char* FormatName(Format format);

struct SymbolOutput {
    Format format = Format::Bmp;
    symbol::Layout layout = symbol::Layout::Window;
    symbol::Symbology symbology = symbol::kDefaultSymbology;
    symbol::ItfGeometry itf;  // ITF-14's ratio, bearers and module
    int scale = 1;            // window layout, bmp and png: pixels per module
    int magnification = 100;  // percent of the symbology's nominal module
    int dpi = 300;            // retail layout, bmp and png
    int bwrMicrons = 0;       // retail layout: bar width reduction
    bool quietZoneMarker = false;
    // Retail bmp and png: the module and the bar width reduction in whole dots.
    int moduleDots = 0;
    int bwrDots = 0;
    bool vectorDots = false;  // retail svg and pdf drawn on a printer's dots (dpi)
    bool force = false;       // a file already there is replaced
};

}  // namespace pipeline
