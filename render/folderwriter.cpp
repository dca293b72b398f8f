#include "folderwriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <utility>

namespace render {

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

    // False with errno set: a network file system may report a failed write
    // only here.
    bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// False with errno set unless every byte was written. A write that hits a
// limit writes what fits; writing the rest then reports why (EFBIG, ENOSPC).
bool WriteAll(int fd, const QByteArray& bytes) {
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

}  // namespace

FolderWriter::FolderWriter(const QString& folder) : FolderWriter(folder, Staging::Unnamed) {
    if (folderFd_ < 0)
        return;
    const Fd probe(openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!probe.valid() || access(ProcPath(probe.get()).constData(), F_OK) != 0)
        staging_ = Staging::Named;
}

FolderWriter::FolderWriter(const QString& folder, Staging staging)
    : folder_(folder), staging_(staging) {
    folderFd_ = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        const int err = errno;
        openError_ =
            QStringLiteral("cannot open the folder %1: %2").arg(folder, qt_error_string(err));
    }
}

FolderWriter::~FolderWriter() {
    if (folderFd_ >= 0)
        ::close(folderFd_);
}

bool FolderWriter::Write(const QString& fileName, const QByteArray& bytes, bool replace,
                         QString* error) {
    const QByteArray name = QFile::encodeName(fileName);
    const int err = staging_ == Staging::Unnamed ? WriteUnnamed(name, bytes, replace)
                                                 : WriteNamed(name, bytes, replace);
    if (err == 0)
        return true;
    const QString path = QDir(folder_).filePath(fileName);
    *error = err == EEXIST && !replace
                 ? QStringLiteral("%1 already exists; give --force to replace it").arg(path)
                 : QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(err));
    return false;
}

int FolderWriter::WriteUnnamed(const QByteArray& name, const QByteArray& bytes, bool replace) {
    // Until it is linked, the file goes with its descriptor, whatever fails.
    const Fd file(openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!file.valid() || !WriteAll(file.get(), bytes))
        return errno;
    const QByteArray self = ProcPath(file.get());
    // linkat() never replaces: it claims the name or fails with EEXIST.
    if (linkat(AT_FDCWD, self.constData(), folderFd_, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != EEXIST || !replace)
        return errno;
    KeepPermissions(folderFd_, name, file.get());
    for (;;) {
        const QByteArray temporary = NextTemporaryName();
        if (linkat(AT_FDCWD, self.constData(), folderFd_, temporary.constData(),
                   AT_SYMLINK_FOLLOW) == 0)
            return Replace(temporary, name);
        if (errno != EEXIST)
            return errno;
    }
}

int FolderWriter::WriteNamed(const QByteArray& name, const QByteArray& bytes, bool replace) {
    QByteArray temporary;
    Fd file;
    do {
        temporary = NextTemporaryName();
        file = Fd(openat(folderFd_, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                         0666));
    } while (!file.valid() && errno == EEXIST);
    if (!file.valid())
        return errno;
    if (replace)
        KeepPermissions(folderFd_, name, file.get());
    if (!WriteAll(file.get(), bytes) || !file.Close()) {
        const int err = errno;
        unlinkat(folderFd_, temporary.constData(), 0);
        return err;
    }
    return replace ? Replace(temporary, name) : Claim(temporary, name);
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

bool FolderWriter::Sync(QString* error) const {
    // One syncfs() for the folder's file system: every file's data and every
    // name given in the folder, written back together.
    if (syncfs(folderFd_) == 0)
        return true;
    *error = QStringLiteral("cannot make the files in %1 safe on disk: %2")
                 .arg(folder_, qt_error_string(errno));
    return false;
}

}  // namespace render
