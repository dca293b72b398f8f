#pragma once

// Writing a symbol's file the way the window saves one, without replacing a
// file that is already there unless asked to.

#include <QByteArray>
#include <QString>

namespace render {

// False, with the reason in error, when something is at path already (a
// dangling link included) and force is not set.
bool MayWrite(const QString& path, bool force, QString* error);

// Writes bytes to path through a temporary file, so that a failed write
// leaves an existing file as it was; an existing file is replaced only when
// force is set. Returns false with the reason in error.
bool WriteSymbolFile(const QString& path, const QByteArray& bytes, bool force, QString* error);

}  // namespace render
