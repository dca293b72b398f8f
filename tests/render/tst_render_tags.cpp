// Price tags and shelf labels as stripewell-render writes them, read back by
// readers of their own: every output's symbol by ZXing and zbar, its printed
// prices by tesseract on the tag rasterised at 600 dpi, against prices worked
// by hand; in-store codes read back with the tag's price inside them, and
// the codes and tags that are refused.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "pictures.h"
#include "readers.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");
const QString kName = QStringLiteral("おいしい緑茶 500ml");

// What the readers make of one tag file.
struct TagRead {
    QStringList zxing;  // ZXing's EAN-13 texts (13 digits even with a leading 0)
    QStringList zbar;
    QList<qint64> yen;  // the amounts tesseract reads, top to bottom
};

TagRead ReadTag(const QString& file, const QString& folder) {
    const QString picture = PictureOf(file, folder, 600);
    return {ZXingTexts(picture, {"-format", "EAN-13"}), ZbarCodes(picture),
            PrintedYen(picture, folder)};
}

QString Yen(const QList<qint64>& amounts) {
    QStringList text;
    for (qint64 amount : amounts)
        text.append(QString::number(amount));
    return text.join(u' ');
}

Ran Render(const QStringList& arguments, const QString& folder) {
    return RunProgram(STRIPEWELL_RENDER, arguments, folder, {.timeoutSeconds = 120});
}

}  // namespace

class TestRenderTags : public QObject {
    Q_OBJECT

private slots:
    void everyOutputIsRead_data();
    void everyOutputIsRead();
    void pricesAsWorked_data();
    void pricesAsWorked();
    void inStoreCodesHoldThePrice_data();
    void inStoreCodesHoldThePrice();
    void aCodeWhosePriceDiffersIsRefused_data();
    void aCodeWhosePriceDiffersIsRefused();
    void aTagTooSmallIsRefused();
};

// Both designs in every output at the least and the full magnification:
// ¥1,000 without tax at 10 % is ¥1,100 with it. A picture's symbol has a
// module of whole dots, here at 600 dpi.
void TestRenderTags::everyOutputIsRead_data() {
    QTest::addColumn<QString>("design");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("magnification");
    for (const char* design : {"price", "shelf"})
        for (const char* format : {"pdf", "svg", "png", "bmp"})
            for (const char* magnification : {"80", "100"})
                QTest::addRow("%s, %s, %s %%", design, format, magnification)
                    << design << format << magnification;
}

void TestRenderTags::everyOutputIsRead() {
    QFETCH(QString, design);
    QFETCH(QString, format);
    QFETCH(QString, magnification);
    QTemporaryDir dir;
    const QString file = "tag." + format;
    QStringList arguments{"--design",        design,        "--name", kName, "--price", "1000",
                          "--magnification", magnification, kCode,    "-o",  file};
    if (format == u"png" || format == u"bmp")
        arguments += {"--dpi", "600"};
    const Ran run = Render(arguments, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const TagRead read = ReadTag(file, dir.path());
    QCOMPARE(read.zxing, QStringList{kCode});
    QCOMPARE(read.zbar, QStringList{kCode});
    QCOMPARE(Yen(read.yen), QStringLiteral("1100 1000"));
}

// The prices printed, with tax first, as worked by hand: 1,000 at 10 % is
// 1,100 and at 8 % 1,080; 999 at 8 % is 1,078.92, 1,078 rounded down and
// 1,079 up; 999 at 10 % is 1,098.9, 1,099 rounded to the nearest; and a
// price with tax of 1,080 at 8 % is 1,000 without. On each design at its own
// size and on the roll sizes that hold it.
void TestRenderTags::pricesAsWorked_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("yen");
    const struct {
        const char* what;
        QStringList arguments;
        const char* yen;
    } prices[] = {
        {"1,000 at 10 %", {"--price", "1000"}, "1100 1000"},
        {"1,000 at 8 %", {"--price", "1000", "--tax-rate", "8"}, "1080 1000"},
        {"999 at 8 %, floor", {"--price", "999", "--tax-rate", "8"}, "1078 999"},
        {"999 at 8 %, ceil",
         {"--price", "999", "--tax-rate", "8", "--rounding", "ceil"},
         "1079 999"},
        {"999 at 10 %, round", {"--price", "999", "--rounding", "round"}, "1099 999"},
        {"1,080 with tax at 8 %", {"--price-with-tax", "1080", "--tax-rate", "8"}, "1080 1000"},
    };
    const struct {
        const char* what;
        QStringList arguments;
    } sizes[] = {
        {"price", {"--design", "price"}},
        {"price 40x30", {"--design", "price", "--label-size", "40x30"}},
        {"shelf", {"--design", "shelf"}},
        {"shelf without symbol 40x30",
         {"--design", "shelf", "--no-symbol", "--label-size", "40x30"}},
    };
    for (const auto& size : sizes)
        for (const auto& price : prices)
            QTest::addRow("%s, %s", size.what, price.what)
                << size.arguments + price.arguments << price.yen;
}

void TestRenderTags::pricesAsWorked() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, yen);
    QTemporaryDir dir;
    const Ran run =
        Render(arguments + QStringList{"--name", kName, kCode, "-o", "tag.pdf"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const TagRead read = ReadTag("tag.pdf", dir.path());
    QCOMPARE(Yen(read.yen), yen);
    QCOMPARE(read.zbar, arguments.contains("--no-symbol") ? QStringList() : QStringList{kCode});
}

// The in-store codes with the price inside, as README lays each out (02,
// then the item number, the price check digit where the format has one, the
// price, the JAN check digit): ZXing reads the code, whose price is the
// tag's price with tax as tesseract reads it. ¥2,875 is GS1's worked
// example of the price check digit of a 4-digit price: 9.
void TestRenderTags::inStoreCodesHoldThePrice_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("code");  // the first 12 digits; '?' where not worked here
    const char* rows[][4] = {
        {"price4", "123456", "2875", "021234562875"},
        {"price5", "12345", "2875", "021234502875"},
        {"price4-check", "12345", "2875", "021234592875"},
        {"price5-check", "1234", "12800", "021234?12800"},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2] << row[3];
}

void TestRenderTags::inStoreCodesHoldThePrice() {
    QFETCH(QString, format);
    QFETCH(QString, item);
    QFETCH(QString, price);
    QFETCH(QString, code);
    QTemporaryDir dir;
    const Ran run = Render({"--design", "price", "--instore", format, "--item", item,
                            "--price-with-tax", price, "--name", "コロッケ", "-o", "tag.pdf"},
                           dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const TagRead read = ReadTag("tag.pdf", dir.path());
    QCOMPARE(read.zxing.size(), 1);
    const QString made = read.zxing.constFirst();
    QCOMPARE(made.size(), 13);
    for (int i = 0; i < 12; ++i)
        if (code[i] != u'?')
            QVERIFY2(made[i] == code[i], qPrintable(made + " is not " + code));
    QCOMPARE(read.zbar, QStringList{made});
    QVERIFY(!read.yen.isEmpty());
    QCOMPARE(read.yen.constFirst(), price.toLongLong());
}

// A list's own in-store code whose price is not the line's price with tax
// is a bad line; so is one whose price check digit does not hold. The other
// line is written. 2112002515005: prefix 21, item 120025, ¥1,500, as a till
// maker's manual gives it; 0212345928752 as above, and with a check digit
// of 8 for ¥2,875 (JAN check digit 5 worked by hand).
void TestRenderTags::aCodeWhosePriceDiffersIsRefused_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("good");  // a code and its price, as a list line ends
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("reason");
    QTest::newRow("price4, ¥1,600 on the tag")
        << "price4"
        << "2112002515005,1500"
        << "2112002515005,1600"
        << "the price inside the code, ¥1,500, is not the tag's ¥1,600";
    QTest::newRow("price4-check, ¥2,876 on the tag")
        << "price4-check"
        << "0212345928752,2875"
        << "0212345928752,2876"
        << "the price inside the code, ¥2,875, is not the tag's ¥2,876";
    QTest::newRow("price4-check, a wrong price check digit")
        << "price4-check"
        << "0212345928752,2875"
        << "0212345828755,2875"
        << "the price check digit of 0212345828755 does not hold";
}

void TestRenderTags::aCodeWhosePriceDiffersIsRefused() {
    QFETCH(QString, format);
    QFETCH(QString, good);
    QFETCH(QString, bad);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(
        WriteAll(dir.filePath("list.csv"),
                 ("商品名,JANコード,売価\nメンチ," + good + "\nコロッケ," + bad + "\n").toUtf8()));
    const Ran run = Render({"--design", "price", "--instore", format, "--batch", "list.csv",
                            "--sheet", "a4-24", "-o", "tags.pdf"},
                           dir.path());
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains("list.csv:3: " + reason), qPrintable(run.err));
    QCOMPARE(ZXingTexts(PictureOf("tags.pdf", dir.path()), {"-format", "EAN-13"}),
             QStringList{good.section(u',', 0, 0)});
}

// A price tag's symbol at 80 percent is 29.8 mm wide with its quiet zones
// and 20.7 mm tall with its digits: 35 x 25 mm cannot hold it with a name
// and a price. The sizes are said and nothing is written.
void TestRenderTags::aTagTooSmallIsRefused() {
    QTemporaryDir dir;
    const Ran run = Render(
        {"--design", "price", "--price", "1000", "--label-size", "35x25", kCode, "-o", "tag.pdf"},
        dir.path());
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains("does not fit a label of 35 x 25 mm; it needs at least"),
             qPrintable(run.err));
    QVERIFY(!QFile::exists(dir.filePath("tag.pdf")));
}

QTEST_MAIN(TestRenderTags)
#include "tst_render_tags.moc"
