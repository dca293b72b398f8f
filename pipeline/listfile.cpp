#include "listfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pipeline {

namespace {

// Whether standard input was open when the program started: once it has
// started, the first file it opens (Qt opens some) would take its number.
const bool kStandardInputOpen = fcntl(STDIN_FILENO, F_GETFD) != -1;

// The null device gives nothing and ends at once: "< /dev/null" is how a
// script says there is no list.
bool IsNullDevice(const struct stat& status) {
    struct stat null;
    return S_ISCHR(status.st_mode) && stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode) &&
           status.st_rdev == null.st_rdev;
}

// What a file is as a list; None when it may be read.
ListProblem ProblemOf(const struct stat& status, ListPipes pipes) {
    const mode_t mode = status.st_mode;
    if (S_ISREG(mode) || IsNullDevice(status))
        return ListProblem::None;
    if (S_ISDIR(mode))
        return ListProblem::Folder;
    if (S_ISFIFO(mode))
        return pipes == ListPipes::Read ? ListProblem::None : ListProblem::Fifo;
    if (S_ISSOCK(mode))
        return ListProblem::Socket;
    return ListProblem::Device;
}

ListOpening Failed(int err) {
    return {ListProblem::CannotOpen, qt_error_string(err)};
}

ListOpening OpenStandardInput(QFile& list, ListPipes pipes) {
    struct stat status;
    if (!kStandardInputOpen || fstat(STDIN_FILENO, &status) != 0)
        return {ListProblem::Closed, {}};
    ListProblem problem = ProblemOf(status, pipes);
    // A list typed at a terminal ends with Ctrl+D; a socket gives what its
    // peer sends, as a pipe does.
    if ((problem == ListProblem::Device && isatty(STDIN_FILENO)) ||
        (problem == ListProblem::Socket && pipes == ListPipes::Read))
        problem = ListProblem::None;
    if (problem != ListProblem::None)
        return {problem, {}};
    if (!list.open(stdin, QIODevice::ReadOnly))
        return {ListProblem::CannotOpen, list.errorString()};
    return {};
}

}  // namespace

ListOpening OpenListFile(QFile& list, bool fromStdin, ListPipes pipes) {
    if (fromStdin)
        return OpenStandardInput(list, pipes);
    const QByteArray native = QFile::encodeName(list.fileName());
    // What the name is, before it is opened: opening a device can do
    // something of its own.
    struct stat status;
    if (stat(native.constData(), &status) != 0)
        return Failed(errno);
    if (const ListProblem problem = ProblemOf(status, pipes); problem != ListProblem::None)
        return {problem, {}};
    // A fifo is waited for, as a list that is still coming; a file opens at
    // once, and is checked again once open lest it was swapped meanwhile.
    const int flags = O_RDONLY | O_CLOEXEC | (S_ISFIFO(status.st_mode) ? 0 : O_NONBLOCK);
    int fd;
    do
        fd = open(native.constData(), flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Failed(errno);
    if (fstat(fd, &status) != 0) {
        const ListOpening failed = Failed(errno);
        close(fd);
        return failed;
    }
    if (const ListProblem problem = ProblemOf(status, pipes); problem != ListProblem::None) {
        close(fd);
        return {problem, {}};
    }
    if (!S_ISFIFO(status.st_mode))
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!list.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return {ListProblem::CannotOpen, list.errorString()};
    }
    return {};
}

}  // namespace pipeline
