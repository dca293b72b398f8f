#include "pdfcanvas.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "numbers.h"
#include "outline.h"
#include "pdfdocument.h"

namespace symbol {

namespace {

using Placed = PdfPages::Placed;
using PlacedHash = PdfPages::PlacedHash;

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

}  // namespace symbol
