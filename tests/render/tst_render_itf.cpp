// ITF-14 in the files of stripewell-render: every format read back by ZXing
// and zbar at the smallest and largest module, its ratio, bearer bars and
// quiet zones measured in dots at 600 dpi, and the input that is refused.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "pictures.h"
#include "printserver.h"
#include "readers.h"

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
    void labelSheets_data();
    void labelSheets();
    void oneCaseCodeOnEveryPath_data();
    void oneCaseCodeOnEveryPath();

private:
    // What ZXing reads from what a run made: the file, the list's folder,
    // the sheet's pages, or the job the print server's PDF queue printed.
    QStringList ReadBack(const QString& path, int waitMs);
    QList<QImage> printed_;                           // the pages of the last job read back
    std::unique_ptr<printtest::PrintServer> server_;  // started for the first printing row

    Ran Render(const QStringList& arguments) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
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
    const Ran run = Render(arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    const QString file = arguments[3];
    const QString png = PictureOf(file, dir_->path());
    // ZXing asserts on some of these pictures when it also tries them
    // scaled down; full size it reads them.
    const QString zxing = ZXingReport(png, {"-1", "-format", "ITF"}, ".");
    QCOMPARE(zxing.section(u'"', 1, 1), text);
    const QString zbar = ZbarCodes(png, {"-Si25.enable"}, ".").join(u' ');
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
    const Ran run = Render(arguments + QStringList{"--symbol", "itf14", "15400141288763", "--dpi",
                                                   "600", "-o", "i.png"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
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
    // A wrong check digit is a refused code, with or without an indicator.
    QTest::newRow("indicator with a wrong JAN")
        << QStringList{"4901234567895", "--indicator", "1"} << 2 << "must be 4";
    QTest::newRow("indicator with 14 digits")
        << QStringList{"15400141288763", "--indicator", "1"} << 2 << "12 or 13 digits of a JAN";
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
    const Ran run = Render(QStringList{"--symbol", "itf14", "-o", "a.png"} + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.all().contains(mention), qPrintable(run.all()));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

// Case codes on label sheets whose labels hold them, every label read back
// by both readers; labels that do not are refused with the size needed. At
// 49 percent the module is 0.49784 mm and the symbol 140.5 modules wide with
// its quiet zones (start 4, 14 digits of 8 at ratio 2.5, stop 4.5, 10 + 10):
// 69.9 mm, in a frame of 4.83 mm each side and a label margin of 1 mm each
// side, 81.6 mm.
void TestRenderItf::labelSheets_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("read");  // both readers, sorted; or a message
    const QString list = "--batch=cases.csv";
    // The list's 4901234567894 is a JAN without an indicator: refused.
    QTest::newRow("A6 labels, a list, frames")
        << QStringList{list, "--sheet-file", "a6.txt"} << 4 << "14901234567891";
    QTest::newRow("a4-12, bars, no name, fitted")
        << QStringList{"14901234567891", "--sheet", "a4-12", "--bearer", "bars"} << 0
        << "14901234567891";
    QTest::newRow("a4-12, frame") << QStringList{"14901234567891", "--sheet", "a4-12"} << 1
                                  << "at 49 percent needs 81.6 x";
    QTest::newRow("a4-24, list") << QStringList{list, "--sheet", "a4-24"} << 1
                                 << "at 49 percent and its name needs";
    QTest::newRow("magnification 60 on a sheet, indicator 3")
        << QStringList{list, "--sheet-file", "a6.txt", "--magnification", "60", "--indicator", "3"}
        << 4 << "34901234567895";
}

void TestRenderItf::labelSheets() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, read);
    QVERIFY(WriteAll(Path("cases.csv"),
                     "大箱,14901234567891\n小箱,4901234567894\n"
                     "悪い,14901234567890\n"));
    QVERIFY(WriteAll(Path("a6.txt"),
                     "columns = 2\nrows = 4\nlabel-width = 105\n"
                     "label-height = 74\nleft = 0\ntop = 0.5\n"
                     "pitch-x = 105\npitch-y = 74\n"));
    QStringList command{"--symbol", "itf14"};
    if (!arguments.contains("--print"))
        command << "-o"
                << "s.pdf";
    const Ran run = Render(command + arguments);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.all()));
    if (exitCode == 1) {
        QVERIFY2(run.all().contains(read), qPrintable(run.all()));
        QVERIFY(!QFile::exists(Path("s.pdf")));
        return;
    }
    // 200 dpi: ZXing, which scales whole pages down itself, misses case
    // codes on them at some other resolutions.
    QVERIFY(
        RunProgram("pdftoppm", {"-r", "200", "-png", "-singlefile", "s.pdf", "page"}, dir_->path())
            .exitCode == 0);
    QCOMPARE(ZbarCodes("page.png", {"-Si25.enable"}, dir_->path()).join(u' '), read);
    // Across the middle of the first symbol, the first black is its frame's
    // side (4.83 mm, 38 dots) or, with bars above and below, a bar (at most
    // 3 X of 0.6 mm, 15 dots).
    const QImage page(Path("page.png"));
    int top = page.height(), bottom = 0;
    for (int y = 0; y < page.height(); ++y)
        if (!BlackRuns(page.copy(0, y, page.width() / 2, 1), 0).isEmpty()) {
            top = std::min(top, y);
            bottom = y;
        }
    const QList<QPoint> middle = BlackRuns(page, (top + bottom) / 2);
    QVERIFY(!middle.isEmpty());
    const bool frame = !arguments.contains("bars");
    QVERIFY2(frame ? std::abs(middle[0].y() - 38) <= 1 : middle[0].y() <= 15,
             qPrintable(QString::number(middle[0].y())));
    QCOMPARE(ZXingTexts("page.png", {"-format", "ITF"}, dir_->path()).join(u' '), read);
}

QStringList TestRenderItf::ReadBack(const QString& path, int waitMs) {
    QStringList pictures{path};
    if (path == u"printer") {
        QString error;
        const printtest::Queue& pdf = printtest::Queues()[2];
        printed_ = printtest::Pages(pdf, server_->TakeOutput(pdf.name, waitMs), &error);
        const QList<QImage>& pages = printed_;
        pictures.clear();
        for (qsizetype i = 0; i < pages.size(); ++i)
            if (pages[i].save(Path(QStringLiteral("printed-%1.png").arg(i))))
                pictures << QStringLiteral("printed-%1.png").arg(i);
    } else if (path.endsWith(u".pdf")) {
        RunProgram("pdftoppm", {"-r", "200", "-png", path, "page"}, dir_->path());
        pictures = QDir(dir_->path()).entryList({"page*.png"});
    } else if (path == u"out") {
        pictures =
            QDir(Path(path)).entryList({"*.png"}).replaceInStrings(QRegularExpression("^"), "out/");
    }
    QStringList read;
    for (const QString& picture : pictures)
        read += ZXingTexts(picture, {"-format", "ITF"}, dir_->path());
    return read;
}

// The same digits give the same GTIN-14, read by ZXing, in a file, in a
// list's files, on a label sheet, from a list on one and on a printer (the
// print server's PDF queue), or are refused on each. The case codes, worked
// by hand with GS1's weights 3 and 1 from the right, and read by ZXing from
// zint's symbols of their first 13 digits: 1 451234560001 -> 14512345600010,
// 5 490123456789 -> 54901234567899, 1540014128876 -> 15400141288763 (its 6
// is not the check digit 5 of 154001412887: no JAN). 4512345600013 is a
// whole JAN: without --indicator it is refused with both readings, its case
// code 14512345600010 and the GTIN-14 it begins, 45123456000134 (its digits
// weighted 1 3 1 ... from the left sum to 86).
void TestRenderItf::oneCaseCodeOnEveryPath_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("digits");  // the list's line too
    QTest::addColumn<QString>("read");    // what ZXing reads from
    QTest::addColumn<QString>("gtin");    // empty when refused
    QTest::addColumn<int>("exitCode");
    const struct {
        const char* what;
        const char* given;  // the digits, and --indicator if any
        const char* gtin;
    } codes[] = {
        {"12-digit JAN, indicator 1", "451234560001 --indicator 1", "14512345600010"},
        {"13-digit JAN, indicator 1", "4512345600013 --indicator 1", "14512345600010"},
        {"GTIN-14", "14512345600010", "14512345600010"},
        {"JAN, indicator 5", "4901234567894 --indicator 5", "54901234567899"},
        {"13 digits of no JAN", "1540014128876", "15400141288763"},
        {"JAN, no indicator", "4512345600013", ""},
    };
    const struct {
        const char* what;
        bool list;
        const char* arguments;
        const char* read;
        int refused;  // the exit status of a refused code
    } paths[] = {
        {"file", false, "-o c.png", "c.png", 2},
        {"list", true, "--out-dir out --format png", "out", 4},
        {"sheet", false, "--sheet a4-12 --bearer bars --no-name -o s.pdf", "s.pdf", 2},
        {"sheet of a list", true, "--sheet a4-12 --bearer bars --no-name -o s.pdf", "s.pdf", 3},
        {"printer", false, "--print pdf --bearer bars", "printer", 2},
        {"printer, a list", true, "--print pdf --bearer bars", "printer", 3},
    };
    for (const auto& code : codes) {
        const QStringList given = QString(code.given).split(u' ');
        for (const auto& path : paths)
            QTest::addRow("%s, %s", code.what, path.what)
                << QStringList{"--symbol", "itf14"} +
                       (path.list ? QStringList{"--batch", "cases.csv"} : given.mid(0, 1)) +
                       given.mid(1) + QString(path.arguments).split(u' ')
                << given[0] << path.read << code.gtin << (*code.gtin ? 0 : path.refused);
    }
}

void TestRenderItf::oneCaseCodeOnEveryPath() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, digits);
    QFETCH(QString, read);
    QFETCH(QString, gtin);
    QFETCH(int, exitCode);
    QVERIFY(WriteAll(Path("cases.csv"), "箱," + digits.toUtf8() + "\n"));
    Ran run;
    if (read == u"printer") {
        arguments.replaceInStrings(QRegularExpression("^cases.csv$"), Path("cases.csv"));
        if (!server_)
            server_ = std::make_unique<printtest::PrintServer>();
        QVERIFY2(server_->Error().isEmpty(), qPrintable(server_->Error()));
        run = server_->Command(STRIPEWELL_RENDER, arguments);
    } else {
        run = Render(arguments);
    }
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.all()));
    QCOMPARE(ReadBack(read, gtin.isEmpty() ? 3000 : 120000),
             gtin.isEmpty() ? QStringList() : QStringList{gtin});
    // Printed at 100 percent on the queue's 600 dpi: narrow bars of 1.016 mm,
    // 24 dots, the fewest of the row that crosses the most bars.
    if (read == u"printer" && !gtin.isEmpty()) {
        QList<int> across;
        for (int y = 0; y < printed_[0].height(); y += 10) {
            const QList<int> runs = Runs(printed_[0], QPoint(0, y), QPoint(1, 0));
            if (runs.size() > across.size())
                across = runs.mid(1, runs.size() - 2);
        }
        QCOMPARE(*std::min_element(across.begin(), across.end()), 24);
    }
    if (gtin.isEmpty())
        QVERIFY2(run.all().contains("--indicator 1 makes 14512345600010") &&
                     run.all().contains("give all 14 digits, 45123456000134"),
                 qPrintable(run.all()));
}

QTEST_MAIN(TestRenderItf)
#include "tst_render_itf.moc"
