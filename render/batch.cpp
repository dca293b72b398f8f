#include "batch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "batchlist.h"
#include "filenames.h"
#include "output.h"
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
    const QDir outDir(options.outDir);
    if (!QDir().mkpath(options.outDir)) {
        Report(QStringLiteral("cannot make the folder %1").arg(options.outDir));
        return kExitNotWritten;
    }

    SymbolWriters writers(options);
    FileNamer namer(QString::fromLatin1(FormatName(options.format)));
    Progress progress(fromStdin ? 0 : QFileInfo(list).size());
    int lineNumber = 0;
    int failed = 0;  // lines refused here; the writers count their own
    bool firstContent = true;
    auto where = [&] { return QStringLiteral("%1:%2").arg(listName).arg(lineNumber); };
    auto fail = [&](const QString& reason) {
        ++failed;
        progress.Message(kProgram + where() + QStringLiteral(": ") + reason);
    };
    auto showWritersMessages = [&] {
        for (const QString& message : writers.TakeMessages())
            progress.Message(kProgram + message);
    };

    while (!list.atEnd()) {
        const QByteArray raw = list.readLine(kMaxLineBytes);
        if (raw.isEmpty() && list.error() != QFileDevice::NoError) {
            ++failed;
            progress.Message(kProgram + QStringLiteral("%1: reading stopped after line %2: %3")
                                            .arg(listName)
                                            .arg(lineNumber)
                                            .arg(list.errorString()));
            break;
        }
        ++lineNumber;
        if (!raw.endsWith('\n') && !list.atEnd()) {
            for (QByteArray rest; !list.atEnd() && !rest.endsWith('\n');)
                rest = list.readLine(kMaxLineBytes);
            fail(QStringLiteral("longer than %1 bytes").arg(kMaxLineBytes));
            continue;
        }
        const BatchLine line = ReadBatchLine(raw, firstContent);
        if (line.kind != BatchLine::Kind::Blank)
            firstContent = false;
        if (line.kind == BatchLine::Kind::Bad) {
            fail(line.error);
        } else if (line.kind == BatchLine::Kind::Entry) {
            const TypedCode typed = ReadTypedCode(line.digits);
            QString error;
            if (!typed.refusal.isEmpty()) {
                fail(typed.refusal);
            } else if (const QString path = outDir.filePath(namer.Next(line.name, typed.code));
                       !MayWrite(path, options.force, &error)) {
                fail(error);
            } else {
                writers.Submit({where(), line.name, typed.code, path});
            }
        }
        showWritersMessages();
        progress.Update(list.pos(), writers.Written(), failed + writers.Failed());
    }
    writers.Finish();
    showWritersMessages();
    const int written = writers.Written();
    failed += writers.Failed();
    progress.Finish(list.pos(), written, failed);

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
