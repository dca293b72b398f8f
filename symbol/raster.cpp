#include "raster.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <vector>

#include "canvas.h"
#include "outline.h"
#include "picturefile.h"

namespace symbol {

namespace {

// Outline pieces a thread keeps the pixels of: a batch's digits stand at a
// few dozen places, a name's letters at a few for each length of name.
constexpr size_t kMostKeptPieces = 2048;

// The window's face as the canvas prints it, grown to dots per module: a
// hinted font at a whole pixel size, no smoothing, from the text's top.
void PrintCanvasText(QPainter& painter, const TextPlace& text, int dots) {
    QFont font = CanvasFont();
    font.setPixelSize(qRound(text.size * dots));
    painter.setFont(font);
    const qreal ascent = QFontMetricsF(font, painter.device()).ascent();
    painter.drawText(QPointF(text.at.x() * dots, text.at.y() * dots + ascent), text.text);
}

// Makes the pixels from column from up to column to of a row black, in a
// picture of 32 bits or, if mono, one bit a pixel (black 1, the leftmost
// pixel in the high bit).
void SetBlack(uchar* row, int from, int to, bool mono) {
    if (from >= to)
        return;
    if (!mono) {
        std::fill(reinterpret_cast<QRgb*>(row) + from, reinterpret_cast<QRgb*>(row) + to, kBlack);
        return;
    }
    const int first = from >> 3;
    const int last = (to - 1) >> 3;
    const uchar head = uchar(0xff >> (from & 7));
    const uchar tail = uchar(0xff << (7 - ((to - 1) & 7)));
    if (first == last) {
        row[first] |= head & tail;
        return;
    }
    row[first] |= head;
    std::fill(row + first + 1, row + last, uchar(0xff));
    row[last] |= tail;
}

// Rectangles of whole pixels, left and top in, right and bottom out.
struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

// Fills boxes black on a white picture, cut at its edges, as QPainter's
// fillRect() does without smoothing. Between two neighbouring box edges
// every row is alike: each such band is drawn once and copied.
void FillBoxes(QImage& image, std::vector<Box>& boxes, bool mono) {
    std::vector<int> edges;
    for (Box& box : boxes) {
        box.left = std::max(box.left, 0);
        box.right = std::min(box.right, image.width());
        box.top = std::max(box.top, 0);
        box.bottom = std::min(box.bottom, image.height());
        edges.push_back(box.top);
        edges.push_back(box.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const int top = edges[i];
        const int bottom = edges[i + 1];
        uchar* first = bits + top * stride;
        bool drawn = false;
        for (const Box& box : boxes) {
            if (box.top <= top && box.bottom >= bottom && box.left < box.right) {
                SetBlack(first, box.left, box.right, mono);
                drawn = true;
            }
        }
        if (drawn)
            for (int y = top + 1; y < bottom; ++y)
                std::memcpy(bits + y * stride, first, stride);
    }
}

// A text's outline filled black without smoothing, as QPainter::fillPath()
// fills it, from pixels kept per thread. The outline is taken apart into
// pieces that stand side by side (a glyph with its counters): where no
// piece reaches into another's columns, every pixel's crossing count comes
// from one piece alone, so the whole fills exactly the pixels its pieces
// fill each on its own. A piece whose every point is the same as one filled
// before (the same digit at the same place in a picture of the same size)
// takes that one's pixels; another is filled by QPainter on a white picture
// of the same size, and its pixels kept.
class OutlineFiller {
public:
    // False, with nothing drawn, where a piece must be filled by QPainter
    // along with the rest of the outline.
    bool Fill(QImage& image, const QPainterPath& outline);

private:
    struct Run {
        int y;
        int x;
        int length;
    };
    struct Piece {
        std::vector<QPainterPath::Element> elements;
        Qt::FillRule rule;
        QSize size;
        std::vector<Run> runs;
    };
    struct Contour {
        int first;  // element
        int count;
        qreal left;
        qreal right;
    };

    // The piece made of the contours (in the outline's order) of outline.
    const std::vector<Run>& Runs(const QPainterPath& outline, const std::vector<int>& contours,
                                 QSize size);
    const std::vector<Run>& Fill(const QPainterPath& outline, const std::vector<int>& contours,
                                 QSize size, size_t hash);

    std::unordered_multimap<size_t, Piece> kept_;
    QImage scratch_;
    std::vector<Contour> contours_;
    std::vector<std::vector<int>> pieces_;
};

bool OutlineFiller::Fill(QImage& image, const QPainterPath& outline) {
    // The contours and the columns their points span (a curve lies within
    // its control points).
    contours_.clear();
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element& e = outline.elementAt(i);
        if (e.isMoveTo() || contours_.empty())
            contours_.push_back({i, 0, e.x, e.x});
        Contour& contour = contours_.back();
        ++contour.count;
        contour.left = std::min(contour.left, e.x);
        contour.right = std::max(contour.right, e.x);
    }
    // Pieces: contours whose columns overlap or come within a pixel of each
    // other's, left to right.
    std::vector<int> order(contours_.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [this](int a, int b) { return contours_[a].left < contours_[b].left; });
    pieces_.clear();
    qreal right = 0;
    for (int index : order) {
        const Contour& contour = contours_[index];
        if (pieces_.empty() || contour.left > right + 1) {
            pieces_.emplace_back();
            right = contour.right;
        } else {
            right = std::max(right, contour.right);
        }
        pieces_.back().push_back(index);
    }
    // A path of three or four points may be filled as a convex polygon: such
    // a piece goes with its whole outline.
    for (std::vector<int>& piece : pieces_) {
        std::sort(piece.begin(), piece.end());
        int count = 0;
        for (int index : piece)
            count += contours_[index].count;
        if (count <= 4)
            return false;
    }
    const bool mono = image.format() == QImage::Format_Mono;
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    for (const std::vector<int>& piece : pieces_)
        for (const Run& run : Runs(outline, piece, image.size()))
            SetBlack(bits + run.y * stride, run.x, run.x + run.length, mono);
    return true;
}

const std::vector<OutlineFiller::Run>& OutlineFiller::Runs(const QPainterPath& outline,
                                                           const std::vector<int>& contours,
                                                           QSize size) {
    size_t hash = qHashMulti(0, outline.fillRule(), size.width(), size.height());
    int count = 0;
    for (int index : contours) {
        const Contour& contour = contours_[index];
        count += contour.count;
        for (int i = contour.first; i < contour.first + contour.count; ++i) {
            const QPainterPath::Element& e = outline.elementAt(i);
            hash = qHashMulti(hash, e.x, e.y, int(e.type));
        }
    }
    const auto same = [&](const Piece& piece) {
        if (piece.rule != outline.fillRule() || piece.size != size ||
            int(piece.elements.size()) != count)
            return false;
        auto kept = piece.elements.begin();
        for (int index : contours) {
            const Contour& contour = contours_[index];
            for (int i = contour.first; i < contour.first + contour.count; ++i, ++kept) {
                const QPainterPath::Element& e = outline.elementAt(i);
                if (e.x != kept->x || e.y != kept->y || e.type != kept->type)
                    return false;
            }
        }
        return true;
    };
    const auto [first, last] = kept_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (same(it->second))
            return it->second.runs;
    return Fill(outline, contours, size, hash);
}

const std::vector<OutlineFiller::Run>& OutlineFiller::Fill(const QPainterPath& outline,
                                                           const std::vector<int>& contours,
                                                           QSize size, size_t hash) {
    if (kept_.size() >= kMostKeptPieces)
        kept_.clear();
    Piece piece;
    piece.rule = outline.fillRule();
    piece.size = size;
    QPainterPath path;
    path.setFillRule(outline.fillRule());
    for (int index : contours) {
        const Contour& contour = contours_[index];
        for (int i = contour.first; i < contour.first + contour.count; ++i)
            piece.elements.push_back(outline.elementAt(i));
    }
    for (size_t i = 0; i < piece.elements.size();) {
        const QPainterPath::Element& e = piece.elements[i];
        if (e.isMoveTo()) {
            path.moveTo(e);
            ++i;
        } else if (e.isLineTo() || i + 2 >= piece.elements.size()) {
            path.lineTo(e);
            ++i;
        } else {
            path.cubicTo(e, piece.elements[i + 1], piece.elements[i + 2]);
            i += 3;
        }
    }
    // The piece is filled on a white picture of its own area, a pixel
    // around its points (a curve lies within them), cut where the picture
    // ends, so that it is clipped as on the whole picture. The painter
    // moves it there, not the path: Qt flattens the curves where they
    // stand and then moves the points by whole pixels, exactly, so that
    // the same pixels are filled (a path moved beforehand is flattened
    // elsewhere, and a dot of an edge moved in a few pictures). A picture
    // of the whole size took 4 bytes a dot: a gigabyte for an ITF-14 at
    // 4800 dpi.
    const QRectF bounds = path.controlPointRect();
    const QRect area =
        QRect(QPoint(int(std::floor(bounds.left())) - 1, int(std::floor(bounds.top())) - 1),
              QPoint(int(std::ceil(bounds.right())) + 1, int(std::ceil(bounds.bottom())) + 1))
            .intersected(QRect(QPoint(0, 0), size));
    if (area.isEmpty())
        return kept_.emplace(hash, std::move(piece))->second.runs;
    if (scratch_.size() != area.size()) {
        scratch_ = QImage(area.size(), QImage::Format_RGB32);
        scratch_.fill(Qt::white);
    }
    {
        QPainter painter(&scratch_);
        painter.translate(-area.topLeft());
        painter.fillPath(path, Qt::black);
    }
    // What the piece coloured is taken and made white again for the next.
    for (int y = 0; y < area.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(scratch_.scanLine(y));
        for (int x = 0; x < area.width();) {
            if (row[x] != kBlack) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < area.width() && row[x] == kBlack)
                row[x++] = kWhite;
            piece.runs.push_back({area.top() + y, area.left() + from, x - from});
        }
    }
    return kept_.emplace(hash, std::move(piece))->second.runs;
}

// The thread's white picture of that size and kind, unless the last one it
// gave is still in use: a retail picture at 300 dpi is more than half a
// megabyte in 32 bits a pixel.
QImage& WhitePicture(QSize size, int dotsPerMetre, bool mono) {
    thread_local QImage kept[2];
    QImage& picture = kept[mono];
    if (picture.size() != size || !picture.isDetached()) {
        picture = QImage(size, mono ? QImage::Format_Mono : QImage::Format_RGB32);
        if (mono)
            picture.setColorTable({kWhite, kBlack});
    }
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    // QImage::fill() leaves the padding at the end of a row of bits as it
    // was; a file written from the rows holds it, zero.
    if (mono)
        std::memset(picture.bits(), 0, picture.sizeInBytes());
    else
        picture.fill(kWhite);
    return picture;
}

// Draws the description on a white picture. A picture of one bit a pixel
// takes no painter: false, with the picture spoilt, where one is needed.
bool Paint(const Description& description, int dots, int bwrDots, QImage& image,
           std::optional<QPainter>* painter) {
    const bool mono = !painter;
    // One rectangle per bar, however many modules wide, so that no seam can
    // show between the modules of a wide bar, with edges on whole dots, each
    // rounded on its own, so that a bar covers the dots between its edges
    // whatever its width.
    std::vector<Box> boxes;
    std::vector<QRect> odd;  // of no width or height, left to QPainter
    const auto add = [&](double x, double width, double top, double bottom, int narrower) {
        const int left = qRound(x * dots);
        const int y = qRound(top * dots);
        const QRect rect(left + narrower / 2, y, qRound((x + width) * dots) - left - narrower,
                         qRound(bottom * dots) - y);
        if (rect.width() > 0 && rect.height() > 0)
            boxes.push_back(
                {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()});
        else
            odd.push_back(rect);
    };
    for (const BarRun& bar : description.bars)
        add(bar.x, bar.width, bar.top, bar.bottom, bwrDots);
    for (const QRectF& bearer : description.bearers)
        add(bearer.x(), bearer.width(), bearer.top(), bearer.bottom(), 0);
    // Everything is black on white: what is drawn first does not matter,
    // but whole rows are copied only while the picture is white.
    FillBoxes(image, boxes, mono);
    const auto painted = [&]() -> QPainter* {
        if (mono)
            return nullptr;
        if (!*painter)
            painter->emplace(&image);
        return &**painter;
    };
    for (const QRect& rect : odd) {
        QPainter* on = painted();
        if (!on)
            return false;
        on->fillRect(rect, Qt::black);
    }
    thread_local OutlineFiller outlines;
    for (const TextPlace& text : description.texts) {
        if (text.face != Face::Canvas) {
            const QPainterPath outline = QTransform::fromScale(dots, dots).map(TextOutline(text));
            if (outlines.Fill(image, outline))
                continue;
            QPainter* on = painted();
            if (!on)
                return false;
            on->fillPath(outline, Qt::black);
            continue;
        }
        QPainter* on = painted();
        if (!on)
            return false;
        on->setPen(Qt::black);
        PrintCanvasText(*on, text, dots);
    }
    return true;
}

}  // namespace

double EdgeInsetMm(int dpi) {
    return std::max(25.4 / dpi / 20, 0.001);
}

QImage PaintRaster(const Description& description, int dots, int bwrDots, int dotsPerMetre) {
    const QSizeF box = description.box * dots;
    QImage& image =
        WhitePicture(QSize(qRound(box.width()), qRound(box.height())), dotsPerMetre, false);
    std::optional<QPainter> painter;
    Paint(description, dots, bwrDots, image, &painter);
    painter.reset();
    return image;
}

QImage PaintRasterBits(const Description& description, int dots, int bwrDots, int dotsPerMetre) {
    const QSizeF box = description.box * dots;
    QImage& image =
        WhitePicture(QSize(qRound(box.width()), qRound(box.height())), dotsPerMetre, true);
    if (Paint(description, dots, bwrDots, image, nullptr))
        return image;
    return PaintRaster(description, dots, bwrDots, dotsPerMetre);
}

}  // namespace symbol
