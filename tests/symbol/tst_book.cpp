// The book JAN's rules: ISBNs read, checked, turned from 10 digits into 13
// and hyphenated as real books print them; the lower symbol's code; and the
// fields that are refused. Expectations come from books and published
// examples, not from the agency's table the code keeps.

#include <QTest>

#include "symbol/book.h"

class TestBook : public QObject {
    Q_OBJECT

private slots:
    void publishedIsbnsAreHyphenatedAsPrinted_data();
    void publishedIsbnsAreHyphenatedAsPrinted();
    void isbn10BecomesItsIsbn13_data();
    void isbn10BecomesItsIsbn13();
    void lowerCodeOfPublishedBooks_data();
    void lowerCodeOfPublishedBooks();
    void textLineOfThePair_data();
    void textLineOfThePair();
    void badFieldsAreRefused_data();
    void badFieldsAreRefused();
};

void TestBook::publishedIsbnsAreHyphenatedAsPrinted_data() {
    QTest::addColumn<QString>("printed");
    // As printed in books, one for each length of registrant element in
    // group 4; typed without hyphens they must come back as printed.
    QTest::newRow("2-digit registrant: Iwanami Bunko's Kusamakura") << "978-4-00-310104-9";
    QTest::newRow("3-digit registrant: a robot programming book") << "978-4-274-22287-0";
    QTest::newRow("4-digit registrant: an algorithm dictionary") << "978-4-7741-9690-9";
    QTest::newRow("5-digit registrant: an O'Reilly Japan title") << "978-4-87311-138-4";
    QTest::newRow("5-digit registrant: a printer's example") << "978-4-86456-121-1";
    QTest::newRow("6-digit registrant: a Lambda Note title") << "978-4-908686-06-1";
    QTest::newRow("6-digit registrant: a 1990s publisher") << "978-4-938661-23-6";
    QTest::newRow("7-digit registrant: a university's report") << "978-4-9911317-3-8";
}

void TestBook::publishedIsbnsAreHyphenatedAsPrinted() {
    QFETCH(QString, printed);
    const QString digits = QString(printed).remove(u'-');
    const symbol::Isbn read = symbol::ReadIsbn(digits);
    QVERIFY2(read.refusal.isEmpty(), qPrintable(read.refusal));
    QCOMPARE(read.code, digits);
    QCOMPARE(read.hyphenated, printed);
    // Typed with its hyphens, or with spaces for them, or after "ISBN", it
    // keeps them.
    QCOMPARE(symbol::ReadIsbn(printed).hyphenated, printed);
    QCOMPARE(symbol::ReadIsbn(QString(printed).replace(u'-', u' ')).hyphenated, printed);
    QCOMPARE(symbol::ReadIsbn("ISBN" + printed).hyphenated, printed);
}

void TestBook::isbn10BecomesItsIsbn13_data() {
    QTest::addColumn<QString>("isbn10");
    QTest::addColumn<QString>("isbn13");
    QTest::addColumn<QString>("hyphenated");
    // Kusamakura's older printings carry ISBN4-00-310104-9 and the same
    // book's barcode 9784003101049.
    QTest::newRow("Kusamakura, with hyphens") << "4-00-310104-9"
                                              << "9784003101049"
                                              << "978-4-00-310104-9";
    QTest::newRow("Kusamakura, a hyphen too many at each end") << "-4-00-310104-9-"
                                                               << "9784003101049"
                                                               << "978-4-00-310104-9";
    QTest::newRow("Kusamakura, digits only") << "4003101049"
                                             << "9784003101049"
                                             << "978-4-00-310104-9";
    // The example of a database's ISBN type: 0-393-04002-X is 978-0-393-04002-9.
    QTest::newRow("check character X") << "0-393-04002-X"
                                       << "9780393040029"
                                       << "978-0-393-04002-9";
    QTest::newRow("check character x") << "039304002x"
                                       << "9780393040029" << QString();
    // The ISBN standard's own example, 0-306-40615-2.
    QTest::newRow("the standard's example") << "0-306-40615-2"
                                            << "9780306406157"
                                            << "978-0-306-40615-7";
    // A book of each check character, as its copies print it: the ISBN-10 of
    // the first printings and the ISBN-13 of the later ones. The nine
    // digits weighted 10 down to 2 leave a remainder r modulo 11; the check
    // character is (11 - r) mod 11, X for 10, so a remainder of 0 gives 0.
    // Knuth, The Art of Computer Programming 3, 2nd edition: 10·0 + 9·2 + 8·0 + 7·1 + 6·8 + 5·9 +
    // 4·6 + 3·8 + 2·5 = 176 = 16·11 + 0.
    QTest::newRow("check character 0") << "0-201-89685-0"
                                       << "9780201896855"
                                       << "978-0-201-89685-5";
    // Abelson and Sussman, Structure and Interpretation of Computer Programs, 2nd edition: 10·0 +
    // 9·2 + 8·6 + 7·2 + 6·5 + 5·1 + 4·0 + 3·8 + 2·7 = 153 = 13·11 + 10.
    QTest::newRow("check character 1") << "0-262-51087-1"
                                       << "9780262510875"
                                       << "978-0-262-51087-5";
    // Gamma et al., Design Patterns: 10·0 + 9·2 + 8·0 + 7·1 + 6·6 + 5·3 + 4·3 + 3·6 + 2·1 = 108 =
    // 9·11 + 9.
    QTest::newRow("check character 2") << "0-201-63361-2"
                                       << "9780201633610"
                                       << "978-0-201-63361-0";
    // Tanenbaum, Computer Networks, 4th edition: 10·0 + 9·1 + 8·3 + 7·0 + 6·6 + 5·6 + 4·1 + 3·0 +
    // 2·2 = 107 = 9·11 + 8.
    QTest::newRow("check character 3") << "0-13-066102-3"
                                       << "9780130661029"
                                       << "978-0-13-066102-9";
    // Knuth, The Art of Computer Programming 1, 3rd edition: 10·0 + 9·2 + 8·0 + 7·1 + 6·8 + 5·9 +
    // 4·6 + 3·8 + 2·3 = 172 = 15·11 + 7.
    QTest::newRow("check character 4") << "0-201-89683-4"
                                       << "9780201896831"
                                       << "978-0-201-89683-1";
    // Press et al., Numerical Recipes in C, 2nd edition: 10·0 + 9·5 + 8·2 + 7·1 + 6·4 + 5·3 + 4·1 +
    // 3·0 + 2·8 = 127 = 11·11 + 6.
    QTest::newRow("check character 5") << "0-521-43108-5"
                                       << "9780521431088"
                                       << "978-0-521-43108-8";
    // Meyers, Effective C++, 3rd edition: 10·0 + 9·3 + 8·2 + 7·1 + 6·3 + 5·3 + 4·4 + 3·8 + 2·7 =
    // 137 = 12·11 + 5.
    QTest::newRow("check character 6") << "0-321-33487-6"
                                       << "9780321334879"
                                       << "978-0-321-33487-9";
    // Hofstadter, Gödel, Escher, Bach: 10·0 + 9·4 + 8·6 + 7·5 + 6·0 + 5·2 + 4·6 + 3·5 + 2·6 = 180 =
    // 16·11 + 4.
    QTest::newRow("check character 7") << "0-465-02656-7"
                                       << "9780465026562"
                                       << "978-0-465-02656-2";
    // Kernighan and Ritchie, The C Programming Language, 2nd edition: 10·0 + 9·1 + 8·3 + 7·1 + 6·1
    // + 5·0 + 4·3 + 3·6 + 2·2 = 80 = 7·11 + 3.
    QTest::newRow("check character 8") << "0-13-110362-8"
                                       << "9780131103627"
                                       << "978-0-13-110362-7";
    // Brooks, The Mythical Man-Month, anniversary edition: 10·0 + 9·2 + 8·0 + 7·1 + 6·8 + 5·3 + 4·5
    // + 3·9 + 2·5 = 145 = 13·11 + 2.
    QTest::newRow("check character 9") << "0-201-83595-9"
                                       << "9780201835953"
                                       << "978-0-201-83595-3";
    // Hunt and Thomas, The Pragmatic Programmer: 10·0 + 9·2 + 8·0 + 7·1 + 6·6 + 5·1 + 4·6 + 3·2 +
    // 2·2 = 100 = 9·11 + 1.
    QTest::newRow("check character X") << "0-201-61622-X"
                                       << "9780201616224"
                                       << "978-0-201-61622-4";
}

void TestBook::isbn10BecomesItsIsbn13() {
    QFETCH(QString, isbn10);
    QFETCH(QString, isbn13);
    QFETCH(QString, hyphenated);
    const symbol::Isbn read = symbol::ReadIsbn(isbn10);
    QVERIFY2(read.refusal.isEmpty(), qPrintable(read.refusal));
    QCOMPARE(read.code, isbn13);
    QCOMPARE(read.hyphenated, hyphenated);
}

void TestBook::lowerCodeOfPublishedBooks_data() {
    QTest::addColumn<QString>("classification");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("lower");
    // Iwanami Bunko's Kusamakura (C0193) in three printings: its lower
    // symbol ends in 4007 at 400 yen, 4601 at 460 and 5004 at 500.
    QTest::newRow("Kusamakura at 400 yen") << "C0193"
                                           << "400"
                                           << "1920193004007";
    QTest::newRow("Kusamakura at 460 yen") << "C0193"
                                           << "460"
                                           << "1920193004601";
    QTest::newRow("Kusamakura at 500 yen") << "0193"
                                           << "500"
                                           << "1920193005004";
    // Above 99,999 yen the price is coded 00000, as for a free price; the
    // check digits computed by hand.
    QTest::newRow("100000 yen") << "C3055"
                                << "100000"
                                << "1923055000001";
    QTest::newRow("99999 yen") << "C3055"
                               << "99999"
                               << "1923055999992";
    QTest::newRow("1234567 yen") << "C0095"
                                 << "1234567"
                                 << "1920095000008";
    QTest::newRow("0 yen") << "C0095"
                           << "0"
                           << "1920095000008";
    QTest::newRow("leading zeros") << "c0095"
                                   << "001500"
                                   << "1920095015002";
}

void TestBook::lowerCodeOfPublishedBooks() {
    QFETCH(QString, classification);
    QFETCH(QString, price);
    QFETCH(QString, lower);
    const symbol::BookCode book = symbol::ReadBookCode("978-4-00-310104-9", classification, price);
    QVERIFY2(book.refusal.isEmpty(), qPrintable(book.refusal));
    QCOMPARE(book.lower, lower);
}

void TestBook::textLineOfThePair_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    // Kusamakura's cover: "ISBN4-00-310104-9", then the C code and "¥400E".
    QTest::newRow("Kusamakura, its ISBN-10 on the cover")
        << QStringList{"ISBN4-00-310104-9", "C0193", "400"}
        << QString::fromUtf8("ISBN978-4-00-310104-9 C0193 ¥400E");
    QTest::newRow("price above 99,999 yen shown as it is")
        << QStringList{"9784774196909", "C3055", "120000"}
        << QString::fromUtf8("ISBN978-4-7741-9690-9 C3055 ¥120000E");
    QTest::newRow("another group's ISBN without hyphens")
        << QStringList{"9780306406157", "C0098", "2000"}
        << QString::fromUtf8("ISBN9780306406157 C0098 ¥2000E");
}

void TestBook::textLineOfThePair() {
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    const symbol::BookCode book = symbol::ReadBookCode(fields[0], fields[1], fields[2]);
    QVERIFY2(book.refusal.isEmpty(), qPrintable(book.refusal));
    QCOMPARE(book.text, text);
    // The text carries the pair: read back, it gives the same two codes.
    const symbol::BookCode again = symbol::BookCodeOfText(book.text);
    QCOMPARE(again.isbn, book.isbn);
    QCOMPARE(again.lower, book.lower);
}

void TestBook::badFieldsAreRefused_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("mention");
    const QString c = "C0095", price = "1500";
    QTest::newRow("12 digits") << QStringList{"978400310104", c, price} << "12 digits";
    QTest::newRow("9 digits") << QStringList{"400310104", c, price} << "9 digits";
    QTest::newRow("14 digits") << QStringList{"97840031010490", c, price} << "14 digits";
    QTest::newRow("ISBN-13 check digit")
        << QStringList{"978-4-00-310104-8", c, price} << "must be 9";
    QTest::newRow("ISBN-10 check digit")
        << QStringList{"4-00-310104-8", c, price} << "ends in 9, not 8";
    QTest::newRow("ISBN-10 needing X typed with 0")
        << QStringList{"0-393-04002-0", c, price} << "ends in X, not 0";
    QTest::newRow("X inside") << QStringList{"40031X1049", c, price} << "'X' is not a digit";
    QTest::newRow("X ending 13 digits")
        << QStringList{"978400310104X", c, price} << "'X' is not a digit";
    QTest::newRow("not 978 or 979") << QStringList{"9774003101049", c, price} << "not 977";
    QTest::newRow("classification of 3 digits")
        << QStringList{"9784003101049", "C095", price} << "four digits";
    QTest::newRow("classification of 5 digits")
        << QStringList{"9784003101049", "C00950", price} << "four digits";
    QTest::newRow("classification with a letter")
        << QStringList{"9784003101049", "C00A5", price} << "four digits";
    QTest::newRow("classification empty")
        << QStringList{"9784003101049", "", price} << "four digits";
    QTest::newRow("negative price") << QStringList{"9784003101049", c, "-1500"} << "0 yen or more";
    QTest::newRow("price with a comma")
        << QStringList{"9784003101049", c, "1,500"} << "digits 0-9 only";
    QTest::newRow("price in words") << QStringList{"9784003101049", c, "free"} << "digits 0-9 only";
    QTest::newRow("price empty") << QStringList{"9784003101049", c, ""} << "digits 0-9 only";
    QTest::newRow("price with decimals")
        << QStringList{"9784003101049", c, "1500.5"} << "digits 0-9 only";
}

void TestBook::badFieldsAreRefused() {
    QFETCH(QStringList, fields);
    QFETCH(QString, mention);
    const symbol::BookCode book = symbol::ReadBookCode(fields[0], fields[1], fields[2]);
    QVERIFY2(book.refusal.contains(mention), qPrintable(book.refusal));
    QVERIFY(book.text.isEmpty());
    QVERIFY(book.isbn.isEmpty());
}

QTEST_MAIN(TestBook)
#include "tst_book.moc"
