#include "finder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "messages.h"
#include "referencedecode.h"
#include "symbol/layout.h"
#include "verify.h"

namespace verify {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kRowSpacingMm = 0.5;
// Quiet zones narrower than this many modules, in a row's own black and
// white, mean the bars belong to something larger than a symbol.
constexpr double kFinderQuietModules = 2;
constexpr int kMinRows = 3;
// Rows with less contrast than this, after the aperture, are not read: a
// verifier grades symbol contrast from 20 percent (D), and below that to F.
constexpr double kMinContrast = 0.08;
// Less than this is a blank page, not a faint symbol.
constexpr double kBlank = 0.02;

struct Hit {
    int y;
    double lead;   // left edge of the leftmost bar, in the picture
    double trail;  // right edge of the rightmost bar
    bool reversed;
    symbol::Symbology symbology;
    QString code;
    bool quiet;  // quiet zones on both sides
};

// A row as the aperture sees it, roughly: each pixel the mean of a square
// of 2 half + 1 pixels centred on it, so that a hairline, a speck or noise
// finer than the aperture does not part a bar or a space. In grey levels.
std::vector<double> SmoothRow(const QImage& grey, int y, int half) {
    const int w = grey.width(), h = grey.height();
    std::vector<double> column(static_cast<size_t>(w), 0.0);
    for (int j = y - half; j <= y + half; ++j) {
        const uchar* row = grey.constScanLine(std::clamp(j, 0, h - 1));
        for (int x = 0; x < w; ++x)
            column[size_t(x)] += row[x];
    }
    std::vector<double> out(static_cast<size_t>(w));
    const double n = double(2 * half + 1) * (2 * half + 1);
    double sum = 0;
    for (int x = -half; x <= half; ++x)
        sum += column[size_t(std::clamp(x, 0, w - 1))];
    for (int x = 0; x < w; ++x) {
        out[size_t(x)] = sum / n;
        sum +=
            column[size_t(std::min(x + half + 1, w - 1))] - column[size_t(std::max(x - half, 0))];
    }
    return out;
}

// Runs of one row: edges[i] is where run i starts; even runs are of the
// row's first colour. The runs at either end of the row go on beyond the
// picture (its outermost pixels go on), so they are never bars of a symbol,
// and as quiet zones they are wide enough. contrast is the row's.
void ReadRow(const std::vector<double>& row, int y, std::vector<Hit>* hits, double* contrast) {
    const int width = int(row.size());
    const auto [lo, hi] = std::minmax_element(row.begin(), row.end());
    *contrast = (*hi - *lo) / 255;
    if (*contrast < kMinContrast)
        return;
    const double threshold = (*lo + *hi) / 2;
    std::vector<int> edges{0};
    const bool firstDark = row[0] < threshold;
    bool dark = firstDark;
    for (int x = 1; x < width; ++x)
        if ((row[size_t(x)] < threshold) != dark) {
            dark = !dark;
            edges.push_back(x);
        }
    edges.push_back(width);
    const int runs = int(edges.size()) - 1;
    auto runWidth = [&](int i) { return double(edges[i + 1] - edges[i]); };
    auto isBar = [&](int i) { return ((i % 2) == 0) == firstDark; };
    QList<double> widths;
    for (int n : {kLongElements, kShortElements})
        for (int reversed = 0; reversed < 2; ++reversed)
            for (int first = 1; first + n < runs; ++first) {
                if (!isBar(first))
                    continue;
                // A guard's three elements are about as wide as each other.
                const int g = reversed ? first + n - 3 : first;
                const double a = runWidth(g), b = runWidth(g + 1), c = runWidth(g + 2);
                const double lo3 = std::min({a, b, c}), hi3 = std::max({a, b, c});
                if (hi3 > 2.5 * lo3 + 1)
                    continue;
                widths.resize(n);
                for (int k = 0; k < n; ++k)
                    widths[k] = runWidth(reversed ? first + n - 1 - k : first + k);
                const Decoded d = ReferenceDecode(widths);
                if (!d.ok)
                    continue;
                const double lead = edges[first], trail = edges[first + n];
                const double module = (trail - lead) / symbol::ModuleCount(d.symbology);
                const double before = first - 1 == 0 ? HUGE_VAL : runWidth(first - 1);
                const double after = first + n == runs - 1 ? HUGE_VAL : runWidth(first + n);
                hits->push_back({y, lead, trail, bool(reversed), d.symbology, d.code,
                                 std::min(before, after) >= kFinderQuietModules * module});
            }
}

struct Line {
    double a = 0, b = 0;  // x = a + b y
};

Line Fit(const std::vector<const Hit*>& rows, double Hit::*edge) {
    double sy = 0, sx = 0, syy = 0, sxy = 0;
    const double n = double(rows.size());
    for (const Hit* h : rows) {
        sy += h->y, sx += h->*edge, syy += double(h->y) * h->y, sxy += double(h->y) * (h->*edge);
    }
    const double d = n * syy - sy * sy;
    Line line;
    line.b = d > 0 ? (n * sxy - sy * sx) / d : 0;
    line.a = (sx - line.b * sy) / n;
    return line;
}

// Walks from the middle row along a bar until it turns light for half a module.
double BarEnd(const QImage& grey, const Frame& f, double s, int threshold, double direction) {
    const double step = 0.5;
    double last = 0, light = 0;
    for (double t = 0; std::abs(t) < 4 * f.width; t += direction * step) {
        const QPointF p = f.At(s, t);
        const int x = int(std::floor(p.x())), y = int(std::floor(p.y()));
        const bool dark = grey.rect().contains(x, y) && grey.constScanLine(y)[x] < threshold;
        if (dark)
            last = t, light = 0;
        else if ((light += step) > f.module / 2)
            break;
    }
    return last + direction * step / 2;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void MeasureBars(const QImage& grey, Frame* f) {
    // Ink and paper from the middle row, across the symbol.
    int lo = 255, hi = 0;
    for (double s = -5 * f->module; s < f->width + 5 * f->module; s += 0.5) {
        const QPointF p = f->At(s, 0);
        const int x = int(std::floor(p.x())), y = int(std::floor(p.y()));
        if (!grey.rect().contains(x, y))
            continue;
        lo = std::min<int>(lo, grey.constScanLine(y)[x]);
        hi = std::max<int>(hi, grey.constScanLine(y)[x]);
    }
    const int threshold = (lo + hi) / 2;
    const QString pattern = symbol::FamilyPattern(f->symbology, f->code);
    std::vector<double> tops, bottoms;
    for (int m = 0; m < pattern.size(); ++m) {
        if (pattern[m] != u'1')
            continue;
        int end = m;
        while (end < pattern.size() && pattern[end] == u'1')
            ++end;
        const double s = (m + end) / 2.0 * f->width / pattern.size();
        tops.push_back(BarEnd(grey, *f, s, threshold, -1));
        bottoms.push_back(BarEnd(grey, *f, s, threshold, +1));
        m = end;
    }
    f->top = Median(tops);
    f->bottom = Median(bottoms);
}

}  // namespace

Found FindSymbol(const QImage& grey, double dpi) {
    Found found;
    const int spacing = std::max(1, int(std::lround(dpi * kRowSpacingMm / kMmPerInch)));
    const int half = int(std::floor(kApertureMm * dpi / kMmPerInch / 2));
    std::vector<Hit> hits;
    double contrast = 0;
    for (int y = spacing / 2; y < grey.height(); y += spacing) {
        double rowContrast = 0;
        ReadRow(SmoothRow(grey, y, half), y, &hits, &rowContrast);
        contrast = std::max(contrast, rowContrast);
    }

    // Rows of one symbol: the same code, its bars in about the same place.
    std::vector<std::vector<const Hit*>> symbols;
    bool noQuiet = false;
    for (const Hit& h : hits) {
        if (!h.quiet) {
            noQuiet = true;
            continue;
        }
        auto same = [&](const std::vector<const Hit*>& rows) {
            const Hit* last = rows.back();
            const double module = (last->trail - last->lead) / 95;
            return last->code == h.code && std::abs(last->lead - h.lead) < 10 * module &&
                   h.y - last->y <= 4 * spacing;
        };
        auto it = std::find_if(symbols.begin(), symbols.end(), same);
        if (it == symbols.end())
            symbols.push_back({&h});
        else
            it->push_back(&h);
    }
    std::erase_if(symbols, [](const auto& rows) { return int(rows.size()) < kMinRows; });
    if (symbols.size() > 1) {
        QStringList codes;
        for (const auto& rows : symbols)
            codes << rows.front()->code;
        found.Refuse(
            Say(QT_TRANSLATE_NOOP("verify", "several symbols (%1): scan or crop one at a time"),
                [&](const QString& text) { return text.arg(codes.join(u", ")); }));
        return found;
    }
    if (symbols.empty()) {
        const auto as = [](const QString& text) { return text; };
        if (noQuiet)
            found.Refuse(Say(
                QT_TRANSLATE_NOOP("verify", "bars that read, but no quiet zone beside them"), as));
        else if (contrast < kBlank)
            found.Refuse(Say(QT_TRANSLATE_NOOP("verify",
                                               "nothing reads as an EAN-13, EAN-8 or UPC-A "
                                               "symbol: the scan is blank"),
                             as));
        else if (contrast < kMinContrast)
            found.Refuse(
                Say(QT_TRANSLATE_NOOP("verify",
                                      "contrast too low: no row of the scan holds more "
                                      "than %1 % between its darkest and its lightest, "
                                      "and %2 % is the least read"),
                    [&](const QString& text) {
                        return text.arg(std::floor(100 * contrast)).arg(100 * kMinContrast);
                    }));
        else
            found.Refuse(Say(
                QT_TRANSLATE_NOOP("verify", "nothing reads as an EAN-13, EAN-8 or UPC-A symbol"),
                as));
        const double modulePixels = symbol::ModuleMm(symbol::kMinMagnification) * dpi / kMmPerInch;
        if (!noQuiet && modulePixels < 2 * kMinModulePixels) {
            // The reason, then a hint of its own.
            const char* hint = QT_TRANSLATE_NOOP(
                "verify", "%1; small symbols may be too small at %2 dpi: scan at 600 dpi or more");
            found.reason = QString::fromUtf8(hint).arg(found.reason).arg(dpi);
            found.shown = Msg::tr(hint).arg(found.shown).arg(dpi);
        }
        return found;
    }
    const auto& rows = symbols.front();
    const Line lead = Fit(rows, &Hit::lead);
    const Line trail = Fit(rows, &Hit::trail);
    const double slope = (lead.b + trail.b) / 2;
    const double norm = std::hypot(1.0, slope);
    const QPointF across(1 / norm, -slope / norm);
    const QPointF along(slope / norm, 1 / norm);
    double middle = 0;
    for (const Hit* h : rows)
        middle += h->y;
    middle /= double(rows.size());
    const QPointF left(lead.a + lead.b * middle, middle);
    const QPointF right(trail.a + trail.b * middle, middle);

    Frame& f = found.frame;
    f.upsideDown = rows.front()->reversed;
    f.origin = f.upsideDown ? right : left;
    f.u = f.upsideDown ? -across : across;
    f.v = f.upsideDown ? -along : along;
    f.symbology = rows.front()->symbology;
    f.code = rows.front()->code;
    f.width = QPointF::dotProduct(right - left, across);
    f.module = f.width / symbol::ModuleCount(f.symbology);
    f.degrees = -std::atan(slope) * 180 / M_PI;
    if (f.module < kMinModulePixels) {
        found.Refuse(Say(QT_TRANSLATE_NOOP("verify",
                                           "the symbol is too small at this resolution: its "
                                           "module is %1 pixels, and at least %2 are needed (scan "
                                           "at %3 dpi or more)"),
                         [&](const QString& text) {
                             return text.arg(f.module, 0, 'f', 1)
                                 .arg(kMinModulePixels)
                                 .arg(std::ceil(dpi * kMinModulePixels / f.module / 100) * 100);
                         }));
        return found;
    }
    MeasureBars(grey, &f);
    found.ok = true;
    return found;
}

}  // namespace verify
