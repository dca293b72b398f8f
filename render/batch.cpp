#include "batch.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

#include "batchlist.h"
#include "filenames.h"
#include "folderwriter.h"
#include "progress.h"
#include "typedcode.h"
#include "writers.h"

namespace render {

namespace {

const QString kProgram = QStringLiteral("stripewell-render: ");

// No line of a real list comes near this. A longer one (a binary file given
// by mistake) is reported and skipped without being held in memory.
constexpr qint64 kMaxLineBytes = 64 * 1024;

void Report(const QString& message) {
    std::fputs((kProgram + message + u'\n').toUtf8().constData(), stderr);
}

// Makes the folder and those missing above it, as mkdir -p does; 0 or the
// errno value of what failed, which QDir::mkpath() would not tell.
int MakeFolders(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0777) == 0)
        return 0;
    int err = errno;
    if (err == ENOENT && QFileInfo(path).path() != path) {
        err = MakeFolders(QFileInfo(path).path());
        if (err == 0 && mkdir(native.constData(), 0777) != 0)
            err = errno;
    }
    if (err == EEXIST)
        err = QFileInfo(path).isDir() ? 0 : ENOTDIR;
    return err;
}

// A file without a name is named after its code, and its add-on if any.
QString Stem(const TypedCode& typed) {
    return typed.addon.isEmpty() ? typed.code : typed.code + u'+' + typed.addon;
}

}  // namespace

ExitStatus RunBatch(const Options& options) {
    const bool fromStdin = options.batchList == u"-";
    const QString listName = fromStdin ? QStringLiteral("(standard input)") : options.batchList;
    QFile list(fromStdin ? QString() : options.batchList);
    const bool opened =
        fromStdin ? list.open(stdin, QIODevice::ReadOnly) : list.open(QIODevice::ReadOnly);
    if (!opened) {
        Report(QStringLiteral("cannot read the list %1: %2").arg(listName, list.errorString()));
        return kExitNotWritten;
    }
    if (const int err = MakeFolders(options.outDir)) {
        Report(QStringLiteral("cannot make the folder %1: %2")
                   .arg(options.outDir, qt_error_string(err)));
        return kExitNotWritten;
    }
    FolderWriter folder(options.outDir);
    if (!folder.OpenError().isEmpty()) {
        Report(folder.OpenError());
        return kExitNotWritten;
    }
    folder.Protect(list.handle(), QStringLiteral("the list being read"));

    SymbolWriters writers(options, listName, folder);
    FileNamer namer(QString::fromLatin1(FormatName(options.format)));
    Progress progress(fromStdin ? 0 : QFileInfo(list).size());
    int lineNumber = 0;
    int failed = 0;      // lines refused here; the writers count their own
    int notWritten = 0;  // lines passed over once the folder stopped
    bool firstContent = true;
    auto where = [&] { return QStringLiteral("%1:%2").arg(listName).arg(lineNumber); };
    auto fail = [&](const QString& reason) {
        if (folder.Stopped())
            return;
        ++failed;
        progress.Message(kProgram + where() + QStringLiteral(": ") + reason);
    };
    auto showWritersMessages = [&] {
        for (const QString& message : writers.TakeMessages())
            progress.Message(kProgram + message);
    };

    // One buffer for all lines: a buffer of kMaxLineBytes made and dropped
    // for each line went back to the system every time, and every such
    // return interrupts the cores that run the writer threads.
    QByteArray buffer(kMaxLineBytes + 1, Qt::Uninitialized);
    auto readLine = [&] { return list.readLine(buffer.data(), buffer.size()); };
    while (!list.atEnd()) {
        const qint64 size = readLine();
        if (size <= 0) {
            // Standard input ends here without atEnd() having said so.
            if (list.error() == QFileDevice::NoError)
                break;
            ++failed;
            progress.Message(kProgram + QStringLiteral("%1: reading stopped after line %2: %3")
                                            .arg(listName)
                                            .arg(lineNumber)
                                            .arg(list.errorString()));
            break;
        }
        ++lineNumber;
        const QByteArray raw(buffer.constData(), size);
        if (!raw.endsWith('\n') && !list.atEnd()) {
            for (qint64 rest = size; rest > 0 && buffer[rest - 1] != '\n' && !list.atEnd();)
                rest = readLine();
            fail(QStringLiteral("longer than %1 bytes").arg(kMaxLineBytes));
            continue;
        }
        const BatchLine line = ReadBatchLine(raw, firstContent);
        if (line.kind != BatchLine::Kind::Blank)
            firstContent = false;
        if (line.kind == BatchLine::Kind::Bad) {
            fail(line.error);
        } else if (line.kind == BatchLine::Kind::Entry) {
            const TypedCode typed = ReadTypedCode(line.digits, options.symbology);
            // A file already there is found when the new one claims its name,
            // in the same step, so that nothing made meanwhile is replaced.
            if (folder.Stopped())
                ++notWritten;
            else if (!typed.refusal.isEmpty())
                fail(typed.refusal);
            else
                writers.Submit({lineNumber, line.name, typed.code, typed.addon,
                                namer.Next(line.name, Stem(typed))});
        }
        showWritersMessages();
        progress.Update(list.pos(), writers.Written(), failed + writers.Failed());
    }
    writers.Finish();
    showWritersMessages();
    const int written = writers.Written();
    failed += writers.Failed();
    notWritten += writers.NotWritten();
    progress.Finish(list.pos(), written, failed);

    // The files were not synced one by one: this makes all of them durable,
    // names included, before the batch says it succeeded.
    QString error;
    const bool synced = written == 0 || folder.Sync(&error);
    if (!synced)
        Report(error);
    if (folder.Stopped())
        Report(QStringLiteral("%1; stopped there, %2 lines not written (%3 files written)")
                   .arg(folder.StopError())
                   .arg(notWritten)
                   .arg(written));
    if (!synced || folder.Stopped())
        return kExitNotWritten;
    if (failed == 0)
        return kExitOk;
    Report(QStringLiteral("%1 of the lines in %2 failed; %3 files written to %4")
               .arg(failed)
               .arg(listName)
               .arg(written)
               .arg(options.outDir));
    return kExitBatchLinesFailed;
}

}  // namespace render
