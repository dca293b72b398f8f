// The labels a list gives, record by record, as a batch, a sheet and the
// print dialog all take them: each good line's code with its line number and
// name, as many times as asked; each bad line once, with its line number and
// the reason. The codes and check digits below were worked out by hand from
// GS1's check digit rule, not by the program.

#include <QBuffer>
#include <QPdfWriter>
#include <QtTest>

#include "pipeline/labelsource.h"
#include "pipeline/listreader.h"
#include "pipeline/sheet.h"

using pipeline::Label;
using pipeline::LabelSource;

namespace {

// A label as a row expects it: "LINE CODE[+ADDON] NAME", with " (noted)"
// when the record was changed; a bad line as "LINE ! " and a phrase of its
// reason.
QString Shown(const Label& label, const QString& expected) {
    const QString head = QString::number(label.line) + u' ';
    if (!label.refusal.isEmpty()) {
        const QString phrase = expected.section(QStringLiteral(" ! "), 1);
        return head + QStringLiteral("! ") +
               (!phrase.isEmpty() && label.refusal.contains(phrase) ? phrase : label.refusal);
    }
    QString code = label.code.code;
    if (!label.code.addon.isEmpty())
        code += u'+' + label.code.addon;
    if (label.price)
        code += QStringLiteral(" %1/%2/%3")
                    .arg(label.price->withTax)
                    .arg(label.price->withoutTax)
                    .arg(label.price->taxRate);
    return head + code + u' ' + label.name +
           (label.note.isEmpty() ? QString() : QStringLiteral(" (noted)"));
}

QStringList Read(QByteArray bytes, const pipeline::ListFormat& format,
                 std::optional<symbol::Symbology> symbology, int copies,
                 const QStringList& expected, int indicator = -1,
                 const pipeline::TagPricing& pricing = {}) {
    QBuffer list(&bytes);
    list.open(QIODevice::ReadOnly);
    pipeline::ListReader reader(list, format);
    if (!reader.Start())
        return {QStringLiteral("refused: ") + reader.Refusal()};
    // No symbology: the list's columns say.
    LabelSource source = symbology ? LabelSource(reader, *symbology, copies, indicator)
                                   : LabelSource(reader, copies);
    source.SetPricing(pricing);
    QStringList shown;
    Label label;
    while (source.Next(&label))
        shown.append(Shown(label, expected.value(shown.size())));
    return shown;
}

}  // namespace

class TestLabels : public QObject {
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void held_data();
    void held();
    void painted_data();
    void painted();
    void tags_data();
    void tags();
};

void TestLabels::records_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("encoding");   // empty: found from the list
    QTest::addColumn<QString>("symbology");  // "list": as the list's columns say
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("expected");

    const QString jan = QStringLiteral("jan13");
    QTest::newRow("good lines, each once")
        << QByteArray("Tea,4901234567894\nMilk,4912345678904\n") << QString() << jan << 1
        << QStringList{"1 4901234567894 Tea", "2 4912345678904 Milk"};
    QTest::newRow("copies: every good line three times, a bad one once")
        << QByteArray("Tea,4901234567894\nBad,4901234567890\nMilk,4912345678904\n") << QString()
        << jan << 3
        << QStringList{"1 4901234567894 Tea",   "1 4901234567894 Tea",  "1 4901234567894 Tea",
                       "2 ! wrong check digit", "3 4912345678904 Milk", "3 4912345678904 Milk",
                       "3 4912345678904 Milk"};
    QTest::newRow("12 digits get their check digit")
        << QByteArray("Tea,490123456789\n") << QString() << jan << 1
        << QStringList{"1 4901234567894 Tea"};
    QTest::newRow("a wrong check digit")
        << QByteArray("Tea,4901234567894\nTea,4901234567893\n") << QString() << jan << 1
        << QStringList{"1 4901234567894 Tea", "2 ! it must be 4"};
    QTest::newRow("a letter among the digits")
        << QByteArray("Tea,49O1234567894\n") << QString() << jan << 1
        << QStringList{"1 ! character 3 ('O') is not a digit"};
    QTest::newRow("no digits") << QByteArray("Tea,\n") << QString() << jan << 1
                               << QStringList{"1 ! 0 digits"};
    QTest::newRow("a spreadsheet's exponent form")
        << QByteArray("Tea,4.90123E+12\nMilk,4912345678904\n") << QString() << jan << 1
        << QStringList{"1 ! exponent form", "2 4912345678904 Milk"};
    QTest::newRow("11 digits: leading zeros lost")
        << QByteArray("Tea,12345678905\n") << QString() << jan << 1
        << QStringList{"1 ! dropped leading zeros"};
    QTest::newRow("12 digits under a header: a leading zero lost")
        << QByteArray("name,code\nTea,012345678905\nMilk,4912345678904\n") << QString() << jan << 1
        << QStringList{"2 ! a leading 0", "3 4912345678904 Milk"};
    QTest::newRow("an add-on of 2 digits, and one of 3")
        << QByteArray("Magazine,4910123450124 12\nMagazine,4910123450124+123\n") << QString() << jan
        << 1 << QStringList{"1 4910123450124+12 Magazine", "2 ! is not 2 or 5 digits"};
    QTest::newRow("a short JAN takes no add-on")
        << QByteArray("Gum,4912345\nGum,49123456 12\n") << QString() << QStringLiteral("jan8") << 1
        << QStringList{"1 49123456 Gum", "2 ! takes no add-on"};
    QTest::newRow("bytes that are not the list's encoding")
        << QByteArray("Tea,4901234567894\n\xff,4912345678904\nMilk,4912345678904\n")
        << QStringLiteral("UTF-8") << jan << 2
        << QStringList{"1 4901234567894 Tea", "1 4901234567894 Tea", "2 ! not valid UTF-8",
                       "3 4912345678904 Milk", "3 4912345678904 Milk"};
    QTest::newRow("line numbers count blank lines and quoted line breaks")
        << QByteArray("\nTea,4901234567894\n\n\"Milk\ntea\",4912345678904\n\nBad,1\n") << QString()
        << jan << 1
        << QStringList{"2 4901234567894 Tea", "4 4912345678904 Milk\ntea", "7 ! 1 digit;"};
    // The ISBN-10 4-00-310104-9 is 978-4-00-310104-9 as an ISBN-13.
    const QByteArray books = "書名,ISBN,Cコード,本体価格\n草枕,4-00-310104-9,C0193,500\n";
    QTest::newRow("a book's columns make book pairs, the list deciding")
        << books << QString() << QStringLiteral("list") << 2
        << QStringList{"2 ISBN978-4-00-310104-9 C0193 ¥500E 草枕",
                       "2 ISBN978-4-00-310104-9 C0193 ¥500E 草枕"};
    QTest::newRow("a book's columns make book pairs, a book asked for")
        << books << QString() << QStringLiteral("book") << 1
        << QStringList{"2 ISBN978-4-00-310104-9 C0193 ¥500E 草枕"};
    QTest::newRow("codes without a book's columns stay JANs, the list deciding")
        << QByteArray("Tea,4901234567894\n") << QString() << QStringLiteral("list") << 1
        << QStringList{"1 4901234567894 Tea"};
    QTest::newRow("a book asked for, the list without its columns")
        << QByteArray("Tea,4901234567894\n") << QString() << QStringLiteral("book") << 1
        << QStringList{"1 ! a book needs its classification code and price"};
    // ITF-14: the case codes of a list's JANs with --indicator 1, read as a
    // list's JANs are (14512345600010: worked by hand, and read by ZXing
    // from zint's symbol); without it a whole JAN is refused, 14 digits taken.
    QTest::newRow("case codes of a list's JANs, indicator 1")
        << QByteArray(
               "箱,451234560001\n箱,4512345600013\n悪い,4512345600014\n"
               "数,4.51235E+12\nGTIN,14512345600010\n")
        << QString() << QStringLiteral("itf14 1") << 1
        << QStringList{"1 14512345600010 箱", "2 14512345600010 箱", "3 ! it must be 3",
                       "4 ! exponent form", "5 ! 12 or 13 digits of a JAN"};
    QTest::newRow("case codes without an indicator")
        << QByteArray("箱,4512345600013\nGTIN,14512345600010\n") << QString()
        << QStringLiteral("itf14") << 1
        << QStringList{"1 ! --indicator 1 makes 14512345600010", "2 14512345600010 GTIN"};
    QTest::newRow("a name cut is noted with the first copy only")
        << (QByteArray(1001, 'a') + ",4901234567894\n") << QString() << jan << 2
        << QStringList{"1 4901234567894 " + QString(1000, u'a') + " (noted)",
                       "1 4901234567894 " + QString(1000, u'a')};
}

void TestLabels::records() {
    QFETCH(QByteArray, list);
    QFETCH(QString, encoding);
    QFETCH(QString, symbology);
    QFETCH(int, copies);
    QFETCH(QStringList, expected);
    pipeline::ListFormat format;
    if (!encoding.isEmpty()) {
        pipeline::ListEncoding found;
        QVERIFY(pipeline::EncodingByName(encoding, &found));
        format.encoding = found;
    }
    const std::optional<symbol::Symbology> kind =
        symbology == u"list"             ? std::nullopt
        : symbology == u"jan8"           ? std::optional(symbol::Symbology::Jan8)
        : symbology == u"book"           ? std::optional(symbol::Symbology::Book)
        : symbology.startsWith(u"itf14") ? std::optional(symbol::Symbology::Itf14)
                                         : std::optional(symbol::Symbology::Jan13);
    const int indicator = symbology.startsWith(u"itf14 ") ? symbology.right(1).toInt() : -1;
    QCOMPARE(Read(list, format, kind, copies, expected, indicator), expected);
}

// Labels read before, as the print dialog keeps them, or the one code of a
// command line: each as many times as asked, in order.
void TestLabels::held_data() {
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one code, once")
        << QStringList{"4901234567894"} << 1 << QStringList{"0 4901234567894 n"};
    QTest::newRow("one code, four times") << QStringList{"4901234567894"} << 4
                                          << QStringList{"0 4901234567894 n", "0 4901234567894 n",
                                                         "0 4901234567894 n", "0 4901234567894 n"};
    QTest::newRow("two codes, twice each, in order")
        << QStringList{"4901234567894", "4912345678904"} << 2
        << QStringList{"0 4901234567894 n", "0 4901234567894 n", "0 4912345678904 n",
                       "0 4912345678904 n"};
    QTest::newRow("nothing") << QStringList{} << 3 << QStringList{};
}

void TestLabels::held() {
    QFETCH(QStringList, codes);
    QFETCH(int, copies);
    QFETCH(QStringList, expected);
    QList<Label> labels;
    for (const QString& code : codes)
        labels.append({0, QStringLiteral("n"), {symbol::Symbology::Jan13, code, {}}, {}, {}, {}});
    LabelSource source(labels, copies);
    QStringList shown;
    Label label;
    while (source.Next(&label))
        shown.append(Shown(label, QString()));
    QCOMPARE(shown, expected);
}

// The labels handed to the painter: what is painted, what is told, and the
// pages they fill on a sheet of 3 x 8 labels (70 x 37 mm, A4).
void TestLabels::painted_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("painted");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<int>("pages");
    QTest::newRow("one line, 24 copies: one full page")
        << QByteArray("Tea,4901234567894\n") << 24 << 0 << 24 << QStringList{} << 1;
    QTest::newRow("one line, 25 copies: a second page")
        << QByteArray("Tea,4901234567894\n") << 25 << 0 << 25 << QStringList{} << 2;
    QTest::newRow("23 places used: the second label starts a page")
        << QByteArray("Tea,4901234567894\n") << 2 << 23 << 2 << QStringList{} << 2;
    QTest::newRow("bad lines are told, not painted")
        << QByteArray("Tea,4901234567894\nBad,4901234567890\n\nMilk,12345678905\n") << 5 << 0 << 5
        << QStringList{"refused 2", "refused 4"} << 1;
    QTest::newRow("a cut name is told once, painted each time")
        << (QByteArray(1200, 'b') + ",4901234567894\n") << 3 << 0 << 3 << QStringList{"noted 1"}
        << 1;
}

namespace {

class Told : public pipeline::LabelReport {
public:
    QStringList told;
    void Refused(const Label& label) override {
        told.append(QStringLiteral("refused %1").arg(label.line));
    }
    void Noted(const Label& label) override {
        told.append(QStringLiteral("noted %1").arg(label.line));
    }
    void LeftOut(const Label& label, pipeline::SheetPainter::Added) override {
        told.append(QStringLiteral("left out %1").arg(label.line));
    }
};

}  // namespace

void TestLabels::painted() {
    QFETCH(QByteArray, list);
    QFETCH(int, copies);
    QFETCH(int, skip);
    QFETCH(int, painted);
    QFETCH(QStringList, told);
    QFETCH(int, pages);
    QBuffer listDevice(&list);
    listDevice.open(QIODevice::ReadOnly);
    pipeline::ListReader reader(listDevice, {});
    QVERIFY(reader.Start());
    LabelSource source(reader, symbol::Symbology::Jan13, copies);

    QByteArray pdf;
    QBuffer out(&pdf);
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
    // Typed in from the maker's sheet: 3 columns, 8 rows of 70 x 37 mm,
    // no gaps, 0 mm left and 0.5 mm top margin.
    pipeline::SheetTemplate sheet;
    sheet.name = QStringLiteral("test-24");
    sheet.left = 0;
    sheet.top = 0.5;
    sheet.labelWidth = sheet.pitchX = 70;
    sheet.labelHeight = sheet.pitchY = 37;
    sheet.columns = 3;
    sheet.rows = 8;
    Told report;
    pipeline::LabelCount count;
    int pagesPainted = 0;
    {
        pipeline::LabelPlan plan;
        plan.sheet = sheet;
        plan.skip = skip;
        pipeline::SheetPainter painter(pipeline::DevicePageSink(&writer), plan);
        QVERIFY(pipeline::PaintLabels(source, painter, report, &count));
        pagesPainted = painter.Pages();
    }
    QCOMPARE(count.painted, painted);
    QCOMPARE(count.failed, int(told.filter(QStringLiteral("refused")).size()));
    QCOMPARE(report.told, told);
    QCOMPARE(pagesPainted, pages);
    // The pages counted in the file itself, as a reader finds them.
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
    QCOMPARE(int(QString::fromLatin1(pdf).count(page)), pages);
}

void TestLabels::tags_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("rate");  // the run's
    QTest::addColumn<QString>("rounding");
    QTest::addColumn<QString>("instore");  // "FORMAT PREFIX", or empty
    QTest::addColumn<QStringList>("expected");
    // Each label: "LINE CODE WITHTAX/WITHOUTTAX/RATE NAME". The figures:
    // ¥1,000 + 10 % = ¥1,100; + 8 % = ¥1,080; ¥999 + 8 % = ¥1,078.92,
    // ¥1,078 rounded down and ¥1,079 up.
    const QByteArray header = "商品名,JANコード,税抜価格,税率\n";
    QTest::newRow("without tax, at the line's rate or the run's")
        << header +
               "お茶,4901234567894,1000,\nパン,4901234567894,1000,8\n"
               "牛乳,4901234567894,999,軽減\n"
        << 10 << "floor" << QString()
        << QStringList{"2 4901234567894 1100/1000/10 お茶", "3 4901234567894 1080/1000/8 パン",
                       "4 4901234567894 1078/999/8 牛乳"};
    QTest::newRow("rounded up, the run at 8 %")
        << header + "牛乳,4901234567894,999,\n"
        << 8 << "ceil" << QString() << QStringList{"2 4901234567894 1079/999/8 牛乳"};
    QTest::newRow("with tax, as spreadsheets write it")
        << QByteArray("商品名,JAN,売価\nお茶,4901234567894,\"￥１，１００\"\n") << 10 << "floor"
        << QString() << QStringList{"2 4901234567894 1100/1000/10 お茶"};
    QTest::newRow("bad cells are bad lines with their reason")
        << QByteArray(
               "商品名,JAN,価格,税率\n"
               "a,4901234567894,1.5,\nb,4901234567894,,\nc,4901234567894,100,5\n"
               "d,4901234567893,100,\n")
        << 10 << "floor" << QString()
        << QStringList{"2 ! 税込:", "3 ! the price is empty", "4 ! 税率", "5 ! it must be 4"};
    QTest::newRow("prices with and without tax must agree")
        << QByteArray(
               "商品名,JAN,税込価格,本体価格\na,4901234567894,1100,1000\n"
               "b,4901234567894,1100,1050\n")
        << 10 << "floor" << QString()
        << QStringList{"2 4901234567894 1100/1000/10 a", "3 ! 税込 ¥1,100 is 税抜 ¥1,000"};
    // A price typed 1,080 without quotes is two fields: never a ¥1 tag.
    QTest::newRow("a price split at its comma")
        << QByteArray("商品名,JANコード,売価\nパン,4901234567894,1,080\nお茶,4901234567894,,\n")
        << 10 << "floor" << QString()
        << QStringList{"2 ! 4 fields where the header names 3", "3 ! the price is empty"};
    // A book list's 本体価格 is the book's price without tax.
    QTest::newRow("a book list's price")
        << QByteArray("書名,JAN,Cコード,本体価格\n本,9784003101049,C0193,500\n") << 10 << "floor"
        << QString() << QStringList{"2 9784003101049 550/500/10 本"};
    QTest::newRow("no price column") << QByteArray("Tea,4901234567894\n") << 10 << "floor"
                                     << QString() << QStringList{"1 ! a tag needs its price"};
    // cm55.com's worked NON-PLU code: prefix 21, item 120025, ¥1,500 in
    // four digits, 2112002515005.
    QTest::newRow("an in-store code made from the item and the price with tax")
        << QByteArray("商品名,品番,売価\n惣菜,120025,1500\n惣菜,1234567,1500\n") << 10 << "floor"
        << "price4 21" << QStringList{"2 2112002515005 1500/1364/10 惣菜", "3 ! 1 to 6 digits"};
    QTest::newRow("a list's in-store code, its price the tag's or not")
        << QByteArray(
               "商品名,JAN,売価\n惣菜,2112002515005,1500\n惣菜,2112002515005,1600\n"
               "お茶,4901234567894,1600\n")
        << 10 << "floor"
        << "price4 21"
        << QStringList{"2 2112002515005 1500/1364/10 惣菜",
                       "3 ! the price inside the code, ¥1,500, is not the tag's ¥1,600",
                       "4 ! not an in-store code"};
    // A PLU code on a bare symbol (rate 0: no tag): 20, 0000000042, and the
    // check digit worked by hand, 2 + 4 + 2 x 3 = 12, 8.
    QTest::newRow("a PLU code without a tag")
        << QByteArray("商品名,品番\nパン,42\n") << 0 << "floor"
        << "plu 20" << QStringList{"2 2000000000428 パン"};
}

// A run of tags reads each line's price as asked, and its in-store code.
void TestLabels::tags() {
    QFETCH(QByteArray, list);
    QFETCH(int, rate);
    QFETCH(QString, rounding);
    QFETCH(QString, instore);
    QFETCH(QStringList, expected);
    pipeline::TagPricing pricing;
    pricing.tags = rate != 0;
    pricing.taxRate = rate;
    pricing.rounding = *pipeline::RoundingNamed(rounding);
    if (!instore.isEmpty()) {
        pricing.instore = symbol::FindInstoreFormat(instore.section(u' ', 0, 0));
        pricing.instorePrefix = instore.section(u' ', 1).toInt();
    }
    QCOMPARE(Read(list, {}, symbol::Symbology::Jan13, 1, expected, -1, pricing), expected);
}

QTEST_MAIN(TestLabels)
#include "tst_pipeline_labels.moc"
