#pragma once

// Texts of a description as outlines: paths in modules, which a painter
// scales to any device and which need no font where they are shown.

#include <QFont>
#include <QPainterPath>

#include "layout.h"

namespace symbol {

// The font of a face (its size is left to the caller). Digits is OCR-B,
// Debian's fonts-ocr-b: family "OCR B", style "Regular".
QFont FaceFont(Face face);

// The outline of a text at its place, in modules.
QPainterPath TextOutline(const TextPlace& place);

}  // namespace symbol
