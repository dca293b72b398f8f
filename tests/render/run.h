#pragma once

// Running a program from a test: its exit status and all it wrote.

#include <QProcess>
#include <QString>
#include <QStringList>

struct Output {
    int exitCode = -1;
    QString out;  // standard output, then standard error
};

inline Output Run(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
}
