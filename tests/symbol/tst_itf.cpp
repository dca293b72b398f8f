// ITF-14's bars and spaces compared with symbols made outside this program,
// and its size against GS1's published figures.

#include <QTest>

#include "symbol/itf.h"

class TestItf : public QObject {
    Q_OBJECT

private slots:
    void elementsMatchAnIndependentEncoder_data();
    void elementsMatchAnIndependentEncoder();
    void widthAtRatio_data();
    void widthAtRatio();
    void caseCodeOfAJan_data();
    void caseCodeOfAJan();
};

void TestItf::elementsMatchAnIndependentEncoder_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("modules");
    // clang-format off
    // zint 2.11 (-b ITF14 --dump) draws wide elements 3 narrow ones; it was
    // given the first 13 digits, and ZXingReader read all 14 back from its
    // symbol.
    QTest::newRow("15400141288763") << "15400141288763"
        << "101011100010100010111010101110001000111010001011101110100010001011101011100010001110101000111011101010111000100010001110001110101011101";
    QTest::newRow("00012345600012") << "00012345600012"
        << "101010101110001110001010001011101110100010001110001010111010001011100010111010111011100010001010101110001110001011101000101011100011101";
    QTest::newRow("12345678901231") << "12345678901231"
        << "101011101000101011100011101110100010100011101000111000101010001010111000111010111010001110001011101000101011100011100011101010100011101";
    QTest::newRow("04901234567894") << "04901234567894"
        << "101010101110001110100010111010001110001011101000101011100011101110100010100011101000111000101010001010111000111010111010001110100011101";
    QTest::newRow("14901234567891") << "14901234567891"
        << "101011101010001011100010111010001110001011101000101011100011101110100010100011101000111000101010001010111000111010001110101110100011101";
    QTest::newRow("94901234567897") << "94901234567897"
        << "101010111010001110100010111010001110001011101000101011100011101110100010100011101000111000101010001010111000111010111010111000100011101";
    QTest::newRow("00000000000000") << "00000000000000"
        << "101010101110001110001010101110001110001010101110001110001010101110001110001010101110001110001010101110001110001010101110001110001011101";
    QTest::newRow("99999999999997") << "99999999999997"
        << "101010111000101110001010111000101110001010111000101110001010111000101110001010111000101110001010111000101110001010111010111000100011101";
    QTest::newRow("50123456789000") << "50123456789000"
        << "101011101011100010001011101000101011100011101110100010100011101000111000101010001010111000111010111010001110001010101110001110001011101";
    QTest::newRow("31234567890129") << "31234567890129"
        << "101011100011101010100010001110001010111010001011100010111010111011101000100011101000101110001010001011101110100010111000101000111011101";
    QTest::newRow("77777777777771") << "77777777777771"
        << "101010101011100011100010101011100011100010101011100011100010101011100011100010101011100011100010101011100011100010001010111011100011101";
    QTest::newRow("24680135792461") << "24680135792461"
        << "101010111010001011100010001110111010001010001011101110100011100011101000101010100010111000111010111010001011100010001110111010100011101";
    // clang-format on
}

// The bars as modules at ratio 3: each run's cells set from its edges.
void TestItf::elementsMatchAnIndependentEncoder() {
    QFETCH(QString, code);
    QFETCH(QString, modules);
    const QList<symbol::BarRun> bars = symbol::ItfBarRuns(code, 3, 0, 0, 1);
    QString drawn(int(bars.last().x + bars.last().width), u'0');
    for (const symbol::BarRun& bar : bars)
        for (int x = int(bar.x); x < int(bar.x + bar.width); ++x)
            drawn[x] = u'1';
    QCOMPARE(drawn, modules);
}

void TestItf::widthAtRatio_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("moduleMm");
    QTest::addColumn<double>("widthMm");  // with the quiet zones
    // GS1's ITF-14 section: a character pair is 16 modules at ratio 2.5 and
    // 18 at ratio 3, start and stop 8.5 and 9; seven pairs and quiet zones of
    // 10 X at X = 1.016 mm make 142.75 mm at 2.5, the size usually quoted.
    QTest::newRow("X 1.016 ratio 2.5") << 2.5 << 1.016 << 142.75;
    QTest::newRow("X 1.016 ratio 3") << 3.0 << 1.016 << (7 * 18 + 9 + 20) * 1.016;
    QTest::newRow("X 0.495 ratio 2.25") << 2.25 << 0.495 << (48 + 29 * 2.25 + 20) * 0.495;
}

void TestItf::widthAtRatio() {
    QFETCH(double, ratio);
    QFETCH(double, moduleMm);
    QFETCH(double, widthMm);
    const QList<symbol::BarRun> bars = symbol::ItfBarRuns("15400141288763", ratio, 0, 0, 1);
    const double right = bars.last().x + bars.last().width;
    QCOMPARE(right, symbol::ItfWidth(14, ratio));
    QVERIFY2(std::abs((right + 2 * symbol::kItfQuietZone) * moduleMm - widthMm) < 0.01,
             qPrintable(QString::number((right + 2 * symbol::kItfQuietZone) * moduleMm)));
}

void TestItf::caseCodeOfAJan_data() {
    QTest::addColumn<int>("indicator");
    QTest::addColumn<QString>("jan");
    QTest::addColumn<QString>("gtin14");
    // The GTIN-14 as ZXingReader read it from zint's symbol of the indicator
    // and the JAN's first twelve digits.
    QTest::newRow("0 4901234567894") << 0 << "4901234567894"
                                     << "04901234567894";
    QTest::newRow("1 4901234567894") << 1 << "4901234567894"
                                     << "14901234567891";
    QTest::newRow("9 4901234567894") << 9 << "4901234567894"
                                     << "94901234567897";
    QTest::newRow("5 0123456789005") << 5 << "0123456789005"
                                     << "50123456789000";
}

void TestItf::caseCodeOfAJan() {
    QFETCH(int, indicator);
    QFETCH(QString, jan);
    QFETCH(QString, gtin14);
    QCOMPARE(symbol::Gtin14FromJan(indicator, jan), gtin14);
}

QTEST_GUILESS_MAIN(TestItf)
#include "tst_itf.moc"
