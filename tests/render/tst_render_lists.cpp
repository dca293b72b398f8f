// Product lists as people keep them: the exports of a real spreadsheet in
// each encoding it writes, and lists damaged in the ways lists are, read by
// stripewell-render; its files are read back by ZXing.

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "run.h"

namespace {

// Runs a shell command line in a folder, with "$R" the program.
Ran Shell(const QString& command, const QString& folder) {
    return RunProgram("/bin/sh", {"-c", command}, folder,
                      {.environment = {"R=" STRIPEWELL_RENDER}});
}

QByteArray Export(const QString& name) {
    return ReadAll(QStringLiteral(EXPORTS_DIR "/") + name);
}

// The UTF-16 export with its bytes swapped: the same list in big endian.
QByteArray BigEndian(QByteArray littleEndian) {
    for (qsizetype i = 0; i + 1 < littleEndian.size(); i += 2)
        std::swap(littleEndian[i], littleEndian[i + 1]);
    return littleEndian;
}

}  // namespace

class TestRenderLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void spreadsheetExportsGiveTheirSymbols_data();
    void spreadsheetExportsGiveTheirSymbols();
    void shiftJisIsReadAsQtReadsIt();
    void listsAreReadOrRefusedWithTheReason_data();
    void listsAreReadOrRefusedWithTheReason();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    QString Decode(const QString& path) {
        return RunProgram(zxing_, {"-format", "EAN-13", "-noscale", "-bytes", path}).out.trimmed();
    }

    QString zxing_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderLists::initTestCase() {
    zxing_ = QStandardPaths::findExecutable("ZXingReader");
    QVERIFY2(!zxing_.isEmpty(), "ZXingReader is missing (Debian package zxing-cpp-tools)");
}

void TestRenderLists::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderLists::spreadsheetExportsGiveTheirSymbols_data() {
    QTest::addColumn<QByteArray>("list");
    const QByteArray utf8 = Export("sheet-utf8.csv");
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with a byte order mark") << "\xEF\xBB\xBF" + utf8;
    QTest::newRow("Shift_JIS (code page 932)") << Export("sheet-cp932.csv");
    QTest::newRow("UTF-16 little endian, tabs") << Export("sheet-utf16.txt");
    QTest::newRow("UTF-16 big endian, tabs") << BigEndian(Export("sheet-utf16.txt"));
}

void TestRenderLists::spreadsheetExportsGiveTheirSymbols() {
    QFETCH(QByteArray, list);
    QVERIFY(WriteAll(Path("list"), list));
    const Ran run = Shell("\"$R\" --batch list --out-dir out", dir_->path());
    // Each name as a file name ("/" and the like made safe), with its code.
    const QMap<QString, QString> expected = {
        {u"緑茶 ５００ｍｌ.bmp"_qs, "4901234567894"},
        {u"ほうじ茶, 大.bmp"_qs, "4902102072618"},
        {u"麦茶 _冷_.bmp"_qs, "4569990000019"},
        {u"季節の_ブレンド.bmp"_qs, "0012345678905"},
        {u"ｺｰﾗ.bmp"_qs, "4900000012347"},
        {u"①番の棚.bmp"_qs, "4512345678906"},
    };
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files, QDir::Name), QStringList(expected.keys()));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(Decode(Path("out/" + it.key())), it.value());
    // The codes the spreadsheet kept as numbers, each refused for what it did to them.
    QCOMPARE(run.exitCode, 4);
    for (const char* mention : {":9: 4.53988E+12: a spreadsheet turned this code into a number",
                                ":10: 12345678905: 11 digits", "the code is 0012345678905",
                                ":11: 123456789050: 12 digits", "valid code 0123456789050"})
        QVERIFY2(run.err.contains(QLatin1StringView(mention)), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 4);  // the three, and how many failed
}

void TestRenderLists::shiftJisIsReadAsQtReadsIt() {
    // ICU, through Qt, is another decoder of code page 932 than the program's.
    QStringDecoder shiftJis("Shift_JIS");
    QVERIFY(shiftJis.isValid());
    const QString sheet = shiftJis.decode(Export("sheet-cp932.csv"));
    QVERIFY(!shiftJis.hasError());
    QCOMPARE(sheet, QString::fromUtf8(Export("sheet-utf8.csv")));
}

void TestRenderLists::listsAreReadOrRefusedWithTheReason_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mention");
    QTest::addColumn<QStringList>("files");
    const QString run = "\"$R\" --batch list --out-dir out";
    const QByteArray tea = "Tea,4901234567894\n";
    QTest::newRow("lone CR ends a line")
        << run << QByteArray("Tea,4901234567894\rMilk,490123456789\r") << 0 << ""
        << QStringList{"Milk.bmp", "Tea.bmp"};
    QTest::newRow("standard input closed") << "\"$R\" --batch - --out-dir out 0<&-" << tea << 3
                                           << "(standard input): it is closed" << QStringList{};
    QTest::newRow("standard input a folder") << "mkdir d; \"$R\" --batch - --out-dir out <d" << tea
                                             << 3 << "it is a folder" << QStringList{};
    QTest::newRow("a header alone") << run << QByteArray("name,jan\n") << 3
                                    << "header line and no line after it" << QStringList{};
    QTest::newRow("an empty list")
        << run << QByteArray() << 0 << "holds no line to write" << QStringList{};
    QTest::newRow("neither UTF-8 nor Shift_JIS")
        << run << tea + "\xFF,4901234567894\n"
        << 3 << "list:2: byte 1 (0xFF) is not valid UTF-8; and in line 2, byte 1" << QStringList{};
    QTest::newRow("forced UTF-8 refuses the bad line only")
        << run + " --encoding utf-8" << tea + "\x93\xFA,4901234567894\n"
        << 4 << "list:2: byte 1 (0x93) is not valid UTF-8" << QStringList{"Tea.bmp"};
    QTest::newRow("UTF-16 without a byte order mark")
        << run << QByteArray("T\0,\0\n\0", 6) << 3 << "--encoding UTF-16LE" << QStringList{};
    QTest::newRow("three fields, no header")
        << run << QByteArray("Tea,4901234567894,120\n") << 3 << "list:1: 3 fields" << QStringList{};
    QTest::newRow("three fields, columns given")
        << run + " --code-column 2 --name-column 1" << QByteArray("Tea,4901234567894,120\n") << 0
        << "" << QStringList{"Tea.bmp"};
    QTest::newRow("columns by header, code first")
        << run << QByteArray(" EAN ,Price,Product\n4901234567894,120,Tea\n") + "\n"
        << 0 << "" << QStringList{"Tea.bmp"};
    QTest::newRow("code column by its header text")
        << run + " --code-column 'Item no' --separator ';'"
        << QByteArray("Product;Item no\nTea;4901234567894\n") << 0 << "" << QStringList{"Tea.bmp"};
    QTest::newRow("header names no code column")
        << run << QByteArray("品名,価格,棚\n緑茶,120,A\n") << 3 << "--code-column" << QStringList{};
    QTest::newRow("add-on in a spreadsheet's code column")
        << run +
               " && \"$R\" --name 雑誌 --addon 12345 4910123450124 -o one.bmp && cmp out/雑誌.bmp "
               "one.bmp"
        << QByteArray("JAN,品名,価格\n\"4910123450124 12345\",雑誌,500\n") << 0 << ""
        << QStringList{u"雑誌.bmp"_qs};
    QTest::newRow("11 digits are a whole UPC-A code")
        << run + " --symbol upca" << QByteArray("品名,JAN\nImport,03600029145\n") << 0 << ""
        << QStringList{"Import.bmp"};
    QTest::newRow("quote never closed")
        << run << QByteArray("\"Tea,4901234567894\nMilk,490123456789\n") << 4
        << "list:1: a quote opened on this line is not closed" << QStringList{};
}

void TestRenderLists::listsAreReadOrRefusedWithTheReason() {
    QFETCH(QString, command);
    QFETCH(QByteArray, list);
    QFETCH(int, exitCode);
    QFETCH(QString, mention);
    QFETCH(QStringList, files);
    QVERIFY(WriteAll(Path("list"), list));
    const Ran run = Shell(command, dir_->path());
    QVERIFY2(run.err.contains(mention), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files, QDir::Name), files);
}

QTEST_MAIN(TestRenderLists)
#include "tst_render_lists.moc"
