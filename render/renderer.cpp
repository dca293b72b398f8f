#include "renderer.h"

#include "symbol/drawing.h"
#include "symbol/pattern.h"
#include "symbol/picturefile.h"

namespace render {

namespace {

// The window's picture box, inside its border.
const QSize kPictureSize(135, 87);

bool OnlyBlackAndWhite(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (row[x] != 0xff000000 && row[x] != 0xffffffff)
                return false;
    }
    return true;
}

// The file of a picture drawn in RGB32. A PNG of black and white pixels only
// (always, unless a name brings a colour glyph) is written one bit per pixel:
// the same picture, encoded in a seventh of the time. A BMP stays as the
// window writes it.
QByteArray Encode(const QImage& picture, Format format, QString* error) {
    if (format == Format::Png && OnlyBlackAndWhite(picture))
        return symbol::EncodePicture(
            picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither), "png", error);
    return symbol::EncodePicture(picture, FormatName(format), error);
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
