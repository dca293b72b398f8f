#include "canvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <mutex>

#include "layout.h"
#include "picturefile.h"

namespace symbol {

namespace {

// The face of the canvas font where kFontFamily itself is missing: its digits
// are 6.5 pixels wide at 13 pixels, so a group of six fits between guards.
constexpr char kSubstituteFamily[] = "IPAGothic";

// Glyph places a canvas keeps: a symbol's digits need about 20, a name one
// for each letter and place in a pixel it has stood at.
constexpr size_t kMostGlyphInks = 4096;

// Whether the canvas face draws the character as its own glyph at its own
// advance however the text around it is shaped: the letters, digits, kana
// and ideographs of names, all of them left to right. The face has no
// kerning, and its only substitutions (ccmp) join a letter or a kana with a
// combining mark or a tone letter that follows it, none of which is here.
bool NeedsNoShaping(char16_t c) {
    return (c >= 0x20 && c <= 0x7e)          // ASCII
           || (c >= 0x3000 && c <= 0x301f)   // ideographic space, punctuation, brackets
           || (c >= 0x3041 && c <= 0x3096)   // hiragana
           || (c >= 0x30a1 && c <= 0x30fa)   // katakana
           || c == 0x30fc                    // the prolonged sound mark
           || (c >= 0x4e00 && c <= 0x9fff)   // ideographs
           || (c >= 0xff01 && c <= 0xff9d);  // full-width ASCII, half-width katakana
}

// A glyph drawn alone stands this far inside its picture, which is wide
// and tall enough for any glyph of the face at the canvas's em.
constexpr int kInkMarginX = kCanvasEm;
constexpr int kInkMarginY = 2 * kCanvasEm + kCanvasEm / 2;
constexpr int kInkPicture = 4 * kCanvasEm;

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
    qreal advance = text.isEmpty() ? 0 : PrintUnshaped(text, baseline);
    if (advance < 0) {
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
        advance = endLine ? 0 : QFontMetricsF(font_, &image_).horizontalAdvance(text);
    }
    if (endLine)
        current_ = QPointF(0, current_.y() + lineHeight_);
    else
        current_.setX(current_.x() + advance);
}

qreal Canvas::PrintUnshaped(const QString& text, QPointF baseline) {
    // Laying out a name took a third of a batch of window pictures. Text
    // that needs no shaping is the font's glyphs side by side, each
    // colouring what it coloured the last time it stood at the same
    // fraction of a pixel. Qt places glyphs on 64ths of a pixel, rounded
    // towards zero, so a place left of or above the picture goes the long way.
    if (!rawFont_.isValid() || baseline.x() < 0 || baseline.y() < 0)
        return -1;
    // Odd text in odd places cannot make the table grow without end.
    if (inkCount_ >= kMostGlyphInks || chars_.size() >= kMostGlyphInks) {
        chars_.clear();
        inkCount_ = 0;
    }
    printed_.clear();
    for (QChar c : text) {
        if (!NeedsNoShaping(c.unicode()))
            return -1;
        CharGlyph& glyph = Glyph(c.unicode());
        // A character that the face lacks comes from another font.
        if (glyph.glyph == 0)
            return -1;
        printed_.push_back(&glyph);
    }
    const int width = image_.width();
    const int height = image_.height();
    const qsizetype stride = image_.bytesPerLine();
    uchar* bits = image_.bits();
    const qreal top = std::floor(baseline.y());
    const qreal phaseY = baseline.y() - top;
    qreal x = baseline.x();
    for (CharGlyph* glyph : printed_) {
        const qreal left = std::floor(x);
        const qreal phaseX = x - left;
        auto placed = std::find_if(glyph->inks.begin(), glyph->inks.end(), [&](const auto& p) {
            return p.phaseX == phaseX && p.phaseY == phaseY;
        });
        if (placed == glyph->inks.end()) {
            GlyphInk ink = Ink(glyph->glyph, phaseX, phaseY);
            QRect bounds;
            for (const InkRun& run : ink)
                bounds |= QRect(run.dx, run.dy, run.length, 1);
            glyph->inks.push_back({phaseX, phaseY, std::move(ink), bounds});
            placed = glyph->inks.end() - 1;
            ++inkCount_;
        }
        const QRect at = placed->bounds.translated(int(left), int(top));
        if (image_.rect().contains(at)) {
            // Wholly inside the picture, as nearly every glyph is.
            QRgb* origin = reinterpret_cast<QRgb*>(bits + int(top) * stride) + int(left);
            const qsizetype pixelsPerRow = stride / qsizetype(sizeof(QRgb));
            for (const InkRun& run : placed->ink)
                std::fill_n(origin + run.dy * pixelsPerRow + run.dx, run.length, kBlack);
            x += glyph->advance;
            continue;
        }
        for (const InkRun& run : placed->ink) {
            const int y = int(top) + run.dy;
            const int from = std::max(int(left) + run.dx, 0);
            const int to = std::min(int(left) + run.dx + run.length, width);
            if (y < 0 || y >= height || from >= to)
                continue;
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
            std::fill(row + from, row + to, kBlack);
        }
        x += glyph->advance;
    }
    return x - baseline.x();
}

Canvas::CharGlyph& Canvas::Glyph(char16_t c) {
    auto found = chars_.find(c);
    if (found != chars_.end())
        return found->second;
    CharGlyph glyph;
    const QChar character(c);
    int count = 1;
    if (!rawFont_.glyphIndexesForChars(&character, 1, &glyph.glyph, &count) || count != 1)
        glyph.glyph = 0;
    QPointF advance;
    if (glyph.glyph != 0 && rawFont_.advancesForGlyphIndexes(&glyph.glyph, &advance, 1))
        glyph.advance = advance.x();
    return chars_.emplace(c, std::move(glyph)).first->second;
}

Canvas::GlyphInk Canvas::Ink(quint32 glyph, qreal phaseX, qreal phaseY) const {
    QImage alone(kInkPicture, kInkPicture, QImage::Format_RGB32);
    alone.setDotsPerMeterX(image_.dotsPerMeterX());
    alone.setDotsPerMeterY(image_.dotsPerMeterY());
    alone.fill(Qt::white);
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&alone);
    painter.setPen(Qt::black);
    painter.drawGlyphRun(QPointF(kInkMarginX + phaseX, kInkMarginY + phaseY), run);
    painter.end();
    GlyphInk ink;
    for (int y = 0; y < kInkPicture; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(alone.constScanLine(y));
        for (int x = 0; x < kInkPicture;) {
            if (row[x] != kBlack) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < kInkPicture && row[x] == kBlack)
                ++x;
            ink.push_back({qint16(from - kInkMarginX), qint16(y - kInkMarginY), qint16(x - from)});
        }
    }
    return ink;
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

void Canvas::VerticalLines(const std::vector<float>& xs, float y1, float y2) {
    // Row by row: a symbol's bars are fifty lines of the same rows.
    const int from = qRound(y1);
    const int to = qRound(y2);
    const int first = std::max(from <= to ? from : to + 1, 0);
    const int last = std::min(from <= to ? to - 1 : from, image_.height() - 1);
    columns_.clear();
    for (float x : xs) {
        const int column = qRound(x);
        if (column >= 0 && column < image_.width())
            columns_.push_back(column);
    }
    if (first > last || columns_.empty())
        return;
    const qsizetype stride = image_.bytesPerLine();
    uchar* row = image_.bits() + first * stride;
    for (int y = first; y <= last; ++y, row += stride) {
        QRgb* pixels = reinterpret_cast<QRgb*>(row);
        for (int column : columns_)
            pixels[column] = kBlack;
    }
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
