#pragma once

// Opening a list for reading, the same for both programs: a file, standard
// input, or (where the caller takes one) a pipe; never a device, which could
// give bytes for ever (but the null device, which is an empty list), nor a
// folder or a socket. Messages are the caller's, in its own language.

#include <QFile>
#include <QString>

namespace pipeline {

// Why a list was not opened.
enum class ListProblem {
    None,
    Closed,      // standard input is closed
    Folder,      // a folder
    Device,      // a device (/dev/zero), other than a terminal on standard input
    Fifo,        // a pipe or fifo, where only a file is taken
    Socket,      // a socket
    CannotOpen,  // the system refused it; its reason is in the error
};

struct ListOpening {
    ListProblem problem = ListProblem::None;
    QString error;  // the system's reason, for CannotOpen
};

// What a list may be besides a regular file.
enum class ListPipes {
    Read,     // a pipe or a fifo is read as it comes (a fifo waits for its writer)
    Refused,  // only a regular file: nothing that could keep the reader waiting
};

// Opens the list at the list's file name (standard input when fromStdin)
// for reading into list.
ListOpening OpenListFile(QFile& list, bool fromStdin, ListPipes pipes);

}  // namespace pipeline
