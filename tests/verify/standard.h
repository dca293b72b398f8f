#pragma once

// The linear symbol print quality parameters, written once for the tests
// from the standard's definitions: a scan reflectance profile through a
// circular aperture over the picture's pixels, its elements at the global
// threshold, and the grades of each parameter. The verifier's results are
// compared with these.

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <vector>

namespace standard {

// A straight scan path through the picture: point(s) = from + s * along.
struct Path {
    QPointF from;
    QPointF along;  // unit vector
};

// Mean reflectance (grey / 255) over a circle of diameter pixels centred at
// c, each pixel weighted by the part of its square inside the circle
// (counted on a grid of 8 x 8 points in each pixel).
class Aperture {
public:
    Aperture(const QImage& grey, double diameter) : grey_(grey), radius_(diameter / 2) {}

    double At(QPointF c) {
        // Centres on an eighth of a pixel: each phase's weights once.
        const int px = int(std::floor(c.x())), py = int(std::floor(c.y()));
        const int fx = int(std::lround((c.x() - px) * 8)), fy = int(std::lround((c.y() - py) * 8));
        const auto& w = Weights(fx, fy);
        const int reach = Reach();
        double sum = 0, total = 0;
        for (int j = -reach; j <= reach; ++j)
            for (int i = -reach; i <= reach; ++i) {
                const double weight = w[size_t((j + reach) * (2 * reach + 1) + i + reach)];
                if (weight == 0)
                    continue;
                const int x = std::clamp(px + i, 0, grey_.width() - 1);
                const int y = std::clamp(py + j, 0, grey_.height() - 1);
                sum += weight * qGray(grey_.pixel(x, y)) / 255.0;
                total += weight;
            }
        return sum / total;
    }

private:
    int Reach() const { return int(std::ceil(radius_)) + 1; }

    const std::vector<double>& Weights(int fx, int fy) {
        auto& w = cache_[{fx, fy}];
        if (!w.empty())
            return w;
        const int reach = Reach();
        const double cx = fx / 8.0, cy = fy / 8.0;  // within pixel (0, 0)
        w.resize(size_t((2 * reach + 1) * (2 * reach + 1)));
        for (int j = -reach; j <= reach; ++j)
            for (int i = -reach; i <= reach; ++i) {
                int inside = 0;
                for (int b = 0; b < 8; ++b)
                    for (int a = 0; a < 8; ++a) {
                        const double x = i + (a + 0.5) / 8 - cx, y = j + (b + 0.5) / 8 - cy;
                        inside += x * x + y * y <= radius_ * radius_;
                    }
                w[size_t((j + reach) * (2 * reach + 1) + i + reach)] = inside / 64.0;
            }
        return w;
    }

    QImage grey_;
    double radius_;
    std::map<std::pair<int, int>, std::vector<double>> cache_;
};

struct Element {
    bool bar;
    double width;  // pixels, between threshold crossings
    double r;      // a space's highest reflectance, a bar's lowest
    double ern;    // highest peak less lowest valley within the element
};

struct Parameters {
    double rmin = 0, rmax = 0, sc = 0, ecmin = 0, mod = 0, defects = 0;
    double decodability = 0;
    bool decodes = false;
    QList<Element> elements;
    int grade = 0;
    std::array<int, 7> grades{};  // decode, SC, Rmin, ECmin, MOD, defects, V
};

// The ten scan lines across the inspection band: the bar height less its top
// and bottom tenth, in ten equal strips, a line through the middle of each.
inline double ScanLine(double top, double bottom, int i) {
    return top + (bottom - top) * (0.1 + 0.8 * (i + 0.5) / 10);
}

inline int Grade(double value, double a, double b, double c, double d) {
    return value >= a ? 4 : value >= b ? 3 : value >= c ? 2 : value >= d ? 1 : 0;
}

// The profile along path from s0 to s1 in steps of step pixels.
inline QList<double> Profile(Aperture& aperture, const Path& path, double s0, double s1,
                             double step) {
    QList<double> r;
    for (double s = s0; s <= s1; s += step)
        r.append(aperture.At(path.from + s * path.along));
    return r;
}

// An element's non-uniformity: for a space its highest reflectance less its
// lowest valley, for a bar its highest peak less its lowest reflectance; 0
// without such a valley or peak.
inline double Ern(const QList<double>& r, bool bar) {
    QList<double> v;
    for (double x : r)
        if (v.isEmpty() || v.back() != x)
            v.append(x);
    double inner = bar ? -1 : 2;
    for (qsizetype i = 1; i + 1 < v.size(); ++i) {
        if (bar && v[i] > v[i - 1] && v[i] > v[i + 1])
            inner = std::max(inner, v[i]);
        if (!bar && v[i] < v[i - 1] && v[i] < v[i + 1])
            inner = std::min(inner, v[i]);
    }
    if (bar)
        return inner < 0 ? 0 : inner - *std::min_element(v.begin(), v.end());
    return inner > 1 ? 0 : *std::max_element(v.begin(), v.end()) - inner;
}

// Every parameter of one profile. modules holds the module count of each of
// the symbol's elements (bar first); digits the symbol character of each
// group of four (its digit's value); quiet the quiet zones needed, in modules.
inline Parameters Evaluate(const QList<double>& r, double step, const QList<int>& modules,
                           const QList<int>& digits, double quietLeft, double quietRight) {
    Parameters p;
    p.rmin = *std::min_element(r.begin(), r.end());
    p.rmax = *std::max_element(r.begin(), r.end());
    p.sc = p.rmax - p.rmin;
    const double gt = (p.rmax + p.rmin) / 2;
    double lastEdge = 0;
    qsizetype from = 0;
    for (qsizetype i = 1; i <= r.size(); ++i) {
        const bool bar = r[from] < gt;
        if (i < r.size() && (r[i] < gt) == bar)
            continue;
        const double edge = i < r.size() ? (i - 1 + (gt - r[i - 1]) / (r[i] - r[i - 1])) * step
                                         : (r.size() - 1) * step;
        const QList<double> inside = r.mid(from, i - from);
        p.elements.append({bar, edge - lastEdge,
                           bar ? *std::min_element(inside.begin(), inside.end())
                               : *std::max_element(inside.begin(), inside.end()),
                           Ern(inside, bar)});
        lastEdge = edge;
        from = i;
    }
    p.ecmin = 1;
    double ern = 0;
    for (qsizetype i = 0; i < p.elements.size(); ++i) {
        ern = std::max(ern, p.elements[i].ern);
        if (i > 0)
            p.ecmin = std::min(p.ecmin, std::abs(p.elements[i].r - p.elements[i - 1].r));
    }
    p.mod = p.ecmin / p.sc;
    p.defects = ern / p.sc;

    // Decodability from the edge-to-similar-edge distances of each symbol
    // character against its nominal modules, and for 1, 2, 7 and 8 from its
    // bars, whose thresholds stand a module away.
    if (p.elements.size() == modules.size() + 2) {
        QList<double> w;
        for (qsizetype i = 1; i <= modules.size(); ++i)
            w.append(p.elements[i].width);
        double z = 0;
        for (qsizetype i = 0; i + 1 < w.size(); ++i)
            z += w[i];
        z /= (std::accumulate(modules.begin(), modules.end(), 0) - modules.back());
        const bool quiet =
            p.elements.front().width >= quietLeft * z && p.elements.back().width >= quietRight * z;
        p.decodability = 1;
        const int perHalf = int(digits.size()) / 2;
        for (int c = 0; c < 2 * perHalf; ++c) {
            const int at = 3 + 4 * c + (c >= perHalf ? 5 : 0);
            const double t = w[at] + w[at + 1] + w[at + 2] + w[at + 3];
            for (int k = 0; k < 2; ++k) {
                const double e = 7 * (w[at + k] + w[at + k + 1]) / t;
                p.decodability = std::min(
                    p.decodability, 1 - 2 * std::abs(e - (modules[at + k] + modules[at + k + 1])));
            }
            const int d = digits[c];
            if (d == 1 || d == 2 || d == 7 || d == 8) {
                const int first = c >= perHalf ? at : at + 1;
                const double b = 7 * (w[first] + w[first + 2]) / t;
                p.decodability = std::min(p.decodability,
                                          1 - std::abs(b - (modules[first] + modules[first + 2])));
            }
        }
        p.decodes = quiet && p.decodability > 0;
    }
    p.grades = {p.decodes ? 4 : 0,
                Grade(p.sc, 0.70, 0.55, 0.40, 0.20),
                p.rmin <= 0.5 * p.rmax ? 4 : 0,
                p.ecmin >= 0.15 ? 4 : 0,
                Grade(p.mod, 0.70, 0.60, 0.50, 0.40),
                Grade(-p.defects, -0.15, -0.20, -0.25, -0.30),
                p.decodes ? Grade(p.decodability, 0.62, 0.50, 0.37, 0.25) : 0};
    p.grade = *std::min_element(p.grades.begin(), p.grades.end());
    return p;
}

}  // namespace standard
