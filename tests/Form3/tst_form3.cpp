// The print dialog, printing into a PDF file as a printer with no printer
// installed does; the pages are read back by pdftoppm and zbarimg.

#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Form3/Form3.h"
#include "Form3/tagfields.h"
#include "files.h"
#include "person.h"
#include "pipeline/sheetpainter.h"
#include "readers.h"
#include "sheetpages.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");

// Runs start, which begins work off the window's thread, until signal; how
// often a timer of 10 ms fired meanwhile (0: the window was held), or -1
// when the signal did not come in time. The signal's arguments go into
// arguments.
template <typename Signal>
int TicksUntil(Form3& dialog, Signal signal, const std::function<void()>& start,
               QList<QVariant>* arguments = nullptr) {
    QSignalSpy done(&dialog, signal);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks += done.isEmpty(); });
    timer.start(10);
    start();
    if (done.isEmpty() && !done.wait(120000))
        return -1;
    if (arguments)
        *arguments = done.first();
    return ticks;
}

// Reads the list named in the dialog, as a person leaving its box does.
int ReadListOf(Form3& dialog) {
    return TicksUntil(dialog, &Form3::ListRead, [&] { dialog.ReadList(); });
}

}  // namespace

class TestForm3 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsIntoAPdf_data();
    void printsIntoAPdf();
    void listIsCountedAndItsBadLinesShown();
    void listOfBooksPrintsBookPairs_data();
    void listOfBooksPrintsBookPairs();
    void pageCountIsThePagesPrinted_data();
    void pageCountIsThePagesPrinted();
    void labelTooSmallPrintsNothing();
    void codeThatWouldNotScanPrintsNothing_data();
    void codeThatWouldNotScanPrintsNothing();
    void choicesAreRememberedForTheNextPrint();
    void everyTextIsJapanese();
    void listThatIsNotAShortFileIsRefused_data();
    void listThatIsNotAShortFileIsRefused();
    void windowAnswersWhileAListIsRead();
    void hugeCountIsShownWhole_data();
    void hugeCountIsShownWhole();
    void printsIntoAPdfFileAside_data();
    void printsIntoAPdfFileAside();
    void fileThatCannotBeWrittenKeepsWhatItHeld_data();
    void fileThatCannotBeWrittenKeepsWhatItHeld();
    void printStoppedWhilePaintedKeepsWhatItHeld();
    void tagTakesThePriceTyped_data();
    void tagTakesThePriceTyped();
    void tagChoicesAreRemembered();
    void listTagsArePricedFromItsColumns();

private:
    // Prints with the dialog's choices into a PDF; the codes read from each
    // page, in the order zbarimg finds them.
    QList<QStringList> PrintAndRead(Form3& dialog);
    // The labels of pdf, read page by page as PrintAndRead reads them.
    QList<QStringList> ReadPdf(Form3& dialog, const QString& pdf);

    QTemporaryDir dir_;
};

void TestForm3::initTestCase() {
    QVERIFY(dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
}

QList<QStringList> TestForm3::PrintAndRead(Form3& dialog) {
    const QString pdf = dir_.filePath("print.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    if (!dialog.Paint(&printer))
        return {};
    return ReadPdf(dialog, pdf);
}

QList<QStringList> TestForm3::ReadPdf(Form3& dialog, const QString& pdf) {
    const std::optional<pipeline::SheetTemplate> sheet =
        pipeline::FindSheet(dialog.Sheet->currentData().toString());
    constexpr int kDpi = 200;
    const QList<QImage> pages = RasterisePdf(pdf, kDpi, dir_.path());
    // One symbol per sheet of paper: the page is the label.
    const pipeline::SheetTemplate layout =
        sheet ? *sheet : pipeline::WholePageSheet(QSizeF(pages.value(0).size()) * 25.4 / kDpi);
    const QStringList places = ReadLabels(pages, layout, kDpi, dir_.path());
    QList<QStringList> read;
    for (qsizetype p = 0; p < pages.size(); ++p)
        read.append(places.mid(p * layout.LabelsPerPage(), layout.LabelsPerPage()));
    return read;
}

void TestForm3::printsIntoAPdf_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("one symbol on a sheet of paper") << "" << 1 << 1 << QList<int>{1};
    QTest::newRow("two copies, one per sheet") << "" << 2 << 1 << QList<int>{1, 1};
    QTest::newRow("a sheet of one product") << "a4-24" << 24 << 1 << QList<int>{24};
    QTest::newRow("from the sixth label on") << "a4-24" << 24 << 6 << QList<int>{19, 5};
}

void TestForm3::printsIntoAPdf() {
    QFETCH(QString, sheet);
    QFETCH(int, copies);
    QFETCH(int, start);
    QFETCH(QList<int>, perPage);
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.Copies->setValue(copies);
    dialog.Start->setValue(start);
    const QList<QStringList> pages = PrintAndRead(dialog);
    QList<int> counted;
    for (QStringList codes : pages) {
        codes.removeAll(QStringLiteral("-"));
        counted.append(int(codes.size()));
        QCOMPARE(codes, QStringList(codes.size(), kCode));
    }
    QCOMPARE(counted, perPage);
}

void TestForm3::listIsCountedAndItsBadLinesShown() {
    QByteArray list = "名称,JAN\n";
    for (int i = 0; i < 50; ++i) {
        const QString data = QStringLiteral("4901234%1").arg(i, 5, 10, QChar(u'0'));
        int sum = 0;
        for (int p = 0; p < 12; ++p)
            sum += data[p].digitValue() * (p % 2 ? 3 : 1);
        list += QStringLiteral("品 %1,%2%3\n").arg(i).arg(data).arg((10 - sum % 10) % 10).toUtf8();
        if (i == 10)
            list += "壊れた行,4.90123E+12\n";
    }
    const QString path = dir_.filePath("list.csv");
    QVERIFY(WriteAll(path, list));
    Form3 dialog(QString(), kCode);
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-24"));
    dialog.ListPath->setText(path);
    QVERIFY(ReadListOf(dialog) >= 0);
    QVERIFY(dialog.Option2->isChecked());
    QCOMPARE(dialog.Summary->text(), QStringLiteral("ラベル 50 枚、3 ページ"));
    const QStringList problems = dialog.Problems->toPlainText().split(u'\n');
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems[0].startsWith(QStringLiteral("13 行目: ")), qPrintable(problems[0]));
    QList<int> counted;
    for (const QStringList& codes : PrintAndRead(dialog))
        counted.append(int(codes.size() - codes.count(QStringLiteral("-"))));
    QCOMPARE(counted, (QList<int>{24, 24, 2}));
}

void TestForm3::listOfBooksPrintsBookPairs_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("summary");
    QTest::newRow("on a4-12") << "a4-12" << QStringLiteral("ラベル 2 枚、1 ページ");
    QTest::newRow("one per sheet of paper") << "" << QStringLiteral("ラベル 2 枚、2 ページ");
    QTest::newRow("a4-40 too small") << "a4-40" << QStringLiteral("小さすぎます");
}

// A list with a book's columns, as stripewell-render --symbol book reads
// it: each line a pair of symbols, both read back from the pages.
void TestForm3::listOfBooksPrintsBookPairs() {
    QFETCH(QString, sheet);
    QFETCH(QString, summary);
    const QString path = dir_.filePath("books.csv");
    QVERIFY(WriteAll(path,
                     "書名,ISBN,Cコード,本体価格\n"
                     "草枕,4-00-310104-9,C0193,500\n"
                     "辞典,978-4-7741-9690-9,C3055,2680\n"
                     "値段違い,978-4-7741-9690-9,C3055,二千\n"));
    Form3 dialog(QString(), kCode);
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.ListPath->setText(path);
    QVERIFY(ReadListOf(dialog) >= 0);
    QVERIFY2(dialog.Summary->text().contains(summary), qPrintable(dialog.Summary->text()));
    // The dialog speaks Japanese: the line, then the price as the list has it.
    static const QRegularExpression badPrice(QStringLiteral("^4 行目: [^\\n]*二千"));
    QVERIFY2(badPrice.match(dialog.Problems->toPlainText()).hasMatch(),
             qPrintable(dialog.Problems->toPlainText()));
    const QString pdf = dir_.filePath("books.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const bool fits = !summary.contains(QStringLiteral("小さすぎます"));
    QCOMPARE(dialog.Paint(&printer), fits);
    if (!fits)
        return;
    QStringList read;
    for (const QImage& page : RasterisePdf(pdf, 300, dir_.path())) {
        page.save(dir_.filePath("page.png"));
        read << ZbarCodes(dir_.filePath("page.png")).join(u' ');
    }
    // One pair to a sheet of paper, or both on a page of labels.
    const QStringList expected =
        sheet.isEmpty() ? QStringList{"1920193005004 9784003101049", "1923055026803 9784774196909"}
                        : QStringList{"1920193005004 1923055026803 9784003101049 9784774196909"};
    QCOMPARE(read, expected);
}

void TestForm3::pageCountIsThePagesPrinted_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("pages");
    QTest::newRow("24 on 24") << "a4-24" << 24 << 1 << 1;
    QTest::newRow("25 on 24") << "a4-24" << 25 << 1 << 2;
    QTest::newRow("23 from the second label") << "a4-24" << 23 << 2 << 1;
    QTest::newRow("24 from the second label") << "a4-24" << 24 << 2 << 2;
    QTest::newRow("49 on 24") << "a4-24" << 49 << 1 << 3;
    QTest::newRow("1 on the last of 44") << "a4-44" << 1 << 44 << 1;
    QTest::newRow("2 from the last of 44") << "a4-44" << 2 << 44 << 2;
    QTest::newRow("3, one per sheet of paper") << "" << 3 << 1 << 3;
}

// The count the dialog shows before printing is the count of pages printed.
void TestForm3::pageCountIsThePagesPrinted() {
    QFETCH(QString, sheet);
    QFETCH(int, copies);
    QFETCH(int, start);
    QFETCH(int, pages);
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.Copies->setValue(copies);
    dialog.Start->setValue(start);
    // (On a4-44 a note of the fitted magnification follows.)
    QVERIFY2(dialog.Summary->text().startsWith(
                 QStringLiteral("ラベル %1 枚、%2 ページ").arg(copies).arg(pages)),
             qPrintable(dialog.Summary->text()));
    const QString pdf = dir_.filePath("count.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(dialog.Paint(&printer));
    const Ran info = RunProgram(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.exitCode >= 0);
    const QRegularExpressionMatch counted =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.out);
    QCOMPARE(counted.captured(1).toInt(), pages);
}

void TestForm3::labelTooSmallPrintsNothing() {
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-65"));
    QVERIFY2(dialog.Summary->text().contains(QStringLiteral("小さすぎます")),
             qPrintable(dialog.Summary->text()));
    QVERIFY(PrintAndRead(dialog).isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath("print.pdf")));
}

void TestForm3::codeThatWouldNotScanPrintsNothing_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("reason");
    QTest::newRow("wrong check digit") << "4901234567890" << QStringLiteral("正しくは 4");
    QTest::newRow("minus sign") << "00000000000-5" << QStringLiteral("数字だけではない");
}

// The window draws what its boxes hold; a print of it must scan.
void TestForm3::codeThatWouldNotScanPrintsNothing() {
    QFETCH(QString, code);
    QFETCH(QString, reason);
    Form3 dialog(QStringLiteral("緑茶"), code);
    QVERIFY2(dialog.Summary->text().contains(reason), qPrintable(dialog.Summary->text()));
    QVERIFY(PrintAndRead(dialog).isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath("print.pdf")));
}

void TestForm3::choicesAreRememberedForTheNextPrint() {
    {
        Form3 dialog(QString(), kCode);
        dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-21"));
        dialog.Magnification->setValue(90);
        dialog.Copies->setValue(3);
        QVERIFY(!PrintAndRead(dialog).isEmpty());
    }
    Form3 next(QString(), kCode);
    QCOMPARE(next.Sheet->currentData().toString(), QStringLiteral("a4-21"));
    QCOMPARE(next.Magnification->value(), 90);
    QCOMPARE(next.Copies->value(), 1);
}

// No English in the dialog: Latin letters only in the makers' product names,
// "A4", "mm" and the access keys.
void TestForm3::everyTextIsJapanese() {
    Form3 dialog(QString(), kCode);
    QStringList texts{dialog.windowTitle(), dialog.Summary->text(),
                      dialog.Problems->placeholderText()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts.append(button->text());
    for (int i = 0; i < dialog.Sheet->count(); ++i)
        texts.append(dialog.Sheet->itemText(i));
    static const QRegularExpression allowed(QStringLiteral("A-one|Avery|L\\d+|A4|mm|\\(&[A-Z]\\)"));
    for (QString text : texts)
        QVERIFY2(!text.remove(allowed).contains(QRegularExpression("[A-Za-z]")), qPrintable(text));
}

void TestForm3::listThatIsNotAShortFileIsRefused_data() {
    QTest::addColumn<QString>("list");  // in the test's folder, or a path from the root
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("withinMs");
    QTest::newRow("an endless device")
        << "/dev/zero" << QStringLiteral("/dev/zero は装置のため読みません") << 2000;
    QTest::newRow("a fifo without a writer")
        << "fifo" << QStringLiteral("名前付きパイプのため読みません") << 2000;
    QTest::newRow("a folder") << "." << QStringLiteral("フォルダーのため読みません") << 2000;
    // Past the limits README gives: 32 MB, 300,000 lines.
    QTest::newRow("33 MB") << "large.csv" << QStringLiteral("長すぎるため読みません") << 2000;
    QTest::newRow("300,001 lines")
        << "long.csv" << QStringLiteral("長すぎるため読みません") << 120000;
}

// What is not a file of a list's size is refused, and soon: the window never
// waits for a writer or reads for ever.
void TestForm3::listThatIsNotAShortFileIsRefused() {
    QFETCH(QString, list);
    QFETCH(QString, reason);
    QFETCH(int, withinMs);
    QTemporaryDir here;
    QCOMPARE(mkfifo(qPrintable(here.filePath("fifo")), 0600), 0);
    QFile large(here.filePath("large.csv"));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(33 * 1024 * 1024));
    large.close();
    QVERIFY(WriteAll(here.filePath("long.csv"), QByteArray("Tea,123\n").repeated(300001)));
    Form3 dialog(QString(), kCode);
    dialog.ListPath->setText(list.startsWith(u'/') ? list : here.filePath(list));
    QElapsedTimer took;
    took.start();
    QVERIFY(ReadListOf(dialog) >= 0);
    QVERIFY2(took.elapsed() < withinMs, qPrintable(QString::number(took.elapsed())));
    QVERIFY2(dialog.Problems->toPlainText().contains(reason),
             qPrintable(dialog.Problems->toPlainText()));
    QCOMPARE(dialog.Summary->text(), QStringLiteral("ラベル 0 枚、0 ページ"));
}

// A long list is read while the window goes on; its bad lines are all
// counted, though not all shown.
void TestForm3::windowAnswersWhileAListIsRead() {
    constexpr int kBad = 200000;
    const QString path = dir_.filePath("bad.csv");
    QVERIFY(WriteAll(path, "名称,JAN\n" + QByteArray("Tea,123\n").repeated(kBad)));
    Form3 dialog(QString(), kCode);
    dialog.ListPath->setText(path);
    const int ticks = ReadListOf(dialog);
    QVERIFY2(ticks > 0, "the window did not answer while the list was read");
    const QString problems = dialog.Problems->toPlainText();
    const qsizetype shown = problems.count(QStringLiteral(" 行目: "));
    const QRegularExpressionMatch more =
        QRegularExpression(QStringLiteral("ほか (\\d+) 行")).match(problems);
    QVERIFY2(shown < 10000, "every bad line was shown");
    QCOMPARE(shown + more.captured(1).toLongLong(), qint64(kBad));
}

void TestForm3::hugeCountIsShownWhole_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<qint64>("perPage");
    QTest::newRow("one per sheet of paper") << "" << qint64(1);
    QTest::newRow("a4-24") << "a4-24" << qint64(24);
}

// More labels than a 32-bit count holds.
void TestForm3::hugeCountIsShownWhole() {
    QFETCH(QString, sheet);
    QFETCH(qint64, perPage);
    constexpr qint64 kLines = 250000;
    constexpr int kCopies = 9999;
    const QString path = dir_.filePath("huge.csv");
    if (!QFile::exists(path))
        QVERIFY(WriteAll(path, "名称,JAN\n" + QByteArray("Tea,4901234567894\n").repeated(kLines)));
    Form3 dialog(QString(), kCode);
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.ListPath->setText(path);
    QVERIFY(ReadListOf(dialog) >= 0);
    dialog.Copies->setValue(kCopies);
    const qint64 labels = kLines * kCopies;
    QCOMPARE(dialog.Summary->text(), QStringLiteral("ラベル %1 枚、%2 ページ")
                                         .arg(labels)
                                         .arg((labels + perPage - 1) / perPage));
}

void TestForm3::printsIntoAPdfFileAside_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("replaces");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("a new file, one per sheet of paper")
        << "" << 2 << 1 << false << QList<int>{1, 1};
    QTest::newRow("over a file, from the sixth label on")
        << "a4-24" << 24 << 6 << true << QList<int>{19, 5};
}

// Qt's print dialog printing into a file, as the window does it: every
// label read back from the file, which holds nothing else.
void TestForm3::printsIntoAPdfFileAside() {
    QFETCH(QString, sheet);
    QFETCH(int, copies);
    QFETCH(int, start);
    QFETCH(bool, replaces);
    QFETCH(QList<int>, perPage);
    QTemporaryDir here;
    const QString pdf = here.filePath("labels.pdf");
    if (replaces)
        QVERIFY(WriteAll(pdf, "an earlier print"));
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.Copies->setValue(copies);
    dialog.Start->setValue(start);
    QList<QVariant> printed;
    QVERIFY(TicksUntil(
                dialog, &Form3::Printed,
                [&] {
                    dialog.PrintToFile(pdf, QPageLayout(QPageSize(QPageSize::A4),
                                                        QPageLayout::Portrait, QMarginsF()));
                },
                &printed) >= 0);
    QVERIFY2(printed.value(0).toBool(), qPrintable(dialog.Summary->text()));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"labels.pdf"});
    QList<int> counted;
    for (QStringList codes : ReadPdf(dialog, pdf)) {
        codes.removeAll(QStringLiteral("-"));
        counted.append(int(codes.size()));
        QCOMPARE(codes, QStringList(codes.size(), kCode));
    }
    QCOMPARE(counted, perPage);
}

void TestForm3::fileThatCannotBeWrittenKeepsWhatItHeld_data() {
    QTest::addColumn<QString>("target");  // in the test's folder, or a path from the root
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("beforePainting");
    QTest::newRow("a full file system")
        << "full/labels.pdf" << QStringLiteral("ディスクに空きがありません") << false;
    QTest::newRow("a folder that does not exist")
        << "none/labels.pdf" << QStringLiteral("フォルダー %1 がありません") << true;
    QTest::newRow("/dev/full") << "/dev/full" << QStringLiteral("ファイルではない") << true;
    QTest::newRow("/proc/version") << "/proc/version" << QStringLiteral("読み取り専用") << true;
}

// Printing into a file that cannot be written says why in Japanese, never
// that it printed, and leaves what had the name as it was.
void TestForm3::fileThatCannotBeWrittenKeepsWhatItHeld() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QFETCH(bool, beforePainting);
    QTemporaryDir here;
    const QString path = target.startsWith(u'/') ? target : here.filePath(target);
    const QString folder = QFileInfo(path).path();
    struct Unmount {
        QString folder;
        ~Unmount() {
            if (!folder.isEmpty())
                RunProgram("umount", {folder});
        }
    } unmount;
    if (target.startsWith(u"full/")) {
        QVERIFY(QDir(here.path()).mkdir("full"));
        const Ran mount = RunProgram("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", folder});
        if (mount.exitCode != 0)
            QSKIP(qPrintable("a small file system cannot be mounted here: " + mount.err));
        unmount.folder = folder;
        QVERIFY(WriteAll(path, "an earlier print"));
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) {
        }
    }
    const auto head = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
    };
    // What the folder holds, but for the processes that come and go in /proc.
    const auto entries = [&folder] {
        QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (folder == u"/proc")
            names.removeIf([](const QString& name) {
                bool process = false;
                name.toInt(&process);
                return process;
            });
        return names;
    };
    const QByteArray before = head();
    const QStringList held = entries();
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-24"));
    dialog.Copies->setValue(48);
    QSignalSpy printed(&dialog, &Form3::Printed);
    dialog.PrintToFile(path, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    QCOMPARE(!printed.isEmpty(), beforePainting);
    QVERIFY(!printed.isEmpty() || printed.wait(120000));
    QCOMPARE(printed.first().value(0).toBool(), false);
    QVERIFY(dialog.result() != QDialog::Accepted);
    QVERIFY2(dialog.Summary->text().contains(reason.arg(folder)),
             qPrintable(dialog.Summary->text()));
    QCOMPARE(head(), before);
    QCOMPARE(entries(), held);
}

// A long print into a file goes on while the window answers, and 中止 in its
// progress stops it with what had the name untouched.
void TestForm3::printStoppedWhilePaintedKeepsWhatItHeld() {
    QTemporaryDir here;
    const QString pdf = here.filePath("labels.pdf");
    QVERIFY(WriteAll(pdf, "an earlier print"));
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-24"));
    dialog.Copies->setValue(9999);
    QSignalSpy printed(&dialog, &Form3::Printed);
    int ticks = 0;
    QTimer stop;
    connect(&stop, &QTimer::timeout, this, [&] {
        if (++ticks == 20)
            for (QProgressDialog* progress : dialog.findChildren<QProgressDialog*>())
                for (QPushButton* button : progress->findChildren<QPushButton*>())
                    if (button->text() == QStringLiteral("中止"))
                        button->click();
    });
    stop.start(10);
    dialog.PrintToFile(pdf, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    QVERIFY(printed.wait(120000));
    QVERIFY2(ticks >= 20, "the window did not answer while the pages were painted");
    QCOMPARE(printed.first().value(0).toBool(), false);
    QVERIFY2(dialog.Summary->text().contains(QStringLiteral("中止")),
             qPrintable(dialog.Summary->text()));
    QCOMPARE(ReadAll(pdf), QByteArray("an earlier print"));
    QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"labels.pdf"});
}

void TestForm3::tagTakesThePriceTyped_data() {
    QTest::addColumn<QString>("design");  // as the dialog titles it
    QTest::addColumn<bool>("withTax");    // the price typed is 税込
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("rounding");
    QTest::addColumn<qint64>("yenWithTax");  // 0: no tag, the summary says why
    QTest::addColumn<qint64>("yenWithoutTax");
    QTest::addColumn<QString>("summary");
    // Worked by hand: 1,000 + 10 %; 999 x 8 % = 79.92.
    QTest::newRow("値札, 税抜 1,000 at 10 %")
        << "値札" << false << "1,000" << 10 << "切り捨て" << qint64(1100) << qint64(1000)
        << QStringLiteral("税込 ¥1,100・税抜 ¥1,000");
    QTest::newRow("値札, 税抜 999 at 8 %, floor")
        << "値札" << false << "999" << 8 << "切り捨て" << qint64(1078) << qint64(999)
        << QStringLiteral("税込 ¥1,078");
    QTest::newRow("棚札, 税抜 999 at 8 %, ceil")
        << "棚札" << false << "999" << 8 << "切り上げ" << qint64(1079) << qint64(999)
        << QStringLiteral("税込 ¥1,079");
    QTest::newRow("棚札, 税抜 991 at 8 %, ceil")  // 79.28
        << "棚札" << false << "991" << 8 << "切り上げ" << qint64(1071) << qint64(991)
        << QStringLiteral("税込 ¥1,071");
    QTest::newRow("値札, 税抜 991 at 8 %, rounded")
        << "値札" << false << "991" << 8 << "四捨五入" << qint64(1070) << qint64(991)
        << QStringLiteral("税込 ¥1,070");
    QTest::newRow("値札, 税込 ￥1,080 at 8 %")
        << "値札" << true << "￥1,080" << 8 << "切り捨て" << qint64(1080) << qint64(1000)
        << QStringLiteral("税抜 ¥1,000");
    QTest::newRow("値札 without a price") << "値札" << false << "" << 10 << "切り捨て" << qint64(0)
                                          << qint64(0) << QStringLiteral("価格が要ります");
    QTest::newRow("値札, a price in sen") << "値札" << false << "1000.5" << 10 << "切り捨て"
                                          << qint64(0) << qint64(0) << QStringLiteral("読めません");
}

// The fields set as a person sets them, the price typed after its row's
// access key: what the label plan gets, and what the summary says.
void TestForm3::tagTakesThePriceTyped() {
    QFETCH(QString, design);
    QFETCH(bool, withTax);
    QFETCH(QString, typed);
    QFETCH(int, rate);
    QFETCH(QString, rounding);
    QFETCH(qint64, yenWithTax);
    QFETCH(qint64, yenWithoutTax);
    QFETCH(QString, summary);
    Form3 dialog(QStringLiteral("緑茶"), kCode);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    TagFields& tags = *dialog.Tags;
    QVERIFY(!tags.Price->isEnabled());  // 記号のみ has no price
    tags.Design->setCurrentIndex(tags.Design->findText(design));
    tags.TaxRate->setCurrentIndex(
        tags.TaxRate->findText(QString::number(rate), Qt::MatchStartsWith));
    tags.Rounding->setCurrentIndex(tags.Rounding->findText(rounding));
    QTest::mouseClick(withTax ? tags.WithTax : tags.WithoutTax, Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), tags.Price);
    Type(tags.Price, typed);
    QCOMPARE(dialog.Ask().tag.design,
             design == QStringLiteral("値札") ? pipeline::Design::Price : pipeline::Design::Shelf);
    QVERIFY2(dialog.Summary->text().contains(summary), qPrintable(dialog.Summary->text()));
    const QList<pipeline::Label> labels = dialog.Labels();
    if (yenWithTax == 0) {
        QVERIFY(labels.isEmpty());
        QPrinter printer(QPrinter::HighResolution);  // nothing printed unpriced
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("unpriced.pdf"));
        QVERIFY(!dialog.Paint(&printer));
        QVERIFY(dialog.Summary->text().contains(summary));
        return;
    }
    QCOMPARE(labels.size(), 1);
    const std::optional<pipeline::TagPrice> price = labels[0].price;
    QVERIFY(price);
    QCOMPARE(price->withTax, yenWithTax);
    QCOMPARE(price->withoutTax, yenWithoutTax);
    QCOMPARE(price->taxRate, rate);
}

// The design and how a tag is priced and worded are remembered with the
// sheet; the price itself is the product's, typed again.
void TestForm3::tagChoicesAreRemembered() {
    // The other tests print the plain labels.
    const auto forget = qScopeGuard([] {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Stripewell", "Stripewell");
        for (const char* key :
             {"design", "priceWithTax", "taxRate", "rounding", "wording", "shelfSymbol"})
            settings.remove(QStringLiteral("print/") + key);
    });
    {
        Form3 dialog(QString(), kCode);
        dialog.Tags->Design->setCurrentIndex(dialog.Tags->Design->findText("棚札"));
        dialog.Tags->TaxRate->setCurrentIndex(1);
        dialog.Tags->Rounding->setCurrentIndex(2);
        dialog.Tags->Wording->setCurrentIndex(1);
        dialog.Tags->PrintSymbol->setChecked(false);
        dialog.Tags->WithTax->setChecked(true);
        dialog.Tags->Price->setText("1,080");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("shelf.pdf"));
        QVERIFY2(dialog.Paint(&printer), qPrintable(dialog.Summary->text()));
    }
    Form3 next(QString(), kCode);
    const pipeline::TagStyle style = next.Ask().tag;
    QCOMPARE(style.design, pipeline::Design::Shelf);
    QCOMPARE(style.wording, pipeline::ExclusiveWording::Hontai);
    QCOMPARE(style.symbol, false);
    QCOMPARE(next.Tags->TaxRatePercent(), 8);
    QCOMPARE(next.Tags->RoundingChosen(), pipeline::Rounding::Ceil);
    QVERIFY(next.Tags->WithTax->isChecked());
    QCOMPARE(next.Tags->Price->text(), QString());
}

// A list read for plain labels is read again, priced, once a tag design is
// chosen, and again at another rate; its line without a price is said.
void TestForm3::listTagsArePricedFromItsColumns() {
    const QString path = dir_.filePath("prices.csv");
    QVERIFY(WriteAll(path,
                     "商品名,JANコード,税抜価格\n緑茶,4901234567894,\"1,000\"\n"
                     "ほうじ茶,4901234567894,\n"));
    Form3 dialog(QString(), kCode);
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-12"));
    dialog.ListPath->setText(path);
    QVERIFY(ReadListOf(dialog) >= 0);
    QCOMPARE(dialog.Labels().size(), 2);  // plain labels need no price
    const auto withTax = [&dialog](const std::function<void()>& choose) {
        if (TicksUntil(dialog, &Form3::ListRead, choose) < 0)
            return qint64(-1);
        const QList<pipeline::Label> labels = dialog.Labels();
        return labels.size() == 1 && labels[0].price ? labels[0].price->withTax : 0;
    };
    QCOMPARE(withTax([&] { dialog.Tags->Design->setCurrentIndex(1); }), qint64(1100));
    QCOMPARE(withTax([&] { dialog.Tags->TaxRate->setCurrentIndex(1); }), qint64(1080));
    QVERIFY2(dialog.Problems->toPlainText().startsWith(QStringLiteral("3 行目: ")),
             qPrintable(dialog.Problems->toPlainText()));
    QCOMPARE(dialog.Summary->text(), QStringLiteral("ラベル 1 枚、1 ページ"));
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
