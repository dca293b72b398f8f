#include "outline.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTransform>

#include "canvas.h"

namespace symbol {

namespace {

// Outlines are taken at a size where hinting changes nothing, then scaled.
constexpr int kOutlinePixels = 1000;

// A text's outline at kOutlinePixels, its baseline at y = 0, with its
// advance and the font's ascent.
struct Shape {
    QPainterPath path;
    double advance = 0;
    double ascent = 0;
};

Shape MakeShape(Face face, const QString& text) {
    QFont font = FaceFont(face);
    font.setPixelSize(kOutlinePixels);
    const QFontMetricsF metrics(font);
    Shape shape;
    shape.path.addText(0, 0, font, text);
    shape.advance = metrics.horizontalAdvance(text);
    shape.ascent = metrics.ascent();
    return shape;
}

// A batch draws the same digits thousands of times: single characters are
// shaped once per thread and kept.
Shape ShapeOf(Face face, const QString& text) {
    if (text.size() != 1)
        return MakeShape(face, text);
    thread_local QHash<std::pair<int, char16_t>, Shape> kept;
    const std::pair<int, char16_t> key(int(face), text[0].unicode());
    auto found = kept.constFind(key);
    if (found == kept.constEnd())
        found = kept.insert(key, MakeShape(face, text));
    return *found;
}

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
    const Shape shape = ShapeOf(place.face, place.text);
    double scale = place.size / kOutlinePixels;
    double width = shape.advance * scale;
    if (place.maxWidth > 0 && width > place.maxWidth) {
        scale *= place.maxWidth / width;
        width = place.maxWidth;
    }
    const QPointF origin = place.centred
                               ? QPointF(place.at.x() - width / 2, place.at.y())
                               : QPointF(place.at.x(), place.at.y() + shape.ascent * scale);
    return QTransform(scale, 0, 0, scale, origin.x(), origin.y()).map(shape.path);
}

}  // namespace symbol
