// Which reason a person is told for which failed write: each common system
// error must give the Japanese reason that says what happened (checked by
// the words that say it, typed here), whether the file named the error or
// only the errno of a short write tells it.

#include <QCoreApplication>
#include <QSaveFile>
#include <QTest>
#include <cerrno>

#include "Module1/Module1.h"

class TestFailureReasons : public QObject {
    Q_OBJECT

private slots:
    void eachErrorGetsItsOwnReason_data();
    void eachErrorGetsItsOwnReason();
};

void TestFailureReasons::eachErrorGetsItsOwnReason_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("words");  // what the reason must say
    QTest::addColumn<QString>("never");  // and a word of another reason it must not
    QTest::newRow("EACCES: no permission") << EACCES << QString::fromUtf16(u"権限") << "容量";
    QTest::newRow("EPERM: no permission") << EPERM << QString::fromUtf16(u"権限") << "読み取り";
    QTest::newRow("ENOSPC: disk full") << ENOSPC << QString::fromUtf16(u"空き容量") << "読み取り";
    QTest::newRow("EROFS: read-only") << EROFS << QString::fromUtf16(u"読み取り専用") << "容量";
    QTest::newRow("ENOENT: no folder") << ENOENT << QString::fromUtf16(u"見つかりません") << "権限";
    QTest::newRow("EISDIR: a folder of the name")
        << EISDIR << QString::fromUtf16(u"同じ名前のフォルダー") << "見つかりません";
    QTest::newRow("ENAMETOOLONG: name too long")
        << ENAMETOOLONG << QString::fromUtf16(u"ファイル名が長すぎ") << "大きすぎ";
    QTest::newRow("EFBIG: file too large")
        << EFBIG << QString::fromUtf16(u"ファイルが大きすぎ") << "長すぎ";
}

// The file's own text of the error, and a short write's "Unknown error"
// with the errno, give the same reason.
void TestFailureReasons::eachErrorGetsItsOwnReason() {
    QFETCH(int, error);
    QFETCH(QString, words);
    QFETCH(QString, never);
    const QString shortWrite = QCoreApplication::translate("QIODevice", "Unknown error");
    for (const QString& text : {qt_error_string(error), shortWrite}) {
        const QString reason = Module1::FailureReason(text, error);
        QVERIFY2(reason.contains(words) && !reason.contains(never),
                 qPrintable(text + " gives " + reason));
    }
}

QTEST_MAIN(TestFailureReasons)
#include "tst_failurereasons.moc"
