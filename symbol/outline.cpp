#include "outline.h"

#include <QFontMetricsF>
#include <QTransform>
#include <algorithm>
#include <unordered_map>

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
// shaped once per thread and kept, where a reference to one stays good.
const Shape& KeptShape(Face face, QChar c) {
    thread_local std::unordered_map<quint32, Shape> kept;
    const quint32 key = quint32(face) << 16 | c.unicode();
    auto found = kept.find(key);
    if (found == kept.end())
        found = kept.emplace(key, MakeShape(face, QString(c))).first;
    return found->second;
}

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A text split into characters that are kept, each with its pen position
// along the baseline. OCR-B shapes a digit group whole by putting each digit
// at the sum of the advances before it, in the font engine's fixed point:
// the same sums here give the same outline, point for point. Anything else
// stays whole: a name may be kerned or fall back to other fonts, and the
// window's face places its digits a little apart from their advances.
struct Pieces {
    QList<std::pair<const Shape*, double>> kept;
    Shape whole;
    double advance = 0;
    double ascent = 0;
};

Pieces Split(Face face, const QString& text) {
    Pieces pieces;
    if (text.size() == 1 || (face == Face::Digits && !text.isEmpty() && AllDigits(text))) {
        for (const QChar c : text) {
            const Shape& shape = KeptShape(face, c);
            pieces.kept.append({&shape, pieces.advance});
            pieces.advance += shape.advance;
            pieces.ascent = shape.ascent;
        }
        return pieces;
    }
    pieces.whole = MakeShape(face, text);
    pieces.advance = pieces.whole.advance;
    pieces.ascent = pieces.whole.ascent;
    return pieces;
}

// The text's size and place as the transform from its shape to modules.
QTransform Placing(const TextPlace& place, double advance, double ascent) {
    double scale = place.size / kOutlinePixels;
    double width = advance * scale;
    if (place.maxWidth > 0 && width > place.maxWidth) {
        scale *= place.maxWidth / width;
        width = place.maxWidth;
    }
    const QPointF origin = place.centred ? QPointF(place.at.x() - width / 2, place.at.y())
                                         : QPointF(place.at.x(), place.at.y() + ascent * scale);
    return QTransform(scale, 0, 0, scale, origin.x(), origin.y());
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

QList<OutlinePiece> OutlinePieces(const TextPlace& place) {
    // A name is laid out whole, as a path's addText() lays it out: laid out
    // glyph by glyph its letters stood up to a third of a 600-dpi dot apart
    // from where the other painters put them. Its outline is kept in
    // thousandths of a module, so that a tenth of its unit is fine enough.
    if (place.text.size() != 1 && (place.face != Face::Digits || !AllDigits(place.text)))
        return {{QTransform::fromScale(1000, 1000).map(TextOutline(place)),
                 QTransform::fromScale(0.001, 0.001), 0}};
    const Pieces pieces = Split(place.face, place.text);
    const QTransform placing = Placing(place, pieces.advance, pieces.ascent);
    QList<OutlinePiece> out;
    out.reserve(pieces.kept.size());
    for (const auto& [shape, x] : pieces.kept)
        out.append({shape->path, QTransform::fromTranslate(x, 0) * placing,
                    quint64(place.face) << 16 | place.text[out.size()].unicode()});
    return out;
}

QPainterPath TextOutline(const TextPlace& place) {
    const Pieces pieces = Split(place.face, place.text);
    QPainterPath path = pieces.whole.path;
    for (const auto& [shape, x] : pieces.kept)
        path.addPath(shape->path.translated(x, 0));
    return Placing(place, pieces.advance, pieces.ascent).map(path);
}

}  // namespace symbol
