// How a label sheet run ends, read from the program's exit status, its
// messages and the folder it wrote into: a PDF is there only when a label
// was painted on it, what was there before stays unless it may be replaced,
// and the list being read is never written over. Statuses as the README's
// table gives them: 0 all written, 3 nothing written, 4 some lines failed.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "run.h"

class TestRenderSheetEnds : public QObject {
    Q_OBJECT

private slots:
    void endings_data();
    void endings();
};

void TestRenderSheetEnds::endings_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("list");    // written as list.csv, and as list.pdf
    QTest::addColumn<QByteArray>("before");  // s.pdf before the run; empty: none
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");   // a phrase of standard error; empty: nothing said
    QTest::addColumn<QString>("after");  // s.pdf: "pdf", "same" (as before), "none"

    const QByteArray good = "Tea,4901234567894\n";
    const QByteArray bad = "Bad,4901234567890\n";
    const QStringList sheet{"--sheet", "a4-24", "-o", "s.pdf"};
    QTest::newRow("every label written") << (QStringList{"--batch", "list.csv"} + sheet)
                                         << good + good << QByteArray() << 0 << QString() << "pdf";
    QTest::newRow("one line failed, the other written")
        << (QStringList{"--batch", "list.csv"} + sheet) << good + bad << QByteArray() << 4
        << "1 of the lines in list.csv failed; 1 labels written to s.pdf"
        << "pdf";
    QTest::newRow("no line gives a label: no file")
        << (QStringList{"--batch", "list.csv"} + sheet) << bad + bad << QByteArray() << 3
        << "list.csv gives no label; nothing written"
        << "none";
    QTest::newRow("an empty list: no file")
        << (QStringList{"--batch", "list.csv"} + sheet) << QByteArray() << QByteArray() << 3
        << "nothing written"
        << "none";
    QTest::newRow("no label keeps the file that was there, even with --force")
        << (QStringList{"--batch", "list.csv", "--force"} + sheet) << bad << QByteArray("old") << 3
        << "gives no label"
        << "same";
    QTest::newRow("a file there is kept without --force")
        << (QStringList{"--batch", "list.csv"} + sheet) << good << QByteArray("old") << 3
        << "s.pdf already exists; give --force"
        << "same";
    QTest::newRow("a file there is replaced with --force")
        << (QStringList{"--batch", "list.csv", "--force"} + sheet) << good << QByteArray("old") << 0
        << QString() << "pdf";
    QTest::newRow("the list itself is never written over")
        << QStringList{"--batch", "list.pdf", "--sheet", "a4-24", "--force", "-o", "list.pdf"}
        << good << QByteArray() << 3 << "list.pdf is the list being read; it is never replaced"
        << "none";
    QTest::newRow("a folder that is not there")
        << QStringList{"--batch", "list.csv", "--sheet", "a4-24", "-o", "none/s.pdf"} << good
        << QByteArray() << 3 << "cannot open the folder none"
        << "none";
    // The C library's words for ENOSPC, typed in.
    QTest::newRow("standard output on a full device")
        << QStringList{"--batch", "list.csv", "--sheet", "a4-24", "-o", "-"} << good << QByteArray()
        << 3 << "cannot write to the standard output: No space left on device"
        << "none";
    // The first page fails when the second is begun, which stops the
    // painting: the reason is still the device's.
    QTest::newRow("standard output on a full device, two pages")
        << QStringList{"4901234567894", "--copies", "30", "--sheet", "a4-24", "-o", "-"} << good
        << QByteArray() << 3 << "cannot write to the standard output: No space left on device"
        << "none";
    QTest::newRow("one code, three copies")
        << (QStringList{"4901234567894", "--copies", "3"} + sheet) << good << QByteArray() << 0
        << QString() << "pdf";
}

void TestRenderSheetEnds::endings() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, before);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QString, after);
    QTemporaryDir dir;
    const auto put = [&dir](const QString& name, const QByteArray& bytes) {
        return WriteAll(dir.filePath(name), bytes);
    };
    QVERIFY(put("list.csv", list) && put("list.pdf", list));
    if (!before.isEmpty())
        QVERIFY(put("s.pdf", before));

    const Ran run = RunProgram(
        QStringLiteral(STRIPEWELL_RENDER), arguments, dir.path(),
        {.standardOutputFile = arguments.endsWith(QStringLiteral("-")) ? "/dev/full" : "",
         .timeoutSeconds = 60});
    const QString err = run.err;
    QCOMPARE(run.exitCode, status);
    if (said.isEmpty())
        QCOMPARE(err, QString());
    else
        QVERIFY2(err.contains(said), qPrintable(err));

    QFile pdf(dir.filePath("s.pdf"));
    const QByteArray bytes = pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
    const QString found = !pdf.exists()     ? QStringLiteral("none")
                          : bytes == before ? QStringLiteral("same")
                          : bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF")
                              ? QStringLiteral("pdf")
                              : QStringLiteral("something else");
    QCOMPARE(found, after);
    // The list is as it was, whatever the run did.
    QFile listPdf(dir.filePath("list.pdf"));
    QVERIFY(listPdf.open(QIODevice::ReadOnly));
    QCOMPARE(listPdf.readAll(), list);
    // Nothing half made is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".tmp"), QStringList());
}

QTEST_GUILESS_MAIN(TestRenderSheetEnds)
#include "tst_render_sheetends.moc"
