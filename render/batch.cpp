#include "batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "messages.h"
#include "pipeline/bookcode.h"
#include "pipeline/filenames.h"
#include "pipeline/folderwriter.h"
#include "pipeline/labelsource.h"
#include "pipeline/listfile.h"
#include "pipeline/listreader.h"
#include "pipeline/tagfile.h"
#include "pipeline/writers.h"
#include "progress.h"
#include "report.h"
#include "sheetjob.h"

namespace render {

using pipeline::FileNamer;
using pipeline::FolderWriter;
using pipeline::Label;
using pipeline::LabelSource;
using pipeline::ListReader;
using pipeline::SymbolWriters;

namespace {

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

}  // namespace

QString OpenList(QFile& list, bool fromStdin) {
    const pipeline::ListOpening opened =
        pipeline::OpenListFile(list, fromStdin, pipeline::ListPipes::Read);
    switch (opened.problem) {
        case pipeline::ListProblem::None:
            return QString();
        case pipeline::ListProblem::Closed:
            return Msg::tr("it is closed");
        case pipeline::ListProblem::Folder:
            return Msg::tr("it is a folder");
        case pipeline::ListProblem::Device:
            return Msg::tr("it is a device; a list is a file or a pipe");
        case pipeline::ListProblem::Fifo:
            return Msg::tr("it is a fifo; a list is a file or a pipe");
        case pipeline::ListProblem::Socket:
            return Msg::tr("it is a socket; a list is a file or a pipe");
        case pipeline::ListProblem::CannotOpen:
            break;
    }
    return opened.error;
}

ExitStatus RunBatch(const Options& options) {
    const bool fromStdin = options.batchList == u"-";
    const QString listName = fromStdin ? Msg::tr("(standard input)") : options.batchList;
    QFile list(fromStdin ? QString() : options.batchList);
    const QString openError = OpenList(list, fromStdin);
    if (!openError.isEmpty()) {
        Report(Msg::tr("cannot read the list %1: %2").arg(listName, openError));
        return kExitNotWritten;
    }
    ListReader reader(list, options.list);
    if (!reader.Start()) {
        Report(listName + reader.Refusal());
        return kExitNotWritten;
    }
    if (const int err = MakeFolders(options.outDir)) {
        Report(Msg::tr("cannot make the folder %1: %2").arg(options.outDir, qt_error_string(err)));
        return kExitNotWritten;
    }
    FolderWriter folder(options.outDir);
    if (!folder.OpenError().isEmpty()) {
        Report(folder.OpenError());
        return kExitNotWritten;
    }
    folder.Protect(list.handle(), Msg::tr("the list being read"));

    SymbolWriters writers(options.output, listName, folder);
    FileNamer namer(QString::fromLatin1(FormatName(options.output.format)));
    Progress progress(fromStdin ? 0 : QFileInfo(list).size());
    int failed = 0;      // lines refused here; the writers count their own
    int notWritten = 0;  // lines passed over once the folder stopped
    auto showWritersMessages = [&] {
        for (const QString& message : writers.TakeMessages())
            progress.Message(Prefixed(message));
    };

    auto lineMessage = [&](int line, const QString& message) {
        progress.Message(QStringLiteral("%1%2:%3: %4")
                             .arg(Prefixed(QString()), listName)
                             .arg(line)
                             .arg(message));
    };

    // A tag design writes each line's tag as a file of its own, here.
    const pipeline::LabelAsk tagAsk = LabelAskOf(options, QString());
    const QSizeF tagMm = TagLabelMm(options);
    int tagsWritten = 0;
    auto writeTag = [&](const Label& tag, const QString& fileName) {
        QString error;
        const QByteArray bytes =
            pipeline::TagFile(options.output, tagMm, tagAsk, options.noName ? QString() : tag.name,
                              tag.code, tag.price, &error);
        if (!bytes.isEmpty() && folder.Write(fileName, bytes, options.output.force, &error)) {
            ++tagsWritten;
        } else if (folder.Stopped()) {
            ++notWritten;
        } else {
            ++failed;
            lineMessage(tag.line, error);
        }
    };

    LabelSource labels(reader, options.output.symbology, 1, options.indicator);
    labels.SetPricing(options.pricing);
    Label label;
    while (labels.Next(&label)) {
        // A file already there is found when the new one claims its name,
        // in the same step, so that nothing made meanwhile is replaced.
        if (folder.Stopped()) {
            ++notWritten;
        } else if (label.refusal.isEmpty()) {
            if (!label.note.isEmpty())
                lineMessage(label.line, label.note);
            const QString fileName = namer.Next(label.name, pipeline::FileStem(label.code));
            if (options.Tags())
                writeTag(label, fileName);
            else
                writers.Submit({label.line, options.noName ? QString() : label.name,
                                label.code.code, label.code.addon, fileName});
        } else {
            ++failed;
            lineMessage(label.line, label.refusal);
        }
        showWritersMessages();
        progress.Update(reader.BytesRead(), writers.Written() + tagsWritten,
                        failed + writers.Failed());
    }
    writers.Finish();
    showWritersMessages();
    const int written = writers.Written() + tagsWritten;
    failed += writers.Failed();
    notWritten += writers.NotWritten();
    progress.Finish(reader.BytesRead(), written, failed);
    if (!reader.Refusal().isEmpty()) {
        Report(listName + reader.Refusal());
        if (written == 0)
            return kExitNotWritten;
        ++failed;
    }
    if (const QString nothing = reader.NothingToWrite(); !nothing.isEmpty()) {
        Report(listName + u' ' + nothing);
        return reader.SawContent() || reader.BytesRead() > 0 ? kExitNotWritten : kExitOk;
    }

    // The files were not synced one by one: this makes all of them durable,
    // names included, before the batch says it succeeded.
    QString error;
    const bool synced = written == 0 || folder.Sync(&error);
    if (!synced)
        Report(error);
    if (folder.Stopped())
        Report(Msg::tr("%1; stopped there, %2 lines not written (%3 files written)")
                   .arg(folder.StopError())
                   .arg(notWritten)
                   .arg(written));
    if (!synced || folder.Stopped())
        return kExitNotWritten;
    if (failed == 0)
        return kExitOk;
    Report(Msg::tr("%1 of the lines in %2 failed; %3 files written to %4")
               .arg(failed)
               .arg(listName)
               .arg(written)
               .arg(options.outDir));
    return kExitBatchLinesFailed;
}

}  // namespace render
