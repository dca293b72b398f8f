// What stripewell-render makes of what it is given: the typed digits and the
// messages that refuse them, the command line, the lines of a batch list and
// the file names made from them.

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "options.h"
#include "pipeline/batchlist.h"
#include "pipeline/filenames.h"
#include "pipeline/typedcode.h"
#include "symbol/code.h"

namespace {

bool IsValidCode(const QString& code) {
    return symbol::CheckDigit(code) == symbol::DigitValue(code[12]);
}

// The codes that a refusal offers as neighbour swaps, with the positions it names.
QSet<QString> OfferedSwaps(const QString& refusal) {
    static const QRegularExpression line(
        QStringLiteral(R"(^  (\d{13})  \(digits (\d+) and (\d+) swapped\)$)"),
        QRegularExpression::MultilineOption);
    QSet<QString> offers;
    for (const QRegularExpressionMatch& match : line.globalMatch(refusal))
        offers.insert(match.captured(1) + u'@' + match.captured(2) + u'-' + match.captured(3));
    return offers;
}

}  // namespace

class TestRenderInput : public QObject {
    Q_OBJECT

private slots:
    void acceptedDigitsGiveTheCode_data();
    void acceptedDigitsGiveTheCode();
    void refusedDigitsSayWhy_data();
    void refusedDigitsSayWhy();
    void wrongCheckDigitOffersExactlyTheValidSwaps_data();
    void wrongCheckDigitOffersExactlyTheValidSwaps();
    void commandLineIsRead_data();
    void commandLineIsRead();
    void commandLineIsRefused_data();
    void commandLineIsRefused();
    void batchLinesAreSplit_data();
    void batchLinesAreSplit();
    void batchLinesAreClassified_data();
    void batchLinesAreClassified();
    void fileStemsAreSafe_data();
    void fileStemsAreSafe();
    void longStemsAreCutBetweenCharacters_data();
    void longStemsAreCutBetweenCharacters();
    void fileNamesAreNeverHandedOutTwice();
    void repeatedNamesAreNumberedWithoutSearchingAgain();
    void openQuoteIsFoundPieceByPiece_data();
    void openQuoteIsFoundPieceByPiece();
    void longNamesAreCut_data();
    void longNamesAreCut();
};

void TestRenderInput::acceptedDigitsGiveTheCode_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::newRow("12 digits get their check digit") << "490123456789"
                                                     << "4901234567894";
    QTest::newRow("an ISBN as EAN") << "978030640615"
                                    << "9780306406157";
    QTest::newRow("leading zeros stay") << "001234567890"
                                        << "0012345678905";
    QTest::newRow("13 digits with the right check digit") << "4901234567894"
                                                          << "4901234567894";
}

void TestRenderInput::acceptedDigitsGiveTheCode() {
    QFETCH(QString, typed);
    QFETCH(QString, code);
    const pipeline::TypedCode result = pipeline::ReadTypedCode(typed);
    QCOMPARE(result.refusal, QString());
    QCOMPARE(result.code, code);
}

void TestRenderInput::refusedDigitsSayWhy_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("echo");  // how the message starts
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("letter at 6") << "49012x4567894"
                                 << "49012x4567894" << QStringList{"character 6", "'x'"};
    QTest::newRow("letter first, wrong length too") << "x1"
                                                    << "x1" << QStringList{"character 1"};
    QTest::newRow("space at 8") << "4901234 67894"
                                << "4901234 67894" << QStringList{"character 8", "a space"};
    QTest::newRow("escape sequence not echoed") << "49\x1b[2J" << QString::fromUtf16(u"49\uFFFD[2J")
                                                << QStringList{"character 3", "U+001B"};
    QTest::newRow("reordering mark not echoed")
        << QString::fromUtf16(u"49\u202E1") << QString::fromUtf16(u"49\uFFFD1")
        << QStringList{"character 3", "U+202E"};
    QTest::newRow("long argument cut at 40 characters")
        << QString(41, u'x') << QString(40, u'x') + QChar(0x2026) << QStringList{"character 1"};
    QTest::newRow("full-width digit")
        << QString::fromUtf16(u"49０1234567894") << QString::fromUtf16(u"49０1234567894")
        << QStringList{"character 3", "full-width", "type 0"};
    QTest::newRow("emoji counts as one character")
        << QString::fromUtf16(u"4\U0001F600x") << QString::fromUtf16(u"4\U0001F600x")
        << QStringList{"character 2"};
    QTest::newRow("11 digits") << "49012345678"
                               << "49012345678" << QStringList{"11 digits", "12", "13"};
    QTest::newRow("nothing") << ""
                             << "\"\"" << QStringList{"0 digits"};
    QTest::newRow("wrong check digit")
        << "4901234567890"
        << "4901234567890"
        << QStringList{"wrong check digit", "must be 4", "4901234567894", "No swap"};
}

void TestRenderInput::refusedDigitsSayWhy() {
    QFETCH(QString, typed);
    QFETCH(QString, echo);
    QFETCH(QStringList, mentions);
    const pipeline::TypedCode result = pipeline::ReadTypedCode(typed);
    QCOMPARE(result.code, QString());
    // The message starts with what was typed, so that a batch's report shows it.
    QVERIFY2(result.refusal.startsWith(echo + u':'), qPrintable(result.refusal));
    for (const QString& mention : mentions)
        QVERIFY2(result.refusal.contains(mention), qPrintable(result.refusal));
}

void TestRenderInput::wrongCheckDigitOffersExactlyTheValidSwaps_data() {
    QTest::addColumn<QString>("typed");
    // Every neighbour swap in two valid codes that the check digit notices.
    for (const QString valid : {"4901234567894", "9780306406157"}) {
        for (int i = 0; i < 12; ++i) {
            QString typed = valid;
            std::swap(typed[i], typed[i + 1]);
            if (!IsValidCode(typed))
                QTest::addRow("%s, digits %d and %d swapped", qPrintable(valid), i + 1, i + 2)
                    << typed;
        }
    }
    QTest::newRow("check digit off by one") << "4901234567895";
    QTest::newRow("two swaps") << "9407306406157";
}

void TestRenderInput::wrongCheckDigitOffersExactlyTheValidSwaps() {
    QFETCH(QString, typed);
    QSet<QString> expected;
    for (int i = 0; i < 12; ++i) {
        QString swapped = typed;
        std::swap(swapped[i], swapped[i + 1]);
        if (swapped != typed && IsValidCode(swapped))
            expected.insert(swapped + QStringLiteral("@%1-%2").arg(i + 1).arg(i + 2));
    }
    const pipeline::TypedCode result = pipeline::ReadTypedCode(typed);
    QVERIFY(result.code.isEmpty());
    QCOMPARE(OfferedSwaps(result.refusal), expected);
    QCOMPARE(result.refusal.contains("No swap"), expected.isEmpty());
}

void TestRenderInput::commandLineIsRead_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("magnification");
    const int bmp = int(render::Format::Bmp), png = int(render::Format::Png),
              svg = int(render::Format::Svg);
    QTest::newRow("bmp by extension")
        << QStringList{"490123456789", "-o", "a.bmp"} << bmp << 1 << 100;
    QTest::newRow("extension in capitals")
        << QStringList{"490123456789", "-o", "A.PNG"} << png << 1 << 100;
    QTest::newRow("--format over the extension")
        << QStringList{"490123456789", "-o", "a.img", "--format", "svg"} << svg << 1 << 100;
    QTest::newRow("scale 20") << QStringList{"490123456789", "-o", "a.png", "--scale", "20"} << png
                              << 20 << 100;
    QTest::newRow("magnification 80")
        << QStringList{"490123456789", "--output=a.svg", "--magnification", "80"} << svg << 1 << 80;
    QTest::newRow("batch defaults to bmp")
        << QStringList{"--batch", "list.csv", "--out-dir", "out"} << bmp << 1 << 100;
    QTest::newRow("a symbol's other name in capitals")
        << QStringList{"4912345", "-o", "a.svg", "--symbol", "EAN8"} << svg << 1 << 100;
}

void TestRenderInput::commandLineIsRead() {
    QFETCH(QStringList, arguments);
    QFETCH(int, format);
    QFETCH(int, scale);
    QFETCH(int, magnification);
    const render::ParsedCommandLine parsed = render::ParseCommandLine(arguments);
    QCOMPARE(parsed.error, QString());
    QCOMPARE(int(parsed.options.output.format), format);
    QCOMPARE(parsed.options.output.scale, scale);
    QCOMPARE(parsed.options.output.magnification, magnification);
}

void TestRenderInput::commandLineIsRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mention");
    const QStringList png = {"490123456789", "-o", "a.png"};
    QTest::newRow("scale 0") << png + QStringList{"--scale", "0"} << "1 to 20";
    QTest::newRow("scale not a number") << png + QStringList{"--scale", "x"} << "'x'";
    QTest::newRow("magnification 79")
        << QStringList{"1", "-o", "a.svg", "--magnification", "79"} << "80 to 200";
    QTest::newRow("scale for svg")
        << QStringList{"1", "-o", "a.svg", "--scale", "2"} << "--magnification";
    QTest::newRow("magnification for png")
        << png + QStringList{"--magnification", "120"} << "--scale";
    QTest::newRow("no -o") << QStringList{"490123456789"} << "-o FILE";
    QTest::newRow("no digits") << QStringList{"-o", "a.bmp"} << "digits are missing";
    QTest::newRow("unknown extension") << QStringList{"1", "-o", "a.jpg"} << "--format";
    QTest::newRow("unknown format") << png + QStringList{"--format", "gif"} << "'gif'";
    QTest::newRow("unknown option") << png + QStringList{"--colour"} << "colour";
    QTest::newRow("batch with digits")
        << QStringList{"--batch", "l", "--out-dir", "d", "490123456789"} << "from its list";
    QTest::newRow("batch without --out-dir") << QStringList{"--batch", "l"} << "--out-dir";
    QTest::newRow("--out-dir without batch")
        << QStringList{"490123456789", "-o", "a.bmp", "--out-dir", "d"} << "--batch";
    QTest::newRow("--no-name with --name")
        << png + QStringList{"--no-name", "--name", "Tea"} << "does not go with --name";
    // Each symbology's own options and limits, as README and --help give them.
    const QStringList svg = {"4901234567894", "-o", "a.svg"};
    QTest::newRow("unknown symbol") << svg + QStringList{"--symbol", "QR"}
                                    << "takes jan13, jan8, upca, upce, itf14 or book, not 'qr'";
    QTest::newRow("ITF-14's ratio for the JAN")
        << svg + QStringList{"--ratio", "3"} << "--ratio goes with --symbol itf14";
    QTest::newRow("ITF-14's indicator for UPC-A")
        << QStringList{"03600029145", "-o", "a.svg", "--symbol", "upca", "--indicator", "1"}
        << "--indicator goes with --symbol itf14";
    QTest::newRow("the book's price for ITF-14, before its layout")
        << svg + QStringList{"--symbol", "itf14", "--layout", "window", "--price", "5"}
        << "--price goes with --symbol book";
    QTest::newRow("ITF-14 in the window layout")
        << svg + QStringList{"--symbol", "itf14", "--layout", "window"}
        << "--symbol itf14 has no window layout";
    QTest::newRow("marker for UPC-E")
        << QStringList{"01234565", "-o",       "a.svg",  "--symbol",
                       "upce",     "--layout", "retail", "--quiet-zone-marker"}
        << "--quiet-zone-marker is for jan13 and jan8";
    QTest::newRow("marker for ITF-14, before its ratio")
        << svg + QStringList{"--symbol", "itf14", "--quiet-zone-marker", "--ratio", "9"}
        << "--quiet-zone-marker is for jan13 and jan8";
    QTest::newRow("ITF-14 on a sheet, at more than its X of 1.016 mm")
        << QStringList{"4901234567894",
                       "--sheet",
                       "a4-12",
                       "-o",
                       "a.pdf",
                       "--symbol",
                       "ITF14",
                       "--indicator",
                       "1",
                       "--magnification",
                       "101"}
        << "--magnification takes a whole number from 49 to 100";
}

void TestRenderInput::commandLineIsRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mention);
    const QString error = render::ParseCommandLine(arguments).error;
    QVERIFY2(error.contains(mention), qPrintable(error));
}

void TestRenderInput::batchLinesAreSplit_data() {
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

void TestRenderInput::batchLinesAreSplit() {
    QFETCH(QByteArray, line);
    QFETCH(bool, firstContent);
    QFETCH(QString, name);
    QFETCH(QString, digits);
    const pipeline::BatchLine read = pipeline::ReadBatchLine(line, firstContent);
    QCOMPARE(read.kind, pipeline::BatchLine::Kind::Entry);
    QCOMPARE(read.name, name);
    QCOMPARE(read.digits, digits);
}

void TestRenderInput::batchLinesAreClassified_data() {
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

void TestRenderInput::batchLinesAreClassified() {
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

void TestRenderInput::fileStemsAreSafe_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stem");
    QTest::newRow("Japanese kept")
        << QString::fromUtf16(u"緑茶・500ml") << QString::fromUtf16(u"緑茶・500ml");
    QTest::newRow("slashes") << "a/b\\c"
                             << "a_b_c";
    QTest::newRow("Windows reserved") << "a:b*c?d\"e<f>g|h"
                                      << "a_b_c_d_e_f_g_h";
    QTest::newRow("NUL and control characters") << QString("a") + QChar(0) + "b\tc\x1b"
                                                << "a_b_c_";
    QTest::newRow("leading dots") << "..hidden"
                                  << "hidden";
    QTest::newRow("parent folder") << ".."
                                   << "";
    QTest::newRow("escape attempt") << "../../etc/passwd"
                                    << "_.._etc_passwd";
    QTest::newRow("trailing dots and spaces") << "name. . "
                                              << "name";
    QTest::newRow("leading dash") << "-rf"
                                  << "_rf";
    QTest::newRow("emoji kept whole")
        << QString::fromUtf16(u"tea\U0001F375") << QString::fromUtf16(u"tea\U0001F375");
    QTest::newRow("lone surrogate") << QString("a") + QChar(0xD800) + "b"
                                    << "a_b";
    QTest::newRow("reordering marks and byte order mark go")
        << QString::fromUtf16(u"\uFEFFa\u202Eb\u2066c\u2069d\u200F") << "abcd";
    QTest::newRow("Windows device name") << "CON"
                                         << "CON_";
    QTest::newRow("device name in lower case, before extensions") << "nul.tar.gz"
                                                                  << "nul_.tar.gz";
    QTest::newRow("numbered device name") << "Com1"
                                          << "Com1_";
    QTest::newRow("device name with a superscript digit")
        << QString::fromUtf16(u"LPT\u00B9") << QString::fromUtf16(u"LPT\u00B9_");
    QTest::newRow("longer than a device name") << "COM10.CONSOLE"
                                               << "COM10.CONSOLE";
}

void TestRenderInput::fileStemsAreSafe() {
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QCOMPARE(pipeline::SafeFileStem(name), stem);
}

void TestRenderInput::longStemsAreCutBetweenCharacters_data() {
    QTest::addColumn<QString>("unit");  // repeated to well over the limit
    QTest::newRow("ASCII") << "a";
    QTest::newRow("three bytes each") << QString::fromUtf16(u"茶");
    QTest::newRow("four bytes, surrogate pairs") << QString::fromUtf16(u"\U0001F375");
    QTest::newRow("mixed widths") << QString::fromUtf16(u"ab茶\U0001F375");
}

void TestRenderInput::longStemsAreCutBetweenCharacters() {
    QFETCH(QString, unit);
    const QString name = unit.repeated(300);
    const QString stem = pipeline::SafeFileStem(name);
    const QByteArray bytes = stem.toUtf8();
    QVERIFY(bytes.size() <= pipeline::kMaxStemBytes);
    QVERIFY(bytes.size() > pipeline::kMaxStemBytes - 4);  // no more cut than one character needs
    QVERIFY(name.startsWith(stem));
    QVERIFY(QUtf8StringView(bytes).isValidUtf8());
    QCOMPARE(QString::fromUtf8(bytes), stem);  // no half surrogate pair
}

void TestRenderInput::fileNamesAreNeverHandedOutTwice() {
    pipeline::FileNamer namer(QStringLiteral("png"));
    const QStringList given = {
        namer.Next("Tea", "4901234567894"), namer.Next("Tea", "4901234567894"),
        namer.Next("tea", "4901234567894"), namer.Next("Tea-2", "4901234567894"),
        namer.Next("", "4901234567894"),    namer.Next("", "4901234567894"),
        namer.Next("...", "9780306406157"), namer.Next("Tea/", "4901234567894"),
    };
    const QStringList expected = {
        "Tea.png",           "Tea-2.png",           "tea-3.png",         "Tea-2-2.png",
        "4901234567894.png", "4901234567894-2.png", "9780306406157.png", "Tea_.png",
    };
    QCOMPARE(given, expected);
}

// Numbers go on from where the same name left off, past those taken by
// names that look numbered; 40,000 of one name took minutes when each
// searched from -2 again, and take well under a second so.
void TestRenderInput::repeatedNamesAreNumberedWithoutSearchingAgain() {
    pipeline::FileNamer namer(QStringLiteral("bmp"));
    QStringList given = {namer.Next("Tea-3", "4901234567894")};
    for (int i = 0; i < 5; ++i)
        given << namer.Next("Tea", "4901234567894");
    given << namer.Next("TEA", "4901234567894") << namer.Next("Tea-3", "4901234567894");
    QCOMPARE(given, QStringList({"Tea-3.bmp", "Tea.bmp", "Tea-2.bmp", "Tea-4.bmp", "Tea-5.bmp",
                                 "Tea-6.bmp", "TEA-7.bmp", "Tea-3-2.bmp"}));
    QElapsedTimer timer;
    timer.start();
    QString last;
    for (int i = 0; i < 40000; ++i)
        last = namer.Next("Tea", "4901234567894");
    QCOMPARE(last, QStringLiteral("Tea-40007.bmp"));
    QVERIFY2(timer.elapsed() < 30000, qPrintable(QString::number(timer.elapsed())));
}

void TestRenderInput::openQuoteIsFoundPieceByPiece_data() {
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
void TestRenderInput::openQuoteIsFoundPieceByPiece() {
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

void TestRenderInput::longNamesAreCut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kept");
    const QString pair = QString::fromUtf16(u"\U0001F375");  // two halves
    QTest::newRow("1000 characters") << QString(1000, u'a') << 1000;
    QTest::newRow("1001 characters") << QString(1001, u'a') << 1000;
    QTest::newRow("a pair across the limit") << QString(999, u'a') + pair + u'a' << 999;
    QTest::newRow("a pair at the limit") << QString(998, u'a') + pair + u'a' << 1000;
}

void TestRenderInput::longNamesAreCut() {
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

QTEST_MAIN(TestRenderInput)
#include "tst_render_input.moc"
