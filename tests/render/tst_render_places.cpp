// Where the printed symbol's parts stand, measured in the files that
// stripewell-render writes and held against the symbol's published
// structure rather than against the program's own layout: every
// human-readable digit centred under its symbol character (the add-on's
// above its bars), and the bar width reduction narrowing every bar by the
// asked amount, in whole dots in bitmaps and exactly in svg and pdf.

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "sheetpages.h"

namespace {

// How dark a pixel is, 0 (white) to 1 (black): a smoothed edge's share of
// the pixel, so that widths summed from it are finer than a dot.
double Ink(const QImage& image, int x, int y) {
    return 1 - qGray(image.pixel(x, y)) / 255.0;
}

// The dark runs of a row: first dot, ink summed over the run (its width in
// dots) and its middle.
struct Run {
    int first = 0;
    int last = 0;
    double ink = 0;
    double Middle() const { return (first + last + 1) / 2.0; }
};

QList<Run> DarkRuns(const QList<double>& ink) {
    QList<Run> runs;
    for (int i = 0; i < ink.size(); ++i) {
        if (ink[i] <= 0.02)
            continue;
        if (runs.isEmpty() || runs.last().last != i - 1)
            runs.append({i, i, 0});
        runs.last().last = i;
        runs.last().ink += ink[i];
    }
    return runs;
}

QList<double> Row(const QImage& image, int y) {
    QList<double> ink;
    for (int x = 0; x < image.width(); ++x)
        ink.append(Ink(image, x, y));
    return ink;
}

// The darkest dot of each column over the rows from top to bottom (not
// included), from column left on: what a band of text leaves on a line.
QList<double> Shadow(const QImage& image, int top, int bottom, int left = 0) {
    QList<double> ink(image.width(), 0);
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = left; x < image.width(); ++x)
            ink[x] = std::max(ink[x], Ink(image, x, y));
    return ink;
}

// Rows from y down while column x stays dark.
int DarkDown(const QImage& image, int x, int y) {
    int length = 0;
    while (y + length < image.height() && Ink(image, x, y + length) > 0.5)
        ++length;
    return length;
}

// The middle of each symbol character that carries a digit, in modules from
// the symbol's first module, as the published symbol structure gives it:
// a guard of 3 modules, characters of 7, a centre guard of 5 after the left
// half (6 characters for EAN-13 and UPC-A, 4 for EAN-8). UPC-A's first and
// last digits stand outside the guards, as does EAN-13's first: not listed.
QList<double> MainDigitCentres(const QString& symbol) {
    const int half = symbol == u"jan8" ? 4 : 6;
    QList<double> centres;
    for (int i = 0; i < 2 * half; ++i)
        centres.append(3 + 7 * i + (i >= half ? 5 : 0) + 3.5);
    if (symbol == u"upca") {
        centres.removeFirst();
        centres.removeLast();
    }
    return centres;
}

// An add-on: a start of 4 modules, then characters of 7 with 2 modules
// between them; each digit centred above its character.
QList<double> AddonDigitCentres(int digits) {
    QList<double> centres;
    for (int i = 0; i < digits; ++i)
        centres.append(4 + 9 * i + 3.5);
    return centres;
}

}  // namespace

class TestRenderPlaces : public QObject {
    Q_OBJECT

private slots:
    void init();
    void digitsStandUnderTheirCharacters_data();
    void digitsStandUnderTheirCharacters();
    void barWidthReductionIsTheAskedAmount_data();
    void barWidthReductionIsTheAskedAmount();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // Writes the retail symbol of arguments into file and gives it as pixels
    // at dpi (a bitmap at its own resolution).
    QImage Rendered(const QStringList& arguments, const QString& file, int dpi);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderPlaces::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QImage TestRenderPlaces::Rendered(const QStringList& arguments, const QString& file, int dpi) {
    const Ran ran =
        RunProgram(QStringLiteral(STRIPEWELL_RENDER),
                   arguments + QStringList{"--layout", "retail", "-o", file}, dir_->path());
    if (ran.exitCode != 0) {
        qWarning("stripewell-render: %s", qPrintable(ran.err));
        return {};
    }
    if (file.endsWith(".svg")) {
        RunProgram(QStringLiteral("rsvg-convert"),
                   {"-d", QString::number(dpi), "-p", QString::number(dpi), "-b", "white", "-o",
                    "raster.png", file},
                   dir_->path());
        return QImage(Path("raster.png"));
    }
    if (file.endsWith(".pdf"))
        return RasterisePdf(Path(file), dpi, dir_->path()).value(0);
    return QImage(Path(file));
}

void TestRenderPlaces::digitsStandUnderTheirCharacters_data() {
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("code");  // with the add-on after a "+"
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("dpi");
    // Digits 0 and 8 only: their outlines are symmetric, so the middle of
    // their ink is the middle of their place.
    const struct {
        const char *symbol, *code;
    } codes[] = {
        {"jan13", "8000008808808"},       {"jan8", "80880080"},        {"upca", "000088080888"},
        {"jan13", "8000008808808+80088"}, {"upca", "000088080888+08"},
    };
    for (const auto& c : codes)
        for (const auto& [format, dpi] : {std::pair{"png", 600}, {"pdf", 600}, {"svg", 600}})
            QTest::addRow("%s %s %s", c.symbol, c.code, format)
                << c.symbol << c.code << format << dpi;
}

// The digits' ink is cut out of the file: below the guard bars for the main
// symbol, above the add-on's bars for the add-on, and the middle of each
// digit's ink must lie within a fifth of a module of its character's middle.
void TestRenderPlaces::digitsStandUnderTheirCharacters() {
    QFETCH(QString, symbol);
    QFETCH(QString, code);
    QFETCH(QString, format);
    QFETCH(int, dpi);
    const QImage image = Rendered({"--symbol", symbol, code}, "s." + format, dpi);
    QVERIFY(!image.isNull());

    // The bars across the middle: the first is the start guard's first.
    const QList<Run> bars = DarkRuns(Row(image, image.height() / 2));
    const int mainBars = symbol == u"jan8" ? 22 : 30;
    QVERIFY(bars.size() >= mainBars);
    const double module =
        (bars[mainBars - 1].Middle() - bars[0].Middle()) / (symbol == u"jan8" ? 66 : 94);
    const double symbolLeft = bars[0].Middle() - module / 2;
    // Below the guards, only the digits have ink.
    const int guard = qFloor(bars[0].Middle());
    int guardBottom = 0;
    while (guardBottom < image.height() && Ink(image, guard, guardBottom) <= 0.5)
        ++guardBottom;
    guardBottom += DarkDown(image, guard, guardBottom) + 1;
    QList<double> measured;
    for (const Run& digit : DarkRuns(Shadow(image, guardBottom, image.height()))) {
        const double place = (digit.Middle() - symbolLeft) / module;
        if (place > 0 && place < (symbol == u"jan8" ? 67 : 95))
            measured.append(place);
    }
    QList<double> expected = MainDigitCentres(symbol);

    const QString addon = code.section(u'+', 1);
    if (!addon.isEmpty()) {
        // The add-on's bars begin lower than the main symbol's: its digits
        // stand in the band above them.
        const Run first = bars[mainBars];
        const int x = qFloor(first.Middle());
        int addonTop = 0;
        while (addonTop < image.height() && Ink(image, x, addonTop) <= 0.5)
            ++addonTop;
        const double addonLeft = first.first + (first.ink - module) / 2;
        for (const Run& digit : DarkRuns(Shadow(image, 0, addonTop - 1, first.first - 1)))
            measured.append((digit.Middle() - symbolLeft) / module);
        const double addonStart = (addonLeft - symbolLeft) / module;
        for (double centre : AddonDigitCentres(int(addon.size())))
            expected.append(std::round(addonStart) + centre);
    }
    QCOMPARE(measured.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(std::abs(measured[i] - expected[i]) <= 0.2,
                 qPrintable(QStringLiteral("digit %1 of %2: at %3 modules, not %4\n"
                                           "measured %5\nexpected %6")
                                .arg(i + 1)
                                .arg(expected.size())
                                .arg(measured[i], 0, 'f', 2)
                                .arg(expected[i])
                                .arg(Listed(measured), Listed(expected))));
}

void TestRenderPlaces::barWidthReductionIsTheAskedAmount_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("dpi");          // of the bitmap, or of the rasteriser
    QTest::addColumn<double>("narrower");  // every bar, in dots at dpi
    // A bitmap's reduction is the whole number of dots nearest the asked
    // micrometres (a dot is 25400 / dpi of them).
    QTest::newRow("png 600 dpi, 100 um: 2 dots")
        << QStringList{"--dpi", "600", "--bwr", "100", "-o", "s.png"} << 600 << 2.0;
    QTest::newRow("bmp 600 dpi, 130 um: 3 dots")
        << QStringList{"--dpi", "600", "--bwr", "130", "-o", "s.bmp"} << 600 << 3.0;
    QTest::newRow("png 1200 dpi, 120 um: 6 dots")
        << QStringList{"--dpi", "1200", "--bwr", "120", "-o", "s.png"} << 1200 << 6.0;
    QTest::newRow("bmp 600 dpi 200%, 300 um: 7 dots")
        << QStringList{"--dpi", "600", "--magnification", "200", "--bwr", "300", "-o", "s.bmp"}
        << 600 << 7.0;
    QTest::newRow("png 300 dpi, 40 um: 0 dots")
        << QStringList{"--bwr", "40", "-o", "s.png"} << 300 << 0.0;
    // Vectors keep the micrometres as asked.
    QTest::newRow("svg, 60 um") << QStringList{"--bwr", "60", "-o", "s.svg"} << 1200
                                << 60 * 1200 / 25400.0;
    QTest::newRow("svg 200%, 150 um")
        << QStringList{"--magnification", "200", "--bwr", "150", "-o", "s.svg"} << 1200
        << 150 * 1200 / 25400.0;
    QTest::newRow("pdf, 100 um") << QStringList{"--bwr", "100", "-o", "s.pdf"} << 1200
                                 << 100 * 1200 / 25400.0;
    QTest::newRow("pdf 80%, 20 um")
        << QStringList{"--magnification", "80", "--bwr", "20", "-o", "s.pdf"} << 1200
        << 20 * 1200 / 25400.0;
}

// Each bar and the space after it keep their whole modules between them, so
// a bar's nominal width is the whole number of modules just above its
// measured width; what is missing is the reduction. Its mean over the 30
// bars must be the asked amount within a fifth of a dot.
void TestRenderPlaces::barWidthReductionIsTheAskedAmount() {
    QFETCH(QStringList, arguments);
    QFETCH(int, dpi);
    QFETCH(double, narrower);
    const QString file = arguments.constLast();
    const QImage image =
        Rendered(arguments.mid(0, arguments.size() - 2) + QStringList{"4901234567894"}, file, dpi);
    QVERIFY(!image.isNull());
    const QList<Run> bars = DarkRuns(Row(image, image.height() / 2));
    QCOMPARE(bars.size(), 30);
    const double module = (bars.last().Middle() - bars.first().Middle()) / 94;
    double missing = 0;
    for (const Run& bar : bars)
        missing += std::round(bar.ink / module + 0.25) * module - bar.ink;
    missing /= bars.size();
    QVERIFY2(std::abs(missing - narrower) <= 0.2,
             qPrintable(QStringLiteral("bars %1 dots narrower, not %2 (module %3 dots)")
                            .arg(missing, 0, 'f', 2)
                            .arg(narrower, 0, 'f', 2)
                            .arg(module, 0, 'f', 2)));
}

QTEST_MAIN(TestRenderPlaces)
#include "tst_render_places.moc"
