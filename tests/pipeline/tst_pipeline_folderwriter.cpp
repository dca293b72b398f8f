// How a batch's files reach its output folder, through either kind of
// temporary file: a file is there whole or not at all, a file already there
// is replaced only when asked and otherwise left byte for byte, and no
// temporary file stays behind, whether the write worked or failed.

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <thread>
#include <vector>

#include "files.h"
#include "pipeline/folderwriter.h"

using pipeline::FolderWriter;
using Staging = FolderWriter::Staging;

Q_DECLARE_METATYPE(FolderWriter::Staging)

namespace {

// Everything in a folder, temporary files (which start with a dot) included.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

int Mode(const QString& path) {
    struct stat info;
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

int Umask() {
    const mode_t mask = umask(0);
    umask(mask);
    return int(mask);
}

// Limits the size of files this process writes while it lives, as `ulimit -f`
// does, with SIGXFSZ ignored so that a write over the limit fails with EFBIG
// instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        set_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool set() const { return set_; }

private:
    rlimit old_{};
    bool set_ = false;
    void (*oldHandler_)(int) = nullptr;
};

QByteArray Bytes(char fill, int size) {
    return QByteArray(size, fill);
}

// Every test runs with both kinds of temporary file: the one a folder's file
// system allows is chosen at run time, and the other must work as well.
const std::pair<const char*, Staging> kStagings[] = {{"unnamed", Staging::Unnamed},
                                                     {"named", Staging::Named}};

}  // namespace

class TestRenderFolderWriter : public QObject {
    Q_OBJECT

private slots:
    void init();

    void writesOrRefuses_data();
    void writesOrRefuses();
    void whatMustStayStaysWithReplace_data();
    void whatMustStayStaysWithReplace();
    void failedWriteLeavesNothing_data();
    void failedWriteLeavesNothing();
    void oneOfTwoWritesToANameWins_data();
    void oneOfTwoWritesToANameWins();
    void threadsWriteTheirOwnFiles_data();
    void threadsWriteTheirOwnFiles();
    void syncsWhatWasWritten_data();
    void syncsWhatWasWritten();
    void missingFolderIsReported();

private:
    static void AddStagings();
    QString Path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRenderFolderWriter::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestRenderFolderWriter::AddStagings() {
    QTest::addColumn<Staging>("staging");
    for (const auto& [name, staging] : kStagings)
        QTest::newRow(name) << staging;
}

void TestRenderFolderWriter::writesOrRefuses_data() {
    QTest::addColumn<Staging>("staging");
    QTest::addColumn<bool>("existing");  // a file with the name is there before
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("written");
    for (const auto& [name, staging] : kStagings) {
        QTest::addRow("%s, new file", name) << staging << false << false << true;
        QTest::addRow("%s, new file, replace allowed", name) << staging << false << true << true;
        QTest::addRow("%s, existing file kept", name) << staging << true << false << false;
        QTest::addRow("%s, existing file replaced", name) << staging << true << true << true;
    }
}

void TestRenderFolderWriter::writesOrRefuses() {
    QFETCH(Staging, staging);
    QFETCH(bool, existing);
    QFETCH(bool, replace);
    QFETCH(bool, written);
    const QByteArray old("an earlier file, to be kept unless replaced");
    // Not the mode a new file gets, so that a replacement shows whether it kept it.
    constexpr int kOldMode = 0640;
    if (existing) {
        QVERIFY(WriteAll(Path("Tea.bmp"), old));
        QVERIFY(QFile::setPermissions(Path("Tea.bmp"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QCOMPARE(Mode(Path("Tea.bmp")), kOldMode);
    }
    const QByteArray bytes = Bytes('n', 1802);

    FolderWriter folder(dir_->path(), staging);
    QCOMPARE(folder.OpenError(), QString());
    QString error;
    QCOMPARE(folder.Write("Tea.bmp", bytes, replace, &error), written);
    QString syncError;
    QVERIFY2(folder.Sync(&syncError), qPrintable(syncError));

    QCOMPARE(Entries(dir_->path()), QStringList{"Tea.bmp"});
    if (written) {
        QCOMPARE(error, QString());
        QVERIFY(ReadAll(Path("Tea.bmp")) == bytes);
        QCOMPARE(Mode(Path("Tea.bmp")), existing ? kOldMode : 0666 & ~Umask());
    } else {
        QVERIFY2(error.contains(Path("Tea.bmp")) && error.contains("already exists") &&
                     error.contains("--force"),
                 qPrintable(error));
        QCOMPARE(ReadAll(Path("Tea.bmp")), old);
        QCOMPARE(Mode(Path("Tea.bmp")), kOldMode);
    }
}

void TestRenderFolderWriter::whatMustStayStaysWithReplace_data() {
    QTest::addColumn<Staging>("staging");
    QTest::addColumn<QString>("what");  // at the name: folder, read-only, protected
    QTest::addColumn<QString>("reason");
    for (const auto& [name, staging] : kStagings) {
        QTest::addRow("%s, folder", name) << staging << "folder"
                                          << "is a folder";
        QTest::addRow("%s, read-only file", name) << staging << "read-only"
                                                  << "is read-only";
        QTest::addRow("%s, protected file", name) << staging << "protected"
                                                  << "is the list being read";
    }
}

void TestRenderFolderWriter::whatMustStayStaysWithReplace() {
    QFETCH(Staging, staging);
    QFETCH(QString, what);
    QFETCH(QString, reason);
    if (what == "folder")
        QVERIFY(QDir(dir_->path()).mkdir("Tea.bmp"));
    else
        QVERIFY(WriteAll(Path("Tea.bmp"), "kept"));
    if (what == "read-only")
        QVERIFY(QFile::setPermissions(Path("Tea.bmp"), QFile::ReadOwner));
    QFile list(Path("Tea.bmp"));
    QVERIFY(what != "protected" || list.open(QIODevice::ReadOnly));

    FolderWriter folder(dir_->path(), staging);
    if (list.isOpen())
        folder.Protect(list.handle(), "the list being read");
    QString error;
    QVERIFY(!folder.Write("Tea.bmp", Bytes('n', 1802), true, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(Entries(dir_->path()), QStringList{"Tea.bmp"});  // no temporary file left
    QVERIFY(what == "folder" || ReadAll(Path("Tea.bmp")) == "kept");
}

void TestRenderFolderWriter::failedWriteLeavesNothing_data() {
    QTest::addColumn<Staging>("staging");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("limit");  // bytes a file may hold
    QTest::addColumn<bool>("streamed");
    for (const auto& [name, staging] : kStagings) {
        // A limit inside the file: the first write is cut short, the next fails.
        QTest::addRow("%s, new file, part written", name) << staging << false << 1000 << false;
        QTest::addRow("%s, new file, nothing written", name) << staging << false << 0 << false;
        QTest::addRow("%s, replacing, part written", name) << staging << true << 1000 << false;
        QTest::addRow("%s, replacing, nothing written", name) << staging << true << 0 << false;
        // Content made while it is written, through a device, in pieces.
        QTest::addRow("%s, streamed, new file", name) << staging << false << 1000 << true;
        QTest::addRow("%s, streamed, replacing", name) << staging << true << 1000 << true;
    }
}

void TestRenderFolderWriter::failedWriteLeavesNothing() {
    QFETCH(Staging, staging);
    QFETCH(bool, existing);
    QFETCH(int, limit);
    QFETCH(bool, streamed);
    const QByteArray old("an earlier file, to be kept");
    if (existing)
        QVERIFY(WriteAll(Path("Tea.bmp"), old));
    const QStringList before = Entries(dir_->path());

    FolderWriter folder(dir_->path(), staging);
    QString error;
    bool written = false;
    {
        const FileSizeLimit sizeLimit{rlim_t(limit)};
        QVERIFY(sizeLimit.set());
        const auto inPieces = [](int fd) {
            pipeline::FdDevice device(fd);
            for (int piece = 0; piece < 4; ++piece)
                device.write(Bytes('n', 450));
            errno = device.Errno();
            return errno == 0;
        };
        written = streamed ? folder.WriteContent("Tea.bmp", inPieces, true, &error)
                           : folder.Write("Tea.bmp", Bytes('n', 1802), true, &error);
    }
    QVERIFY(!written);
    QVERIFY2(error.startsWith("cannot write " + Path("Tea.bmp") + ": ") &&
                 error.contains(qt_error_string(EFBIG)),
             qPrintable(error));
    QCOMPARE(Entries(dir_->path()), before);
    if (existing)
        QCOMPARE(ReadAll(Path("Tea.bmp")), old);
}

void TestRenderFolderWriter::oneOfTwoWritesToANameWins_data() {
    AddStagings();
}

void TestRenderFolderWriter::oneOfTwoWritesToANameWins() {
    // Two threads write the same name at once, neither allowed to replace:
    // exactly one gets it, the other is refused, and the file is the winner's.
    // A look for the file before writing it would let both through now and then.
    QFETCH(Staging, staging);
    FolderWriter folder(dir_->path(), staging);
    constexpr int kRounds = 200;
    for (int round = 0; round < kRounds; ++round) {
        const QString name = QStringLiteral("Item %1.bmp").arg(round);
        const QByteArray bytes[2] = {Bytes('a', 1802), Bytes('b', 1802)};
        bool written[2] = {false, false};
        QString errors[2];
        std::thread second([&] { written[1] = folder.Write(name, bytes[1], false, &errors[1]); });
        written[0] = folder.Write(name, bytes[0], false, &errors[0]);
        second.join();
        QVERIFY2(written[0] != written[1], qPrintable(name));
        const int winner = written[0] ? 0 : 1;
        QVERIFY2(errors[1 - winner].contains("already exists"), qPrintable(errors[1 - winner]));
        QVERIFY2(ReadAll(Path(name)) == bytes[winner], qPrintable(name));
    }
    QCOMPARE(Entries(dir_->path()).size(), kRounds);
}

void TestRenderFolderWriter::threadsWriteTheirOwnFiles_data() {
    AddStagings();
}

void TestRenderFolderWriter::threadsWriteTheirOwnFiles() {
    // Writer threads share one FolderWriter, and their temporary files one folder.
    QFETCH(Staging, staging);
    FolderWriter folder(dir_->path(), staging);
    constexpr int kThreads = 4;
    constexpr int kFiles = 100;  // per thread
    const QByteArray old("an earlier file");
    for (int t = 0; t < kThreads; ++t)
        QVERIFY(WriteAll(Path(QStringLiteral("%1-0.bmp").arg(t)), old));
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kFiles; ++i) {
                QString error;
                // Every file of a thread holds its own bytes; the first one replaces a file.
                const QByteArray bytes = Bytes(char('a' + t), 100 + i);
                if (!folder.Write(QStringLiteral("%1-%2.bmp").arg(t).arg(i), bytes, i == 0, &error))
                    ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QString syncError;
    QVERIFY2(folder.Sync(&syncError), qPrintable(syncError));

    QCOMPARE(failures, std::vector<int>(kThreads, 0));
    QCOMPARE(Entries(dir_->path()).size(), kThreads * kFiles);
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kFiles; ++i)
            QVERIFY(ReadAll(Path(QStringLiteral("%1-%2.bmp").arg(t).arg(i))) ==
                    Bytes(char('a' + t), 100 + i));
}

void TestRenderFolderWriter::syncsWhatWasWritten_data() {
    QTest::addColumn<Staging>("staging");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("oneGone");  // deleted by someone else before the sync
    constexpr int kFew = FolderWriter::kSyncedOneByOne;
    for (const auto& [name, staging] : kStagings) {
        QTest::addRow("%s, one file", name) << staging << 1 << false;
        QTest::addRow("%s, as many as are synced one by one", name) << staging << kFew << false;
        QTest::addRow("%s, one more than that", name) << staging << kFew + 1 << false;
        QTest::addRow("%s, a file gone before the sync", name) << staging << 3 << true;
    }
}

// Each file alone with its folder, or the whole file system: either way the
// sync succeeds and leaves every file as it was written, and a file that
// went away in between is no reason to fail.
void TestRenderFolderWriter::syncsWhatWasWritten() {
    QFETCH(Staging, staging);
    QFETCH(int, files);
    QFETCH(bool, oneGone);
    FolderWriter folder(dir_->path(), staging);
    for (int i = 0; i < files; ++i) {
        QString error;
        QVERIFY2(folder.Write(QStringLiteral("%1.pdf").arg(i), Bytes(char('a' + i), 4000), false,
                              &error),
                 qPrintable(error));
    }
    if (oneGone)
        QVERIFY(QFile::remove(Path("1.pdf")));
    QString syncError;
    QVERIFY2(folder.Sync(&syncError), qPrintable(syncError));
    QCOMPARE(Entries(dir_->path()).size(), files - int(oneGone));
    for (int i = 0; i < files; ++i)
        if (!oneGone || i != 1)
            QVERIFY(ReadAll(Path(QStringLiteral("%1.pdf").arg(i))) == Bytes(char('a' + i), 4000));
}

void TestRenderFolderWriter::missingFolderIsReported() {
    const QString missing = Path("not made");
    const FolderWriter folder(missing);
    QVERIFY2(folder.OpenError().contains(missing) &&
                 folder.OpenError().contains(qt_error_string(ENOENT)),
             qPrintable(folder.OpenError()));
    QVERIFY(!QFile::exists(missing));
}

QTEST_MAIN(TestRenderFolderWriter)
#include "tst_pipeline_folderwriter.moc"
