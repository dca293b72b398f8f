#pragma once

// The program's files as pictures the tests can read: vector files turned
// into pixels by other programs, and the black runs of a bitmap's row.

#include <QDir>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

#include "run.h"

// A png or bmp as it is; an svg or pdf rasterised at dpi by rsvg-convert
// or pdftoppm into raster.png in the same folder. The picture's path.
inline QString PictureOf(const QString& file, const QString& folder, int dpi = 300) {
    const QString d = QString::number(dpi);
    if (file.endsWith(".svg"))
        RunProgram("rsvg-convert", {"-d", d, "-p", d, "-o", "raster.png", file}, folder);
    else if (file.endsWith(".pdf"))
        RunProgram("pdftoppm", {"-r", d, "-png", "-singlefile", file, "raster"}, folder);
    return QDir(folder).filePath(file.endsWith(".svg") || file.endsWith(".pdf") ? "raster.png"
                                                                                : file);
}

// The black runs of a bitmap's row: where each starts and how many dots.
inline QList<QPoint> BlackRuns(const QImage& image, int y) {
    QList<QPoint> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) >= 128)
            continue;
        if (runs.isEmpty() || runs.last().x() + runs.last().y() != x)
            runs.append(QPoint(x, 0));
        runs.last().ry()++;
    }
    return runs;
}
