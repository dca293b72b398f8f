#pragma once

// Writing a batch's files into its output folder. Each file takes its name
// only once every byte of it was written, so a failed write (a full disk, a
// file size limit) leaves no part of a file and never damages the file that
// was there before. Files are not synced one by one: Sync() makes the whole
// folder durable at once when the batch is done, which gives a batch that
// reports success the same guarantee as a sync per file at a fraction of
// the time.

#include <QByteArray>
#include <QString>
#include <atomic>

namespace render {

class FolderWriter {
public:
    // Where a file is written before it takes its name.
    enum class Staging {
        // An unnamed file in the folder (O_TMPFILE), linked under its name
        // when complete: one change to the folder per file instead of a
        // temporary name's three (half the time per file on ext4), a name
        // claimed in one step that fails when it is taken, and nothing left
        // behind by a killed program.
        Unnamed,
        // A temporary file, named so that no batch file can have its name,
        // renamed into place: for file systems without unnamed files (FAT on
        // memory cards, network file systems).
        Named,
    };

    // Opens an existing folder, staging in unnamed files where its file
    // system and /proc allow.
    explicit FolderWriter(const QString& folder);
    FolderWriter(const QString& folder, Staging staging);
    ~FolderWriter();
    FolderWriter(const FolderWriter&) = delete;
    FolderWriter& operator=(const FolderWriter&) = delete;

    // Empty when the folder is open.
    const QString& OpenError() const { return openError_; }

    // Writes bytes as the file fileName in the folder. A file already there
    // is replaced, keeping its permissions, only when replace is set;
    // otherwise it is left as it is and the write fails. Returns false with
    // the reason in error. Safe to call from several threads at once.
    bool Write(const QString& fileName, const QByteArray& bytes, bool replace, QString* error);

    // Waits until every file written so far, and the folder's entries, are
    // on disk; false with the reason in error when that failed.
    bool Sync(QString* error) const;

private:
    // Each returns 0 or the errno value of what failed.
    int WriteUnnamed(const QByteArray& name, const QByteArray& bytes, bool replace);
    int WriteNamed(const QByteArray& name, const QByteArray& bytes, bool replace);
    // Put a complete temporary file under name, failing when the name is
    // taken (Claim) or replacing what has it (Replace). Either way the
    // temporary name is gone afterwards.
    int Claim(const QByteArray& temporary, const QByteArray& name);
    int Replace(const QByteArray& temporary, const QByteArray& name);
    QByteArray NextTemporaryName();

    QString folder_;
    int folderFd_ = -1;
    Staging staging_ = Staging::Named;
    QString openError_;
    std::atomic<unsigned> temporaries_ = 0;
};

}  // namespace render
