#include "sheetjob.h"

#include <unistd.h>

#include <QFile>
#include <QPageSize>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

#include "batch.h"
#include "messages.h"
#include "pipeline/bookcode.h"
#include "pipeline/folderwriter.h"
#include "pipeline/labelsource.h"
#include "pipeline/listreader.h"
#include "pipeline/output.h"
#include "pipeline/sheetpainter.h"
#include "pipeline/typedcode.h"
#include "report.h"
#include "symbol/layout.h"
#include "symbol/pdfdocument.h"

namespace render {

using pipeline::FdDevice;
using pipeline::FindSheet;
using pipeline::FolderWriter;
using pipeline::IsStandardOutput;
using pipeline::Label;
using pipeline::LabelAsk;
using pipeline::LabelCount;
using pipeline::LabelPlan;
using pipeline::LabelReport;
using pipeline::LabelSource;
using pipeline::LabelStyle;
using pipeline::ListReader;
using pipeline::NeededLabelSize;
using pipeline::PlanLabels;
using pipeline::ReadSheetFile;
using pipeline::SheetFile;
using pipeline::SheetPainter;
using pipeline::SheetTemplate;
using pipeline::TypedCode;

namespace {

QString Mm(double value) {
    return QString::number(value, 'f', 1);
}

// The smallest label that takes the symbol at magnification, margins
// included, as the refusals of small labels say it: with the run's name line
// or without, and the other way in brackets.
QString NeededLabels(double magnification, bool names, const symbol::SymbolCode& sized) {
    const QSizeF needed = NeededLabelSize(magnification, names, sized);
    const QSizeF other = NeededLabelSize(magnification, !names, sized);
    const QString percent = QString::number(qRound(magnification * 10) / 10.0);
    return (names ? Msg::tr("a symbol at %1 percent and its name needs %2 x %3 mm with its "
                            "margins (without the name line, --no-name: %4 x %5 mm)")
                  : Msg::tr("a symbol at %1 percent needs %2 x %3 mm with its margins (with a "
                            "name line: %4 x %5 mm)"))
        .arg(percent, Mm(needed.width()), Mm(needed.height()), Mm(other.width()),
             Mm(other.height()));
}

// The same for the labels of a plan: a tag's as its design needs them.
QString NeededLabels(const LabelPlan& labels, double magnification) {
    if (!pipeline::IsTag(labels.tag.design))
        return NeededLabels(magnification, labels.style.names, labels.sized);
    const QSizeF needed = labels.Needed(magnification);
    return Msg::tr("a %1 (--design %2) needs %3 x %4 mm with its margins")
        .arg(pipeline::DesignOf(labels.tag.design).title,
             pipeline::DesignOf(labels.tag.design).option, Mm(needed.width()), Mm(needed.height()));
}

// The built-in sheet or the one of --sheet-file; empty, with the reason in
// error, when there is none.
std::optional<SheetTemplate> ReadSheet(const Options& options, QString* error) {
    if (options.sheetFile.isEmpty()) {
        std::optional<SheetTemplate> sheet = FindSheet(options.sheet);
        if (!sheet)
            *error =
                Msg::tr("there is no sheet '%1'; --sheet list shows the sheets").arg(options.sheet);
        return sheet;
    }
    SheetFile read = ReadSheetFile(options.sheetFile);
    *error = read.error;
    return read.sheet;
}

// The labels of a run: the one code, or the records of the list as they are
// read, each given copies times. What gives no label is reported and counted.
class Labels : public LabelReport {
public:
    // code: the one code of a run without a list; labelMm and names: what
    // the labels are, for the message of a symbol too wide for them.
    Labels(const Options& options, const symbol::SymbolCode& code, QSizeF labelMm, bool names)
        : options_(options), code_(code), labelMm_(labelMm), names_(names) {}

    // The list, when there is one; false with the reason when it cannot be read.
    bool Open(QString* error) {
        if (options_.mode != Options::Mode::Batch)
            return true;
        fromStdin_ = options_.batchList == u"-";
        listName_ = fromStdin_ ? Msg::tr("(standard input)") : options_.batchList;
        list_.setFileName(fromStdin_ ? QString() : options_.batchList);
        const QString problem = OpenList(list_, fromStdin_);
        if (!problem.isEmpty()) {
            *error = Msg::tr("cannot read the list %1: %2").arg(listName_, problem);
            return false;
        }
        reader_.emplace(list_, options_.list);
        *error = reader_->Start() ? QString() : listName_ + reader_->Refusal();
        return error->isEmpty();
    }

    int ListHandle() const { return list_.isOpen() ? list_.handle() : -1; }

    // Paints every label; false when the device failed.
    bool PaintAll(SheetPainter& painter) {
        LabelSource source =
            reader_ ? LabelSource(*reader_, options_.output.symbology, options_.copies,
                                  options_.indicator)
                    : LabelSource({{0, options_.name, code_, {}, {}, options_.tagPrice}},
                                  options_.copies);
        source.SetPricing(options_.pricing);
        if (!PaintLabels(source, painter, *this, &count_))
            return false;
        if (reader_ && !reader_->Refusal().isEmpty()) {
            ++count_.failed;
            Report(listName_ + reader_->Refusal());
        }
        return true;
    }

    // Why nothing was written or printed when no label was painted, as a
    // batch says it.
    QString NothingSent(bool printed) const {
        if (printed)
            return Msg::tr("%1 gives no label; nothing printed").arg(listName_);
        if (!reader_)
            return Msg::tr("no label was painted; nothing written");
        const QString nothing = reader_->NothingToWrite();
        return nothing.isEmpty() ? Msg::tr("%1 gives no label; nothing written").arg(listName_)
                                 : listName_ + u' ' + nothing;
    }

    int Count() const { return count_.painted; }
    int Failed() const { return count_.failed; }
    const QString& ListName() const { return listName_; }

private:
    void ReportLine(int line, const QString& message) {
        Report(QStringLiteral("%1:%2: %3").arg(listName_).arg(line).arg(message));
    }
    void Refused(const Label& label) override { ReportLine(label.line, label.refusal); }
    void Noted(const Label& label) override { ReportLine(label.line, label.note); }
    static int Smallest(const Label& label) {
        return symbol::RowOf(label.code.symbology).minMagnification;
    }
    void LeftOut(const Label& label, SheetPainter::Added why) override {
        if (why == SheetPainter::Added::TooLarge)
            ReportLine(label.line,
                       Msg::tr("with its add-on the symbol is too wide for the label even "
                               "at %1 percent: the label is %2 x %3 mm; %4")
                           .arg(Smallest(label))
                           .arg(Mm(labelMm_.width()), Mm(labelMm_.height()),
                                NeededLabels(Smallest(label), names_, label.code)));
        else
            ReportLine(label.line, Msg::tr("with its add-on the symbol is drawn so small "
                                           "that --bwr %1 leaves bars narrower than half "
                                           "a module")
                                       .arg(options_.output.bwrMicrons));
    }

    const Options& options_;
    QFile list_;
    bool fromStdin_ = false;
    QString listName_;
    const symbol::SymbolCode code_;
    const QSizeF labelMm_;
    const bool names_;
    std::optional<ListReader> reader_;
    LabelCount count_;
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

// What a run paints on, and how, found before anything is read.
struct SheetPlan {
    LabelPlan labels;
    symbol::SymbolCode code;  // the one code of a run without a list
};

// Where the pages go: a PDF into standard output or into a file that takes
// its name once complete, or a printer. Opened before the list is read and
// finished after its last label, so that the labels go one way: from the
// list through the painter into the pages.
class Pages {
public:
    Pages(const Options& options, PageTarget* target, const Labels& labels)
        : options_(options),
          target_(target),
          labels_(labels),
          toStdout_(!target && IsStandardOutput(options.file)) {}

    // The folder of the file, opened before the list is read, so that a
    // folder that cannot be written is said as such, not as a list without
    // labels. False with the reason.
    bool OpenFolder(QString* error) {
        if (target_ || toStdout_)
            return true;
        const qsizetype slash = options_.file.lastIndexOf(u'/');
        folder_.emplace(slash < 0 ? QString() : options_.file.left(qMax(slash, 1)));
        fileName_ = options_.file.mid(slash + 1);
        *error = folder_->OpenError();
        return error->isEmpty();
    }

    // The painter of the plan's labels on the pages; null, with the reason,
    // when there is none.
    SheetPainter* Start(const SheetPlan& plan, int listHandle, QString* error) {
        if (target_) {
            if (std::unique_ptr<pipeline::PageSink> sink = target_->Pages(error))
                painter_.emplace(std::move(sink), plan.labels);
        } else if (StartPdf(listHandle, error)) {
            painter_.emplace(pipeline::PdfPageSink(&*pdf_), plan.labels);
        }
        began_ = painter_.has_value();
        return painter_ ? &*painter_ : nullptr;
    }
    // The device was had: whatever the pages became, the labels were painted.
    bool Began() const { return began_; }

    // After the last label: whether the pages went out, the file named and
    // on disk. painted: the painter's device took every label.
    bool Finish(bool painted, QString* error) {
        painter_.reset();
        if (target_) {
            if (painted && labels_.Count() > 0)
                return target_->Finish(error);
            *error = Msg::tr("the printer's device failed");
            return false;
        }
        const bool ended = pdf_->Finish();
        pdf_.reset();
        // A page that could not be written stops the painting too: the
        // device's own reason (a full disk) is the one to tell.
        int err = held_->Errno();
        if (err == 0 && (!painted || !ended))
            err = EIO;
        if (err == 0 && labels_.Count() == 0)
            err = ENODATA;
        if (!toStdout_)
            return folder_->Keep(&staged_, err, error) && folder_->Sync(error);
        if (err != 0)
            *error = Msg::tr("cannot write to the standard output: %1").arg(qt_error_string(err));
        return err == 0;
    }

private:
    // The whole PDF: pages of A4 from its corner, vector throughout.
    bool StartPdf(int listHandle, QString* error) {
        int fd = STDOUT_FILENO;
        if (!toStdout_) {
            if (listHandle >= 0)
                folder_->Protect(listHandle, Msg::tr("the list being read"));
            if (!folder_->Stage(fileName_, options_.output.force, &staged_, error))
                return false;
            fd = staged_.Fd();
        }
        held_.emplace(fd, [this] { return labels_.Count() > 0; });
        pdf_.emplace(
            QPageSize(QPageSize::A4).sizePoints(),
            [this](QByteArrayView bytes) {
                return held_->write(bytes.data(), bytes.size()) == bytes.size();
            },
            "stripewell-render", true);
        return true;
    }

    const Options& options_;
    PageTarget* target_;
    const Labels& labels_;
    const bool toStdout_;
    std::optional<FolderWriter> folder_;
    QString fileName_;
    FolderWriter::Staged staged_;
    std::optional<HeldDevice> held_;
    std::optional<symbol::PdfPages> pdf_;
    std::optional<SheetPainter> painter_;
    bool began_ = false;
};

// The labels from the list onto the pages, which are then finished: false,
// with the reason, when they did not go out.
bool PaintPages(Pages& pages, const SheetPlan& plan, Labels& labels, QString* error) {
    SheetPainter* painter = pages.Start(plan, labels.ListHandle(), error);
    return painter && pages.Finish(labels.PaintAll(*painter), error);
}

// The plan of a run; kExitOk, or the status the run ends with, its reason
// reported.
ExitStatus PlanSheet(const Options& options, PageTarget* target, SheetPlan* plan) {
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
        Report(Msg::tr("--skip %1 is beyond the %2 labels of a sheet of %3")
                   .arg(options.skip)
                   .arg(sheet->LabelsPerPage())
                   .arg(sheet->name));
        return kExitUsage;
    }
    // The run's symbol, for its size: with the single code's add-on; a list's
    // add-ons are fitted label by label.
    QString addon;
    if (options.mode == Options::Mode::Single) {
        const TypedCode typed = options.Code();
        if (!typed.refusal.isEmpty()) {
            Report(typed.refusal);
            return kExitRefused;
        }
        plan->code = {options.output.symbology, typed.code, typed.addon};
        addon = typed.addon;
    }
    const LabelPlan& labels = plan->labels =
        PlanLabels(*sheet, options.skip, LabelAskOf(options, addon), target ? target->Dpi() : 0);
    const QSizeF label = labels.LabelMm();
    const symbol::SymbologyRow& row = symbol::RowOf(options.output.symbology);
    if (labels.refusal == LabelPlan::Refusal::TooSmall) {
        Report((target ? Msg::tr("the labels of %1 are %2 x %3 mm; %4: nothing printed")
                       : Msg::tr("the labels of %1 are %2 x %3 mm; %4: nothing written"))
                   .arg(sheet->name, Mm(label.width()), Mm(label.height()),
                        NeededLabels(labels, row.minMagnification)));
        return kExitUsage;
    }
    if (target) {
        const int dpi = labels.dpi;
        if (labels.refusal == LabelPlan::Refusal::NoWholeDots) {
            // The fewest dots the printer makes a module of, and the label
            // that takes the symbol at them.
            Report(Msg::tr("at %1 dpi no whole number of dots makes a module from %2 "
                           "percent to the %3 percent that fits the label; the label is "
                           "%4 x %5 mm, and %6: nothing printed")
                       .arg(dpi)
                       .arg(row.minMagnification)
                       .arg(labels.largest)
                       .arg(Mm(label.width()), Mm(label.height()),
                            NeededLabels(labels, labels.FewestDots())));
            return kExitUsage;
        }
        const symbol::WholeDots& module = labels.module;
        if (std::abs(module.magnification - options.output.magnification) > 0.5)
            Report(Msg::tr("at %1 dpi: module %2 dots, X = %3 mm (magnification %4 %)")
                       .arg(dpi)
                       .arg(module.dots)
                       .arg(module.moduleMm, 0, 'f', 4)
                       .arg(module.magnification, 0, 'f', 1));
        target->FitToDots(&plan->labels.style);
    } else if (labels.fitted < options.output.magnification) {
        Report(Msg::tr("the symbols are printed at %1 percent, the largest that fits the "
                       "labels of %2")
                   .arg(labels.fitted)
                   .arg(sheet->name));
    }
    if (labels.refusal == LabelPlan::Refusal::BarsTooThin) {
        Report(Msg::tr("--bwr %1 would leave bars narrower than half a module (%2 "
                       "micrometres at %3 percent on the labels of %4): nothing written")
                   .arg(options.output.bwrMicrons)
                   .arg(labels.ModuleUm() / 2, 0, 'f', 0)
                   .arg(labels.style.magnification)
                   .arg(sheet->name));
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace

LabelAsk LabelAskOf(const Options& options, const QString& addon) {
    LabelAsk ask;
    ask.symbol = {options.output.symbology, QString(), addon, options.output.itf};
    ask.magnification = options.output.magnification;
    ask.names = options.Names();
    ask.outline = options.outline;
    ask.bwrMicrons = options.output.bwrMicrons;
    ask.tag = options.tag;
    return ask;
}

QSizeF TagLabelMm(const Options& options) {
    return options.labelMm.isEmpty() ? pipeline::DesignOf(options.tag.design).labelMm
                                     : options.labelMm;
}

ExitStatus RunSheet(const Options& options, PageTarget* target) {
    SheetPlan plan;
    if (const ExitStatus refused = PlanSheet(options, target, &plan); refused != kExitOk)
        return refused;
    // One way: the list is read, each of its labels painted onto the pages,
    // and the pages are finished.
    Labels labels(options, plan.code, plan.labels.LabelMm(), plan.labels.style.names);
    Pages pages(options, target, labels);
    QString error;
    if (!pages.OpenFolder(&error) || !labels.Open(&error) ||
        !PaintPages(pages, plan, labels, &error)) {
        Report(pages.Began() && labels.Count() == 0 ? labels.NothingSent(target != nullptr)
                                                    : error);
        return kExitNotWritten;
    }
    if (labels.Failed() == 0)
        return kExitOk;
    if (target)
        Report(Msg::tr("%1 of the lines in %2 failed; %3 labels printed")
                   .arg(labels.Failed())
                   .arg(labels.ListName())
                   .arg(labels.Count()));
    else
        Report(Msg::tr("%1 of the lines in %2 failed; %3 labels written to %4")
                   .arg(labels.Failed())
                   .arg(labels.ListName())
                   .arg(labels.Count())
                   .arg(options.file));
    return kExitBatchLinesFailed;
}

}  // namespace render
