#include "folderwriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <utility>

#include "messages.h"

namespace pipeline {

namespace {

// A file descriptor, closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int Release() { return std::exchange(fd_, -1); }

    // False with errno set: a network file system may report a failed write
    // only here.
    bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// The unnamed file open as fd, by a path that linkat() can give a name.
QByteArray ProcPath(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A file that replaces another gets its permissions, as a file saved over
// in place would keep them.
void KeepPermissions(int folderFd, const QByteArray& name, int fd) {
    struct stat old;
    if (fstatat(folderFd, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
        fchmod(fd, old.st_mode & 07777);
}

// What a name that is not a file or a link stands for.
QString KindOf(mode_t mode) {
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Msg::tr("a device");
    if (S_ISFIFO(mode))
        return Msg::tr("a fifo");
    return Msg::tr("a socket");
}

// Every later write into the folder would fail the same way.
bool FailsForTheFolder(int err) {
    return err == ENOSPC || err == EDQUOT || err == EROFS || err == EACCES || err == EPERM;
}

}  // namespace

bool WriteWhole(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

FolderWriter::FolderWriter(const QString& folder) : FolderWriter(folder, Staging::Unnamed) {
    if (folderFd_ < 0)
        return;
    const Fd probe(openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!probe.valid() || access(ProcPath(probe.get()).constData(), F_OK) != 0)
        staging_ = Staging::Named;
}

FolderWriter::FolderWriter(const QString& folder, Staging staging)
    : folder_(folder), staging_(staging) {
    const QByteArray path = folder.isEmpty() ? QByteArray(".") : QFile::encodeName(folder);
    folderFd_ = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        const int err = errno;
        openError_ = Msg::tr("cannot open the folder %1: %2").arg(folder, qt_error_string(err));
    }
    Protect(STDIN_FILENO, Msg::tr("the standard input"));
    Protect(STDOUT_FILENO, Msg::tr("the standard output"));
    Protect(STDERR_FILENO, Msg::tr("the standard error"));
}

FolderWriter::~FolderWriter() {
    if (folderFd_ >= 0)
        ::close(folderFd_);
}

void FolderWriter::Protect(int fd, const QString& what) {
    struct stat info;
    if (fstat(fd, &info) == 0)
        protected_.append({info.st_dev, info.st_ino, what});
}

bool FolderWriter::Write(const QString& fileName, const QByteArray& bytes, bool replace,
                         QString* error) {
    return WriteContent(
        fileName, [&bytes](int fd) { return WriteWhole(fd, bytes); }, replace, error);
}

bool FolderWriter::WriteContent(const QString& fileName, const Content& content, bool replace,
                                QString* error) {
    Staged file;
    return Stage(fileName, replace, &file, error) &&
           Keep(&file, content(file.Fd()) ? 0 : errno, error);
}

FolderWriter::Staged::~Staged() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.isEmpty())
        unlinkat(folderFd_, temporary_.constData(), 0);
}

bool FolderWriter::Stage(const QString& fileName, bool replace, Staged* file, QString* error) {
    if (Stopped()) {
        *error = StopError();
        return false;
    }
    file->folderFd_ = folderFd_;
    file->fileName_ = fileName;
    file->name_ = QFile::encodeName(fileName);
    file->replace_ = replace;
    const int err = staging_ == Staging::Unnamed ? StageUnnamed(file) : StageNamed(file);
    return err == 0 || Failed(*file, err, error);
}

bool FolderWriter::Keep(Staged* file, int contentErrno, QString* error) {
    int err = contentErrno;
    if (err == 0)
        err = staging_ == Staging::Unnamed ? NameUnnamed(file) : NameNamed(file);
    if (err != 0)
        return Failed(*file, err, error);
    Written(file->name_);
    return true;
}

bool FolderWriter::Failed(const Staged& file, int err, QString* error) {
    const QString path = PathOf(file.fileName_);
    const QString kept = err == EEXIST ? KeepReason(file.name_, file.replace_, path) : QString();
    if (!kept.isEmpty()) {
        *error = kept;
    } else {
        *error = Msg::tr("cannot write %1: %2").arg(path, qt_error_string(err));
        StopOn(err);
    }
    return false;
}

QString FolderWriter::FolderShown() const {
    return folder_.isEmpty() ? QStringLiteral(".") : folder_;
}

QString FolderWriter::PathOf(const QString& fileName) const {
    return folder_.isEmpty() ? fileName : QDir(folder_).filePath(fileName);
}

QString FolderWriter::KeepReason(const QByteArray& name, bool replace, const QString& path) const {
    struct stat at;
    if (fstatat(folderFd_, name.constData(), &at, AT_SYMLINK_NOFOLLOW) != 0)
        return replace ? QString()
                       : Msg::tr("%1 already exists; give --force to replace it").arg(path);
    if (S_ISDIR(at.st_mode))
        return Msg::tr("%1 is a folder, not a file").arg(path);
    if (!S_ISREG(at.st_mode) && !S_ISLNK(at.st_mode))
        return Msg::tr("%1 is %2, not a file; it is never replaced").arg(path, KindOf(at.st_mode));
    // A link to such a file is kept too, lest it be taken for the file.
    QString what = ProtectedAs(name, AT_SYMLINK_NOFOLLOW);
    if (what.isEmpty() && S_ISLNK(at.st_mode))
        what = ProtectedAs(name, 0);
    if (!what.isEmpty())
        return Msg::tr("%1 is %2; it is never replaced").arg(path, what);
    if (!replace)
        return Msg::tr("%1 already exists; give --force to replace it").arg(path);
    // Root may write any file: a file that nobody may write is read-only even so.
    if (S_ISREG(at.st_mode) &&
        ((at.st_mode & 0222) == 0 || faccessat(folderFd_, name.constData(), W_OK, AT_EACCESS) != 0))
        return Msg::tr("%1 is read-only; it is not replaced, even with --force").arg(path);
    return QString();
}

QString FolderWriter::ProtectedAs(const QByteArray& name, int flags) const {
    struct stat at;
    if (fstatat(folderFd_, name.constData(), &at, flags) == 0)
        for (const Protected& file : protected_)
            if (file.device == at.st_dev && file.inode == at.st_ino)
                return file.what;
    return QString();
}

void FolderWriter::StopOn(int err) {
    // Permission is refused for the folder only when the folder says so.
    if (!FailsForTheFolder(err) || ((err == EACCES || err == EPERM) &&
                                    faccessat(folderFd_, ".", W_OK | X_OK, AT_EACCESS) == 0))
        return;
    int none = 0;
    stopErrno_.compare_exchange_strong(none, err);
}

QString FolderWriter::StopError() const {
    return Msg::tr("cannot write into the folder %1: %2")
        .arg(FolderShown(), qt_error_string(stopErrno_));
}

int FolderWriter::StageUnnamed(Staged* file) {
    // Until it is linked, the file goes with its descriptor, whatever fails.
    file->fd_ = openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    return file->fd_ >= 0 ? 0 : errno;
}

int FolderWriter::LinkUnnamed(int fd, const QByteArray& name) {
    // linkat() never replaces: it claims the name or fails with EEXIST.
    if (linksDescriptors_.load(std::memory_order_relaxed)) {
        if (linkat(fd, "", folderFd_, name.constData(), AT_EMPTY_PATH) == 0)
            return 0;
        // An older kernel refuses an unprivileged program with ENOENT.
        if (errno != ENOENT && errno != EPERM)
            return errno;
        linksDescriptors_.store(false, std::memory_order_relaxed);
    }
    const QByteArray self = ProcPath(fd);
    return linkat(AT_FDCWD, self.constData(), folderFd_, name.constData(), AT_SYMLINK_FOLLOW) == 0
               ? 0
               : errno;
}

int FolderWriter::NameUnnamed(Staged* file) {
    const QByteArray& name = file->name_;
    const int linked = LinkUnnamed(file->fd_, name);
    if (linked != EEXIST || !file->replace_)
        return linked;
    if (!KeepReason(name, true).isEmpty())
        return EEXIST;
    KeepPermissions(folderFd_, name, file->fd_);
    for (;;) {
        const QByteArray temporary = NextTemporaryName();
        const int err = LinkUnnamed(file->fd_, temporary);
        if (err == 0)
            return Replace(temporary, name);
        if (err != EEXIST)
            return err;
    }
}

int FolderWriter::StageNamed(Staged* file) {
    Fd staged;
    do {
        file->temporary_ = NextTemporaryName();
        staged = Fd(openat(folderFd_, file->temporary_.constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    } while (!staged.valid() && errno == EEXIST);
    if (!staged.valid()) {
        file->temporary_.clear();
        return errno;
    }
    if (file->replace_)
        KeepPermissions(folderFd_, file->name_, staged.get());
    file->fd_ = staged.Release();
    return 0;
}

int FolderWriter::NameNamed(Staged* file) {
    // A network file system may report a failed write only when it closes.
    if (::close(std::exchange(file->fd_, -1)) != 0)
        return errno;
    // Claim() and Replace() take the temporary name away, whatever they do.
    const QByteArray temporary = std::exchange(file->temporary_, QByteArray());
    if (!file->replace_)
        return Claim(temporary, file->name_);
    if (!KeepReason(file->name_, true).isEmpty()) {
        unlinkat(folderFd_, temporary.constData(), 0);
        return EEXIST;
    }
    return Replace(temporary, file->name_);
}

int FolderWriter::Claim(const QByteArray& temporary, const QByteArray& name) {
    // Renames without replacing: one step that fails when the name is taken.
    if (renameat2(folderFd_, temporary.constData(), folderFd_, name.constData(),
                  RENAME_NOREPLACE) == 0)
        return 0;
    int err = errno;
    // A file system that cannot rename without replacing (NFS) still refuses
    // to link over a name.
    if (err == EINVAL)
        err = linkat(folderFd_, temporary.constData(), folderFd_, name.constData(), 0) == 0 ? 0
                                                                                            : errno;
    unlinkat(folderFd_, temporary.constData(), 0);
    return err;
}

int FolderWriter::Replace(const QByteArray& temporary, const QByteArray& name) {
    // rename() puts the new file in place of the old one in one step.
    if (renameat(folderFd_, temporary.constData(), folderFd_, name.constData()) == 0)
        return 0;
    const int err = errno;
    unlinkat(folderFd_, temporary.constData(), 0);
    return err;
}

QByteArray FolderWriter::NextTemporaryName() {
    // A batch file's name never starts with a dot, so no symbol is ever
    // written over one of these; the process id keeps two runs apart, and a
    // name left by a killed run is passed over, never reused.
    return ".stripewell-render-" + QByteArray::number(getpid()) + '-' +
           QByteArray::number(temporaries_++) + ".tmp";
}

void FolderWriter::Written(const QByteArray& name) {
    // Past the few, a batch's threads need not take turns here.
    if (writtenCount_++ > kSyncedOneByOne)
        return;
    std::lock_guard lock(writtenMutex_);
    written_.append(name);
}

int FolderWriter::SyncOneByOne() const {
    std::lock_guard lock(writtenMutex_);
    if (writtenCount_ > kSyncedOneByOne)
        return EAGAIN;
    for (const QByteArray& name : written_) {
        // By its name, which it has for good: the file was linked and its
        // descriptor closed when it was written.
        const Fd file(openat(folderFd_, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (!file.valid())
            return EAGAIN;
        if (fsync(file.get()) != 0)
            return errno;
    }
    return fsync(folderFd_) == 0 ? 0 : errno;
}

bool FolderWriter::Sync(QString* error) const {
    // A few files: each file and the folder's entries, and nothing of other
    // programs' unwritten data. Many, or a file that cannot be opened again
    // (one nobody may read): one syncfs() for the folder's file system,
    // every file's data and every name written back together.
    int err = SyncOneByOne();
    if (err == EAGAIN)
        err = syncfs(folderFd_) == 0 ? 0 : errno;
    if (err == 0)
        return true;
    *error = Msg::tr("cannot make the files in %1 safe on disk: %2")
                 .arg(FolderShown(), qt_error_string(err));
    return false;
}

}  // namespace pipeline
