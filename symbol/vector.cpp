#include "vector.h"

#include <zlib.h>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "outline.h"
#include "raster.h"

namespace symbol {

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// Appends value rounded to decimals places, without the zeros that end a
// fraction. Print needs no more than a micrometre, and integer digits cost
// a tenth of a floating-point format.
template <typename Out>
void AppendFixed(Out& out, double value, int decimals) {
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const long long units = std::llround(value * kScale[decimals]);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* at = end;
    const bool negative = units < 0;
    unsigned long long left = negative ? 0ull - units : units;
    for (; decimals > 0 && left % 10 == 0; left /= 10)
        --decimals;
    for (int i = 0; i < decimals; ++i, left /= 10)
        *--at = char('0' + left % 10);
    if (decimals > 0)
        *--at = '.';
    do {
        *--at = char('0' + left % 10);
        left /= 10;
    } while (left);
    if (negative)
        *--at = '-';
    out.append(at, end - at);
}

// A length in millimetres: a micrometre is plenty for print.
template <typename Out>
void AppendMm(Out& out, double value) {
    AppendFixed(out, value, 3);
}

template <typename Out>
void AppendMm(Out& out, std::initializer_list<double> values) {
    for (double value : values) {
        AppendMm(out, value);
        out += ' ';
    }
}

// The outline through place as PDF path operators, each after its points,
// with decimals places.
void AppendPath(std::string& out, const QPainterPath& path, int decimals,
                const QTransform& place = QTransform()) {
    for (int i = 0; i < path.elementCount();) {
        const QPainterPath::Element e = path.elementAt(i);
        const int points = e.isCurveTo() ? 3 : 1;
        const char op = e.isMoveTo() ? 'm' : e.isLineTo() ? 'l' : 'c';
        for (const int end = i + points; i < end; ++i) {
            qreal x, y;
            place.map(path.elementAt(i).x, path.elementAt(i).y, &x, &y);
            AppendFixed(out, x, decimals);
            out += ' ';
            AppendFixed(out, y, decimals);
            out += ' ';
        }
        out += op;
        out += '\n';
    }
}

// The outline as SVG path data in tenths of its units, each point as the
// step from the one before its operator, in as few characters as SVG reads:
// a file's characters are most of its bytes. The steps are taken between
// points already rounded, so that a reader adding them up lands on each
// point as written, with no error carried along.
void AppendSvgPath(std::string& out, const QPainterPath& path) {
    constexpr double kTenths = 10;
    qint64 atX = 0, atY = 0;  // the current point: where the last operator ended
    char last = 0;
    const auto number = [&out](qint64 tenths) {
        // A minus sign parts two numbers as well as a space does.
        if (tenths >= 0 && out.back() >= '0' && out.back() <= '9')
            out += ' ';
        AppendFixed(out, double(tenths) / kTenths, 1);
    };
    for (int i = 0; i < path.elementCount();) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isLineTo()) {
            // A level or an upright line, as most of a digit's are, by its
            // one length.
            const qint64 x = std::llround(e.x * kTenths), y = std::llround(e.y * kTenths);
            const char op = y == atY ? 'h' : x == atX ? 'v' : 'l';
            // A line after one of its kind needs no letter of its own.
            if (op != last)
                out += op;
            last = op;
            if (op != 'v')
                number(x - atX);
            if (op != 'h')
                number(y - atY);
            atX = x;
            atY = y;
            ++i;
            continue;
        }
        const int points = e.isCurveTo() ? 3 : 1;
        const char op = e.isMoveTo() ? 'm' : 'c';
        // After m, further points are lines: every m has its letter.
        if (op != last || op == 'm')
            out += op;
        last = op;
        qint64 endX = atX, endY = atY;
        for (const int end = i + points; i < end; ++i) {
            endX = std::llround(path.elementAt(i).x * kTenths);
            endY = std::llround(path.elementAt(i).y * kTenths);
            number(endX - atX);
            number(endY - atY);
        }
        atX = endX;
        atY = endY;
    }
}

// A character's outline in its font's units as SVG path data: a batch
// writes the same digits and letters thousands of times, and formatting
// them was most of a file's work. A tenth of a unit is a ten-thousandth of
// the em.
const std::string& KeptPath(const OutlinePiece& piece) {
    if (piece.key == 0) {
        thread_local std::string once;
        once.clear();
        AppendSvgPath(once, piece.path);
        return once;
    }
    thread_local std::unordered_map<quint64, std::string> kept;
    const auto [at, added] = kept.try_emplace(piece.key);
    if (added)
        AppendSvgPath(at->second, piece.path);
    return at->second;
}

using Placed = PdfPages::Placed;

struct PlacedHash {
    size_t operator()(const Placed& key) const {
        size_t h = std::hash<quint64>()(key.character);
        for (const double value : {key.m11, key.m22, key.dx, key.dy})
            h = h * 31 + std::hash<double>()(value);
        return h;
    }
};

// The key of a character at its place. The place is cut to a hundred-
// millionth of a unit, far below what is written: a text moved by whole
// units comes back to its place within a rounding error, and is the same.
Placed PlacedKey(const OutlinePiece& piece, const QTransform& place, int decimals) {
    const auto cut = [](double value) { return std::round(value * 1e8) / 1e8; };
    return {piece.key + (quint64(decimals) << 48), cut(place.m11()), cut(place.m22()),
            cut(place.dx()), cut(place.dy())};
}

// A character's outline at its place as PDF path operators, formatted
// once per thread for each character and place: a batch's files, and a
// sheet's labels, repeat the same digits at the same places.
const std::string& KeptPlaced(const OutlinePiece& piece, const QTransform& place, int decimals) {
    thread_local std::unordered_map<Placed, std::string, PlacedHash> kept;
    // Places that changed all the time (a shrunken add-on's) would only fill it.
    if (kept.size() > 4096)
        kept.clear();
    const auto [at, added] = kept.try_emplace(PlacedKey(piece, place, decimals));
    if (added)
        AppendPath(at->second, piece.path, decimals, place);
    return at->second;
}

// Every text of the description in millimetres, filled even-odd as a
// painter path is: each character's outline once in the file's definitions,
// in its font's units, and used where it stands through a matrix. The
// digits of a code repeat; an outline is ten times its use.
void AppendSvgTexts(std::string& out, const Description& description, double moduleMm) {
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    thread_local std::string uses;
    thread_local std::vector<quint64> defined;  // a file's few characters, by id
    uses.clear();
    defined.clear();
    std::array<double, 4> lastScale{};  // none: no character has a scale of 0
    std::string scaleText;
    out += "<defs>\n";
    for (const TextPlace& text : description.texts) {
        for (const OutlinePiece& piece : OutlinePieces(text)) {
            if (piece.path.isEmpty())
                continue;
            // A character without a key of its own is defined for its one use.
            const auto found = piece.key != 0 ? std::find(defined.begin(), defined.end(), piece.key)
                                              : defined.end();
            const int id = int(found - defined.begin());
            if (found == defined.end()) {
                defined.push_back(piece.key);
                out += "<path id=\"g";
                AppendFixed(out, id, 0);
                out += "\" d=\"";
                const std::string& path = KeptPath(piece);
                out += path;
                out += "\"/>\n";
            }
            uses += "<use xlink:href=\"#g";
            AppendFixed(uses, id, 0);
            uses += "\" transform=\"matrix(";
            // A text's characters share their scale: formatted once.
            const QTransform place = piece.transform * toMm;
            const std::array<double, 4> scale{place.m11(), place.m12(), place.m21(), place.m22()};
            if (scale != lastScale) {
                lastScale = scale;
                scaleText.clear();
                for (const double value : scale) {
                    AppendFixed(scaleText, value, 7);
                    scaleText += ' ';
                }
            }
            uses += scaleText;
            AppendMm(uses, place.dx());
            uses += ' ';
            AppendMm(uses, place.dy());
            uses += ")\"/>\n";
        }
    }
    out += "</defs>\n<g fill=\"#000\" fill-rule=\"evenodd\">\n";
    out += uses;
    out += "</g>\n";
}

void AppendPt(std::string& out, double pt) {
    AppendFixed(out, pt, 4);
}

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

}  // namespace

QList<QRectF> BarRects(const Description& description, double moduleMm, double bwrMm) {
    QList<QRectF> rects;
    rects.reserve(description.bars.size() + description.bearers.size());
    for (const BarRun& bar : description.bars)
        rects.append(QRectF(bar.x * moduleMm + bwrMm / 2, bar.top * moduleMm,
                            bar.width * moduleMm - bwrMm, (bar.bottom - bar.top) * moduleMm));
    for (const QRectF& bearer : description.bearers)
        rects.append(QRectF(bearer.topLeft() * moduleMm, bearer.size() * moduleMm));
    return rects;
}

VectorSymbol Vectorise(const Description& description, double moduleMm, double bwrMm) {
    VectorSymbol symbol;
    symbol.size = description.box * moduleMm;
    symbol.bars = BarRects(description, moduleMm, bwrMm);
    const QTransform toMm = QTransform::fromScale(moduleMm, moduleMm);
    for (const TextPlace& text : description.texts)
        symbol.text.addPath(toMm.map(TextOutline(text)));
    return symbol;
}

namespace {

// The text format(key) writes for key, kept for the thread's next calls
// with an equal key, the last 32 of them. The bars of a symbol have a few
// widths and heights among them, and formatting the same numbers again was
// most of a small file's bars. Each call site keeps its own.
template <typename Key, typename Format>
const std::string& KeptText(const Key& key, Format format) {
    thread_local std::array<std::pair<Key, std::string>, 32> kept;
    thread_local size_t used = 0, next = 0;
    for (size_t i = 0; i < used; ++i)
        if (kept[i].first == key)
            return kept[i].second;
    auto& [slot, text] = kept[next];
    next = (next + 1) % kept.size();
    used = std::max(used, next == 0 ? kept.size() : next);
    slot = key;
    text.clear();
    format(text);
    return text;
}

// A rectangle's operators after its left edge.
const std::string& RectTail(double top, double width, double height, int decimals, bool alone) {
    struct Key {
        double top, width, height;
        int decimals;
        bool alone;
        bool operator==(const Key&) const = default;
    };
    return KeptText(Key{top, width, height, decimals, alone}, [&](std::string& text) {
        for (const double value : {top, width, height}) {
            AppendFixed(text, value, decimals);
            text += ' ';
        }
        text += alone ? "re f\n" : "re\n";
    });
}

}  // namespace

PdfCanvas::PdfCanvas(double heightPt, const PdfUnits& units, PdfPages* forms)
    : units_(units), forms_(forms) {
    // From the top-left corner, as the description has it, the scale a
    // thousandth finer than the lengths.
    const double pointsPerUnit = kPointsPerMm / units.perMm;
    AppendFixed(content_, pointsPerUnit, units.decimals + 3);
    content_ += " 0 0 ";
    AppendFixed(content_, -pointsPerUnit, units.decimals + 3);
    content_ += " 0 ";
    AppendPt(content_, heightPt);
    content_ += " cm\n";
    start_ = content_.size();
    content_.reserve(16384);
    if (units.perMm != 1) {
        // The unit's size in millimetres as Qt's writer wrote it, cut to
        // nine digits.
        const double cut = std::trunc(units.perMm * 1e7) / 1e7;
        rectMatrix_ = "q ";
        AppendFixed(rectMatrix_, cut, 7);
        rectMatrix_ += " 0 0 ";
        AppendFixed(rectMatrix_, cut, 7);
        rectMatrix_ += " 0 0 cm\n";
    }
}

void PdfCanvas::FillRects(const QList<QRectF>& mm, bool white) {
    if (mm.isEmpty())
        return;
    const bool inMm = !rectMatrix_.empty();
    content_ += inMm ? rectMatrix_ : std::string();
    if (white)
        content_ += "1 g\n";
    const double scale = inMm ? 1 : units_.perMm;
    const int decimals = inMm ? units_.rectDecimals : units_.decimals;
    for (const QRectF& rect : mm) {
        AppendFixed(content_, rect.x() * scale, decimals);
        content_ += ' ';
        content_ += RectTail(rect.y() * scale, rect.width() * scale, rect.height() * scale,
                             decimals, units_.rectsAlone);
    }
    if (!units_.rectsAlone)
        content_ += "f\n";
    if (white)
        content_ += "0 g\n";
    if (inMm)
        content_ += "Q\n";
}

namespace {

// Whether no two pieces can share a pixel: the boxes of their outlines'
// points are apart. A text is filled as one even-odd outline, where the
// ink of two characters that overlap (a mark on its letter, letters that
// join) cancels out; filled one by one as forms, it would not.
bool Apart(const QList<OutlinePiece>& pieces) {
    QList<QRectF> boxes;
    boxes.reserve(pieces.size());
    for (const OutlinePiece& piece : pieces) {
        const QRectF box = piece.transform.mapRect(piece.path.controlPointRect());
        if (!box.isEmpty())
            boxes.append(box);
    }
    std::sort(boxes.begin(), boxes.end(),
              [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
    for (qsizetype i = 0; i < boxes.size(); ++i)
        for (qsizetype j = i + 1; j < boxes.size() && boxes[j].left() < boxes[i].right(); ++j)
            if (boxes[j].top() < boxes[i].bottom() && boxes[i].top() < boxes[j].bottom())
                return false;
    return true;
}

}  // namespace

void PdfCanvas::FillText(const TextPlace& text, const QTransform& toMm) {
    QTransform toUnits = toMm * QTransform::fromScale(units_.perMm, units_.perMm);
    // A text placed a whole number of units from the page's corner (a
    // label's on a grid of dots) is written where it stands in its label
    // and moved there by whole units, which poppler adds exactly: its
    // characters are then the same from label to label, formatted once
    // and repeated, which a compressor finds.
    const double dx = std::round(toUnits.dx()), dy = std::round(toUnits.dy());
    const bool moved = units_.perMm != 1 && std::abs(toUnits.dx() - dx) < 1e-6 &&
                       std::abs(toUnits.dy() - dy) < 1e-6;
    if (moved) {
        content_ += "q 1 0 0 1 ";
        AppendFixed(content_, dx, 0);
        content_ += ' ';
        AppendFixed(content_, dy, 0);
        content_ += " cm\n";
        toUnits *= QTransform::fromTranslate(-dx, -dy);
    }
    // A sheet's labels repeat the same characters at the same places in
    // their labels: each is written once as a form and drawn by its name,
    // which keeps the pages a fraction of their size and their compression
    // as short. The form's outline has the numbers the page would have had,
    // so that poppler puts every edge where it did.
    const QList<OutlinePiece> pieces = OutlinePieces(text);
    PdfPages* const forms = moved && Apart(pieces) ? forms_ : nullptr;
    // Path operators may not be broken by a form's; without forms, they go
    // straight into the page.
    thread_local std::string held;
    held.clear();
    std::string& paths = forms ? held : content_;
    bool drawn = false;
    for (const OutlinePiece& piece : pieces) {
        const QTransform place = piece.transform * toUnits;
        if (forms && piece.key != 0) {
            const Placed key = PlacedKey(piece, place, units_.decimals);
            const std::string* name = forms->FindForm(key);
            if (!name) {
                std::string outline;
                AppendPath(outline, piece.path, units_.decimals, place);
                name = forms->AddForm(key, outline, place.mapRect(piece.path.controlPointRect()));
            }
            if (name) {
                content_ += *name;
                content_ += " Do\n";
                drawn = true;
                continue;
            }
        }
        if (piece.key != 0)
            paths += KeptPlaced(piece, place, units_.decimals);
        else
            AppendPath(paths, piece.path, units_.decimals, place);
    }
    if (!forms)
        content_ += "f*\n";
    else if (!drawn || !held.empty()) {
        content_ += held;
        content_ += "f*\n";
    }
    if (moved)
        content_ += "Q\n";
}

void PdfCanvas::StrokeRect(const QRectF& mm, double lineMm) {
    AppendFixed(content_, lineMm * units_.perMm, units_.decimals);
    content_ += " w ";
    for (const double value : {mm.x(), mm.y(), mm.width(), mm.height()}) {
        AppendFixed(content_, value * units_.perMm, units_.decimals);
        content_ += ' ';
    }
    content_ += "re S\n";
}

std::string PdfCanvas::Take() {
    std::string page = std::move(content_);
    content_ = page.substr(0, start_);
    return page;
}

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

namespace {

// A file's page and its black rectangles in millimetres.
struct Page {
    double moduleMm;
    QSizeF size;
    QList<QRectF> bars;
};

Page AtModule(const Description& description, double moduleMm, double bwrMm) {
    return {moduleMm, description.box * moduleMm, BarRects(description, moduleMm, bwrMm)};
}

// For a file that another program prints on a printer of dots.dpi: every
// bar edge and the page's edges on its dots, so that its driver has nothing
// to resample, each edge a little inside its dot, so that every rasteriser
// fills the same dots. An odd reduction takes its extra dot off the right
// edge, as in the bitmaps.
Page OnPrinterDots(const Description& description, const PrinterDots& dots) {
    const double dotMm = 25.4 / dots.dpi;
    const double moduleMm = dots.moduleDots * dotMm;
    const double inset = EdgeInsetMm(dots.dpi);
    Page page{moduleMm, QSizeF(), BarRects(description, moduleMm, dots.bwrDots * dotMm)};
    for (qsizetype i = 0; i < page.bars.size(); ++i) {
        const double shift = i < description.bars.size() ? -(dots.bwrDots % 2) * dotMm / 2 : 0;
        page.bars[i] = page.bars[i].translated(shift, 0).adjusted(inset, 0, -inset, 0);
    }
    const QSizeF box = description.box * moduleMm;
    page.size = QSizeF(std::ceil(box.width() / dotMm - 1e-6) * dotMm,
                       std::ceil(box.height() / dotMm - 1e-6) * dotMm);
    return page;
}

QString Number(double value) {
    return QString::number(value, 'g', 8);
}

// Text content and attribute values alike. XML 1.0 cannot hold most control
// characters, even escaped, and a lone surrogate cannot be written in UTF-8:
// both become U+FFFD, the mark for a character that could not be kept.
QString EscapeXml(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || (c < u' ' && c != u'\t') || c == u'\uFFFE' ||
                   c == u'\uFFFF') {
            out += QChar(QChar::ReplacementCharacter);
        } else if (c == u'&') {
            out += u"&amp;";
        } else if (c == u'<') {
            out += u"&lt;";
        } else if (c == u'>') {
            out += u"&gt;";
        } else if (c == u'"') {
            out += u"&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

// The window's layout as it shows in the window: one user unit a module,
// each bar a rectangle on the window's pixels, and the texts as text in the
// canvas font, to be edited as text. The name is the text at the name's
// corner; the element is written empty when there is none.
QByteArray WindowSvg(const Description& window, double moduleMm) {
    const TextPlace* named = nullptr;
    for (const TextPlace& text : window.texts)
        if (text.at == QPointF(kNameX, kNameY))
            named = &text;
    QString svg;
    svg.reserve(4096);
    svg += QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1mm\" "
               "height=\"%2mm\" viewBox=\"0 0 %3 %4\">\n"
               "<rect width=\"%3\" height=\"%4\" fill=\"#fff\"/>\n")
               .arg(Number(window.box.width() * moduleMm), Number(window.box.height() * moduleMm))
               .arg(window.box.width())
               .arg(window.box.height());

    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar.
    svg += QStringLiteral("<g fill=\"#000\" shape-rendering=\"crispEdges\">\n");
    for (const BarRun& bar : window.bars)
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>\n")
                   .arg(bar.x)
                   .arg(bar.top)
                   .arg(bar.width)
                   .arg(bar.bottom - bar.top);
    svg += QStringLiteral("</g>\n");

    const TextPlace name =
        named ? *named : TextPlace{{}, Face::Canvas, kCanvasEm, {kNameX, kNameY}};
    const CanvasSetting nameSetting = SetOnCanvas(name);
    svg += QStringLiteral(
               "<g font-family=\"IPAGothic, 'IPAゴシック', monospace\" font-size=\"%1\" "
               "fill=\"#000\">\n"
               "<text x=\"%2\" y=\"%3\" xml:space=\"preserve\">%4</text>\n")
               .arg(kCanvasEm)
               .arg(Number(name.at.x()), Number(nameSetting.baseline), EscapeXml(name.text));
    // Each digit at its own place, so that a fallback font with wider digits
    // still keeps every group between its guards.
    for (const TextPlace& group : window.texts) {
        if (&group == named)
            continue;
        const CanvasSetting setting = SetOnCanvas(group);
        const QString baseline = Number(setting.baseline);
        const QString size = group.size == kCanvasEm
                                 ? QString()
                                 : QStringLiteral(" font-size=\"%1\"").arg(group.size);
        for (qsizetype i = 0; i < group.text.size(); ++i)
            svg += QStringLiteral("<text x=\"%1\" y=\"%2\"%3>%4</text>\n")
                       .arg(Number(setting.lefts[i]), baseline, size, EscapeXml(group.text[i]));
    }
    svg += QStringLiteral("</g>\n</svg>\n");
    return svg.toUtf8();
}

QByteArray Svg(const Description& description, const Page& page) {
    const double moduleMm = page.moduleMm;
    if (description.layout == Layout::Window)
        return WindowSvg(description, moduleMm);
    const QSizeF size = page.size;
    std::string width, height;
    AppendMm(width, size.width());
    AppendMm(height, size.height());
    // Written into a string kept for the thread's next file: growing a
    // byte array a few characters at a time cost a quarter of the file.
    thread_local std::string svg;
    svg.clear();
    svg.reserve(16384);
    svg +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"";
    svg += width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height +
           "\">\n<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#fff\"/>\n" +
           "<path fill=\"#000\" d=\"";
    // Each bar from its corner by its width and height, as they are once
    // the corners are rounded: a reader adding them up finds every corner.
    const auto micrometres = [](double mm) { return std::llround(mm * 1000); };
    for (const QRectF& bar : page.bars) {
        const double width = double(micrometres(bar.right()) - micrometres(bar.left())) / 1000;
        const double height = double(micrometres(bar.bottom()) - micrometres(bar.top())) / 1000;
        svg += 'M';
        AppendMm(svg, bar.left());
        svg += ' ';
        AppendMm(svg, bar.top());
        svg += KeptText(std::pair(width, height), [&](std::string& text) {
            text += 'h';
            AppendMm(text, width);
            text += 'v';
            AppendMm(text, height);
            text += 'h';
            AppendMm(text, -width);
            text += 'z';
        });
    }
    svg += "\"/>\n";
    AppendSvgTexts(svg, description, moduleMm);
    svg += "</svg>\n";
    return QByteArray(svg.data(), qsizetype(svg.size()));
}

QByteArray Pdf(const Description& description, const Page& page) {
    const QSizeF sizePt = page.size * kPointsPerMm;
    PdfCanvas canvas(sizePt.height());
    canvas.FillRects({QRectF(QPointF(), page.size)}, true);
    canvas.FillRects(page.bars);
    const QTransform toMm = QTransform::fromScale(page.moduleMm, page.moduleMm);
    for (const TextPlace& text : description.texts)
        canvas.FillText(text, toMm);
    QByteArray pdf;
    pdf.reserve(qsizetype(canvas.Content().size()) + 1024);
    PdfPages file(sizePt, [&pdf](QByteArrayView bytes) {
        pdf += bytes;
        return true;
    });
    file.AddPage(canvas.Take());
    file.Finish();
    return pdf;
}

}  // namespace

QByteArray SvgFile(const Description& description, double moduleMm, double bwrMm) {
    return Svg(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray SvgFile(const Description& description, const PrinterDots& dots) {
    return Svg(description, OnPrinterDots(description, dots));
}

QByteArray PdfFile(const Description& description, double moduleMm, double bwrMm) {
    return Pdf(description, AtModule(description, moduleMm, bwrMm));
}

QByteArray PdfFile(const Description& description, const PrinterDots& dots) {
    return Pdf(description, OnPrinterDots(description, dots));
}

}  // namespace symbol
