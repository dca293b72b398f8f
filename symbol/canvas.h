#pragma once

// A picture canvas: a white image of a fixed inner size, measured in pixels
// from its top-left corner, on which text is printed at a current position
// and lines are drawn in black.

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRawFont>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <map>
#include <tuple>

namespace symbol {

// The family that canvases and the main window ask for. Where it is not
// installed, CanvasFont() has mapped it to a Japanese Gothic face of the
// same metrics class whose digits are at most 7 pixels wide at 13 pixels.
inline constexpr char16_t kFontFamily[] = u"ＭＳ Ｐゴシック";

// Registers the substitution for kFontFamily, once per process.
void RegisterFontSubstitution();

// The canvas font: kFontFamily at 13 pixels (9.75 pt at 96 dpi), regular.
QFont CanvasFont();

class Canvas {
public:
    // A canvas of the given inner size, cleared to white, at 96 dpi.
    explicit Canvas(QSize size);

    // Fills the whole image with white; the current position becomes (0, 0).
    void Cls();

    float CurrentX() const { return current_.x(); }
    float CurrentY() const { return current_.y(); }
    void SetCurrentX(float x) { current_.setX(x); }
    void SetCurrentY(float y) { current_.setY(y); }

    // Prints text in black with its top-left corner at the current position.
    // Ending the line moves the position to the start of the next line;
    // otherwise it moves to the right end of the text on the same line.
    void Print(const QString& text, bool endLine = true);

    // A solid black line one pixel wide from (x1, y1) towards (x2, y2).
    // The end point itself is not coloured: a vertical line from y = 20 to
    // y = 65 colours rows 20 to 64.
    void Line(float x1, float y1, float x2, float y2);

    // Copies the source rectangle of a picture onto the destination
    // rectangle, stretched to fit, nearest pixel, replacing what was there.
    void PaintPicture(const QImage& picture, int x1, int y1, int width1, int height1, int x2,
                      int y2, int width2, int height2);

    // The persistent image.
    const QImage& Image() const { return image_; }

    int ScaleWidth() const { return image_.width(); }
    int ScaleHeight() const { return image_.height(); }

private:
    // Draws text whose every character is a digit or a minus sign, as the
    // digit groups of a symbol are, without laying it out again on every
    // redraw; returns its advance. Draws exactly what QPainter::drawText would.
    qreal PrintCodeText(const QString& text, QPointF baseline);

    // The pixels that a glyph of the raw font colours when QPainter draws it
    // at position, all black as the canvas font is not smoothed; found once
    // by drawing it alone on a white image.
    const QList<QPoint>& GlyphInk(quint32 glyph, QPointF position);

    QImage image_;
    QFont font_;
    QRawFont rawFont_;
    // Other text is laid out once and kept while it stays the same: the name
    // is printed again, unchanged, on every redraw that a digit causes.
    QStaticText lastText_;
    // The digits stand in the same few places on every redraw.
    std::map<std::tuple<quint32, qreal, qreal>, QList<QPoint>> glyphInk_;
    qreal ascent_;
    qreal lineHeight_;
    QPointF current_;
};

}  // namespace symbol
