// The files that stripewell-render writes, read back: bitmaps byte for byte
// against the window's save, every format through independent bar code
// readers, and what the program refuses, replaces and reports.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>

#include "files.h"
#include "run.h"
#include "symbol/canvas.h"
#include "symbol/code.h"
#include "symbol/drawing.h"
#include "symbol/pattern.h"
#include "symbol/picturefile.h"

namespace {

// The picture as the window draws it for a name and the data-digit box, with
// the check digit computed.
QImage WindowPicture(const QString& name, const QString& dataDigits) {
    symbol::Canvas canvas(QSize(135, 87));
    symbol::PrintName(canvas, name);
    QString code = symbol::ComposeCode(dataDigits, "");
    code = code.left(12) + QString::number(symbol::CheckDigit(code));
    symbol::DrawSymbol(canvas, code, symbol::BuildPattern(code));
    return canvas.Image();
}

// The bytes that the window's Save writes.
QByteArray WindowSave(const QString& name, const QString& dataDigits) {
    QString error;
    return symbol::EncodePicture(WindowPicture(name, dataDigits), "bmp", &error);
}

// Everything in a folder, temporary files (which start with a dot) included.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Every pixel pure black or pure white: no grey edges from smoothing.
bool OnlyBlackAndWhite(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xffffff) != 0 && (row[x] & 0xffffff) != 0xffffff)
                return false;
    }
    return true;
}

}  // namespace

class TestRenderFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void bmpIsTheWindowsSave_data();
    void bmpIsTheWindowsSave();
    void batchBmpsAreTheWindowsSaves();
    void bitmapsDecodeAtEveryScale_data();
    void bitmapsDecodeAtEveryScale();
    void svgDecodesAtItsPrintedSize_data();
    void svgDecodesAtItsPrintedSize();
    void svgKeepsTheNameAsText_data();
    void svgKeepsTheNameAsText();
    void svgSetsEachDigitWhereTheWindowDoes_data();
    void svgSetsEachDigitWhereTheWindowDoes();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void existingFileIsReplacedOnlyWithForce_data();
    void existingFileIsReplacedOnlyWithForce();
    void failedWritesKeepTheFilesThere_data();
    void failedWritesKeepTheFilesThere();
    void batchWritesGoodLinesAndReportsBadOnes();
    void quietBatchFromStandardInput();
    void nothingIsLost_data();
    void nothingIsLost();
    void racingRunsClaimANameOnce();
    void helpAndVersion();

private:
    // Runs the program in this test's folder.
    // fileSizeLimit: see RunOptions.
    Ran Render(const QStringList& arguments, const QByteArray& input = QByteArray(),
               qint64 fileSizeLimit = -1) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path(),
                          {.input = input, .fileSizeLimit = fileSizeLimit});
    }
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // The text of the EAN-13 symbol that ZXing reads in an image file, or
    // what it said when it read none. ZXingReader 1.4.0 aborts on an assertion
    // when its pass over a downscaled copy finds again, in a large picture, the
    // symbol that its full-size pass found: -noscale reads at full size only.
    QString Decode(const QString& path) {
        const Ran read =
            RunProgram(zxing_, {"-format", "EAN-13", "-noscale", "-bytes", path}, dir_->path());
        return read.exitCode == 0 && !read.out.isEmpty() ? read.out.trimmed()
                                                         : "(nothing read) " + read.err;
    }

    QString zxing_;
    QString rsvg_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderFiles::initTestCase() {
    zxing_ = QStandardPaths::findExecutable("ZXingReader");
    rsvg_ = QStandardPaths::findExecutable("rsvg-convert");
    QVERIFY2(!zxing_.isEmpty(), "ZXingReader is missing (Debian package zxing-cpp-tools)");
    QVERIFY2(!rsvg_.isEmpty(), "rsvg-convert is missing (Debian package librsvg2-bin)");
}

void TestRenderFiles::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderFiles::bmpIsTheWindowsSave_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("digits");
    QTest::newRow("no name") << ""
                             << "490123456789";
    QTest::newRow("Latin name, 13 digits") << "Green tea 500ml"
                                           << "4901234567894";
    QTest::newRow("Japanese name")
        << QString::fromUtf16(u"緑茶 ５００ｍｌ お徳用") << "978030640615";
    QTest::newRow("name kept with its spaces") << "  Tea  "
                                               << "490123456789";
    QTest::newRow("name wider than the picture") << QString(60, u'W') << "001234567890";
    QTest::newRow("name with quotes and ampersand") << "\"A&B\" <c>"
                                                    << "0012345678905";
}

void TestRenderFiles::bmpIsTheWindowsSave() {
    QFETCH(QString, name);
    QFETCH(QString, digits);
    const Ran run = Render({"--name", name, digits, "-o", "out.bmp"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QByteArray written = ReadAll(Path("out.bmp"));
    QVERIFY(!written.isEmpty());
    QVERIFY(written == WindowSave(name, digits.left(12)));
}

void TestRenderFiles::batchBmpsAreTheWindowsSaves() {
    // Several threads draw a batch, each on a canvas of its own that it keeps
    // from one symbol to the next: no file may show a trace of another.
    const QList<std::pair<QString, QString>> lines = {
        {QString::fromUtf16(u"緑茶 ５００ｍｌ お徳用"), "978030640615"},
        {"W", "4901234567894"},
        {QString(60, u'W'), "001234567890"},
        {"", "490123456789"},
    };
    constexpr int kRepeats = 8;
    QByteArray list;
    for (int repeat = 0; repeat < kRepeats; ++repeat)
        for (const auto& [name, digits] : lines)
            list += (name + u'\t' + digits + u'\n').toUtf8();
    QVERIFY(WriteAll(Path("list.tsv"), list));
    const Ran run = Render({"--batch", "list.tsv", "--out-dir", "out"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (const auto& [name, digits] : lines) {
            // The same name again is numbered; an empty one is named after the code.
            const QString stem = name.isEmpty() ? "4901234567894" : name;
            const QString file = repeat == 0 ? stem : stem + "-" + QString::number(repeat + 1);
            QVERIFY2(ReadAll(Path("out/" + file + ".bmp")) == WindowSave(name, digits.left(12)),
                     qPrintable(file));
        }
    }
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files).size(), kRepeats * lines.size());
}

void TestRenderFiles::bitmapsDecodeAtEveryScale_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("scale");
    QTest::newRow("bmp 1") << "bmp" << 1;
    QTest::newRow("bmp 2") << "bmp" << 2;
    QTest::newRow("bmp 5") << "bmp" << 5;
    QTest::newRow("png 1") << "png" << 1;
    QTest::newRow("png 3") << "png" << 3;
    QTest::newRow("png 20") << "png" << 20;
}

void TestRenderFiles::bitmapsDecodeAtEveryScale() {
    QFETCH(QString, format);
    QFETCH(int, scale);
    const QString file = "out." + format;
    const Ran run = Render({"--scale", QString::number(scale), "9780306406157", "-o", file});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Decode(Path(file)), QString("9780306406157"));

    const QImage picture(Path(file));
    const QImage window = WindowPicture("", "978030640615");
    QCOMPARE(picture.size(), window.size() * scale);
    QVERIFY(OnlyBlackAndWhite(picture));
    // Every module N pixels wide and every bar N times as long: the bar rows
    // above the digits, sampled once per N pixels, are the window's.
    for (int y = symbol::kBarTop; y < symbol::kDigitLine; ++y)
        for (int x = 0; x < window.width(); ++x)
            for (int d = 0; d < scale; ++d)
                QVERIFY2(picture.pixel(x * scale + d, y * scale + d) == window.pixel(x, y),
                         qPrintable(QString("module pixel %1,%2").arg(x).arg(y)));
}

void TestRenderFiles::svgDecodesAtItsPrintedSize_data() {
    QTest::addColumn<int>("magnification");
    QTest::newRow("80%") << 80;
    QTest::newRow("100%") << 100;
    QTest::newRow("150%") << 150;
    QTest::newRow("200%") << 200;
}

void TestRenderFiles::svgDecodesAtItsPrintedSize() {
    QFETCH(int, magnification);
    const Ran run = Render({"--name", QString::fromUtf16(u"緑茶"), "--magnification",
                            QString::number(magnification), "490123456789", "-o", "out.svg"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    // Printed at 300 dpi: a 0.33 mm module at 80 % is still three pixels wide.
    const Ran convert =
        RunProgram(rsvg_, {"-d", "300", "-p", "300", "-o", "out.png", "out.svg"}, dir_->path());
    QCOMPARE(convert.exitCode, 0);
    QCOMPARE(Decode(Path("out.png")), QString("4901234567894"));

    // 135 modules of 0.33 mm at the magnification, in 300-dpi pixels.
    const QImage picture(Path("out.png"));
    const double widthMm = 135 * 0.33 * magnification / 100;
    QVERIFY2(qAbs(picture.width() - widthMm / 25.4 * 300) <= 1,
             qPrintable(QString::number(picture.width())));
    // The background is painted, not left transparent.
    QCOMPARE(picture.pixel(1, 1), qRgb(255, 255, 255));
}

void TestRenderFiles::svgKeepsTheNameAsText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("markup characters") << "<b>A&B</b> \"5\" 'x'"
                                       << "<b>A&B</b> \"5\" 'x'";
    QTest::newRow("Japanese") << QString::fromUtf16(u"緑茶 ５００ｍｌ")
                              << QString::fromUtf16(u"緑茶 ５００ｍｌ");
    QTest::newRow("control character XML cannot hold")
        << "a\x01z" << QString::fromUtf16(u"a\uFFFDz");
}

void TestRenderFiles::svgKeepsTheNameAsText() {
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QCOMPARE(Render({"--name", name, "490123456789", "-o", "out.svg"}).exitCode, 0);
    QXmlStreamReader xml(ReadAll(Path("out.svg")));
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
            texts << xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(texts.size(), 14);  // the name, then the 13 digits one by one
    QCOMPARE(texts.first(), shown);
    QCOMPARE(texts.mid(1).join(QString()), QString("4901234567894"));
}

void TestRenderFiles::svgSetsEachDigitWhereTheWindowDoes_data() {
    QTest::addColumn<QStringList>("code");  // with --symbol when not a JAN
    QTest::addColumn<int>("top");           // the rows of a band of digits, in modules
    QTest::addColumn<int>("bottom");
    QTest::newRow("jan13") << QStringList{"4901234567894"} << 71 << 80;
    QTest::newRow("jan13, other digits") << QStringList{"9780306406157"} << 71 << 80;
    QTest::newRow("jan8") << QStringList{"--symbol", "jan8", "96385074"} << 71 << 80;
    QTest::newRow("upca, its small digits outside")
        << QStringList{"--symbol", "upca", "036000291452"} << 71 << 80;
    QTest::newRow("upce") << QStringList{"--symbol", "upce", "01234565"} << 71 << 80;
    QTest::newRow("jan13+5, the add-on's digits") << QStringList{"4901234567894+52495"} << 21 << 28;
    QTest::newRow("jan13+2, the add-on's digits") << QStringList{"4901234567894+12"} << 21 << 28;
}

// The window layout's SVG, drawn by rsvg-convert with the system's fonts at
// four pixels a module, sets each digit where the window's own picture does:
// the same runs of inked columns in a band of digits, each within a module
// of the window's. A digit moved by an advance or a group by a module shows.
void TestRenderFiles::svgSetsEachDigitWhereTheWindowDoes() {
    QFETCH(QStringList, code);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QCOMPARE(Render(code + QStringList{"-o", "out.bmp"}).exitCode, 0);
    QCOMPARE(Render(code + QStringList{"-o", "out.svg"}).exitCode, 0);
    constexpr int kPixels = 4;
    const QString dpi = QString::number(kPixels * 25.4 / 0.33, 'f', 6);
    QCOMPARE(RunProgram(rsvg_, {"-d", dpi, "-p", dpi, "-o", "out.png", "out.svg"}, dir_->path())
                 .exitCode,
             0);
    const QImage window = QImage(Path("out.bmp")).convertToFormat(QImage::Format_Grayscale8);
    const QImage drawn = QImage(Path("out.png")).convertToFormat(QImage::Format_Grayscale8);
    QVERIFY(!window.isNull() && !drawn.isNull());
    QVERIFY2(qAbs(drawn.width() - window.width() * kPixels) <= 1,
             qPrintable(QString::number(drawn.width())));
    // Runs of columns with ink in the band, as [first, last] in modules.
    const auto runs = [&](const QImage& picture, int scale) {
        QList<std::pair<double, double>> found;
        bool inRun = false;
        for (int x = 0; x < picture.width(); ++x) {
            bool ink = false;
            for (int y = top * scale; y < (bottom + 1) * scale && y < picture.height(); ++y)
                ink = ink || picture.constScanLine(y)[x] < 128;
            if (ink && !inRun)
                found.append({double(x) / scale, double(x + 1) / scale});
            else if (ink)
                found.last().second = double(x + 1) / scale;
            inRun = ink;
        }
        return found;
    };
    const auto expected = runs(window, 1);
    const auto seen = runs(drawn, kPixels);
    QString both;
    for (const auto& list : {expected, seen}) {
        for (const auto& [from, to] : list)
            both += QString(" %1-%2").arg(from).arg(to);
        both += " |";
    }
    QVERIFY2(expected.size() >= 2, qPrintable(both));
    // The fonts differ in their details (the window's is hinted to 13
    // pixels): a glyph's ink may spread or split by a little, not move.
    constexpr double kPlay = 1.5;
    const auto overlaps = [](const std::pair<double, double>& run, double from, double to) {
        return run.second > from && run.first < to;
    };
    for (const auto& run : expected) {
        double from = 1e9, to = -1e9;
        for (const auto& other : seen)
            if (overlaps(other, run.first, run.second)) {
                from = std::min(from, other.first);
                to = std::max(to, other.second);
            }
        QVERIFY2(
            qAbs(from - run.first) <= kPlay && qAbs(to - run.second) <= kPlay,
            qPrintable(
                QString("the window's ink at %1-%2:%3").arg(run.first).arg(run.second).arg(both)));
    }
    for (const auto& run : seen) {
        const bool sliver = run.second - run.first < 0.5;
        QVERIFY2(sliver || std::any_of(expected.begin(), expected.end(),
                                       [&](const auto& other) {
                                           return overlaps(run, other.first - kPlay,
                                                           other.second + kPlay);
                                       }),
                 qPrintable(QString("ink at %1-%2 where the window has none:%3")
                                .arg(run.first)
                                .arg(run.second)
                                .arg(both)));
    }
}

void TestRenderFiles::refusalsWriteNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("wrong check digit, a swap would fix it")
        << QStringList{"4091234567894", "-o", "out.bmp"} << 2
        << QStringList{"must be 2", "4901234567894  (digits 2 and 3 swapped)"};
    QTest::newRow("wrong check digit, no swap would")
        << QStringList{"4901234567890", "-o", "out.bmp"} << 2
        << QStringList{"must be 4", "No swap"};
    QTest::newRow("letter") << QStringList{"49012345678x", "-o", "out.png"} << 2
                            << QStringList{"character 12"};
    QTest::newRow("too few digits")
        << QStringList{"49012345678", "-o", "out.svg"} << 2 << QStringList{"11 digits"};
    QTest::newRow("scale out of range")
        << QStringList{"490123456789", "-o", "out.png", "--scale", "21"} << 1
        << QStringList{"1 to 20", "--help"};
    QTest::newRow("unknown option")
        << QStringList{"490123456789", "-o", "out.png", "--colour"} << 1 << QStringList{"colour"};
}

void TestRenderFiles::refusalsWriteNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, mentions);
    const Ran run = Render(arguments);
    QCOMPARE(run.exitCode, exitCode);
    for (const QString& mention : mentions)
        QVERIFY2(run.err.contains(mention), qPrintable(run.err));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

void TestRenderFiles::existingFileIsReplacedOnlyWithForce_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("refusal");  // what the run without --force says
    QTest::newRow("single") << QStringList{"--name", "Tea", "490123456789", "-o", "Tea.bmp"}
                            << "Tea.bmp"
                            << "Tea.bmp already exists; give --force to replace it";
    QTest::newRow("batch") << QStringList{"--batch", "-", "--out-dir", "."} << "Tea.bmp"
                           << "(standard input):1: ./Tea.bmp already exists; give --force";
}

void TestRenderFiles::existingFileIsReplacedOnlyWithForce() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, refusal);
    const QByteArray old("an earlier file, to be kept");
    QVERIFY(WriteAll(Path(file), old));
    // Not the permissions of a new file: a replaced file keeps its own.
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(Path(file), permissions));
    const QByteArray list("Tea,490123456789\n");

    const Ran kept = Render(arguments, list);
    QVERIFY(kept.exitCode != 0);
    QVERIFY2(kept.err.contains(refusal), qPrintable(kept.err));
    QCOMPARE(ReadAll(Path(file)), old);

    const Ran replaced = Render(arguments + QStringList{"--force"}, list);
    QCOMPARE(replaced.err, QString());
    QCOMPARE(replaced.exitCode, 0);
    QVERIFY(ReadAll(Path(file)) == WindowSave("Tea", "490123456789"));
    // The "user" flags say what this process may do, not the file's mode.
    const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    QCOMPARE(QFile::permissions(Path(file)) & ~user, permissions);
    // The temporary file the write went through is gone.
    QCOMPARE(Entries(dir_->path()), QStringList{file});
}

void TestRenderFiles::failedWritesKeepTheFilesThere_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<qint64>("limit");  // bytes a file may hold
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("mentions");
    const QStringList batch = {"--batch", "list.csv", "--out-dir", "out", "--force"};
    const QStringList tooLarge = {qt_error_string(EFBIG)};
    // A limit inside the file: the first write is cut short, the next fails.
    QTest::newRow("batch, part written")
        << batch << qint64(1000) << 4
        << tooLarge + QStringList{"list.csv:1: cannot write out/Tea.bmp",
                                  "list.csv:2: cannot write out/Oolong.bmp"};
    QTest::newRow("batch, nothing written")
        << batch << qint64(0) << 4
        << tooLarge + QStringList{"list.csv:1: cannot write out/Tea.bmp",
                                  "list.csv:2: cannot write out/Oolong.bmp"};
    QTest::newRow("batch as svg") << batch + QStringList{"--format", "svg"} << qint64(1000) << 4
                                  << tooLarge +
                                         QStringList{"list.csv:1: cannot write out/Tea.svg",
                                                     "list.csv:2: cannot write out/Oolong.svg"};
    const QStringList single = {"--name", "Tea", "490123456789", "-o", "out/Tea.bmp", "--force"};
    QTest::newRow("single file") << single << qint64(1000) << 3
                                 << QStringList{"cannot write out/Tea.bmp"};
}

void TestRenderFiles::failedWritesKeepTheFilesThere() {
    // A file size limit makes every write fail, as a full disk would: each
    // failure is reported, the files that were there stay byte for byte, and
    // no part of a new file or temporary file is left.
    QFETCH(QStringList, arguments);
    QFETCH(qint64, limit);
    QFETCH(int, exitCode);
    QFETCH(QStringList, mentions);
    QVERIFY(QDir(dir_->path()).mkdir("out"));
    const QByteArray old("an earlier file, to be kept");
    QVERIFY(WriteAll(Path("out/Tea.bmp"), old));
    QVERIFY(WriteAll(Path("out/Tea.svg"), old));
    QVERIFY(WriteAll(Path("list.csv"), "Tea,490123456789\nOolong,4901234567894\n"));
    const QStringList before = Entries(Path("out"));

    const Ran run = Render(arguments, QByteArray(), limit);
    QCOMPARE(run.exitCode, exitCode);
    for (const QString& mention : mentions)
        QVERIFY2(run.err.contains(mention), qPrintable(run.err));
    QCOMPARE(Entries(Path("out")), before);
    QCOMPARE(ReadAll(Path("out/Tea.bmp")), old);
    QCOMPARE(ReadAll(Path("out/Tea.svg")), old);
}

void TestRenderFiles::batchWritesGoodLinesAndReportsBadOnes() {
    QVERIFY(QDir(dir_->path()).mkdir("out"));
    const QByteArray kept("an earlier file, to be kept");
    QVERIFY(WriteAll(Path("out/Exists.bmp"), kept));
    const QByteArray list = QByteArray("\xEF\xBB\xBF") +
                            "商品名,JANコード\n"           // 1 header
                            "Green tea,490123456789\n"     // 2
                            "\n"                           // 3 blank
                            "Bad letter,49012x4567894\n"   // 4
                            "Oolong\t4901234567894\r\n"    // 5
                            "Wrong check,4901234567890\n"  // 6
                            "no separator here\n"          // 7
                            "Green tea,978030640615\n"     // 8 same name
                            ",4901234567894\n"             // 9 no name
                            "Short,12345\n"                // 10
                            "Exists,490123456789\n"        // 11 file there
                            "T\xFF,490123456789\n"         // 12 not UTF-8
                            "Long," +
                            QByteArray(100000, '1') +
                            "\n"                       // 13 too long to hold
                            "../escape,490123456789";  // 14 no line end
    QVERIFY(WriteAll(Path("list.csv"), list));

    const Ran run = Render({"--batch", "list.csv", "--out-dir", "out"});
    QCOMPARE(run.exitCode, 4);
    for (int bad : {4, 6, 7, 10, 11, 12, 13})
        QVERIFY2(run.err.contains(QString("list.csv:%1: ").arg(bad)), qPrintable(run.err));
    for (int good : {1, 2, 3, 5, 8, 9, 14})
        QVERIFY2(!run.err.contains(QString("list.csv:%1: ").arg(good)), qPrintable(run.err));
    QVERIFY2(run.err.contains("must be 4"), qPrintable(run.err));

    const QMap<QString, QByteArray> expected = {
        {"Green tea.bmp", WindowSave("Green tea", "490123456789")},
        {"Oolong.bmp", WindowSave("Oolong", "490123456789")},
        {"Green tea-2.bmp", WindowSave("Green tea", "978030640615")},
        {"4901234567894.bmp", WindowSave("", "490123456789")},
        {"_escape.bmp", WindowSave("../escape", "490123456789")},
        {"Exists.bmp", kept},
    };
    const QDir out(Path("out"));
    QCOMPARE(out.entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList(expected.keys()));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(ReadAll(out.filePath(it.key())) == it.value(), qPrintable(it.key()));
}

void TestRenderFiles::quietBatchFromStandardInput() {
    QByteArray list;
    for (int i = 0; i < 20; ++i)
        list += QStringLiteral("Item %1,49012345%2\r\n").arg(i).arg(i, 4, 10, QChar(u'0')).toUtf8();
    const Ran run = Render({"--batch", "-", "--out-dir", "png", "--format", "png"}, list);
    // Off a terminal there is no progress line, and a batch that went well says nothing.
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QDir(Path("png")).entryList(QDir::Files).size(), 20);
    const QString data = QStringLiteral("490123450007");
    QCOMPARE(Decode(Path("png/Item 7.png")), data + QString::number(symbol::CheckDigit(data)));
}

void TestRenderFiles::nothingIsLost_data() {
    // Each row: a shell script run in the test's folder with $R the program
    // and its standard error in the file err; its last command's exit status;
    // what the program says exactly once (nothing at all when empty); a shell
    // test of what is left afterwards. Rows that need a file system of their
    // own run in a private mount namespace, on a tmpfs that goes with it.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("privateTmpfs");
    const QString list3 = R"(seq 3 | sed 's/.*/Item &,490123456789/' | )";
    QTest::newRow("-o - writes to standard output")
        << R"("$R" 490123456789 -o - >out)" << 0 << ""
        << R"("$R" 490123456789 -o ref.bmp && cmp out ref.bmp)" << false;
    QTest::newRow("/dev/stdout is added to, not replaced")
        << R"(printf old >log; "$R" 490123456789 -o /dev/stdout --format bmp --force >>log)" << 0
        << ""
        << R"("$R" 490123456789 -o ref.bmp && printf old | cat - ref.bmp | cmp - log)" << false;
    QTest::newRow("the file standard output goes to stays")
        << R"(printf old >log; "$R" 490123456789 -o log --format bmp --force >>log)" << 3
        << "log is the standard output; it is never replaced"
        << R"([ "`cat log`" = old ])" << false;
    QTest::newRow("a folder stays")
        << R"(mkdir d.bmp; "$R" 490123456789 -o d.bmp --force)" << 3 << "d.bmp is a folder"
        << "[ -d d.bmp ]" << false;
    QTest::newRow("a fifo stays") << R"(mkfifo f.bmp; "$R" 490123456789 -o f.bmp --force)" << 3
                                  << "f.bmp is a fifo"
                                  << "[ -p f.bmp ]" << false;
    QTest::newRow("a device stays")
        << R"(mknod null c 1 3 && "$R" 490123456789 -o null --format bmp --force)" << 3
        << "null is a device"
        << "[ -c null ]" << true;
    QTest::newRow("a link is replaced, not written through")
        << R"(printf old >t; ln -s t l.bmp; "$R" 490123456789 -o l.bmp --force)" << 0 << ""
        << R"([ ! -L l.bmp ] && [ -s l.bmp ] && [ "`cat t`" = old ])" << false;
    QTest::newRow("single: a read-only file stays")
        << R"(printf old >r.bmp; chmod 444 r.bmp; "$R" 490123456789 -o r.bmp --force)" << 3
        << "r.bmp is read-only"
        << R"([ "`cat r.bmp`" = old ])" << false;
    QTest::newRow("batch: a read-only file stays")
        << R"(mkdir o; printf old >o/Tea.bmp; chmod 444 o/Tea.bmp;
              echo Tea,490123456789 | "$R" --batch - --out-dir o --force)"
        << 4 << "o/Tea.bmp is read-only"
        << R"([ "`cat o/Tea.bmp`" = old ])" << false;
    const QString milkList =
        R"(mkdir od; printf 'Milk,490123456789\nTea,4901234567894\n' >od/Milk.bmp; )";
    QTest::newRow("the list under an output name stays")
        << milkList + R"("$R" --batch od/Milk.bmp --out-dir od --force)" << 4
        << "od/Milk.bmp is the list being read"
        << "grep -q Tea od/Milk.bmp && [ -s od/Tea.bmp ]" << false;
    QTest::newRow("the list given as standard input stays")
        << milkList + R"("$R" --batch - --out-dir od --force <od/Milk.bmp)" << 4
        << "od/Milk.bmp is the standard input"
        << "grep -q Tea od/Milk.bmp && [ -s od/Tea.bmp ]" << false;
    QTest::newRow("a size limit says so")
        << R"((ulimit -f 1; "$R" 490123456789 -o big.bmp))" << 3
        << "cannot write big.bmp: " + qt_error_string(EFBIG) << "[ ! -e big.bmp ]" << false;
    QTest::newRow("a folder that cannot be made says why")
        << R"(touch f; "$R" --batch - --out-dir f/g </dev/null)" << 3
        << "cannot make the folder f/g: " + qt_error_string(ENOTDIR) << "[ -f f ]" << false;
    QTest::newRow("a full disk stops the batch")
        << R"(mkdir out && mount -t tmpfs -o size=16k tmpfs out &&
              seq 100 | sed 's/.*/Item &,490123456789/' | "$R" --batch - --out-dir out)"
        << 3 << "cannot write into the folder out: " + qt_error_string(ENOSPC)
        << R"(n=$(ls out | wc -l); [ $n -gt 0 ] &&
              grep -q "stopped there, $((100 - n)) lines not written ($n files written" err)"
        << true;
    QTest::newRow("a read-only file system stops the batch")
        << "mkdir out && mount -t tmpfs -o ro tmpfs out && " + list3 +
               R"("$R" --batch - --out-dir out)"
        << 3 << "out: " + qt_error_string(EROFS) + "; stopped there, 3 lines not written"
        << "true" << true;
    QTest::newRow("a folder that may not be written stops the batch")
        << "mkdir out && " + list3 +
               R"(setpriv --reuid=65534 --regid=65534 --clear-groups "$R" --batch - --out-dir out)"
        << 3 << "out: " + qt_error_string(EACCES) + "; stopped there, 3 lines not written"
        << "true" << true;
}

void TestRenderFiles::nothingIsLost() {
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QString, after);
    QFETCH(bool, privateTmpfs);
    const QString body = QStringLiteral(R"(R="$1"; { %1
} 2>err; status=$?; cat err >&2; { %2
} || echo "not so afterwards"; exit $status)")
                             .arg(script, after);
    const QString mounted =
        QStringLiteral(R"(mount -t tmpfs tmpfs "$PWD" && cd "$PWD" && echo mounted && )");
    if (privateTmpfs && geteuid() != 0)
        QSKIP("needs root, for a private mount namespace with a tmpfs");
    const Ran run =
        privateTmpfs
            ? RunProgram("unshare", {"-m", "sh", "-c", mounted + body, "sh", STRIPEWELL_RENDER},
                         dir_->path())
            : RunProgram("sh", {"-c", body, "sh", STRIPEWELL_RENDER}, dir_->path());
    if (privateTmpfs && !run.out.startsWith("mounted"))
        QSKIP(qPrintable("no private tmpfs here: " + run.err));
    QVERIFY2(!run.out.contains("not so afterwards"), qPrintable(after + '\n' + run.err));
    QCOMPARE(run.exitCode, exitCode);
    if (said.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.count(said) == 1, qPrintable(run.err));
}

void TestRenderFiles::racingRunsClaimANameOnce() {
    // Two runs write the same new name at once, without --force: each time
    // exactly one of them gets it, and the file is the winner's.
    const QString names[2] = {"A", "B"};
    for (int round = 0; round < 20; ++round) {
        const QString file = QStringLiteral("%1.bmp").arg(round);
        QProcess runs[2];
        for (int i = 0; i < 2; ++i) {
            runs[i].setWorkingDirectory(dir_->path());
            runs[i].start(STRIPEWELL_RENDER, {"--name", names[i], "490123456789", "-o", file});
        }
        for (QProcess& run : runs)
            QVERIFY(run.waitForFinished(60000));
        const int winner = runs[0].exitCode() == 0 ? 0 : 1;
        QCOMPARE(runs[winner].exitCode(), 0);
        QCOMPARE(runs[1 - winner].exitCode(), 3);
        QVERIFY(ReadAll(Path(file)) == WindowSave(names[winner], "490123456789"));
    }
}

void TestRenderFiles::helpAndVersion() {
    const Ran help = Render({"--help"});
    QCOMPARE(help.exitCode, 0);
    for (const char* option : {"--name", "--format", "--scale", "--magnification", "--force",
                               "--batch", "--out-dir", "--version", "Exit status"})
        QVERIFY2(help.out.contains(option), option);
    const Ran version = Render({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(
        QRegularExpression(R"(^stripewell-render \d+\.\d+\.\d+\n$)").match(version.out).hasMatch(),
        qPrintable(version.out));
}

QTEST_MAIN(TestRenderFiles)
#include "tst_render_files.moc"
