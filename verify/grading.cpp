#include "grading.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace verify {

namespace {

// The grade of a value against the lowest values of A, B, C and D.
int AtLeast(double value, const std::array<double, 4>& floors) {
    for (int i = 0; i < 4; ++i)
        if (value >= floors[i])
            return 4 - i;
    return 0;
}

// Highest peak less lowest valley inside samples [a, b], plateaus taken as
// one point; the element's own extreme stands in for the missing side.
double NonUniformity(const QList<double>& r, qsizetype a, qsizetype b, bool bar) {
    QList<double> runs;
    for (qsizetype i = a; i <= b; ++i)
        if (runs.isEmpty() || runs.back() != r[i])
            runs.append(r[i]);
    double inner = bar ? -1 : 2;
    for (qsizetype k = 1; k + 1 < runs.size(); ++k) {
        const bool valley = runs[k] < runs[k - 1] && runs[k] < runs[k + 1];
        const bool peak = runs[k] > runs[k - 1] && runs[k] > runs[k + 1];
        if (bar && peak)
            inner = std::max(inner, runs[k]);
        if (!bar && valley)
            inner = std::min(inner, runs[k]);
    }
    if (bar)
        return inner < 0 ? 0 : inner - *std::min_element(runs.begin(), runs.end());
    return inner > 1 ? 0 : *std::max_element(runs.begin(), runs.end()) - inner;
}

// The sample of an element's extreme: a bar's lowest, a space's highest;
// the one nearest the middle of a plateau.
qsizetype Extreme(const QList<double>& r, const Element& e) {
    qsizetype best = e.from, last = e.from;
    for (qsizetype i = e.from + 1; i < e.to; ++i) {
        if (e.bar ? r[i] < r[best] : r[i] > r[best])
            best = last = i;
        else if (r[i] == r[best])
            last = i;
    }
    return (best + last) / 2;
}

// Where the profile crosses a level between samples lo and hi, the crossing
// nearest sample near; interpolated between samples.
double Crossing(const Profile& p, qsizetype lo, qsizetype hi, qsizetype near, double level) {
    const QList<double>& r = p.r;
    double best = p.S(near), distance = 1e300;
    for (qsizetype i = lo; i < hi; ++i) {
        const bool below0 = r[i] < level, below1 = r[i + 1] < level;
        if (below0 == below1)
            continue;
        const double s = p.S(i) + p.step * (level - r[i]) / (r[i + 1] - r[i]);
        const double d = std::abs(double(i) - double(near));
        if (d < distance)
            distance = d, best = s;
    }
    return best;
}

// The edges of elements [first, last] again, each where the profile crosses
// the midpoint of the highest and lowest reflectance within five modules of
// it: a threshold that follows light falling off across the symbol, and that
// a narrow element blurred short of its full reflectance does not pull.
void LightEdges(const Profile& p, double module, Element* first, Element* last) {
    const QList<double>& r = p.r;
    const qsizetype reach = qsizetype(std::ceil(5 * module / p.step));
    first->lightStart = first->start;
    last->lightEnd = last->end;
    for (Element* e = first + 1; e <= last; ++e) {
        const auto a = r.begin() + std::max<qsizetype>(0, e->from - reach);
        const auto b = r.begin() + std::min<qsizetype>(r.size(), e->from + reach + 1);
        const auto [lo, hi] = std::minmax_element(a, b);
        const double level = (*lo + *hi) / 2;
        (e - 1)->lightEnd = e->lightStart =
            Crossing(p, Extreme(r, *(e - 1)), Extreme(r, *e), e->from, level);
    }
}

}  // namespace

int GradeSymbolContrast(double sc) {
    return AtLeast(sc, {0.70, 0.55, 0.40, 0.20});
}

int GradeMinimumReflectance(double rmin, double rmax) {
    return rmin <= 0.5 * rmax ? 4 : 0;
}

int GradeEdgeContrast(double ecmin) {
    return ecmin >= 0.15 ? 4 : 0;
}

int GradeModulation(double mod) {
    return AtLeast(mod, {0.70, 0.60, 0.50, 0.40});
}

int GradeDefects(double defects) {
    return AtLeast(-defects, {-0.15, -0.20, -0.25, -0.30});
}

int GradeDecodability(double v) {
    return AtLeast(v, {0.62, 0.50, 0.37, 0.25});
}

QChar GradeLetter(double grade) {
    return grade >= 3.5   ? u'A'
           : grade >= 2.5 ? u'B'
           : grade >= 1.5 ? u'C'
           : grade >= 0.5 ? u'D'
                          : u'F';
}

ProfileGrade GradeProfile(const Profile& profile, int elements, double quietLeft,
                          double quietRight) {
    ProfileGrade g;
    const QList<double>& r = profile.r;
    if (r.isEmpty())
        return g;
    g.rmin = *std::min_element(r.begin(), r.end());
    g.rmax = *std::max_element(r.begin(), r.end());
    g.threshold = (g.rmin + g.rmax) / 2;
    g.sc = g.rmax - g.rmin;

    // Elements between crossings of the global threshold, each with the
    // samples it holds.
    qsizetype from = 0;
    for (qsizetype i = 1; i <= r.size(); ++i) {
        const bool bar = r[from] < g.threshold;
        if (i < r.size() && (r[i] < g.threshold) == bar)
            continue;
        Element e;
        e.bar = bar;
        e.reflectance = bar ? *std::min_element(r.begin() + from, r.begin() + i)
                            : *std::max_element(r.begin() + from, r.begin() + i);
        e.ern = NonUniformity(r, from, i - 1, bar);
        e.from = from;
        e.to = i;
        g.elements.append(e);
        from = i;
    }
    // Each edge where the profile crosses the midpoint between the
    // reflectances of the two elements it parts, between their extremes.
    const qsizetype n = g.elements.size();
    g.elements.front().start = profile.S(0);
    g.elements.back().end = profile.S(r.size() - 1);
    for (qsizetype k = 1; k < n; ++k) {
        Element& a = g.elements[k - 1];
        Element& b = g.elements[k];
        const double level = (a.reflectance + b.reflectance) / 2;
        a.end = b.start = Crossing(profile, Extreme(r, a), Extreme(r, b), b.from, level);
    }
    // A bar cut by either end of the line is only part of an element.
    if (n > 1 && g.elements.back().bar)
        g.elements.removeLast();
    if (g.elements.size() > 1 && g.elements.front().bar)
        g.elements.removeFirst();

    g.ecmin = 1;
    double ernMax = 0;
    for (qsizetype i = 0; i < g.elements.size(); ++i) {
        ernMax = std::max(ernMax, g.elements[i].ern);
        if (i > 0)
            g.ecmin = std::min(g.ecmin,
                               std::abs(g.elements[i].reflectance - g.elements[i - 1].reflectance));
    }
    if (g.elements.size() < 2)
        g.ecmin = 0;
    g.mod = g.sc > 0 ? g.ecmin / g.sc : 0;
    g.defects = g.sc > 0 ? ernMax / g.sc : 1;

    // The reference decode, at the first run of elements that reads, and the
    // quiet zones either side of it.
    QList<double> widths(elements);
    for (int first = 1; first + elements < g.elements.size(); ++first) {
        if (!g.elements[first].bar)
            continue;
        for (int k = 0; k < elements; ++k)
            widths[k] = g.elements[first + k].end - g.elements[first + k].start;
        const Decoded d = ReferenceDecode(widths);
        if (!d.ok)
            continue;
        g.first = first;
        g.decoded = d;
        break;
    }
    if (g.first >= 0) {
        const Element& before = g.elements[g.first - 1];
        const Element& after = g.elements[g.first + elements];
        const int modules = symbol::ModuleCount(g.decoded.symbology);
        g.module =
            (g.elements[g.first + elements - 1].start - g.elements[g.first].start) / (modules - 1);
        g.quietLeft = (before.end - before.start) / g.module;
        g.quietRight = (after.end - after.start) / g.module;
        g.quietZonesClear = g.quietLeft >= quietLeft && g.quietRight >= quietRight;
        LightEdges(profile, g.module, &g.elements[g.first - 1], &g.elements[g.first + elements]);
    }
    const bool decodes = g.first >= 0 && g.quietZonesClear;
    g.gradeDecode = decodes ? 4 : 0;
    g.gradeSc = GradeSymbolContrast(g.sc);
    g.gradeRmin = GradeMinimumReflectance(g.rmin, g.rmax);
    g.gradeEc = GradeEdgeContrast(g.ecmin);
    g.gradeMod = GradeModulation(g.mod);
    g.gradeDefects = GradeDefects(g.defects);
    g.gradeDecodability = decodes ? GradeDecodability(g.decoded.decodability) : 0;
    g.grade = std::min({g.gradeDecode, g.gradeSc, g.gradeRmin, g.gradeEc, g.gradeMod,
                        g.gradeDefects, g.gradeDecodability});
    return g;
}

}  // namespace verify
