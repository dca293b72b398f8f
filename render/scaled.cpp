#include "scaled.h"

#include <QFontMetricsF>
#include <QPainter>

#include "symbol/canvas.h"
#include "symbol/drawing.h"
#include "symbol/pattern.h"

namespace render {

namespace {

// The window's picture size at one pixel per module.
constexpr int kWidth = 135;
constexpr int kHeight = 87;

// The window's picture is 96 dpi at one pixel per module; an enlarged picture
// keeps its printed size and gains resolution instead.
constexpr int kDotsPerMetre = 3780;

}  // namespace

ScaledDrawing::ScaledDrawing(int scale)
    : scale_(scale),
      image_(kWidth * scale, kHeight * scale, QImage::Format_RGB32),
      font_(symbol::CanvasFont()) {
    image_.setDotsPerMeterX(kDotsPerMetre * scale);
    image_.setDotsPerMeterY(kDotsPerMetre * scale);
    font_.setPixelSize(font_.pixelSize() * scale);
    ascent_ = QFontMetricsF(font_, &image_).ascent();
}

const QImage& ScaledDrawing::Draw(const QString& name, const QString& code) {
    const int n = scale_;
    image_.fill(Qt::white);
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    // Text tops stand where the canvas puts them; QPainter wants the baseline.
    auto print = [&](int x, int top, const QString& text) {
        painter.drawText(QPointF(x * n, top * n + ascent_), text);
    };
    print(symbol::kNameX, symbol::kNameY, name);

    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar.
    for (const symbol::BarRun& bar : symbol::BarRuns(symbol::BuildPattern(code)))
        painter.fillRect(bar.x * n, symbol::kBarTop * n, bar.width * n,
                         (bar.bottom - symbol::kBarTop) * n, Qt::black);

    print(symbol::kFirstDigitX, symbol::kDigitLine, code.mid(0, 1));
    print(symbol::kLeftGroupX, symbol::kDigitLine, code.mid(1, 6));
    print(symbol::kRightGroupX, symbol::kDigitLine, code.mid(7, 6));
    return image_;
}

}  // namespace render
