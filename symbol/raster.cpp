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
    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar, with edges on whole dots, each
    // rounded on its own, so that a bar covers the dots between its edges
    // whatever its width.
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const auto fill = [&](double x, double width, double top, double bottom, int narrower) {
        const int left = qRound(x * dots);
        const int y = qRound(top * dots);
        painter.fillRect(left + narrower / 2, y, qRound((x + width) * dots) - left - narrower,
                         qRound(bottom * dots) - y, Qt::black);
    };
    for (const BarRun& bar : description.bars)
        fill(bar.x, bar.width, bar.top, bar.bottom, bwrDots);
    for (const QRectF& bearer : description.bearers)
        fill(bearer.x(), bearer.width(), bearer.top(), bearer.bottom(), 0);
    for (const TextPlace& text : description.texts) {
        if (text.face == Face::Canvas)
            PrintCanvasText(painter, text, dots);
        else
            painter.fillPath(QTransform::fromScale(dots, dots).map(TextOutline(text)), Qt::black);
    }
    return image;
}

}  // namespace symbol
