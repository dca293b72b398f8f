// The file names made from a batch list's names: safe on every file system,
// cut between characters, and never handed out twice.

#include <QElapsedTimer>
#include <QTest>

#include "pipeline/filenames.h"

class TestPipelineFileNames : public QObject {
    Q_OBJECT

private slots:
    void fileStemsAreSafe_data();
    void fileStemsAreSafe();
    void longStemsAreCutBetweenCharacters_data();
    void longStemsAreCutBetweenCharacters();
    void fileNamesAreNeverHandedOutTwice();
    void repeatedNamesAreNumberedWithoutSearchingAgain();
};

void TestPipelineFileNames::fileStemsAreSafe_data() {
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

void TestPipelineFileNames::fileStemsAreSafe() {
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QCOMPARE(pipeline::SafeFileStem(name), stem);
}

void TestPipelineFileNames::longStemsAreCutBetweenCharacters_data() {
    QTest::addColumn<QString>("unit");  // repeated to well over the limit
    QTest::newRow("ASCII") << "a";
    QTest::newRow("three bytes each") << QString::fromUtf16(u"茶");
    QTest::newRow("four bytes, surrogate pairs") << QString::fromUtf16(u"\U0001F375");
    QTest::newRow("mixed widths") << QString::fromUtf16(u"ab茶\U0001F375");
}

void TestPipelineFileNames::longStemsAreCutBetweenCharacters() {
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

void TestPipelineFileNames::fileNamesAreNeverHandedOutTwice() {
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
void TestPipelineFileNames::repeatedNamesAreNumberedWithoutSearchingAgain() {
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

QTEST_MAIN(TestPipelineFileNames)
#include "tst_pipeline_filenames.moc"
