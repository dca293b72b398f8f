// Label sheets: the built-in sheets, sheet files of one's own, where each
// label of a list lands, and the magnification that fits a sheet's label.

#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "pipeline/sheet.h"
#include "pipeline/sheetpainter.h"

using pipeline::SheetTemplate;

class TestSheet : public QObject {
    Q_OBJECT

private slots:
    void builtInSheetsFitOnA4_data();
    void builtInSheetsFitOnA4();
    void sheetFileIsReadOrRefused_data();
    void sheetFileIsReadOrRefused();
    void sheetFileIsReadOnlyWhenAFile_data();
    void sheetFileIsReadOnlyWhenAFile();
    void labelsFillPagesInOrder_data();
    void labelsFillPagesInOrder();
    void symbolIsFittedToTheLabel_data();
    void symbolIsFittedToTheLabel();
};

void TestSheet::builtInSheetsFitOnA4_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("labels");
    for (auto [name, labels] : {std::pair{"a4-12", 12},
                                {"a4-18", 18},
                                {"a4-21", 21},
                                {"a4-24", 24},
                                {"a4-40", 40},
                                {"a4-44", 44},
                                {"a4-65", 65}})
        QTest::newRow(name) << QString::fromLatin1(name) << labels;
}

// Each built-in sheet is found by name, holds its number of labels, lies on
// the page, and its last label ends where its numbers say.
void TestSheet::builtInSheetsFitOnA4() {
    QFETCH(QString, name);
    QFETCH(int, labels);
    const std::optional<SheetTemplate> sheet = pipeline::FindSheet(name.toUpper());
    QVERIFY(sheet);
    QCOMPARE(sheet->LabelsPerPage(), labels);
    QCOMPARE(pipeline::SheetProblem(*sheet), QString());
    QVERIFY(pipeline::SheetListText().contains(name + u' '));
    const QRectF last = sheet->LabelRect(labels - 1);
    QCOMPARE(last.left(), sheet->left + (sheet->columns - 1) * sheet->pitchX);
    QCOMPARE(last.bottom(), sheet->top + (sheet->rows - 1) * sheet->pitchY + sheet->labelHeight);
}

void TestSheet::sheetFileIsReadOrRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    const QString good = QStringLiteral(
        "# 24 labels\ncolumns = 3\nrows = 8\nlabel-width = 70\nlabel-height = 33.9\n"
        "left = 0\ntop = 12.7\npitch-x = 70\npitch-y = 33.9\n");
    QTest::newRow("good") << good << "";
    QTest::newRow("good, CR line ends and blanks")
        << QString(good).replace(u'\n', u'\r').replace(QStringLiteral("="), QStringLiteral("  =\t"))
        << "";
    QTest::newRow("missing") << QString(good).remove(QStringLiteral("rows = 8\n"))
                             << "rows is missing";
    QTest::newRow("comments after the numbers")
        << QString(good).replace(QStringLiteral("\n"), QStringLiteral("  # mm\n")) << "";
    QTest::newRow("twice") << good + "rows = 8\n"
                           << "10: rows is given twice";
    QTest::newRow("unknown") << good + "gap = 2\n"
                             << "10: unknown key \"gap\"";
    QTest::newRow("no equals") << "columns 3\n" + good << "1: not of the form key = value";
    QTest::newRow("negative")
        << QString(good).replace("left = 0", "left = -1")
        << "6: left must be a length in millimetres such as 12.5, at most 1000, not "
           "\"-1\"";
    QTest::newRow("unit")
        << QString(good).replace("top = 12.7", "top = 12.7mm")
        << "7: top must be a length in millimetres such as 12.5, at most 1000, not "
           "\"12.7mm\"";
    QTest::newRow("fraction of a row")
        << QString(good).replace("rows = 8", "rows = 8.5")
        << "3: rows must be a whole number from 1 to 999, not \"8.5\"";
    QTest::newRow("a thousand rows")
        << QString(good).replace("rows = 8", "rows = 1000")
        << "3: rows must be a whole number from 1 to 999, not \"1000\"";
    QTest::newRow("999 columns: off the page")
        << QString(good).replace("columns = 3", "columns = 999")
        << "the labels reach 69930.00 mm from the left, beyond the page's width of 210 mm";
    QTest::newRow("a metre and a bit")
        << QString(good).replace("top = 12.7", "top = 1000.01")
        << "7: top must be a length in millimetres such as 12.5, at most 1000, not \"1000.01\"";
    QTest::newRow("a metre") << QString(good).replace("top = 12.7", "top = 1000")
                             << "the labels reach 1271.20 mm from the top, beyond the page's "
                                "height of 297 mm";
    QTest::newRow("control characters echoed as U+FFFD")
        << good + QStringLiteral("\x1b]0;x\x07 = 1\n")
        << QString::fromUtf16(u"10: unknown key \"\uFFFD]0;x\uFFFD\"");
    QTest::newRow("no rows") << QString(good).replace("rows = 8", "rows = 0")
                             << "columns and rows must be at least 1";
    QTest::newRow("too wide")
        << QString(good).replace("left = 0", "left = 1")
        << "the labels reach 211.00 mm from the left, beyond the page's width of 210 mm";
    QTest::newRow("too tall")
        << QString(good).replace("rows = 8", "rows = 9")
        << "the labels reach 317.80 mm from the top, beyond the page's height of 297 mm";
    QTest::newRow("overlap")
        << QString(good).replace("pitch-x = 70", "pitch-x = 60")
        << "pitch-x 60.00 mm is less than the label's width 70.00 mm: the labels overlap";
}

void TestSheet::sheetFileIsReadOrRefused() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    const pipeline::SheetFile file = pipeline::ParseSheetText(text, QStringLiteral("mine.txt"));
    QCOMPARE(file.error, error);
    QCOMPARE(file.sheet.has_value(), error.isEmpty());
    if (file.sheet) {
        const QRectF second = file.sheet->LabelRect(4);  // second row, second column
        QCOMPARE(second, QRectF(70, 12.7 + 33.9, 70, 33.9));
    }
}

void TestSheet::sheetFileIsReadOnlyWhenAFile_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    const QByteArray good =
        "columns = 3\nrows = 8\nlabel-width = 70\nlabel-height = 33.9\n"
        "left = 0\ntop = 12.7\npitch-x = 70\npitch-y = 33.9\n";
    QByteArray limit = good + "#";
    limit += QByteArray(64 * 1024 - limit.size(), 'c');
    QTest::newRow("good") << "mine.txt" << good << "";
    QTest::newRow("64 KiB") << "mine.txt" << limit << "";
    QTest::newRow("64 KiB and a byte") << "mine.txt" << limit + "c"
                                       << "cannot read the sheet file %1: it is longer than 64 "
                                          "KiB; a sheet file holds a few lines";
    QTest::newRow("missing") << "none.txt" << QByteArray()
                             << "cannot read the sheet file %1: No such file or directory";
    QTest::newRow("a folder") << "." << QByteArray()
                              << "cannot read the sheet file %1: it is a folder; a sheet file is "
                                 "a small text file";
    QTest::newRow("a fifo") << "fifo" << QByteArray()
                            << "cannot read the sheet file %1: it is a fifo; a sheet file is a "
                               "small text file";
    QTest::newRow("/dev/zero") << "/dev/zero" << QByteArray()
                               << "cannot read the sheet file %1: it is a device; a sheet file "
                                  "is a small text file";
    QTest::newRow("a key missing")
        << "mine.txt" << QByteArray(good).replace("top = 12.7\n", "") << "%1: top is missing";
    QTest::newRow("a line wrong") << "mine.txt" << QByteArray(good).replace("top = 12.7", "top")
                                  << "%1:6: not of the form key = value";
}

// Reads regular files up to 64 KiB; anything else is refused at once, a
// fifo without a writer and an endless device included.
void TestSheet::sheetFileIsReadOnlyWhenAFile() {
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(mkfifo("fifo", 0600), 0);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    const pipeline::SheetFile read = pipeline::ReadSheetFile(path);
    QCOMPARE(read.error, error.isEmpty() ? error : error.arg(path));
    QCOMPARE(read.sheet.has_value(), error.isEmpty());
    if (read.sheet)
        QCOMPARE(read.sheet->LabelsPerPage(), 24);
}

void TestSheet::labelsFillPagesInOrder_data() {
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("labels");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("50 labels") << 0 << 50 << QList<int>{24, 24, 2};
    QTest::newRow("50 labels after 5 used") << 5 << 50 << QList<int>{19, 24, 7};
    QTest::newRow("one full sheet") << 0 << 24 << QList<int>{24};
    QTest::newRow("last place") << 23 << 1 << QList<int>{1};
}

void TestSheet::labelsFillPagesInOrder() {
    QFETCH(int, skip);
    QFETCH(int, labels);
    QFETCH(QList<int>, perPage);
    const SheetTemplate sheet = *pipeline::FindSheet(QStringLiteral("a4-24"));
    QList<int> counted;
    pipeline::LabelSlot previous{0, skip - 1};
    for (int n = 0; n < labels; ++n) {
        const pipeline::LabelSlot slot = pipeline::SlotOf(sheet, skip, n);
        const bool next = slot.page == previous.page
                              ? slot.index == previous.index + 1
                              : slot.page == previous.page + 1 && slot.index == 0;
        QVERIFY2(next, qPrintable(QStringLiteral("label %1 is out of order").arg(n)));
        if (slot.page == counted.size())
            counted.append(0);
        ++counted[slot.page];
        previous = slot;
    }
    QCOMPARE(counted, perPage);
}

void TestSheet::symbolIsFittedToTheLabel_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<double>("asked");
    QTest::addColumn<bool>("names");
    QTest::addColumn<double>("fitted");
    QTest::newRow("24 labels at 100") << "a4-24" << 100.0 << true << 100.0;
    QTest::newRow("24 labels at 120, shrunk") << "a4-24" << 120.0 << true << 115.0;
    QTest::newRow("44 labels, no name") << "a4-44" << 100.0 << false << 90.2;
    QTest::newRow("44 labels with names") << "a4-44" << 100.0 << true << 82.2;
    QTest::newRow("65 labels: too small") << "a4-65" << 100.0 << false << 0.0;
}

void TestSheet::symbolIsFittedToTheLabel() {
    QFETCH(QString, sheet);
    QFETCH(double, asked);
    QFETCH(bool, names);
    QFETCH(double, fitted);
    const SheetTemplate layout = *pipeline::FindSheet(sheet);
    const QSizeF label(layout.labelWidth, layout.labelHeight);
    QCOMPARE(pipeline::FitMagnification(label, asked, names), fitted);
    if (fitted > 0) {
        const QSizeF needed = pipeline::NeededLabelSize(fitted, names);
        QVERIFY(needed.width() <= label.width() && needed.height() <= label.height());
    }
}

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_pipeline_sheet.moc"
