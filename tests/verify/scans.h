#pragma once

// Scans for the verifier's tests: a retail symbol drawn by stripewell-render
// at 1200 dpi (16 dots a module), then changed by paint as a print or a
// scanner would change it.

#include <QImage>
#include <QPainter>

#include <functional>

#include "run.h"

inline Ran Render(const QStringList& arguments) {
    return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments);
}

inline const QString kCode = QStringLiteral("4901234567894");

// A retail symbol at 1200 dpi, then changed by paint.
using Change = std::function<void(QImage*)>;

inline QImage Retail(const QString& folder) {
    const QString file = folder + QStringLiteral("/retail.png");
    Render({"--layout", "retail", "--dpi", "1200", kCode, "-o", file, "--force"});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// Every dark pixel in another colour.
inline void Recolour(QImage* image, const QColor& colour) {
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            if (qGray(image->pixel(x, y)) < 128)
                image->setPixel(x, y, colour.rgb());
}

// Both quiet zones filled with black up to a module from the bars.
inline void Crowd(QImage* image) {
    QPainter p(image);
    const int module = 16, left = 11 * module;
    p.fillRect(0, 0, left - module, image->height(), Qt::black);
    p.fillRect(left + 96 * module, 0, image->width(), image->height(), Qt::black);
}

// Every dark pixel at bar, every light one at paper.
inline void Levels(QImage* image, int bar, int paper) {
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x) {
            const int v = qGray(image->pixel(x, y)) < 128 ? bar : paper;
            image->setPixel(x, y, qRgb(v, v, v));
        }
}

// A line down the whole picture at module m of the symbol (the first bar's
// leading edge is module 0, behind an 11-module quiet zone of 16 dots each).
inline void Line(QImage* image, double m, int dots, const QColor& colour) {
    QPainter(image).fillRect(int(16 * (11 + m)) - dots / 2, 0, dots, image->height(), colour);
}

// Every bar dots narrower at its trailing edge.
inline void Narrower(QImage* image, int dots) {
    const QImage before = *image;
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x)
            for (int j = 1; j <= dots && x + j < image->width(); ++j)
                if (qGray(before.pixel(x + j, y)) >= 128)
                    image->setPixel(x, y, qRgb(255, 255, 255));
}

// Every bar dots wider at its trailing edge.
inline void Wider(QImage* image, int dots) {
    const QImage before = *image;
    for (int y = 0; y < image->height(); ++y)
        for (int x = dots; x < image->width(); ++x)
            for (int j = 1; j <= dots; ++j)
                if (qGray(before.pixel(x - j, y)) < 128)
                    image->setPixel(x, y, qRgb(0, 0, 0));
}
