// stripewell-render --verify as a person in Japan runs it: every refusal,
// every report and the plot's labels in Japanese, with the same figures as
// the English, while the JSON stays byte for byte what scripts read.

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <algorithm>

#include "files.h"
#include "japanese.h"
#include "readers.h"
#include "scans.h"

namespace {

// Runs --verify in folder with the locale given, its standard output into
// output when one is given.
Ran Verify(const QString& folder, const QStringList& arguments, const QStringList& locale,
           const QString& output = {}) {
    return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, folder,
                      RunOptions{.environment = locale, .standardOutputFile = output});
}

// The lines a Japanese reader would find in English only, but for the rows
// of the grade table: figures and the grade letters A to F, which stay as
// they are in any language.
QStringList EnglishSentences(const QString& text) {
    static const QRegularExpression word(QStringLiteral("\\b(?![A-F]\\b)[A-Za-z]+"));
    QStringList english = EnglishLines(text);
    english.removeIf([](const QString& line) { return !word.match(line).hasMatch(); });
    return english;
}

// Every figure the text shows, sorted: a translation that leaves one out, or
// shows one twice, changes them.
QStringList Figures(const QString& text) {
    static const QRegularExpression figure(QStringLiteral("\\d+(?:\\.\\d+)?"));
    QStringList figures;
    for (const QRegularExpressionMatch& match : figure.globalMatch(text))
        figures << match.captured(0);
    figures.sort();
    return figures;
}

// Whether a line in Japanese shows value; not Qt's warning of a translation
// that leaves a value out, which shows the value after it.
bool SaysInJapanese(const QString& text, const QString& value) {
    const QStringList lines = text.split(u'\n');
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return HasJapanese(line) && line.contains(value) && !line.startsWith(u"QString::");
    });
}

// A scan saved at the resolution it states.
bool Save(QImage image, const QString& path, double dpi = 1200) {
    const int perMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    return image.save(path);
}

}  // namespace

class VerifyJapanese : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void refusalsAndReasons_data();
    void refusalsAndReasons();
    void report_data();
    void report();
    void plotLabels_data();
    void plotLabels();

private:
    QTemporaryDir folder_;
};

void VerifyJapanese::initTestCase() {
    QVERIFY(folder_.isValid());
    const QImage retail = Retail(folder_.path());
    QVERIFY(!retail.isNull());
    const auto save = [&](const char* name, const Change& change, double dpi = 1200) {
        QImage image = retail;
        change(&image);
        return Save(image, folder_.filePath(QString::fromLatin1(name)), dpi);
    };
    QVERIFY(save("tea.png", [](QImage*) {}));
    QVERIFY(save("blank.png", [](QImage* image) { image->fill(Qt::white); }));
    QVERIFY(save("two.png", [](QImage* image) {
        const QImage one = *image;
        *image = QImage(one.width() * 2, one.height(), QImage::Format_RGB32);
        QPainter p(image);
        p.drawImage(0, 0, one);
        p.drawImage(one.width(), 0, one);
    }));
    QVERIFY(save("faint.png", [](QImage* image) { Levels(image, 118, 128); }));
    QVERIFY(save("crowded.png", Crowd));
    QVERIFY(save("small.png", [](QImage* image) {
        *image = image->scaled(image->size() / 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }));
    QVERIFY(save(
        "fifty.png", [](QImage*) {}, 50));
    QVERIFY(save("light.png", [](QImage* image) { Recolour(image, QColor(150, 150, 150)); }));
    QVERIFY(save("short.png", [](QImage* image) {
        *image = image->scaled(image->width(), image->height() * 79 / 100);
    }));
    QVERIFY(save("grown.png", [](QImage* image) { Wider(image, 4); }));
    // Upside down and turned: what the turn uncovers is transparent, which
    // is read as white paper.
    QVERIFY(save("turned.png", [](QImage* image) {
        *image = image->convertToFormat(QImage::Format_ARGB32)
                     .transformed(QTransform().rotate(182), Qt::SmoothTransformation);
    }));
    QVERIFY(WriteAll(folder_.filePath(QStringLiteral("notes.png")), "not a picture\n"));
    QVERIFY(WriteAll(folder_.filePath(QStringLiteral("empty.png")), ""));
    QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("scans.d")));
}

void VerifyJapanese::refusalsAndReasons_data() {
    // Exit statuses as README gives them; the value is what the reader typed
    // or the file the reason is about, which both languages name.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("output");  // standard output, when not the test's
    QTest::newRow("blank page") << QStringList{"--verify", "blank.png"} << 6 << "blank.png"
                                << QString();
    QTest::newRow("several symbols")
        << QStringList{"--verify", "two.png"} << 6 << kCode << QString();
    QTest::newRow("contrast too low")
        << QStringList{"--verify", "faint.png"} << 6 << "faint.png" << QString();
    QTest::newRow("no quiet zone")
        << QStringList{"--verify", "crowded.png"} << 6 << "crowded.png" << QString();
    QTest::newRow("too small at 150 dpi")
        << QStringList{"--verify", "small.png", "--dpi", "150"} << 6 << "150" << QString();
    QTest::newRow("small at 100 dpi, nothing reads")
        << QStringList{"--verify", "blank.png", "--dpi", "100"} << 6 << "100" << QString();
    QTest::newRow("not a picture")
        << QStringList{"--verify", "notes.png"} << 7 << "notes.png" << QString();
    QTest::newRow("no such file") << QStringList{"--verify", "missing.png"} << 7 << "missing.png"
                                  << QString();
    QTest::newRow("a folder") << QStringList{"--verify", "scans.d"} << 7 << "scans.d" << QString();
    QTest::newRow("an empty file")
        << QStringList{"--verify", "empty.png"} << 7 << "empty.png" << QString();
    QTest::newRow("states 50 dpi")
        << QStringList{"--verify", "fifty.png"} << 7 << "50" << QString();
    QTest::newRow("--dpi not a number")
        << QStringList{"--verify", "tea.png", "--dpi", "abc"} << 1 << "abc" << QString();
    QTest::newRow("--dpi below 72")
        << QStringList{"--verify", "tea.png", "--dpi", "50"} << 1 << "50" << QString();
    QTest::newRow("--expect with a letter")
        << QStringList{"--verify", "tea.png", "--expect", "49O1"} << 1 << "--expect" << QString();
    QTest::newRow("--expect other digits")
        << QStringList{"--verify", "tea.png", "--expect", "4901234567887"} << 5 << "4901234567887"
        << QString();
    QTest::newRow("--force without --plot")
        << QStringList{"--verify", "tea.png", "--force"} << 1 << "--force" << QString();
    QTest::newRow("an argument too many")
        << QStringList{"--verify", "tea.png", "extra.png"} << 1 << "extra.png" << QString();
    QTest::newRow("--verify without a scan")
        << QStringList{"--verify"} << 1 << "--verify" << QString();
    QTest::newRow("an option it does not have")
        << QStringList{"--verify", "tea.png", "--bogus"} << 1 << "bogus" << QString();
    QTest::newRow("plot over the scan")
        << QStringList{"--verify", "tea.png", "--plot", "tea.png", "--force"} << 3 << "tea.png"
        << QString();
    // Nothing the reader gave to name: the reason is the system's.
    QTest::newRow("report onto a full device") << QStringList{"--verify", "tea.png"} << 3 << ""
                                               << "/dev/full";
    QTest::newRow("plot onto a full device")
        << QStringList{"--verify", "tea.png", "--plot", "-"} << 3 << ""
        << "/dev/full";
}

void VerifyJapanese::refusalsAndReasons() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, value);
    QFETCH(QString, output);
    const Ran japanese = Verify(folder_.path(), arguments, kJapaneseLocale, output);
    QCOMPARE(japanese.exitCode, status);
    QVERIFY2(HasJapanese(japanese.all()), qPrintable(japanese.all()));
    QVERIFY2(EnglishSentences(japanese.all()).isEmpty(),
             qPrintable(EnglishSentences(japanese.all()).join(u'\n')));
    QVERIFY2(SaysInJapanese(japanese.all(), value), qPrintable(japanese.all()));
    const Ran english = Verify(folder_.path(), arguments, kCLocale, output);
    QCOMPARE(english.exitCode, status);
    QVERIFY2(!HasJapanese(english.all()), qPrintable(english.all()));
    QVERIFY2(english.all().contains(value), qPrintable(english.all()));
}

void VerifyJapanese::report_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("meets") << QStringList{"--verify", "tea.png"};
    QTest::newRow("holds the expected digits")
        << QStringList{"--verify", "tea.png", "--expect", kCode};
    QTest::newRow("below 1.5: bars too light") << QStringList{"--verify", "light.png"};
    QTest::newRow("bars cut to 79 %") << QStringList{"--verify", "short.png"};
    // 16 dots read at 500 dpi: X 0.81 mm, far above 200 percent.
    QTest::newRow("X far from 80 to 200 %") << QStringList{"--verify", "tea.png", "--dpi", "500"};
    QTest::newRow("bars 85 um wider") << QStringList{"--verify", "grown.png"};
    QTest::newRow("upside down, turned 2 degrees") << QStringList{"--verify", "turned.png"};
    QTest::newRow("no symbol") << QStringList{"--verify", "blank.png"};
    QTest::newRow("several symbols") << QStringList{"--verify", "two.png"};
    QTest::newRow("too small") << QStringList{"--verify", "small.png", "--dpi", "150"};
}

void VerifyJapanese::report() {
    QFETCH(QStringList, arguments);
    const Ran japanese = Verify(folder_.path(), arguments, kJapaneseLocale);
    const Ran english = Verify(folder_.path(), arguments, kCLocale);
    QVERIFY(japanese.exitCode >= 0);
    QCOMPARE(japanese.exitCode, english.exitCode);
    QVERIFY2(EnglishSentences(japanese.out).isEmpty(),
             qPrintable(EnglishSentences(japanese.out).join(u'\n')));
    QVERIFY2(!HasJapanese(english.all()), qPrintable(english.all()));
    // A symbol found: the report shows the same figures in either language
    // (the reasons none is found name JAN codes, not EAN-13 and EAN-8).
    const QJsonObject json =
        QJsonDocument::fromJson(
            Verify(folder_.path(), arguments + QStringList{"--json"}, kCLocale).bytes)
            .object();
    QVERIFY(!json.isEmpty());
    if (json["found"].toBool()) {
        QCOMPARE(Figures(japanese.out), Figures(english.out));
        QVERIFY2(japanese.out.contains(json["gradeText"].toString()), qPrintable(japanese.out));
    }
    // What scripts read is the same whatever the locale.
    const Ran japaneseJson =
        Verify(folder_.path(), arguments + QStringList{"--json"}, kJapaneseLocale);
    const Ran englishJson = Verify(folder_.path(), arguments + QStringList{"--json"}, kCLocale);
    QCOMPARE(japaneseJson.exitCode, englishJson.exitCode);
    QCOMPARE(japaneseJson.bytes, englishJson.bytes);
    QVERIFY(!HasJapanese(QString::fromUtf8(japaneseJson.bytes)));
}

void VerifyJapanese::plotLabels_data() {
    // The words as docs/glossary.md writes them, read back by tesseract; and
    // none of the English labels, which tesseract reads in the English plot.
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("absent");
    const QStringList english{"grade",     "scan line", "reflectance", "element",
                              "threshold", "defects",   "decodability"};
    QTest::newRow("Japanese") << kJapaneseLocale
                              << QStringList{"印刷品質グレード", "走査線",
                                             "反射率",           "エレメントの幅",
                                             "しきい値",         "シンボルコントラスト",
                                             "モジュレーション", "デコーダビリティ"}
                              << english;
    QTest::newRow("C") << kCLocale << english << QStringList();
}

void VerifyJapanese::plotLabels() {
    QFETCH(QStringList, locale);
    QFETCH(QStringList, words);
    QFETCH(QStringList, absent);
    const QString plot = folder_.filePath(QStringLiteral("plot.png"));
    const Ran ran =
        Verify(folder_.path(), {"--verify", "tea.png", "--plot", "plot.png", "--force"}, locale);
    QCOMPARE(ran.exitCode, 0);
    const QString read = TesseractLines(plot, folder_.path()).join(u'\n');
    // tesseract may put spaces between Japanese characters.
    const QString joined = QString(read).remove(u' ');
    for (const QString& word : words)
        QVERIFY2(joined.contains(QString(word).remove(u' '), Qt::CaseInsensitive),
                 qPrintable(word + u'\n' + read));
    for (const QString& word : absent)
        QVERIFY2(!read.contains(word, Qt::CaseInsensitive), qPrintable(word + u'\n' + read));
    QVERIFY2(joined.contains(kCode), qPrintable(read));
}

QTEST_MAIN(VerifyJapanese)
#include "tst_verify_japanese.moc"
