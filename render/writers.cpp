#include "writers.h"

#include <utility>

#include "output.h"
#include "renderer.h"

namespace render {

namespace {

// Files under way at once. One at a time, a 10,000-line batch took twice as
// long as with 8; with 4 to 32 the times stayed within the noise of each
// other, and more threads only cost memory (bench/render/batch.sh).
constexpr int kThreads = 8;
constexpr size_t kQueued = 4 * kThreads;

}  // namespace

SymbolWriters::SymbolWriters(const Options& options) : options_(options) {
    for (int i = 0; i < kThreads; ++i)
        threads_.emplace_back([this] { Run(); });
}

SymbolWriters::~SymbolWriters() {
    Finish();
}

void SymbolWriters::Submit(SymbolJob job) {
    std::unique_lock lock(mutex_);
    hasRoom_.wait(lock, [this] { return queue_.size() < kQueued; });
    queue_.push_back(std::move(job));
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
    std::lock_guard lock(mutex_);
    return std::exchange(messages_, QStringList());
}

void SymbolWriters::Run() {
    // Each thread draws on its own canvas.
    Renderer renderer(options_.format, options_.scale, options_.magnification);
    for (;;) {
        SymbolJob job;
        {
            std::unique_lock lock(mutex_);
            hasJob_.wait(lock, [this] { return closed_ || !queue_.empty(); });
            if (queue_.empty())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        hasRoom_.notify_one();

        QString error;
        const QByteArray bytes = renderer.Render(job.name, job.code, &error);
        // The path was checked when the job was made; force skips a second look.
        if (!bytes.isEmpty() && WriteSymbolFile(job.path, bytes, true, &error)) {
            ++written_;
            continue;
        }
        std::lock_guard lock(mutex_);
        ++failed_;
        messages_ << job.where + QStringLiteral(": ") + error;
    }
}

}  // namespace render
