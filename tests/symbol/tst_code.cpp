// How the texts of the boxes become the 13-character code and its check digit.

#include <QTest>

#include "symbol/code.h"

class TestCode : public QObject {
    Q_OBJECT

private slots:
    void numericTextReadsTheLeadingNumber_data();
    void numericTextReadsTheLeadingNumber();
    void numericTextStaysSmallOnHugeInput_data();
    void numericTextStaysSmallOnHugeInput();
    void composeCodePadsDropsAndShifts_data();
    void composeCodePadsDropsAndShifts();
    void checkDigitWeighsOneAndThree_data();
    void checkDigitWeighsOneAndThree();
    void digitSwapsAreEveryNeighbourSwapThatChecks_data();
    void digitSwapsAreEveryNeighbourSwapThatChecks();
};

void TestCode::numericTextReadsTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("plain digits") << "490123456789"
                                  << "490123456789";
    QTest::newRow("leading zeros dropped") << "0012"
                                           << "12";
    QTest::newRow("trailing letters stop the reading") << "12ab"
                                                       << "12";
    QTest::newRow("leading letters give zero") << "ab12"
                                               << "0";
    QTest::newRow("blanks anywhere ignored") << " 1 2 "
                                             << "12";
    QTest::newRow("tabs and line feeds ignored") << "\t1\n2"
                                                 << "12";
    QTest::newRow("carriage return is not a blank") << "1\r2"
                                                    << "1";
    QTest::newRow("decimal rounds down") << "12.9"
                                         << "12";
    QTest::newRow("negative rounds towards minus infinity") << "-1.5"
                                                            << "-2";
    QTest::newRow("negative whole") << "-5"
                                    << "-5";
    QTest::newRow("plus sign") << "+7"
                               << "7";
    QTest::newRow("negative zero") << "-0"
                                   << "0";
    QTest::newRow("small negative fraction") << "-0.5"
                                             << "-1";
    QTest::newRow("fraction without whole part") << ".5"
                                                 << "0";
    QTest::newRow("point without fraction") << "5."
                                            << "5";
    QTest::newRow("lone point") << "."
                                << "0";
    QTest::newRow("lone sign") << "-"
                               << "0";
    QTest::newRow("sign after blank and digits") << " - 3"
                                                 << "-3";
    QTest::newRow("no group separators") << "1,234"
                                         << "1";
    QTest::newRow("full-width digits are not digits") << QString::fromUtf16(u"１２") << "0";
    QTest::newRow("exponent E") << "1E3"
                                << "1000";
    QTest::newRow("exponent e") << "1e3"
                                << "1000";
    QTest::newRow("exponent D with sign") << "2d+2"
                                          << "200";
    QTest::newRow("negative exponent") << "15E-1"
                                       << "1";
    QTest::newRow("exponent letter without digits") << "1E"
                                                    << "1";
    QTest::newRow("exponent sign without digits") << "1E+"
                                                  << "1";
    QTest::newRow("exponent then garbage") << "1E2x"
                                           << "100";
    QTest::newRow("exponent with blanks") << "1 E 2"
                                          << "100";
    QTest::newRow("large value in plain decimal") << "1E20"
                                                  << "100000000000000000000";
    QTest::newRow("held as a double") << "9007199254740993"
                                      << "9007199254740992";
    QTest::newRow("twenty digits as the double's exact value") << "12345678901234567890"
                                                               << "12345678901234567168";
    QTest::newRow("overflow reads as zero") << "1E999"
                                            << "0";
    QTest::newRow("negative overflow reads as zero") << "-1E999"
                                                     << "0";
    QTest::newRow("hexadecimal") << "&H1F"
                                 << "31";
    QTest::newRow("hexadecimal lower case") << "&h1f"
                                            << "31";
    QTest::newRow("hexadecimal has no 16-bit wrap") << "&HFFFF"
                                                    << "65535";
    QTest::newRow("hexadecimal beyond 32 bits") << "&H100000000"
                                                << "4294967296";
    QTest::newRow("octal") << "&O17"
                           << "15";
    QTest::newRow("octal lower case") << "&o17"
                                      << "15";
    QTest::newRow("octal stops at 8") << "&O178"
                                      << "15";
    QTest::newRow("prefix without digits") << "&H"
                                           << "0";
    QTest::newRow("prefix with foreign digit") << "&O8"
                                               << "0";
    QTest::newRow("ampersand without prefix") << "&12"
                                              << "0";
    QTest::newRow("no sign before a prefix") << "-&H10"
                                             << "0";
    QTest::newRow("prefix with blanks") << "& H 1 0"
                                        << "16";
}

void TestCode::numericTextReadsTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(symbol::NumericText(text), expected);
}

void TestCode::numericTextStaysSmallOnHugeInput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const qsizetype megabyte = 1 << 20;
    QTest::newRow("a megabyte of digits overflows") << QString(megabyte, u'9') << "0";
    QTest::newRow("a megabyte of blanks") << QString(megabyte, u' ') << "0";
    QTest::newRow("blanks around a number") << QString(megabyte, u' ') + "42"
                                            << "42";
    QTest::newRow("a megabyte of hexadecimal digits") << "&H" + QString(megabyte, u'F') << "0";
    QTest::newRow("a long fraction") << "7." + QString(megabyte, u'4') << "7";
    QTest::newRow("a long exponent") << "1E" + QString(megabyte, u'0') + "2"
                                     << "100";
    QTest::newRow("a long zero mantissa") << QString(megabyte, u'0') + "1"
                                          << "1";
}

void TestCode::numericTextStaysSmallOnHugeInput() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(symbol::NumericText(text), expected);
}

void TestCode::composeCodePadsDropsAndShifts_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("code");

    QTest::newRow("twelve digits, empty check") << "490123456789"
                                                << ""
                                                << "4901234567890";
    QTest::newRow("twelve digits, check 0") << "490123456789"
                                            << "0"
                                            << "4901234567890";
    QTest::newRow("both empty") << ""
                                << ""
                                << "0000000000000";
    QTest::newRow("short data padded") << "12"
                                       << "3"
                                       << "0000000000123";
    QTest::newRow("typed zeros dropped and restored") << "0012"
                                                      << "3"
                                                      << "0000000000123";
    QTest::newRow("minus sign kept") << "-5"
                                     << "0"
                                     << "0000000000-50";
    QTest::newRow("two-character check shifts left") << "490123456789"
                                                     << "12"
                                                     << "9012345678912";
    QTest::newRow("long data loses its head") << "4901234567890123"
                                              << ""
                                              << "2345678901230";
    QTest::newRow("letters read as nothing") << "abc"
                                             << "x"
                                             << "0000000000000";
    QTest::newRow("large exponent") << "1E20"
                                    << ""
                                    << "0000000000000";
}

void TestCode::composeCodePadsDropsAndShifts() {
    QFETCH(QString, data);
    QFETCH(QString, check);
    QFETCH(QString, code);
    QCOMPARE(symbol::ComposeCode(data, check), code);
}

void TestCode::checkDigitWeighsOneAndThree_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("digit");

    // Published codes with their printed check digits in position 13.
    QTest::newRow("4901234567894") << "4901234567894" << 4;
    QTest::newRow("9780306406157") << "9780306406157" << 7;
    QTest::newRow("3017620422003") << "3017620422003" << 3;
    QTest::newRow("0012345678905") << "0012345678905" << 5;
    QTest::newRow("position 13 is ignored") << "4901234567890" << 4;
    QTest::newRow("all zeros") << "0000000000000" << 0;
    QTest::newRow("minus sign counts as 0") << "0000000000-50" << 5;
    QTest::newRow("short code padded with zeros") << "12" << 3;
    QTest::newRow("letters count as 0") << "49012345678ab" << 1;
}

void TestCode::checkDigitWeighsOneAndThree() {
    QFETCH(QString, code);
    QFETCH(int, digit);
    QCOMPARE(symbol::CheckDigit(code), digit);
}

void TestCode::digitSwapsAreEveryNeighbourSwapThatChecks_data() {
    // Each swap written out as "code@first position", worked by hand from
    // the weights 3 and 1: every one that checks, and no other.
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("swaps");
    QTest::newRow("JAN with its first digits swapped")
        << "4091234567894" << QStringList{"0491234567894@1", "4901234567894@2", "4091324567894@5",
                                          "4091235467894@7", "4091234576894@9", "4091234567984@11"};
    QTest::newRow("JAN with its check digit swapped in")
        << "4901234567849" << QStringList{"9401234567849@1", "4901234567894@12"};
    QTest::newRow("short JAN") << "96385047"
                               << QStringList{"93685047@2", "96358047@4", "96385074@7"};
    QTest::newRow("UPC-A") << "036000291425"
                           << QStringList{"306000291425@1", "036002091425@6", "036000219425@8",
                                          "036000294125@9", "036000291452@11"};
    // Swapping the minus sign with the 7 would check too.
    QTest::newRow("a minus sign is never swapped")
        << "0000000007-10" << QStringList{"0000000070-10@9"};
}

void TestCode::digitSwapsAreEveryNeighbourSwapThatChecks() {
    QFETCH(QString, code);
    QFETCH(QStringList, swaps);
    QStringList found;
    for (const symbol::DigitSwap& swap : symbol::ValidDigitSwaps(code))
        found << QStringLiteral("%1@%2").arg(swap.code).arg(swap.first);
    QCOMPARE(found, swaps);
}

QTEST_GUILESS_MAIN(TestCode)
#include "tst_code.moc"
