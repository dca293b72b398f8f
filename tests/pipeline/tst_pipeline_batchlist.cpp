// The lines of a batch list: split into a name and digits, told apart as
// blank, header, entry or bad, quotes left open found piece by piece, and
// names cut to length.

#include <QTest>

#include "pipeline/batchlist.h"

class TestPipelineBatchList : public QObject {
    Q_OBJECT

private slots:
    void batchLinesAreSplit_data();
    void batchLinesAreSplit();
    void batchLinesAreClassified_data();
    void batchLinesAreClassified();
    void openQuoteIsFoundPieceByPiece_data();
    void openQuoteIsFoundPieceByPiece();
    void longNamesAreCut_data();
    void longNamesAreCut();
    void tagColumnsAreFoundByHeader_data();
    void tagColumnsAreFoundByHeader();
};

void TestPipelineBatchList::batchLinesAreSplit_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("firstContent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("digits");
    QTest::newRow("tab") << QByteArray("Tea\t4901234567894\n") << false << "Tea"
                         << "4901234567894";
    QTest::newRow("comma") << QByteArray("Tea,490123456789") << false << "Tea"
                           << "490123456789";
    QTest::newRow("CRLF") << QByteArray("Tea,490123456789\r\n") << false << "Tea"
                          << "490123456789";
    QTest::newRow("commas in the name")
        << QByteArray("Tea, green, 500ml,490123456789") << false << "Tea, green, 500ml"
        << "490123456789";
    QTest::newRow("tab wins over commas") << QByteArray("a,b\t490123456789") << false << "a,b"
                                          << "490123456789";
    QTest::newRow("quoted name") << QByteArray("\"Say \"\"hi\"\", 2\",\"490123456789\"") << false
                                 << "Say \"hi\", 2"
                                 << "490123456789";
    QTest::newRow("spaces around the fields")
        << QByteArray("  Tea  ,  490123456789  ") << false << "Tea"
        << "490123456789";
    QTest::newRow("Japanese name") << QByteArray("緑茶 ５００ｍｌ\t490123456789") << false
                                   << QString::fromUtf16(u"緑茶 ５００ｍｌ") << "490123456789";
    QTest::newRow("empty name") << QByteArray(",490123456789") << true << ""
                                << "490123456789";
    QTest::newRow("byte order mark on the first line")
        << QByteArray("\xEF\xBB\xBFTea,490123456789") << true << "Tea"
        << "490123456789";
    QTest::newRow("header words on a later line are digits")
        << QByteArray("name,jan") << false << "name"
        << "jan";
    QTest::newRow("empty digits on the first line") << QByteArray("Tea,") << true << "Tea"
                                                    << "";
}

void TestPipelineBatchList::batchLinesAreSplit() {
    QFETCH(QByteArray, line);
    QFETCH(bool, firstContent);
    QFETCH(QString, name);
    QFETCH(QString, digits);
    const pipeline::BatchLine read = pipeline::ReadBatchLine(line, firstContent);
    QCOMPARE(read.kind, pipeline::BatchLine::Kind::Entry);
    QCOMPARE(read.name, name);
    QCOMPARE(read.digits, digits);
}

void TestPipelineBatchList::batchLinesAreClassified_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("firstContent");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("mention");
    using Kind = pipeline::BatchLine::Kind;
    QTest::newRow("empty") << QByteArray("\n") << true << int(Kind::Blank) << "";
    QTest::newRow("blanks and CR") << QByteArray(" \t\r\n") << false << int(Kind::Blank) << "";
    QTest::newRow("header") << QByteArray("name,jan\r\n") << true << int(Kind::Header) << "";
    QTest::newRow("header with BOM and tab")
        << QByteArray("\xEF\xBB\xBF商品名\tJANコード") << true << int(Kind::Header) << "";
    QTest::newRow("no separator") << QByteArray("4901234567894") << true << int(Kind::Bad)
                                  << "no tab or comma";
    QTest::newRow("broken UTF-8") << QByteArray("T\xFF\xFE,490123456789") << false << int(Kind::Bad)
                                  << "UTF-8";
    QTest::newRow("byte order mark on a later line")
        << QByteArray("\xEF\xBB\xBFTea,490123456789") << false << int(Kind::Entry) << "";
}

void TestPipelineBatchList::batchLinesAreClassified() {
    QFETCH(QByteArray, line);
    QFETCH(bool, firstContent);
    QFETCH(int, kind);
    QFETCH(QString, mention);
    const pipeline::BatchLine read = pipeline::ReadBatchLine(line, firstContent);
    QCOMPARE(int(read.kind), kind);
    QVERIFY2(read.error.contains(mention), qPrintable(read.error));
    if (read.kind == pipeline::BatchLine::Kind::Entry)
        QVERIFY(!read.name.startsWith(QChar(0xFEFF)));
}

void TestPipelineBatchList::openQuoteIsFoundPieceByPiece_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QChar>("separator");
    for (const char* record :
         {"\"A", "\"A\"", "\"A\"\"", "\"A\"\"\"", "x,\"A", "x,  \"A", "x,y\"A", "\"A\"x,\"B",
          "\"A\"\n\"B", "\"A\n\"\"\n", "\"\"\"", "  \"A,B\"\",\"C", "\"A\"\"\n\"", "\"A;B"})
        for (QChar separator : {QChar(u','), QChar(u';')})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(record, separator)))
                << QString::fromLatin1(record) << separator;
}

// Fed a character at a time, as lines are fed one at a time, OpenQuote says
// what SplitFields says of the whole record.
void TestPipelineBatchList::openQuoteIsFoundPieceByPiece() {
    QFETCH(QString, record);
    QFETCH(QChar, separator);
    pipeline::OpenQuote whole(separator), pieces(separator);
    whole.Add(record);
    for (QChar c : record)
        pieces.Add(QStringView(&c, 1));
    const bool open = pipeline::SplitFields(record, separator).quoteOpen;
    QCOMPARE(whole.IsOpen(), open);
    QCOMPARE(pieces.IsOpen(), open);
}

void TestPipelineBatchList::longNamesAreCut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kept");
    const QString pair = QString::fromUtf16(u"\U0001F375");  // two halves
    QTest::newRow("1000 characters") << QString(1000, u'a') << 1000;
    QTest::newRow("1001 characters") << QString(1001, u'a') << 1000;
    QTest::newRow("a pair across the limit") << QString(999, u'a') + pair + u'a' << 999;
    QTest::newRow("a pair at the limit") << QString(998, u'a') + pair + u'a' << 1000;
}

void TestPipelineBatchList::longNamesAreCut() {
    QFETCH(QString, name);
    QFETCH(int, kept);
    QString cut = name;
    const QString note = pipeline::CutName(&cut);
    QCOMPARE(cut, name.left(kept));
    QCOMPARE(note.isEmpty(), kept == name.size());
    if (!note.isEmpty())
        QCOMPARE(note, QStringLiteral("the name is %1 characters long; only its first %2 are used")
                           .arg(name.size())
                           .arg(kept));
}

void TestPipelineBatchList::tagColumnsAreFoundByHeader_data() {
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("record");
    // "code|with tax|without tax|rate|item|book's price", "-" for a null cell.
    QTest::addColumn<QString>("cells");
    QTest::newRow("a spreadsheet's tag list") << "商品名,JANコード,税込価格,税抜価格,税率"
                                              << "お茶,4901234567894,1100,1000,10"
                                              << "4901234567894|1100|1000|10|-|-";
    QTest::newRow("売価 and 本体価格, full-width headers and cells as written")
        << "品名,ＪＡＮ,売価,本体価格"
        << "パン,4901234567894,￥１，０８０,1000"
        << "4901234567894|￥１，０８０|1000|-|-|1000";
    QTest::newRow("価格 alone, 軽減") << "商品名,コード,価格,税率"
                                      << "牛乳,4901234567894,216,軽減"
                                      << "4901234567894|216|-|軽減|-|216";
    QTest::newRow("in-store items without a code column") << "商品名,品番,売価"
                                                          << "惣菜,120025,1500"
                                                          << "|1500|-|-|120025|-";
    QTest::newRow("商品コード and a code") << "商品名,JAN,商品コード,価格"
                                           << "パン,2112002515005,120025,1500"
                                           << "2112002515005|1500|-|-|120025|1500";
    QTest::newRow("an empty rate cell stays empty, not null") << "商品名,JAN,売価,税率"
                                                              << "お茶,4901234567894,1100,"
                                                              << "4901234567894|1100|-||-|-";
    QTest::newRow("a book list keeps its columns and has no tag's")
        << "書名,ISBN,Cコード,本体価格"
        << "草枕,4-00-310104-9,C0193,500"
        << "4-00-310104-9|-|-|-|-|500";
    // A list whose prices could be read two ways, or that has no codes, is
    // refused whole ("! reason").
    QTest::newRow("two columns of the price with tax") << "商品名,JAN,税込価格,価格"
                                                       << ""
                                                       << "! more than one price with tax";
    QTest::newRow("prices without codes") << "商品名,売価"
                                          << ""
                                          << "! no column of codes";
}

// Each tag cell comes from the column its header names, as written; a
// list with a book's classification code is read as a book list only.
void TestPipelineBatchList::tagColumnsAreFoundByHeader() {
    QFETCH(QString, header);
    QFETCH(QString, record);
    QFETCH(QString, cells);
    const pipeline::ListShape shape = pipeline::ReadListShape(header, u',', {}, {});
    if (cells.startsWith(u'!')) {
        QVERIFY2(shape.error.contains(cells.mid(2)), qPrintable(shape.error));
        return;
    }
    QVERIFY2(shape.error.isEmpty(), qPrintable(shape.error));
    QVERIFY(shape.header);
    const pipeline::BatchLine line = pipeline::ReadRecord(record, u',', shape.columns);
    QCOMPARE(int(line.kind), int(pipeline::BatchLine::Kind::Entry));
    const auto shown = [](const QString& cell) {
        return cell.isNull() ? QStringLiteral("-") : cell;
    };
    const QString read =
        QStringList{line.digits,         shown(line.priceWithTax), shown(line.priceWithoutTax),
                    shown(line.taxRate), shown(line.item),         shown(line.price)}
            .join(u'|');
    QCOMPARE(read, cells);
}

QTEST_MAIN(TestPipelineBatchList)
#include "tst_pipeline_batchlist.moc"
