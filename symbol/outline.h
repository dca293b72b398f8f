#pragma once

// Texts of a description as outlines: paths in modules, which a painter
// scales to any device and which need no font where they are shown.

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QRawFont>
#include <QTransform>

#include "layout.h"

namespace symbol {

// The font of a face (its size is left to the caller). Digits is OCR-B,
// Debian's fonts-ocr-b: family "OCR B", style "Regular".
QFont FaceFont(Face face);

// The outline of a text at its place, in modules.
QPainterPath TextOutline(const TextPlace& place);

// The same outline in pieces: one for each digit, character or glyph, its
// outline as the font has it (a thousand units to the em, the baseline at
// y = 0), shaped once per thread, and the transform that places it in
// modules; key names it among the thread's pieces, so that a writer may
// keep what it makes of the path.
struct OutlinePiece {
    QPainterPath path;
    QTransform transform;
    quint64 key = 0;
};
QList<OutlinePiece> OutlinePieces(const TextPlace& place);

// Whether a layout sets a text of the font's own characters by their
// advances alone: not when the font may kern or join letters (a kerning
// table, glyph positioning, or any of the substitutions a layout applies
// between letters by default: ligatures, contextual alternates).
bool SetsByAdvances(const QRawFont& raw);

// Where the window's canvas sets a text of its face: the canvas font at its
// em measured on a 96-dpi picture, whose pixel is a module, scaled to the
// text's size. Each character's left edge and the baseline, in modules.
struct CanvasSetting {
    QList<double> lefts;
    double baseline = 0;
};
CanvasSetting SetOnCanvas(const TextPlace& place);

}  // namespace symbol
