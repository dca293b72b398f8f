// The book JAN in the files of stripewell-render: both symbols' modules
// against zint's for books in print, every format read back by ZXing and
// zbar at the smallest and largest magnification, the pair's sizes and
// spacing measured at 600 dpi, lists with the book's columns, and the input
// that is refused.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "files.h"
#include "pictures.h"
#include "readers.h"
#include "zint.h"

namespace {

// The black runs down a column longer than least: where each starts and
// how many dots.
QList<QPoint> LongBlackRunsDown(const QImage& image, int x, int least) {
    QList<QPoint> runs;
    for (int y = 0; y < image.height();) {
        int length = 0;
        while (y + length < image.height() && qGray(image.pixel(x, y + length)) < 128)
            ++length;
        if (length > least)
            runs.append(QPoint(y, length));
        y += std::max(length, 1);
    }
    return runs;
}

// The rows that cross the bars of each symbol, top to bottom: the first row
// of each stretch of rows with an EAN-13's 30 bars taller than 100 dots
// (4.2 mm at 600 dpi), which no line of digits is.
QList<int> BarRows(const QImage& image) {
    QList<int> rows;
    int stretch = 0;
    for (int y = 0; y <= image.height(); ++y) {
        if (y < image.height() && BlackRuns(image, y).size() == 30) {
            ++stretch;
            continue;
        }
        if (stretch > 100)
            rows.append(y - stretch);
        stretch = 0;
    }
    return rows;
}

// The stretches of rows with ink above row bottom, top to bottom: the first
// and last row of each.
QList<int> InkLines(const QImage& image, int bottom) {
    QList<int> lines;
    for (int y = 0; y < bottom; ++y) {
        const bool ink = !BlackRuns(image, y).isEmpty();
        if (ink && (lines.isEmpty() || lines.last() != y - 1))
            lines << y << y;
        else if (ink)
            lines.last() = y;
    }
    return lines;
}

// Books in print (their ISBNs; the prices are examples): the ISBN as typed,
// the classification code and price, and the two codes of the pair (the
// lower of 192, the classification, the price and a check digit worked out
// by hand; Kusamakura's as its covers carry them).
struct Book {
    const char* what;
    const char *isbn, *classification, *price;
    const char *upper, *lower;
};
const Book kBooks[] = {
    {"Kusamakura 400 yen", "4-00-310104-9", "C0193", "400", "9784003101049", "1920193004007"},
    {"Kusamakura 460 yen", "ISBN4-00-310104-9", "C0193", "460", "9784003101049", "1920193004601"},
    {"Kusamakura 500 yen", "978-4-00-310104-9", "C0193", "500", "9784003101049", "1920193005004"},
    {"robot programming", "978-4-274-22287-0", "C3055", "2800", "9784274222870", "1923055028005"},
    {"algorithm dictionary", "9784774196909", "C3055", "2680", "9784774196909", "1923055026803"},
    {"O'Reilly Japan", "978-4-87311-138-4", "C3055", "3600", "9784873111384", "1923055036000"},
    {"Lambda Note", "978 4 908686 06 1", "C3055", "3200", "9784908686061", "1923055032002"},
    {"above 99,999 yen", "978-4-9911317-3-8", "C3037", "150000", "9784991131738", "1923037000005"},
    {"free of charge", "978-4-938661-23-6", "C0095", "0", "9784938661236", "1920095000008"},
    // Labelled as books print their ISBNs.
    {"labelled ISBN-13:", "ISBN-13: 978-4-274-22287-0", "C3055", "2800", "9784274222870",
     "1923055028005"},
    {"labelled ISBN-10:", "ISBN-10: 4-00-310104-9", "C0193", "400", "9784003101049",
     "1920193004007"},
    {"labelled with a full-width colon", "ISBN：978-4-7741-9690-9", "C3055", "2680",
     "9784774196909", "1923055026803"},
};

}  // namespace

class TestRenderBook : public QObject {
    Q_OBJECT

private slots:
    void init();
    void bothSymbolsAreZints_data();
    void bothSymbolsAreZints();
    void everyFileIsRead_data();
    void everyFileIsRead();
    void pairMeasuredAt600Dpi_data();
    void pairMeasuredAt600Dpi();
    void listWithTheBooksColumns_data();
    void listWithTheBooksColumns();
    void aBookListWithAJanColumn_data();
    void aBookListWithAJanColumn();
    void aBookListWithoutAColumn_data();
    void aBookListWithoutAColumn();
    void labelSheetOfAList();
    void textLinesClearOfTheBars_data();
    void textLinesClearOfTheBars();
    void badInputIsRefused_data();
    void badInputIsRefused();

private:
    Ran Render(const QStringList& arguments) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    }
    QString Path(const QString& name) const { return dir_->filePath(name); }
    // What ZXing reads, then what zbar reads, each sorted and joined by spaces.
    QString Decoded(const QString& file);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderBook::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestRenderBook::Decoded(const QString& file) {
    const QString png = PictureOf(file, dir_->path());
    return ZXingTexts(png, {"-format", "EAN-13"}, ".").join(u' ') + u'\n' +
           ZbarCodes(png, {}, ".").join(u' ');
}

void TestRenderBook::bothSymbolsAreZints_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    for (const Book& book : kBooks)
        QTest::newRow(book.what) << QStringList{book.isbn, "--classification", book.classification,
                                                "--price", book.price}
                                 << book.upper << book.lower;
}

// At 600 dpi a module is 8 dots: a row through each symbol's bars, read a
// module at a time, is zint's symbol of the same digits.
void TestRenderBook::bothSymbolsAreZints() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    const Ran run =
        Render(QStringList{"--symbol", "book", "--dpi", "600", "-o", "b.png"} + arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    const QImage image(Path("b.png"));
    const QList<int> rows = BarRows(image);
    QCOMPARE(rows.size(), 2);
    const QString codes[] = {upper, lower};
    for (int tier = 0; tier < 2; ++tier) {
        const int y = rows[tier] + 40;
        const int left = BlackRuns(image, y).constFirst().x();
        QString drawn;
        for (int x = left + 4; x < image.width(); x += 8)
            drawn += qGray(image.pixel(x, y)) < 128 ? u'1' : u'0';
        while (drawn.endsWith(u'0'))
            drawn.chop(1);
        QCOMPARE(drawn, ZintModules({"-b", "13", "-d", codes[tier].left(12)}));
    }
}

void TestRenderBook::everyFileIsRead_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    for (const Book& book : {kBooks[0], kBooks[7]})
        for (const QString file : {"b.png", "b.bmp", "b.svg", "b.pdf"})
            for (const QString magnification : {"80", "200"})
                QTest::addRow("%s %s %s", book.what, qPrintable(file), qPrintable(magnification))
                    << QStringList{"--symbol",
                                   "book",
                                   "-o",
                                   file,
                                   book.isbn,
                                   "--classification",
                                   book.classification,
                                   "--price",
                                   book.price,
                                   "--magnification",
                                   magnification}
                    << QString("%1 %2").arg(book.lower, book.upper);
}

// Both symbols of every format, the smallest and the largest, read back.
void TestRenderBook::everyFileIsRead() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    const Ran run = Render(arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    QCOMPARE(Decoded(arguments[3]), text + u'\n' + text);
}

void TestRenderBook::pairMeasuredAt600Dpi_data() {
    QTest::addColumn<QString>("magnification");
    QTest::addColumn<int>("module");  // dots at 600 dpi
    // 0.33 mm is 7.8 dots, taken as 8; at 80 percent 6.2, and 6 would be
    // less than 80 percent, so 7; at 200 percent 15.6, and 16 would be more,
    // so 15.
    QTest::newRow("100 percent") << "100" << 8;
    QTest::newRow("80 percent") << "80" << 7;
    QTest::newRow("200 percent") << "200" << 15;
}

// The sizes the book code's guide gives, at the module drawn: bars 11 mm
// tall at 100 percent (33.3 modules), guards 5 modules longer; the JAN's
// 3.08 mm of digits below, then 2 mm clear before the lower symbol, whose
// modules stand under the upper's; quiet zones of 11 and 7 modules.
void TestRenderBook::pairMeasuredAt600Dpi() {
    QFETCH(QString, magnification);
    QFETCH(int, module);
    const Ran run =
        Render({"--symbol", "book", "978-4-7741-9690-9", "--classification", "C3055", "--price",
                "2680", "--dpi", "600", "--magnification", magnification, "-o", "b.png"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    const QImage image(Path("b.png"));
    const QList<int> rows = BarRows(image);
    QCOMPARE(rows.size(), 2);
    const QList<QPoint> upper = BlackRuns(image, rows[0] + module);
    const QList<QPoint> lower = BlackRuns(image, rows[1] + module);
    QCOMPARE(upper.first().x(), 11 * module);
    QCOMPARE(lower.first().x(), upper.first().x());
    QCOMPARE(lower.last().x() + lower.last().y(), upper.last().x() + upper.last().y());
    QVERIFY(image.width() - (upper.last().x() + upper.last().y()) >= 7 * module);
    const double moduleMm = 0.33;
    const double bar = 11 / moduleMm * module;
    const double digits = (25.93 - 22.85) / moduleMm * module;
    const double gap = 2 / moduleMm * module;
    // Down a guard bar of both symbols, and a normal bar of each: runs longer
    // than the digits are tall.
    const QList<QPoint> guards = LongBlackRunsDown(image, upper[0].x(), 10 * module);
    const QList<QPoint> normals = {LongBlackRunsDown(image, upper[4].x(), 10 * module).first(),
                                   LongBlackRunsDown(image, lower[4].x(), 10 * module).last()};
    QCOMPARE(guards.size(), 2);
    const struct {
        const char* what;
        double dots, nominal;
    } sizes[] = {
        {"upper bar", double(normals[0].y()), bar},
        {"lower bar", double(normals[1].y()), bar},
        {"upper guard", double(guards[0].y()), bar + 5 * module},
        {"lower guard", double(guards[1].y()), bar + 5 * module},
        {"upper bars' top to the lower's", double(normals[1].x() - normals[0].x()),
         bar + digits + gap},
        {"lower digits to the box's bottom", double(image.height() - normals[1].x()), bar + digits},
    };
    for (const auto& size : sizes)
        QVERIFY2(
            std::abs(size.dots - size.nominal) <= module / 2.0,
            qPrintable(
                QString("%1: %2 dots, not %3").arg(size.what).arg(size.dots).arg(size.nominal)));
    // Above the bars the two lines of text, the ISBN's as tall as the
    // price's: not made smaller to fit the symbols' width.
    const QList<int> lines = InkLines(image, rows[0]);
    QCOMPARE(lines.size(), 4);
    QVERIFY2(std::abs((lines[1] - lines[0]) - (lines[3] - lines[2])) <= 2,
             qPrintable(QString("ISBN line %1 dots tall, price line %2")
                            .arg(lines[1] - lines[0])
                            .arg(lines[3] - lines[2])));
}

void TestRenderBook::listWithTheBooksColumns_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("ISBN, Cコード, 本体価格") << QByteArray("書名,ISBN,Cコード,本体価格\n");
    QTest::newRow("分類コード, 価格, full-width C") << QByteArray("ISBN,分類コード,価格,書名\n");
    QTest::newRow("tabs") << QByteArray("書名\tISBN\tＣコード\t本体価格\n");
}

// Each line a pair, named after its title; a bad line reported with its
// number while the others are written.
void TestRenderBook::listWithTheBooksColumns() {
    QFETCH(QByteArray, header);
    const QStringList columns =
        QString::fromUtf8(header).trimmed().split(QRegularExpression("[,\t]"));
    const QChar separator = header.contains('\t') ? u'\t' : u',';
    auto line = [&](const QString& title, const QString& isbn, const QString& c,
                    const QString& price) {
        QStringList fields;
        for (const QString& column : columns)
            fields << (column == u"書名"            ? title
                       : column == u"ISBN"          ? isbn
                       : column.contains(u"コード") ? c
                                                    : price);
        return fields.join(separator) + u'\n';
    };
    const QString list = QString::fromUtf8(header) + line("草枕", "4-00-310104-9", "C0193", "400") +
                         line("辞典", "978-4-7741-9690-9", "C3055", "2680") +
                         line("値段違い", "978-4-7741-9690-9", "C3055", "-5");
    QVERIFY(WriteAll(Path("books.csv"), list.toUtf8()));
    const Ran run =
        Render({"--symbol", "book", "--batch", "books.csv", "--out-dir", "out", "--format", "png"});
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.all().contains("books.csv:4: price -5"), qPrintable(run.all()));
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files),
             (QStringList{QString::fromUtf8("草枕.png"), QString::fromUtf8("辞典.png")}));
    QCOMPARE(Decoded(QString::fromUtf8("out/草枕.png")),
             "1920193004007 9784003101049\n1920193004007 9784003101049");
    QCOMPARE(Decoded(QString::fromUtf8("out/辞典.png")),
             "1923055026803 9784774196909\n1923055026803 9784774196909");
    // Without --symbol book the ISBNs are refused as JANs, each line saying
    // what was meant.
    const Ran asJans = Render({"--batch", "books.csv", "--out-dir", "jan", "--format", "png"});
    QCOMPARE(asJans.exitCode, 4);
    QCOMPARE(asJans.all().count("--symbol book"), 3);
}

void TestRenderBook::aBookListWithAJanColumn_data() {
    QTest::addColumn<QByteArray>("list");
    // The same book as a JAN of its shop's own and by its ISBN.
    QTest::newRow("JAN before ISBN") << QByteArray(
        "書名,JAN,ISBN,Cコード,本体価格\n辞典,4901234567894,978-4-7741-9690-9,C3055,2680\n");
    QTest::newRow("ISBN before JAN") << QByteArray(
        "ISBN,書名,JAN,Cコード,本体価格\n978-4-7741-9690-9,辞典,4901234567894,C3055,2680\n");
}

// A book is drawn from its ISBN column; the JAN column is the code of the
// other symbols.
void TestRenderBook::aBookListWithAJanColumn() {
    QFETCH(QByteArray, list);
    QVERIFY(WriteAll(Path("books.csv"), list));
    const Ran book = Render(
        {"--symbol", "book", "--batch", "books.csv", "--out-dir", "book", "--format", "png"});
    QVERIFY2(book.exitCode == 0, qPrintable(book.all()));
    QCOMPARE(Decoded(QString::fromUtf8("book/辞典.png")),
             "1923055026803 9784774196909\n1923055026803 9784774196909");
    const Ran jan = Render({"--batch", "books.csv", "--out-dir", "jan", "--format", "png"});
    QVERIFY2(jan.exitCode == 0, qPrintable(jan.all()));
    QCOMPARE(Decoded(QString::fromUtf8("jan/辞典.png")), "4901234567894\n4901234567894");
}

void TestRenderBook::aBookListWithoutAColumn_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no price") << QByteArray("書名,ISBN,Cコード\n") << "column 本体価格 (or 価格)\n";
    QTest::newRow("no classification")
        << QByteArray("書名,ISBN,価格\n") << "column Cコード (or 分類コード)\n";
    QTest::newRow("neither") << QByteArray("書名,ISBN\n")
                             << "column Cコード (or 分類コード) and 本体価格 (or 価格)\n";
}

// Only the column that is missing is named.
void TestRenderBook::aBookListWithoutAColumn() {
    QFETCH(QByteArray, header);
    QFETCH(QString, missing);
    QVERIFY(WriteAll(Path("books.csv"), header + "辞典,978-4-7741-9690-9,C3055\n"));
    const Ran run =
        Render({"--symbol", "book", "--batch", "books.csv", "--out-dir", "out", "--format", "png"});
    QVERIFY2(run.exitCode != 0, qPrintable(run.all()));
    QVERIFY2(run.all().contains("header names no " + missing), qPrintable(run.all()));
}

// A4 labels of 86.4 x 42.3 mm hold a pair at 100 percent with its name:
// each label read back.
void TestRenderBook::labelSheetOfAList() {
    QVERIFY(WriteAll(Path("books.csv"),
                     "書名,ISBN,Cコード,本体価格\n"
                     "草枕,4-00-310104-9,C0193,500\n"
                     "辞典,978-4-7741-9690-9,C3055,2680\n"));
    const Ran run =
        Render({"--symbol", "book", "--batch", "books.csv", "--sheet", "a4-12", "-o", "s.pdf"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    QVERIFY2(!run.all().contains("percent"), qPrintable(run.all()));  // not made smaller
    QCOMPARE(Decoded("s.pdf").section(u'\n', 1),
             "1920193005004 1923055026803 9784003101049 9784774196909");
}

void TestRenderBook::textLinesClearOfTheBars_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("dpi");
    QTest::newRow("600 dpi") << QStringList{"--dpi", "600"} << 600;
    QTest::newRow("300 dpi, 80 percent")
        << QStringList{"--dpi", "300", "--magnification", "80"} << 300;
    QTest::newRow("1200 dpi, 200 percent, a name")
        << QStringList{"--dpi", "1200", "--magnification", "200", "--name", "Atlas"} << 1200;
}

// The 日本図書コード's two lines, the ISBN's and the price's, stand apart
// above the upper symbol: two stretches of rows with ink (three with a
// name), and half a millimetre of white at least between the last and the
// bars.
void TestRenderBook::textLinesClearOfTheBars() {
    QFETCH(QStringList, arguments);
    QFETCH(int, dpi);
    const Ran run = Render(QStringList{"--symbol", "book", "978-4-7741-9690-9", "--classification",
                                       "C3055", "--price", "2680", "-o", "b.png"} +
                           arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.all()));
    const QImage image(Path("b.png"));
    const QList<int> rows = BarRows(image);
    QCOMPARE(rows.size(), 2);
    const QList<int> lines = InkLines(image, rows[0]);
    const int expected = arguments.contains("--name") ? 3 : 2;
    QCOMPARE(lines.size(), 2 * expected);
    const double clearMm = (rows[0] - 1 - lines.last()) * 25.4 / dpi;
    QVERIFY2(clearMm >= 0.5, qPrintable(QStringLiteral("%1 mm clear").arg(clearMm)));
}

void TestRenderBook::badInputIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mention");
    const QStringList fields = {"--classification", "C0095", "--price", "1500"};
    QTest::newRow("12 digits") << QStringList{"978400310104"} + fields << 2 << "12 digits";
    QTest::newRow("11 digits") << QStringList{"97840031010"} + fields << 2 << "11 digits";
    QTest::newRow("ISBN-13 check digit")
        << QStringList{"978-4-00-310104-0"} + fields << 2 << "must be 9";
    QTest::newRow("ISBN-10 check digit")
        << QStringList{"4-00-310104-X"} + fields << 2 << "ends in 9, not X";
    QTest::newRow("a control character")
        << QStringList{"978-4-00-\x1b[31m"} + fields << 2 << QString::fromUtf8("978-4-00-\uFFFD");
    QTest::newRow("classification of 3 digits")
        << QStringList{"9784003101049", "--classification", "C095", "--price", "400"} << 2
        << "C and four digits";
    QTest::newRow("negative price")
        << QStringList{"9784003101049", "--classification", "C0193", "--price=-400"} << 2
        << "0 yen or more";
    QTest::newRow("price not a number")
        << QStringList{"9784003101049", "--classification", "C0193", "--price", "400yen"} << 2
        << "digits 0-9 only";
    QTest::newRow("no price") << QStringList{"9784003101049", "--classification", "C0193"} << 2
                              << "needs --classification";
    QTest::newRow("add-on") << QStringList{"9784003101049", "--addon", "12"} + fields << 1
                            << "--addon does not go";
    QTest::newRow("window layout")
        << QStringList{"9784003101049", "--layout", "window"} + fields << 1 << "no window layout";
    QTest::newRow("magnification 79")
        << QStringList{"9784003101049", "--magnification", "79"} + fields << 1 << "80 to 200";
    QTest::newRow("labels too small")
        << QStringList{"9784003101049", "--sheet", "a4-40"} + fields << 1 << "are 45.7 x 25.4 mm";
    QTest::newRow("printing") << QStringList{"9784003101049", "--print", "shop"} + fields << 1
                              << "is not printed";
}

void TestRenderBook::badInputIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mention);
    const QStringList output = arguments.contains("--print")   ? QStringList{}
                               : arguments.contains("--sheet") ? QStringList{"-o", "a.pdf"}
                                                               : QStringList{"-o", "a.png"};
    const Ran run = Render(QStringList{"--symbol", "book"} + output + arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.all().contains(mention), qPrintable(run.all()));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
}

QTEST_MAIN(TestRenderBook)
#include "tst_render_book.moc"
