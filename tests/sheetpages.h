#pragma once

// Pages of a label sheet as a printer would see them: a PDF rasterised by
// pdftoppm, each label cut out where the sheet's numbers put it and read by
// zbarimg.

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include "pipeline/sheet.h"
#include "run.h"

// Measured lengths as a failure message lists them, to a hundredth.
inline QString Listed(const QList<double>& values) {
    QStringList text;
    for (double value : values)
        text.append(QString::number(value, 'f', 2));
    return text.join(u' ');
}

// The pages of pdf at dpi (only the crop, in dots, when one is given), as
// pictures written into folder.
inline QList<QImage> RasterisePdf(const QString& pdf, int dpi, const QString& folder,
                                  const QRect& crop = {}) {
    const QString prefix = QDir(folder).filePath(QStringLiteral("page"));
    QStringList arguments{"-r", QString::number(dpi), "-gray", "-png"};
    if (!crop.isEmpty())
        arguments += {"-x", QString::number(crop.x()),     "-y", QString::number(crop.y()),
                      "-W", QString::number(crop.width()), "-H", QString::number(crop.height())};
    RunProgram(QStringLiteral("pdftoppm"), arguments + QStringList{pdf, prefix});
    QList<QImage> pages;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages.append(QImage(QDir(folder).filePath(file)));
    for (const QString& file : files)
        QFile::remove(QDir(folder).filePath(file));
    return pages;
}

// What zbarimg reads on each label place of every page, page by page: the
// code, or "-" for a place where it reads nothing.
inline QStringList ReadLabels(const QList<QImage>& pages, const pipeline::SheetTemplate& sheet,
                              int dpi, const QString& folder) {
    QStringList crops;
    for (int p = 0; p < pages.size(); ++p)
        for (int i = 0; i < sheet.LabelsPerPage(); ++i) {
            const QRectF mm = sheet.LabelRect(i);
            const QRect dots(QPointF(mm.topLeft() * dpi / 25.4).toPoint(),
                             QPointF(mm.bottomRight() * dpi / 25.4).toPoint());
            crops.append(QDir(folder).filePath(QStringLiteral("label-%1-%2.png").arg(p).arg(i)));
            pages[p].copy(dots).save(crops.last());
        }
    // One zbarimg for every label, which names each file it read.
    const QString xml =
        RunProgram(QStringLiteral("zbarimg"), QStringList{"-q", "--xml"} + crops).out;
    static const QRegularExpression data(QStringLiteral("<data><!\\[CDATA\\[(\\d+)\\]\\]></data>"));
    QStringList read;
    for (const QString& crop : crops) {
        const qsizetype at = xml.indexOf(QStringLiteral("href='%1'").arg(crop));
        const qsizetype end = xml.indexOf(QStringLiteral("</source>"), at);
        const QRegularExpressionMatch match = data.match(xml.mid(at, end - at));
        read.append(at >= 0 && match.hasMatch() ? match.captured(1) : QStringLiteral("-"));
        QFile::remove(crop);
    }
    return read;
}
