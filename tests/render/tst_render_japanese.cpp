// stripewell-render in the language of the locale: each failure of the
// command line that the other program tests bring about, run once where the
// locale asks for Japanese and once in the C locale. In Japanese every line
// it writes must have kana or kanji and still name what it is about; in the C
// locale none may. Also --help laid out in terminal columns, the progress
// line of a batch on a terminal, and files whose bytes the locale must not
// change.

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "japanese.h"
#include "printserver.h"
#include "run.h"

#include <cwchar>

namespace {

Ran RunRender(const QStringList& arguments, const QString& folder, const QStringList& locale) {
    return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, folder,
                      {.environment = locale});
}

// How many terminal columns a line takes, as the C library's wcwidth counts
// them (two for kana and kanji) in a UTF-8 locale.
int Columns(const QString& line) {
    int columns = 0;
    for (const char32_t c : line.toUcs4())
        columns += std::max(0, wcwidth(wchar_t(c)));
    return columns;
}

// The column at which an option's or argument's description starts in a
// line of --help: after "  --name <VALUE>" or "  DIGITS" and its run of
// spaces; -1 on other lines.
int DescriptionColumn(const QString& line) {
    static const QRegularExpression row(
        QStringLiteral("^(  (?:-[^ ,]+(?:, --[^ ]+)?(?: <[^>]+>)?|[A-Z]+) +)\\S"));
    const QRegularExpressionMatch match = row.match(line);
    return match.hasMatch() ? Columns(match.captured(1)) : -1;
}

// The descriptions' columns of every option line of a --help text, by the
// option's names: in the options, the arguments and the row of --verify,
// the paragraphs after the program's description.
QMap<QString, int> DescriptionColumns(const QString& help) {
    QMap<QString, int> columns;
    for (const QString& line : help.section(QStringLiteral("\n\n"), 1, 3).split(u'\n'))
        if (const int column = DescriptionColumn(line); column >= 0)
            columns.insert(line.trimmed().section(u' ', 0, 0), column);
    return columns;
}

// The columns of a run's rows: its arguments, its exit status, and what its
// message must name (the value, file or line it is about).
void AddRunColumns() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("about");
}

const QByteArray kSmallLabels =
    "columns = 3\nrows = 8\nlabel-width = 7\nlabel-height = 5\n"
    "left = 0\ntop = 12.7\npitch-x = 70\npitch-y = 33.9\n";

}  // namespace

class TestJapanese : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void failureSaysWhyInTheLocalesLanguage_data();
    void failureSaysWhyInTheLocalesLanguage();
    void printingSaysWhyInTheLocalesLanguage_data();
    void printingSaysWhyInTheLocalesLanguage();
    void helpIsInTheLocalesLanguage_data();
    void helpIsInTheLocalesLanguage();
    void progressLineIsInTheLocalesLanguage_data();
    void progressLineIsInTheLocalesLanguage();
    void filesAreTheSameInEveryLocale_data();
    void filesAreTheSameInEveryLocale();

private:
    void SaysWhyInBothLanguages(const QStringList& arguments, int status, const QStringList& about,
                                const QStringList& environment = {});
    QString Path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestJapanese::initTestCase() {
    // wcwidth counts two columns for wide characters only in a UTF-8 locale.
    QVERIFY(std::setlocale(LC_CTYPE, "C.UTF-8"));
    QCOMPARE(wcwidth(L'桁'), 2);
}

void TestJapanese::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(WriteAll(Path("list.csv"), "Tea,4901234567894\nCoffee,4912345678904\n"));
    QVERIFY(WriteAll(Path("bad.csv"), "Tea,4901234567894\nBad,4901234567890\n"));
    QVERIFY(WriteAll(Path("empty.csv"), ""));
    QVERIFY(WriteAll(Path("small.sheet"), kSmallLabels));
    QVERIFY(WriteAll(Path("broken.sheet"), "columns = 3\nrows = many\n"));
    QVERIFY(WriteAll(Path("have.png"), "x"));
    QVERIFY(WriteAll(Path("have.pdf"), "x"));
    QVERIFY(QDir(dir_->path()).mkdir("folder.csv"));
}

void TestJapanese::failureSaysWhyInTheLocalesLanguage_data() {
    AddRunColumns();

    // Options the command line cannot follow.
    QTest::newRow("unknown option")
        << QStringList{"--frobnicate"} << 1 << QStringList{"frobnicate"};
    QTest::newRow("scale out of range")
        << QStringList{"--scale", "77", "490123456789", "-o", "a.png"} << 1
        << QStringList{"--scale", "77"};
    QTest::newRow("layout unknown")
        << QStringList{"--layout", "sideways", "490123456789", "-o", "a.png"} << 1
        << QStringList{"sideways"};
    QTest::newRow("format unknown")
        << QStringList{"--format", "gif", "490123456789", "-o", "a.gif"} << 1 << QStringList{"gif"};
    QTest::newRow("ending unknown")
        << QStringList{"490123456789", "-o", "a.tiff"} << 1 << QStringList{"a.tiff"};
    QTest::newRow("symbol unknown")
        << QStringList{"--symbol", "code39", "490123456789", "-o", "a.png"} << 1
        << QStringList{"code39"};
    QTest::newRow("ratio out of range")
        << QStringList{"--symbol",    "itf14", "--ratio", "3.7",  "4901234567894",
                       "--indicator", "1",     "-o",      "a.pdf"}
        << 1 << QStringList{"3.7"};
    QTest::newRow("no output") << QStringList{"490123456789"} << 1 << QStringList{"-o FILE"};
    QTest::newRow("two codes") << QStringList{"490123456789", "491234567890", "-o", "a.png"} << 1
                               << QStringList{"491234567890"};
    QTest::newRow("encoding unknown")
        << QStringList{"--batch", "list.csv", "--out-dir", "out", "--encoding", "EBCDIC"} << 1
        << QStringList{"EBCDIC"};
    QTest::newRow("separator a digit")
        << QStringList{"--batch", "list.csv", "--out-dir", "out", "--separator", "7"} << 1
        << QStringList{"--separator", "7"};
    QTest::newRow("batch without folder")
        << QStringList{"--batch", "list.csv"} << 1 << QStringList{"--out-dir"};
    QTest::newRow("media without print")
        << QStringList{"--media", "50x30 mm", "490123456789", "-o", "a.png"} << 1
        << QStringList{"--media"};
    // Label sheets.
    QTest::newRow("sheet unknown") << QStringList{"--sheet", "a4-99", "490123456789", "-o", "a.pdf"}
                                   << 1 << QStringList{"a4-99"};
    QTest::newRow("sheet not a pdf")
        << QStringList{"--sheet", "a4-24", "490123456789", "-o", "a.png"} << 1
        << QStringList{"a.png"};
    QTest::newRow("skip beyond the sheet")
        << QStringList{"--sheet", "a4-24", "--skip", "24", "490123456789", "-o", "a.pdf"} << 1
        << QStringList{"--skip 24", "a4-24"};
    QTest::newRow("copies zero") << QStringList{"--sheet",      "a4-24", "--copies", "0",
                                                "490123456789", "-o",    "a.pdf"}
                                 << 1 << QStringList{"--copies", "0"};
    QTest::newRow("labels too small")
        << QStringList{"--sheet-file", "small.sheet", "4901234567894", "-o", "a.pdf"} << 1
        << QStringList{"small.sheet", "7.0 x 5.0"};
    QTest::newRow("sheet file broken")
        << QStringList{"--sheet-file", "broken.sheet", "4901234567894", "-o", "a.pdf"} << 1
        << QStringList{"broken.sheet", "many"};
    // Price tags.
    QTest::newRow("tag priced twice")
        << QStringList{"--design", "price",         "--price", "100",  "--price-with-tax",
                       "110",      "4901234567894", "-o",      "t.png"}
        << 1 << QStringList{"--price-with-tax"};
    QTest::newRow("price not a number")
        << QStringList{"--design", "price", "--price", "abc", "4901234567894", "-o", "t.png"} << 1
        << QStringList{"abc"};
    QTest::newRow("tax rate unknown")
        << QStringList{"--design", "price",         "--price", "100",  "--tax-rate",
                       "12",       "4901234567894", "-o",      "t.png"}
        << 1 << QStringList{"12"};
    QTest::newRow("rounding unknown")
        << QStringList{"--design", "price",         "--price", "100",  "--rounding",
                       "upward",   "4901234567894", "-o",      "t.png"}
        << 1 << QStringList{"upward"};
    QTest::newRow("label size too small")
        << QStringList{"--design", "price",         "--price", "100",  "--label-size",
                       "5x5",      "4901234567894", "-o",      "t.png"}
        << 1 << QStringList{"5x5"};
    QTest::newRow("in-store code without item")
        << QStringList{"--design",         "price", "--instore", "plu",
                       "--price-with-tax", "100",   "-o",        "t.png"}
        << 1 << QStringList{"--item"};
    // Codes refused.
    QTest::newRow("too few digits") << QStringList{"123", "-o", "a.png"} << 2 << QStringList{"123"};
    QTest::newRow("wrong check digit") << QStringList{"4901234567890", "-o", "a.png"} << 2
                                       << QStringList{"4901234567890", "4901234567894"};
    QTest::newRow("not digits") << QStringList{"49012345678x", "-o", "a.png"} << 2
                                << QStringList{"49012345678x"};
    // Files missing, unreadable or there already.
    QTest::newRow("list missing") << QStringList{"--batch", "missing.csv", "--out-dir", "out"} << 3
                                  << QStringList{"missing.csv"};
    QTest::newRow("list a folder") << QStringList{"--batch", "folder.csv", "--out-dir", "out"} << 3
                                   << QStringList{"folder.csv"};
    QTest::newRow("output there") << QStringList{"4901234567894", "-o", "have.png"} << 3
                                  << QStringList{"have.png", "--force"};
    QTest::newRow("sheet there") << QStringList{"--sheet", "a4-24", "4901234567894", "-o",
                                                "have.pdf"}
                                 << 3 << QStringList{"have.pdf", "--force"};
    QTest::newRow("list empty") << QStringList{"--batch", "empty.csv", "--sheet",
                                               "a4-24",   "-o",        "e.pdf"}
                                << 3 << QStringList{"empty.csv"};
    // Lists with a bad line: the line and the summary.
    QTest::newRow("bad line in a batch") << QStringList{"--batch", "bad.csv", "--out-dir", "out"}
                                         << 4 << QStringList{"bad.csv:2:", "4901234567890", "out"};
    QTest::newRow("bad line on a sheet")
        << QStringList{"--batch", "bad.csv", "--sheet", "a4-24", "-o", "s.pdf", "--force"} << 4
        << QStringList{"bad.csv:2:", "4901234567890", "s.pdf"};
}

// The run in a Japanese locale and in the C locale, over environment: the
// same exit status; in Japanese every line with kana or kanji, in the C
// locale none; both naming what about lists.
void TestJapanese::SaysWhyInBothLanguages(const QStringList& arguments, int status,
                                          const QStringList& about,
                                          const QStringList& environment) {
    const Ran japanese = RunRender(arguments, dir_->path(), environment + kJapaneseLocale);
    QCOMPARE(japanese.exitCode, status);
    QVERIFY2(!japanese.err.isEmpty(), "no message");
    QVERIFY2(EnglishLines(japanese.all()).isEmpty(),
             qPrintable(EnglishLines(japanese.all()).join(u'\n')));
    QVERIFY2(!japanese.err.contains(u"。。"), qPrintable(japanese.err));
    for (const QString& named : about)
        QVERIFY2(japanese.err.contains(named),
                 qPrintable(named + QStringLiteral(" not in: ") + japanese.err));

    const Ran english = RunRender(arguments, dir_->path(), environment + kCLocale);
    QCOMPARE(english.exitCode, status);
    QVERIFY2(!HasJapanese(english.all()), qPrintable(english.all()));
    for (const QString& named : about)
        QVERIFY2(english.err.contains(named),
                 qPrintable(named + QStringLiteral(" not in: ") + english.err));
}

void TestJapanese::failureSaysWhyInTheLocalesLanguage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, about);
    SaysWhyInBothLanguages(arguments, status, about);
}

void TestJapanese::printingSaysWhyInTheLocalesLanguage_data() {
    AddRunColumns();
    QTest::newRow("no such printer")
        << QStringList{"--print", "nosuch", "4901234567894"} << 1 << QStringList{"nosuch"};
    QTest::newRow("size beyond the printer's")
        << QStringList{"--print", "zpl", "--media", "5 x 5 mm", "4901234567894"} << 1
        << QStringList{"zpl", "5.0 x 5.0 mm"};
    QTest::newRow("book not printed")
        << QStringList{"--print",          "zpl",   "--symbol", "book", "9784003101049",
                       "--classification", "C0193", "--price",  "500"}
        << 1 << QStringList{"book"};
    QTest::newRow("printing with -o")
        << QStringList{"--print", "zpl", "4901234567894", "-o", "a.png"} << 1
        << QStringList{"--output"};
    QTest::newRow("printer list misspelt")
        << QStringList{"--printer", "all"} << 1 << QStringList{"--printer"};
    QTest::newRow("bad line printed") << QStringList{"--batch", "bad.csv", "--print", "zpl"} << 4
                                      << QStringList{"bad.csv:2:", "4901234567890"};
}

// Printing through the tests' print server.
void TestJapanese::printingSaysWhyInTheLocalesLanguage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, about);
    printtest::PrintServer server;
    QVERIFY2(server.Error().isEmpty(), qPrintable(server.Error()));
    SaysWhyInBothLanguages(arguments, status, about, server.Environment());
}

void TestJapanese::helpIsInTheLocalesLanguage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
}

// Japanese help against English help: each option's description starts at
// the same terminal column, no description line reaches past column 79, and
// the Japanese has no line in English only but the examples' commands.
void TestJapanese::helpIsInTheLocalesLanguage() {
    QFETCH(QStringList, arguments);
    const Ran japanese = RunRender(arguments, dir_->path(), kJapaneseLocale);
    const Ran english = RunRender(arguments, dir_->path(), kCLocale);
    QCOMPARE(japanese.exitCode, 0);
    QCOMPARE(english.exitCode, 0);
    QVERIFY(!HasJapanese(english.out.section(QStringLiteral("Options:"), 0, 0)));

    const QMap<QString, int> japaneseColumns = DescriptionColumns(japanese.out);
    QCOMPARE(japaneseColumns.size(), 46);  // the 44 options, DIGITS and --verify
    QCOMPARE(japaneseColumns, DescriptionColumns(english.out));

    // Each option's description, its lines up to the next option's, has
    // Japanese in it and keeps to 79 columns.
    const QString options = japanese.out.section(QStringLiteral("\n\n"), 1, 3);
    QStringList descriptions;
    for (const QString& line : options.split(u'\n')) {
        if (DescriptionColumn(line) >= 0) {
            descriptions << line;
        } else if (!descriptions.isEmpty() && line.startsWith(u' ')) {
            // A description's later lines start where its first does.
            const qsizetype indent = line.indexOf(QRegularExpression(QStringLiteral("\\S")));
            QVERIFY2(indent == DescriptionColumn(descriptions.last().section(u'\n', 0, 0)),
                     qPrintable(line));
            descriptions.last() += u'\n' + line;
        }
        QVERIFY2(Columns(line) <= 79, qPrintable(line));
    }
    QCOMPARE(descriptions.size(), 46);
    // Each its own: no option shows another's text.
    QSet<QString> texts;
    for (const QString& description : descriptions) {
        QVERIFY2(HasJapanese(description), qPrintable(description));
        const QString text = description.mid(DescriptionColumn(description)).simplified();
        QVERIFY2(!texts.contains(text), qPrintable(description));
        texts.insert(text);
    }
    // The text around them: all of it but the examples' commands.
    const QString sections =
        japanese.out.section(QStringLiteral("\n\n"), 0, 0) +
        japanese.out.section(QStringLiteral("\n\n"), 4).section(QStringLiteral("\n例:\n"), 0, 0);
    QVERIFY2(EnglishLines(sections).isEmpty(), qPrintable(EnglishLines(sections).join(u'\n')));
}

void TestJapanese::progressLineIsInTheLocalesLanguage_data() {
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<bool>("inJapanese");
    QTest::newRow("ja_JP.UTF-8") << kJapaneseLocale << true;
    QTest::newRow("C") << kCLocale << false;
}

// The progress line shows on a terminal only: the batch runs under script(1),
// whose terminal gets its standard error.
void TestJapanese::progressLineIsInTheLocalesLanguage() {
    QFETCH(QStringList, locale);
    QFETCH(bool, inJapanese);
    const QString command =
        QStringLiteral("'%1' --batch bad.csv --out-dir out").arg(STRIPEWELL_RENDER);
    const Ran ran = RunProgram(QStringLiteral("script"), {"-qec", command, "/dev/null"},
                               dir_->path(), {.environment = locale});
    QCOMPARE(ran.exitCode, 4);
    // The line's last state: the last piece of it between carriage returns,
    // the code that clears the rest of it taken out, before the summary.
    QString progress;
    for (const QString& piece : QString(ran.out).remove(QStringLiteral("\x1b[K")).split(u'\r')) {
        const QString shown = piece.trimmed();
        if (!shown.isEmpty() && !shown.startsWith(u"stripewell-render:") &&
            !shown.startsWith(u"No swap"))
            progress = shown;
    }
    // One line written and one failed, in that order.
    QCOMPARE(QString(progress).remove(QRegularExpression(QStringLiteral("[^0-9]"))),
             QStringLiteral("11"));
    QVERIFY2(HasJapanese(progress) == inJapanese, qPrintable(progress));
    QVERIFY2(EnglishLines(progress).isEmpty() == inJapanese, qPrintable(progress));
}

void TestJapanese::filesAreTheSameInEveryLocale_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("retail png") << QStringList{"--layout",      "retail", "--name", "Tea",
                                               "4901234567894", "-o",     "out.png"}
                                << "out.png";
    QTest::newRow("window bmp") << QStringList{"--name", "Tea", "4901234567894", "-o", "out.bmp"}
                                << "out.bmp";
    QTest::newRow("sheet pdf") << QStringList{"--batch", "list.csv", "--sheet",
                                              "a4-24",   "-o",       "out.pdf"}
                               << "out.pdf";
    QTest::newRow("price tag pdf")
        << QStringList{"--design", "price",         "--price", "1000",   "--name",
                       "Tea",      "4901234567894", "-o",      "out.pdf"}
        << "out.pdf";
    // OCR-B has no ¥: the font the price line falls back to is not the
    // locale's choice.
    for (const char* file : {"out.pdf", "out.png"})
        QTest::addRow("book %s", file)
            << QStringList{"--symbol", "book",    "4-00-310104-9", "--classification",
                           "C0193",    "--price", "500",           "-o",
                           file}
            << QString::fromLatin1(file);
}

void TestJapanese::filesAreTheSameInEveryLocale() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QByteArray digests[2];
    const QStringList locales[2] = {kCLocale, kJapaneseLocale};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(QFile::remove(Path(file)) || !QFile::exists(Path(file)));
        const Ran ran = RunRender(arguments, dir_->path(), locales[i]);
        QVERIFY2(ran.exitCode == 0, qPrintable(ran.all()));
        const QByteArray bytes = ReadAll(Path(file));
        QVERIFY(bytes.size() > 100);
        digests[i] = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    }
    QCOMPARE(digests[1], digests[0]);
}

QTEST_GUILESS_MAIN(TestJapanese)
#include "tst_render_japanese.moc"
