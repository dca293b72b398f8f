#include "printrun.h"

#include <cups/cups.h>

#include <QByteArray>
#include <QFile>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

// The options Qt's print support passes on with a job of its own (option
// names and values in turn), which its print dialog's properties fill.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The spooled pages go to the print service a piece at a time, so that a
// stop is seen between pieces.
constexpr qint64 kSendPiece = 256 * 1024;

// The print service's own words for what it refused last, on this thread.
QString ServiceReason() {
    return QString::fromUtf8(cupsLastErrorString());
}

bool ServiceFailed() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}

// The queue a printer's name stands for: a name of the print service's
// instances, "queue/instance", is printed on its queue.
QByteArray QueueOf(const QString& printerName) {
    return printerName.section(u'/', 0, 0).toUtf8();
}

// What Qt's print support would ask of the print service for a job of this
// printer: its media, copies, sides and turn as set in Qt's print dialog,
// and the printer's own options from the dialog's properties.
QList<std::pair<QByteArray, QByteArray>> JobOptions(const QPrinter& printer) {
    QList<std::pair<QByteArray, QByteArray>> options;
    const QPageLayout layout = printer.pageLayout();
    options.emplaceBack("media", layout.pageSize().key().toUtf8());
    if (printer.copyCount() > 1) {
        options.emplaceBack("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            options.emplaceBack("Collate", "True");
    }
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    switch (printer.duplex()) {
        case QPrinter::DuplexNone:
            options.emplaceBack("sides", "one-sided");
            break;
        case QPrinter::DuplexAuto:
            options.emplaceBack("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
            break;
        case QPrinter::DuplexLongSide:
            options.emplaceBack("sides", "two-sided-long-edge");
            break;
        case QPrinter::DuplexShortSide:
            options.emplaceBack("sides", "two-sided-short-edge");
            break;
    }
    if (!portrait)
        options.emplaceBack("landscape", "");
    const QStringList own = printer.printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < own.size(); i += 2)
        options.emplaceBack(own[i].toUtf8(), own[i + 1].toUtf8());
    return options;
}

// Whether the PDF file at path ends as a whole one does: what the engine
// could not write (a full disk) it does not say.
bool WholePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    file.seek(file.size() - 16);
    return file.read(16).trimmed().endsWith("%%EOF");
}

}  // namespace

PrinterRun::PrinterRun(std::unique_ptr<QPrinter> printer, qint64 labels,
                       std::function<qint64(qint64)> pagesOf, Painting painting, QWidget* parent)
    : QObject(parent),
      printer_(std::move(printer)),
      labels_(labels),
      pagesOf_(std::move(pagesOf)),
      painting_(std::move(painting)),
      name_(printer_->printerName()) {
    ticker_ = new QTimer(this);
    ticker_->setInterval(100);
    connect(ticker_, &QTimer::timeout, this, &PrinterRun::Tick);
    progress_ = new QProgressDialog(parent);
    progress_->setWindowTitle(QStringLiteral("印刷"));
    progress_->setCancelButtonText(QStringLiteral("中止"));
    progress_->setRange(0, 1000);
    // Kept open between painting and sending, and until the run has ended.
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    progress_->setMinimumDuration(500);
    connect(progress_, &QProgressDialog::canceled, this, &PrinterRun::Stop);
}

PrinterRun::~PrinterRun() {
    stop_ = true;
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
    delete progress_;
}

void PrinterRun::Start() {
    // Qt's engine writes its pages into the run's own file, which it then
    // leaves alone: it hands only a file of its own to the print service.
    spool_ = std::make_unique<QTemporaryDir>();
    spoolFile_ = spool_->filePath(QStringLiteral("pages.spool"));
    if (!spool_->isValid()) {
        end_ = End::Failed;
        reason_ = QStringLiteral("印刷するページを置く一時フォルダーを作れません (%1)")
                      .arg(spool_->errorString());
        QTimer::singleShot(0, this, &PrinterRun::Finish);
        return;
    }
    printer_->printEngine()->setProperty(QPrintEngine::PPK_OutputFileName, spoolFile_);
    Tick();
    thread_ = QThread::create([this] { Run(); });
    connect(thread_, &QThread::finished, this, &PrinterRun::Finish);
    thread_->start();
    ticker_->start();
}

void PrinterRun::Stop() {
    stop_ = true;
}

void PrinterRun::Run() {
    const bool painted = painting_(printer_.get(), [this](qint64 count) {
        painted_ = count;
        return !stop_;
    });
    // The engine has closed the file: its pages are all there, or not.
    if (stop_) {
        end_ = End::Stopped;
        return;
    }
    if (!painted || !WholePdf(spoolFile_)) {
        end_ = End::Failed;
        reason_ = QStringLiteral("印刷するページを書き出せませんでした (一時フォルダーの空きなど)");
        return;
    }
    stage_ = Stage::Sending;
    if (Send())
        end_ = End::Sent;
}

bool PrinterRun::Send() {
    QFile pages(spoolFile_);
    if (!pages.open(QIODevice::ReadOnly)) {
        end_ = End::Failed;
        reason_ = QStringLiteral("印刷するページを読み直せません (%1)").arg(pages.errorString());
        return false;
    }
    spoolBytes_ = pages.size();
    const QByteArray queue = QueueOf(name_);
    const QByteArray title = printer_->docName().isEmpty() ? QByteArrayLiteral("Stripewell")
                                                           : printer_->docName().toUtf8();
    const QList<std::pair<QByteArray, QByteArray>> given = JobOptions(*printer_);
    QList<cups_option_t> options;
    for (const auto& [name, value] : given)
        options.append(cups_option_t{const_cast<char*>(name.constData()),
                                     const_cast<char*>(value.constData())});

    // A connection of the job's own: a stop while the document goes closes
    // it, and the job is cancelled over another.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                30000, nullptr);
    if (!http) {
        end_ = End::Failed;
        reason_ = QStringLiteral("印刷サーバーが応答しません (%1)").arg(ServiceReason());
        return false;
    }
    const auto fail = [&](End end) {
        end_ = end;
        if (end == End::Failed)
            reason_ = ServiceReason();
        httpClose(http);
        if (job_ > 0) {
            cancelled_ =
                cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job_, 0) == IPP_STATUS_OK;
            if (!cancelled_ && end == End::Stopped)
                reason_ = ServiceReason();
        }
        return false;
    };
    job_ = cupsCreateJob(http, queue.constData(), title.constData(), int(options.size()),
                         options.isEmpty() ? nullptr : options.data());
    if (job_ <= 0) {
        job_ = 0;
        return fail(End::Failed);
    }
    if (cupsStartDocument(http, queue.constData(), job_, title.constData(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE)
        return fail(End::Failed);
    QByteArray piece(kSendPiece, Qt::Uninitialized);
    for (;;) {
        if (stop_)
            return fail(End::Stopped);
        const qint64 read = pages.read(piece.data(), piece.size());
        if (read < 0) {
            fail(End::Failed);
            reason_ =
                QStringLiteral("印刷するページを読み直せません (%1)").arg(pages.errorString());
            return false;
        }
        if (read == 0)
            break;
        if (cupsWriteRequestData(http, piece.constData(), size_t(read)) != HTTP_STATUS_CONTINUE)
            return fail(End::Failed);
        sentBytes_ += read;
    }
    // Once the document is whole, the job is the print service's to print.
    cupsFinishDocument(http, queue.constData());
    if (ServiceFailed())
        return fail(End::Failed);
    httpClose(http);
    return true;
}

void PrinterRun::Tick() {
    if (!progress_)
        return;
    const qint64 painted = painted_;
    if (stage_ == Stage::Painting) {
        progress_->setLabelText(
            QStringLiteral(
                "プリンター %1 に印刷するページを描いています…\nラベル %2 / %3 枚、%4 / %5 ページ")
                .arg(name_)
                .arg(painted)
                .arg(labels_)
                .arg(pagesOf_(painted))
                .arg(pagesOf_(labels_)));
        progress_->setValue(labels_ > 0 ? int(painted * 1000 / labels_) : 0);
    } else {
        const qint64 total = std::max<qint64>(spoolBytes_, 1);
        progress_->setLabelText(
            QStringLiteral("プリンター %1 に送っています…\nラベル %2 枚、%3 ページ (%4 / %5 KB)")
                .arg(name_)
                .arg(labels_)
                .arg(pagesOf_(labels_))
                .arg(sentBytes_ / 1024)
                .arg(total / 1024));
        progress_->setValue(int(sentBytes_ * 1000 / total));
    }
}

void PrinterRun::Finish() {
    ticker_->stop();
    stage_ = Stage::Finished;
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
    spool_.reset();  // the spooled pages go
    const qint64 copies = std::max(printer_->copyCount(), 1);
    switch (end_) {
        case End::Sent:
            outcome_ = QStringLiteral(
                           "ラベル %1 枚 (%2 ページ) をプリンター %3 に送りました (ジョブ %4)。")
                           .arg(labels_ * copies)
                           .arg(pagesOf_(labels_) * copies)
                           .arg(name_)
                           .arg(job_);
            break;
        case End::Stopped:
            outcome_ = QStringLiteral("印刷を中止しました。プリンターには何も送っていません。");
            if (job_ > 0)
                outcome_ +=
                    cancelled_
                        ? QStringLiteral("印刷サーバーのジョブ %1 は取り消しました。").arg(job_)
                        : QStringLiteral("印刷サーバーのジョブ %1 を取り消せませんでした (%2)。")
                              .arg(job_)
                              .arg(reason_);
            break;
        case End::Failed:
            // The print service's words end with a full stop of their own.
            while (reason_.endsWith(u'.') || reason_.endsWith(u'。'))
                reason_.chop(1);
            outcome_ =
                QStringLiteral("プリンター %1 に印刷できませんでした: %2。何も印刷していません。")
                    .arg(name_, reason_);
            break;
    }
    emit Done(end_ == End::Sent);
}
