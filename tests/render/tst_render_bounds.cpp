// stripewell-render on input that is too large, endless, repeated or odd, as
// a careless or hostile user gives it: each run finishes in time
// proportional to its input, in bounded memory, and says what happened.
// Each case is the command and what it must do.

#include <sys/stat.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "run.h"

namespace {

// The program run in folder with input on its standard input.
Ran RunRender(const QStringList& arguments, const QString& folder,
              const QByteArray& input = QByteArray()) {
    return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, folder, {.input = input});
}

// The peak resident memory of a run in KiB, as GNU time measures it.
qint64 PeakMemory(const QStringList& arguments, const QString& folder) {
    if (RunProgram(QStringLiteral("/usr/bin/time"),
                   QStringList{"-f", "%M", "-o", "peak.txt", STRIPEWELL_RENDER} + arguments, folder)
            .exitCode != 0)
        return -1;
    return ReadAll(folder + QStringLiteral("/peak.txt")).trimmed().toLongLong();
}

// A PDF without the second at which it was made, the one byte run that two
// runs of the program differ in.
QByteArray WithoutDate(QByteArray pdf) {
    const qsizetype from = pdf.indexOf("/CreationDate (");
    const qsizetype to = pdf.indexOf(')', from);
    if (from >= 0 && to > from)
        pdf.replace(from, to - from, "/CreationDate (");
    return pdf;
}

const QByteArray kGoodSheet =
    "columns = 3\nrows = 8\nlabel-width = 70\nlabel-height = 33.9\n"
    "left = 0\ntop = 12.7\npitch-x = 70\npitch-y = 33.9\n";

}  // namespace

class TestBounds : public QObject {
    Q_OBJECT

private slots:
    void init();
    void commandIsRefused_data();
    void commandIsRefused();
    void listIsReported_data();
    void listIsReported();
    void sheetFileIsReadUpToItsLimit_data();
    void sheetFileIsReadUpToItsLimit();
    void unclosedQuoteIsReadInLinearTime_data();
    void unclosedQuoteIsReadInLinearTime();
    void longNamesAreCutToTheWindowsLimit_data();
    void longNamesAreCutToTheWindowsLimit();
    void sheetMemoryIsFlat();
    void standardOutputGetsLabelsOrNothing_data();
    void standardOutputGetsLabelsOrNothing();
    void sheetListInAnyCase();
    void barWidthReductionFitsTheLabelsModule_data();
    void barWidthReductionFitsTheLabelsModule();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestBounds::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(WriteAll(Path("mine.txt"), kGoodSheet));
    QVERIFY(WriteAll(Path("list.csv"), "Tea,4901234567894\n"));
}

void TestBounds::commandIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList one{"4901234567894", "-o", "out.pdf"};
    const QStringList batch{"--batch", "list.csv", "--out-dir", "out"};
    // Sheet files that are not files: refused at once, without reading them.
    QTest::newRow("sheet file /dev/zero") << one + QStringList{"--sheet-file", "/dev/zero"} << 1
                                          << "cannot read the sheet file /dev/zero: it is a device";
    QTest::newRow("sheet file a fifo without a writer")
        << one + QStringList{"--sheet-file", "fifo"} << 1
        << "cannot read the sheet file fifo: it is a fifo";
    QTest::newRow("sheet file a folder") << one + QStringList{"--sheet-file", "."} << 1
                                         << "cannot read the sheet file .: it is a folder";
    // Lists that are devices: refused before a byte is read, as a batch, a
    // sheet and a sheet from standard input.
    QTest::newRow("batch list /dev/zero")
        << QStringList{"--batch", "/dev/zero", "--out-dir", "out"} << 3
        << "cannot read the list /dev/zero: it is a device; a list is a file or a pipe";
    QTest::newRow("sheet list /dev/zero")
        << QStringList{"--batch", "/dev/zero", "--sheet", "a4-24", "-o", "out.pdf"} << 3
        << "cannot read the list /dev/zero: it is a device";
    QTest::newRow("batch list a folder") << QStringList{"--batch", ".", "--out-dir", "out"} << 3
                                         << "cannot read the list .: it is a folder";
    QTest::newRow("list and sheet file both standard input")
        << QStringList{"--batch", "-", "--sheet-file", "-", "-o", "out.pdf"} << 1
        << "standard input can be the list or the sheet file, not both";
    // Empty values, as an unset shell variable gives them.
    for (const char* option : {"--sheet", "--sheet-file"})
        QTest::newRow(qPrintable(QStringLiteral("empty %1").arg(option)))
            << one + QStringList{option, ""} << 1 << QStringLiteral("%1 needs a").arg(option);
    QTest::newRow("empty --sheet with --batch")
        << QStringList{"--batch", "list.csv", "--sheet", "", "-o", "out.pdf"} << 1
        << "--sheet needs a NAME, not an empty value";
    QTest::newRow("empty --batch")
        << QStringList{"--batch", "", "--out-dir", "out"} << 1 << "--batch needs a LIST";
    QTest::newRow("empty --out-dir")
        << QStringList{"--batch", "list.csv", "--out-dir", ""} << 1 << "--out-dir needs a DIR";
    QTest::newRow("empty --encoding")
        << batch + QStringList{"--encoding", ""} << 1 << "--encoding needs a NAME";
    QTest::newRow("empty --symbol")
        << one + QStringList{"--symbol", ""} << 1 << "--symbol needs a NAME";
    QTest::newRow("empty --code-column")
        << batch + QStringList{"--code-column", ""} << 1 << "--code-column needs a COLUMN";
    // Separators that can stand inside a code field or a number.
    for (const char* digit : {"4", "0", "\xEF\xBC\x94"})  // the last: a full-width 4
        QTest::newRow(qPrintable(QStringLiteral("separator %1").arg(QString::fromUtf8(digit))))
            << batch + QStringList{"--separator", QString::fromUtf8(digit)} << 1
            << "a digit is part of the codes";
    QTest::newRow("separator +") << batch + QStringList{"--separator", "+"} << 1
                                 << "joins a code to its add-on";
    QTest::newRow("separator .") << batch + QStringList{"--separator", "."} << 1
                                 << "stands in the numbers a spreadsheet writes";
    QTest::newRow("separator quote")
        << batch + QStringList{"--separator", "\""} << 1 << "--separator cannot be '\"'";
    // An output folder that cannot be written, named as a single symbol names it.
    QTest::newRow("sheet into a missing folder")
        << QStringList{"4901234567894", "--sheet", "a4-24", "-o", "nodir/out.pdf"} << 3
        << "cannot open the folder nodir: No such file or directory";
    QTest::newRow("batch sheet into a missing folder")
        << QStringList{"--batch", "list.csv", "--sheet", "a4-24", "-o", "nodir/out.pdf"} << 3
        << "cannot open the folder nodir: No such file or directory";
    QTest::newRow("sheet into a file as folder")
        << QStringList{"4901234567894", "--sheet", "a4-24", "-o", "list.csv/out.pdf"} << 3
        << "cannot open the folder list.csv: Not a directory";
}

void TestBounds::commandIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QCOMPARE(mkfifo(qPrintable(Path("fifo")), 0600), 0);
    const Ran run = RunRender(arguments, dir_->path());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!QFile::exists(Path("out.pdf")) && !QFile::exists(Path("out")));
}

void TestBounds::listIsReported_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QByteArray utf8 = "名称,JAN\nTea,4901234567894\n";
    for (const QString& sheet : {QStringLiteral("batch"), QStringLiteral("sheet")}) {
        const auto row = [&](const char* name) {
            return &QTest::newRow(
                qPrintable(sheet + QStringLiteral(", ") + QLatin1StringView(name)));
        };
        *row("UTF-16 mark before UTF-8 text")
            << "\xFF\xFE" + utf8 << QStringList() << 3
            << "its byte order mark says UTF-16LE, but the text after it is not UTF-16LE";
        *row("UTF-8 mark before UTF-16 text")
            << "\xEF\xBB\xBF" + QByteArray(
                                    "T\0e\0a\0,\0"
                                    "4\0\n\0",
                                    12)
            << QStringList() << 3
            << "its byte order mark says UTF-8, but the text after it is not UTF-8";
        *row("semicolon missing") << QByteArray("Tea;4901234567894\nCake,4901234567894\n")
                                  << QStringList{"--separator", "semicolon"} << 4
                                  << "list.csv:2: no semicolon between the name and the digits";
        *row("bar missing") << QByteArray("Tea|4901234567894\nCake,4901234567894\n")
                            << QStringList{"--separator", "|"} << 4
                            << "list.csv:2: no \"|\" between the name and the digits";
        *row("header alone")
            << QByteArray("名称,JAN\n") << QStringList() << 3
            << "list.csv holds a header line and no line after it; nothing written";
        *row("name cut") << "Tea" + QByteArray(20000, 'a') + ",4901234567894\n"
                         << QStringList() << 0
                         << "list.csv:1: the name is 20003 characters long; only its first 1000 "
                            "are used";
    }
}

// The same list and message as a batch of files and as a sheet.
void TestBounds::listIsReported() {
    QFETCH(QByteArray, list);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(WriteAll(Path("list.csv"), list));
    const bool sheet = QString::fromUtf8(QTest::currentDataTag()).startsWith(u"sheet");
    const QStringList target =
        sheet ? QStringList{"--sheet", "a4-24", "-o", "out.pdf"} : QStringList{"--out-dir", "out"};
    const Ran run = RunRender(QStringList{"--batch", "list.csv"} + target + options, dir_->path());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
}

void TestBounds::sheetFileIsReadUpToItsLimit_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList one{"4901234567894", "-o", "-"};
    // yes '# c' | stripewell-render ... --sheet-file /dev/stdin: more than a
    // sheet file ever is, refused after its first 64 KiB.
    QByteArray endless;
    while (endless.size() < 1024 * 1024)
        endless += "# c\n";
    QTest::newRow("endless comments on standard input")
        << one + QStringList{"--sheet-file", "/dev/stdin"} << endless << 1
        << "cannot read the sheet file /dev/stdin: it is longer than 64 KiB";
    QTest::newRow("sheet file of standard input")
        << one + QStringList{"--sheet-file", "-"} << kGoodSheet << 0 << "";
    // 64 KiB of comments and the sheet is read; a byte more is refused.
    QByteArray padded = kGoodSheet + "#";
    padded += QByteArray(64 * 1024 - padded.size(), 'c');
    QTest::newRow("64 KiB") << one + QStringList{"--sheet-file", "-"} << padded << 0 << "";
    QTest::newRow("64 KiB and a byte") << one + QStringList{"--sheet-file", "-"} << padded + "c"
                                       << 1 << "it is longer than 64 KiB";
    // What the file says, as the messages show it.
    QTest::newRow("rows out of range")
        << one + QStringList{"--sheet-file", "-"}
        << QByteArray(kGoodSheet).replace("rows = 8", "rows = 1000000") << 1
        << "(standard input):2: rows must be a whole number from 1 to 999, not \"1000000\"";
    QTest::newRow("400-digit length")
        << one + QStringList{"--sheet-file", "-"}
        << QByteArray(kGoodSheet).replace("left = 0", "left = 1" + QByteArray(400, '0')) << 1
        << "left must be a length in millimetres such as 12.5, at most 1000, not \"1000000000";
    QTest::newRow("missing key") << one + QStringList{"--sheet-file", "-"}
                                 << QByteArray(kGoodSheet).replace("pitch-y = 33.9\n", "") << 1
                                 << "(standard input): pitch-y is missing";
    QTest::newRow("UTF-16 text") << one + QStringList{"--sheet-file", "-"}
                                 << QByteArray(
                                        "\xFF\xFE"
                                        "c\0o\0l\0=\0",
                                        10)
                                 << 1 << "it holds zero bytes, as UTF-16 does";
    QTest::newRow("escape sequence in a key")
        << one + QStringList{"--sheet-file", "-"} << "\x1B[2J = 3\n" + kGoodSheet << 1
        << "(standard input):1: unknown key \"\uFFFD[2j\"";
}

void TestBounds::sheetFileIsReadUpToItsLimit() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Ran run = RunRender(arguments, dir_->path(), input);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    // A sheet read whole gives a PDF on standard output; a refused one nothing.
    QCOMPARE(run.bytes.startsWith("%PDF-"), exitCode == 0);
    if (exitCode != 0)
        QCOMPARE(run.bytes.size(), 0);
}

void TestBounds::unclosedQuoteIsReadInLinearTime_data() {
    QTest::addColumn<QStringList>("target");
    QTest::newRow("batch") << QStringList{"--out-dir", "out"};
    QTest::newRow("sheet") << QStringList{"--sheet", "a4-24", "-o", "out.pdf"};
}

// A quote opened and never closed, then 70,000 empty lines: read once each.
// Joining them by reading the record again at each line took minutes.
void TestBounds::unclosedQuoteIsReadInLinearTime() {
    QFETCH(QStringList, target);
    QVERIFY(WriteAll(Path("list.csv"), "\"A" + QByteArray(70000, '\n') + "Tea,4901234567894\n"));
    const Ran run = RunRender(QStringList{"--batch", "list.csv"} + target, dir_->path());
    QVERIFY2(run.err.contains(QStringLiteral("list.csv:1: a quote opened on this line is not "
                                             "closed: lines 1 to 65536 were read as one field")),
             qPrintable(run.err));
    QCOMPARE(run.exitCode, 4);  // the line after them was written
    QVERIFY2(run.milliseconds < 60000, qPrintable(QString::number(run.milliseconds)));
}

void TestBounds::longNamesAreCutToTheWindowsLimit_data() {
    QTest::addColumn<QStringList>("target");
    QTest::newRow("sheet of 24") << QStringList{"--sheet", "a4-24", "--copies", "24"};
    QTest::newRow("retail pdf") << QStringList{"--layout", "retail"};
    QTest::newRow("window bmp") << QStringList{};
}

// A 10,000-character name gives the file of its first 1,000 characters, as
// the window's name box keeps them, and says so.
void TestBounds::longNamesAreCutToTheWindowsLimit() {
    QFETCH(QStringList, target);
    QString name;
    for (int i = 0; name.size() < 10000; ++i)
        name += QStringLiteral("緑茶%1 ").arg(i);
    name.truncate(10000);
    const QString suffix = target.isEmpty() ? ".bmp" : ".pdf";
    const Ran cut = RunRender(
        QStringList{"4901234567894", "--name", name, "-o", "cut" + suffix} + target, dir_->path());
    QVERIFY2(cut.err.contains("the name is 10000 characters long; only its first 1000 are used"),
             qPrintable(cut.err));
    QCOMPARE(cut.exitCode, 0);
    const Ran kept = RunRender(
        QStringList{"4901234567894", "--name", name.left(1000), "-o", "kept" + suffix} + target,
        dir_->path());
    QCOMPARE(kept.exitCode, 0);
    QVERIFY(kept.err.isEmpty());
    const QByteArray file = WithoutDate(ReadAll(Path("cut" + suffix)));
    const QByteArray expected = WithoutDate(ReadAll(Path("kept" + suffix)));
    QVERIFY(!file.isEmpty());
    QCOMPARE(file.size(), expected.size());
    QVERIFY(file == expected);
}

// The peak memory of a sheet job: no more for names ten times as long (they
// are cut) nor for ten times as many labels (pages go out as they are done).
void TestBounds::sheetMemoryIsFlat() {
    const QString name(1000, u'茶');
    const QStringList base{"4901234567894", "--sheet", "a4-24", "-o"};
    const qint64 small =
        PeakMemory(base + QStringList{"a.pdf", "--name", name, "--copies", "24"}, dir_->path());
    const qint64 longNames = PeakMemory(
        base + QStringList{"b.pdf", "--name", name.repeated(10), "--copies", "24"}, dir_->path());
    const qint64 manyLabels = PeakMemory(
        base + QStringList{"c.pdf", "--name", name.left(100), "--copies", "240"}, dir_->path());
    QVERIFY(small > 0 && longNames > 0 && manyLabels > 0);
    qInfo("peak KiB: 24 labels %lld, names 10 times as long %lld, 240 labels %lld", small,
          longNames, manyLabels);
    QVERIFY(longNames < small * 3 / 2);
    QVERIFY(manyLabels < small * 3 / 2);
}

void TestBounds::barWidthReductionFitsTheLabelsModule_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    // Half the module: 0.33 mm x 100 % / 2 = 165 micrometres; at 80 %, 132;
    // a4-40 without a name fits 90.2 %: 148.8.
    QTest::newRow("a4-24, 1000") << QStringList{"--sheet", "a4-24", "--bwr", "1000"} << 1;
    QTest::newRow("a4-24, 166") << QStringList{"--sheet", "a4-24", "--bwr", "166"} << 1;
    QTest::newRow("a4-24, 165") << QStringList{"--sheet", "a4-24", "--bwr", "165"} << 0;
    QTest::newRow("a4-24 at 80 %, 165")
        << QStringList{"--sheet", "a4-24", "--magnification", "80", "--bwr", "165"} << 1;
    QTest::newRow("a4-24 at 80 %, 132")
        << QStringList{"--sheet", "a4-24", "--magnification", "80", "--bwr", "132"} << 0;
    QTest::newRow("a4-40, 160") << QStringList{"--sheet", "a4-40", "--bwr", "160"} << 1;
    QTest::newRow("a4-40, 149") << QStringList{"--sheet", "a4-40", "--bwr", "149"} << 1;
    QTest::newRow("a4-40, 148") << QStringList{"--sheet", "a4-40", "--bwr", "148"} << 0;
}

void TestBounds::barWidthReductionFitsTheLabelsModule() {
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    const Ran run =
        RunRender(QStringList{"4901234567894", "-o", "out.pdf"} + options, dir_->path());
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QFile::exists(Path("out.pdf")), exitCode == 0);
    if (exitCode != 0)
        QVERIFY2(run.err.contains("would leave bars narrower than half a module"),
                 qPrintable(run.err));
}

void TestBounds::standardOutputGetsLabelsOrNothing_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("every line bad") << QByteArray("Tea,4901234567890\nCake,12\n") << 3
                                    << "list.csv gives no label; nothing written";
    QTest::newRow("one line good") << QByteArray("Tea,4901234567890\nCake,4901234567894\n") << 4
                                   << "1 of the lines in list.csv failed; 1 labels written to -";
}

// With every line bad, nothing goes out, not even a blank page; with one good
// line, a PDF whose one page pdftoppm reads.
void TestBounds::standardOutputGetsLabelsOrNothing() {
    QFETCH(QByteArray, list);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(WriteAll(Path("list.csv"), list));
    const Ran run =
        RunRender(QStringList{"--batch", "list.csv", "--sheet", "a4-24", "-o", "-"}, dir_->path());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 3) {
        QCOMPARE(run.bytes.size(), 0);
        return;
    }
    QVERIFY(WriteAll(Path("out.pdf"), run.bytes));
    const Ran info = RunProgram(QStringLiteral("pdfinfo"), {Path("out.pdf")});
    QVERIFY(info.exitCode >= 0);
    const QString pages = info.out;
    QVERIFY2(pages.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))), qPrintable(pages));
}

// Sheet names are matched in any case, list too.
void TestBounds::sheetListInAnyCase() {
    const Ran lower = RunRender({"--sheet", "list"}, dir_->path());
    const Ran upper = RunRender({"--sheet", "LIST"}, dir_->path());
    QCOMPARE(upper.exitCode, 0);
    QVERIFY(upper.out.contains("a4-24"));
    QCOMPARE(upper.out, lower.out);
}

QTEST_MAIN(TestBounds)
#include "tst_render_bounds.moc"
