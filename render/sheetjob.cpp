#include "sheetjob.h"

#include <unistd.h>

#include <QFile>
#include <QPdfWriter>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>

#include "batch.h"
#include "bookcode.h"
#include "folderwriter.h"
#include "listreader.h"
#include "output.h"
#include "sheetcode.h"
#include "sheetpainter.h"
#include "symbol/layout.h"
#include "typedcode.h"

namespace render {

namespace {

const QString kProgram = QStringLiteral("stripewell-render: ");

void Report(const QString& message) {
    std::fputs((kProgram + message + u'\n').toUtf8().constData(), stderr);
}

QString Mm(double value) {
    return QString::number(value, 'f', 1);
}

// The built-in sheet or the one of --sheet-file; empty, with the reason in
// error, when there is none.
std::optional<SheetTemplate> ReadSheet(const Options& options, QString* error) {
    if (options.sheetFile.isEmpty()) {
        std::optional<SheetTemplate> sheet = FindSheet(options.sheet);
        if (!sheet)
            *error = QStringLiteral("there is no sheet '%1'; --sheet list shows the sheets")
                         .arg(options.sheet);
        return sheet;
    }
    SheetFile read = ReadSheetFile(options.sheetFile);
    *error = read.error;
    return read.sheet;
}

// The labels of a run: the one code, or the lines of the list as they are
// read, each given copies times. Bad lines are reported and counted.
class Labels {
public:
    explicit Labels(const Options& options) : options_(options) {}

    // Empty, or why the list cannot be read.
    QString Open() {
        if (options_.mode != Options::Mode::Batch)
            return QString();
        fromStdin_ = options_.batchList == u"-";
        listName_ = fromStdin_ ? QStringLiteral("(standard input)") : options_.batchList;
        list_.setFileName(fromStdin_ ? QString() : options_.batchList);
        const QString problem = OpenList(list_, fromStdin_);
        if (!problem.isEmpty())
            return QStringLiteral("cannot read the list %1: %2").arg(listName_, problem);
        reader_.emplace(list_, options_.list);
        return reader_->Start() ? QString() : listName_ + reader_->Refusal();
    }

    int ListHandle() const { return list_.isOpen() ? list_.handle() : -1; }

    // Paints every label; false with errno set when the device failed.
    bool PaintAll(SheetPainter& painter) {
        if (!reader_) {
            for (int i = 0; i < options_.copies; ++i)
                if (!Add(painter, options_.name, code_, 0))
                    return false;
            return true;
        }
        ListRecord record;
        while (reader_->Next(&record)) {
            const TypedCode typed =
                ReadRecordCode(record, reader_->HasHeader(), options_.symbology);
            if (!typed.refusal.isEmpty()) {
                ++failed_;
                ReportLine(record.line, typed.refusal);
                continue;
            }
            if (!record.note.isEmpty())
                ReportLine(record.line, record.note);
            const symbol::SymbolCode code{options_.symbology, typed.code, typed.addon};
            for (int i = 0; i < options_.copies; ++i)
                if (!Add(painter, record.name, code, record.line))
                    return false;
        }
        if (!reader_->Refusal().isEmpty()) {
            ++failed_;
            Report(listName_ + reader_->Refusal());
        }
        return true;
    }

    // Why nothing was written when no label was painted, as a batch says it.
    QString NothingWritten() const {
        if (!reader_)
            return QStringLiteral("no label was painted; nothing written");
        const QString nothing = reader_->NothingToWrite();
        return listName_ + u' ' +
               (nothing.isEmpty() ? QStringLiteral("gives no label; nothing written") : nothing);
    }

    void SetCode(const symbol::SymbolCode& code) { code_ = code; }
    int Count() const { return count_; }
    int Failed() const { return failed_; }
    const QString& ListName() const { return listName_; }

private:
    void ReportLine(int line, const QString& message) {
        Report(QStringLiteral("%1:%2: %3").arg(listName_).arg(line).arg(message));
    }

    // False, with errno set, when the device failed.
    bool Add(SheetPainter& painter, const QString& name, const symbol::SymbolCode& code, int line) {
        switch (painter.Add(name, code)) {
            case SheetPainter::Added::Painted:
                ++count_;
                return true;
            case SheetPainter::Added::TooLarge:
                ++failed_;
                ReportLine(line, QStringLiteral("with its add-on the symbol is too wide for the "
                                                "label even at 80 percent"));
                return true;
            case SheetPainter::Added::BarsTooThin:
                ++failed_;
                ReportLine(line, QStringLiteral("with its add-on the symbol is drawn so small "
                                                "that --bwr %1 leaves bars narrower than half "
                                                "a module")
                                     .arg(options_.bwrMicrons));
                return true;
            case SheetPainter::Added::DeviceFailed:
                break;
        }
        errno = EIO;
        return false;
    }

    const Options& options_;
    QFile list_;
    bool fromStdin_ = false;
    QString listName_;
    std::optional<ListReader> reader_;
    symbol::SymbolCode code_;
    int count_ = 0;
    int failed_ = 0;
};

// Holds what is written until the first label is painted, and drops it if
// none is: a PDF without labels never reaches a pipe, where it could not be
// taken back. Only the PDF's start is ever held: its pages go out as they end.
class HeldDevice : public FdDevice {
public:
    HeldDevice(int fd, std::function<bool()> release)
        : FdDevice(fd), release_(std::move(release)) {}

protected:
    qint64 writeData(const char* data, qint64 size) override {
        if (!released_) {
            if (!release_()) {
                held_.append(data, size);
                return size;
            }
            released_ = true;
            if (!held_.isEmpty() && FdDevice::writeData(held_.constData(), held_.size()) < 0)
                return -1;
            held_ = QByteArray();
        }
        return FdDevice::writeData(data, size);
    }

private:
    std::function<bool()> release_;
    bool released_ = false;
    QByteArray held_;
};

// The whole PDF into fd: pages of A4 from its corner, vector throughout.
bool WritePdf(int fd, const SheetTemplate& sheet, const Options& options, const LabelStyle& style,
              Labels& labels) {
    HeldDevice device(fd, [&labels] { return labels.Count() > 0; });
    {
        QPdfWriter writer(&device);
        writer.setCreator(QStringLiteral("stripewell-render"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(), QPageLayout::Millimeter));
        writer.setResolution(1200);
        SheetPainter painter(&writer, sheet, options.skip, style);
        if (!labels.PaintAll(painter))
            return false;
    }
    if (device.Errno() != 0) {
        errno = device.Errno();
        return false;
    }
    if (labels.Count() == 0) {
        errno = ENODATA;
        return false;
    }
    return true;
}

// The pages onto the target's device; false, with the reason, when they did
// not go out.
bool PaintOnTarget(PageTarget& target, const SheetTemplate& sheet, const Options& options,
                   const LabelStyle& style, Labels& labels, QString* error) {
    QPagedPaintDevice* device = target.Device(sheet, error);
    if (!device)
        return false;
    {
        SheetPainter painter(device, sheet, options.skip, style);
        if (!labels.PaintAll(painter) || labels.Count() == 0) {
            *error = QStringLiteral("the printer's device failed");
            return false;
        }
    }
    return target.Finish(error);
}

}  // namespace

ExitStatus RunSheet(const Options& options, PageTarget* target) {
    QString error;
    std::optional<SheetTemplate> sheet =
        options.OnSheet() ? ReadSheet(options, &error) : std::nullopt;
    if (target && (sheet || !options.OnSheet()))
        sheet = target->PageSheet(sheet, &error);
    if (!sheet) {
        Report(error);
        return kExitUsage;
    }
    if (options.skip >= sheet->LabelsPerPage()) {
        Report(QStringLiteral("--skip %1 is beyond the %2 labels of a sheet of %3")
                   .arg(options.skip)
                   .arg(sheet->LabelsPerPage())
                   .arg(sheet->name));
        return kExitUsage;
    }
    Labels labels(options);
    // The run's symbol, for its size: with the single code's add-on; a list's
    // add-ons are fitted label by label.
    symbol::SymbolCode sized{options.symbology, QString(), QString()};
    if (options.mode == Options::Mode::Single) {
        const TypedCode typed = ReadGivenCode(options.digits, options.symbology, options.addon,
                                              options.classification, options.price);
        if (!typed.refusal.isEmpty()) {
            Report(typed.refusal);
            return kExitRefused;
        }
        labels.SetCode({options.symbology, typed.code, typed.addon});
        sized.addon = typed.addon;
    }
    const QSizeF label(sheet->labelWidth, sheet->labelHeight);
    const bool names = options.mode == Options::Mode::Batch || !options.name.isEmpty();
    LabelStyle style;
    style.names = names;
    style.outline = options.outline;
    style.bwrMm = options.bwrMicrons / 1000.0;
    style.magnification = FitMagnification(label, options.magnification, names, sized);
    if (style.magnification == 0) {
        const QSizeF needed = NeededLabelSize(symbol::kMinMagnification, names, sized);
        Report(QStringLiteral("the labels of %1 are %2 x %3 mm; a symbol at 80 percent%4 needs "
                              "%5 x %6 mm with its margins: nothing %7")
                   .arg(sheet->name, Mm(label.width()), Mm(label.height()),
                        names ? QStringLiteral(" and its name") : QString(), Mm(needed.width()),
                        Mm(needed.height()),
                        target ? QStringLiteral("printed") : QStringLiteral("written")));
        return kExitUsage;
    }
    if (target) {
        QString note;
        style.magnification = target->Magnification(
            style.magnification, FitMagnification(label, kMaxMagnification, names, sized), &note);
        if (style.magnification == 0) {
            Report(note + QStringLiteral(": nothing printed"));
            return kExitUsage;
        }
        if (!note.isEmpty())
            Report(note);
        target->FitToDots(&style);
    } else if (style.magnification < options.magnification) {
        Report(QStringLiteral("the symbols are printed at %1 percent, the largest that fits the "
                              "labels of %2")
                   .arg(style.magnification)
                   .arg(sheet->name));
    }
    // A reduction is checked against the module the labels get, which the
    // fitting may have made smaller than the one asked for.
    const double moduleUm = symbol::kNominalModuleMm * 1000 * style.magnification / 100;
    if (2 * options.bwrMicrons > moduleUm) {
        Report(QStringLiteral("--bwr %1 would leave bars narrower than half a module (%2 "
                              "micrometres at %3 percent on the labels of %4): nothing written")
                   .arg(options.bwrMicrons)
                   .arg(moduleUm / 2, 0, 'f', 0)
                   .arg(style.magnification)
                   .arg(sheet->name));
        return kExitUsage;
    }

    // The folder is opened before the list is read, so that a folder that
    // cannot be written is said as such, not as a list without labels.
    const bool toStdout = !target && IsStandardOutput(options.output);
    const qsizetype slash = options.output.lastIndexOf(u'/');
    std::optional<FolderWriter> folder;
    if (!target && !toStdout) {
        folder.emplace(slash < 0 ? QString() : options.output.left(qMax(slash, 1)));
        if (!folder->OpenError().isEmpty()) {
            Report(folder->OpenError());
            return kExitNotWritten;
        }
    }
    if (const QString problem = labels.Open(); !problem.isEmpty()) {
        Report(problem);
        return kExitNotWritten;
    }
    if (target) {
        if (PaintOnTarget(*target, *sheet, options, style, labels, &error)) {
            if (labels.Failed() == 0)
                return kExitOk;
            Report(QStringLiteral("%1 of the lines in %2 failed; %3 labels printed")
                       .arg(labels.Failed())
                       .arg(labels.ListName())
                       .arg(labels.Count()));
            return kExitBatchLinesFailed;
        }
        Report(labels.Count() == 0
                   ? QStringLiteral("%1 gives no label; nothing printed").arg(labels.ListName())
                   : error);
        return kExitNotWritten;
    }

    bool painted = false;  // the labels were painted, whatever became of the file
    const auto content = [&](int fd) {
        painted = true;
        return WritePdf(fd, *sheet, options, style, labels);
    };
    bool written = false;
    if (toStdout) {
        written = content(STDOUT_FILENO);
        if (!written)
            error =
                QStringLiteral("cannot write to the standard output: %1").arg(qt_error_string());
    } else {
        if (labels.ListHandle() >= 0)
            folder->Protect(labels.ListHandle(), QStringLiteral("the list being read"));
        written =
            folder->WriteContent(options.output.mid(slash + 1), content, options.force, &error) &&
            folder->Sync(&error);
    }
    if (painted && labels.Count() == 0) {
        Report(labels.NothingWritten());
        return kExitNotWritten;
    }
    if (!written) {
        Report(error);
        return kExitNotWritten;
    }
    if (labels.Failed() == 0)
        return kExitOk;
    Report(QStringLiteral("%1 of the lines in %2 failed; %3 labels written to %4")
               .arg(labels.Failed())
               .arg(labels.ListName())
               .arg(labels.Count())
               .arg(options.output));
    return kExitBatchLinesFailed;
}

}  // namespace render
