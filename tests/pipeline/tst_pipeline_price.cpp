// Tag prices in whole yen: the worked amounts and sums done by hand,
// and price cells as spreadsheets write them.

#include <QtTest>

#include "pipeline/price.h"

using pipeline::Rounding;

class TestPrice : public QObject {
    Q_OBJECT

private slots:
    void taxBothWays_data();
    void taxBothWays();
    void roundTripEveryPrice();
    void cells_data();
    void cells();
};

void TestPrice::taxBothWays_data() {
    QTest::addColumn<qint64>("exclusive");
    QTest::addColumn<int>("rate");
    QTest::addColumn<Rounding>("rounding");
    QTest::addColumn<qint64>("inclusive");
    QTest::addColumn<QString>("printed");
    QTest::newRow("1,000 at 10 %")
        << qint64(1000) << 10 << Rounding::Floor << qint64(1100) << "¥1,100";
    QTest::newRow("1,000 at 8 %") << qint64(1000) << 8 << Rounding::Floor << qint64(1080)
                                  << "¥1,080";
    // 999 x 8 % = 79.92 yen of tax.
    QTest::newRow("999 at 8 %, floor")
        << qint64(999) << 8 << Rounding::Floor << qint64(1078) << "¥1,078";
    QTest::newRow("999 at 8 %, ceil")
        << qint64(999) << 8 << Rounding::Ceil << qint64(1079) << "¥1,079";
    QTest::newRow("999 at 8 %, round")
        << qint64(999) << 8 << Rounding::Round << qint64(1079) << "¥1,079";
    // 105 x 10 % = 10.5: half rounds up; 104 x 10 % = 10.4 down.
    QTest::newRow("105 at 10 %, round")
        << qint64(105) << 10 << Rounding::Round << qint64(116) << "¥116";
    QTest::newRow("104 at 10 %, round")
        << qint64(104) << 10 << Rounding::Round << qint64(114) << "¥114";
    QTest::newRow("no tax on 0") << qint64(0) << 8 << Rounding::Ceil << qint64(0) << "¥0";
    // 90,909,090 x 1.1 = 99,999,999: the dearest a tag shows.
    QTest::newRow("largest") << qint64(90909090) << 10 << Rounding::Ceil << qint64(99999999)
                             << "¥99,999,999";
}

void TestPrice::taxBothWays() {
    QFETCH(qint64, exclusive);
    QFETCH(int, rate);
    QFETCH(Rounding, rounding);
    QFETCH(qint64, inclusive);
    QFETCH(QString, printed);
    const pipeline::TagPrice expected{inclusive, exclusive, rate};
    QCOMPARE(pipeline::PriceFromExclusive(exclusive, rate, rounding), expected);
    QCOMPARE(pipeline::PriceFromInclusive(inclusive, rate, rounding), expected);
    QCOMPARE(pipeline::YenText(inclusive), printed);
}

// Whatever the rounding, a tag made from its tax-exclusive price is made
// again from the tax-inclusive one it shows; prices past the largest and
// rates other than 10 and 8 give none.
void TestPrice::roundTripEveryPrice() {
    for (const Rounding rounding : {Rounding::Floor, Rounding::Round, Rounding::Ceil}) {
        for (const int rate : {8, 10}) {
            for (qint64 yen = 0; yen <= 20000; ++yen) {
                const auto tag = pipeline::PriceFromExclusive(yen, rate, rounding);
                QVERIFY(tag);
                // The tax is the exact tax within a yen, on the side asked.
                const qint64 hundredfoldTax = (tag->withTax - yen) * 100;
                QVERIFY(qAbs(hundredfoldTax - yen * rate) < 100);
                QCOMPARE(pipeline::PriceFromInclusive(tag->withTax, rate, rounding), tag);
            }
        }
    }
    QVERIFY(!pipeline::PriceFromExclusive(90909091, 10, Rounding::Ceil));
    QVERIFY(!pipeline::PriceFromInclusive(100000000, 10, Rounding::Floor));
    QVERIFY(!pipeline::PriceFromExclusive(1000, 5, Rounding::Floor));
}

void TestPrice::cells_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<qint64>("yen");  // -1: refused
    QTest::newRow("plain") << "1000" << qint64(1000);
    QTest::newRow("commas and yen sign") << "¥1,100" << qint64(1100);
    QTest::newRow("full width") << "￥１，２３４，５６７" << qint64(1234567);
    QTest::newRow("yen after, blanks") << " 980円 " << qint64(980);
    QTest::newRow("Shift_JIS's yen read as a backslash") << "\\1,078" << qint64(1078);
    QTest::newRow("decimal") << "1100.5" << qint64(-1);
    QTest::newRow("negative") << "-100" << qint64(-1);
    QTest::newRow("commas misplaced") << "1,10,0" << qint64(-1);
    QTest::newRow("text") << "時価" << qint64(-1);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("too dear") << "100,000,000" << qint64(-1);
    QTest::newRow("absurdly long") << QString(40, u'9') << qint64(-1);
}

void TestPrice::cells() {
    QFETCH(QString, cell);
    QFETCH(qint64, yen);
    QString error;
    const std::optional<qint64> read = pipeline::ReadYen(cell, &error);
    QCOMPARE(read.value_or(-1), yen);
    QCOMPARE(error.isEmpty(), yen >= 0);
    // The rate cells beside them.
    QString rateError;
    QCOMPARE(pipeline::ReadTaxRate(u"軽減", &rateError), 8);
    QCOMPARE(pipeline::ReadTaxRate(u"１０％", &rateError), 10);
    QVERIFY(!pipeline::ReadTaxRate(u"5", &rateError) && !rateError.isEmpty());
}

QTEST_APPLESS_MAIN(TestPrice)
#include "tst_pipeline_price.moc"
