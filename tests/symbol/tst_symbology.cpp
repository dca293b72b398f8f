// The table of symbologies against GS1's published figures (the General
// Specifications' symbol dimensions, as GS1 Sweden's size guide restates
// them, and their ITF-14 section; the Japan ISBN Agency's guide for the book
// pair): digits, modules, X, quiet zones, and the width each symbol's
// description takes at 100 percent.

#include <QTest>
#include <cmath>

#include "symbol/layout.h"
#include "symbol/symbology.h"

class TestSymbology : public QObject {
    Q_OBJECT

private slots:
    void rowsMatchPublishedFigures_data();
    void rowsMatchPublishedFigures();
};

void TestSymbology::rowsMatchPublishedFigures_data() {
    QTest::addColumn<QString>("option");  // --symbol's name, as README gives it
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("code");  // a valid code
    QTest::addColumn<int>("digits");    // check digit included
    QTest::addColumn<int>("modules");   // without quiet zones; 0: not whole modules
    QTest::addColumn<double>("minX");   // mm
    QTest::addColumn<double>("nominalX");
    QTest::addColumn<double>("maxX");
    QTest::addColumn<int>("quietLeft");  // X
    QTest::addColumn<int>("quietRight");
    QTest::addColumn<double>("widthMm");  // with quiet zones, at nominalX
    QTest::addColumn<double>("barMm");    // the normal bars' height, at nominalX
    // EAN-13 37.29 mm (113 X), EAN-8 26.73 mm (81 X), UPC-A 37.29 mm (113 X),
    // UPC-E 22.11 mm (67 X); ITF-14 142.75 mm without its bearer frame at
    // ratio 2.5 (16 modules a character pair, 8.5 besides, 10 X quiet zones).
    // Bars 22.85 mm tall, EAN-8's 18.23 mm, ITF-14's 31.75 mm, the book's 11 mm.
    // clang-format off
    QTest::newRow("EAN-13") << "jan13" << "EAN13" << "EAN-13" << "4901234567894"
        << 13 << 95 << 0.264 << 0.33 << 0.66 << 11 << 7 << 37.29 << 22.85;
    QTest::newRow("EAN-8") << "JAN8" << "ean8" << "EAN-8" << "49123456"
        << 8 << 67 << 0.264 << 0.33 << 0.66 << 7 << 7 << 26.73 << 18.23;
    QTest::newRow("UPC-A") << "upca" << "" << "UPC-A" << "036000291452"
        << 12 << 95 << 0.264 << 0.33 << 0.66 << 9 << 9 << 37.29 << 22.85;
    QTest::newRow("UPC-E") << "UPCE" << "" << "UPC-E" << "01234565"
        << 8 << 51 << 0.264 << 0.33 << 0.66 << 9 << 7 << 22.11 << 22.85;
    QTest::newRow("ITF-14") << "itf14" << "" << "ITF-14" << "14901234567891"
        << 14 << 0 << 0.495 << 1.016 << 1.016 << 10 << 10 << 142.75 << 31.75;
    // Two JAN symbols of 31.35 mm (95 modules of 0.33 mm) with the JAN's quiet
    // zones; the data digits are each symbol's.
    QTest::newRow("book JAN") << "book" << "" << "book JAN"
        << QStringLiteral("ISBN978-4-00-310104-9 C0193 ¥500E")
        << 13 << 95 << 0.264 << 0.33 << 0.66 << 11 << 7 << 37.29 << 11.0;
    // clang-format on
}

void TestSymbology::rowsMatchPublishedFigures() {
    QFETCH(QString, option);
    QFETCH(QString, alias);
    QFETCH(QString, title);
    QFETCH(QString, code);
    QFETCH(int, digits);
    QFETCH(int, modules);
    QFETCH(double, minX);
    QFETCH(double, nominalX);
    QFETCH(double, maxX);
    QFETCH(int, quietLeft);
    QFETCH(int, quietRight);
    QFETCH(double, widthMm);
    QFETCH(double, barMm);

    const symbol::SymbologyRow* row = symbol::FindSymbology(option);
    QVERIFY(row);
    if (!alias.isEmpty())
        QCOMPARE(symbol::FindSymbology(alias), row);
    QCOMPARE(&symbol::RowOf(row->symbology), row);
    QCOMPARE(QString(row->title), title);
    QCOMPARE(row->dataDigits + 1, digits);
    QCOMPARE(row->modules, modules);
    QCOMPARE(row->quietLeft, quietLeft);
    QCOMPARE(row->quietRight, quietRight);
    // X at 100 percent, at the largest magnification GS1's largest, and at
    // the smallest the first whole percent at or above GS1's smallest.
    const double percent = row->nominalModuleMm / 100;
    QCOMPARE(row->nominalModuleMm, nominalX);
    QVERIFY(std::abs(row->maxMagnification * percent - maxX) < 1e-9);
    QVERIFY(row->minMagnification * percent >= minX - 1e-9);
    QVERIFY((row->minMagnification - 1) * percent < minX);

    // The description the row gives: its first bar after the left quiet
    // zone, the right quiet zone after its last, the published width; the
    // book pair's box as wide as its text line where that is wider.
    symbol::SymbolCode symbol{row->symbology, code, {}};
    symbol.itf = {row->nominalModuleMm, 2.5, false};
    const symbol::Description d = symbol::Describe(symbol::Layout::Retail, symbol, QString());
    QVERIFY(!d.bars.isEmpty());
    QCOMPARE(d.bars.first().x, double(quietLeft));
    const double right = d.bars.last().x + d.bars.last().width + quietRight;
    QVERIFY2(std::abs(right * nominalX - widthMm) < 0.005,
             qPrintable(QStringLiteral("%1 mm").arg(right * nominalX)));
    QVERIFY(std::abs((d.barBottom - d.barTop) * nominalX - barMm) < 0.005);
    if (row->bookFields)
        QVERIFY(d.box.width() >= right);
    else
        QCOMPARE(d.box.width(), right);
}

QTEST_MAIN(TestSymbology)
#include "tst_symbology.moc"
