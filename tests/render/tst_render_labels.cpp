// Label sheets measured on their pages: the built-in sheets against the
// dimensions their makers publish (typed here, not taken from the program),
// how many labels --copies and --skip give, the name's line clear of the
// bars, and the smallest label that still takes a symbol at 80 percent.

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "files.h"
#include "printserver.h"
#include "sheetpages.h"

namespace {

// Label edges are found at 300 dpi on whole pages, a label's parts at 600
// dpi on the label alone.
constexpr int kPageDpi = 300;
constexpr int kDpi = 600;
constexpr double kDotsPerMm = kDpi / 25.4;

// The dots of a rectangle in millimetres, at kDpi.
QRect Dots(const QRectF& mm) {
    return QRect(QPointF(mm.topLeft() * kDotsPerMm).toPoint(),
                 QPointF(mm.bottomRight() * kDotsPerMm).toPoint());
}

double Ink(const QImage& image, int x, int y) {
    return 1 - qGray(image.pixel(x, y)) / 255.0;
}

// The middles of the dark runs along a row (or a column), in millimetres at
// dpi: each run's ink-weighted middle, finer than a dot.
QList<double> LineMiddles(const QImage& image, bool alongRow, int fixed, int dpi = kDpi) {
    QList<double> middles;
    const int length = alongRow ? image.width() : image.height();
    double ink = 0, moment = 0;
    for (int i = 0; i <= length; ++i) {
        const double here = i == length ? 0
                            : alongRow  ? Ink(image, i, fixed)
                                        : Ink(image, fixed, i);
        if (here > 0.1) {
            ink += here;
            moment += (i + 0.5) * here;
        } else if (ink > 0) {
            middles.append(moment / ink * 25.4 / dpi);
            ink = moment = 0;
        }
    }
    return middles;
}

// The dark runs of a row of the picture, as many as there are.
int RunsInRow(const QImage& image, int y) {
    int runs = 0;
    bool dark = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool now = Ink(image, x, y) > 0.5;
        runs += now && !dark;
        dark = now;
    }
    return runs;
}

bool RowIsWhite(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if (Ink(image, x, y) > 0.1)
            return false;
    return true;
}

// Edges from a first one at start, a label of size apart and the next label
// pitch from the last: every edge once, those of touching labels shared.
QList<double> Edges(double start, double size, double pitch, int count) {
    QList<double> edges;
    for (int i = 0; i < count; ++i)
        for (double edge : {start + i * pitch, start + i * pitch + size})
            if (edges.isEmpty() || edge - edges.last() > 0.3)
                edges.append(edge);
    return edges;
}

}  // namespace

class TestRenderLabels : public QObject {
    Q_OBJECT

private slots:
    void init();
    void builtInSheetsAreTheMakersSheets_data();
    void builtInSheetsAreTheMakersSheets();
    void copiesFillTheirLabels_data();
    void copiesFillTheirLabels();
    void nameStandsClearOfTheBars_data();
    void nameStandsClearOfTheBars();
    void smallestLabelTakesTheSymbolAt80Percent_data();
    void smallestLabelTakesTheSymbolAt80Percent();
    void aRefusedLabelIsToldTheSizesThatFit_data();
    void aRefusedLabelIsToldTheSizesThatFit();
    void aThermalLabelAt203DpiWithoutTheName_data();
    void aThermalLabelAt203DpiWithoutTheName();

private:
    // A sheet file of one label of the size, 10 mm from the page's corner.
    bool OneLabel(double width, double height);
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // Runs stripewell-render into s.pdf with a list of lines (if any) and
    // gives its pages at dpi (only the crop of each, in dots, if given), or
    // none when it fails.
    QList<QImage> Sheet(const QStringList& arguments, const QStringList& lines, int dpi,
                        const QRect& crop = {});

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderLabels::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QList<QImage> TestRenderLabels::Sheet(const QStringList& arguments, const QStringList& lines,
                                      int dpi, const QRect& crop) {
    QStringList all = arguments + QStringList{"-o", "s.pdf"};
    if (!lines.isEmpty()) {
        if (!WriteAll(Path("list.csv"), ("名称,JAN\n" + lines.join(u'\n') + u'\n').toUtf8()))
            return {};
        all += {"--batch", "list.csv"};
    }
    const Ran ran = RunProgram(QStringLiteral(STRIPEWELL_RENDER), all, dir_->path());
    if (ran.exitCode != 0) {
        qWarning("stripewell-render: %s", qPrintable(ran.err));
        return {};
    }
    return RasterisePdf(Path("s.pdf"), dpi, dir_->path(), crop);
}

void TestRenderLabels::builtInSheetsAreTheMakersSheets_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QList<int>>("grid");         // columns, rows
    QTest::addColumn<QList<double>>("labelMm");   // width, height
    QTest::addColumn<QList<double>>("cornerMm");  // the first label's from the page's
    QTest::addColumn<QList<double>>("pitchMm");   // from one label to the next
    // As the makers publish them for their A4 sheets.
    QTest::newRow("a4-12, A-one 28642") << "a4-12" << QList<int>{2, 6} << QList{86.4, 42.3}
                                        << QList{18.6, 21.2} << QList{86.4, 42.3};
    QTest::newRow("a4-18, A-one 28644") << "a4-18" << QList<int>{3, 6} << QList{70.0, 42.3}
                                        << QList{0.0, 21.2} << QList{70.0, 42.3};
    QTest::newRow("a4-21, A-one 28379, Avery L7160")
        << "a4-21" << QList<int>{3, 7} << QList{63.5, 38.1} << QList{7.21, 15.15}
        << QList{66.04, 38.1};
    QTest::newRow("a4-24, A-one 28646") << "a4-24" << QList<int>{3, 8} << QList{70.0, 33.9}
                                        << QList{0.0, 12.7} << QList{70.0, 33.9};
    QTest::newRow("a4-40, Avery L7654") << "a4-40" << QList<int>{4, 10} << QList{45.7, 25.4}
                                        << QList{9.7, 21.5} << QList{48.3, 25.4};
    QTest::newRow("a4-44, A-one 28648") << "a4-44" << QList<int>{4, 11} << QList{48.3, 25.4}
                                        << QList{8.4, 8.8} << QList{48.3, 25.4};
}

// A test print (--outline) draws every label's edge. A row through the first
// row of labels crosses every vertical edge, a column through the first
// column every horizontal one; each must lie within 0.25 mm of where the
// maker's numbers put it (their published figures are rounded to 0.1 mm).
void TestRenderLabels::builtInSheetsAreTheMakersSheets() {
    QFETCH(QString, sheet);
    QFETCH(QList<int>, grid);
    QFETCH(QList<double>, labelMm);
    QFETCH(QList<double>, cornerMm);
    QFETCH(QList<double>, pitchMm);
    // One label, in the last place, out of the way of the rows measured.
    const int last = grid[0] * grid[1] - 1;
    const QList<QImage> pages =
        Sheet({"4901234567894", "--sheet", sheet, "--outline", "--skip", QString::number(last)}, {},
              kPageDpi);
    QCOMPARE(pages.size(), 1);
    const QImage& page = pages[0];
    const int firstRow = qRound((cornerMm[1] + labelMm[1] / 2) * kPageDpi / 25.4);
    const int firstColumn = qRound((cornerMm[0] + labelMm[0] / 2) * kPageDpi / 25.4);
    // An edge on the page's own right or bottom edge falls off the raster.
    QList<double> expectedX = Edges(cornerMm[0], labelMm[0], pitchMm[0], grid[0]);
    QList<double> expectedY = Edges(cornerMm[1], labelMm[1], pitchMm[1], grid[1]);
    expectedX.removeIf([](double x) { return x > 209.9; });
    expectedY.removeIf([](double y) { return y > 296.9; });
    const QList<double> measuredX = LineMiddles(page, true, firstRow, kPageDpi);
    const QList<double> measuredY = LineMiddles(page, false, firstColumn, kPageDpi);
    bool match = measuredX.size() == expectedX.size() && measuredY.size() == expectedY.size();
    for (int i = 0; match && i < expectedX.size(); ++i)
        match = std::abs(measuredX[i] - expectedX[i]) <= 0.25;
    for (int i = 0; match && i < expectedY.size(); ++i)
        match = std::abs(measuredY[i] - expectedY[i]) <= 0.25;
    QVERIFY2(match, qPrintable(QStringLiteral("edges across: %1\n      expected %2\n"
                                              "edges down: %3\n      expected %4")
                                   .arg(Listed(measuredX), Listed(expectedX), Listed(measuredY),
                                        Listed(expectedY))));
}

void TestRenderLabels::copiesFillTheirLabels_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("lines");  // of a list, or none
    QTest::addColumn<QStringList>("read");   // label by label, "-" for an empty one
    const QString tea = "4901234567894", gum = "4912345678904";
    const QStringList list{"緑茶," + tea, "ガム," + gum};
    const QString empty = "-";
    auto places = [](std::initializer_list<std::pair<QString, int>> runs) {
        QStringList all;
        for (const auto& [code, count] : runs)
            all += QStringList(count, code);
        return all;
    };
    QTest::newRow("one code, 5 copies")
        << QStringList{tea, "--copies", "5"} << QStringList{} << places({{tea, 5}, {empty, 19}});
    QTest::newRow("a list of two, 3 copies each")
        << QStringList{"--copies", "3"} << list << places({{tea, 3}, {gum, 3}, {empty, 18}});
    QTest::newRow("a list of two, 13 copies each after 20 used")
        << QStringList{"--copies", "13", "--skip", "20"} << list
        << places({{empty, 20}, {tea, 13}, {gum, 13}, {empty, 2}});
}

// Every place of every page is read by zbarimg.
void TestRenderLabels::copiesFillTheirLabels() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, read);
    const QList<QImage> pages = Sheet(arguments + QStringList{"--sheet", "a4-24"}, lines, 200);
    QVERIFY(!pages.isEmpty());
    QCOMPARE(ReadLabels(pages, *pipeline::FindSheet("a4-24"), 200, dir_->path()), read);
}

void TestRenderLabels::nameStandsClearOfTheBars_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("magnification");
    QTest::addColumn<QString>("name");
    // Descenders, a Japanese name, and labels that squeeze the name's line.
    QTest::newRow("a4-24, descenders") << "a4-24"
                                       << "100"
                                       << "Japan gypsy jelly";
    QTest::newRow("a4-24, Japanese") << "a4-24"
                                     << "100" << QString::fromUtf16(u"緑茶 ｇｙ 500ml");
    QTest::newRow("a4-44, fitted") << "a4-44"
                                   << "100"
                                   << "Japan gypsy jelly";
    QTest::newRow("a4-12 at 150%") << "a4-12"
                                   << "150" << QString::fromUtf16(u"緑茶 gypsy");
    QTest::newRow("a4-21 at 80%") << "a4-21"
                                  << "80"
                                  << "Qg|jy";
}

// On the first label: from the top, the first row that crosses all 30 bars
// is the bars' top; every row for 10 mm below it crosses 30 bars and
// nothing else, white rows part the bars from the name, and the name's ink
// lies above them inside the label.
void TestRenderLabels::nameStandsClearOfTheBars() {
    QFETCH(QString, sheet);
    QFETCH(QString, magnification);
    QFETCH(QString, name);
    const QList<QImage> pages =
        Sheet({"--sheet", sheet, "--magnification", magnification}, {name + ",4901234567894"}, kDpi,
              Dots(pipeline::FindSheet(sheet)->LabelRect(0)));
    QVERIFY(!pages.isEmpty());
    const QImage& label = pages[0];
    int barTop = 0;
    while (barTop < label.height() && RunsInRow(label, barTop) != 30)
        ++barTop;
    QVERIFY2(barTop < label.height(), "no row crosses the 30 bars");
    for (int y = barTop; y < barTop + 10 * kDotsPerMm; ++y)
        QVERIFY2(RunsInRow(label, y) == 30,
                 qPrintable(QStringLiteral("%1 mm below the bars' top, %2 dark runs, not 30")
                                .arg((y - barTop) / kDotsPerMm, 0, 'f', 2)
                                .arg(RunsInRow(label, y))));
    int gap = barTop - 1;
    while (gap >= 0 && RowIsWhite(label, gap))
        --gap;
    QVERIFY2(gap < barTop - 1, "the name touches the bars");
    QVERIFY2(gap > 0, "no name above the bars");
    QVERIFY2(!RowIsWhite(label, gap) && RowIsWhite(label, 0), "the name leaves its label");
}

void TestRenderLabels::smallestLabelTakesTheSymbolAt80Percent_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("exitCode");
    // At 80 percent the module is 0.264 mm: the JAN's box of 113 modules by
    // 25.93 mm x 0.8 is 29.832 x 20.744 mm, and a label adds 1 mm around it:
    // 31.832 x 22.744 mm. Labels a hundredth of a millimetre or two either side.
    QTest::newRow("width just enough") << 31.85 << 40.0 << 0;
    QTest::newRow("width just too small") << 31.81 << 40.0 << 1;
    QTest::newRow("height just enough") << 45.0 << 22.76 << 0;
    QTest::newRow("height just too small") << 45.0 << 22.72 << 1;
}

// A sheet of one label of each size, the symbol without a name: the one
// just big enough holds it at 80 percent, measured from its bars.
void TestRenderLabels::smallestLabelTakesTheSymbolAt80Percent() {
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, exitCode);
    const QString size = QStringLiteral(
                             "label-width = %1\nlabel-height = %2\n"
                             "pitch-x = %1\npitch-y = %2\n")
                             .arg(width)
                             .arg(height);
    QVERIFY(WriteAll(Path("one.txt"),
                     ("columns = 1\nrows = 1\nleft = 10\ntop = 10\n" + size).toUtf8()));
    const Ran ran =
        RunProgram(QStringLiteral(STRIPEWELL_RENDER),
                   {"4901234567894", "--sheet-file", "one.txt", "-o", "s.pdf"}, dir_->path());
    QVERIFY2(ran.exitCode == exitCode, qPrintable(ran.err));
    if (exitCode != 0) {
        QVERIFY2(ran.err.contains("80 percent"), qPrintable(ran.err));
        QVERIFY(!QFile::exists(Path("s.pdf")));
        return;
    }
    const QList<QImage> pages =
        RasterisePdf(Path("s.pdf"), kDpi, dir_->path(), Dots({10, 10, width, height}));
    QCOMPARE(pages.size(), 1);
    const QList<double> bars = LineMiddles(pages[0], true, pages[0].height() / 2);
    QCOMPARE(bars.size(), 30);
    const double module = (bars.last() - bars.first()) / 94;
    QVERIFY2(std::abs(module - 0.264) <= 0.002, qPrintable(QString::number(module)));
}

bool TestRenderLabels::OneLabel(double width, double height) {
    return WriteAll(Path("one.txt"), QStringLiteral("columns = 1\nrows = 1\nleft = 10\ntop = 10\n"
                                                    "label-width = %1\nlabel-height = %2\n"
                                                    "pitch-x = %1\npitch-y = %2\n")
                                         .arg(width)
                                         .arg(height)
                                         .toUtf8());
}

// A label too small is refused with its own size and the smallest that
// takes the symbol, with a name line and without one: without, the JAN at 80
// percent needs the 31.832 x 22.744 mm worked out above; the size said for
// the run takes it, and a label 0.2 mm lower does not.
void TestRenderLabels::aRefusedLabelIsToldTheSizesThatFit_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("names");  // whether the run prints a name line
    QTest::addColumn<QString>("withoutName");
    const QStringList list{"--batch", "list.csv"};
    const QStringList jan{"4901234567894"};
    QTest::newRow("a code") << jan << false << "31.8 x 22.7";
    QTest::newRow("a code and its name")
        << jan + QStringList{"--name", "緑茶"} << true << "31.8 x 22.7";
    QTest::newRow("a list") << list << true << "31.8 x 22.7";
    QTest::newRow("a list, --no-name") << list + QStringList{"--no-name"} << false << "31.8 x 22.7";
    // ITF-14 at 49 percent in its frame: 81.6 mm wide, as tst_render_itf works out.
    QTest::newRow("itf14") << QStringList{"--symbol", "itf14", "14901234567891"} << false
                           << "81.6 x ";
}

void TestRenderLabels::aRefusedLabelIsToldTheSizesThatFit() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, names);
    QFETCH(QString, withoutName);
    QVERIFY(WriteAll(Path("list.csv"), "名称,JAN\n緑茶,4901234567894\n"));
    const auto run = [&](double width, double height) {
        return OneLabel(width, height)
                   ? RunProgram(QStringLiteral(STRIPEWELL_RENDER),
                                arguments + QStringList{"--sheet-file", "one.txt", "-o", "s.pdf"},
                                dir_->path())
                   : Ran{};
    };
    const Ran refused = run(25, 15);
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(!QFile::exists(Path("s.pdf")));
    const QRegularExpressionMatch sizes =
        QRegularExpression(R"(are 25.0 x 15.0 mm; .* needs ([\d.]+) x ([\d.]+) mm with its )"
                           R"(margins \((with a name line|without the name line, --no-name): )"
                           R"(([\d.]+ x [\d.]+) mm\))")
            .match(refused.err);
    QVERIFY2(sizes.hasMatch() && sizes.captured(3).startsWith("with a") == !names,
             qPrintable(refused.err));
    const QString without =
        names ? sizes.captured(4) : sizes.captured(1) + " x " + sizes.captured(2);
    QVERIFY2(without.startsWith(withoutName), qPrintable(refused.err));
    const double width = sizes.captured(1).toDouble(), height = sizes.captured(2).toDouble();
    QVERIFY2(run(width + 0.05, height + 0.05).exitCode == 0, qPrintable(refused.err));
    QVERIFY(QFile::remove(Path("s.pdf")));
    QCOMPARE(run(width + 0.05, height - 0.2).exitCode, 1);
}

// A thermal label printer's common label, 50 x 30 mm at 203 dpi (the tests'
// ZPL queue): its fewest dots for a module of at least 80 percent are 3,
// 0.37537 mm. The JAN's box at that X is 113 X by 25.93 mm x 0.37537 / 0.33
// (GS1's full bar height, digits below): 42.42 x 29.49 mm, 44.4 x 31.5 with
// the label's 1 mm around it, which 30 mm does not take even without the
// name: the refusal says so with both sizes. The queue's 2 x 1.25 inch label
// (asked as 51 x 32 mm, 50.8 x 31.75) takes it without its name, each module
// 3 whole dots, the bars their full height; with a name it is too low again.
// (Not 50 x 32 mm: the stock ZPL driver pads its rows to 8 dots and centres a
// page 399.6 dots wide on 408, off the page's own dots, which widens every
// bar by one; 2 inches, 406 dots, move by whole dots.)
void TestRenderLabels::aThermalLabelAt203DpiWithoutTheName_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("50 x 30 mm, no name")
        << QStringList{"--media", "50x30 mm", "--no-name"} << 1
        << "the label is 50.0 x 30.0 mm, and a symbol at 113.7 percent needs 44.4 x 31.5 mm";
    QTest::newRow("51 x 32 mm, no name")
        << QStringList{"--media", "51x32 mm", "--no-name"} << 0 << "";
    QTest::newRow("51 x 32 mm, a name") << QStringList{"--media", "51x32 mm", "--name", "緑茶"} << 1
                                        << "the label is 50.8 x 31.8 mm";
    QTest::newRow("a list, 51 x 32 mm")
        << QStringList{"--media", "51x32 mm", "--batch", "list.csv"} << 1
        << "(without the name line, --no-name: 44.4 x 31.5 mm)";
    QTest::newRow("a list, 51 x 32 mm, no name")
        << QStringList{"--media", "51x32 mm", "--no-name", "--batch", "list.csv"} << 0 << "";
}

void TestRenderLabels::aThermalLabelAt203DpiWithoutTheName() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QVERIFY(WriteAll(Path("list.csv"), "名称,JAN\n緑茶,4901234567894\n"));
    printtest::PrintServer server;
    QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
    arguments.replaceInStrings(QRegularExpression("^list.csv$"), Path("list.csv"));
    if (!arguments.contains("--batch"))
        arguments.prepend("4901234567894");
    const Ran run = server.Command(STRIPEWELL_RENDER, arguments + QStringList{"--print", "zpl"});
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    const printtest::Queue& zpl = printtest::Queues()[0];
    QString error;
    const QList<QImage> labels =
        printtest::Pages(zpl, server.TakeOutput(zpl.name, exitCode == 0 ? 120000 : 3000), &error);
    if (exitCode != 0) {
        QVERIFY(labels.isEmpty());
        return;
    }
    QCOMPARE(labels.size(), 1);
    const QString problem = printtest::LabelProblem(labels[0], "4901234567894", 3, dir_->path());
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QTEST_MAIN(TestRenderLabels)
#include "tst_render_labels.moc"
