#pragma once

// A print server of the tests' own: a CUPS scheduler started in a temporary
// folder, reached only over a local socket there, with queues of Debian's
// stock drivers that print into files, so that a test can send a job and
// read back what the driver would have sent to the printer. Stopped when the
// object goes, and also when the test process dies (the scheduler gets
// SIGTERM from the kernel then).

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "run.h"

namespace printtest {

// The queues every server has: the driver's language (how its output is
// read back) and the resolution it prints at.
struct Queue {
    QString name;
    enum class Language { Zpl, Dymo, Pdf } language;
    int dpi;
};
const QList<Queue>& Queues();

class PrintServer {
public:
    // Starts the scheduler and makes the queues (none without queues);
    // Error() says why not.
    enum class Queues { Stock, None };
    explicit PrintServer(Queues queues = Queues::Stock);
    ~PrintServer();
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    const QString& Error() const { return error_; }
    QString Socket() const;
    // CUPS_SERVER pointing at this server and HOME in its folder, as
    // RunOptions::environment takes them.
    QStringList Environment() const;
    // A program run against this server.
    Ran Command(const QString& program, const QStringList& arguments) const;

    // Waits until the queue has no job left, then takes (and removes) what
    // its driver wrote; empty when no job finished in time.
    QByteArray TakeOutput(const QString& queue, int timeoutMs = 120000);

    // Adds count queues of the ZPL label printer, named prefix1 to
    // prefixN, printing into files; empty, or what went wrong.
    QString AddLabelQueues(const QString& prefix, int count);
    // Adds a queue of the ZPL label printer at dpi (its driver gives 203,
    // 300 and 600), printing into a file; empty, or what went wrong.
    QString AddLabelQueue(const QString& name, int dpi);

    // Stops the scheduler now, as a crash or a shutdown would.
    void Stop();

private:
    bool Start();
    bool AddQueues();

    QTemporaryDir dir_;
    QProcess cupsd_;
    QString error_;
};

// The labels in a label printer's output, one picture per label, black
// where the printer burns a dot; empty, with the reason, when the output
// cannot be read.
QList<QImage> DecodeZpl(const QByteArray& output, QString* error);
QList<QImage> DecodeDymo(const QByteArray& output, QString* error);

// The pages of a driver's output as pictures at the queue's resolution:
// label printers decoded, a PDF rasterised by pdftoppm.
QList<QImage> Pages(const Queue& queue, const QByteArray& output, QString* error);

// One JAN symbol measured on a picture in whole dots, and read by ZXing and
// zbar.
struct Measured {
    bool found = false;  // a row crossing 59 bars and spaces
    int width = 0;       // first bar's left edge to the last bar's right edge
    int module = 0;      // X, when width is 95 X
    int narrowBar = 0;   // the narrowest bar and space, in dots
    int narrowSpace = 0;
    bool wholeDots = false;  // every bar and space is 1 to 4 X exactly
    int barHeight = 0;       // a data bar's
    int leftQuiet = 0;       // white before the first bar, across the bars' height
    int rightQuiet = 0;
    QString zxing;  // what each reader found
    QString zbar;
    QString runs;  // the bar and space widths, for messages
};
Measured Measure(const QImage& picture, const QString& scratchFolder);

// The module in whole dots nearest the retail symbol's nominal X of 0.33 mm:
// 2.64 dots at 203 dpi, 3.90 at 300, 7.80 at 600.
int NominalDots(int dpi);

// What is wrong with a label that should hold code at dots per module: empty
// when both readers read it, every bar and space is whole modules, the bars
// are as tall as the published 22.85 mm at X 0.33 mm (69.2 modules, within
// a dot and a half) and the quiet zones at least 11 X on the left, 7 X on
// the right.
QString LabelProblem(const QImage& label, const QString& code, int dots,
                     const QString& scratchFolder);

}  // namespace printtest
