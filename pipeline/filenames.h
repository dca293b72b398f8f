#pragma once

// File names for a batch's symbols, made from their names.

#include <QHash>
#include <QSet>
#include <QString>

namespace pipeline {

// The longest stem, in bytes of UTF-8: with a number, an extension and the
// temporary file's suffix added, a name still fits the usual 255 bytes.
inline constexpr int kMaxStemBytes = 200;

// The invisible characters that change the order in which the text around
// them is shown (bidirectional controls), and the byte order mark: they
// could make one name look like another.
bool IsReorderingMark(QChar c);

// The name made safe for file systems, Windows and removable media included:
// / \ : * ? " < > | and control characters become "_", reordering marks go,
// leading dots and spaces go (no hidden files, no "." or ".."), as do
// trailing dots and spaces, which Windows drops; a leading "-" becomes "_" so
// that no file reads as an option to a command, and a Windows device name
// (CON, NUL, COM1, ... in any case, before any extension) gets a "_" after
// it. At most kMaxStemBytes long, cut between characters. Empty when nothing
// of the name is left.
QString SafeFileStem(const QString& name);

// Hands out one file name per symbol, never the same twice in a run, even on
// a file system that ignores case.
class FileNamer {
public:
    explicit FileNamer(QString extension) : extension_(std::move(extension)) {}

    // The file name for a symbol: its safe name, or its code when that is
    // empty; a stem handed out before gets "-2", "-3", ...
    QString Next(const QString& name, const QString& code);

private:
    static size_t FoldedHash(const QString& stem);
    bool Take(const QString& stem);

    QString extension_;
    // A 64-bit hash of each case-folded stem handed out, not the stems: a
    // long batch costs a few bytes per line. Should two stems ever share a
    // hash, the second one gets a number it did not need, and no file is lost.
    QSet<size_t> used_;
    // For each stem that was handed out numbered, the number to try next.
    QHash<size_t, int> nextNumber_;
};

}  // namespace pipeline
