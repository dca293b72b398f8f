// Label sheets from the command line, read back as a person's printer would
// see them: each page rasterised by pdftoppm, each label cut out where the
// sheet's numbers put it and read by zbarimg, the label edges measured.

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "sheetpages.h"
#include "symbol/code.h"

using pipeline::SheetTemplate;

namespace {

// Code number i: twelve digits from i and its check digit.
QString CodeNumber(int i) {
    const QString data = QStringLiteral("4901234%1").arg(i, 5, 10, QChar(u'0'));
    return data + QString::number(symbol::CheckDigit(data));
}

}  // namespace

class TestSheetPdf : public QObject {
    Q_OBJECT

private slots:
    void init();
    void labelsReadBackInTheListsOrder_data();
    void labelsReadBackInTheListsOrder();
    void everySymbolOfTheFamilyGoesOnASheet_data();
    void everySymbolOfTheFamilyGoesOnASheet();
    void labelEdgesLieWhereTheSheetSays_data();
    void labelEdgesLieWhereTheSheetSays();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();

private:
    // The pages that stripewell-render makes of codes on a sheet, with more
    // options, rasterised at dpi.
    QList<QImage> Pages(const QString& sheet, const QStringList& codes, const QStringList& options,
                        int dpi, const QRect& crop = {});

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSheetPdf::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QList<QImage> TestSheetPdf::Pages(const QString& sheet, const QStringList& codes,
                                  const QStringList& options, int dpi, const QRect& crop) {
    QByteArray list = "名称,JAN\n";
    for (const QString& code : codes)
        list += QStringLiteral("品名 %1,%2\n").arg(code.right(3), code).toUtf8();
    if (!WriteAll(dir_->filePath(QStringLiteral("list.csv")), list))
        return {};
    const QString pdf = dir_->filePath(QStringLiteral("sheet.pdf"));
    const Ran made = RunProgram(
        QStringLiteral(STRIPEWELL_RENDER),
        QStringList{"--batch", "list.csv", "--sheet", sheet, "-o", "sheet.pdf"} + options,
        dir_->path());
    if (made.exitCode != 0) {
        qWarning("stripewell-render: %s", qPrintable(made.err));
        return {};
    }
    return RasterisePdf(pdf, dpi, dir_->path(), crop);
}

void TestSheetPdf::labelsReadBackInTheListsOrder_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QList<int>>("perPage");
    QTest::newRow("50 on 24") << "a4-24" << 50 << 0 << QList<int>{24, 24, 2};
    QTest::newRow("50 on 24 after 5 used") << "a4-24" << 50 << 5 << QList<int>{19, 24, 7};
    QTest::newRow("44 on 44, fitted below 100 percent") << "a4-44" << 44 << 0 << QList<int>{44};
}

// Every label of every page is cut out where the sheet puts it and read:
// the codes come back in the list's order, the skipped places are empty.
void TestSheetPdf::labelsReadBackInTheListsOrder() {
    QFETCH(QString, sheet);
    QFETCH(int, labels);
    QFETCH(int, skip);
    QFETCH(QList<int>, perPage);
    const SheetTemplate layout = *pipeline::FindSheet(sheet);
    QStringList codes;
    for (int i = 0; i < labels; ++i)
        codes.append(CodeNumber(i));
    constexpr int kDpi = 300;
    const QList<QImage> pages = Pages(sheet, codes, {"--skip", QString::number(skip)}, kDpi);
    QCOMPARE(pages.size(), perPage.size());

    QStringList expected;
    for (int place = 0; place < pages.size() * layout.LabelsPerPage(); ++place)
        expected.append(place >= skip && place - skip < labels ? codes[place - skip] : "-");
    const QStringList read = ReadLabels(pages, layout, kDpi, dir_->path());
    QCOMPARE(read, expected);
}

void TestSheetPdf::everySymbolOfTheFamilyGoesOnASheet_data() {
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("read");  // as zbarimg reports them, add-ons left out
    QTest::newRow("short JAN") << "jan8" << QStringList{"4912345", "45123450"}
                               << QStringList{"49123456", "45123450"};
    QTest::newRow("UPC-A") << "upca" << QStringList{"03600029145"} << QStringList{"0036000291452"};
    QTest::newRow("JAN with add-ons")
        << "jan13" << QStringList{"4910123450124 12345", "4910123450124+12"}
        << QStringList{"4910123450124", "4910123450124"};
}

void TestSheetPdf::everySymbolOfTheFamilyGoesOnASheet() {
    QFETCH(QString, symbol);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, read);
    constexpr int kDpi = 300;
    const QList<QImage> pages = Pages("a4-24", codes, {"--symbol", symbol}, kDpi);
    QCOMPARE(pages.size(), 1);
    QStringList places = ReadLabels(pages, *pipeline::FindSheet("a4-24"), kDpi, dir_->path());
    QCOMPARE(places.mid(0, codes.size()), read);
    QCOMPARE(places.count("-"), 24 - codes.size());
}

void TestSheetPdf::labelEdgesLieWhereTheSheetSays_data() {
    QTest::addColumn<QString>("sheet");
    for (const char* name : {"a4-12", "a4-24", "a4-44"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// An outlined test print at 600 dpi: the middle of each edge's line is looked
// for within a millimetre of where the sheet's numbers put it, and must lie
// within 0.1 mm of it.
void TestSheetPdf::labelEdgesLieWhereTheSheetSays() {
    QFETCH(QString, sheet);
    const SheetTemplate layout = *pipeline::FindSheet(sheet);
    constexpr int kDpi = 600;
    constexpr double kDotsPerMm = kDpi / 25.4;
    // A label of the last row whose edges all lie inside the page (the first
    // column's left and the last column's right edge may be the page's own),
    // and only that label and 2 mm around it are rasterised.
    const int index = layout.LabelsPerPage() - layout.columns + 1;
    const QRectF label = layout.LabelRect(index);
    const QRect crop(QPointF((label.topLeft() - QPointF(2, 2)) * kDotsPerMm).toPoint(),
                     QPointF((label.bottomRight() + QPointF(2, 2)) * kDotsPerMm).toPoint());
    const QList<QImage> pages =
        Pages(sheet, {CodeNumber(1)}, {"--outline", "--skip", QString::number(index)}, kDpi, crop);
    QCOMPARE(pages.size(), 1);
    const QImage& page = pages[0];
    // The middle of the dark run nearest to a place, along a row or a column.
    auto lineAt = [&](bool alongRow, int fixed, double expectedMm) {
        const int from = int((expectedMm - 1) * kDotsPerMm);
        const int to = int((expectedMm + 1) * kDotsPerMm);
        double sum = 0;
        int count = 0;
        for (int v = std::max(from, 0); v <= to; ++v) {
            const int x = (alongRow ? v : fixed) - crop.x();
            const int y = (alongRow ? fixed : v) - crop.y();
            if (page.rect().contains(x, y) && qGray(page.pixel(x, y)) < 128) {
                sum += v + 0.5;
                ++count;
            }
        }
        return count ? sum / count / kDotsPerMm : -1.0;
    };
    const int midRow = int(label.center().y() * kDotsPerMm);
    const int midColumn = int(label.center().x() * kDotsPerMm);
    QVERIFY(std::abs(lineAt(true, midRow, label.left()) - label.left()) <= 0.1);
    QVERIFY(std::abs(lineAt(true, midRow, label.right()) - label.right()) <= 0.1);
    QVERIFY(std::abs(lineAt(false, midColumn, label.top()) - label.top()) <= 0.1);
    QVERIFY(std::abs(lineAt(false, midColumn, label.bottom()) - label.bottom()) <= 0.1);
}

void TestSheetPdf::refusalsWriteNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("sheetFile");
    QTest::addColumn<QString>("message");
    const QStringList single{"4901234567894", "-o", "sheet.pdf"};
    const QString good =
        "columns = 3\nrows = 8\nlabel-width = 70\nlabel-height = 33.9\n"
        "left = 0\ntop = 12.7\npitch-x = 70\npitch-y = 33.9\n";
    QTest::newRow("unknown sheet") << single + QStringList{"--sheet", "a4-99"} << ""
                                   << "there is no sheet 'a4-99'";
    QTest::newRow("sheet file without rows")
        << single + QStringList{"--sheet-file", "mine.txt"} << QString(good).remove("rows = 8\n")
        << "mine.txt: rows is missing";
    QTest::newRow("sheet file off the page")
        << single + QStringList{"--sheet-file", "mine.txt"}
        << QString(good).replace("top = 12.7", "top = 30") << "beyond the page's height of 297 mm";
    QTest::newRow("skip beyond the page")
        << single + QStringList{"--sheet", "a4-24", "--skip", "24"} << ""
        << "--skip 24 is beyond the 24 labels";
    QTest::newRow("label too small") << single + QStringList{"--sheet", "a4-65"} << ""
                                     << "the labels of a4-65 are 38.1 x 21.2 mm";
    // A price tag needs more than a symbol and its name: a4-40's 45.7 x
    // 25.4 mm labels hold those (31.8 x 24.8 mm), not a tag's price too.
    QTest::newRow("label too small for a price tag")
        << single + QStringList{"--sheet", "a4-40", "--design", "price", "--price", "100"} << ""
        << "are 45.7 x 25.4 mm; a 値札 (--design price) needs";
    QTest::newRow("not a pdf") << QStringList{"4901234567894", "--sheet", "a4-24", "-o",
                                              "sheet.png"}
                               << ""
                               << "a label sheet is a pdf";
    QTest::newRow("copies without a sheet") << single + QStringList{"--copies", "2"} << ""
                                            << "--copies goes with --sheet";
}

void TestSheetPdf::refusalsWriteNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, sheetFile);
    QFETCH(QString, message);
    if (!sheetFile.isEmpty())
        QVERIFY(WriteAll(dir_->filePath("mine.txt"), sheetFile.toUtf8()));
    const Ran ran = RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    QCOMPARE(ran.exitCode, 1);
    QVERIFY2(ran.err.contains(message), qPrintable(ran.err));
    QVERIFY(!QFile::exists(dir_->filePath("sheet.pdf")) &&
            !QFile::exists(dir_->filePath("sheet.png")));
}

QTEST_MAIN(TestSheetPdf)
#include "tst_render_sheetpdf.moc"
