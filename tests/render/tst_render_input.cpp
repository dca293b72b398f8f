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
}

void TestRenderInput::commandLineIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mention);
    const QString error = render::ParseCommandLine(arguments).error;
    QVERIFY2(error.contains(mention), qPrintable(error));
}

QTEST_MAIN(TestRenderInput)
#include "tst_render_input.moc"
