// In-store codes against the codes and fields that published material
// prints: a POS maker's worked NON-PLU code, a till's example fields, GS1's
// worked price check digit; and ZXingReader reading each made code back
// from its symbol.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "symbol/instore.h"
#include "symbol/layout.h"
#include "symbol/raster.h"

#include "readers.h"

class TestInstore : public QObject {
    Q_OBJECT

private slots:
    void publishedCodes_data();
    void publishedCodes();
    void refused_data();
    void refused();
    void priceReadBack_data();
    void priceReadBack();
};

void TestInstore::publishedCodes_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<QString>("item");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<QString>("expected");  // digits the source prints; "." where it prints none
    // cm55.com's in-store JAN settings: prefix 21, item 120025, price 1500
    // in 4 digits makes 2112002515005.
    QTest::newRow("cm55: 21 120025 1500")
        << "price4" << 21 << "120025" << qint64(1500) << "2112002515005";
    // rearegi.jp's NON-PLU: 02, item 12345, price 3,980 in 5 digits.
    QTest::newRow("rearegi: 02 12345 3980")
        << "price5" << 2 << "12345" << qint64(3980) << "021234503980.";
    // GS1's worked price check digit: 2875 gives 9, standing before it.
    QTest::newRow("GS1 2875, 4 digits") << "price4-check" << 2 << "12345" << qint64(2875)
                                        << "02123459"
                                           "2875.";
    QTest::newRow("GS1 2875 in 5 digits") << "price5-check" << 25 << "1234" << qint64(2875)
                                          << "251234"
                                             "."
                                             "02875.";
    // wdic.org's PLU: a prefix 20-29 and ten digits of the item.
    QTest::newRow("PLU 20, item 1") << "plu" << 20 << "1" << qint64(0) << "200000000001.";
    QTest::newRow("PLU 29, ten digits")
        << "plu" << 29 << "9876543210" << qint64(0) << "299876543210.";
}

// The code made has the digits the source prints, and ZXingReader reads
// the whole code, its check digit included, from the symbol drawn of it.
void TestInstore::publishedCodes() {
    QFETCH(QString, format);
    QFETCH(int, prefix);
    QFETCH(QString, item);
    QFETCH(qint64, price);
    QFETCH(QString, expected);
    const symbol::InstoreRow* row = symbol::FindInstoreFormat(format);
    QVERIFY(row);
    const symbol::InstoreCode made = symbol::MakeInstoreCode(*row, prefix, item, price);
    QVERIFY2(made.refusal.isEmpty(), qPrintable(made.refusal));
    QCOMPARE(made.code.size(), 13);
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (expected[i] != u'.')
            QVERIFY2(made.code[i] == expected[i], qPrintable(made.code + " vs " + expected));

    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath("code.png");
    const symbol::Description d = symbol::Describe(symbol::Layout::Retail, made.code, QString());
    QVERIFY(symbol::PaintRaster(d, 4, 0, 11811).save(file));
    QCOMPARE(ZXingTexts(file, {"-format", "EAN13"}), QStringList{made.code});
}

void TestInstore::refused_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<QString>("item");
    QTest::addColumn<qint64>("price");
    QTest::newRow("PLU with 02") << "plu" << 2 << "1" << qint64(0);
    QTest::newRow("prefix 45") << "price4" << 45 << "1" << qint64(100);
    QTest::newRow("item too long") << "price5" << 2 << "123456" << qint64(100);
    QTest::newRow("item not digits") << "price5" << 2 << "12a" << qint64(100);
    QTest::newRow("empty item") << "plu" << 20 << "" << qint64(0);
    QTest::newRow("10,000 yen in 4 digits") << "price4" << 2 << "1" << qint64(10000);
    QTest::newRow("100,000 yen in 5 digits") << "price5-check" << 2 << "1" << qint64(100000);
}

void TestInstore::refused() {
    QFETCH(QString, format);
    QFETCH(int, prefix);
    QFETCH(QString, item);
    QFETCH(qint64, price);
    const symbol::InstoreCode made =
        symbol::MakeInstoreCode(*symbol::FindInstoreFormat(format), prefix, item, price);
    QVERIFY(made.code.isEmpty());
    QVERIFY(!made.refusal.isEmpty());
}

void TestInstore::priceReadBack_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("code");
    QTest::addColumn<qint64>("price");  // -1: none read
    QTest::newRow("cm55's code") << "price4"
                                 << "2112002515005" << qint64(1500);
    // 02 12345 9 2875 and its check digit worked by hand: 0+6+1+6+3+12+5+27
    // +2+24+7+15 = 108, 2.
    QTest::newRow("GS1's price, its check digit right") << "price4-check"
                                                        << "0212345928752" << qint64(2875);
    // The same price read 2876: the code's check digit made right for it
    // (108 - 15 + 18 = 111, 9), the price check digit no longer holds.
    QTest::newRow("a misread price digit") << "price4-check"
                                           << "0212345928769" << qint64(-1);
    QTest::newRow("a maker's JAN") << "price5"
                                   << "4901234567894" << qint64(-1);
    QTest::newRow("PLU has no price") << "plu"
                                      << "2000000000015" << qint64(-1);
}

void TestInstore::priceReadBack() {
    QFETCH(QString, format);
    QFETCH(QString, code);
    QFETCH(qint64, price);
    const std::optional<qint64> read =
        symbol::InstorePrice(*symbol::FindInstoreFormat(format), code);
    QCOMPARE(read.value_or(-1), price);
}

QTEST_MAIN(TestInstore)
#include "tst_instore.moc"
