#pragma once

// The SVG file of a description: the bars as one path, each character's
// outline once and placed by a matrix; or the window's layout as the window
// shows it.

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QSizeF>

#include "layout.h"

namespace symbol {

// A file's page and its black rectangles in millimetres.
struct FilePage {
    double moduleMm;
    QSizeF size;
    QList<QRectF> bars;
};

// The SVG file of the description on page, with modules of page.moduleMm.
QByteArray SvgOfPage(const Description& description, const FilePage& page);

}  // namespace symbol
