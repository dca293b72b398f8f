// A shop's list of 1,000 price tags as a spreadsheet exports it (Shift_JIS,
// CRLF, full-width digits and yen signs in some price cells, some lines at
// the reduced rate), printed by stripewell-render onto an A4 label sheet and
// onto a 203-dpi label roll through the tests' print server: every tag's
// symbol read back by zbar, its printed price with tax by tesseract.

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "pipeline/sheet.h"
#include "printserver.h"
#include "readers.h"

using printtest::PrintServer;

namespace {

constexpr int kTags = 1000;

// The JAN check digit of twelve digits, worked as published: weights 1 and
// 3 from the left, the check digit what brings the sum to a multiple of 10.
QChar JanCheck(const QString& twelve) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelve[i].digitValue() * (i % 2 ? 3 : 1);
    return QChar(u'0' + (10 - sum % 10) % 10);
}

// Full-width digits, as some spreadsheets leave a typed price.
QString FullWidth(const QString& digits) {
    QString wide;
    for (QChar c : digits)
        wide += c.isDigit() ? QChar(u'０' + c.digitValue()) : c;
    return wide;
}

// "1,234" for "1234".
QString Thousands(QString digits) {
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

struct Tag {
    QString code;
    qint64 withTax = 0;
};

}  // namespace

class TestPrintTags : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ontoAnA4Sheet();
    void ontoA203DpiRoll();

private:
    // Reads the symbols of labels, tags first on, by one zbarimg a hundred.
    void CheckSymbols(const QList<QImage>& labels, int first, const QString& what);
    // Reads the price with tax of tag on picture by tesseract.
    void CheckPrice(const QString& picture, int tag, const QString& what);

    QTemporaryDir dir_;
    QList<Tag> tags_;
};

// Line i: a code of prefix 49 (its check digit worked here), a price without
// tax from 100 to 9,999 yen written four ways, and the rate: 軽減 (8 %) on
// every third line, 10 on some, empty (the run's 10 %) on others. The price
// with tax is the tax rounded down, as by default.
void TestPrintTags::initTestCase() {
    QVERIFY(dir_.isValid());
    // A page of A4 at 600 dpi is more than Qt reads by default.
    QImageReader::setAllocationLimit(1024);
    QString list = QStringLiteral("商品名,JANコード,税抜価格,税率\r\n");
    for (int i = 0; i < kTags; ++i) {
        const QString twelve = QStringLiteral("4912345%1").arg(i, 5, 10, QChar(u'0'));
        const qint64 price = 100 + (i * 7919) % 9900;
        const int rate = i % 3 == 0 ? 8 : 10;
        const QString digits = QString::number(price);
        const QString cell = i % 4 == 0   ? digits
                             : i % 4 == 1 ? FullWidth(digits)
                             : i % 4 == 2 ? "￥" + FullWidth(digits)
                                          : "\"¥" + Thousands(digits) + '"';
        const QString rateCell = rate == 8 ? QStringLiteral("軽減") : i % 2 ? "10" : "";
        list += QStringLiteral("品目%1 %2,%3,%4,%5\r\n")
                    .arg(i + 1)
                    .arg(rate == 8 ? "パン" : "洗剤", twelve + JanCheck(twelve), cell, rateCell);
        tags_.append({twelve + JanCheck(twelve), price * (100 + rate) / 100});
    }
    QVERIFY(WriteAll(dir_.filePath("utf8.csv"), list.toUtf8()));
    const Ran iconv = RunProgram("iconv", {"-f", "UTF-8", "-t", "SHIFT_JIS", "utf8.csv"},
                                 dir_.path(), {.standardOutputFile = dir_.filePath("tags.csv")});
    QVERIFY2(iconv.exitCode == 0, qPrintable(iconv.err));
}

void TestPrintTags::CheckSymbols(const QList<QImage>& labels, int first, const QString& what) {
    QStringList files;
    for (int i = 0; i < labels.size(); ++i) {
        files.append(dir_.filePath(QStringLiteral("label-%1.png").arg(first + i)));
        labels[i].save(files.last());
    }
    // zbarimg names each file it read.
    QString xml;
    for (int at = 0; at < files.size(); at += 100)
        xml += RunProgram("zbarimg", QStringList{"-q", "--xml"} + files.mid(at, 100)).out;
    static const QRegularExpression data(QStringLiteral("<data><!\\[CDATA\\[(\\d+)\\]\\]></data>"));
    for (int i = 0; i < files.size(); ++i) {
        const Tag& tag = tags_[first + i];
        const qsizetype at = xml.indexOf(QStringLiteral("href='%1'").arg(files[i]));
        const qsizetype end = xml.indexOf(QStringLiteral("</source>"), at);
        const QString read = at < 0 ? QString() : data.match(xml.mid(at, end - at)).captured(1);
        QFile::remove(files[i]);
        QVERIFY2(read == tag.code, qPrintable(QStringLiteral("%1, tag %2: read '%3', not %4")
                                                  .arg(what)
                                                  .arg(first + i + 1)
                                                  .arg(read, tag.code)));
    }
}

void TestPrintTags::CheckPrice(const QString& picture, int tag, const QString& what) {
    const QList<qint64> yen = PrintedYen(picture, dir_.path());
    QVERIFY2(!yen.isEmpty() && yen.constFirst() == tags_[tag].withTax,
             qPrintable(QStringLiteral("%1, tag %2: ¥%3 read, not ¥%4")
                            .arg(what)
                            .arg(tag + 1)
                            .arg(yen.value(0))
                            .arg(tags_[tag].withTax)));
}

// 42 pages of 24 labels. Every symbol is read at 300 dpi. Tesseract, at
// about 2 s a label, reads the prices at 600 dpi of the first page's 24
// labels and of every 47th tag after them (21 more, a place further back
// on the sheet each time): reading all 1,000 would take over half an hour.
void TestPrintTags::ontoAnA4Sheet() {
    const Ran run = RunProgram(
        STRIPEWELL_RENDER,
        {"--design", "price", "--batch", "tags.csv", "--sheet", "a4-24", "-o", "tags.pdf"},
        dir_.path(), {.timeoutSeconds = 600});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const pipeline::SheetTemplate sheet = *pipeline::FindSheet(QStringLiteral("a4-24"));
    const int perPage = sheet.LabelsPerPage();
    const auto dots = [&](int place, int dpi) {
        const QRectF mm = sheet.LabelRect(place);
        return QRect(QPointF(mm.topLeft() * dpi / 25.4).toPoint(),
                     QPointF(mm.bottomRight() * dpi / 25.4).toPoint());
    };
    for (int page = 0; page * perPage < kTags; ++page) {
        const QString n = QString::number(page + 1);
        RunProgram(
            "pdftoppm",
            {"-r", "300", "-gray", "-png", "-f", n, "-l", n, "-singlefile", "tags.pdf", "page"},
            dir_.path());
        const QImage picture(dir_.filePath("page.png"));
        QVERIFY2(!picture.isNull(), qPrintable("page " + n + " is not in the file"));
        QList<QImage> labels;
        for (int i = 0; i < perPage && page * perPage + i < kTags; ++i)
            labels.append(picture.copy(dots(i, 300)));
        CheckSymbols(labels, page * perPage, "a4-24");
        if (QTest::currentTestFailed())
            return;
    }
    for (int tag = 0; tag < kTags; tag += tag < perPage ? 1 : 47) {
        const QString n = QString::number(tag / perPage + 1);
        const QRect label = dots(tag % perPage, 600);
        RunProgram("pdftoppm",
                   {"-r", "600", "-gray", "-png", "-f", n, "-l", n, "-singlefile", "-x",
                    QString::number(label.x()), "-y", QString::number(label.y()), "-W",
                    QString::number(label.width()), "-H", QString::number(label.height()),
                    "tags.pdf", "label"},
                   dir_.path());
        CheckPrice(dir_.filePath("label.png"), tag, "a4-24");
        if (QTest::currentTestFailed())
            return;
    }
}

// One tag a label of 70 x 45 mm (at 203 dpi a module of 3 dots, 114 %,
// needs it), as the ZPL driver would burn them. Every symbol read; the
// price of every 25th tag read, and its symbol measured.
void TestPrintTags::ontoA203DpiRoll() {
    PrintServer server;
    QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
    const Ran run = RunProgram(
        STRIPEWELL_RENDER,
        {"--design", "price", "--batch", "tags.csv", "--print", "zpl", "--media", "70x45 mm"},
        dir_.path(), {.environment = server.Environment(), .timeoutSeconds = 600});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QString error;
    const QList<QImage> labels = printtest::DecodeZpl(server.TakeOutput("zpl", 600000), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(labels.size(), kTags);
    CheckSymbols(labels, 0, "zpl 203 dpi");
    for (int tag = 0; tag < kTags && !QTest::currentTestFailed(); tag += 25) {
        labels[tag].save(dir_.filePath("label.png"));
        CheckPrice(dir_.filePath("label.png"), tag, "zpl 203 dpi");
        // Whole dots, the bars at their full height, the quiet zones.
        const QString problem = printtest::LabelProblem(labels[tag], tags_[tag].code,
                                                        printtest::NominalDots(203), dir_.path());
        QVERIFY2(problem.isEmpty(),
                 qPrintable(QStringLiteral("tag %1: %2").arg(tag + 1).arg(problem)));
    }
}

QTEST_MAIN(TestPrintTags)
#include "tst_print_tags.moc"
