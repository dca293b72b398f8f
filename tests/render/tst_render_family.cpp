// The short JAN, UPC-A, UPC-E and the add-ons in the files of stripewell-render: the
// whole drawn symbol against zint's, every file read back by ZXing and zbar,
// the retail sizes measured in dots, and the input that is refused.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "files.h"
#include "pictures.h"
#include "readers.h"
#include "zint.h"

namespace {

// Black dots down a column from y on.
int BlackBelow(const QImage& image, int x, int y) {
    int length = 0;
    while (y + length < image.height() && qGray(image.pixel(x, y + length)) < 128)
        ++length;
    return length;
}

}  // namespace

class TestRenderFamily : public QObject {
    Q_OBJECT

private slots:
    void init();
    void everyFileIsZintsSymbol_data();
    void everyFileIsZintsSymbol();
    void upcEAtSmallestAndLargest_data();
    void upcEAtSmallestAndLargest();
    void retailSizesInDots_data();
    void retailSizesInDots();
    void batchCodeFieldGivesTheAddon();
    void badInputIsRefused_data();
    void badInputIsRefused();

private:
    Ran Render(const QStringList& arguments) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    }
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // ZXing's reading with the add-on, then zbar's, one line each.
    QString Decoded(const QString& file, const QString& format);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderFamily::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestRenderFamily::Decoded(const QString& file, const QString& format) {
    const QString png = PictureOf(file, dir_->path());
    // ZXing reports a symbol with an add-on twice: alone, and with it. Trying
    // a large picture scaled down as well, it finds the symbol twice and
    // asserts (zint's UPC-E with an add-on at --scale 8 too); full size it
    // reads them all.
    const QStringList zxing = ZXingReport(png, {"-1", "-format", format}, ".").split(u'\n');
    const QString longest =
        *std::max_element(zxing.begin(), zxing.end(),
                          [](const QString& a, const QString& b) { return a.size() < b.size(); });
    const QStringList zbar =
        ZbarCodes(png, {"-Sean2.enable", "-Sean5.enable", "-Supca.enable"}, ".");
    return longest.section(u'"', 1, 1) + u'\n' + zbar.join(u' ');
}

void TestRenderFamily::everyFileIsZintsSymbol_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("zint");  // zint's arguments for the same symbol
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");  // as ZXing reads it, then zbar
    // clang-format off
    const struct {
        bool everyFile;  // or only the window's png
        QStringList arguments, zint;
        const char *format, *text;
    } symbols[] = {
        {true, {"--symbol", "jan8", "9638507"}, {"-b", "13", "-d", "9638507"},
         "EAN-8", "96385074\n96385074"},
        {false, {"--symbol", "ean8", "45123450"}, {"-b", "13", "-d", "4512345"},
         "EAN-8", "45123450\n45123450"},
        {true, {"--symbol", "upca", "03600029145"}, {"-b", "34", "-d", "03600029145"},
         "UPC-A", "036000291452\n036000291452"},
        {true, {"--symbol", "upca", "712345678904+12"}, {"-b", "34", "-d", "71234567890+12"},
         "UPC-A", "712345678904 12\n12 712345678904"},
        {false, {"--symbol", "upca", "91234567890", "--addon", "54321"}, {"-b", "34", "-d", "91234567890+54321"},
         "UPC-A", "912345678908 54321\n54321 912345678908"},
        {true, {"4910123450124 12345"}, {"-b", "13", "-d", "491012345012+12345"},
         "EAN-13", "4910123450124 12345\n12345 4910123450124"},
        {false, {"--symbol", "ean13", "978412345678", "--addon", "90"}, {"-b", "13", "-d", "978412345678+90"},
         "EAN-13", "9784123456784 90\n90 9784123456784"},
        // zbar reports UPC-E as the UPC-A it stands for.
        {true, {"--symbol", "upce", "0123456"}, {"-b", "UPCE", "-d", "0123456"},
         "UPC-E", "01234565\n012345000065"},
        {true, {"--symbol", "upce", "012000003455+12345"}, {"-b", "UPCE", "-d", "0123450+12345"},
         "UPC-E", "01234505 12345\n012000003455 12345"},
        {false, {"--symbol", "upce", "01230000045", "--addon", "12"}, {"-b", "UPCE", "-d", "0123453+12"},
         "UPC-E", "01234531 12\n012300000451 12"},
        {false, {"--symbol", "upce", "19876520"}, {"-b", "UPCE", "-d", "1987652"},
         "UPC-E", "19876520\n"},
    };
    // clang-format on
    for (const auto& symbol : symbols)
        for (const QString file : {"s.png", "s.bmp", "s.svg", "s.pdf"})
            for (const QString layout : {"window", "retail"})
                if (symbol.everyFile || file + layout == "s.pngwindow")
                    QTest::addRow("%s %s %s", qPrintable(symbol.arguments.join(u' ')),
                                  qPrintable(file), qPrintable(layout))
                        << symbol.arguments + QStringList{"--layout", layout, "-o", file}
                        << symbol.zint + QStringList{"--addongap=9"} << symbol.format
                        << symbol.text;
}

void TestRenderFamily::everyFileIsZintsSymbol() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, zint);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QString file = arguments.constLast();
    const bool windowBitmap =
        arguments.contains("window") && !file.endsWith("vg") && !file.endsWith("df");
    if (windowBitmap)
        arguments << "--scale"
                  << "3";
    QCOMPARE(Render(arguments).exitCode, 0);
    QCOMPARE(Decoded(file, format), text);
    if (!windowBitmap)
        return;
    // A row through every bar of the window's picture, 3 pixels a module.
    const QImage image(Path(file));
    QString drawn;
    for (int x = 1; x < image.width(); x += 3)
        drawn += qGray(image.pixel(x, 150)) < 128 ? u'1' : u'0';
    QCOMPARE(drawn.mid(drawn.indexOf(u'1'), drawn.lastIndexOf(u'1') - drawn.indexOf(u'1') + 1),
             ZintModules(zint));
}

void TestRenderFamily::upcEAtSmallestAndLargest_data() {
    QTest::addColumn<QStringList>("arguments");
    for (const QString file : {"s.png", "s.bmp", "s.svg", "s.pdf"})
        for (const QString magnification : {"80", "200"})
            QTest::addRow("%s %s", qPrintable(file), qPrintable(magnification))
                << QStringList{"--symbol", "upce", "1987652+12345",   "--layout",   "retail",
                               "-o",       file,   "--magnification", magnification};
}

// The smallest and largest retail UPC-E of every format, read back.
void TestRenderFamily::upcEAtSmallestAndLargest() {
    QFETCH(QStringList, arguments);
    QCOMPARE(Render(arguments).exitCode, 0);
    QCOMPARE(Decoded(arguments[6], "UPC-E"), QStringLiteral("19876520 12345\n12345"));
}

void TestRenderFamily::retailSizesInDots_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<int>>("modules");  // quiet zone, symbol, gap, add-on, quiet zone
    QTest::addColumn<double>("barMm");        // normal bars at 100 percent
    QTest::newRow("jan8") << QStringList{"--symbol", "jan8", "96385074"} << QList{7, 67, 0, 0, 7}
                          << 18.23;
    QTest::newRow("upca+2") << QStringList{"--symbol", "upca", "036000291452+12"}
                            << QList{9, 95, 9, 20, 5} << 22.85;
    QTest::newRow("jan13+5") << QStringList{"4910123450124+12345"} << QList{11, 95, 9, 47, 5}
                             << 22.85;
    QTest::newRow("upce") << QStringList{"--symbol", "upce", "01234565"} << QList{9, 51, 0, 0, 7}
                          << 22.85;
    QTest::newRow("upce+5") << QStringList{"--symbol", "upce", "1987652+12345"}
                            << QList{9, 51, 9, 47, 5} << 22.85;
}

void TestRenderFamily::retailSizesInDots() {
    QFETCH(QStringList, arguments);
    QFETCH(QList<int>, modules);
    QFETCH(double, barMm);
    // At 600 dpi a module of 0.33 mm is 8 dots, and a millimetre 8 / 0.33.
    const Ran run =
        Render(arguments + QStringList{"--layout", "retail", "--dpi", "600", "-o", "r.png"});
    QCOMPARE(run.exitCode, 0);
    const QImage image(Path("r.png"));
    const double mm = 8 / 0.33;
    // Widths from the bars across the middle, in dots.
    const QList<QPoint> bars = BlackRuns(image, image.height() * 55 / 100);
    // Two a digit, two a guard; UPC-E's end guard has three.
    const int mainBars = modules[1] == 67 ? 22 : modules[1] == 51 ? 17 : 30;
    const bool addon = mainBars < bars.size();
    const int mainRight = bars[mainBars - 1].x() + 8;  // the end guard's last bar is one module
    const int addonLeft = addon ? bars[mainBars].x() : mainRight;
    const int right = bars.last().x() + bars.last().y();
    for (int& width : modules)
        width *= 8;
    QCOMPARE((QList<int>{bars.first().x(), mainRight - bars.first().x(), addonLeft - mainRight,
                         right - addonLeft, image.width() - right}),
             modules);
    // Heights from the box's top.
    int addonTop = 0;
    while (addon && qGray(image.pixel(addonLeft, addonTop)) >= 128)
        ++addonTop;
    const struct {
        const char* what;
        double dots, nominal;
    } heights[] = {
        {"normal bar", double(BlackBelow(image, bars[4].x(), 0)), barMm * mm},
        {"guard bar", double(BlackBelow(image, bars[0].x(), 0)), barMm * mm + 5 * 8},
        {"box", double(image.height()), (barMm + 3.08) * mm},
        {"add-on's digits", double(addonTop), addon ? 3.08 * mm : 0},
        {"add-on's bars", double(addon ? BlackBelow(image, addonLeft, addonTop) : 0),
         addon ? (barMm - 3.08) * mm : 0},
    };
    for (const auto& height : heights)
        QVERIFY2(std::abs(height.dots - height.nominal) <= 0.5,
                 qPrintable(QString("%1: %2 dots, not %3")
                                .arg(height.what)
                                .arg(height.dots)
                                .arg(height.nominal)));
}

void TestRenderFamily::batchCodeFieldGivesTheAddon() {
    QVERIFY(WriteAll(Path("list.csv"), "Weekly,4910123450124 12345\n,4910123450124+67\n"));
    QCOMPARE(Render({"--batch", "list.csv", "--out-dir", "out", "--format", "png", "--scale", "3"})
                 .exitCode,
             0);
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files),
             (QStringList{"4910123450124+67.png", "Weekly.png"}));
    QCOMPARE(Decoded("out/Weekly.png", "EAN-13"), "4910123450124 12345\n12345 4910123450124");
}

void TestRenderFamily::badInputIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mention");
    const QString jan8 = "--symbol=jan8", upca = "--symbol=upca";
    QTest::newRow("8 digits as a JAN") << QStringList{"49123456"} << 2 << "--symbol jan8";
    QTest::newRow("13 digits as a short JAN")
        << QStringList{jan8, "4901234567894"} << 2 << "give 7";
    QTest::newRow("13 digits as UPC-A") << QStringList{upca, "4901234567894"} << 2 << "give 11";
    QTest::newRow("short JAN's check digit") << QStringList{jan8, "96385075"} << 2 << "must be 4";
    QTest::newRow("UPC-A's swap") << QStringList{upca, "306000291452"} << 2
                                  << "036000291452  (digits 1 and 2";
    QTest::newRow("add-on of 3") << QStringList{"4910123450124", "--addon", "123"} << 2 << "2 or 5";
    QTest::newRow("add-on of 4") << QStringList{upca, "036000291452+1234"} << 2 << "2 or 5";
    QTest::newRow("add-on for jan8")
        << QStringList{jan8, "96385074", "--addon", "12"} << 2 << "no add-on";
    QTest::newRow("add-on for jan8 in the code")
        << QStringList{jan8, "96385074 12345"} << 2 << "no add-on";
    QTest::newRow("no such symbol")
        << QStringList{"--symbol", "code39", "1"} << 1 << "itf14 or book";
    const QString upce = "--symbol=upce";
    QTest::newRow("9 digits as UPC-E")
        << QStringList{upce, "012345656"} << 2 << "give 7 (the check digit is added) or 8";
    QTest::newRow("UPC-E of number system 2")
        << QStringList{upce, "2123456"} << 2 << "number system 0 or 1";
    QTest::newRow("UPC-E's check digit") << QStringList{upce, "01234566"} << 2 << "must be 5";
    QTest::newRow("UPC-E not suppressed by its rule")
        << QStringList{upce, "0120453"} << 2 << "suppresses to 01204504";
    QTest::newRow("UPC-A that does not suppress")
        << QStringList{upce, "036000291452"} << 2 << "does not zero-suppress";
    QTest::newRow("UPC-A's check digit for UPC-E")
        << QStringList{upce, "012000003454"} << 2 << "must be 5";
    QTest::newRow("UPC-E add-on of 4") << QStringList{upce, "0123456+1234"} << 2 << "2 or 5";
    QTest::newRow("UPC-E with the marker")
        << QStringList{upce, "0123456", "--layout", "retail", "--quiet-zone-marker"} << 1
        << "jan13 and jan8";
    QTest::newRow("--addon for a batch")
        << QStringList{"--batch", "l", "--addon", "12"} << 1 << "code field";
}

void TestRenderFamily::badInputIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mention);
    const Ran run = Render(
        arguments + QStringList{arguments.contains("--batch") ? "--out-dir" : "-o", "a.png"});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.all().contains(mention), qPrintable(run.all()));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

QTEST_MAIN(TestRenderFamily)
#include "tst_render_family.moc"
