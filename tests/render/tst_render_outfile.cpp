// Where stripewell-render's -o and --out-dir write, and what it says when the
// system refuses: a link is standard output only when it leads there, and
// each failure names the system's own reason for it (the C library's text,
// typed here) with the exit status of a file not written.

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "files.h"
#include "run.h"

namespace {

const QString kCode = QStringLiteral("4901234567894");

}  // namespace

class TestRenderOutFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void linkIsStandardOutputOnlyWhenItLeadsThere_data();
    void linkIsStandardOutputOnlyWhenItLeadsThere();
    void failuresGiveTheSystemsReason_data();
    void failuresGiveTheSystemsReason();
    void tagFilesAreWrittenAsFiles_data();
    void tagFilesAreWrittenAsFiles();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }
    Ran Render(const QStringList& arguments) {
        return RunProgram(QStringLiteral(STRIPEWELL_RENDER), arguments, dir_->path());
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderOutFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderOutFile::linkIsStandardOutputOnlyWhenItLeadsThere_data() {
    QTest::addColumn<QString>("target");  // of the link out.png
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("picture");  // "stdout", "file" (out.png itself), or none
    QTest::newRow("to a file") << "old.png" << false << 3 << "";
    QTest::newRow("to a file, --force") << "old.png" << true << 0 << "file";
    QTest::newRow("to a missing file") << "gone.png" << false << 3 << "";
    QTest::newRow("to a missing file, --force") << "gone.png" << true << 0 << "file";
    QTest::newRow("to a folder's file, --force") << "sub/old.png" << true << 0 << "file";
    QTest::newRow("to standard output") << "/dev/stdout" << false << 0 << "stdout";
    QTest::newRow("to standard output's descriptor") << "/proc/self/fd/1" << false << 0 << "stdout";
}

// The link's own file (old.png, sub/old.png) is never written through it.
void TestRenderOutFile::linkIsStandardOutputOnlyWhenItLeadsThere() {
    QFETCH(QString, target);
    QFETCH(bool, force);
    QFETCH(int, exitCode);
    QFETCH(QString, picture);
    QVERIFY(QDir(dir_->path()).mkdir("sub"));
    QVERIFY(WriteAll(Path("old.png"), "old") && WriteAll(Path("sub/old.png"), "old"));
    QVERIFY(QFile::link(target, Path("out.png")));
    QStringList arguments{kCode, "-o", "out.png", "--format", "png"};
    if (force)
        arguments << "--force";
    const Ran run = Render(arguments);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    const QByteArray png("\x89PNG", 4);
    QCOMPARE(run.bytes.startsWith(png), picture == u"stdout");
    QCOMPARE(run.bytes.isEmpty(), picture != u"stdout");
    const QFileInfo out(Path("out.png"));
    QCOMPARE(out.isSymLink(), picture != u"file");
    if (picture == u"file")
        QVERIFY(ReadAll(Path("out.png")).startsWith(png));
    QCOMPARE(ReadAll(Path("old.png")), QByteArray("old"));
    QCOMPARE(ReadAll(Path("sub/old.png")), QByteArray("old"));
}

void TestRenderOutFile::failuresGiveTheSystemsReason_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString longName = QString(300, u'n') + ".png";
    QTest::newRow("ENOENT: -o into a missing folder")
        << QStringList{kCode, "-o", "nowhere/a.png"} << "No such file or directory";
    QTest::newRow("ENOTDIR: -o below a file")
        << QStringList{kCode, "-o", "plain/a.png"} << "Not a directory";
    QTest::newRow("ENAMETOOLONG: -o of 300 bytes")
        << QStringList{kCode, "-o", longName} << "File name too long";
    QTest::newRow("ENOTDIR: --out-dir below a file")
        << QStringList{"--batch", "list.csv", "--out-dir", "plain/out"} << "Not a directory";
    QTest::newRow("ENOTDIR: --out-dir a file")
        << QStringList{"--batch", "list.csv", "--out-dir", "plain"} << "plain: Not a directory";
    QTest::newRow("--batch of a folder")
        << QStringList{"--batch", "folder", "--out-dir", "out"} << "folder: it is a folder";
    QTest::newRow("EISDIR: -o a folder, --force")
        << QStringList{kCode, "-o", "folder", "--format", "png", "--force"}
        << "folder is a folder, not a file";
    QTest::newRow("-o a read-only file, --force")
        << QStringList{kCode, "-o", "readonly.png", "--force"}
        << "readonly.png is read-only; it is not replaced";
    QTest::newRow("-o an existing file")
        << QStringList{kCode, "-o", "readonly.png"} << "readonly.png already exists";
}

// Every one of these writes nothing and exits 3.
void TestRenderOutFile::failuresGiveTheSystemsReason() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    QVERIFY(WriteAll(Path("plain"), "plain") && WriteAll(Path("readonly.png"), "kept"));
    QVERIFY(QFile::setPermissions(Path("readonly.png"), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(WriteAll(Path("list.csv"), "Tea,4901234567894\n"));
    QVERIFY(QDir(dir_->path()).mkdir("folder"));
    const QStringList before =
        QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const Ran run = Render(arguments);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(ReadAll(Path("readonly.png")), QByteArray("kept"));
}

void TestRenderOutFile::tagFilesAreWrittenAsFiles_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("files");  // the PDF files in the folder afterwards
    const QStringList tag = {"--design", "price", "--price", "1000", kCode};
    QTest::newRow("one tag of 50 x 30 mm")
        << tag + QStringList{"--label-size", "50x30", "-o", "tag.pdf"} << 0
        << QStringList{"old.pdf", "tag.pdf"};
    QTest::newRow("a tag never over a file without --force")
        << tag + QStringList{"-o", "old.pdf"} << 3 << QStringList{"old.pdf"};
    QTest::newRow("a list: a tag of 50 x 30 mm per good line")
        << QStringList{"--design", "price",    "--batch", "list.csv",     "--out-dir",
                       ".",        "--format", "pdf",     "--label-size", "50x30"}
        << 4 << QStringList{"old.pdf", "お茶.pdf", "パン.pdf"};
}

// A tag alone, or each of a list's, is a file of its own, as large as
// --label-size says (pdfinfo measures it); a file already there stays as it
// was.
void TestRenderOutFile::tagFilesAreWrittenAsFiles() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, files);
    QVERIFY(WriteAll(Path("old.pdf"), "old"));
    QVERIFY(WriteAll(Path("list.csv"),
                     "商品名,JAN,税抜価格\nお茶,4901234567894,1000\n"
                     "悪い,4901234567894,1.5\nパン,4912345678904,980\n"));
    const Ran run = Render(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QStringList written = QDir(dir_->path()).entryList({"*.pdf"}, QDir::Files, QDir::Name);
    QCOMPARE(written, files);
    QCOMPARE(ReadAll(Path("old.pdf")), QByteArray("old"));
    static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    for (const QString& file : written) {
        if (file == u"old.pdf")
            continue;
        const QRegularExpressionMatch m =
            size.match(RunProgram(QStringLiteral("pdfinfo"), {Path(file)}).out);
        QVERIFY2(m.hasMatch(), qPrintable(file));
        QVERIFY2(qAbs(m.captured(1).toDouble() * 25.4 / 72 - 50) < 0.01 &&
                     qAbs(m.captured(2).toDouble() * 25.4 / 72 - 30) < 0.01,
                 qPrintable(file + ": " + m.captured(0)));
    }
}

QTEST_MAIN(TestRenderOutFile)
#include "tst_render_outfile.moc"
