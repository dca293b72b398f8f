#include "grading.h"

#include <algorithm>
#include <array>

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

    // Elements between crossings of the global threshold.
    qsizetype from = 0;
    double start = profile.S(0);
    for (qsizetype i = 1; i <= r.size(); ++i) {
        const bool bar = r[from] < g.threshold;
        if (i < r.size() && (r[i] < g.threshold) == bar)
            continue;
        double end = profile.S(r.size() - 1);
        if (i < r.size())
            end = profile.S(i - 1) + profile.step * (g.threshold - r[i - 1]) / (r[i] - r[i - 1]);
        Element e;
        e.bar = bar;
        e.start = start;
        e.end = end;
        e.reflectance = bar ? *std::min_element(r.begin() + from, r.begin() + i)
                            : *std::max_element(r.begin() + from, r.begin() + i);
        e.ern = NonUniformity(r, from, i - 1, bar);
        g.elements.append(e);
        from = i;
        start = end;
    }

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
