#pragma once

// The independent readers, ZXingReader (zxing-cpp-tools) and zbarimg
// (zbar-tools) for symbols, tesseract with its Japanese data
// (tesseract-ocr, tesseract-ocr-jpn) for printed text, as the tests ask them
// what a picture holds.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "run.h"

// ZXingReader's report on picture. -noscale always: ZXingReader 1.4.0 aborts
// on some pictures when it also tries them scaled down.
inline QString ZXingReport(const QString& picture, const QStringList& options = {},
                           const QString& folder = {}) {
    return RunProgram(QStringLiteral("ZXingReader"),
                      QStringList{"-noscale"} + options + QStringList{picture}, folder)
        .out;
}

// The text of each symbol in ZXingReader's report, sorted.
inline QStringList ZXingTexts(const QString& picture, const QStringList& options = {},
                              const QString& folder = {}) {
    static const QRegularExpression text(QStringLiteral("Text: +\"([^\"]*)\""));
    QStringList texts;
    for (const QRegularExpressionMatch& match :
         text.globalMatch(ZXingReport(picture, options, folder)))
        texts << match.captured(1);
    texts.sort();
    return texts;
}

// What zbarimg -q --raw reads in picture, as it writes it.
inline QString ZbarReport(const QString& picture, const QStringList& options = {},
                          const QString& folder = {}) {
    return RunProgram(QStringLiteral("zbarimg"),
                      QStringList{"-q", "--raw"} + options + QStringList{picture}, folder)
        .out;
}

// What zbarimg -q --raw reads in picture: its lines of digits, sorted.
inline QStringList ZbarCodes(const QString& picture, const QStringList& options = {},
                             const QString& folder = {}) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    QStringList codes = ZbarReport(picture, options, folder).split(u'\n').filter(digits);
    codes.sort();
    return codes;
}

// picture with a symbol's bars painted white: the dark connected parts
// at least half as tall as the tallest and four times as tall as wide,
// when there are 20 or more of them (an EAN-13 has 30 bars). Tesseract
// otherwise takes bars and the text beside them for one line.
inline QImage WithoutBars(QImage picture) {
    const int width = picture.width(), height = picture.height();
    QList<char> seen(qsizetype(width) * height, 0);
    QList<QRect> parts;
    QList<QPoint> stack;
    const auto dark = [&](QPoint p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() < width && p.y() < height &&
               !seen[p.y() * width + p.x()] && picture.constScanLine(p.y())[p.x()] < 128;
    };
    for (int y0 = 0; y0 < height; ++y0)
        for (int x0 = 0; x0 < width; ++x0) {
            if (!dark({x0, y0}))
                continue;
            QRect box(x0, y0, 1, 1);
            stack.append({x0, y0});
            seen[y0 * width + x0] = 1;
            while (!stack.isEmpty()) {
                const QPoint p = stack.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint& q :
                     {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                    if (dark(q)) {
                        seen[q.y() * width + q.x()] = 1;
                        stack.append(q);
                    }
            }
            parts.append(box);
        }
    int tallest = 0;
    for (const QRect& part : parts)
        tallest = std::max(tallest, part.height());
    QList<QRect> bars;
    for (const QRect& part : parts)
        if (part.height() * 2 >= tallest && part.height() >= 4 * part.width())
            bars.append(part);
    if (bars.size() >= 20)
        for (const QRect& bar : bars)
            for (int y = bar.top(); y <= bar.bottom(); ++y)
                std::fill_n(picture.scanLine(y) + bar.left(), bar.width(), uchar(255));
    return picture;
}

// The rows of box in picture (grey) with ink, as boxes as wide as box: a
// box tesseract takes for one line may hold two, a small word above a
// large one. A gap less than a quarter of the height of the row above joins
// the rows (the parts of a character such as 品).
inline QList<QRect> InkRows(const QImage& picture, const QRect& box) {
    QList<QRect> rows;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const uchar* line = picture.constScanLine(y) + box.left();
        if (std::all_of(line, line + box.width(), [](uchar grey) { return grey >= 128; }))
            continue;
        if (!rows.isEmpty()) {
            QRect& last = rows.last();
            const int gap = y - last.bottom() - 1;
            if (gap == 0 || gap * 4 < last.height()) {
                last.setBottom(y);
                continue;
            }
        }
        rows.append(QRect(box.left(), y, box.width(), 1));
    }
    return rows;
}

// The lines of text tesseract reads in picture, top to bottom. The whole
// picture is read once to find where the lines are (--psm 11, sparse text,
// as a label's fields lie); then each line alone, as one line (--psm 13),
// with the Japanese and English data and only the given characters (all
// when empty), scaled smoothly to 28, 32 and 40 dots tall, and the reading
// two of the three agree on kept. Read whole at 600 dpi, tesseract misread
// digits of large prices (an 8 as a 6, a 0 as a 9); one line at one height,
// it took OCR-B's comma for a digit in 4 of 48 prices set from 8 to 30
// points; so, none of them. A symbol's bars are painted out first, and
// tall thin boxes are no lines. The pictures it reads are written into
// folder and removed.
inline QStringList TesseractLines(const QString& picture, const QString& folder,
                                  const QString& characters = {}) {
    const QImage page = WithoutBars(QImage(picture).convertToFormat(QImage::Format_Grayscale8));
    const QString text = QDir(folder).filePath(QStringLiteral("text.png"));
    page.save(text);
    const QString tsv =
        RunProgram(QStringLiteral("tesseract"), {text, "-", "-l", "jpn", "--psm", "11", "tsv"}).out;
    QFile::remove(text);
    QList<QRect> boxes;
    for (const QString& row : tsv.split(u'\n')) {
        const QStringList cells = row.split(u'\t');
        // Level 4 is a line: left, top, width, height in cells 6 to 9.
        if (cells.size() < 10 || cells[0] != u"4")
            continue;
        const QRect box =
            QRect(cells[6].toInt(), cells[7].toInt(), cells[8].toInt(), cells[9].toInt()) &
            page.rect();
        for (const QRect& line : InkRows(page, box))
            if (line.height() >= 8 && line.width() * 2 >= line.height())
                boxes.append(line);
    }
    std::sort(boxes.begin(), boxes.end(), [](const QRect& a, const QRect& b) {
        return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
    });
    // Each line at three heights; the reading two of them agree on.
    const QList<int> heights = {28, 32, 40};
    QStringList files;
    for (const QRect& box : boxes) {
        const int margin = box.height() / 3;
        const QImage crop = page.copy(box.adjusted(-margin, -margin, margin, margin) & page.rect());
        for (int height : heights) {
            const QImage line = crop.scaledToHeight(crop.height() * height / box.height(),
                                                    Qt::SmoothTransformation);
            QImage framed(line.width() + 20, line.height() + 20, QImage::Format_Grayscale8);
            framed.fill(Qt::white);
            for (int y = 0; y < line.height(); ++y)
                std::copy_n(line.constScanLine(y), line.width(), framed.scanLine(y + 10) + 10);
            files.append(QDir(folder).filePath(QStringLiteral("line-%1.png").arg(files.size())));
            framed.save(files.last());
        }
    }
    if (files.isEmpty())
        return {};
    // One tesseract for every line: a list of pictures, read page by page.
    const QString list = QDir(folder).filePath(QStringLiteral("lines.txt"));
    QFile listFile(list);
    if (listFile.open(QIODevice::WriteOnly))
        listFile.write(files.join(u'\n').toUtf8() + '\n');
    listFile.close();
    QStringList arguments{list, "-", "-l", "jpn+eng", "--psm", "13"};
    if (!characters.isEmpty())
        arguments += {"-c", QStringLiteral("tessedit_char_whitelist=") + characters};
    const QStringList reads = RunProgram(QStringLiteral("tesseract"), arguments).out.split(u'\f');
    for (const QString& file : files)
        QFile::remove(file);
    QFile::remove(list);
    QStringList lines;
    for (qsizetype i = 0; i + heights.size() <= reads.size(); i += heights.size()) {
        QStringList same;
        for (qsizetype h = 0; h < heights.size(); ++h)
            same.append(reads[i + h].simplified());
        QString line = same[1];
        for (const QString& read : same)
            if (same.count(read) > 1)
                line = read;
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}

// The yen amounts in text as tesseract reads them, in order: a number after
// a yen sign, which the Japanese data reads back as a backslash. The
// thousands separator may read as a comma or a point, or not at all.
inline QList<qint64> YenAmounts(const QString& text) {
    static const QRegularExpression amount(
        QStringLiteral("[\\\\¥￥]+ ?(\\d{1,3}(?:[,.]?\\d{3})*)(?!\\d)"));
    QList<qint64> amounts;
    for (const QRegularExpressionMatch& match : amount.globalMatch(text))
        amounts.append(match.captured(1).remove(u',').remove(u'.').toLongLong());
    return amounts;
}

// The yen amounts printed on picture, top to bottom, read by tesseract with
// only the characters of a price and its words.
inline QList<qint64> PrintedYen(const QString& picture, const QString& folder) {
    return YenAmounts(
        TesseractLines(picture, folder, QStringLiteral("0123456789,\\¥税込抜本体価格"))
            .join(u'\n'));
}
