#pragma once

// The retail symbol's module and bar width reduction sized for what it is
// drawn on: whole dots of a printer, or within half a module.

#include <QString>

#include "pipeline/symbolfile.h"

namespace render {

// Retail bitmaps, and vector files drawn on a printer's dots: the module, the
// bar width reduction and ITF-14's wide elements in whole dots at
// output->dpi, set in output; a note, after what note holds already, when
// they differ from what was asked. The reason when no whole number of dots
// will do, otherwise empty.
QString FitToDots(pipeline::SymbolOutput* output, QString* note);

// The vector formats: the module at output.magnification (ITF-14's set in
// output.itf); the reason when the bar width reduction leaves less than half
// of it, otherwise empty.
QString CheckBwr(pipeline::SymbolOutput& output);

}  // namespace render
