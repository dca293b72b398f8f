// Fields of a batch list as people type them: header names in full-width
// letters or half-width kana, and blanks inside and outside quoted fields.
// The list is run through stripewell-render, and its files are read back.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "readers.h"
#include "sheetpages.h"

class TestRenderListFields : public QObject {
    Q_OBJECT

private slots:
    void init();
    void headersAreReadInAnyWidth_data();
    void headersAreReadInAnyWidth();
    void blanksInsideQuotesArePartOfTheField_data();
    void blanksInsideQuotesArePartOfTheField();

private:
    // Runs the list as a batch of png files into out/; the exit status, and
    // each file's name with what zbarimg reads in it.
    QPair<int, QStringList> Batch(const QString& list);

    std::unique_ptr<QTemporaryDir> dir_;
    QString err_;
};

void TestRenderListFields::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QPair<int, QStringList> TestRenderListFields::Batch(const QString& list) {
    if (!WriteAll(dir_->filePath("list.txt"), list.toUtf8()))
        return {-1, {}};
    const Ran ran =
        RunProgram(QStringLiteral(STRIPEWELL_RENDER),
                   {"--batch", "list.txt", "--out-dir", "out", "--format", "png", "--scale", "2"},
                   dir_->path());
    err_ = ran.err;
    QStringList files;
    const QDir out(dir_->filePath("out"));
    for (const QString& file : out.entryList(QDir::Files, QDir::Name)) {
        files.append(file + u' ' + ZbarCodes(out.filePath(file)).join(u' '));
    }
    return {ran.exitCode, files};
}

void TestRenderListFields::headersAreReadInAnyWidth_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("files");  // name, then the code read in it
    const QString tea = QString::fromUtf16(u"緑茶.png 4901234567894");
    QTest::newRow("ＪＡＮ between the name and a price")
        << QString::fromUtf16(u"品名,ＪＡＮ,価格\n緑茶,4901234567894,120\n") << QStringList{tea};
    QTest::newRow("ｃｏｄｅ before ｎａｍｅ, tabs")
        << QString::fromUtf16(u"ｃｏｄｅ\tｎａｍｅ\n4901234567894\t緑茶\n") << QStringList{tea};
    QTest::newRow("Ｊａｎコード and ＰＲＯＤＵＣＴ with a stock column")
        << QString::fromUtf16(u"Ｊａｎコード,在庫,ＰＲＯＤＵＣＴ\n4901234567894,3,緑茶\n")
        << QStringList{tea};
    QTest::newRow("half-width kana ｺｰﾄﾞ with 名称 and a price")
        << QString::fromUtf16(u"名称,ｺｰﾄﾞ,価格\n緑茶,4901234567894,120\n") << QStringList{tea};
    QTest::newRow("ＧＴＩＮ first of three")
        << QString::fromUtf16(u"ＧＴＩＮ,名称,メモ\n4901234567894,緑茶,\n") << QStringList{tea};
}

// Each list names its columns in another width; its one line must come out
// as the file named after the name column, holding the code column's code.
void TestRenderListFields::headersAreReadInAnyWidth() {
    QFETCH(QString, list);
    QFETCH(QStringList, files);
    const QPair<int, QStringList> run = Batch(list);
    QVERIFY2(run.first == 0, qPrintable(err_));
    QCOMPARE(run.second, files);
}

void TestRenderListFields::blanksInsideQuotesArePartOfTheField_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("reported");  // on standard error, or nothing
    const QString good = "Good,4901234567894\n";
    const QStringList goodOnly{"Good.png 4901234567894"};
    const QStringList both{"Good.png 4901234567894", "Tea.png 4912345678904"};
    QTest::newRow("blank before the code, inside quotes") << good + "Tea,\" 4912345678904\"\n"
                                                          << 4 << goodOnly << "list.txt:2: ";
    QTest::newRow("blank after the code, inside quotes") << good + "Tea,\"4912345678904 \"\n"
                                                         << 4 << goodOnly << "list.txt:2: ";
    QTest::newRow("tab before the code, inside quotes, three columns")
        << "名称,JAN,価格\n" + good.chopped(1) + ",1\nTea,\"\t4912345678904\",2\n"
        << 4 << goodOnly << "list.txt:3: ";
    QTest::newRow("blanks around an unquoted code") << good + "Tea,  4912345678904 \t\n"
                                                    << 0 << both << "";
    QTest::newRow("blanks outside the quotes") << good + "  \"Tea\" ,  \"4912345678904\"  \n"
                                               << 0 << both << "";
    QTest::newRow("blanks inside a quoted name")
        << good + "\"Tea  time\",4912345678904\n"
        << 0 << QStringList{"Good.png 4901234567894", "Tea  time.png 4912345678904"} << "";
}

// A quoted field is taken as it stands between its quotes, blanks and all
// (a code with a blank is no code); blanks outside quotes are dropped.
void TestRenderListFields::blanksInsideQuotesArePartOfTheField() {
    QFETCH(QString, list);
    QFETCH(int, exitCode);
    QFETCH(QStringList, files);
    QFETCH(QString, reported);
    const QPair<int, QStringList> run = Batch(list);
    QVERIFY2(run.first == exitCode, qPrintable(err_));
    QCOMPARE(run.second, files);
    QVERIFY2(reported.isEmpty() ? err_.isEmpty() : err_.contains(reported), qPrintable(err_));
}

QTEST_MAIN(TestRenderListFields)
#include "tst_render_listfields.moc"
