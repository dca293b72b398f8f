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
    return head + code + u' ' + label.name +
           (label.note.isEmpty() ? QString() : QStringLiteral(" (noted)"));
}

QStringList Read(QByteArray bytes, const pipeline::ListFormat& format,
                 std::optional<symbol::Symbology> symbology, int copies,
                 const QStringList& expected, int indicator = -1) {
    QBuffer list(&bytes);
    list.open(QIODevice::ReadOnly);
    pipeline::ListReader reader(list, format);
    if (!reader.Start())
        return {QStringLiteral("refused: ") + reader.Refusal()};
    // No symbology: the list's columns say.
    LabelSource source = symbology ? LabelSource(reader, *symbology, copies, indicator)
                                   : LabelSource(reader, copies);
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
        labels.append({0, QStringLiteral("n"), {symbol::Symbology::Jan13, code, {}}, {}, {}});
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

QTEST_MAIN(TestLabels)
#include "tst_pipeline_labels.moc"
