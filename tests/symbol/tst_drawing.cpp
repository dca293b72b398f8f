// The symbol as drawn: bar columns and their extent, quiet zones, where the
// digit groups stand, and redraws that leave no trace.

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

#include "symbol/canvas.h"
#include "symbol/code.h"
#include "symbol/drawing.h"
#include "symbol/outline.h"
#include "symbol/pattern.h"
#include "symbol/picturefile.h"
#include "symbol/raster.h"
#include "symbol/vector.h"

namespace {

const QSize kPictureSize(135, 87);
const QRgb kWhite = qRgb(255, 255, 255);

QImage Draw(const QString& name, const QString& code) {
    symbol::Canvas canvas(kPictureSize);
    symbol::PrintName(canvas, name);
    symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
    return canvas.Image();
}

// The picture as Qt's own writer writes it as a BMP file.
QByteArray WrittenByQt(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(picture);
    return bytes;
}

bool ColumnWhite(const QImage& image, int x, int firstRow, int lastRow) {
    for (int y = firstRow; y <= lastRow; ++y)
        if (image.pixel(x, y) != kWhite)
            return false;
    return true;
}

bool ColumnBlack(const QImage& image, int x, int firstRow, int lastRow) {
    for (int y = firstRow; y <= lastRow; ++y)
        if (image.pixel(x, y) != qRgb(0, 0, 0))
            return false;
    return true;
}

// The first and last inked columns within [fromX, toX] on rows the guards
// leave free of bars (below the normal bars), guard columns skipped.
std::pair<int, int> DigitInk(const QImage& image, int fromX, int toX) {
    const QList<int> guards = {21, 23, 67, 69, 113, 115};
    int first = -1, last = -1;
    for (int x = fromX; x <= toX; ++x) {
        if (guards.contains(x))
            continue;
        if (!ColumnWhite(image, x, symbol::kBarBottom, image.height() - 1)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

}  // namespace

class TestDrawing : public QObject {
    Q_OBJECT

private slots:
    void barsStandInTheirColumns_data();
    void barsStandInTheirColumns();
    void quietZonesStayWhite();
    void digitGroupsStandBetweenTheGuards_data();
    void digitGroupsStandBetweenTheGuards();
    void longNameIsClippedWithoutMovingTheSymbol();
    void redrawLeavesNoTraceOfThePrevious();
    void digitsDrawnAgainMatchAFreshCanvas_data();
    void digitsDrawnAgainMatchAFreshCanvas();
    void emptyNameStillClears();
    void windowBmpKeepsItsBytes_data();
    void windowBmpKeepsItsBytes();
    void bmpMatchesQtsWriter_data();
    void bmpMatchesQtsWriter();
    void partModulesAndBearersLandOnWholeDots_data();
    void partModulesAndBearersLandOnWholeDots();
    void bmpKeepsAGreyPixel_data();
    void bmpKeepsAGreyPixel();
    void pngHoldsEveryPixel_data();
    void pngHoldsEveryPixel();
    void retailRasterIsWhatQPainterFills_data();
    void retailRasterIsWhatQPainterFills();
};

void TestDrawing::barsStandInTheirColumns_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("4901234567894") << "4901234567894";
    QTest::newRow("all zeros") << "0000000000000";
    QTest::newRow("9780306406157") << "9780306406157";
}

void TestDrawing::barsStandInTheirColumns() {
    QFETCH(QString, code);
    const QImage image = Draw("", code);
    const QString pattern = symbol::BuildPattern(code);
    for (int i = 1; i <= 95; ++i) {
        const int x = i + symbol::kModuleOffset;
        const QChar module = pattern[i - 1];
        QVERIFY2(ColumnWhite(image, x, 0, 19), qPrintable(QString("above bar %1").arg(x)));
        if (module == u'0') {
            QVERIFY2(ColumnWhite(image, x, 20, 63), qPrintable(QString("space %1").arg(x)));
        } else if (module == u'1') {
            QVERIFY2(ColumnBlack(image, x, 20, 64), qPrintable(QString("bar %1").arg(x)));
        } else {
            QVERIFY2(ColumnBlack(image, x, 20, 69), qPrintable(QString("guard %1").arg(x)));
            QVERIFY2(ColumnWhite(image, x, 70, 86), qPrintable(QString("below guard %1").arg(x)));
        }
    }
    // The guards of the example in the design: start, centre and end.
    for (int x : {21, 23, 67, 69, 113, 115})
        QVERIFY(ColumnBlack(image, x, 20, 69));
}

void TestDrawing::quietZonesStayWhite() {
    const QImage image = Draw("", "4901234567894");
    for (int x = 0; x < 12; ++x)
        QVERIFY2(ColumnWhite(image, x, 0, 86), qPrintable(QString::number(x)));
    for (int x = 116; x < 135; ++x)
        QVERIFY2(ColumnWhite(image, x, 0, 86), qPrintable(QString::number(x)));
    for (int x = 0; x < 135; ++x)
        QVERIFY(ColumnWhite(image, x, 0, 19));
}

void TestDrawing::digitGroupsStandBetweenTheGuards_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("4901234567894") << "4901234567894";
    QTest::newRow("wide digits") << "8888888888888";
    QTest::newRow("narrow digits") << "1111111111116";
    QTest::newRow("minus sign") << "0000000000-50";
}

void TestDrawing::digitGroupsStandBetweenTheGuards() {
    QFETCH(QString, code);
    const QImage image = Draw("", code);

    const auto [firstStart, firstEnd] = DigitInk(image, 0, 20);
    QVERIFY(firstStart >= symbol::kFirstDigitX && firstStart <= symbol::kFirstDigitX + 2);
    QVERIFY(firstEnd < 21);

    const auto [leftStart, leftEnd] = DigitInk(image, 22, 66);
    QVERIFY2(leftStart >= symbol::kLeftGroupX && leftStart <= symbol::kLeftGroupX + 2,
             qPrintable(QString::number(leftStart)));
    QVERIFY2(leftEnd < 67,
             qPrintable(QString("left group runs into the centre guard: %1").arg(leftEnd)));

    const auto [rightStart, rightEnd] = DigitInk(image, 68, 134);
    QVERIFY2(rightStart >= symbol::kRightGroupX && rightStart <= symbol::kRightGroupX + 2,
             qPrintable(QString::number(rightStart)));
    QVERIFY2(rightEnd < 113,
             qPrintable(QString("right group runs into the end guard: %1").arg(rightEnd)));

    // No digit ink in the guards' own columns below the guards.
    for (int x : {21, 23, 67, 69, 113, 115})
        QVERIFY(ColumnWhite(image, x, 70, 86));
}

void TestDrawing::longNameIsClippedWithoutMovingTheSymbol() {
    const QImage plain = Draw("", "4901234567894");
    const QImage named = Draw(QString(200, u'W'), "4901234567894");
    QCOMPARE(named.size(), kPictureSize);
    // The name reaches the right edge...
    bool inkAtTheEdge = false;
    for (int x = 130; x < 135; ++x)
        inkAtTheEdge |= !ColumnWhite(named, x, 5, 19);
    QVERIFY(inkAtTheEdge);
    // ...and leaves everything from the bars down as it was.
    QCOMPARE(named.copy(0, 20, 135, 67), plain.copy(0, 20, 135, 67));
    // It starts at (5, 5).
    QVERIFY(ColumnWhite(named, 4, 0, 86) || ColumnWhite(named, 3, 0, 86));
    for (int x = 0; x < 135; ++x)
        QVERIFY(ColumnWhite(named, x, 0, 4));
}

void TestDrawing::redrawLeavesNoTraceOfThePrevious() {
    symbol::Canvas canvas(kPictureSize);
    symbol::PrintName(canvas, QString::fromUtf16(u"試作品 ABC"));
    symbol::DrawSymbol(canvas, "8888888888888", symbol::BuildPattern("8888888888888"));
    symbol::PrintName(canvas, "X");
    symbol::DrawSymbol(canvas, "4901234567894", symbol::BuildPattern("4901234567894"));
    QCOMPARE(canvas.Image(), Draw("X", "4901234567894"));
}

void TestDrawing::digitsDrawnAgainMatchAFreshCanvas_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("4901234567894") << "4901234567894";
    QTest::newRow("9780306406157") << "9780306406157";
    QTest::newRow("minus sign") << "0000000000-50";
}

// Every digit in every place has been drawn before on the same canvas.
void TestDrawing::digitsDrawnAgainMatchAFreshCanvas() {
    QFETCH(QString, code);
    symbol::Canvas canvas(kPictureSize);
    for (const QString& earlier :
         QStringList{"0123456789012", "5678901234567", "0000000000-50", code}) {
        symbol::PrintName(canvas, "X");
        symbol::DrawSymbol(canvas, earlier, symbol::BuildPattern(earlier));
    }
    QCOMPARE(canvas.Image(), Draw("X", code));
}

void TestDrawing::emptyNameStillClears() {
    symbol::Canvas canvas(kPictureSize);
    canvas.Line(50, 0, 50, 87);
    symbol::PrintName(canvas, "");
    QImage white(kPictureSize, canvas.Image().format());
    white.fill(Qt::white);
    QCOMPARE(canvas.Image(), white);
}

void TestDrawing::windowBmpKeepsItsBytes_data() {
    // SHA-256 of the window's saved BMP, taken before the symbol's geometry
    // moved into one description: any change to a pixel or a header shows.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("sha256");
    QTest::newRow("no name")
        << ""
        << "4901234567894"
        << QByteArray("27e55ab8ee5e129b6eb0b666064c31e4fcda221bda5e41ca217e2427ddd7bc15");
    QTest::newRow("Japanese name")
        << QString::fromUtf16(u"緑茶 ５００ｍｌ お徳用") << "9780306406157"
        << QByteArray("90bab6e51df9123dae499366d9af04aee10613bd82638b1c4cb24706b306282a");
    QTest::newRow("long Latin name")
        << QString(60, u'W') << "0012345678905"
        << QByteArray("27cdaa00f87e511b4a6b97fd109314b8cc593263baa4f44be710c9d1150543a9");
    QTest::newRow("minus sign")
        << "x"
        << "0000000000-50"
        << QByteArray("c1c4a7620c7a08f5a52de50e4d22815207fef53ae99e294f8c8a163a0de5b610");
}

void TestDrawing::windowBmpKeepsItsBytes() {
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(QByteArray, sha256);
    QString error;
    const QByteArray bmp = symbol::EncodePicture(Draw(name, code), "bmp", &error);
    QCOMPARE(QCryptographicHash::hash(bmp, QCryptographicHash::Sha256).toHex(), sha256);
}

void TestDrawing::bmpMatchesQtsWriter_data() {
    QTest::addColumn<int>("width");
    for (int width : {1, 7, 31, 32, 33, 135})
        QTest::newRow(qPrintable(QString("%1 pixels wide").arg(width))) << width;
}

// Any black and white picture is written exactly as Qt's own BMP writer
// writes it at one bit a pixel, white first in the colour table.
void TestDrawing::bmpMatchesQtsWriter() {
    QFETCH(int, width);
    QImage picture(width, 6, QImage::Format_RGB32);
    QImage mono(picture.size(), QImage::Format_Mono);
    mono.setColorTable({kWhite, qRgb(0, 0, 0)});
    std::fill_n(mono.bits(), mono.sizeInBytes(), 0);  // the padding too
    for (QImage* image : {&picture, &mono}) {
        image->setDotsPerMeterX(3780);
        image->setDotsPerMeterY(11811);
    }
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < width; ++x) {
            const bool black = (x * 7 + y / 2 * 3) % 5 < 2;  // rows in like pairs
            picture.setPixel(x, y, black ? qRgb(0, 0, 0) : kWhite);
            mono.setPixel(x, y, black);
        }
    const QByteArray expected = WrittenByQt(mono);
    QString error;
    QCOMPARE(symbol::EncodePicture(picture, "bmp", &error), expected);
    // A picture drawn at one bit a pixel is written from its rows.
    QCOMPARE(symbol::EncodePicture(mono, "bmp", &error), expected);
}

void TestDrawing::bmpKeepsAGreyPixel_data() {
    QTest::addColumn<int>("x");
    for (int x : {0, 3, 7, 8, 61, 127, 128, 134})
        QTest::newRow(qPrintable(QString("grey at column %1").arg(x))) << x;
}

// A picture that is not all black and white (a colour glyph in a name) is
// written in colour, as Qt's writer writes it, wherever the odd pixel is.
void TestDrawing::bmpKeepsAGreyPixel() {
    QFETCH(int, x);
    QImage picture = Draw("Item", "4901234567894");
    picture.setPixel(x, 40, qRgb(128, 128, 128));
    QString error;
    QCOMPARE(symbol::EncodePicture(picture, "bmp", &error), WrittenByQt(picture));
}

void TestDrawing::pngHoldsEveryPixel_data() {
    QTest::addColumn<int>("width");
    for (int width : {1, 7, 33, 135, 452})
        QTest::newRow(qPrintable(QString("%1 pixels wide").arg(width))) << width;
}

// Read back by Qt's PNG reader, pixel for pixel: rows alike in pairs, as
// bar rows are, and rows that differ from the one above only in their last
// pixel.
void TestDrawing::pngHoldsEveryPixel() {
    QFETCH(int, width);
    QImage picture(width, 12, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < width; ++x) {
            const bool black = ((x * 7 + y / 2 * 3) % 5 < 2) != (y % 4 == 3 && x == width - 1);
            picture.setPixel(x, y, black ? qRgb(0, 0, 0) : kWhite);
        }
    QString error;
    const QByteArray png = symbol::EncodePicture(picture, "png", &error);
    QVERIFY2(!png.isEmpty(), qPrintable(error));
    QCOMPARE(QImage::fromData(png, "png").convertToFormat(QImage::Format_RGB32), picture);
}

void TestDrawing::partModulesAndBearersLandOnWholeDots_data() {
    // One bar of 2.5 modules from module 10, rows 2 to 18, and a bearer over
    // the top module row, in a box of 30 x 20 modules: the black columns of
    // row 10 and the black rows of column 0, counted by hand.
    QTest::addColumn<int>("dots");
    QTest::addColumn<int>("bwrDots");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("bearerRows");
    QTest::newRow("4 dots: 10 dots wide") << 4 << 0 << 40 << 10 << 4;
    QTest::newRow("3 dots: 37.5 rounds up to 38") << 3 << 0 << 30 << 8 << 3;
    QTest::newRow("4 dots less 2: the bearer stays") << 4 << 2 << 41 << 8 << 4;
    QTest::newRow("1 dot") << 1 << 0 << 10 << 3 << 1;
}

void TestDrawing::partModulesAndBearersLandOnWholeDots() {
    QFETCH(int, dots);
    QFETCH(int, bwrDots);
    QFETCH(int, firstColumn);
    QFETCH(int, columns);
    QFETCH(int, bearerRows);
    symbol::Description d;
    d.box = QSizeF(30, 20);
    d.bars = {{10, 2.5, 2, 18}};
    d.bearers = {QRectF(0, 0, 30, 1)};
    const QImage image = symbol::PaintRaster(d, dots, bwrDots, 3780);
    QList<int> black;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, 10 * dots) != kWhite)
            black << x;
    QCOMPARE(black.size(), columns);
    QCOMPARE(black.first(), firstColumn);
    QCOMPARE(black.last(), firstColumn + columns - 1);
    int rows = 0;
    while (rows < image.height() && image.pixel(0, rows) != kWhite)
        ++rows;
    QCOMPARE(rows, bearerRows);
    QVERIFY(ColumnBlack(image, image.width() - 1, 0, bearerRows - 1));

    // In millimetres the same bar is 2.5 modules less the reduction, and the
    // bearer is whole.
    const double module = 0.5;
    const symbol::VectorSymbol vector = symbol::Vectorise(d, module, 0.1);
    QCOMPARE(vector.bars.size(), 2);
    QCOMPARE(vector.bars[0], QRectF(5.05, 1, 1.15, 8));
    QCOMPARE(vector.bars[1], QRectF(0, 0, 15, 0.5));
}

namespace {

// The description as plain QPainter fills it on a white picture, without
// smoothing: each bar a rectangle between its edges rounded to whole dots,
// narrowed by bwrDots (the left edge in by half of it, rounded down), the
// bearers whole, and each text's outline grown to dots.
QImage FilledByQPainter(const symbol::Description& d, int dots, int bwrDots) {
    QImage picture(qRound(d.box.width() * dots), qRound(d.box.height() * dots),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const auto rect = [&](double left, double right, double top, double bottom, int narrower) {
        const int x = qRound(left * dots) + narrower / 2;
        const int y = qRound(top * dots);
        painter.fillRect(QRect(QPoint(x, y),
                               QPoint(x + qRound(right * dots) - qRound(left * dots) - narrower - 1,
                                      qRound(bottom * dots) - 1)),
                         Qt::black);
    };
    for (const symbol::BarRun& bar : d.bars)
        rect(bar.x, bar.x + bar.width, bar.top, bar.bottom, bwrDots);
    for (const QRectF& bearer : d.bearers)
        rect(bearer.left(), bearer.right(), bearer.top(), bearer.bottom(), 0);
    for (const symbol::TextPlace& text : d.texts)
        painter.fillPath(QTransform::fromScale(dots, dots).map(symbol::TextOutline(text)),
                         Qt::black);
    return picture;
}

}  // namespace

void TestDrawing::retailRasterIsWhatQPainterFills_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<int>("bwrDots");
    for (int dpi : {203, 300, 600})
        for (int magnification : {80, 100, 200})
            for (int bwrDots : {0, 1, 3})
                QTest::newRow(qPrintable(QString("%1 dpi, %2 %, %3 dots narrower")
                                             .arg(dpi)
                                             .arg(magnification)
                                             .arg(bwrDots)))
                    << dpi << magnification << bwrDots;
}

// A retail raster's digits and name are put together from pixels kept per
// glyph and place, its bars from rows drawn once and copied, in 32 bits a
// pixel or one: every pixel must be the one plain QPainter fills, symbol
// after symbol (the kept pixels of one serving the next), for every
// symbology, add-ons, names Latin, Japanese, combined, too wide and none.
void TestDrawing::retailRasterIsWhatQPainterFills() {
    QFETCH(int, dpi);
    QFETCH(int, magnification);
    QFETCH(int, bwrDots);
    using symbol::Symbology;
    const QList<std::pair<symbol::SymbolCode, QString>> symbols = {
        {{Symbology::Jan13, "4901234567894", ""}, "Item 1234"},
        {{Symbology::Jan13, "4901234567894", ""}, "Item 1235"},
        // The same digits in the same columns, higher up without a name.
        {{Symbology::Jan13, "4901234567894", ""}, ""},
        {{Symbology::Jan13, "9780306406157", "12"}, QString::fromUtf16(u"緑茶 ５００ｍｌ お徳用")},
        {{Symbology::Jan13, "0012345678905", "52495"}, ""},
        {{Symbology::Jan8, "49012347", ""}, QString::fromUtf16(u"カ\u3099ム 20g")},
        {{Symbology::UpcA, "036000291452", ""}, QString(60, u'W')},
        {{Symbology::UpcE, "01234505", ""}, "Item 7"},
        {{Symbology::Itf14, "14901234567891", ""}, "Case of 24"},
    };
    const int dots = qRound(symbol::ModuleMm(magnification) / 25.4 * dpi);
    QList<std::pair<QString, symbol::Description>> descriptions;
    for (const auto& [code, name] : symbols)
        for (bool marker : {false, true})
            descriptions.append({code.code + u' ' + name + (marker ? " with markers" : ""),
                                 symbol::Describe(symbol::Layout::Retail, code, name, marker)});
    // The same digits in the same columns of one picture, one above the other.
    symbol::Description stacked;
    stacked.box = QSizeF(40, 40);
    stacked.bars = {{2, 1, 1, 30}};
    for (double y : {2.0, 14.0, 26.25})
        stacked.texts.append({"0123", symbol::Face::Digits, 8.5, QPointF(8, y)});
    descriptions.append({"stacked digits", stacked});
    for (const auto& [what, d] : descriptions) {
        const QImage expected = FilledByQPainter(d, dots, bwrDots);
        QVERIFY2(symbol::PaintRaster(d, dots, bwrDots, 11811) == expected, qPrintable(what));
        const QImage bits = symbol::PaintRasterBits(d, dots, bwrDots, 11811);
        // Drawn at one bit a pixel, not by way of the 32-bit picture,
        // unless a reduction leaves a bar no width.
        QVERIFY2((bits.format() == QImage::Format_Mono) == (bwrDots < dots), qPrintable(what));
        QVERIFY2(bits.convertToFormat(QImage::Format_RGB32) == expected, qPrintable(what));
    }
}

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
