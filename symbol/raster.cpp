#include "raster.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "outline.h"

namespace symbol {

namespace {

// The window's face as the canvas prints it, grown to dots per module: a
// hinted font at a whole pixel size, no smoothing, from the text's top.
void PrintCanvasText(QPainter& painter, const TextPlace& text, int dots) {
    QFont font = CanvasFont();
    font.setPixelSize(qRound(text.size * dots));
    painter.setFont(font);
    const qreal ascent = QFontMetricsF(font, painter.device()).ascent();
    painter.drawText(QPointF(text.at.x() * dots, text.at.y() * dots + ascent), text.text);
}

}  // namespace

WholeDots NearestWholeDots(double moduleMm, int dpi, double minMm, double maxMm) {
    const double dotMm = 25.4 / dpi;
    const int fewest = std::max(1, int(std::ceil(minMm / dotMm)));
    const int most = int(std::floor(maxMm / dotMm));
    if (fewest > most)
        return {0, 0, 0};
    const int dots = std::clamp(int(std::lround(moduleMm / dotMm)), fewest, most);
    return {dots, dots * dotMm, dots * dotMm / kNominalModuleMm * 100};
}

double EdgeInsetMm(int dpi) {
    return std::max(25.4 / dpi / 20, 0.001);
}

QImage PaintRaster(const Description& description, int dots, int bwrDots, int dotsPerMetre) {
    const QSizeF box = description.box * dots;
    QImage image(qRound(box.width()), qRound(box.height()), QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar.
    for (const BarRun& bar : description.bars) {
        const int left = qRound(bar.x * dots) + bwrDots / 2;
        const int top = qRound(bar.top * dots);
        painter.fillRect(left, top, bar.width * dots - bwrDots, qRound(bar.bottom * dots) - top,
                         Qt::black);
    }
    for (const TextPlace& text : description.texts) {
        if (text.face == Face::Canvas)
            PrintCanvasText(painter, text, dots);
        else
            painter.fillPath(QTransform::fromScale(dots, dots).map(TextOutline(text)), Qt::black);
    }
    return image;
}

}  // namespace symbol
