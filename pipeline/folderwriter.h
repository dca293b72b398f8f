#pragma once

// Writing symbol files into a folder: a batch's, or the one of a single
// file. Each file takes its name
// only once every byte of it was written, so a failed write (a full disk, a
// file size limit) leaves no part of a file and never damages the file that
// was there before. Files are not synced as they are written: Sync() makes
// them durable when the batch is done. A few files are synced one by one
// with the folder; for more, one sync of the whole file system gives a batch
// that reports success the same guarantee as a sync per file at a fraction
// of the time.
//
// What has a name is replaced only when it is a file or a link (a link is
// replaced itself, never written through) that may be written, and never
// when it is a file this run reads or writes to: its list, its standard
// input, output or error. A folder, a device, a fifo or a socket stays.

#include <sys/types.h>

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>

namespace pipeline {

// False with errno set unless every byte was written to fd. A write that
// hits a limit writes what fits; writing the rest then says why (EFBIG,
// ENOSPC).
bool WriteWhole(int fd, const QByteArray& bytes);

// A device that writes into fd, for writers that take a device (QPdfWriter),
// keeping the reason of the first write that failed: Errno() stays 0 while
// every byte went in.
class FdDevice : public QIODevice {
public:
    explicit FdDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    int Errno() const { return errno_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (errno_ == 0 && !WriteWhole(fd_, QByteArray::fromRawData(data, size)))
            errno_ = errno;
        return errno_ == 0 ? size : -1;
    }

private:
    int fd_;
    int errno_ = 0;
};

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
    // system and /proc allow. An empty folder is the current one, and
    // messages then name its files alone.
    explicit FolderWriter(const QString& folder);
    FolderWriter(const QString& folder, Staging staging);
    ~FolderWriter();
    FolderWriter(const FolderWriter&) = delete;
    FolderWriter& operator=(const FolderWriter&) = delete;

    // Empty when the folder is open.
    const QString& OpenError() const { return openError_; }

    // The file open as fd, described as what (such as "the list being read"),
    // is never replaced; nor are the program's standard input, output and
    // error. Called before the first write.
    void Protect(int fd, const QString& what);

    // Writes bytes as the file fileName in the folder. A file already there
    // is replaced, keeping its permissions, only when replace is set;
    // otherwise it is left as it is and the write fails. Returns false with
    // the reason in error. Safe to call from several threads at once.
    bool Write(const QString& fileName, const QByteArray& bytes, bool replace, QString* error);

    // What goes into a file written piece by piece (a long PDF): writes into
    // fd and returns false, with errno set, when a write failed.
    using Content = std::function<bool(int fd)>;
    // The same as Write, for content that is made while it is written.
    bool WriteContent(const QString& fileName, const Content& content, bool replace,
                      QString* error);

    // A file made by a loop of its own (a sheet's PDF, page by page):
    // Stage() opens it, without its name, for the content to go into Fd();
    // Keep() then gives it the name as WriteContent() does. A staged file
    // that is not kept leaves nothing behind.
    class Staged {
    public:
        Staged() = default;
        ~Staged();
        Staged(const Staged&) = delete;
        Staged& operator=(const Staged&) = delete;
        int Fd() const { return fd_; }

    private:
        friend class FolderWriter;
        int folderFd_ = -1;
        int fd_ = -1;
        QString fileName_;
        QByteArray name_;
        QByteArray temporary_;  // a named staging's, until it is renamed or removed
        bool replace_ = false;
    };
    bool Stage(const QString& fileName, bool replace, Staged* file, QString* error);
    // contentErrno: 0 when every byte went in, else why not (the file is
    // then dropped and the reason said as a failed write's).
    bool Keep(Staged* file, int contentErrno, QString* error);

    // Set by the first write that failed for a reason every later one would
    // meet too (the file system is full or read-only, the folder may not be
    // written); from then on every write fails at once. StopError() says why.
    bool Stopped() const { return stopErrno_ != 0; }
    QString StopError() const;

    // Waits until every file written so far, and the folder's entries, are
    // on disk; false with the reason in error when that failed.
    bool Sync(QString* error) const;

    // Up to this many files are synced one by one, more with one syncfs().
    static constexpr int kSyncedOneByOne = 8;

private:
    struct Protected {
        dev_t device;
        ino_t inode;
        QString what;
    };

    // The folder and a file in it as messages show them.
    QString FolderShown() const;
    QString PathOf(const QString& fileName) const;
    // Why what has the name must stay as it is, a sentence naming it by
    // path; empty when it may be replaced.
    QString KeepReason(const QByteArray& name, bool replace, const QString& path = {}) const;
    QString ProtectedAs(const QByteArray& name, int flags) const;
    void StopOn(int err);

    // Each returns 0 or the errno value of what failed, EEXIST when the name
    // is taken by something that stays.
    int StageUnnamed(Staged* file);
    int StageNamed(Staged* file);
    int NameUnnamed(Staged* file);
    int NameNamed(Staged* file);
    // Gives the unnamed file open as fd a name in the folder, as linkat()
    // does: 0 or the errno value, EEXIST when the name is taken.
    int LinkUnnamed(int fd, const QByteArray& name);
    // The message of a write that failed with err; always false.
    bool Failed(const Staged& file, int err, QString* error);
    // Put a complete temporary file under name, failing when the name is
    // taken (Claim) or replacing what has it (Replace). Either way the
    // temporary name is gone afterwards.
    int Claim(const QByteArray& temporary, const QByteArray& name);
    int Replace(const QByteArray& temporary, const QByteArray& name);
    QByteArray NextTemporaryName();
    // Notes a file written, for Sync().
    void Written(const QByteArray& name);
    // Syncs each file written and the folder: 0, the errno value of what
    // failed, or EAGAIN when there are too many files to sync one by one or
    // one cannot be opened.
    int SyncOneByOne() const;

    QString folder_;
    int folderFd_ = -1;
    Staging staging_ = Staging::Named;
    QString openError_;
    QList<Protected> protected_;
    std::atomic<unsigned> temporaries_ = 0;
    // Whether the kernel links a descriptor itself (AT_EMPTY_PATH, for an
    // unprivileged program since Linux 6.10); until it refuses once, tried
    // before the longer way through /proc.
    std::atomic<bool> linksDescriptors_ = true;
    std::atomic<int> stopErrno_ = 0;
    mutable std::mutex writtenMutex_;
    QList<QByteArray> written_;  // the first kSyncedOneByOne + 1
    std::atomic<int> writtenCount_ = 0;
};

}  // namespace pipeline
