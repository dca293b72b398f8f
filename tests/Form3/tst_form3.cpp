// The print dialog, printing into a PDF file as a printer with no printer
// installed does; the pages are read back by pdftoppm and zbarimg.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "Form3/Form3.h"
#include "files.h"
#include "sheetpages.h"
#include "sheetpainter.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");

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

private:
    // Prints with the dialog's choices into a PDF; the codes read from each
    // page, in the order zbarimg finds them.
    QList<QStringList> PrintAndRead(Form3& dialog);

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
    dialog.ReadList();
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
    dialog.ReadList();
    QVERIFY2(dialog.Summary->text().contains(summary), qPrintable(dialog.Summary->text()));
    QVERIFY2(dialog.Problems->toPlainText().startsWith(QStringLiteral("4 行目: price 二千")),
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
        QStringList codes =
            RunProgram("zbarimg", {"-q", "--raw", dir_.filePath("page.png")}).out.split(u'\n');
        codes.removeAll(QString());
        codes.sort();
        read << codes.join(u' ');
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
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished());
    const QRegularExpressionMatch counted =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
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

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
