// What the pipeline tells a person about bad input, in both languages: bad
// lists, headers, encodings, sheet files, codes of each symbology, prices,
// labels too small and files kept. In the C locale each message is English;
// once the Japanese catalogue is in place every line of it is Japanese,
// with no English word pieced into it, and it still shows what it names.

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "files.h"
#include "japanese.h"
#include "pipeline/bookcode.h"
#include "pipeline/labelsource.h"
#include "pipeline/language.h"
#include "pipeline/listreader.h"
#include "pipeline/output.h"
#include "pipeline/price.h"
#include "pipeline/sheet.h"
#include "pipeline/tagfile.h"
#include "symbol/instore.h"
#include "symbol/symbology.h"

namespace {

using symbol::Symbology;

// A message, and what it must show that only the run knows (a file's path).
struct Said {
    QString text;
    QStringList values = {};
};
using Probe = Said (*)();

// The first thing a list says: the whole list's refusal, a bad record's
// reason or its code's refusal, or why nothing is written.
Said List(const QByteArray& bytes, pipeline::ListFormat format = {},
          Symbology symbology = symbol::kDefaultSymbology) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    pipeline::ListReader reader(buffer, format);
    pipeline::ListRecord record;
    if (reader.Start())
        while (reader.Next(&record)) {
            const QString refusal =
                pipeline::ReadRecordCode(record, reader.HasHeader(), symbology).refusal;
            if (!refusal.isEmpty())
                return {refusal};
        }
    return {reader.Refusal().isEmpty() ? reader.NothingToWrite() : reader.Refusal()};
}

Said Typed(const QString& typed, Symbology symbology = symbol::kDefaultSymbology) {
    return {pipeline::ReadTypedCode(typed, symbology).refusal};
}

Said Priced(const QString& withTax, const QString& withoutTax, const QString& rate = {}) {
    QString error;
    pipeline::ReadTagPrice(withTax, withoutTax, rate, {}, &error);
    return {error};
}

Said Instore(const char* format, int prefix, const QString& item, qint64 price) {
    return {symbol::MakeInstoreCode(*symbol::FindInstoreFormat(QString::fromLatin1(format)), prefix,
                                    item, price)
                .refusal};
}

// A sheet file of seven of its eight keys, and line.
Said Sheet(const QString& line) {
    const QString text = QStringLiteral(
        "columns = 2\nrows = 2\nlabel-width = 50\nlabel-height = 30\nleft = 10\ntop = 10\n"
        "pitch-y = 30\n");
    return {pipeline::ParseSheetText(text + line, QStringLiteral("mine.sheet")).error};
}

// A file already there, written again without --force.
Said Kept() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("symbol.svg"));
    WriteAll(path, "<svg/>");
    QString error;
    pipeline::WriteSymbolFile(path, "<svg/>", false, &error);
    return {error, {path}};
}

// A price tag asked of a label far smaller than any of its layouts.
Said TinyTag() {
    pipeline::SymbolOutput output;
    output.format = pipeline::Format::Pdf;
    output.layout = symbol::Layout::Retail;
    pipeline::LabelAsk ask;
    ask.tag.design = pipeline::Design::Price;
    QString error;
    pipeline::TagFile(output, QSizeF(20, 10), ask, QStringLiteral("Tea"),
                      {{}, QStringLiteral("4901234567894"), {}}, pipeline::TagPrice{1100, 1000, 10},
                      &error);
    return {error};
}

// The text a check reads: the message without what it shows as given (the
// values) and without the list's and sheet file's own words, which stay
// as they are in any language (header names such as 売価, keys such as
// columns), nor options (--force).
QString Words(QString text, QStringList kept) {
    // The longest first, lest a shorter one leave half of one (税込価格, 価格).
    std::sort(kept.begin(), kept.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& word : kept)
        text.remove(word);
    static const QRegularExpression option(QStringLiteral("--[a-z0-9-]+"));
    return text.remove(option);
}

}  // namespace

Q_DECLARE_METATYPE(Probe)

class TestJapanese : public QObject {
    Q_OBJECT

private slots:
    void english_data() { Rows(); }
    void english();
    void japanese_data() { Rows(); }
    void japanese();

private:
    void Rows();
    // The probe's message, which must show every value: the words of the
    // message alone, or empty on failure.
    static QString Checked(QStringList* kept);
};

// probe, the values the message shows as given, the list's own words.
void TestJapanese::Rows() {
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("keywords");
    const QStringList none;
    // The README's heading, named as it is written for a person to find it.
    const QStringList readme{"Lists from a spreadsheet"};
    const QStringList prices{"税込価格", "売価", "価格", "税抜価格", "本体価格"};
    // Lists: their lines, headers and encodings.
    QTest::newRow("no separator") << Probe([] { return List("name,jan\nTea\n"); }) << none << none;
    QTest::newRow("no tab") << Probe([] {
        return List("name\tjan\nTea\n", {{}, u'\t', {}, {}});
    }) << none << none;
    QTest::newRow("exponent form") << Probe([] { return List("name,jan\nTea,4.51235E+12\n"); })
                                   << QStringList{"4.51235E+12"} << readme;
    QTest::newRow("11 digits") << Probe([] { return List("name,jan\nTea,49012345678\n"); })
                               << QStringList{"49012345678"} << readme;
    // 036000291452, a published UPC-A, is the JAN 0036000291452.
    QTest::newRow("12 digits, a 0 lost")
        << Probe([] { return List("name,jan\nTea,036000291452\n"); })
        << QStringList{"036000291452", "0036000291452"} << none;
    QTest::newRow("not valid UTF-8") << Probe([] {
        return List("name,jan\nT\xff,4901234567894\n", {pipeline::ListEncoding::Utf8, {}, {}, {}});
    }) << QStringList{"0xFF", "UTF-8"}
                                     << none;
    QTest::newRow("neither UTF-8 nor Shift_JIS")
        << Probe([] { return List("name,jan\n\x82\xa0,4901234567894\nT\xff,4901234567894\n"); })
        << QStringList{"0x82", "0xFF", "UTF-8", "Shift_JIS"} << none;
    QTest::newRow("byte order mark of UTF-8 before UTF-16")
        << Probe([] { return List(QByteArray("\xEF\xBB\xBFn\0a\0m\0e\0", 11)); })
        << QStringList{"UTF-8"} << none;
    QTest::newRow("line too long")
        << Probe([] { return List("name,jan\n" + QByteArray(200'000, 'x') + "\n"); })
        << QStringList{"65536"} << none;
    QTest::newRow("quote not closed")
        << Probe([] { return List("name,jan\n\"Tea,4901234567894\nmore\n"); })
        << QStringList{"2", "3"} << none;
    QTest::newRow("two prices with tax")
        << Probe([] { return List("名称,JAN,売価,価格\nTea,4901234567894,100,100\n"); }) << none
        << prices + QStringList{"名称"};
    QTest::newRow("no such column") << Probe([] {
        return List("name,jan\nTea,4901234567894\n", {{}, {}, {}, QStringLiteral("barcode")});
    }) << QStringList{"barcode"} << none;
    QTest::newRow("three fields, no code") << Probe([] { return List("a,b,c\n"); })
                                           << QStringList{"3"} << QStringList{"JAN", "商品名"};
    QTest::newRow("price's comma unquoted")
        << Probe([] { return List("名称,JAN,売価\nTea,4901234567894,1,080\n"); })
        << QStringList{"4", "3", "1,080"} << prices + QStringList{"名称"};
    QTest::newRow("code beyond the fields") << Probe([] {
        return List("Tea,4901234567894\n", {{}, {}, {}, QStringLiteral("3")});
    }) << QStringList{"2", "3"} << none;
    QTest::newRow("header alone") << Probe([] { return List("name,jan\n"); }) << none << none;
    // Codes of each symbology.
    QTest::newRow("wrong check digit, no swap")
        << Probe([] { return Typed("4901234567895"); })
        << QStringList{"4901234567895", "4901234567894"} << none;
    QTest::newRow("wrong check digit, swapped")
        << Probe([] { return Typed("4910234567894"); })
        << QStringList{"4910234567894", "4901234567894"} << none;
    QTest::newRow("a letter") << Probe([] { return Typed("490123456789A"); })
                              << QStringList{"490123456789A", "13"} << none;
    QTest::newRow("a full-width digit") << Probe([] { return Typed("490123456789４"); })
                                        << QStringList{"490123456789４", "4"} << none;
    QTest::newRow("5 digits") << Probe([] { return Typed("12345"); })
                              << QStringList{"12345", "12", "13"} << none;
    QTest::newRow("7 digits for a JAN")
        << Probe([] { return Typed("1234567"); }) << QStringList{"1234567"} << none;
    QTest::newRow("UPC-E number system") << Probe([] { return Typed("2345678", Symbology::UpcE); })
                                         << QStringList{"2345678"} << none;
    QTest::newRow("UPC-E digit count") << Probe([] { return Typed("12345", Symbology::UpcE); })
                                       << QStringList{"12345", "UPC-A"} << none;
    QTest::newRow("short JAN's add-on")
        << Probe([] { return Typed("1234567 12", Symbology::Jan8); }) << QStringList{"1234567 12"}
        << none;
    // 1 before the JAN 4901234567894 and its check digit, worked by hand.
    QTest::newRow("ITF-14 of a JAN")
        << Probe([] { return Typed("4901234567894", Symbology::Itf14); })
        << QStringList{"4901234567894", "14901234567891"} << none;
    QTest::newRow("ISBN digit count")
        << Probe([] { return Said{pipeline::ReadBookFields("978400", "C0095", "1000").refusal}; })
        << QStringList{"978400", "6"} << none;
    QTest::newRow("classification code") << Probe([] {
        return Said{pipeline::ReadBookFields("9784101010014", "X12", "1000").refusal};
    }) << QStringList{"X12"} << none;
    QTest::newRow("in-store prefix") << Probe([] { return Instore("price4", 30, "123", 100); })
                                     << QStringList{"price4", "30"} << none;
    QTest::newRow("in-store price") << Probe([] { return Instore("price4", 20, "1", 12345); })
                                    << QStringList{"price4", "12345", "9999"} << none;
    // Prices of tags.
    QTest::newRow("not a price") << Probe([] { return Priced("abc", {}); }) << QStringList{"abc"}
                                 << QStringList{"税込"};
    QTest::newRow("not a tax rate") << Probe([] { return Priced("1000", {}, "7"); })
                                    << QStringList{"7"} << QStringList{"税率", "標準", "軽減"};
    // 1,000 yen and 10 % tax are 1,100 with it.
    QTest::newRow("prices disagree")
        << Probe([] { return Priced("1100", "999"); }) << QStringList{"¥1,100", "¥1,000", "¥999"}
        << QStringList{"税込", "税抜"};
    QTest::newRow("price too high")
        << Probe([] { return Said{pipeline::PriceRefusal(100'000'000, true, 10, {})}; })
        << QStringList{"¥100,000,000"} << none;
    QTest::newRow("no price") << Probe([] { return Priced({}, {}); }) << none << prices;
    // Sheet files, labels and files.
    QTest::newRow("sheet length") << Probe([] { return Sheet("pitch-x = fifty\n"); })
                                  << QStringList{"fifty"} << QStringList{"pitch-x"};
    QTest::newRow("sheet key twice")
        << Probe([] { return Sheet("rows = 3\n"); }) << none << QStringList{"rows"};
    QTest::newRow("sheet key") << Probe([] { return Sheet("colour = red\n"); })
                               << QStringList{"colour"} << none;
    QTest::newRow("sheet overlaps") << Probe([] { return Sheet("pitch-x = 40\n"); })
                                    << QStringList{"40.00", "50.00"} << QStringList{"pitch-x"};
    QTest::newRow("sheet is a folder")
        << Probe([] { return Said{pipeline::ReadSheetFile(QStringLiteral("/")).error}; })
        << QStringList{"/"} << none;
    QTest::newRow("--sheet list") << Probe([] { return Said{pipeline::SheetListText()}; })
                                  << QStringList{"a4-12", "A-one 28642", "Avery L7651"} << none;
    QTest::newRow("tag too small") << Probe(TinyTag) << QStringList{"20 x 10"} << none;
    QTest::newRow("file kept") << Probe(Kept) << none << none;
}

QString TestJapanese::Checked(QStringList* kept) {
    QFETCH(Probe, probe);
    QFETCH(QStringList, values);
    QFETCH(QStringList, keywords);
    const Said said = probe();
    values += said.values;
    for (const QString& value : values)
        if (!said.text.contains(value)) {
            qWarning().noquote() << "does not show" << value << "in:\n" << said.text;
            return {};
        }
    *kept = values + keywords;
    return said.text;
}

void TestJapanese::english() {
    QVERIFY(!pipeline::SpeaksJapanese());
    QStringList kept;
    const QString text = Checked(&kept);
    QVERIFY(!text.isEmpty());
    QVERIFY2(!HasJapanese(Words(text, kept)), qPrintable(text));
}

void TestJapanese::japanese() {
    if (!pipeline::SpeaksJapanese())
        QVERIFY(pipeline::UseLanguage(pipeline::Language::Japanese));
    QStringList kept;
    const QString text = Checked(&kept);
    QVERIFY(!text.isEmpty());
    // Every line in Japanese, and no English word in it: a lower-case word
    // of three letters or more that is not a value, a list's word or an
    // option is English left in the sentence.
    static const QRegularExpression englishWord(QStringLiteral("(?<![-A-Za-z])[a-z]{3,}\\b"));
    for (const QString& line : Words(text, kept).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.trimmed().isEmpty())
            continue;
        QVERIFY2(HasJapanese(line), qPrintable(line + QStringLiteral("\nin:\n") + text));
        const QRegularExpressionMatch english = englishWord.match(line);
        QVERIFY2(!english.hasMatch(),
                 qPrintable(english.captured(0) + QStringLiteral(" in:\n") + text));
    }
}

QTEST_MAIN(TestJapanese)
#include "tst_pipeline_japanese.moc"
