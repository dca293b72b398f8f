#pragma once

// The linear symbol print quality parameters, written once for the tests
// from the published definitions and tables, apart from the verifier: a scan
// reflectance profile through a circular aperture over the picture's pixels;
// its elements between crossings of the global threshold, each edge where
// the profile crosses the midpoint between the reflectances of the two
// elements it parts; the EAN/UPC reference decode's margins; and each
// parameter's grade from the published table. The verifier's results are
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

// The ten scan lines across the inspection band: the bar height less its top
// and bottom tenth, in ten equal strips, a line through the middle of each.
inline double ScanLine(double top, double bottom, int i) {
    return top + (bottom - top) * (0.1 + 0.8 * (i + 0.5) / 10);
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

// The published grade tables: the least value of A, B, C and D (for
// defects the most), and the single floors of the pass/fail parameters.
inline constexpr std::array<double, 4> kSymbolContrast = {0.70, 0.55, 0.40, 0.20};
inline constexpr std::array<double, 4> kModulation = {0.70, 0.60, 0.50, 0.40};
inline constexpr std::array<double, 4> kDefects = {0.15, 0.20, 0.25, 0.30};  // at most
inline constexpr std::array<double, 4> kDecodability = {0.62, 0.50, 0.37, 0.25};
inline constexpr double kEdgeContrast = 0.15;       // ECmin at least, else F
inline constexpr double kMinimumReflectance = 0.5;  // Rmin at most this share of Rmax, else F

// A = 4 ... F = 0 from a table of floors (or, for defects, ceilings).
inline int GradeOf(double value, const std::array<double, 4>& table, bool atMost = false) {
    int grade = 4;
    for (double limit : table) {
        if (atMost ? value <= limit : value >= limit)
            return grade;
        --grade;
    }
    return 0;
}

// The EAN/UPC symbol characters as published: set A (odd parity, left
// half), from which set B is set C reversed and set C is set A inverted;
// and the sets of the left half for each first digit of a 13-digit symbol.
inline const std::array<const char*, 10> kSetA = {"0001101", "0011001", "0010011", "0111101",
                                                  "0100011", "0110001", "0101111", "0111011",
                                                  "0110111", "0001011"};
inline const std::array<const char*, 10> kLeftSets = {"AAAAAA", "AABABB", "AABBAB", "AABBBA",
                                                      "ABAABB", "ABBAAB", "ABBBAA", "ABABAB",
                                                      "ABABBA", "ABBABA"};

inline QString Character(int digit, QChar set) {
    QString a = QString::fromLatin1(kSetA[size_t(digit)]);
    QString c;
    for (QChar m : a)
        c += m == u'0' ? u'1' : u'0';
    if (set == u'A')
        return a;
    if (set == u'C')
        return c;
    std::reverse(c.begin(), c.end());
    return c;
}

// Total modules of the bars of a character's seven.
inline int BarModules(const QString& character) {
    return int(character.count(u'1'));
}

// The sets of a symbol's characters: a 13-digit symbol's left half by its
// first digit, then C; a UPC-A (12 digits) and an EAN-8 all A, then C.
inline QString SetsOf(const QString& code) {
    if (code.size() == 13)
        return QString::fromLatin1(kLeftSets[size_t(code[0].digitValue())]) + QString(6, u'C');
    return QString(int(code.size()) / 2, u'A') + QString(int(code.size()) / 2, u'C');
}

// The digits drawn as symbol characters (a 13-digit symbol's first digit is
// in the sets, not drawn).
inline QString DrawnDigits(const QString& code) {
    return code.size() == 13 ? code.mid(1) : code;
}

// The symbol's modules, "1" for a bar's and "0" for a space's, guards
// included and quiet zones not.
inline QString Pattern(const QString& code) {
    const QString digits = DrawnDigits(code), sets = SetsOf(code);
    const int perHalf = int(sets.size()) / 2;
    QString pattern;
    for (int c = 0; c < 2 * perHalf; ++c) {
        if (c == 0)
            pattern += QStringLiteral("101");
        if (c == perHalf)
            pattern += QStringLiteral("01010");
        pattern += Character(digits[c].digitValue(), sets[c]);
    }
    return pattern + QStringLiteral("101");
}

// The modules of each element of a pattern, its first bar first.
inline QList<int> Modules(const QString& pattern) {
    QList<int> modules;
    for (qsizetype i = 0; i < pattern.size(); ++i)
        if (i > 0 && pattern[i] == pattern[i - 1])
            ++modules.back();
        else
            modules.append(1);
    return modules;
}

struct Element {
    bool bar;
    qsizetype from, to;         // samples, [from, to)
    double r;                   // a space's highest reflectance, a bar's lowest
    double ern;                 // highest peak less lowest valley within the element
    double start = 0, end = 0;  // edges, pixels from the profile's start
    double width() const { return end - start; }
};

struct Parameters {
    double rmin = 0, rmax = 0, sc = 0, ecmin = 0, mod = 0, defects = 0;
    double decodability = 0;
    bool decodes = false;
    QList<Element> elements;
    int grade = 0;
    std::array<int, 7> grades{};  // decode, SC, Rmin, ECmin, MOD, defects, V
};

// Every parameter of one profile of the symbol of code (13 digits, or 12
// for a UPC-A, or 8); quiet the quiet zones needed, in modules.
inline Parameters Evaluate(const QList<double>& r, double step, const QString& code,
                           double quietLeft, double quietRight) {
    Parameters p;
    p.rmin = *std::min_element(r.begin(), r.end());
    p.rmax = *std::max_element(r.begin(), r.end());
    p.sc = p.rmax - p.rmin;
    const double gt = (p.rmax + p.rmin) / 2;
    // Elements: runs of samples on one side of the global threshold.
    for (qsizetype i = 0; i < r.size();) {
        const bool bar = r[i] < gt;
        qsizetype j = i;
        while (j < r.size() && (r[j] < gt) == bar)
            ++j;
        const QList<double> inside = r.mid(i, j - i);
        p.elements.append({bar, i, j,
                           bar ? *std::min_element(inside.begin(), inside.end())
                               : *std::max_element(inside.begin(), inside.end()),
                           Ern(inside, bar)});
        i = j;
    }
    // Edges: between the two elements' extreme samples, where the profile
    // crosses (Rs + Rb) / 2; of several crossings the one nearest the
    // threshold crossing.
    p.elements.front().start = 0;
    p.elements.back().end = (r.size() - 1) * step;
    for (qsizetype k = 1; k < p.elements.size(); ++k) {
        Element& a = p.elements[k - 1];
        Element& b = p.elements[k];
        const double mid = (a.r + b.r) / 2;
        const qsizetype ea = std::find(r.begin() + a.from, r.begin() + a.to, a.r) - r.begin();
        const qsizetype eb = std::find(r.begin() + b.from, r.begin() + b.to, b.r) - r.begin();
        double best = 1e300, edge = b.from * step;
        for (qsizetype i = ea; i < eb; ++i)
            if ((r[i] - mid) * (r[i + 1] - mid) <= 0 && r[i] != r[i + 1]) {
                const double at = (i + (mid - r[i]) / (r[i + 1] - r[i])) * step;
                if (std::abs(at - b.from * step) < best)
                    best = std::abs(at - b.from * step), edge = at;
            }
        a.end = b.start = edge;
    }
    // A bar cut by the line's end is not an element.
    if (p.elements.back().bar)
        p.elements.removeLast();
    if (p.elements.front().bar)
        p.elements.removeFirst();

    p.ecmin = 1;
    double ern = 0;
    for (qsizetype i = 0; i < p.elements.size(); ++i) {
        ern = std::max(ern, p.elements[i].ern);
        if (i > 0)
            p.ecmin = std::min(p.ecmin, std::abs(p.elements[i].r - p.elements[i - 1].r));
    }
    p.mod = p.ecmin / p.sc;
    p.defects = ern / p.sc;

    // The reference decode's margins: each character's two edge-to-similar-
    // edge distances in sevenths of its width against their whole modules,
    // whose thresholds stand half a module either side; and for 1, 2, 7 and
    // 8 its bars against the threshold halfway between its own bars and
    // those of its twin (1 and 7, 2 and 8), a module from either.
    const QString digits = DrawnDigits(code), sets = SetsOf(code);
    const int perHalf = int(sets.size()) / 2;
    const QList<int> modules = Modules(Pattern(code));
    if (p.elements.size() == modules.size() + 2) {
        QList<double> w;
        for (qsizetype i = 1; i <= modules.size(); ++i)
            w.append(p.elements[i].width());
        // Z: the first bar's leading edge to the last bar's, over its modules.
        double z = 0;
        for (qsizetype i = 0; i + 1 < w.size(); ++i)
            z += w[i];
        z /= (std::accumulate(modules.begin(), modules.end(), 0) - modules.back());
        const bool quiet = p.elements.front().width() >= quietLeft * z &&
                           p.elements.back().width() >= quietRight * z;
        p.decodability = 1;
        for (int c = 0; c < 2 * perHalf; ++c) {
            const int at = 3 + 4 * c + (c >= perHalf ? 5 : 0);
            const double t = w[at] + w[at + 1] + w[at + 2] + w[at + 3];
            for (int k = 0; k < 2; ++k) {
                const double e = 7 * (w[at + k] + w[at + k + 1]) / t;
                const int nominal = modules[at + k] + modules[at + k + 1];
                p.decodability = std::min(p.decodability, (0.5 - std::abs(e - nominal)) / 0.5);
            }
            const int d = digits[c].digitValue();
            static const std::map<int, int> twin = {{1, 7}, {7, 1}, {2, 8}, {8, 2}};
            if (twin.count(d)) {
                const int own = BarModules(Character(d, sets[c]));
                const int other = BarModules(Character(twin.at(d), sets[c]));
                const int firstBar = sets[c] == u'C' ? at : at + 1;
                const double bars = 7 * (w[firstBar] + w[firstBar + 2]) / t;
                const double threshold = (own + other) / 2.0;
                // Positive on its own side of the threshold.
                const double margin = (own < other ? threshold - bars : bars - threshold) /
                                      (std::abs(own - other) / 2.0);
                p.decodability = std::min(p.decodability, margin);
            }
        }
        p.decodes = quiet && p.decodability > 0;
    }
    p.grades = {p.decodes ? 4 : 0,
                GradeOf(p.sc, kSymbolContrast),
                p.rmin <= kMinimumReflectance * p.rmax ? 4 : 0,
                p.ecmin >= kEdgeContrast ? 4 : 0,
                GradeOf(p.mod, kModulation),
                GradeOf(p.defects, kDefects, true),
                p.decodes ? GradeOf(p.decodability, kDecodability) : 0};
    p.grade = *std::min_element(p.grades.begin(), p.grades.end());
    return p;
}

}  // namespace standard
