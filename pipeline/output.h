#pragma once

// Writing a single symbol's file: into standard output, or as a file that
// takes its name the way a batch's files do.

#include <QByteArray>
#include <QString>

namespace pipeline {

// True for "-" and for a link that leads to standard output (/dev/stdout,
// /dev/fd/1): what is written there goes after what standard output holds.
bool IsStandardOutput(const QString& path);

// Writes bytes to standard output when path names it, else as the file path:
// through a temporary file, so that a failed write leaves what was there as
// it was, taking the name only when it is free or, with force, replacing a
// file or a link that may be replaced. Returns false with the reason in error.
bool WriteSymbolFile(const QString& path, const QByteArray& bytes, bool force, QString* error);

}  // namespace pipeline
