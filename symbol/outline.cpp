#include "outline.h"

#include <QFontMetricsF>
#include <QTransform>

#include "canvas.h"

namespace symbol {

namespace {

// Outlines are taken at a size where hinting changes nothing, then scaled.
constexpr int kOutlinePixels = 1000;

}  // namespace

QFont FaceFont(Face face) {
    switch (face) {
        case Face::Canvas:
            return CanvasFont();
        case Face::Digits: {
            QFont font(QStringLiteral("OCR B"));
            font.setStyleName(QStringLiteral("Regular"));
            return font;
        }
        case Face::Name:
            RegisterFontSubstitution();
            return QFont(QString::fromUtf16(kFontFamily));
    }
    return QFont();
}

QPainterPath TextOutline(const TextPlace& place) {
    QFont font = FaceFont(place.face);
    font.setPixelSize(kOutlinePixels);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText(0, 0, font, place.text);  // the baseline at y = 0

    double scale = place.size / kOutlinePixels;
    double width = metrics.horizontalAdvance(place.text) * scale;
    if (place.maxWidth > 0 && width > place.maxWidth) {
        scale *= place.maxWidth / width;
        width = place.maxWidth;
    }
    const QPointF origin = place.centred
                               ? QPointF(place.at.x() - width / 2, place.at.y())
                               : QPointF(place.at.x(), place.at.y() + metrics.ascent() * scale);
    return QTransform(scale, 0, 0, scale, origin.x(), origin.y()).map(path);
}

}  // namespace symbol
