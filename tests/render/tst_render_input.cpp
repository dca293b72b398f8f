// What stripewell-render makes of its command line: the options it reads,
// and the combinations it refuses with the reason.

#include <QTest>

#include "options.h"

class TestRenderInput : public QObject {
    Q_OBJECT

private slots:
    void commandLineIsRead_data();
    void commandLineIsRead();
    void commandLineIsRefused_data();
    void commandLineIsRefused();
    void tagPriceIsRead_data();
    void tagPriceIsRead();
};

void TestRenderInput::commandLineIsRead_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("magnification");
    const int bmp = int(render::Format::Bmp), png = int(render::Format::Png),
              svg = int(render::Format::Svg);
    QTest::newRow("bmp by extension")
        << QStringList{"490123456789", "-o", "a.bmp"} << bmp << 1 << 100;
    QTest::newRow("extension in capitals")
        << QStringList{"490123456789", "-o", "A.PNG"} << png << 1 << 100;
    QTest::newRow("--format over the extension")
        << QStringList{"490123456789", "-o", "a.img", "--format", "svg"} << svg << 1 << 100;
    QTest::newRow("scale 20") << QStringList{"490123456789", "-o", "a.png", "--scale", "20"} << png
                              << 20 << 100;
    QTest::newRow("magnification 80")
        << QStringList{"490123456789", "--output=a.svg", "--magnification", "80"} << svg << 1 << 80;
    QTest::newRow("batch defaults to bmp")
        << QStringList{"--batch", "list.csv", "--out-dir", "out"} << bmp << 1 << 100;
    QTest::newRow("a symbol's other name in capitals")
        << QStringList{"4912345", "-o", "a.svg", "--symbol", "EAN8"} << svg << 1 << 100;
}

void TestRenderInput::commandLineIsRead() {
    QFETCH(QStringList, arguments);
    QFETCH(int, format);
    QFETCH(int, scale);
    QFETCH(int, magnification);
    const render::ParsedCommandLine parsed = render::ParseCommandLine(arguments);
    QCOMPARE(parsed.error, QString());
    QCOMPARE(int(parsed.options.output.format), format);
    QCOMPARE(parsed.options.output.scale, scale);
    QCOMPARE(parsed.options.output.magnification, magnification);
}

void TestRenderInput::commandLineIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mention");
    const QStringList png = {"490123456789", "-o", "a.png"};
    QTest::newRow("scale 0") << png + QStringList{"--scale", "0"} << "1 to 20";
    QTest::newRow("scale not a number") << png + QStringList{"--scale", "x"} << "'x'";
    QTest::newRow("magnification 79")
        << QStringList{"1", "-o", "a.svg", "--magnification", "79"} << "80 to 200";
    QTest::newRow("scale for svg")
        << QStringList{"1", "-o", "a.svg", "--scale", "2"} << "--magnification";
    QTest::newRow("magnification for png")
        << png + QStringList{"--magnification", "120"} << "--scale";
    QTest::newRow("no -o") << QStringList{"490123456789"} << "-o FILE";
    QTest::newRow("no digits") << QStringList{"-o", "a.bmp"} << "digits are missing";
    QTest::newRow("unknown extension") << QStringList{"1", "-o", "a.jpg"} << "--format";
    QTest::newRow("unknown format") << png + QStringList{"--format", "gif"} << "'gif'";
    QTest::newRow("unknown option") << png + QStringList{"--colour"} << "colour";
    QTest::newRow("batch with digits")
        << QStringList{"--batch", "l", "--out-dir", "d", "490123456789"} << "from its list";
    QTest::newRow("batch without --out-dir") << QStringList{"--batch", "l"} << "--out-dir";
    QTest::newRow("--out-dir without batch")
        << QStringList{"490123456789", "-o", "a.bmp", "--out-dir", "d"} << "--batch";
    QTest::newRow("--no-name with --name")
        << png + QStringList{"--no-name", "--name", "Tea"} << "does not go with --name";
    // Each symbology's own options and limits, as README and --help give them.
    const QStringList svg = {"4901234567894", "-o", "a.svg"};
    QTest::newRow("unknown symbol") << svg + QStringList{"--symbol", "QR"}
                                    << "takes jan13, jan8, upca, upce, itf14 or book, not 'qr'";
    QTest::newRow("ITF-14's ratio for the JAN")
        << svg + QStringList{"--ratio", "3"} << "--ratio goes with --symbol itf14";
    QTest::newRow("ITF-14's indicator for UPC-A")
        << QStringList{"03600029145", "-o", "a.svg", "--symbol", "upca", "--indicator", "1"}
        << "--indicator goes with --symbol itf14";
    QTest::newRow("the book's price for ITF-14, before its layout")
        << svg + QStringList{"--symbol", "itf14", "--layout", "window", "--price", "5"}
        << "--price goes with --symbol book";
    QTest::newRow("ITF-14 in the window layout")
        << svg + QStringList{"--symbol", "itf14", "--layout", "window"}
        << "--symbol itf14 has no window layout";
    QTest::newRow("marker for UPC-E")
        << QStringList{"01234565", "-o",       "a.svg",  "--symbol",
                       "upce",     "--layout", "retail", "--quiet-zone-marker"}
        << "--quiet-zone-marker is for jan13 and jan8";
    QTest::newRow("marker for ITF-14, before its ratio")
        << svg + QStringList{"--symbol", "itf14", "--quiet-zone-marker", "--ratio", "9"}
        << "--quiet-zone-marker is for jan13 and jan8";
    QTest::newRow("ITF-14 on a sheet, at more than its X of 1.016 mm")
        << QStringList{"4901234567894",
                       "--sheet",
                       "a4-12",
                       "-o",
                       "a.pdf",
                       "--symbol",
                       "ITF14",
                       "--indicator",
                       "1",
                       "--magnification",
                       "101"}
        << "--magnification takes a whole number from 49 to 100";
    // Price tags.
    const QStringList tag = {"4901234567894", "-o", "tag.pdf", "--design", "price"};
    QTest::newRow("a price with the symbol design")
        << svg + QStringList{"--price-with-tax", "1100"} << "--design price or shelf";
    QTest::newRow("a tax rate with the symbol design")
        << svg + QStringList{"--tax-rate", "8"} << "--design price or shelf";
    QTest::newRow("--price alone is still the book's")
        << svg + QStringList{"--price", "1000"} << "--price goes with --symbol book";
    QTest::newRow("no price") << tag << "a tag needs its price";
    QTest::newRow("both prices") << tag + QStringList{"--price", "1000", "--price-with-tax", "1100"}
                                 << "not both";
    QTest::newRow("--no-symbol on a price tag")
        << tag + QStringList{"--price", "1000", "--no-symbol"} << "--design shelf";
    QTest::newRow("a rate of 5 %")
        << tag + QStringList{"--price", "1000", "--tax-rate", "5"} << "10 or 8";
    QTest::newRow("a price over the largest")
        << tag + QStringList{"--price", "99999999"} << "comes to ¥109,999,998, over the largest";
    QTest::newRow("a price with a decimal point")
        << tag + QStringList{"--price", "10.5"} << "--price:";
    QTest::newRow("--instore without --item")
        << QStringList{"-o",      "tag.pdf", "--design",  "price",
                       "--price", "1000",    "--instore", "price5"}
        << "give --item N";
    QTest::newRow("--instore with DIGITS")
        << tag + QStringList{"--price", "1000", "--instore", "price5", "--item", "1"}
        << "no DIGITS";
    QTest::newRow("--item without --instore")
        << tag + QStringList{"--price", "1000", "--item", "1"} << "--item goes with --instore";
    QTest::newRow("an unknown in-store format")
        << QStringList{"-o", "t.pdf", "--design", "price", "--price", "1", "--instore", "x"}
        << "plu, price4, price5, price4-check or price5-check";
    QTest::newRow("a price inside the code without a tag")
        << QStringList{"-o", "t.svg", "--instore", "price4", "--item", "1"} << "--design price";
    QTest::newRow("prefix 02 for a PLU code")
        << QStringList{"-o",        "t.pdf", "--design", "price", "--price",          "1",
                       "--instore", "plu",   "--item",   "1",     "--instore-prefix", "02"}
        << "20 to 29";
    QTest::newRow("a list's prices on the command line")
        << QStringList{"--batch", "l.csv", "--out-dir", "d", "--design", "price", "--price", "1"}
        << "a list gives each line's price";
    QTest::newRow("a tag in the window layout")
        << tag + QStringList{"--price", "1000", "--layout", "window"} << "drawn for print";
    QTest::newRow("a label size on a sheet")
        << QStringList{"4901234567894", "--sheet", "a4-24", "-o",           "a.pdf", "--design",
                       "price",         "--price", "1000",  "--label-size", "40x30"}
        << "their own size";
}

void TestRenderInput::commandLineIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mention);
    const QString error = render::ParseCommandLine(arguments).error;
    QVERIFY2(error.contains(mention), qPrintable(error));
}

void TestRenderInput::tagPriceIsRead_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");  // "WITH/WITHOUT/RATE CODE"
    // ¥1,000 + 10 % = ¥1,100; + 8 % = ¥1,080; ¥999 + 8 % = ¥1,078.92.
    const QStringList tag = {"-o", "tag.pdf", "--design", "price"};
    QTest::newRow("without tax at 10 %")
        << tag + QStringList{"4901234567894", "--price", "1000"} << "1100/1000/10 4901234567894";
    QTest::newRow("at 8 %") << tag + QStringList{"4901234567894", "--price", "1000", "--tax-rate",
                                                 "8"}
                            << "1080/1000/8 4901234567894";
    QTest::newRow("999 at 8 %, rounded up")
        << tag + QStringList{"4901234567894", "--price", "999", "--tax-rate", "8",
                             "--rounding",    "ceil"}
        << "1079/999/8 4901234567894";
    QTest::newRow("with tax as a spreadsheet writes it")
        << tag + QStringList{"4901234567894", "--price-with-tax", "￥1,100"}
        << "1100/1000/10 4901234567894";
    // cm55.com's worked code: 21, item 120025, ¥1,500.
    QTest::newRow("an in-store code holding the price with tax")
        << tag + QStringList{"--price-with-tax", "1500", "--instore", "price4",
                             "--instore-prefix", "21",   "--item",    "120025"}
        << "1500/1364/10 2112002515005";
}

// What a tag's command line gives: its prices and its code.
void TestRenderInput::tagPriceIsRead() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const render::ParsedCommandLine parsed = render::ParseCommandLine(arguments);
    QCOMPARE(parsed.error, QString());
    QVERIFY(parsed.options.tagPrice);
    const pipeline::TagPrice& price = *parsed.options.tagPrice;
    QCOMPARE(QStringLiteral("%1/%2/%3 %4")
                 .arg(price.withTax)
                 .arg(price.withoutTax)
                 .arg(price.taxRate)
                 .arg(parsed.options.Code().code),
             expected);
}

QTEST_MAIN(TestRenderInput)
#include "tst_render_input.moc"
