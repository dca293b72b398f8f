#pragma once

// A picture canvas: a white image of a fixed inner size, measured in pixels
// from its top-left corner, on which text is printed at a current position
// and lines are drawn in black.

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <unordered_map>
#include <vector>

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

    // Vertical lines as Line() draws them, from (x, y1) towards (x, y2) for
    // each x of xs.
    void VerticalLines(const std::vector<float>& xs, float y1, float y2);

    // Copies the source rectangle of a picture onto the destination
    // rectangle, stretched to fit, nearest pixel, replacing what was there.
    void PaintPicture(const QImage& picture, int x1, int y1, int width1, int height1, int x2,
                      int y2, int width2, int height2);

    // The persistent image.
    const QImage& Image() const { return image_; }

    int ScaleWidth() const { return image_.width(); }
    int ScaleHeight() const { return image_.height(); }

private:
    // A glyph's black pixels in runs along its rows, relative to the whole
    // pixel in which its origin lies.
    struct InkRun {
        qint16 dx;
        qint16 dy;
        qint16 length;
    };
    using GlyphInk = std::vector<InkRun>;

    // Draws text that needs no shaping (see NeedsNoShaping in canvas.cpp)
    // from the raw font's glyphs and advances, without laying it out;
    // returns its advance, or a negative number, having drawn nothing, when
    // the text needs more than that. Draws exactly what QPainter::drawText
    // would.
    qreal PrintUnshaped(const QString& text, QPointF baseline);

    // A character of the face: its glyph (0 where the face has none), its
    // advance, and its ink at each fraction of a pixel it has stood at.
    struct CharGlyph {
        quint32 glyph = 0;
        qreal advance = 0;
        struct Placed {
            qreal phaseX;
            qreal phaseY;
            GlyphInk ink;
            QRect bounds;  // of the ink, relative as its runs are
        };
        std::vector<Placed> inks;
    };
    CharGlyph& Glyph(char16_t c);

    // The ink of a glyph of the raw font whose origin lies at the fraction
    // (phaseX, phaseY) of a pixel, found by drawing it alone, with QPainter,
    // on a white image.
    GlyphInk Ink(quint32 glyph, qreal phaseX, qreal phaseY) const;

    QImage image_;
    QFont font_;
    QRawFont rawFont_;
    // Other text is laid out once and kept while it stays the same: the name
    // is printed again, unchanged, on every redraw that a digit causes.
    QStaticText lastText_;
    // The characters printed so far: a symbol's digits stand in the same
    // few places on every redraw, and names share their letters.
    std::unordered_map<char16_t, CharGlyph> chars_;
    size_t inkCount_ = 0;
    std::vector<CharGlyph*> printed_;  // the text being printed, kept for the next
    std::vector<int> columns_;         // the lines being drawn, kept for the next
    qreal ascent_;
    qreal lineHeight_;
    QPointF current_;
};

}  // namespace symbol
