#pragma once

// Labels printed from the print dialog on a printer of the system's print
// service, off the window's thread, with the progress shown and a 中止.
//
// Qt's print engine for the print service writes every page into a file of
// its own and hands that file to the service when the painting ends,
// whatever ended it: QPrinter::abort() does nothing there, so a print
// stopped half way would still go out, and the service's answer is never
// asked. Here the engine writes its pages into a file of the run's own
// instead, and the run sends that file to the print service itself once
// every page is in it, as one job with the options Qt's print dialog set
// (media, copies, sides, turned, and the printer's own options). A stop
// while painting sends nothing; a stop while the file is going to the
// service cancels the job there before its document is whole, so that the
// printer gets nothing; the service's refusals are said, never taken for a
// print.

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QTemporaryDir;
class QThread;
class QTimer;
class QWidget;

class PrinterRun : public QObject {
    Q_OBJECT

public:
    // Paints every label on device; between slices goingOn, given the
    // count painted so far, says whether to go on. False when the device
    // failed or going on was refused.
    using Painting =
        std::function<bool(QPagedPaintDevice*, const std::function<bool(qint64)>& goingOn)>;

    // printer: made and set up on the window's thread, for a printer of the
    // print service. labels: all that painting paints; pagesOf: the pages a
    // count of labels fills. The progress is shown over parent.
    PrinterRun(std::unique_ptr<QPrinter> printer, qint64 labels,
               std::function<qint64(qint64)> pagesOf, Painting painting, QWidget* parent);
    // Stops the run and waits for its thread: nothing is sent after.
    ~PrinterRun() override;

    // Starts painting on a thread of its own; Done() on the window's thread
    // when the job has gone to the print service, or not.
    void Start();
    // As 中止 does.
    void Stop();

    // What came of it, in words for the dialog's summary: how many labels
    // went to which printer, or why none did.
    QString Outcome() const { return outcome_; }
    const QString& PrinterName() const { return name_; }
    QProgressDialog* Progress() const { return progress_; }

    // How a run ends.
    enum class End { Sent, Stopped, Failed };

signals:
    void Done(bool sent);

private:
    // What the thread does and says; read by the window's thread.
    enum class Stage { Painting, Sending, Finished };
    void Run();
    // Sends the spooled pages as one job; false, with the reason, when the
    // print service refused or the run was stopped meanwhile.
    bool Send();
    void Tick();
    void Finish();

    std::unique_ptr<QPrinter> printer_;
    qint64 labels_ = 0;
    std::function<qint64(qint64)> pagesOf_;
    Painting painting_;
    QString name_;  // the printer's
    std::unique_ptr<QTemporaryDir> spool_;
    QString spoolFile_;
    QThread* thread_ = nullptr;
    QTimer* ticker_ = nullptr;
    QPointer<QProgressDialog> progress_;

    std::atomic<bool> stop_ = false;
    std::atomic<qint64> painted_ = 0;
    std::atomic<qint64> sentBytes_ = 0;
    std::atomic<qint64> spoolBytes_ = 0;
    std::atomic<Stage> stage_ = Stage::Painting;
    // Set by the thread before it ends.
    End end_ = End::Failed;
    int job_ = 0;             // the print service's job, once made
    bool cancelled_ = false;  // the job was cancelled at the service
    QString reason_;          // why it failed
    QString outcome_;
};
