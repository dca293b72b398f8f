#pragma once

// The threads that draw, encode and write a batch's symbols, one per core:
// with nothing to wait for but the processor, more threads than cores only
// take turns (on 2 cores, 10,000 symbols took 0.60 s on one thread, 0.35 to
// 0.40 s on two, and no less on 3 to 6). Jobs wait in a short queue, so
// memory stays the same however long the batch is.

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "folderwriter.h"
#include "symbolfile.h"

namespace pipeline {

struct SymbolJob {
    int line = 0;  // in the list, for messages
    QString name;
    QString code;      // the whole code
    QString addon;     // an add-on's digits, or empty
    QString fileName;  // in the output folder
};

class SymbolWriters {
public:
    // listName names the list in messages.
    SymbolWriters(const SymbolOutput& options, const QString& listName, FolderWriter& folder);
    ~SymbolWriters();

    // Hands a job to the next free thread; waits while the queue is full.
    void Submit(SymbolJob job);

    // Waits until every job submitted is done.
    void Finish();

    int Written() const { return written_; }
    int Failed() const { return failed_; }
    // Jobs left unwritten once the folder stopped taking files.
    int NotWritten() const { return notWritten_; }

    // The messages of the jobs that failed since the last call.
    QStringList TakeMessages();

private:
    void Run();

    const SymbolOutput options_;
    const QString listName_;
    FolderWriter& folder_;
    std::mutex mutex_;
    std::condition_variable hasJob_;  // or is closed
    std::condition_variable hasRoom_;
    std::deque<SymbolJob> queue_;
    bool closed_ = false;
    QStringList messages_;
    std::atomic<bool> hasMessages_ = false;
    std::atomic<int> written_ = 0;
    std::atomic<int> failed_ = 0;
    std::atomic<int> notWritten_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace pipeline
