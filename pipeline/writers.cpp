#include "writers.h"

#include <algorithm>
#include <utility>

#include "renderer.h"

namespace pipeline {

namespace {

constexpr size_t kQueued = 64;
// A full queue is topped up only once it has drained this far, so that the
// reading thread wakes once per many jobs rather than for every one.
constexpr size_t kRefillAt = kQueued / 2;

}  // namespace

SymbolWriters::SymbolWriters(const SymbolOutput& options, const QString& listName,
                             FolderWriter& folder)
    : options_(options), listName_(listName), folder_(folder) {
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < threads; ++i)
        threads_.emplace_back([this] { Run(); });
}

SymbolWriters::~SymbolWriters() {
    Finish();
}

void SymbolWriters::Submit(SymbolJob job) {
    std::unique_lock lock(mutex_);
    if (queue_.size() >= kQueued)
        hasRoom_.wait(lock, [this] { return queue_.size() <= kRefillAt; });
    queue_.push_back(std::move(job));
    lock.unlock();
    hasJob_.notify_one();
}

void SymbolWriters::Finish() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    hasJob_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
    threads_.clear();
}

QStringList SymbolWriters::TakeMessages() {
    // Asked after every line: most of the time there is nothing to take.
    if (!hasMessages_)
        return {};
    std::lock_guard lock(mutex_);
    hasMessages_ = false;
    return std::exchange(messages_, QStringList());
}

void SymbolWriters::Run() {
    // Each thread draws on its own canvas.
    Renderer renderer(options_);
    for (;;) {
        SymbolJob job;
        bool refill = false;
        {
            std::unique_lock lock(mutex_);
            hasJob_.wait(lock, [this] { return closed_ || !queue_.empty(); });
            if (queue_.empty())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
            refill = queue_.size() == kRefillAt;
        }
        if (refill)
            hasRoom_.notify_one();

        QString error;
        const QByteArray bytes = folder_.Stopped()
                                     ? QByteArray()
                                     : renderer.Render(job.name, job.code, job.addon, &error);
        if (!bytes.isEmpty() && folder_.Write(job.fileName, bytes, options_.force, &error)) {
            ++written_;
            continue;
        }
        // The batch says once why the folder takes no more files.
        if (folder_.Stopped()) {
            ++notWritten_;
            continue;
        }
        std::lock_guard lock(mutex_);
        ++failed_;
        messages_ << QStringLiteral("%1:%2: %3").arg(listName_).arg(job.line).arg(error);
        hasMessages_ = true;
    }
}

}  // namespace pipeline
