#pragma once

// Symbols as the bytes of files of one format, layout and size. What a
// symbol needs besides its name and code (a canvas, a font, its metrics) is
// made once and kept for the next symbol, as a batch draws thousands.

#include <QByteArray>
#include <QString>
#include <optional>

#include "symbol/canvas.h"
#include "symbol/layout.h"
#include "symbol/vector.h"
#include "symbolfile.h"

namespace pipeline {

class Renderer {
public:
    explicit Renderer(const SymbolOutput& options);

    // The file of a whole code of the options' symbology, and an add-on's
    // digits or none, under the name; empty, with the reason in error, when
    // it cannot be encoded.
    QByteArray Render(const QString& name, const QString& code, const QString& addon,
                      QString* error);

private:
    QByteArray Bitmap(const QString& name, const symbol::SymbolCode& symbol, QString* error);
    QByteArray Vector(const QString& name, const symbol::SymbolCode& symbol);

    const SymbolOutput options_;
    std::optional<symbol::Canvas> canvas_;  // the window's own canvas, for its bitmaps at scale 1
};

}  // namespace pipeline
