// The print dialog's preview of a 20,000-line list, side by side with
// stripewell-render making the same 20,000 labels into an a4-24 sheet PDF,
// in one run:
//
//   DialogPreview     from 「プレビュー」 to the first page on the screen, the
//                     list already read into the dialog (offscreen)
//   DialogReadPreview the list read into the dialog, then the same
//   CommandLine       stripewell-render --batch list.csv --sheet a4-24 -o x.pdf
//
// Each reports its wall time and, as the counter cpu_s, the processor time
// it took (the process's own threads, or the command's as a child), and at
// the end the ratios of the dialog's to the command line's. This machine's
// cores are shared: run it on one, so that both sides have the same one:
//
//   QT_QPA_PLATFORM=offscreen taskset -c 0 build-release/bench/bench_dialog
//       [--render=PATH] --benchmark_repetitions=5   (one line)
//
// PATH defaults to render/stripewell-render of the same build. With
// --memory it measures the window's memory instead (VmRSS of the dialog
// idle, with the list read, and with four of its pages previewed; VmHWM).
// With --screenshot=FILE it saves the dialog reading a long list, its
// progress on the bar, into FILE (offscreen: docs/print-progress.png).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "Form3/Form3.h"
#include "Form3/pagepreview.h"

namespace {

constexpr int kLines = 20000;

QString renderPath;
QTemporaryDir* folder = nullptr;

// Wall and processor seconds of each benchmark, over its iterations.
struct Totals {
    double wall = 0;
    double cpu = 0;
    int runs = 0;
};
Totals dialogTotals, readTotals, lineTotals;

double ProcessCpu() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

double ChildrenCpu() {
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// "品 N,CODE" for N from 0, the codes 4901234 and five digits with their
// check digits.
QString WriteList() {
    QByteArray list = "商品名,JANコード\n";
    for (int i = 0; i < kLines; ++i) {
        const QString data = QStringLiteral("4901234%1").arg(i, 5, 10, QChar(u'0'));
        int sum = 0;
        for (int p = 0; p < 12; ++p)
            sum += data[p].digitValue() * (p % 2 ? 3 : 1);
        list += QStringLiteral("品 %1,%2%3\n").arg(i).arg(data).arg((10 - sum % 10) % 10).toUtf8();
    }
    const QString path = folder->filePath(QStringLiteral("list.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void ReadInto(Form3& dialog, const QString& list) {
    dialog.ListPath->setText(list);
    QSignalSpy read(&dialog, &Form3::ListRead);
    dialog.ReadList();
    if (!read.wait(120000))
        qFatal("the list was not read");
}

// Opens the preview and waits for its first page.
void PreviewFirstPage(Form3& dialog) {
    dialog.Preview();
    PagePreview* preview = dialog.Previewing();
    if (!preview)
        qFatal("no preview");
    if (preview->ShownPage() != 0) {
        QSignalSpy shown(preview, &PagePreview::PageShown);
        if (!shown.wait(120000))
            qFatal("the first page was not shown");
    }
    preview->close();
}

Form3* NewDialog() {
    auto* dialog = new Form3(QString(), QStringLiteral("4901234567894"));
    dialog->Sheet->setCurrentIndex(dialog->Sheet->findData(QStringLiteral("a4-24")));
    dialog->show();
    QCoreApplication::processEvents();
    return dialog;
}

// One iteration's times, into the state and the totals.
void Record(benchmark::State& state, Totals& totals, double wall, double cpu) {
    state.SetIterationTime(wall);
    totals.wall += wall;
    totals.cpu += cpu;
    ++totals.runs;
    state.counters["cpu_s"] =
        benchmark::Counter(state.counters["cpu_s"].value + cpu, benchmark::Counter::kAvgIterations);
}

// A dialog made for each iteration, the list read into it beforehand or
// inside the time, then the preview to its first page.
void TimeDialog(benchmark::State& state, Totals& totals, bool readTimed) {
    const QString list = folder->filePath(QStringLiteral("list.csv"));
    for (auto _ : state) {
        state.PauseTiming();
        Form3* dialog = NewDialog();
        if (!readTimed)
            ReadInto(*dialog, list);
        state.ResumeTiming();
        QElapsedTimer wall;
        wall.start();
        const double cpu = ProcessCpu();
        if (readTimed)
            ReadInto(*dialog, list);
        PreviewFirstPage(*dialog);
        Record(state, totals, wall.nsecsElapsed() / 1e9, ProcessCpu() - cpu);
        state.PauseTiming();
        delete dialog;
        state.ResumeTiming();
    }
}

void DialogPreview(benchmark::State& state) {
    TimeDialog(state, dialogTotals, false);
}
BENCHMARK(DialogPreview)->UseManualTime()->Unit(benchmark::kMillisecond);

void DialogReadPreview(benchmark::State& state) {
    TimeDialog(state, readTotals, true);
}
BENCHMARK(DialogReadPreview)->UseManualTime()->Unit(benchmark::kMillisecond);

void CommandLine(benchmark::State& state) {
    const QString list = folder->filePath(QStringLiteral("list.csv"));
    const QString pdf = folder->filePath(QStringLiteral("x.pdf"));
    for (auto _ : state) {
        QFile::remove(pdf);
        QElapsedTimer wall;
        wall.start();
        const double cpu = ChildrenCpu();
        QProcess render;
        render.start(renderPath, {"--batch", list, "--sheet", "a4-24", "-o", pdf});
        if (!render.waitForFinished(600000) || render.exitStatus() != QProcess::NormalExit ||
            render.exitCode() != 0)
            qFatal("stripewell-render failed: %s", render.readAllStandardError().constData());
        Record(state, lineTotals, wall.nsecsElapsed() / 1e9, ChildrenCpu() - cpu);
    }
}
BENCHMARK(CommandLine)->UseManualTime()->Unit(benchmark::kMillisecond);

// The kilobytes of the field of /proc/self/status (VmRSS, VmHWM).
qint64 StatusKb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// The window's memory: the dialog idle, then with the list read and
// previewed, its first, second, 400th and last pages shown.
void Memory() {
    Form3* dialog = NewDialog();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 idle = StatusKb("VmRSS");
    ReadInto(*dialog, folder->filePath(QStringLiteral("list.csv")));
    const qint64 read = StatusKb("VmRSS");
    // The longest the window's thread keeps a 10 ms timer waiting meanwhile.
    QElapsedTimer since;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longest = std::max(longest, since.restart()); });
    since.start();
    ticks.start(10);
    dialog->Preview();
    PagePreview* preview = dialog->Previewing();
    for (qint64 page : {0, 1, 399, 833}) {
        QSignalSpy shown(preview, &PagePreview::PageShown);
        preview->ShowPage(page);
        if (preview->ShownPage() != page && !shown.wait(120000))
            qFatal("page %lld was not shown", page);
    }
    ticks.stop();
    const qint64 previewed = StatusKb("VmRSS");
    std::printf(
        "VmRSS idle %lld kB, list read %lld kB (+%lld), previewed %lld kB (+%lld over "
        "idle); peak VmHWM %lld kB (+%lld over idle); %d pages painted of %lld; the "
        "window's thread held at most %lld ms\n",
        idle, read, read - idle, previewed, previewed - idle, StatusKb("VmHWM"),
        StatusKb("VmHWM") - idle, preview->PagesPainted(), preview->PageCount(), longest);
    delete dialog;
}

// The dialog reading a list of lines lines, grabbed once its bar has
// counted a third of them, into picture (docs/print-progress.png).
void Screenshot(const QString& picture, int lines) {
    QByteArray list = "商品名,JANコード\n";
    for (int i = 0; i < lines; ++i)
        list += QStringLiteral("品 %1,4901234567894\n").arg(i).toUtf8();
    const QString path = folder->filePath(QStringLiteral("long.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    Form3* dialog = NewDialog();
    dialog->ListPath->setText(QStringLiteral("商品一覧.csv"));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    dialog->ListPath->setText(path);
    dialog->ReadList();
    static const QRegularExpression counted(QStringLiteral("^(\\d+) 行"));
    while (dialog->ListBeingRead() &&
           counted.match(dialog->ListProgress->text()).captured(1).toInt() < lines / 3)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!dialog->ListBeingRead())
        qFatal("the list was read before it could be grabbed");
    // The box shows the list's name, not the temporary folder's.
    dialog->ListPath->setText(QStringLiteral("商品一覧.csv"));
    if (!dialog->grab().save(picture))
        qFatal("cannot write %s", qPrintable(picture));
    dialog->StopReadingList();
    delete dialog;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    renderPath = QCoreApplication::applicationDirPath() + "/../render/stripewell-render";
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith("--render="))
            renderPath = QString::fromLocal8Bit(argv[i] + 9);
    // The dialog remembers its choices: not in the person's own settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath("config"));
    WriteList();
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--memory") {
            Memory();
            return 0;
        } else if (QByteArray(argv[i]).startsWith("--screenshot=")) {
            Screenshot(QString::fromLocal8Bit(argv[i] + 13), 290000);
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const auto mean = [](const Totals& t, double Totals::*field) {
        return t.runs > 0 ? t.*field / t.runs : 0.0;
    };
    if (lineTotals.runs > 0 && dialogTotals.runs > 0)
        std::printf(
            "first page / command line, wall %.3f s / %.3f s = %.3f, cpu %.3f s / %.3f s = %.3f\n",
            mean(dialogTotals, &Totals::wall), mean(lineTotals, &Totals::wall),
            mean(dialogTotals, &Totals::wall) / mean(lineTotals, &Totals::wall),
            mean(dialogTotals, &Totals::cpu), mean(lineTotals, &Totals::cpu),
            mean(dialogTotals, &Totals::cpu) / mean(lineTotals, &Totals::cpu));
    if (lineTotals.runs > 0 && readTotals.runs > 0)
        std::printf(
            "list read and first page / command line, wall %.3f s / %.3f s = %.3f, "
            "cpu %.3f s / %.3f s = %.3f\n",
            mean(readTotals, &Totals::wall), mean(lineTotals, &Totals::wall),
            mean(readTotals, &Totals::wall) / mean(lineTotals, &Totals::wall),
            mean(readTotals, &Totals::cpu), mean(lineTotals, &Totals::cpu),
            mean(readTotals, &Totals::cpu) / mean(lineTotals, &Totals::cpu));
    return 0;
}
