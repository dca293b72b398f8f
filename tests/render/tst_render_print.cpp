// The retail layout measured from the files that stripewell-render writes:
// rasterised by other programs (rsvg-convert, pdftoppm), read back by ZXing
// and zbar, and every length compared with the retail symbol's nominal
// dimensions within half a dot of the resolution it is measured at.

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "files.h"
#include "run.h"
#include "symbol/pattern.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");

// How dark a pixel is, 0 (white) to 1 (black): with smoothing, the share of
// the pixel that a shape covers, so that lengths summed from it are finer
// than a dot.
double Ink(const QImage& image, int x, int y) {
    return 1 - qGray(image.pixel(x, y)) / 255.0;
}

// A dark stretch of a row or column: its length in dots (ink summed) and
// its middle, from its first and last dot that has any ink.
struct Stretch {
    double length = 0;
    double middle = 0;
};

QList<Stretch> Stretches(const QList<double>& ink) {
    QList<Stretch> found;
    for (qsizetype i = 0; i < ink.size();) {
        if (ink[i] <= 0.02) {
            ++i;
            continue;
        }
        Stretch s;
        double moment = 0;
        for (; i < ink.size() && ink[i] > 0.02; ++i) {
            s.length += ink[i];
            moment += (i + 0.5) * ink[i];
        }
        s.middle = moment / s.length;
        found.append(s);
    }
    return found;
}

QList<double> Row(const QImage& image, int y) {
    QList<double> ink;
    for (int x = 0; x < image.width(); ++x)
        ink.append(Ink(image, x, y));
    return ink;
}

// Down a column from row y to the first white dot, and up from it.
double DarkLength(const QImage& image, int x, int y) {
    double length = 0;
    for (int down = y; down < image.height() && Ink(image, x, down) > 0.02; ++down)
        length += Ink(image, x, down);
    for (int up = y - 1; up >= 0 && Ink(image, x, up) > 0.02; --up)
        length += Ink(image, x, up);
    return length;
}

// The first row from the top with ink in column x.
int TopOfInk(const QImage& image, int x) {
    int y = 0;
    while (y < image.height() && Ink(image, x, y) <= 0.02)
        ++y;
    return y;
}

// Widths in modules of the bars of the code, left to right.
QList<int> NominalBarWidths() {
    const QString pattern = symbol::BuildPattern(kCode);
    QList<int> widths;
    for (qsizetype i = 0; i < pattern.size();) {
        qsizetype end = i + 1;
        while (end < pattern.size() && (pattern[end] == u'0') == (pattern[i] == u'0'))
            ++end;
        if (pattern[i] != u'0')
            widths.append(int(end - i));
        i = end;
    }
    return widths;
}

}  // namespace

class TestRenderPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void retailSymbolIsTrueToSize_data();
    void retailSymbolIsTrueToSize();
    void outlinesNeedNoFonts_data();
    void outlinesNeedNoFonts();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void picturesAt4800DpiStayInTheirBudget_data();
    void picturesAt4800DpiStayInTheirBudget();

private:
    Ran Render(const QStringList& arguments) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    }
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // The file as pixels at dpi (a bitmap at its own resolution).
    QImage Rasterise(const QString& file, int dpi, const QStringList& environment = {});
    // The file's box in millimetres, as the file states it.
    QSizeF BoxMm(const QString& file);
    QString Decoded(const QImage& image);

    QString zxing_, zbar_, rsvg_, pdftoppm_, pdfinfo_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderPrint::initTestCase() {
    for (auto [tool, package] : {std::pair{&zxing_, "ZXingReader"},
                                 {&zbar_, "zbarimg"},
                                 {&rsvg_, "rsvg-convert"},
                                 {&pdftoppm_, "pdftoppm"},
                                 {&pdfinfo_, "pdfinfo"}}) {
        *tool = QStandardPaths::findExecutable(package);
        QVERIFY2(!tool->isEmpty(), package);
    }
}

void TestRenderPrint::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QImage TestRenderPrint::Rasterise(const QString& file, int dpi, const QStringList& environment) {
    const QString dots = QString::number(dpi);
    if (file.endsWith(".svg"))
        RunProgram(rsvg_, {"-d", dots, "-p", dots, "-o", "raster.png", file}, dir_->path(),
                   {.environment = environment});
    else if (file.endsWith(".pdf"))
        RunProgram(pdftoppm_, {"-r", dots, "-png", "-singlefile", file, "raster"}, dir_->path(),
                   {.environment = environment});
    else
        return QImage(Path(file));
    return QImage(Path("raster.png"));
}

QSizeF TestRenderPrint::BoxMm(const QString& file) {
    const QByteArray bytes = ReadAll(Path(file));
    if (file.endsWith(".svg")) {
        const QRegularExpression size(R"(<svg[^>]* width="([\d.]+)mm" height="([\d.]+)mm")");
        const QRegularExpressionMatch m = size.match(QString::fromUtf8(bytes));
        return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    if (file.endsWith(".pdf")) {
        const QRegularExpression size(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)");
        const QRegularExpressionMatch m = size.match(RunProgram(pdfinfo_, {Path(file)}).out);
        return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72;
    }
    const QImage image(Path(file));
    return QSizeF(image.size()) * 1000.0 / image.dotsPerMeterX();
}

QString TestRenderPrint::Decoded(const QImage& image) {
    image.save(Path("decode.png"));
    return RunProgram(zxing_, {"-format", "EAN-13", "-noscale", "-bytes", Path("decode.png")})
               .out.trimmed() +
           u' ' + RunProgram(zbar_, {"-q", "--raw", Path("decode.png")}).out.trimmed();
}

void TestRenderPrint::retailSymbolIsTrueToSize_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("magnification");
    QTest::addColumn<int>("dpi");  // of the file, or of the rasteriser
    QTest::addColumn<int>("bwr");  // micrometres
    QTest::addColumn<QString>("name");
    QTest::newRow("bmp 80% 203 dpi") << "bmp" << 80 << 203 << 0 << "";
    QTest::newRow("png 100% 300 dpi, name") << "png" << 100 << 300 << 0 << "Green tea";
    QTest::newRow("bmp 200% 600 dpi, bwr 40") << "bmp" << 200 << 600 << 40 << "";
    QTest::newRow("png 100% 600 dpi, bwr 20") << "png" << 100 << 600 << 20 << "";
    QTest::newRow("svg 80% 600 dpi") << "svg" << 80 << 600 << 0 << "";
    QTest::newRow("svg 100% 203 dpi, Japanese name")
        << "svg" << 100 << 203 << 0 << QString::fromUtf16(u"緑茶 ５００ｍｌ");
    QTest::newRow("svg 200% 300 dpi, bwr 50") << "svg" << 200 << 300 << 50 << "";
    QTest::newRow("pdf 80% 300 dpi, bwr 30") << "pdf" << 80 << 300 << 30 << "";
    QTest::newRow("pdf 100% 600 dpi, name") << "pdf" << 100 << 600 << 0 << "Green tea";
    QTest::newRow("pdf 200% 203 dpi") << "pdf" << 200 << 203 << 0 << "";
}

void TestRenderPrint::retailSymbolIsTrueToSize() {
    QFETCH(QString, format);
    QFETCH(int, magnification);
    QFETCH(int, dpi);
    QFETCH(int, bwr);
    QFETCH(QString, name);
    const bool bitmap = format == "bmp" || format == "png";
    const QString file = "symbol." + format;
    QStringList arguments = {"--layout",
                             "retail",
                             kCode,
                             "-o",
                             file,
                             "--magnification",
                             QString::number(magnification),
                             "--bwr",
                             QString::number(bwr)};
    if (bitmap)
        arguments << "--dpi" << QString::number(dpi);
    if (!name.isEmpty())
        arguments << "--name" << name;
    const Ran run = Render(arguments);
    QCOMPARE(run.exitCode, 0);
    const QImage image = Rasterise(file, dpi);
    QVERIFY(!image.isNull());
    QCOMPARE(Decoded(image), kCode + u' ' + kCode);

    // A bitmap's module is the whole number of dots nearest to the asked X
    // that keeps the magnification within 80 to 200 percent.
    const double dotMm = 25.4 / dpi;
    const double askedX = 0.33 * magnification / 100 / dotMm;
    const double x = !bitmap ? askedX
                             : std::clamp(std::round(askedX), std::ceil(0.33 * 0.8 / dotMm),
                                          std::floor(0.33 * 2 / dotMm));
    const double height = x / 0.33;  // dots per millimetre of a nominal height

    // A row through the middle of the bars: 30 bars, two per digit.
    const QList<Stretch> bars = Stretches(Row(image, image.height() * 55 / 100));
    QCOMPARE(bars.size(), 30);
    const QList<int> nominal = NominalBarWidths();
    double narrowing = 0;
    for (int i = 0; i < 30; ++i)
        narrowing += (nominal[i] * x - bars[i].length) / 30;
    const double measuredX = (bars.last().middle - bars.first().middle) / 94;
    const int guardX = qFloor(bars.first().middle);
    const int barX = qFloor(bars[2].middle);  // the first bar of the second digit
    const int barTop = TopOfInk(image, guardX);
    const QSizeF box = BoxMm(file) / dotMm;
    const double firstModule = bars.first().middle - measuredX / 2;
    // The first digit: the ink left of the start guard, below the bars.
    QList<double> digitInk(firstModule - 1, 0);
    for (int y = barTop + 70 * x; y < image.height(); ++y)
        for (int column = 0; column < digitInk.size(); ++column)
            digitInk[column] = std::max(digitInk[column], Ink(image, column, y));
    const QList<Stretch> firstDigit = Stretches(digitInk);
    QVERIFY(!firstDigit.isEmpty());
    const double firstDigitMiddle = (firstDigit.first().middle - firstDigit.first().length / 2 +
                                     firstDigit.last().middle + firstDigit.last().length / 2) /
                                    2;

    const struct {
        const char* what;
        double measured, expected;
    } lengths[] = {
        {"X", measuredX, x},
        {"bar height", DarkLength(image, barX, barTop), 22.85 * height},
        {"guard height", DarkLength(image, guardX, barTop), 22.85 * height + 5 * x},
        {"left quiet zone", firstModule, 11 * x},
        {"right quiet zone", box.width() - firstModule - 95 * measuredX, 7 * x},
        {"first digit's middle", firstDigitMiddle, 7 * x},
        {"box width", box.width(), 113 * x},
        {"box height below the name", box.height() - barTop, 25.93 * height},
        {"bar width reduction", narrowing, bwr / 1000.0 / dotMm},
    };
    // Half a dot, and a hundredth for the measurement's own error: a bitmap
    // narrows a bar by an odd number of dots one dot more on its right.
    for (const auto& length : lengths)
        QVERIFY2(std::abs(length.measured - length.expected) <= 0.51,
                 qPrintable(QString("%1: %2 dots, not %3")
                                .arg(length.what)
                                .arg(length.measured)
                                .arg(length.expected)));
    // The name stands above the box, which grows to hold it.
    QCOMPARE(barTop > 0, !name.isEmpty());
}

void TestRenderPrint::outlinesNeedNoFonts_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void TestRenderPrint::outlinesNeedNoFonts() {
    // The rasteriser is given a font configuration without a single font:
    // text kept as text would vanish or turn into boxes, outlines do not.
    QFETCH(QString, format);
    const QString file = "named." + format;
    const Ran run = Render({"--layout", "retail", "--quiet-zone-marker", "--name",
                            QString::fromUtf16(u"緑茶 Green tea"), kCode, "-o", file});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(WriteAll(Path("empty.conf"), "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" +
                                             Path("cache").toUtf8() +
                                             "</cachedir></fontconfig>\n"));
    const QImage withFonts = Rasterise(file, 300);
    const QImage withoutFonts = Rasterise(file, 300, {"FONTCONFIG_FILE=" + Path("empty.conf")});
    QVERIFY(!withFonts.isNull());
    QCOMPARE(withoutFonts, withFonts);
    // And the texts are there: ink above the bars and in the right quiet zone.
    QVERIFY(!Stretches(Row(withFonts, withFonts.height() / 10)).isEmpty());
    QVERIFY(TopOfInk(withFonts, withFonts.width() - 20) < withFonts.height());
}

void TestRenderPrint::refusalsWriteNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mention");
    const QStringList retail = {"--layout", "retail", kCode, "-o"};
    QTest::newRow("magnification 79")
        << retail + QStringList{"a.pdf", "--magnification", "79"} << "80 to 200";
    QTest::newRow("magnification 201")
        << retail + QStringList{"a.png", "--magnification", "201"} << "80 to 200";
    QTest::newRow("dpi 71") << retail + QStringList{"a.png", "--dpi", "71"} << "72 to 4800";
    QTest::newRow("dpi 4801") << retail + QStringList{"a.bmp", "--dpi", "4801"} << "72 to 4800";
    QTest::newRow("bwr over half a module, bitmap")
        << retail + QStringList{"a.png", "--dpi", "600", "--bwr", "200"} << "half a module";
    QTest::newRow("bwr over half a module, svg")
        << retail + QStringList{"a.svg", "--magnification", "80", "--bwr", "140"}
        << "half a module";
    QTest::newRow("bwr negative") << retail + QStringList{"a.svg", "--bwr", "-5"} << "0 to";
    QTest::newRow("no such layout")
        << QStringList{"--layout", "shelf", kCode, "-o", "a.png"} << "window or retail";
    QTest::newRow("dpi with the window layout")
        << QStringList{kCode, "-o", "a.png", "--dpi", "300"} << "--layout retail";
    // nan passes every comparison with the ends of a range, inf none.
    const QStringList itf = {"--symbol", "itf14", "14512345600010", "-o"};
    for (const char* ratio : {"nan", "NaN", "inf", "-inf", "1e400"})
        QTest::newRow(QByteArray("ratio ") + ratio)
            << itf + QStringList{"a.pdf", "--ratio", ratio} << "2.25 to 3";
    QTest::newRow("ratio nan on a sheet")
        << itf + QStringList{"a.pdf", "--sheet", "a4-12", "--ratio", "nan"} << "2.25 to 3";
    // Left out means none; given empty, as an unset variable gives it, it
    // is a mistake to say.
    QTest::newRow("empty add-on") << QStringList{kCode, "--addon", "", "-o", "a.png"}
                                  << "--addon needs a DIGITS";
    QTest::newRow("empty media") << QStringList{kCode, "--print", "shop", "--media", ""}
                                 << "--media needs a NAME";
}

void TestRenderPrint::refusalsWriteNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mention);
    const Ran run = Render(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.all().contains(mention), qPrintable(run.all()));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

void TestRenderPrint::picturesAt4800DpiStayInTheirBudget_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("leastWidth");  // dots
    // ITF-14 at 100 percent: X 1.016 mm, 192 dots at 4800 dpi; 14 digits
    // of 2 wide and 3 narrow elements at 2.5 (8 X each), the start's 4 X,
    // the stop's 4.5 X and quiet zones of 10 X: 140.5 X, 26976 dots.
    const QStringList itf = {"--symbol", "itf14", "--dpi", "4800"};
    QTest::newRow("ITF-14, png") << itf + QStringList{"14512345600010", "-o", "a.png"} << "a.png"
                                 << 26976;
    QTest::newRow("ITF-14, bmp") << itf + QStringList{"14512345600010", "-o", "a.bmp"} << "a.bmp"
                                 << 26976;
    QTest::newRow("ITF-14, a list of three")
        << itf + QStringList{"--batch", "three.csv", "--out-dir", "out", "--format", "png"}
        << "out/c.png" << 26976;
    // A JAN at 200 percent: X 0.66 mm, 124 whole dots (0.656 mm); 95 X
    // and the quiet zones' 11 and 7.
    QTest::newRow("JAN at 200 percent, a name")
        << QStringList{"--layout", "retail", "--dpi", "4800", "--magnification", "200", kCode,
                       "--name",   "緑茶",   "-o",    "a.png"}
        << "a.png" << 113 * 124;
}

// A picture of one bit a dot is 32 MB for the widest, an ITF-14 at 4800
// dpi; nothing painted for it may take a block of twice that (the sanitizer
// refuses any larger block, and the run ends). A picture of the label's
// size in 32 bits a dot, which the text's outlines were filled on, took a
// gigabyte.
void TestRenderPrint::picturesAt4800DpiStayInTheirBudget() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, picture);
    QFETCH(int, leastWidth);
#if !defined(__SANITIZE_ADDRESS__)
    QSKIP("the largest block is bounded by the sanitizer's allocator: a sanitizer build only");
#endif
    QVERIFY(WriteAll(Path("three.csv"), "a,14512345600010\nb,14901234567891\nc,14987654321091\n"));
    const Ran run = RunProgram(STRIPEWELL_RENDER, arguments, dir_->path(),
                               {.environment = {"ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:"
                                                "allocator_may_return_null=0:"
                                                "max_allocation_size_mb=64"}});
    QVERIFY2(run.exitCode == 0, qPrintable(run.all().left(2000)));
    // The whole picture, as its file's header states it.
    const QSize size = QImageReader(Path(picture)).size();
    QVERIFY2(size.width() >= leastWidth,
             qPrintable(QStringLiteral("%1 dots wide").arg(size.width())));
}

QTEST_MAIN(TestRenderPrint)
#include "tst_render_print.moc"
