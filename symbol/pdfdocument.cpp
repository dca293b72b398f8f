#include "pdfdocument.h"

#include <zlib.h>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "numbers.h"

namespace symbol {

namespace {

// A symbol's content stream is some kilobytes: compressing it took longer
// than drawing and writing the file, and saves less than a disk block.
constexpr size_t kCompressFrom = 32 * 1024;

// A larger content stream as a zlib stream at the fastest level; empty when
// the stream is small, and it is then written as it is. The compressor is
// kept for the thread's next page: a fresh one's allocations cost as much
// as compressing a page.
QByteArray Deflate(const std::string& content) {
    if (content.size() < kCompressFrom)
        return QByteArray();
    struct Compressor {
        z_stream zs{};
        bool ready = deflateInit(&zs, Z_BEST_SPEED) == Z_OK;
        ~Compressor() {
            if (ready)
                deflateEnd(&zs);
        }
    };
    thread_local Compressor compressor;
    z_stream& zs = compressor.zs;
    if (!compressor.ready || deflateReset(&zs) != Z_OK)
        return QByteArray();
    QByteArray out(qsizetype(deflateBound(&zs, uLong(content.size()))), Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    zs.avail_in = uInt(content.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    if (deflate(&zs, Z_FINISH) != Z_STREAM_END)
        return QByteArray();
    out.truncate(qsizetype(zs.total_out));
    return out;
}

using Placed = PdfPages::Placed;
using PlacedHash = PdfPages::PlacedHash;

}  // namespace

// Forms a file holds at most: a sheet of the same digits and names needs
// some hundreds, and a list of names each unlike the others is not to
// fill the memory with their keys.
constexpr int kMaxForms = 8192;

struct PdfPages::FormTable {
    std::unordered_map<Placed, std::string, PlacedHash> names;
    std::string unwritten;                    // the forms not yet in the file, as objects
    QList<std::pair<int, qsizetype>> starts;  // each unwritten one's number, where it starts
    std::string resources;                    // each form's name and reference
};

PdfPages::PdfPages(QSizeF sizePt, Write write, const QByteArray& producer, bool aside)
    : sizePt_(sizePt), write_(std::move(write)), producer_(producer), aside_(aside) {
    // Objects 1 to 3 (the catalogue, the page tree, the information) are
    // written last, when the pages are known.
    offsets_.resize(4);
    Put("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
}

int PdfPages::Reserve() {
    offsets_.append(0);
    return int(offsets_.size()) - 1;
}

const std::string* PdfPages::FindForm(const Placed& placed) const {
    if (!forms_)
        return nullptr;
    const auto found = forms_->names.find(placed);
    return found == forms_->names.end() ? nullptr : &found->second;
}

const std::string* PdfPages::AddForm(const Placed& placed, const std::string& outline,
                                     const QRectF& bounds) {
    if (!forms_)
        forms_ = std::make_unique<FormTable>();
    if (forms_->names.size() >= size_t(kMaxForms))
        return nullptr;
    if (resources_ == 0)
        resources_ = Reserve();
    const int number = Reserve();
    const std::string name = "/G" + std::to_string(forms_->names.size());
    forms_->resources += name + ' ' + std::to_string(number) + " 0 R\n";
    // A box a unit larger all round than the outline's control points: it
    // clips nothing of the outline, nor of its anti-aliased edge.
    std::string& out = forms_->unwritten;
    forms_->starts.append({number, qsizetype(out.size())});
    out += std::to_string(number) + " 0 obj\n<< /Type /XObject /Subtype /Form /BBox [";
    for (const double value : {std::floor(bounds.left()) - 1, std::floor(bounds.top()) - 1,
                               std::ceil(bounds.right()) + 1, std::ceil(bounds.bottom()) + 1}) {
        AppendFixed(out, value, 0);
        out += ' ';
    }
    out += "] /Length " + std::to_string(outline.size() + 2) + " >>\nstream\n";
    out += outline;
    out += "f*\nendstream\nendobj\n";
    return &forms_->names.emplace(placed, name).first->second;
}

bool PdfPages::WriteForms() {
    if (!forms_ || forms_->starts.isEmpty())
        return !failed_;
    const std::string& out = forms_->unwritten;
    for (qsizetype i = 0; i < forms_->starts.size(); ++i) {
        const auto [number, start] = forms_->starts[i];
        const qsizetype end =
            i + 1 < forms_->starts.size() ? forms_->starts[i + 1].second : qsizetype(out.size());
        offsets_[number] = written_;
        if (!Put(QByteArrayView(out.data() + start, end - start)))
            return false;
    }
    forms_->unwritten.clear();
    forms_->starts.clear();
    return true;
}

// The thread that compresses a file's pages one at a time while the pages
// after them are painted. It lives as long as the file: a thread started
// for each page waited for a core on a busy machine, and its compressor's
// allocations cost as much as compressing the page.
class PdfPages::Aside {
public:
    Aside() : thread_([this] { Run(); }) {}
    ~Aside() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // The compressed page, once the page handed in before it is done.
    std::future<Stream> Compress(std::string content) {
        std::packaged_task<Stream()> task([content = std::move(content)]() mutable {
            return PdfPages::Compress(std::move(content));
        });
        std::future<Stream> done = task.get_future();
        {
            const std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        wake_.notify_one();
        return done;
    }

private:
    void Run() {
        for (;;) {
            std::packaged_task<Stream()> task;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
                if (tasks_.empty())
                    return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<Stream()>> tasks_;
    bool stop_ = false;
    std::thread thread_;  // last: started once the rest is ready
};

PdfPages::~PdfPages() {
    if (pending_.stream.valid())
        pending_.stream.wait();
}

bool PdfPages::Put(QByteArrayView bytes) {
    if (failed_)
        return false;
    failed_ = !write_(bytes);
    written_ += bytes.size();
    return !failed_;
}

bool PdfPages::Begin(int number) {
    if (offsets_.size() <= number)
        offsets_.resize(number + 1);
    offsets_[number] = written_;
    std::string head = std::to_string(number);
    head += " 0 obj\n";
    return Put(QByteArrayView(head.data(), qsizetype(head.size())));
}

PdfPages::Stream PdfPages::Compress(std::string content) {
    Stream stream;
    stream.deflated = Deflate(content);
    if (stream.deflated.isEmpty())
        stream.content = std::move(content);
    return stream;
}

bool PdfPages::AddPage(std::string content) {
    // The page before this one first, then the forms this one added: each
    // form goes before the first page that draws it, as a reader that reads
    // the file in order would have them.
    if (!WritePending() || !WriteForms())
        return false;
    // The page's objects are numbered now, in the order the pages came, as
    // when each page was written at once.
    const int contents = Reserve();
    pageObjects_.append(Reserve());
    // A page too small to be compressed has nothing to wait for.
    if (!aside_ || content.size() < kCompressFrom)
        return WritePage(Compress(std::move(content)), contents, resources_);
    // Compressing a page of labels took a third of the time of painting it.
    if (!compressor_)
        compressor_ = std::make_unique<Aside>();
    pending_ = {compressor_->Compress(std::move(content)), contents, resources_};
    return true;
}

bool PdfPages::WritePending() {
    return !pending_.stream.valid()
               ? !failed_
               : WritePage(pending_.stream.get(), pending_.contents, pending_.resources);
}

bool PdfPages::WritePage(const Stream& stream, int contents, int resources) {
    const bool deflated = !stream.deflated.isEmpty();
    const QByteArrayView bytes =
        deflated ? QByteArrayView(stream.deflated)
                 : QByteArrayView(stream.content.data(), qsizetype(stream.content.size()));
    std::string head = "<< /Length " + std::to_string(bytes.size());
    head += deflated ? " /Filter /FlateDecode >>\nstream\n" : " >>\nstream\n";
    std::string page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    AppendPt(page, sizePt_.width());
    page += ' ';
    AppendPt(page, sizePt_.height());
    page += "] /Contents " + std::to_string(contents) + " 0 R /Resources ";
    page += resources ? std::to_string(resources) + " 0 R >>\nendobj\n" : "<< >> >>\nendobj\n";
    return Begin(contents) && Put(head) && Put(bytes) && Put("\nendstream\nendobj\n") &&
           Begin(contents + 1) && Put(page);
}

bool PdfPages::Finish() {
    if (!WritePending() || !WriteForms())
        return false;
    if (resources_ && (!Begin(resources_) ||
                       !Put("<< /XObject <<\n" + QByteArray::fromStdString(forms_->resources) +
                            ">> >>\nendobj\n")))
        return false;
    // A file of one symbol is mostly these few lines: each built in one
    // string, not in a byte array for every number.
    std::string tree = "<< /Type /Pages /Kids [";
    for (const int page : pageObjects_)
        tree += std::to_string(page) + " 0 R ";
    tree += "] /Count " + std::to_string(pageObjects_.size()) + " >>\nendobj\n";
    if (!Begin(2) || !Put(QByteArrayView(tree.data(), qsizetype(tree.size()))) || !Begin(1) ||
        !Put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n") || !Begin(3) ||
        !Put("<< /Producer (" + producer_ + ") >>\nendobj\n"))
        return false;
    const std::string start = std::to_string(written_);
    std::string end = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
    end.reserve(end.size() + 20 * size_t(offsets_.size()) + 96);
    for (qsizetype i = 1; i < offsets_.size(); ++i) {
        char entry[] = "0000000000 00000 n \n";
        for (qsizetype at = 9, left = offsets_[i]; left > 0 && at >= 0; --at, left /= 10)
            entry[at] = char('0' + left % 10);
        end.append(entry, sizeof entry - 1);
    }
    end += "trailer\n<< /Size " + std::to_string(offsets_.size()) +
           " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + start + "\n%%EOF\n";
    return Put(QByteArrayView(end.data(), qsizetype(end.size())));
}

}  // namespace symbol
