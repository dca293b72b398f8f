// The other symbols of the family, compared whole with symbols made outside
// this program.

#include <QTest>

#include "symbol/code.h"
#include "symbol/family.h"

using symbol::Symbology;

class TestFamily : public QObject {
    Q_OBJECT

private slots:
    void patternMatchesAnIndependentEncoder_data();
    void patternMatchesAnIndependentEncoder();
    void addonMatchesAnIndependentEncoder_data();
    void addonMatchesAnIndependentEncoder();
    void checkDigitOfPublishedCodes_data();
    void checkDigitOfPublishedCodes();
    void upcEStandsForItsUpcA_data();
    void upcEStandsForItsUpcA();
    void longBarsAreTheGuardsAndUpcAsOuterCharacters_data();
    void longBarsAreTheGuardsAndUpcAsOuterCharacters();
};

void TestFamily::patternMatchesAnIndependentEncoder_data() {
    QTest::addColumn<Symbology>("symbology");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("modules");

    // clang-format off
    // Bars (1) and spaces (0) as dumped by zint 2.11 (-b EANX for the short
    // JAN, -b UPCA), one code for each leading digit; 96385074 and
    // 036000291452 are also the examples most often published.
    QTest::newRow("01234565") << Symbology::Jan8 << "01234565"
        << "1010001101001100100100110111101010101011100100111010100001001110101";
    QTest::newRow("12345670") << Symbology::Jan8 << "12345670"
        << "1010011001001001101111010100011010101001110101000010001001110010101";
    QTest::newRow("23456785") << Symbology::Jan8 << "23456785"
        << "1010010011011110101000110110001010101010000100010010010001001110101";
    QTest::newRow("34567890") << Symbology::Jan8 << "34567890"
        << "1010111101010001101100010101111010101000100100100011101001110010101";
    QTest::newRow("45123450") << Symbology::Jan8 << "45123450"
        << "1010100011011000100110010010011010101000010101110010011101110010101";
    QTest::newRow("49012347") << Symbology::Jan8 << "49012347"
        << "1010100011000101100011010011001010101101100100001010111001000100101";
    QTest::newRow("56789010") << Symbology::Jan8 << "56789010"
        << "1010110001010111101110110110111010101110100111001011001101110010101";
    QTest::newRow("67890125") << Symbology::Jan8 << "67890125"
        << "1010101111011101101101110001011010101110010110011011011001001110101";
    QTest::newRow("78901230") << Symbology::Jan8 << "78901230"
        << "1010111011011011100010110001101010101100110110110010000101110010101";
    QTest::newRow("89012345") << Symbology::Jan8 << "89012345"
        << "1010110111000101100011010011001010101101100100001010111001001110101";
    QTest::newRow("96385074") << Symbology::Jan8 << "96385074"
        << "1010001011010111101111010110111010101001110111001010001001011100101";
    QTest::newRow("036000291452") << Symbology::UpcA << "036000291452"
        << "10100011010111101010111100011010001101000110101010110110011101001100110101110010011101101100101";
    QTest::newRow("123456789012") << Symbology::UpcA << "123456789012"
        << "10100110010010011011110101000110110001010111101010100010010010001110100111001011001101101100101";
    QTest::newRow("212345678909") << Symbology::UpcA << "212345678909"
        << "10100100110011001001001101111010100011011000101010101000010001001001000111010011100101110100101";
    QTest::newRow("312345678906") << Symbology::UpcA << "312345678906"
        << "10101111010011001001001101111010100011011000101010101000010001001001000111010011100101010000101";
    QTest::newRow("412345678903") << Symbology::UpcA << "412345678903"
        << "10101000110011001001001101111010100011011000101010101000010001001001000111010011100101000010101";
    QTest::newRow("512345678900") << Symbology::UpcA << "512345678900"
        << "10101100010011001001001101111010100011011000101010101000010001001001000111010011100101110010101";
    QTest::newRow("612345678907") << Symbology::UpcA << "612345678907"
        << "10101011110011001001001101111010100011011000101010101000010001001001000111010011100101000100101";
    QTest::newRow("712345678904") << Symbology::UpcA << "712345678904"
        << "10101110110011001001001101111010100011011000101010101000010001001001000111010011100101011100101";
    QTest::newRow("812345678901") << Symbology::UpcA << "812345678901"
        << "10101101110011001001001101111010100011011000101010101000010001001001000111010011100101100110101";
    QTest::newRow("912345678908") << Symbology::UpcA << "912345678908"
        << "10100010110011001001001101111010100011011000101010101000010001001001000111010011100101001000101";
    // UPC-E (-b UPCE): number systems 0 and 1 with each last digit 0 to 9,
    // that is each of the four suppression rules; zint took exactly these
    // check digits and refused the other nine of each.
    QTest::newRow("UPC-E 01234505") << Symbology::UpcE << "01234505"
        << "101011001100100110111101001110101110010001101010101";
    QTest::newRow("UPC-E 11234502") << Symbology::UpcE << "11234502"
        << "101001100100100110100001001110101100010100111010101";
    QTest::newRow("UPC-E 06543217") << Symbology::UpcE << "06543217"
        << "101000010101100010011101011110100110110011001010101";
    QTest::newRow("UPC-E 16543214") << Symbology::UpcE << "16543214"
        << "101010111101110010100011011110100110110110011010101";
    QTest::newRow("UPC-E 09876523") << Symbology::UpcE << "09876523"
        << "101001011100010010111011010111101100010011011010101";
    QTest::newRow("UPC-E 19876520") << Symbology::UpcE << "19876520"
        << "101000101101101110111011000010101110010011011010101";
    QTest::newRow("UPC-E 01234531") << Symbology::UpcE << "01234531"
        << "101011001100110110111101001110101100010111101010101";
    QTest::newRow("UPC-E 11234538") << Symbology::UpcE << "11234538"
        << "101001100100110110111101001110101110010111101010101";
    QTest::newRow("UPC-E 05598732") << Symbology::UpcE << "05598732"
        << "101011100101110010001011011011100100010111101010101";
    QTest::newRow("UPC-E 15598739") << Symbology::UpcE << "15598739"
        << "101011000101110010010111011011100100010111101010101";
    QTest::newRow("UPC-E 01234543") << Symbology::UpcE << "01234543"
        << "101011001100110110111101010001101100010011101010101";
    QTest::newRow("UPC-E 11234540") << Symbology::UpcE << "11234540"
        << "101001100100100110111101001110101110010011101010101";
    QTest::newRow("UPC-E 09876042") << Symbology::UpcE << "09876042"
        << "101001011100010010111011010111101001110100011010101";
    QTest::newRow("UPC-E 19876049") << Symbology::UpcE << "19876049"
        << "101000101100010010010001010111101001110100011010101";
    QTest::newRow("UPC-E 01234558") << Symbology::UpcE << "01234558"
        << "101011001100100110100001010001101100010111001010101";
    QTest::newRow("UPC-E 11234555") << Symbology::UpcE << "11234555"
        << "101001100100110110100001010001101100010111001010101";
    QTest::newRow("UPC-E 00000161") << Symbology::UpcE << "00000161"
        << "101010011101001110001101010011100110010101111010101";
    QTest::newRow("UPC-E 10000168") << Symbology::UpcE << "10000168"
        << "101000110101001110001101010011101100110101111010101";
    QTest::newRow("UPC-E 04242475") << Symbology::UpcE << "04242475"
        << "101001110100100110100011001101100111010111011010101";
    QTest::newRow("UPC-E 14242472") << Symbology::UpcE << "14242472"
        << "101010001100100110011101001101101000110010001010101";
    QTest::newRow("UPC-E 08080882") << Symbology::UpcE << "08080882"
        << "101000100101001110110111000110100010010110111010101";
    QTest::newRow("UPC-E 18080889") << Symbology::UpcE << "18080889"
        << "101011011101001110001001000110100010010110111010101";
    QTest::newRow("UPC-E 09999992") << Symbology::UpcE << "09999992"
        << "101001011100101110001011000101100101110001011010101";
    QTest::newRow("UPC-E 19999999") << Symbology::UpcE << "19999999"
        << "101000101100101110010111000101100101110001011010101";
    QTest::newRow("UPC-E 01000009") << Symbology::UpcE << "01000009"
        << "101011001100011010001101010011100011010100111010101";
    QTest::newRow("UPC-E 11000006") << Symbology::UpcE << "11000006"
        << "101001100101001110100111010011100011010001101010101";
    QTest::newRow("UPC-E 00001018") << Symbology::UpcE << "00001018"
        << "101010011100011010100111001100100011010110011010101";
    QTest::newRow("UPC-E 10001015") << Symbology::UpcE << "10001015"
        << "101000110101001110100111001100100011010110011010101";
    // clang-format on
}

void TestFamily::patternMatchesAnIndependentEncoder() {
    QFETCH(Symbology, symbology);
    QFETCH(QString, code);
    QFETCH(QString, modules);
    QString pattern = symbol::FamilyPattern(symbology, code);
    QCOMPARE(pattern.size(), symbol::ModuleCount(symbology));
    QCOMPARE(pattern.replace(u'2', u'1'), modules);
}

void TestFamily::addonMatchesAnIndependentEncoder_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("modules");

    // clang-format off
    // The add-on as zint dumps it after a 13-digit symbol (-d CODE+ADDON): for
    // two digits every value modulo 4, for five digits every check value.
    QTest::newRow("00") << "00" << "10110001101010001101";
    QTest::newRow("01") << "01" << "10110001101010110011";
    QTest::newRow("02") << "02" << "10110100111010010011";
    QTest::newRow("03") << "03" << "10110100111010100001";
    QTest::newRow("12") << "12" << "10110011001010010011";
    QTest::newRow("45") << "45" << "10110100011010111001";
    QTest::newRow("99") << "99" << "10110010111010010111";
    QTest::newRow("86") << "86" << "10110001001010101111";
    QTest::newRow("00000") << "00000" << "10110100111010100111010001101010001101010001101";
    QTest::newRow("10000") << "10000" << "10110110011010001101010001101010001101010100111";
    QTest::newRow("20000") << "20000" << "10110010011010001101010001101010100111010100111";
    QTest::newRow("30000") << "30000" << "10110111101010001101010100111010001101010100111";
    QTest::newRow("40000") << "40000" << "10110011101010001101010001101010100111010001101";
    QTest::newRow("50000") << "50000" << "10110110001010001101010100111010100111010001101";
    QTest::newRow("60000") << "60000" << "10110101111010100111010001101010001101010100111";
    QTest::newRow("70000") << "70000" << "10110010001010001101010100111010001101010001101";
    QTest::newRow("80000") << "80000" << "10110110111010100111010100111010001101010001101";
    QTest::newRow("90000") << "90000" << "10110001011010100111010001101010100111010001101";
    QTest::newRow("12345") << "12345" << "10110110011010010011010100001010100011010110001";
    QTest::newRow("52495") << "52495" << "10110111001010010011010011101010001011010110001";
    QTest::newRow("24680") << "24680" << "10110011011010100011010101111010001001010001101";
    // clang-format on
}

void TestFamily::addonMatchesAnIndependentEncoder() {
    QFETCH(QString, digits);
    QFETCH(QString, modules);
    QCOMPARE(symbol::AddonPattern(digits), modules);
}

void TestFamily::checkDigitOfPublishedCodes_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("check");
    QTest::newRow("JAN 4901234567894") << "490123456789" << 4;
    QTest::newRow("short JAN 49123456") << "4912345" << 6;
    QTest::newRow("EAN-8 96385074") << "9638507" << 4;
    QTest::newRow("UPC-A 036000291452") << "03600029145" << 2;
    QTest::newRow("UPC-A 012345678905") << "01234567890" << 5;
}

void TestFamily::checkDigitOfPublishedCodes() {
    QFETCH(QString, data);
    QFETCH(int, check);
    QCOMPARE(symbol::CheckDigitOf(data), check);
}

void TestFamily::upcEStandsForItsUpcA_data() {
    QTest::addColumn<QString>("upce");
    QTest::addColumn<QString>("upca");
    // The 7 UPC-E digits and the UPC-A's 11. Number system 0: as zbar reads
    // zint's UPC-E symbols, which it reports as their UPC-A (04252614 and
    // 01234565 are the examples most often published). Number system 1,
    // which zbar does not read: written out by hand from the four rules.
    QTest::newRow("rule 0-2, 0425261") << "0425261"
                                       << "04210000526";
    QTest::newRow("rule 0-2, 0123450") << "0123450"
                                       << "01200000345";
    QTest::newRow("rule 0-2, 1987652") << "1987652"
                                       << "19820000765";
    QTest::newRow("rule 3, 0123453") << "0123453"
                                     << "01230000045";
    QTest::newRow("rule 4, 0123454") << "0123454"
                                     << "01234000005";
    QTest::newRow("rule 5-9, 0123456") << "0123456"
                                       << "01234500006";
    QTest::newRow("rule 5-9, 1999999") << "1999999"
                                       << "19999900009";
}

void TestFamily::upcEStandsForItsUpcA() {
    QFETCH(QString, upce);
    QFETCH(QString, upca);
    QCOMPARE(symbol::UpcAOfUpcE(upce), upca);
    QCOMPARE(symbol::SuppressedUpcA(upca), upce);
    // Another item number under the same maker has no UPC-E.
    QString bigger = upca;
    bigger[6] = u'1';
    QCOMPARE(symbol::SuppressedUpcA(bigger), QString());
}

void TestFamily::longBarsAreTheGuardsAndUpcAsOuterCharacters_data() {
    QTest::addColumn<Symbology>("symbology");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("longModules");
    QTest::newRow("short JAN") << Symbology::Jan8 << "49123456"
                               << "101 01010 101";
    // UPC-A: the guards and the seven modules each of its first and last
    // digits.
    QTest::newRow("UPC-A") << Symbology::UpcA << "036000291452"
                           << "1010001101 01010 1101100101";
}

void TestFamily::longBarsAreTheGuardsAndUpcAsOuterCharacters() {
    QFETCH(Symbology, symbology);
    QFETCH(QString, code);
    QFETCH(QString, longModules);
    const QString pattern = symbol::FamilyPattern(symbology, code);
    QString longPart;
    const int n = symbol::ModuleCount(symbology);
    const int side = symbology == Symbology::UpcA ? 10 : 3;
    const int centre = (n - 5) / 2;
    for (auto [from, count] : {std::pair{0, side}, {centre, 5}, {n - side, side}}) {
        if (!longPart.isEmpty())
            longPart += u' ';
        longPart += pattern.mid(from, count).replace(u'2', u'1');
        QVERIFY2(!pattern.mid(from, count).contains(u'1'), "a long part holds a normal bar");
    }
    QCOMPARE(longPart, longModules);
    const QString normal =
        pattern.mid(side, centre - side) + pattern.mid(centre + 5, n - side - centre - 5);
    QVERIFY2(!normal.contains(u'2'), "a data character holds a long bar");
}

QTEST_GUILESS_MAIN(TestFamily)
#include "tst_family.moc"
