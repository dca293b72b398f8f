#include "canvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <mutex>

#include "layout.h"

namespace symbol {

namespace {

// The face of the canvas font where kFontFamily itself is missing: its digits
// are 6.5 pixels wide at 13 pixels, so a group of six fits between guards.
constexpr char kSubstituteFamily[] = "IPAGothic";

constexpr QRgb kBlack = 0xff000000;

// Glyph places a canvas keeps: a symbol's digits need about 130.
constexpr size_t kMostGlyphInks = 1024;

bool IsCodeText(const QString& text) {
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || c == u'-'))
            return false;
    return true;
}

}  // namespace

void RegisterFontSubstitution() {
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QString::fromUtf16(kFontFamily), kSubstituteFamily);
    });
}

QFont CanvasFont() {
    RegisterFontSubstitution();
    QFont font(QString::fromUtf16(kFontFamily));
    font.setPixelSize(kCanvasEm);
    font.setWeight(QFont::Normal);
    // Black and white only, as in a bitmap made for print.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

Canvas::Canvas(QSize size)
    : image_(size, QImage::Format_RGB32), font_(CanvasFont()), rawFont_(QRawFont::fromFont(font_)) {
    image_.setDotsPerMeterX(kWindowDotsPerMetre);
    image_.setDotsPerMeterY(kWindowDotsPerMetre);
    const QFontMetricsF metrics(font_, &image_);
    ascent_ = metrics.ascent();
    lineHeight_ = metrics.height();
    Cls();
}

void Canvas::Cls() {
    image_.fill(Qt::white);
    current_ = QPointF(0, 0);
}

void Canvas::Print(const QString& text, bool endLine) {
    const QPointF baseline(current_.x(), current_.y() + ascent_);
    qreal advance = 0;
    if (text.isEmpty()) {
        // Nothing to draw; the position moves all the same.
    } else if (IsCodeText(text) && rawFont_.isValid()) {
        advance = PrintCodeText(text, baseline);
    } else {
        if (lastText_.text() != text) {
            lastText_ = QStaticText(text);
            lastText_.setTextFormat(Qt::PlainText);
            lastText_.setPerformanceHint(QStaticText::AggressiveCaching);
            lastText_.prepare(QTransform(), font_);
        }
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawStaticText(current_, lastText_);
        if (!endLine)
            advance = QFontMetricsF(font_, &image_).horizontalAdvance(text);
    }
    if (endLine)
        current_ = QPointF(0, current_.y() + lineHeight_);
    else
        current_.setX(current_.x() + advance);
}

qreal Canvas::PrintCodeText(const QString& text, QPointF baseline) {
    // Digits need no shaping: the glyphs and their advances come straight
    // from the font's tables. Each glyph colours what it coloured the last
    // time it stood in the same place.
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(text);
    const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    const qsizetype stride = image_.bytesPerLine();
    uchar* bits = image_.bits();
    qreal x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        for (const QPoint& pixel : GlyphInk(glyphs[i], baseline + QPointF(x, 0)))
            reinterpret_cast<QRgb*>(bits + pixel.y() * stride)[pixel.x()] = kBlack;
        x += advances[i].x();
    }
    return x;
}

const QList<QPoint>& Canvas::GlyphInk(quint32 glyph, QPointF position) {
    const auto key = std::make_tuple(glyph, position.x(), position.y());
    if (const auto found = glyphInk_.find(key); found != glyphInk_.end())
        return found->second;
    // Odd text in odd places cannot make the table grow without end.
    if (glyphInk_.size() >= kMostGlyphInks)
        glyphInk_.clear();
    QImage alone(image_.size(), QImage::Format_RGB32);
    alone.fill(Qt::white);
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&alone);
    painter.setPen(Qt::black);
    painter.drawGlyphRun(position, run);
    painter.end();
    QList<QPoint> ink;
    const int width = alone.width();
    for (int y = 0; y < alone.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(alone.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (row[x] == kBlack)
                ink.append(QPoint(x, y));
    }
    return glyphInk_.emplace(key, std::move(ink)).first->second;
}

void Canvas::Line(float x1, float y1, float x2, float y2) {
    const int column = qRound(x1);
    if (column != qRound(x2)) {
        QPainter painter(&image_);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
        return;
    }
    // Vertical: straight into the rows, from the start point up to but not
    // including the end point.
    if (column < 0 || column >= image_.width())
        return;
    const int from = qRound(y1);
    const int to = qRound(y2);
    int first = from <= to ? from : to + 1;
    int last = from <= to ? to - 1 : from;
    first = std::max(first, 0);
    last = std::min(last, image_.height() - 1);
    if (first > last)
        return;
    // One detach for the whole line: scanLine() would check on every row.
    const qsizetype stride = image_.bytesPerLine();
    uchar* pixel = image_.bits() + first * stride + column * sizeof(QRgb);
    for (int row = first; row <= last; ++row, pixel += stride)
        *reinterpret_cast<QRgb*>(pixel) = kBlack;
}

void Canvas::PaintPicture(const QImage& picture, int x1, int y1, int width1, int height1, int x2,
                          int y2, int width2, int height2) {
    if (width1 <= 0 || height1 <= 0)
        return;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    // Each destination pixel takes the source pixel under its centre.
    for (int dy = 0; dy < height1; ++dy) {
        const int y = y1 + dy;
        const int sy = y2 + int((dy + 0.5) * height2 / height1);
        if (y < 0 || y >= image_.height() || sy < 0 || sy >= source.height())
            continue;
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        QRgb* out = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int dx = 0; dx < width1; ++dx) {
            const int x = x1 + dx;
            const int sx = x2 + int((dx + 0.5) * width2 / width1);
            if (x < 0 || x >= image_.width() || sx < 0 || sx >= source.width())
                continue;
            out[x] = in[sx];
        }
    }
}

}  // namespace symbol
