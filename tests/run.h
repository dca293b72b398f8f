#pragma once

// Running a program from a test: its exit status, what it wrote on its
// standard output and error, and how long it took.

#include <sys/resource.h>

#include <csignal>

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

struct Ran {
    int exitCode = -1;  // -1 when it did not start, did not end in time, or crashed
    QString out;        // standard output
    QString err;        // standard error
    QByteArray bytes;   // standard output as written
    qint64 milliseconds = 0;

    QString all() const { return out + err; }
};

struct RunOptions {
    // Every member has its initializer, so that a designated list may name
    // any of them alone.
    QByteArray input{};            // on standard input, which is then closed
    QString standardInputFile{};   // standard input read from this file instead
    QStringList environment{};     // NAME=value, over the test's own
    QString standardOutputFile{};  // where standard output goes instead of to the test
    // Bytes, as `ulimit -f`, with SIGXFSZ as by default: a write past it ends
    // the program unless the program takes care of that itself.
    qint64 fileSizeLimit = -1;
    int timeoutSeconds = 600;
};

// program run in folder (the test's own when empty).
inline Ran RunProgram(const QString& program, const QStringList& arguments,
                      const QString& folder = {}, const RunOptions& options = {}) {
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    if (!options.environment.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : options.environment)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        process.setProcessEnvironment(environment);
    }
    if (!options.standardInputFile.isEmpty())
        process.setStandardInputFile(options.standardInputFile);
    if (!options.standardOutputFile.isEmpty())
        process.setStandardOutputFile(options.standardOutputFile);
    if (options.fileSizeLimit >= 0) {
        process.setChildProcessModifier([limit = options.fileSizeLimit] {
            rlimit size;
            getrlimit(RLIMIT_FSIZE, &size);
            size.rlim_cur = rlim_t(limit);
            setrlimit(RLIMIT_FSIZE, &size);
            std::signal(SIGXFSZ, SIG_DFL);
        });
    }
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (options.standardInputFile.isEmpty())
        process.write(options.input);
    process.closeWriteChannel();
    Ran ran;
    const bool ended = process.waitForFinished(options.timeoutSeconds * 1000);
    ran.milliseconds = timer.elapsed();
    if (!ended)
        process.kill(), process.waitForFinished();
    if (ended && process.exitStatus() == QProcess::NormalExit)
        ran.exitCode = process.exitCode();
    ran.bytes = process.readAllStandardOutput();
    ran.out = QString::fromUtf8(ran.bytes);
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}
