#pragma once

// The window's picture enlarged to N pixels per module: every position and
// the font grow N times, and the bars are filled rectangles with sharp edges,
// so that a printer or a scanner sees whole pixels.

#include <QFont>
#include <QImage>
#include <QString>

namespace render {

class ScaledDrawing {
public:
    // scale > 1; at 1 the symbol core's canvas draws the window's picture itself.
    explicit ScaledDrawing(int scale);

    // Draws a 13-character code under the name; the picture stays valid until
    // the next call.
    const QImage& Draw(const QString& name, const QString& code);

private:
    int scale_;
    QImage image_;
    QFont font_;
    qreal ascent_;
};

}  // namespace render
