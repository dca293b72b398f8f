#include "renderer.h"

#include <algorithm>

#include "symbol/drawing.h"
#include "symbol/pattern.h"
#include "symbol/picturefile.h"

namespace render {

namespace {

// The window's picture box, inside its border.
const QSize kPictureSize(135, 87);

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

// The picture at one bit a pixel, as the symbol core stores a black and white
// picture (white is colour 0 and black colour 1, as Qt's threshold conversion
// makes them), or a null image when a pixel is neither (a colour glyph in a
// name). Handed a picture that is one bit a pixel already, the core writes it
// as it is: one pass here takes a seventh of the time of the core's own check
// and conversion, which took nearly three times as long as drawing.
QImage OneBitPicture(const QImage& picture) {
    QImage oneBit(picture.size(), QImage::Format_Mono);
    oneBit.setColorTable({kWhite, kBlack});
    oneBit.setDotsPerMeterX(picture.dotsPerMeterX());
    oneBit.setDotsPerMeterY(picture.dotsPerMeterY());
    const int width = picture.width();
    const qsizetype stride = oneBit.bytesPerLine();
    uchar* out = oneBit.bits();
    for (int y = 0; y < picture.height(); ++y, out += stride) {
        // The whole row, padding included: the file holds the padding too, and
        // QImage::fill() leaves it as the allocation left it.
        std::fill(out, out + stride, 0);
        const QRgb* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (in[x] == kBlack)
                out[x >> 3] |= uchar(0x80 >> (x & 7));
            else if (in[x] != kWhite)
                return QImage();
        }
    }
    return oneBit;
}

// The file of a picture drawn in RGB32.
QByteArray Encode(const QImage& picture, Format format, QString* error) {
    const QImage oneBit = OneBitPicture(picture);
    return symbol::EncodePicture(oneBit.isNull() ? picture : oneBit, FormatName(format), error);
}

}  // namespace

Renderer::Renderer(Format format, int scale, int magnification)
    : format_(format), magnification_(magnification) {
    if (format == Format::Svg)
        svgMetrics_ = MeasureCanvasFont();
    else if (scale == 1)
        canvas_.emplace(kPictureSize);
    else
        scaled_.emplace(scale);
}

QByteArray Renderer::Render(const QString& name, const QString& code, QString* error) {
    if (format_ == Format::Svg)
        return SymbolSvg(name, code, magnification_, svgMetrics_);
    if (canvas_) {
        // Exactly the window's redraw, so that the file matches its save.
        symbol::PrintName(*canvas_, name);
        symbol::DrawSymbol(*canvas_, code, symbol::BuildPattern(code));
        return Encode(canvas_->Image(), format_, error);
    }
    return Encode(scaled_->Draw(name, code), format_, error);
}

}  // namespace render
