// The module pattern, compared whole with symbols made outside this program.

#include <QTest>

#include "symbol/code.h"
#include "symbol/pattern.h"

class TestPattern : public QObject {
    Q_OBJECT

private slots:
    void patternMatchesAnIndependentEncoder_data();
    void patternMatchesAnIndependentEncoder();
    void guardsAreLongAndDataBarsNormal_data();
    void guardsAreLongAndDataBarsNormal();
    void everyCodeGivesNinetyFiveModules_data();
    void everyCodeGivesNinetyFiveModules();
    void tableHoldsExactlyItsFortyOneIds();
};

void TestPattern::patternMatchesAnIndependentEncoder_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("modules");

    // clang-format off
    // Bars (1) and spaces (0) as dumped by zint (zint -b EANX --dump), one
    // code for each leading digit.
    QTest::newRow("leading 0") << "0012345678905"
        << "10100011010011001001001101111010100011011000101010101000010001001001000111010011100101001110101";
    QTest::newRow("leading 1") << "1234567890128"
        << "10100100110111101001110101100010000101001000101010100100011101001110010110011011011001001000101";
    QTest::newRow("leading 2") << "2112345678900"
        << "10100110010011001001101101000010100011011100101010101000010001001001000111010011100101110010101";
    QTest::newRow("leading 3") << "3017620422003"
        << "10100011010011001001000100001010011011000110101010101110011011001101100111001011100101000010101";
    QTest::newRow("leading 4") << "4901234567894"
        << "10100010110100111001100100100110100001001110101010100111010100001000100100100011101001011100101";
    QTest::newRow("leading 5") << "5000112637922"
        << "10100011010100111010011100110010011001001101101010101000010000101000100111010011011001101100101";
    QTest::newRow("leading 6") << "6901234567892"
        << "10100010110100111011001100110110111101010001101010100111010100001000100100100011101001101100101";
    QTest::newRow("leading 7") << "7622210449283"
        << "10101011110011011001001100110110011001010011101010101110010111001110100110110010010001000010101";
    QTest::newRow("leading 8") << "8711000003053"
        << "10101110110110011001100101001110100111000110101010111001011100101000010111001010011101000010101";
    QTest::newRow("leading 9") << "9780306406157"
        << "10101110110001001010011101111010100111010111101010101110011100101010000110011010011101000100101";
    // clang-format on
}

void TestPattern::patternMatchesAnIndependentEncoder() {
    QFETCH(QString, code);
    QFETCH(QString, modules);
    QString bars = symbol::BuildPattern(code);
    QCOMPARE(bars.replace(u'2', u'1'), modules);
}

void TestPattern::guardsAreLongAndDataBarsNormal_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("pattern");

    // clang-format off
    QTest::newRow("4901234567894") << "4901234567894"
                                   << "20200010110100111001100100100110100001001110102020100111010100001000100100100011101001011100202";
    QTest::newRow("all zeros") << "0000000000000"
                               << "20200011010001101000110100011010001101000110102020111001011100101110010111001011100101110010202";
    // A minus sign in position 12 is encoded as the digit 0 of set 3 ("1110010").
    QTest::newRow("minus sign") << "00000000000-0"
                                << "20200011010001101000110100011010001101000110102020111001011100101110010111001011100101110010202";
    // clang-format on
}

void TestPattern::guardsAreLongAndDataBarsNormal() {
    QFETCH(QString, code);
    QFETCH(QString, pattern);
    QCOMPARE(symbol::BuildPattern(code), pattern);
}

void TestPattern::everyCodeGivesNinetyFiveModules_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << "";
    QTest::newRow("short") << "49";
    QTest::newRow("letters") << "ABCDEFGHIJKLM";
    QTest::newRow("longer than 13") << "49012345678941234";
    QTest::newRow("non-Latin") << QString::fromUtf16(u"４９０１２３４５６７８９４");
}

void TestPattern::everyCodeGivesNinetyFiveModules() {
    QFETCH(QString, code);
    const QString pattern = symbol::BuildPattern(code);
    QCOMPARE(pattern.size(), 95);
    QCOMPARE(pattern.left(3), "202");
    QCOMPARE(pattern.mid(45, 5), "02020");
    QCOMPARE(pattern.right(3), "202");
    for (QChar module : pattern.mid(3, 42) + pattern.mid(50, 42))
        QVERIFY(module == u'0' || module == u'1');
}

void TestPattern::tableHoldsExactlyItsFortyOneIds() {
    int present = 0;
    for (int id = -5; id <= 400; ++id) {
        const QString entry = symbol::SymbolTable(id);
        if (entry.isEmpty())
            continue;
        ++present;
        const bool parityRow = id <= 10;
        QCOMPARE(entry.size(), parityRow ? 6 : 7);
    }
    QCOMPARE(present, 41);
}

QTEST_GUILESS_MAIN(TestPattern)
#include "tst_pattern.moc"
