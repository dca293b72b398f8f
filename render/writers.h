#pragma once

// The threads that draw, encode and write a batch's symbols. Each file is
// written through a temporary file that is synced to disk before it takes
// the file's place, and most of that time is spent waiting for the disk: with
// several files under way at once, those waits overlap. Jobs wait in a short
// queue, so memory stays the same however long the batch is.

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "options.h"

namespace render {

struct SymbolJob {
    QString where;  // "list:line", for messages
    QString name;
    QString code;  // 13 digits
    QString path;  // checked for an existing file already
};

class SymbolWriters {
public:
    explicit SymbolWriters(const Options& options);
    ~SymbolWriters();

    // Hands a job to the next free thread; waits while the queue is full.
    void Submit(SymbolJob job);

    // Waits until every job submitted is done.
    void Finish();

    int Written() const { return written_; }
    int Failed() const { return failed_; }

    // The messages of the jobs that failed since the last call.
    QStringList TakeMessages();

private:
    void Run();

    const Options options_;
    std::mutex mutex_;
    std::condition_variable hasJob_;  // or is closed
    std::condition_variable hasRoom_;
    std::deque<SymbolJob> queue_;
    bool closed_ = false;
    QStringList messages_;
    std::atomic<int> written_ = 0;
    std::atomic<int> failed_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace render
