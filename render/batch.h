#pragma once

// A batch: one symbol file per line of a list, written into a folder.

#include "exitstatus.h"
#include "options.h"

#include <QFile>

namespace render {

// Opens the list, standard input for "-". Empty, or why it cannot be read.
QString OpenList(QFile& list, bool fromStdin);

// Reads the list line by line and writes each line's file before reading the
// next, so that memory stays the same however long the list is. A bad line
// is reported on standard error with its line number and skipped.
ExitStatus RunBatch(const Options& options);

}  // namespace render
