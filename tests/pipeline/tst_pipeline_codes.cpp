// Digits as they are typed and as a list's code field holds them: the code
// they give, or the message that refuses them and says why.

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "pipeline/listcode.h"
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

class TestPipelineCodes : public QObject {
    Q_OBJECT

private slots:
    void acceptedDigitsGiveTheCode_data();
    void acceptedDigitsGiveTheCode();
    void refusedDigitsSayWhy_data();
    void refusedDigitsSayWhy();
    void wrongCheckDigitOffersExactlyTheValidSwaps_data();
    void wrongCheckDigitOffersExactlyTheValidSwaps();
    void damagedCodesSayWhatHappened_data();
    void damagedCodesSayWhatHappened();
};

void TestPipelineCodes::acceptedDigitsGiveTheCode_data() {
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

void TestPipelineCodes::acceptedDigitsGiveTheCode() {
    QFETCH(QString, typed);
    QFETCH(QString, code);
    const pipeline::TypedCode result = pipeline::ReadTypedCode(typed);
    QCOMPARE(result.refusal, QString());
    QCOMPARE(result.code, code);
}

void TestPipelineCodes::refusedDigitsSayWhy_data() {
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

void TestPipelineCodes::refusedDigitsSayWhy() {
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

void TestPipelineCodes::wrongCheckDigitOffersExactlyTheValidSwaps_data() {
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

void TestPipelineCodes::wrongCheckDigitOffersExactlyTheValidSwaps() {
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

void TestPipelineCodes::damagedCodesSayWhatHappened_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("wholeCodes");
    QTest::addColumn<QString>("code");  // empty when refused
    QTest::addColumn<QString>("mention");
    QTest::newRow("exponent") << "4.90123E+12" << false << ""
                              << "exponent form";
    QTest::newRow("exponent, decimal comma") << "4,90123E+12" << true << ""
                                             << "last digits";
    QTest::newRow("11 digits, two zeros lost") << "12345678905" << false << ""
                                               << "code is 0012345678905;";
    QTest::newRow("11 digits, one zero lost") << "49012345678" << false << ""
                                              << "0490123456783 (check digit added)";
    QTest::newRow("12 digits that a zero makes valid") << "123456789050" << true << ""
                                                       << "valid code 0123456789050";
    QTest::newRow("12 digits from a list without a header")
        << "123456789050" << false << "1234567890500"
        << "";
    QTest::newRow("12 digits a zero does not make valid")
        << "490123456789" << true << "4901234567894"
        << "";
    QTest::newRow("13 digits, wrong check digit") << "4901234567890" << true << ""
                                                  << "must be 4";
}

void TestPipelineCodes::damagedCodesSayWhatHappened() {
    QFETCH(QString, field);
    QFETCH(bool, wholeCodes);
    QFETCH(QString, code);
    QFETCH(QString, mention);
    const pipeline::TypedCode read = pipeline::ReadListCode(field, wholeCodes);
    QCOMPARE(read.code, code);
    QVERIFY2(read.refusal.startsWith(field + u':') || code == read.code, qPrintable(read.refusal));
    QVERIFY2(read.refusal.contains(mention), qPrintable(read.refusal));
}

QTEST_MAIN(TestPipelineCodes)
#include "tst_pipeline_codes.moc"
