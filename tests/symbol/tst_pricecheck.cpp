// The price check digit of an in-store code's price, against GS1's worked
// examples and against the weighting tables as the General Specifications
// print them, worked by hand here.

#include <QtTest>

#include "symbol/pricecheck.h"

class TestPriceCheck : public QObject {
    Q_OBJECT

private slots:
    void checkDigitOfPrice_data();
    void checkDigitOfPrice();
    void everySingleDigitMisreadIsCaught_data();
    void everySingleDigitMisreadIsCaught();
};

void TestPriceCheck::checkDigitOfPrice_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("check");
    // GS1 General Specifications 7.9.2: 2875 weighted 2-, 2-, 3, 5- gives
    // 4 + 5 + 1 + 3 = 13; 13 x 3 = 39, check digit 9.
    QTest::newRow("GS1's 4-digit example") << "2875" << 9;
    // 14685 weighted 5+, 2-, 5-, 5+, 2- gives 5 + 8 + 7 + 4 + 9 = 33; the
    // next ten is 7 away, and 5- makes 7 of 6 (6 x 5 = 30, less its 3 tens).
    QTest::newRow("5 digits, 14685") << "14685" << 6;
    // 1000 yen: 2- of 1 is 2, the zeros nothing; 2 x 3 = 6.
    QTest::newRow("1,000 yen") << "1000" << 6;
    // 01100: 2- of 1 is 2, 5- of 1 is 5; the sum 7 lacks 3 of ten, and 5- of
    // 5 is 25 less 2, 3.
    QTest::newRow("1,100 yen in 5 digits") << "01100" << 5;
    QTest::newRow("0000") << "0000" << 0;
    QTest::newRow("00000") << "00000" << 0;
    // 9999: 2- of 9 is 18 less 1, 7; 3 of 9 is 7; 5- of 9 is 45 less 4, 1:
    // 7 + 7 + 7 + 1 = 22, 66, check digit 6.
    QTest::newRow("9999") << "9999" << 6;
    QTest::newRow("3 digits") << "999" << -1;
    QTest::newRow("6 digits") << "100000" << -1;
    QTest::newRow("a letter") << "12a4" << -1;
    QTest::newRow("full-width digits") << QString::fromUtf16(u"１０００") << -1;
}

void TestPriceCheck::checkDigitOfPrice() {
    QFETCH(QString, price);
    QFETCH(int, check);
    QCOMPARE(symbol::PriceCheckDigit(price), check);
}

void TestPriceCheck::everySingleDigitMisreadIsCaught_data() {
    QTest::addColumn<int>("digits");
    QTest::newRow("4 digits") << 4;
    QTest::newRow("5 digits") << 5;
}

// What the check digit is for: a price read with one digit wrong never
// keeps its check digit, at every price of the field's length.
void TestPriceCheck::everySingleDigitMisreadIsCaught() {
    QFETCH(int, digits);
    int limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    int missed = 0;
    for (int value = 0; value < limit; ++value) {
        const QString price = QString::number(value).rightJustified(digits, u'0');
        const int check = symbol::PriceCheckDigit(price);
        for (int place = 0; place < digits; ++place)
            for (QChar other = u'0'; other <= u'9'; other = QChar(other.unicode() + 1)) {
                if (other == price[place])
                    continue;
                QString misread = price;
                misread[place] = other;
                missed += symbol::PriceCheckDigit(misread) == check;
            }
    }
    QCOMPARE(missed, 0);
}

QTEST_MAIN(TestPriceCheck)
#include "tst_pricecheck.moc"
