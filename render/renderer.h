#pragma once

// Symbols as the bytes of files of one format and size. What a symbol needs
// besides its name and code (a canvas, a font, its metrics) is made once and
// kept for the next symbol, as a batch draws thousands.

#include <QByteArray>
#include <QString>
#include <optional>

#include "options.h"
#include "scaled.h"
#include "svg.h"
#include "symbol/canvas.h"

namespace render {

class Renderer {
public:
    // scale applies to bmp and png, magnification (percent) to svg.
    Renderer(Format format, int scale, int magnification);

    // The file of a 13-digit code under the name; empty, with the reason in
    // error, when it cannot be encoded.
    QByteArray Render(const QString& name, const QString& code, QString* error);

private:
    Format format_;
    int magnification_;
    std::optional<symbol::Canvas> canvas_;  // one pixel per module: the window's canvas
    std::optional<ScaledDrawing> scaled_;   // more pixels per module
    SvgTextMetrics svgMetrics_;
};

}  // namespace render
