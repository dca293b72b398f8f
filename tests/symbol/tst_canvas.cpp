// The canvas: clearing, the current position, lines and the stretch copy.

#include <QFontMetricsF>
#include <QPainter>
#include <QRandomGenerator>
#include <QStaticText>
#include <QTest>

#include "symbol/canvas.h"

namespace {

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// The rows of one column that are not white.
QList<int> InkedRows(const QImage& image, int x) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != qRgb(255, 255, 255))
            rows << y;
    return rows;
}

QList<int> Range(int first, int last) {
    QList<int> rows;
    for (int y = first; y <= last; ++y)
        rows << y;
    return rows;
}

}  // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void newCanvasIsWhiteAtNinetySixDpi();
    void printMovesTheCurrentPosition();
    void clsWhitensAndResetsThePosition();
    void verticalLineStopsBeforeItsEndPoint_data();
    void verticalLineStopsBeforeItsEndPoint();
    void paintPictureDoublesEveryPixel();
    void digitsPrintAsTheFontDrawsThem_data();
    void digitsPrintAsTheFontDrawsThem();
    void textPrintsAsTheFontDrawsIt_data();
    void textPrintsAsTheFontDrawsIt();
    void namesPrintAsTheFontDrawsThem_data();
    void namesPrintAsTheFontDrawsThem();
    void everyAsciiPairPrintsAsTheFontDrawsIt_data();
    void everyAsciiPairPrintsAsTheFontDrawsIt();
};

void TestCanvas::newCanvasIsWhiteAtNinetySixDpi() {
    symbol::Canvas canvas(QSize(135, 87));
    const QImage& image = canvas.Image();
    QCOMPARE(image.size(), QSize(135, 87));
    QCOMPARE(canvas.ScaleWidth(), 135);
    QCOMPARE(canvas.ScaleHeight(), 87);
    QCOMPARE(image.dotsPerMeterX(), 3780);
    QCOMPARE(image.dotsPerMeterY(), 3780);
    QImage white(image.size(), image.format());
    white.fill(Qt::white);
    QCOMPARE(image, white);
}

void TestCanvas::printMovesTheCurrentPosition() {
    symbol::Canvas canvas(QSize(135, 87));
    canvas.SetCurrentX(25);
    canvas.SetCurrentY(64);
    canvas.Print("901234", false);
    QCOMPARE(canvas.CurrentY(), 64.0f);
    // Six digits of the canvas font: 6 to 7 pixels each.
    QVERIFY2(canvas.CurrentX() >= 25 + 6 * 6 && canvas.CurrentX() <= 25 + 6 * 7,
             qPrintable(QString::number(canvas.CurrentX())));

    canvas.SetCurrentX(5);
    canvas.SetCurrentY(5);
    canvas.Print("name");
    QCOMPARE(canvas.CurrentX(), 0.0f);
    QVERIFY(canvas.CurrentY() >= 5 + 13 && canvas.CurrentY() <= 5 + 20);

    canvas.Print("", false);  // an empty print moves nothing on the line
    QCOMPARE(canvas.CurrentX(), 0.0f);
}

void TestCanvas::clsWhitensAndResetsThePosition() {
    symbol::Canvas canvas(QSize(40, 30));
    canvas.SetCurrentX(3);
    canvas.SetCurrentY(3);
    canvas.Print("8");
    canvas.Line(10, 0, 10, 30);
    QVERIFY(!InkedRows(canvas.Image(), 10).isEmpty());
    canvas.Cls();
    QCOMPARE(canvas.CurrentX(), 0.0f);
    QCOMPARE(canvas.CurrentY(), 0.0f);
    for (int x = 0; x < 40; ++x)
        QVERIFY(InkedRows(canvas.Image(), x).isEmpty());
}

void TestCanvas::verticalLineStopsBeforeItsEndPoint_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y1");
    QTest::addColumn<float>("y2");
    QTest::addColumn<QList<int>>("rows");

    QTest::newRow("bar, downwards") << 21.0f << 20.0f << 65.0f << Range(20, 64);
    QTest::newRow("guard, downwards") << 21.0f << 20.0f << 70.0f << Range(20, 69);
    QTest::newRow("upwards") << 21.0f << 65.0f << 20.0f << Range(21, 65);
    QTest::newRow("clipped at the top") << 0.0f << -5.0f << 3.0f << Range(0, 2);
    QTest::newRow("clipped at the bottom") << 134.0f << 80.0f << 200.0f << Range(80, 86);
    QTest::newRow("zero length") << 50.0f << 30.0f << 30.0f << QList<int>();
}

void TestCanvas::verticalLineStopsBeforeItsEndPoint() {
    QFETCH(float, x);
    QFETCH(float, y1);
    QFETCH(float, y2);
    QFETCH(QList<int>, rows);
    symbol::Canvas canvas(QSize(135, 87));
    canvas.Line(x, y1, x, y2);
    QCOMPARE(InkedRows(canvas.Image(), int(x)), rows);
    // Drawn along with lines of the same rows, one of them a rounded column
    // and two off the canvas, each colours the same rows.
    symbol::Canvas together(QSize(135, 87));
    together.VerticalLines({x, 300, 67.4f, -2}, y1, y2);
    QCOMPARE(InkedRows(together.Image(), int(x)), rows);
    QCOMPARE(InkedRows(together.Image(), 67), rows);
    canvas.Line(67.4f, y1, 67.4f, y2);
    QCOMPARE(together.Image(), canvas.Image());
    for (int y : rows)
        QVERIFY(IsBlack(canvas.Image(), int(x), y));
    // Nothing beside the line.
    if (x > 0)
        QVERIFY(InkedRows(canvas.Image(), int(x) - 1).isEmpty());
    if (x < 134)
        QVERIFY(InkedRows(canvas.Image(), int(x) + 1).isEmpty());
}

void TestCanvas::paintPictureDoublesEveryPixel() {
    QImage source(135, 87, QImage::Format_RGB32);
    auto* random = QRandomGenerator::global();
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, random->bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));

    symbol::Canvas view(QSize(270, 174));
    view.PaintPicture(source, 0, 0, 270, 174, 0, 0, 135, 87);
    for (int y = 0; y < 174; ++y)
        for (int x = 0; x < 270; ++x)
            QCOMPARE(view.Image().pixel(x, y), source.pixel(x / 2, y / 2));
}

namespace {

// What QPainter::drawText draws for text whose top-left corner is at (x, y).
QImage DrawnByPainter(const QString& text, float x, float y, QSize size = QSize(135, 87)) {
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    const QFont font = symbol::CanvasFont();
    QPainter painter(&expected);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x, y + QFontMetricsF(font, &expected).ascent()), text);
    return expected;
}

// What QPainter draws for the same text laid out once as static text, as
// the window has always printed text the font shapes. It differs from
// drawText's pixels where the text runs right to left or comes from another
// font.
QImage DrawnAsStaticText(const QString& text, float x, float y) {
    QImage expected(135, 87, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    QPainter painter(&expected);
    painter.setFont(symbol::CanvasFont());
    painter.setPen(Qt::black);
    painter.drawStaticText(QPointF(x, y), laidOut);
    return expected;
}

}  // namespace

void TestCanvas::digitsPrintAsTheFontDrawsThem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("x");
    QTest::newRow("left group") << "901234" << 25.0f;
    QTest::newRow("every digit") << "0123456789" << 3.0f;
    QTest::newRow("minus sign") << "0-50" << 71.0f;
    QTest::newRow("half-pixel start") << "567894" << 71.5f;
}

// Digit groups are printed on a path of their own; what it draws and how far
// it moves must be what the font's own text drawing gives.
void TestCanvas::digitsPrintAsTheFontDrawsThem() {
    QFETCH(QString, text);
    QFETCH(float, x);
    symbol::Canvas canvas(QSize(135, 87));
    canvas.SetCurrentX(x);
    canvas.SetCurrentY(64);
    canvas.Print(text, false);
    QCOMPARE(canvas.Image(), DrawnByPainter(text, x, 64));
    const QFontMetricsF metrics(symbol::CanvasFont(), &canvas.Image());
    QCOMPARE(canvas.CurrentX(), float(x + metrics.horizontalAdvance(text)));
}

void TestCanvas::textPrintsAsTheFontDrawsIt_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("latin") << "Sample 12";
    QTest::newRow("japanese") << QString::fromUtf16(u"サンプル商品");
    QTest::newRow("mixed") << QString::fromUtf16(u"試作 A-1 ｶﾅ");
}

// The name is kept laid out between redraws; printing it twice, or after
// other text, must draw what the font draws.
void TestCanvas::textPrintsAsTheFontDrawsIt() {
    QFETCH(QString, text);
    symbol::Canvas canvas(QSize(135, 87));
    for (const QString& printed : {QString("other"), text, text}) {
        canvas.Cls();
        canvas.SetCurrentX(5);
        canvas.SetCurrentY(5);
        canvas.Print(printed);
    }
    QCOMPARE(canvas.Image(), DrawnByPainter(text, 5, 5));
}

void TestCanvas::namesPrintAsTheFontDrawsThem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shaped");
    // Text the canvas has the font engine shape: combined, reordered, taken
    // from another font, or of characters not known to need none of that.
    constexpr bool shaped = true;
    const QList<std::tuple<const char*, QString, bool>> texts = {
        {"batch name", "Item 1234", !shaped},
        {"every ASCII character",
         "!\"#$%&'()*+,-./"
         "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~",
         !shaped},
        {"spaces", "  two  spaces  ", !shaped},
        {"kana and kanji", QString::fromUtf16(u"サンプル商品"), !shaped},
        {"hiragana", QString::fromUtf16(u"ぱぴぷぺぽ がぎぐ"), !shaped},
        {"full-width", QString::fromUtf16(u"緑茶 ５００ｍｌ お徳用"), !shaped},
        {"half-width katakana", QString::fromUtf16(u"ｶﾅ ﾃｽﾄ"), !shaped},
        {"punctuation", QString::fromUtf16(u"「新」商品、一。"), !shaped},
        {"ideographic space", QString::fromUtf16(u"商品　名"), !shaped},
        {"mixed", QString::fromUtf16(u"試作 A-1 ｶﾅ ー"), !shaped},
        {"long Latin, cut at the edge", QString(40, u'W'), !shaped},
        {"long Japanese, cut at the edge",
         QString::fromUtf16(u"長い名前の商品を十五文字以上も並べる"), !shaped},
        {"combining voiced mark", QString::fromUtf16(u"\u304b\u3099\u30cf\u309a"), shaped},
        {"combining acute", QString::fromUtf16(u"Cafe\u0301"), shaped},
        {"tone letters", QString::fromUtf16(u"\u02e5\u02e9"), shaped},
        {"right to left", QString::fromUtf16(u"AB \u05e9\u05dc\u05d5\u05dd CD"), shaped},
        {"Arabic", QString::fromUtf16(u"\u0633\u0644\u0627\u0645"), shaped},
        {"Latin-1", QString::fromUtf16(u"Cr\u00e8me br\u00fbl\u00e9e"), shaped},
        {"outside the basic plane", QString::fromUtf16(u"A\U0001F600B"), shaped},
    };
    for (const auto& [what, text, isShaped] : texts)
        QTest::newRow(what) << text << isShaped;
}

// Names are printed without a layout where they need no shaping, from each
// glyph's pixels found once per fraction of a pixel it stands at. Printed
// at places whole and fractional on one canvas, and so from what the places
// before left behind, each must draw and move exactly as the font's own
// text drawing on a fresh picture; text that must be shaped exactly as it
// is drawn once laid out.
void TestCanvas::namesPrintAsTheFontDrawsThem() {
    QFETCH(QString, text);
    QFETCH(bool, shaped);
    const QList<QPointF> places = {{5, 5},      {5.5, 5},     {5.25, 5},     {5.75, 5.5},
                                   {6, 5},      {71.3, 64},   {0.9, 0.1},    {12, 64},
                                   {100.5, 40}, {128.25, 80}, {5.015625, 5}, {5, 5.125}};
    symbol::Canvas canvas(QSize(135, 87));
    const QFontMetricsF metrics(symbol::CanvasFont(), &canvas.Image());
    for (const QPointF& place : places) {
        canvas.Cls();
        canvas.SetCurrentX(place.x());
        canvas.SetCurrentY(place.y());
        canvas.Print(text, false);
        const QString where = QString("at (%1, %2)").arg(place.x()).arg(place.y());
        const QImage expected = shaped ? DrawnAsStaticText(text, place.x(), place.y())
                                       : DrawnByPainter(text, place.x(), place.y());
        QVERIFY2(canvas.Image() == expected, qPrintable(where));
        QVERIFY2(
            qFuzzyCompare(canvas.CurrentX(), float(place.x() + metrics.horizontalAdvance(text))),
            qPrintable(where));
    }
}

void TestCanvas::everyAsciiPairPrintsAsTheFontDrawsIt_data() {
    QTest::addColumn<QString>("text");
    for (char16_t first = 0x20; first <= 0x7e; ++first) {
        QString text;
        for (char16_t second = 0x20; second <= 0x7e; ++second)
            text.append(QChar(first)).append(QChar(second));
        QTest::newRow(qPrintable(QString("'%1' before each").arg(QChar(first)))) << text;
    }
}

// A pair that the font kerned or joined would stand otherwise than side by
// side: every printable pair, at a half pixel, as the font draws it.
void TestCanvas::everyAsciiPairPrintsAsTheFontDrawsIt() {
    QFETCH(QString, text);
    const QSize size(1300, 20);
    symbol::Canvas canvas(size);
    canvas.SetCurrentX(2.5);
    canvas.SetCurrentY(2);
    canvas.Print(text, false);
    QVERIFY(canvas.Image() == DrawnByPainter(text, 2.5, 2, size));
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
