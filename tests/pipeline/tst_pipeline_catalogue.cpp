// The catalogue of messages, translations/stripewell_ja.ts: every message of
// the code is in it, each with its Japanese, keeping every value the English
// shows; and the programs load it.

#include <QDomDocument>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "japanese.h"
#include "pipeline/language.h"
#include "pipeline/messages.h"
#include "run.h"

namespace {

const QString kSource = QStringLiteral(STRIPEWELL_SOURCE_DIR);

struct Message {
    QString context, source, comment;
    QStringList translations;  // one, or one per plural form
    bool finished = false;
};

QList<Message> ReadCatalogue(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QDomDocument document;
    if (!document.setContent(&file))
        return {};
    QList<Message> messages;
    const QDomNodeList contexts = document.elementsByTagName(QStringLiteral("context"));
    for (int c = 0; c < contexts.size(); ++c) {
        const QDomElement context = contexts.at(c).toElement();
        const QString name = context.firstChildElement(QStringLiteral("name")).text();
        for (QDomElement m = context.firstChildElement(QStringLiteral("message")); !m.isNull();
             m = m.nextSiblingElement(QStringLiteral("message"))) {
            Message message{name,
                            m.firstChildElement(QStringLiteral("source")).text(),
                            m.firstChildElement(QStringLiteral("comment")).text(),
                            {}};
            const QDomElement translation = m.firstChildElement(QStringLiteral("translation"));
            message.finished = !translation.hasAttribute(QStringLiteral("type"));
            const QDomNodeList forms = translation.elementsByTagName(QStringLiteral("numerusform"));
            if (forms.isEmpty())
                message.translations << translation.text();
            for (int f = 0; f < forms.size(); ++f)
                message.translations << forms.at(f).toElement().text();
            messages << message;
        }
    }
    return messages;
}

// The values a message shows: %1 to %99 and %n, sorted.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found << match.captured(0);
    found.sort();
    found.removeDuplicates();
    return found;
}

}  // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    // The messages lupdate finds in the code today are those of the
    // committed catalogue: none new without its Japanese, none left over.
    void catalogueHoldsEveryMessageOfTheCode() {
        QTemporaryDir folder;
        const QString fresh = folder.filePath(QStringLiteral("fresh_ja.ts"));
        QVERIFY(QFile::copy(kSource + "/translations/stripewell_ja.ts", fresh));
        QFile::setPermissions(fresh, QFile::ReadOwner | QFile::WriteOwner);
        const Ran ran = RunProgram(kSource + "/scripts/update-translations.sh", {fresh}, kSource);
        QVERIFY2(ran.exitCode == 0, qPrintable(ran.all()));
        auto keys = [](const QList<Message>& messages) {
            QStringList keys;
            for (const Message& m : messages)
                keys << m.context + u'|' + m.source + u'|' + m.comment;
            keys.sort();
            return keys;
        };
        const QStringList committed =
            keys(ReadCatalogue(kSource + "/translations/stripewell_ja.ts"));
        const QStringList code = keys(ReadCatalogue(fresh));
        QVERIFY(!committed.isEmpty());
        QStringList missing, leftOver;
        for (const QString& key : code)
            if (!committed.contains(key))
                missing << key;
        for (const QString& key : committed)
            if (!code.contains(key))
                leftOver << key;
        QVERIFY2(missing.isEmpty(), qPrintable("in the code but not the catalogue (run "
                                               "scripts/update-translations.sh):\n" +
                                               missing.join(u'\n')));
        QVERIFY2(leftOver.isEmpty(), qPrintable("in the catalogue but no longer in the code:\n" +
                                                leftOver.join(u'\n')));
    }

    // Each message has its Japanese, in kana or kanji, showing every value
    // its English shows.
    void everyMessageHasItsJapanese() {
        QStringList faults;
        for (const Message& m : ReadCatalogue(kSource + "/translations/stripewell_ja.ts")) {
            const QString where = m.context + QStringLiteral(": ") + m.source;
            if (!m.finished)
                faults << "unfinished: " + where;
            for (const QString& japanese : m.translations) {
                // A message of values and marks alone ("%1: %2") has no words.
                const bool words =
                    m.source.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
                if (words && !HasJapanese(japanese))
                    faults << "no Japanese: " + where + QStringLiteral(" -> ") + japanese;
                if (Placeholders(japanese) != Placeholders(m.source))
                    faults << "values differ: " + where + QStringLiteral(" -> ") + japanese;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Which locales ask for Japanese, by gettext's rules (GNU gettext's
    // manual, "Locale Environment Variables"): LC_ALL beats LC_MESSAGES beats
    // LANG; LANGUAGE is a list of preferences, ignored in the C locale.
    void localeAsksForJapanese_data() {
        QTest::addColumn<QStringList>("variables");  // LC_ALL, LC_MESSAGES, LANG, LANGUAGE
        QTest::addColumn<bool>("japanese");
        QTest::newRow("LANG ja") << QStringList{"", "", "ja_JP.UTF-8", ""} << true;
        QTest::newRow("LANG ja, eucJP") << QStringList{"", "", "ja_JP.eucJP", ""} << true;
        QTest::newRow("LANG C") << QStringList{"", "", "C", ""} << false;
        QTest::newRow("nothing set") << QStringList{"", "", "", ""} << false;
        QTest::newRow("LANG en") << QStringList{"", "", "en_US.UTF-8", ""} << false;
        QTest::newRow("LC_MESSAGES ja over LANG C")
            << QStringList{"", "ja_JP.UTF-8", "C", ""} << true;
        QTest::newRow("LC_ALL C over LANG ja") << QStringList{"C", "", "ja_JP.UTF-8", ""} << false;
        QTest::newRow("LC_ALL C, LANGUAGE ja") << QStringList{"C", "", "", "ja"} << false;
        QTest::newRow("LANG C.UTF-8, LANGUAGE ja") << QStringList{"", "", "C.UTF-8", "ja"} << false;
        QTest::newRow("LANG en, LANGUAGE ja") << QStringList{"", "", "en_US.UTF-8", "ja"} << true;
        QTest::newRow("LANGUAGE fr:ja") << QStringList{"", "", "ja_JP.UTF-8", "fr:ja"} << true;
        QTest::newRow("LANGUAGE en:ja") << QStringList{"", "", "ja_JP.UTF-8", "en:ja"} << false;
        QTest::newRow("LANGUAGE fr only, LANG ja")
            << QStringList{"", "", "ja_JP.UTF-8", "fr"} << true;
        QTest::newRow("LANGUAGE de_DE, LANG en")
            << QStringList{"", "", "en_GB.UTF-8", "de_DE"} << false;
    }
    void localeAsksForJapanese() {
        QFETCH(QStringList, variables);
        QFETCH(bool, japanese);
        QCOMPARE(pipeline::AsksForJapanese(variables[0], variables[1], variables[2], variables[3]),
                 japanese);
    }

    // The compiled catalogue is inside the programs: in Japanese, a message
    // comes out translated; before that, and in English, it is as written.
    void programsCarryTheCompiledCatalogue() {
        const char* message = "Try 'stripewell-render --help'.";
        QCOMPARE(QCoreApplication::translate("render", message), QString::fromUtf8(message));
        QVERIFY(pipeline::UseLanguage(pipeline::Language::Japanese));
        QVERIFY(pipeline::SpeaksJapanese());
        QVERIFY(HasJapanese(QCoreApplication::translate("render", message)));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_pipeline_catalogue.moc"
