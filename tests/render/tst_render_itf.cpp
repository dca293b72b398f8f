// ITF-14 in the files of stripewell-render: every format read back by ZXing
// and zbar at the smallest and largest module, its ratio, bearer bars and
// quiet zones measured in dots at 600 dpi, and the input that is refused.

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "pictures.h"
#include "run.h"

namespace {

// The runs of one colour and the next along a line of a bitmap, in dots,
// starting with the colour of its first dot.
QList<int> Runs(const QImage& image, QPoint from, QPoint step) {
    QList<int> runs;
    bool black = qGray(image.pixel(from)) < 128;
    int length = 0;
    for (QPoint p = from; image.rect().contains(p); p += step) {
        if ((qGray(image.pixel(p)) < 128) != black) {
            runs.append(length);
            black = !black;
            length = 0;
        }
        ++length;
    }
    runs.append(length);
    return runs;
}

}  // namespace

class TestRenderItf : public QObject {
    Q_OBJECT

private slots:
    void init();
    void everyFileIsRead_data();
    void everyFileIsRead();
    void sizesInDotsAt600Dpi_data();
    void sizesInDotsAt600Dpi();
    void badInputIsRefused_data();
    void badInputIsRefused();

private:
    Output Render(const QStringList& arguments) {
        return Run(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    }
    QString Path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderItf::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderItf::everyFileIsRead_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    const struct {
        const char* what;
        QStringList arguments;
        const char* text;
    } symbols[] = {
        // GS1's smallest module and ratio, bearer bars above and below.
        {"smallest",
         {"1540014128876", "--magnification", "49", "--ratio", "2.25", "--bearer", "bars"},
         "15400141288763"},
        // The largest, in a frame.
        {"largest", {"15400141288763", "--magnification", "100", "--ratio", "3"}, "15400141288763"},
        // A case of the JAN 4901234567894 with indicator 1; ZXing read the
        // same GTIN-14 from zint's symbol.
        {"indicator", {"4901234567894", "--indicator", "1"}, "14901234567891"},
    };
    for (const auto& symbol : symbols)
        for (const QString file : {"s.png", "s.bmp", "s.svg", "s.pdf"})
            QTest::addRow("%s %s", symbol.what, qPrintable(file))
                << QStringList{"--symbol", "itf14", "-o", file} + symbol.arguments << symbol.text;
}

void TestRenderItf::everyFileIsRead() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    const Output run = Render(arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.out));
    const QString file = arguments[3];
    const QString png = PictureOf(file, dir_->path());
    // ZXing asserts on some of these pictures when it also tries them
    // scaled down; full size it reads them.
    const QString zxing = Run("ZXingReader", {"-1", "-noscale", "-format", "ITF", png}, ".").out;
    QCOMPARE(zxing.section(u'"', 1, 1), text);
    const QString zbar =
        Run("zbarimg", {"-q", "--raw", "-Si25.enable", png}, ".").out.section(u'\n', 0, 0);
    QCOMPARE(zbar, text);
}

void TestRenderItf::sizesInDotsAt600Dpi_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("narrow");  // dots
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<double>("bearerMm");
    // At 600 dpi GS1's largest X, 1.016 mm, is 24 dots; 50 percent 12.
    QTest::newRow("X 1.016 ratio 2.5 frame") << QStringList{} << 24 << 2.5 << true << 4.83;
    QTest::newRow("X 1.016 ratio 3 frame")
        << QStringList{"--ratio", "3"} << 24 << 3.0 << true << 4.83;
    QTest::newRow("X 0.508 ratio 2.25 bars")
        << QStringList{"--magnification", "50", "--ratio", "2.25", "--bearer", "bars"} << 12 << 2.25
        << false << 2 * 0.508;
}

void TestRenderItf::sizesInDotsAt600Dpi() {
    QFETCH(QStringList, arguments);
    QFETCH(int, narrow);
    QFETCH(double, ratio);
    QFETCH(bool, frame);
    QFETCH(double, bearerMm);
    const Output run = Render(arguments + QStringList{"--symbol", "itf14", "15400141288763",
                                                      "--dpi", "600", "-o", "i.png"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out));
    const QImage image(Path("i.png"));
    const double mm = 600 / 25.4;
    const int bearer = qRound(bearerMm * mm);
    const int barHeight = qRound(31.75 * mm);
    // Across the middle of the bars: frame, quiet zone, the bars, quiet zone,
    // frame; without a frame the row starts and ends white.
    QList<int> across = Runs(image, QPoint(0, bearer + barHeight / 2), QPoint(1, 0));
    if (frame) {
        QVERIFY(std::abs(across.takeFirst() - bearer) <= 1);
        QVERIFY(std::abs(across.takeLast() - bearer) <= 1);
    }
    QCOMPARE(across.takeFirst(), 10 * narrow);
    QCOMPARE(across.takeLast(), 10 * narrow);
    QCOMPARE(across.size(), 4 + 14 * 5 + 3);  // elements: start, digits, stop
    const int wide = qRound(ratio * narrow);
    QCOMPARE(across.count(narrow), 4 + 14 * 3 + 2);
    QCOMPARE(across.count(wide), 14 * 2 + 1);
    // Down through the left quiet zone: bearer, bars' height, bearer, then
    // the digits' band.
    const QList<int> down = Runs(image, QPoint((frame ? bearer : 0) + 5 * narrow, 0), QPoint(0, 1));
    QVERIFY2(std::abs(down[0] - bearer) <= 1, qPrintable(QString::number(down[0])));
    QVERIFY2(std::abs(down[1] - barHeight) <= 1, qPrintable(QString::number(down[1])));
    QVERIFY2(std::abs(down[2] - bearer) <= 1, qPrintable(QString::number(down[2])));
}

void TestRenderItf::badInputIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mention");
    QTest::newRow("12 digits") << QStringList{"154001412887"} << 2 << "give 13";
    QTest::newRow("15 digits") << QStringList{"154001412887630"} << 2 << "give 13";
    QTest::newRow("wrong check digit") << QStringList{"15400141288764"} << 2 << "must be 3";
    QTest::newRow("a letter") << QStringList{"1540014128876X"} << 2 << "not a digit";
    QTest::newRow("add-on") << QStringList{"15400141288763+12"} << 2 << "no add-on";
    QTest::newRow("indicator 10") << QStringList{"4901234567894", "--indicator", "10"} << 1
                                  << "one digit 0-9";
    QTest::newRow("indicator -1") << QStringList{"4901234567894", "--indicator=-1"} << 1
                                  << "one digit 0-9";
    QTest::newRow("indicator with a wrong JAN")
        << QStringList{"4901234567895", "--indicator", "1"} << 1 << "must be 4";
    QTest::newRow("indicator with 14 digits")
        << QStringList{"15400141288763", "--indicator", "1"} << 1 << "12 or 13 digits of a JAN";
    QTest::newRow("window layout")
        << QStringList{"1540014128876", "--layout", "window"} << 1 << "no window layout";
    QTest::newRow("ratio 2") << QStringList{"1540014128876", "--ratio", "2"} << 1 << "2.25 to 3";
    QTest::newRow("ratio 3.5") << QStringList{"1540014128876", "--ratio", "3.5"} << 1
                               << "2.25 to 3";
    QTest::newRow("bearer kind") << QStringList{"1540014128876", "--bearer", "none"} << 1
                                 << "frame or bars";
    QTest::newRow("magnification 48")
        << QStringList{"1540014128876", "--magnification", "48"} << 1 << "49 to 100";
    QTest::newRow("magnification 101")
        << QStringList{"1540014128876", "--magnification", "101"} << 1 << "49 to 100";
}

void TestRenderItf::badInputIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mention);
    const Output run = Render(QStringList{"--symbol", "itf14", "-o", "a.png"} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(mention), qPrintable(run.out));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

QTEST_MAIN(TestRenderItf)
#include "tst_render_itf.moc"
